// gedra-lote as automation uses it: exit codes, status rows, the log file and the
// error report as a PDF.

#include <filesystem>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/Processo.h"

namespace fs = std::filesystem;

namespace {

class GedraLote : public ::testing::Test {
protected:
    BancoTeste banco{"diario.sql"};
    fs::path saida = fs::path(banco.pasta()) / "saida";

    void SetUp() override { fs::create_directories(saida); }

    ResultadoProcesso lote(const std::string& argumentos)
    {
        return ExecutarComando(ProgramaCompilado("gedra-lote") + " --config '" + banco.pasta() + "' --saida '" +
                               saida.string() + "' " + argumentos);
    }
};

} // namespace

TEST_F(GedraLote, ExecucaoComProblemasGravaLogERelatorio)
{
    const fs::path log = saida / "erros.txt";
    const fs::path pdf = saida / "erros.pdf";
    const ResultadoProcesso r =
        lote("--referencia TODOS --empresa 3 --log '" + log.string() + "' --relatorio '" + pdf.string() + "'");
    ASSERT_EQ(r.codigo, 1) << r.saida;

    // One status row per file, printed as it finishes.
    for (const char* nome : {"ARQ_4.9.3_3_CENTRO_CUSTO_DESPESA.txt", "ARQ_4.1.1_3_LANC_DIARIO_GERAL.txt",
                             "ARQ_4.1.2_3_SALDO_MESAL_DIARIO_GERAL.txt", "ARQ_4.9.2_3_PLANO_DIARIO_GERAL.txt"}) {
        EXPECT_NE(r.saida.find(nome), std::string::npos) << nome << "\n" << r.saida;
        EXPECT_TRUE(fs::exists(saida / nome)) << nome;
    }
    EXPECT_NE(r.saida.find("Dados incorretos no arquivo"), std::string::npos);

    // The log in UTF-8, one line per log line.
    const std::string texto = LerArquivo(log.string());
    EXPECT_EQ(texto.rfind("====================== RELACAO DE ERROS E INCONCISTENCIAS =========\n\n", 0), 0u);
    EXPECT_NE(texto.find("CENTRO_CUSTO_DESPESA == DESCRI\xC3\x87\xC3\x83O INV\xC3\x81LIDA (CODIGO. 001003)\n"),
              std::string::npos);
    EXPECT_NE(texto.find("FORAM ENCONTRADOS 2 ERROS NA GERACAO DOS ARQUIVOS\n"), std::string::npos);

    // The report: the header on its page and every line of each PROBLEMA block.
    const ResultadoProcesso pt = ExecutarComando("pdftotext -layout '" + pdf.string() + "' -");
    ASSERT_EQ(pt.codigo, 0) << pt.saida;
    for (const char* trecho : {"PREFEITURA MUNICIPAL DE TESTE", "RUA DAS FLORES, 100", "12.345.678/0001-90",
                               "Exerc\xC3\xAD" "cio: 2008", "RELATORIO DE ERROS EXPORTA\xC3\x87\xC3\x83O GEDRA",
                               "P\xC3\xA1gina 1",
                               "====================== PROBLEMA ===================================",
                               "CENTRO_CUSTO_DESPESA == DESCRI\xC3\x87\xC3\x83O INV\xC3\x81LIDA (CODIGO. 001003)",
                               "CENTRO_CUSTO_DESPESA == DESCRI\xC3\x87\xC3\x83O INV\xC3\x81LIDA (CODIGO. 002002)",
                               "SOLUCAO: ----------------------------------------------------------",
                               "INFORME NO MODULO \"CONTAS\" MENU \"CADASTRO AUXILIAREES\" ITEM \"CADASTRO DE VINCULOS\"",
                               "FORAM ENCONTRADOS 2 ERROS NA GERACAO DOS ARQUIVOS"})
        EXPECT_NE(pt.saida.find(trecho), std::string::npos) << trecho << "\n" << pt.saida;
}

TEST_F(GedraLote, ErrosDeUsoEEntradaNaoGravamNada)
{
    struct Caso {
        std::string argumentos;
        int codigo;
    };
    const Caso casos[] = {
        {"", 2},
        {"--referencia 13", 2},
        {"--referencia JANEIRO", 2},
        {"--referencia TODOS --desconhecida x", 2},
        {"--referencia TODOS --empresa '3) OR (1=1'", 2},
        {"--referencia TODOS --empresa '../x'", 2},
    };
    for (const auto& c : casos) {
        const ResultadoProcesso r = lote(c.argumentos);
        EXPECT_EQ(r.codigo, c.codigo) << c.argumentos << "\n" << r.saida;
    }
    EXPECT_TRUE(fs::is_empty(saida));
}

TEST_F(GedraLote, BancoAusenteFalha)
{
    fs::remove(banco.caminhoBanco());
    const ResultadoProcesso r = lote("--referencia 1");
    EXPECT_EQ(r.codigo, 3) << r.saida;
    EXPECT_NE(r.saida.find("Base de Dados do sistema n\xC3\xA3o encontrada !!!"), std::string::npos) << r.saida;
    EXPECT_TRUE(fs::is_empty(saida));
}
