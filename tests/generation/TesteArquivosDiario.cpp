// The cost-centre and journal files on a small year whose records were worked out by
// hand from the record layouts, compared byte for byte; and the run's frame: names,
// entity and folder checks, no half-written files, cancelling.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/EmpatesArquivo.h"
#include "apoio/RelatorGravador.h"
#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "generation/Geracao.h"
#include "settings/Configuracao.h"

namespace fs = std::filesystem;

namespace {

std::string pad(const std::string& s, size_t n)
{
    return s.substr(0, n) + std::string(n > s.size() ? n - s.size() : 0, ' ');
}

// One journal record, field by field.
std::string lanc(const std::string& data, const std::string& conta, const std::string& centro,
                 const std::string& valor17, char dc, const std::string& seq, const std::string& historico)
{
    return data + pad(conta, 28) + pad(centro, 28) + std::string(28, ' ') + valor17 + dc + pad(seq, 12) +
           pad(seq, 12) + pad(historico, 150) + "\r\n";
}

std::string centro(const std::string& codigo, const std::string& descricao)
{
    return "01012008" + pad(codigo, 28) + pad(descricao, 45) + "\r\n";
}

std::string ler(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}


const std::string HIST_1 = "ACAO  SAUDE EDUCACAO GERAL";
const std::string HIST_5 = "D AGUA  QUOTED";
const std::string EXTRA = "EXTRA-OR\xC7" "AMENT\xC1RIO";
const std::string HIST_11 = "ARRECADACAO DE IPTU 50% (PARCELA*)";

class ArquivosDiario : public ::testing::Test {
protected:
    BancoTeste banco{"diario.sql"};
    ConexaoBanco Conexao;
    RelatorGravador relator;
    Tdm dm{Conexao, relator};
    fs::path saida;

    void SetUp() override
    {
        DefinirPastaConfiguracao(banco.pasta());
        ASSERT_TRUE(dm.DataModuleCreate());
        saida = fs::path(banco.pasta()) / "saida";
        fs::create_directories(saida);
    }

    ResultadoGeracao gerar(const std::string& empresa, int indice = 0, std::optional<std::string> caminho = {})
    {
        static const char* const lista[] = {"TODOS", "01 - Janeiro", "02 - Fevereiro", "03 - Mar\xE7o"};
        EntradaGeracao e;
        e.indiceReferencia = indice;
        e.referencia = indice >= 0 ? lista[indice] : " <Escolha o M\xEAs>";
        if (indice >= 0) {
            PeriodoSQL p = cbMesRefChange(e.referencia, "2008");
            e.DataIniSQL = p.DataIniSQL;
            e.DataFimSQL = p.DataFimSQL;
        }
        e.empresa = empresa;
        e.nome = "FUNDO";
        e.caminho = caminho ? *caminho : saida.string() + "/";
        e.Exercicio = "2008";
        return GerarArquivos(Conexao, dm, relator, e);
    }
};

} // namespace

TEST_F(ArquivosDiario, CentrosDeCustoByteAByte)
{
    gerar("3");
    const std::string esperado = centro("001002", "SECRETARIA DE SAUDE") + centro("001003", "A") +
                                 centro("002001", "SAO") + centro("002002", "") + centro("", "OBRAS");
    EXPECT_EQ(ler(saida / "ARQ_4.9.3_3_CENTRO_CUSTO_DESPESA.txt"), esperado);

    // Two short descriptions: two problem blocks, the code as stored.
    ASSERT_GE(relator.log.size(), 8u);
    EXPECT_EQ(relator.log[0], "====================== RELACAO DE ERROS E INCONCISTENCIAS =========");
    EXPECT_EQ(relator.log[2], "====================== PROBLEMA ===================================");
    EXPECT_EQ(relator.log[3], "CENTRO_CUSTO_DESPESA == DESCRI\xC7\xC3O INV\xC1LIDA (CODIGO. 001003)");
    EXPECT_EQ(relator.log[4], "SOLUCAO: ----------------------------------------------------------");
    EXPECT_EQ(relator.log[5],
              "INFORME NO MODULO \"CONTAS\" MENU \"CADASTRO AUXILIAREES\" ITEM \"CADASTRO DE VINCULOS\"");
    EXPECT_EQ(relator.log[6], std::string(67, '-'));
    EXPECT_EQ(relator.log[7], "");
    EXPECT_EQ(relator.log[9], "CENTRO_CUSTO_DESPESA == DESCRI\xC7\xC3O INV\xC1LIDA (CODIGO. 002002)");
    ASSERT_FALSE(relator.linhas.empty());
    EXPECT_EQ(relator.linhas[0].status.icone, 0);
    EXPECT_EQ(relator.linhas[0].status.linhas, "5");
}

