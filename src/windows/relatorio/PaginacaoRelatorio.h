#pragma once

#include <string>
#include <vector>

// Which log lines go on which page, worked out apart from any painting so that it
// can be checked without a printer. Lines are Windows-1252 bytes: one byte, one
// character, one column of the monospaced detail.
struct MetricasDetalhe {
    int caracteresPorLinha;
    int linhasPorPagina;
};

// The detail band's capacity on an A4 page at the Courier 10 pt pitch (84 × 62).
MetricasDetalhe MetricasPadrao();

using PaginaRelatorio = std::vector<std::string>;

// Breaks embedded line ends, expands tabs, wraps lines wider than the band by
// character, and fills the pages in order. There is always at least one page, even
// for an empty log, because the header prints anyway.
std::vector<PaginaRelatorio> PaginarRelatorio(const std::vector<std::string>& linhas,
                                              const MetricasDetalhe& metricas = MetricasPadrao());
