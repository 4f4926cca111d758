#pragma once

#include <string>
#include <vector>

// A QApplication on the offscreen platform, shared by every window test of the run.
void GarantirAplicacaoErros();

// Text of a PDF through poppler's pdftotext, UTF-8.
std::string TextoPdfErros(const std::string& caminho);

// A small error log as a run writes it, with Windows-1252 accents.
std::vector<std::string> LogDeErros(int blocos);