TEST_F(ArquivosDiario, LancamentosDaEntidadeByteAByte)
{
    gerar("3");
    const std::string esperado =
        lanc("01012008", "11110103", "001002", "00000000000015000", 'D', "1", HIST_1) +
        lanc("01012008", "11110103", "001002", "00000000000015000", 'C', "1", HIST_1) +
        lanc("10022008", "21120303", "001001", "00000000000008050", 'C', "2", "DESPESA EMPENHADA") +
        lanc("11022008", "21120303", "001002", "00000000000001234", 'C', "3", "") +
        lanc("15032008", "11110100", "001002", "00000000000002000", 'C', "4", HIST_5) +
        lanc("30062008", "31110103", "002001", "00000000000000750", 'D', "6", EXTRA);
    const std::string obtido = ler(saida / "ARQ_4.1.1_3_LANC_DIARIO_GERAL.txt");
    EXPECT_EQ(EmpatesDoDiario(obtido), EmpatesDoDiario(esperado));
    ASSERT_GE(relator.linhas.size(), 2u);
    EXPECT_EQ(relator.linhas[1].arquivo, "ARQ_4.1.1_3_LANC_DIARIO_GERAL.txt");
    EXPECT_EQ(relator.linhas[1].status.icone, 1);
    EXPECT_EQ(relator.linhas[1].status.linhas, "6");
    EXPECT_EQ(relator.linhas[1].status.tamanho, "1,68 Kb");   // 6 x 286 = 1716 bytes
}

TEST_F(ArquivosDiario, LancamentosConsolidadosByteAByte)
{
    gerar("");
    const std::string esperado =
        lanc("01012008", "11110103", "001002", "00000000000015000", 'D', "1", HIST_1) +
        lanc("01012008", "11110103", "001002", "00000000000015000", 'C', "1", HIST_1) +
        lanc("10022008", "21120303", "001001", "00000000000008050", 'C', "2", "DESPESA EMPENHADA") +
        lanc("11022008", "21120303", "001002", "00000000000001234", 'C', "3", "") +
        lanc("15032008", "11110100", "001002", "00000000000002000", 'C', "4", HIST_5) +
        lanc("01042008", "41110104", "001002", "00000000000001000", 'D', "7", HIST_11) +
        lanc("30062008", "31110103", "002001", "00000000000000750", 'D', "6", EXTRA) +
        lanc("31122008", "31110105", "002001", "00000000000123457", 'D', "8", std::string(49, 'A'));
    EXPECT_EQ(EmpatesDoDiario(ler(saida / "ARQ_4.1.1__LANC_DIARIO_GERAL.txt")), EmpatesDoDiario(esperado));
    EXPECT_TRUE(fs::exists(saida / "ARQ_4.9.3__CENTRO_CUSTO_DESPESA.txt"));
}

TEST_F(ArquivosDiario, UmMesEMesSemLancamentos)
{
    gerar("3", 2);
    EXPECT_EQ(ler(saida / "ARQ_4.1.1_3_LANC_DIARIO_GERAL.txt"),
              lanc("10022008", "21120303", "001001", "00000000000008050", 'C', "2", "DESPESA EMPENHADA") +
                  lanc("11022008", "21120303", "001002", "00000000000001234", 'C', "3", ""));

    // January for entity 4 has no journal line: no file, the no-data icon, empty columns.
    gerar("4", 1);
    EXPECT_FALSE(fs::exists(saida / "ARQ_4.1.1_4_LANC_DIARIO_GERAL.txt"));
    ASSERT_GE(relator.linhas.size(), 2u);
    EXPECT_EQ(relator.linhas[1].status.icone, 3);
    EXPECT_EQ(relator.linhas[1].status.linhas, "");
}

