#include "windows/relatorio/PaginacaoRelatorio.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "windows/relatorio/GeometriaRelatorio.h"

namespace {

constexpr std::size_t kParadaTabulacao = 8;

// A tab has no width of its own on paper; stops every eight columns keep the
// columns of the log where the window shows them.
std::string ExpandirTabulacoes(const std::string& linha)
{
    if (linha.find('\t') == std::string::npos)
        return linha;
    std::string saida;
    for (char c : linha) {
        if (c == '\t')
            saida.append(kParadaTabulacao - saida.size() % kParadaTabulacao, ' ');
        else
            saida.push_back(c);
    }
    return saida;
}

// A log text may itself carry line breaks (CR LF, LF or CR); the memo shows each
// piece on a line of its own, and so does the paper.
void SepararQuebras(const std::string& linha, std::vector<std::string>& saida)
{
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < linha.size(); ++i) {
        if (linha[i] != '\r' && linha[i] != '\n')
            continue;
        saida.push_back(linha.substr(inicio, i - inicio));
        if (linha[i] == '\r' && i + 1 < linha.size() && linha[i + 1] == '\n')
            ++i;
        inicio = i + 1;
    }
    saida.push_back(linha.substr(inicio));
}

void QuebrarPorCaractere(const std::string& linha, std::size_t largura,
                         std::vector<std::string>& saida)
{
    if (linha.empty()) {
        saida.emplace_back();
        return;
    }
    for (std::size_t inicio = 0; inicio < linha.size(); inicio += largura)
        saida.push_back(linha.substr(inicio, largura));
}

}  // namespace

MetricasDetalhe MetricasPadrao()
{
    using namespace GeometriaRelatorio;
    return {static_cast<int>(std::floor(kDetalheLargura / kLarguraCaractere)),
            static_cast<int>(std::floor(kDetalheAltura / kAlturaLinha))};
}

std::vector<PaginaRelatorio> PaginarRelatorio(const std::vector<std::string>& linhas,
                                              const MetricasDetalhe& metricas)
{
    if (metricas.caracteresPorLinha <= 0 || metricas.linhasPorPagina <= 0)
        throw std::invalid_argument("M\xE9tricas de p\xE1gina inv\xE1lidas para o relat\xF3rio.");
    const auto largura = static_cast<std::size_t>(metricas.caracteresPorLinha);
    const auto porPagina = static_cast<std::size_t>(metricas.linhasPorPagina);

    std::vector<std::string> impressas;
    std::vector<std::string> pedacos;
    for (const std::string& linha : linhas) {
        pedacos.clear();
        SepararQuebras(linha, pedacos);
        for (const std::string& pedaco : pedacos)
            QuebrarPorCaractere(ExpandirTabulacoes(pedaco), largura, impressas);
    }

    std::vector<PaginaRelatorio> paginas;
    for (std::size_t inicio = 0; inicio < impressas.size(); inicio += porPagina) {
        const std::size_t fim = std::min(impressas.size(), inicio + porPagina);
        paginas.emplace_back(impressas.begin() + static_cast<std::ptrdiff_t>(inicio),
                             impressas.begin() + static_cast<std::ptrdiff_t>(fim));
    }
    if (paginas.empty())
        paginas.emplace_back();
    return paginas;
}
