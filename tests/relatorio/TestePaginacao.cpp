#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ApoioRelatorio.h"
#include "windows/relatorio/PaginacaoRelatorio.h"

namespace {

std::vector<std::string> Achatar(const std::vector<PaginaRelatorio>& paginas)
{
    std::vector<std::string> linhas;
    for (const auto& pagina : paginas)
        linhas.insert(linhas.end(), pagina.begin(), pagina.end());
    return linhas;
}

}  // namespace

TEST(PaginacaoRelatorio, CapacidadeDaFaixaDeDetalheNoA4)
{
    // 178.594 mm at 6 pt per character; 250.963 mm at 11.328 pt per line.
    const MetricasDetalhe m = MetricasPadrao();
    EXPECT_EQ(m.caracteresPorLinha, 84);
    EXPECT_EQ(m.linhasPorPagina, 62);
}

TEST(PaginacaoRelatorio, LogVazioDaUmaPaginaSemDetalhe)
{
    const auto paginas = PaginarRelatorio({});
    ASSERT_EQ(paginas.size(), 1u);
    EXPECT_TRUE(paginas[0].empty());
}

TEST(PaginacaoRelatorio, LogCurtoCabeEmUmaPaginaComoEsta)
{
    const auto log = LogComProblemas(2);
    const auto paginas = PaginarRelatorio(log);
    ASSERT_EQ(paginas.size(), 1u);
    EXPECT_EQ(paginas[0], log);
}

TEST(PaginacaoRelatorio, LogLongoContinuaEmPaginasSemPerderNemRepetirLinhas)
{
    std::vector<std::string> log = LogComProblemas(21);  // 131 lines
    const std::string longa = std::string(84, 'A') + std::string(84, 'B') + "FIM";
    log.insert(log.begin() + 70, longa);

    const auto paginas = PaginarRelatorio(log);
    ASSERT_EQ(paginas.size(), 3u);
    EXPECT_EQ(paginas[0].size(), 62u);
    EXPECT_EQ(paginas[1].size(), 62u);
    EXPECT_EQ(paginas[2].size(), 131u + 3 - 124);

    std::vector<std::string> esperado = log;
    esperado.erase(esperado.begin() + 70);
    esperado.insert(esperado.begin() + 70, {std::string(84, 'A'), std::string(84, 'B'), "FIM"});
    EXPECT_EQ(Achatar(paginas), esperado);
}

TEST(PaginacaoRelatorio, QuebraPorCaractereQuebrasEmbutidasETabulacoes)
{
    const MetricasDetalhe estreita{10, 100};
    const struct {
        std::string linha;
        std::vector<std::string> impressas;
    } casos[] = {
        {"", {""}},
        {"0123456789", {"0123456789"}},
        {"0123456789X", {"0123456789", "X"}},
        {"AB CD EF GH IJ", {"AB CD EF G", "H IJ"}},  // by character, not by word
        {"UM\r\nDOIS\nTRES\rQUATRO", {"UM", "DOIS", "TRES", "QUATRO"}},
        {"FIM\r\n", {"FIM", ""}},
        {"A\tB", {"A       B"}},
        {"ABCDEFGHI\tZ", {"ABCDEFGHI ", "      Z"}},
        {"\xC7\xC3O\xC7\xC3O\xC7\xC3O\xC7\xC3", {"\xC7\xC3O\xC7\xC3O\xC7\xC3O\xC7", "\xC3"}},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(Achatar(PaginarRelatorio({caso.linha}, estreita)), caso.impressas) << caso.linha;
}

TEST(PaginacaoRelatorio, PaginaCheiaNaoDeixaPaginaVaziaNoFim)
{
    const std::vector<std::string> log(124, "X");
    EXPECT_EQ(PaginarRelatorio(log).size(), 2u);
    EXPECT_EQ(PaginarRelatorio(std::vector<std::string>(125, "X")).size(), 3u);
}