TEST_F(ArquivosDiario, SemPeriodoNadaEGravado)
{
    EXPECT_EQ(gerar("3", -1), ResultadoGeracao::SemPeriodo);
    ASSERT_EQ(relator.mensagens.size(), 1u);
    EXPECT_EQ(relator.mensagens[0].texto, "Escolha o M\xEAs de Refer\xEAncia ou Informe um Per\xEDodo !");
    EXPECT_EQ(relator.mensagens[0].titulo, "Aten\xE7\xE3o");
    EXPECT_TRUE(relator.linhas.empty());
    EXPECT_FALSE(fs::exists(fs::path(banco.pasta()) / "ARQ2008" / "RARIVIDEZE.ini"));
}

TEST_F(ArquivosDiario, ArquivoDeParametrosGuardaAsEscolhas)
{
    gerar(" 3");
    const std::string ini = ler(fs::path(banco.pasta()) / "ARQ2008" / "RARIVIDEZE.ini");
    EXPECT_NE(ini.find("EMPRESA= 3") == std::string::npos ? ini.find("EMPRESA=3") : 0, std::string::npos) << ini;
    EXPECT_NE(ini.find("REFERENCIA=TODOS"), std::string::npos);
    // The name keeps the text as typed, blank included.
    EXPECT_TRUE(fs::exists(saida / "ARQ_4.9.3_ 3_CENTRO_CUSTO_DESPESA.txt"));
    EXPECT_TRUE(fs::exists(saida / "ARQ_4.1.1_ 3_LANC_DIARIO_GERAL.txt"));
}

// Typed entity texts that would run as SQL or write outside the folder are refused
// before anything is written.
TEST_F(ArquivosDiario, EntidadeInvalidaRecusada)
{
    for (std::string texto : {"3) OR (1=1", "../x", "3a", "..\\3", "3\n"}) {
        relator.mensagens.clear();
        EXPECT_EQ(gerar(texto), ResultadoGeracao::EntradaInvalida) << texto;
        ASSERT_EQ(relator.mensagens.size(), 1u) << texto;
        EXPECT_EQ(relator.mensagens[0].texto, "C\xF3" "digo de entidade inv\xE1lido: " + texto);
        EXPECT_EQ(relator.mensagens[0].titulo, "Aten\xE7\xE3o");
    }
    EXPECT_TRUE(fs::is_empty(saida));
    EXPECT_FALSE(fs::exists(fs::path(banco.pasta()) / "ARQ2008" / "RARIVIDEZE.ini"));
}

TEST_F(ArquivosDiario, PastaDeSaida)
{
    // Without its final separator the text is still the folder.
    EXPECT_EQ(gerar("3", 2, saida.string()), ResultadoGeracao::ComErros);
    EXPECT_TRUE(fs::exists(saida / "ARQ_4.9.3_3_CENTRO_CUSTO_DESPESA.txt"));

    for (std::string pasta : {std::string(""), (saida / "nao-existe").string()}) {
        relator.mensagens.clear();
        EXPECT_EQ(gerar("3", 2, pasta), ResultadoGeracao::EntradaInvalida);
        ASSERT_EQ(relator.mensagens.size(), 1u);
        EXPECT_EQ(relator.mensagens[0].texto.rfind("Pasta de destino n\xE3o encontrada: ", 0), 0u);
    }
}

// A run that fails leaves no digital file half-written under its final name.
TEST_F(ArquivosDiario, FalhaNaoDeixaArquivoIncompleto)
{
    Conexao.executar("UPDATE CADCLI SET MEXER = '20X8'");
    EXPECT_EQ(gerar("3"), ResultadoGeracao::Falhou);
    EXPECT_TRUE(fs::is_empty(saida)) << "nenhum arquivo, nem tempor\xE1rio";
    ASSERT_FALSE(relator.mensagens.empty());
    EXPECT_NE(relator.mensagens.back().texto.find("20X8"), std::string::npos);
    EXPECT_FALSE(relator.emExecucao);
}

TEST_F(ArquivosDiario, CancelamentoAposOPrimeiroArquivo)
{
    relator.cancelarAposArquivos = 1;
    EXPECT_EQ(gerar("3"), ResultadoGeracao::Cancelada);
    EXPECT_EQ(relator.ultimaMensagem(), "Opera\xE7\xE3o Cancelada!!");
    EXPECT_TRUE(fs::exists(saida / "ARQ_4.9.3_3_CENTRO_CUSTO_DESPESA.txt"));
    EXPECT_FALSE(fs::exists(saida / "ARQ_4.1.1_3_LANC_DIARIO_GERAL.txt"));
}
