#pragma once

#include <string>
#include <vector>

#include "windows/relatorio/CabecalhoRelatorio.h"

// Writes the error report as a PDF (document name "Report"), for the batch command
// and for printing to a file. The path is a local file name; the PDF appears only
// when complete. Throws std::runtime_error with a Windows-1252 Portuguese message
// when it cannot be written. Needs a QGuiApplication (the offscreen platform will do).
void GravarRelatorioPdf(const std::string& caminhoPdf, const CabecalhoRelatorio& cabecalho,
                        const std::vector<std::string>& linhas);
