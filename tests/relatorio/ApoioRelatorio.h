#pragma once

#include <string>

// A Qt Gui application on the offscreen platform, created once for the whole run.
void GarantirAplicacaoGui();

// Text of a PDF through poppler's pdftotext (UTF-8); pagina 0 means all pages.
std::string TextoPdf(const std::string& caminho, int pagina = 0);
// A field of pdfinfo's output, such as "Pages" or "Title".
std::string InfoPdf(const std::string& caminho, const std::string& campo);

#include <vector>

// An error log as a run writes it: the opening lines, `blocos` PROBLEMA/SOLUCAO
// blocks (each naming its number, with accented Windows-1252 text) and the count.
std::vector<std::string> LogComProblemas(int blocos);
