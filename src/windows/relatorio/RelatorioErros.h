#pragma once

#include <string>
#include <vector>

#include <QPagedPaintDevice>

#include "windows/relatorio/CabecalhoRelatorio.h"
#include "windows/relatorio/PaginacaoRelatorio.h"

// The printed error log ("Relatório de Inconsistência"): the page header with the
// installation's data on every page, then the log in a monospaced detail that runs
// over as many pages as it needs. The preview, the printer and the PDF all paint
// through here, so they show the same pages.
class RelatorioErros {
public:
    RelatorioErros(CabecalhoRelatorio cabecalho, const std::vector<std::string>& linhas);

    const std::vector<PaginaRelatorio>& paginas() const { return paginas_; }

    // Sets A4 portrait with the report's margins and paints every page. Throws
    // std::runtime_error when the device refuses to start painting.
    void pintar(QPagedPaintDevice& dispositivo) const;

private:
    CabecalhoRelatorio cabecalho_;
    std::vector<PaginaRelatorio> paginas_;
};

// The report's page: A4 portrait, 6.35 mm on every side. Call before painting
// starts; the preview's printer takes it before the dialog opens.
void ConfigurarPagina(QPagedPaintDevice& dispositivo);
