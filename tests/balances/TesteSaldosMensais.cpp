// The monthly balances and chart-of-accounts files on a small year whose records were
// worked out by hand from the record layouts, compared byte for byte; the monthly
// balances that a run leaves in CONPLA_MES; and the work table.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "balances/ApoioSaldos.h"

namespace fs = std::filesystem;

namespace {

const std::string SOLUCAO_PLANO = "INFORME NO MODULO \"DI\xC1RIO RAZ\xC3O MURT\" MENU \"PLANO DE CONTAS\"";

// The twelve months of entity 5, as the layouts give them. The indicators: 711101 has
// no nature and a zero balance, so it repeats the letter of the record before it (in
// January the last journal record's «C», and a blank for the final balance); 311101 has
// no nature either, so its zero balances take «D» from the first digit; 211203's zero
// initial balance in February takes its nature «D», not the «C» of its first digit.
std::string SaldosEntidade5()
{
    std::string e;
    e += saldo("01012008", "71110105", "0", 'C', "1000", "1000", "0", ' ');
    e += saldo("01022008", "21120305", "0", 'D', "10000", "3000", "7000", 'D');
    e += saldo("01022008", "41110105", "0", 'C', "0", "123456", "123456", 'C');
    e += saldo("01022008", "71110105", "0", 'C', "0", "0", "0", 'C');
    e += saldo("01032008", "21120305", "7000", 'D', "500", "2000", "5500", 'D');
    e += saldo("01032008", "41110105", "123456", 'C', "0", "0", "123456", 'C');
    e += saldo("01032008", "71110105", "0", 'C', "0", "0", "0", 'C');
    e += saldo("01042008", "21120305", "5500", 'D', "0", "0", "5500", 'D');
    e += saldo("01042008", "31110105", "0", 'D', "5000", "5000", "0", 'D');
    e += saldo("01042008", "41110105", "123456", 'C', "0", "0", "123456", 'C');
    e += saldo("01042008", "71110105", "0", 'C', "0", "0", "0", 'C');
    // From May on nothing moves but the account that the chart lacks (June), which is
    // never written: the same four records each month.
    for (const char* mes : {"05", "06", "07", "08", "09", "10", "11", "12"}) {
        const std::string data = std::string("01") + mes + "2008";
        e += saldo(data, "21120305", "5500", 'D', "0", "0", "5500", 'D');
        e += saldo(data, "31110105", "0", 'D', "0", "0", "0", 'D');
        e += saldo(data, "41110105", "123456", 'C', "0", "0", "123456", 'C');
        e += saldo(data, "71110105", "0", 'C', "0", "0", "0", 'C');
    }
    return e;
}

// The used accounts in the order met: the journal's (by date), then the synthetic
// accounts of the chart. 511101 is not in the chart and has no record.
std::string PlanoEntidade5()
{
    return plano("71110105", 'A', "71110000", ".,. ,") +
           plano("21120305", 'A', "21120000", "CAIXA  GERAL") +
           plano("41110105", 'A', "41110000", "IPTU") +
           plano("31110105", 'A', "31110000", "CONTA NAO INFORMADA") +
           plano("20000000", 'S', "", "PASSIVO") +
           plano("21120000", 'S', "21100000", "FORNECEDORES");
}

} // namespace

TEST_F(Saldos, ArquivosDaEntidadeByteAByte)
{
    abrir();
    EXPECT_EQ(gerar("5"), ResultadoGeracao::ComErros);

    EXPECT_EQ(LerArquivo(arquivo("ARQ_4.1.2_5_SALDO_MESAL_DIARIO_GERAL.txt")), SaldosEntidade5());
    EXPECT_EQ(LerArquivo(arquivo("ARQ_4.9.2_5_PLANO_DIARIO_GERAL.txt")), PlanoEntidade5());

    // A title of points and commas, then the account that the chart lacks: a problem
    // and its solution each, in the order met; no message box stops the run.
    const std::vector<std::string> esperado = {
        "====================== PROBLEMA ===================================",
        "PLANO_DIARIO_GERAL == DESCRI\xC7\xC3O DA CONTA INV\xC1LIDA (CONTA. 711101) (EMP. 00)",
        "SOLUCAO: ----------------------------------------------------------",
        SOLUCAO_PLANO,
        std::string(67, '-'),
        "",
        "====================== PROBLEMA ===================================",
        "PLANO_DIARIO_GERAL == CONTA N\xC3O ENCONTRADA NO PLANO DE CONTAS (CONTA. 511101) (EMP. 05)",
        "SOLUCAO: ----------------------------------------------------------",
        SOLUCAO_PLANO,
        std::string(67, '-'),
        "",
    };
    ASSERT_GE(relator.log.size(), 2 + esperado.size());
    EXPECT_EQ(std::vector<std::string>(relator.log.begin() + 2, relator.log.begin() + 2 + esperado.size()), esperado);
    EXPECT_EQ(relator.log[2 + esperado.size() + 1], "FORAM ENCONTRADOS 2 ERROS NA GERACAO DOS ARQUIVOS");
    for (const auto& m : relator.mensagens)
        EXPECT_EQ(m.texto.find("511101"), std::string::npos) << m.texto;

    ASSERT_EQ(relator.linhas.size(), 4u);
    EXPECT_EQ(relator.linhas[2].arquivo, "ARQ_4.1.2_5_SALDO_MESAL_DIARIO_GERAL.txt");
    EXPECT_EQ(relator.linhas[2].status.icone, 1);
    EXPECT_EQ(relator.linhas[2].status.linhas, "43");
    EXPECT_EQ(relator.linhas[3].status.icone, 0);
    EXPECT_EQ(relator.linhas[3].status.linhas, "6");

    // The wait window came up once, around the work table, and went again.
    EXPECT_EQ(relator.legendasLongas, std::vector<std::string>{"Aguarde,\rpode Demorar!"});
    EXPECT_EQ(relator.etapasLongasAbertas, 0);

    // GTodos: files 1 and 2, the work table, twelve months and file 4 fill its 16.
    EXPECT_EQ(relator.maximoTodos, 16);
    EXPECT_EQ(relator.maiorProgressoTodos, 16);
}

TEST_F(Saldos, MesDaEntidadeEmConplaMes)
{
    abrir();
    gerar("5");

    std::vector<std::string> esperado;
    auto niveis = [&](std::initializer_list<const char*> contas, const std::string& valores) {
        for (const char* c : contas)
            esperado.push_back(std::string("3 5 ") + c + " " + valores + " UG");
    };
    niveis({"200000", "210000", "211000", "211200", "211203"}, "70.0000 5.0000 20.0000 55.0000");
    niveis({"400000", "410000", "411000", "411100", "411101"}, "-1234.5600 0.0000 0.0000 -1234.5600");
    niveis({"700000", "710000", "711000", "711100", "711101"}, "0.0000 0.0000 0.0000 0.0000");
    EXPECT_EQ(conplaMes("MES = 3 AND UG = 5 AND TIPO_FINAL = 'UG'"), esperado);

    // The other entity's rows, the other types and the consolidated rows stay; the
    // entity's row without a type went with the month.
    EXPECT_EQ(conplaMes("MES = 3 AND NOT (UG = 5 AND TIPO_FINAL = 'UG')"),
              (std::vector<std::string>{"3 4 311101 6.6600 6.6600 6.6600 6.6600 CO",
                                        "3 5 211203 5.5500 5.5500 5.5500 5.5500 CO",
                                        "3 3 211203 4.4400 4.4400 4.4400 4.4400 UG",
                                        "3 5 211203 3.3300 3.3300 3.3300 3.3300 XX"}));

    // The work table holds this run's movements, each once per level.
    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM GEDRA_CONDIA"), "50");
    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM GEDRA_CONDIA WHERE UG = 3 OR BALCO = '999999'"), "0");
}

TEST_F(Saldos, ConsolidadoPorContaEEntidade)
{
    abrir();
    gerar("");

    // Whole codes, one row per account and entity; every earlier consolidated row of
    // the month went, whatever its entity; the entities' own rows stay.
    EXPECT_EQ(conplaMes("MES = 3 AND TIPO_FINAL = 'CO' AND BALCO NOT LIKE '%00'"),
              (std::vector<std::string>{"3 3 211203 0.0000 40.0000 0.0000 40.0000 CO",
                                        "3 5 211203 70.0000 5.0000 20.0000 55.0000 CO",
                                        "3 5 411101 -1234.5600 0.0000 0.0000 -1234.5600 CO",
                                        "3 5 711101 0.0000 0.0000 0.0000 0.0000 CO"}));
    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM CONPLA_MES WHERE MES = 3 AND UG = 4"), "0");
    EXPECT_EQ(conplaMes("MES = 3 AND TIPO_FINAL <> 'CO'"),
              (std::vector<std::string>{"3 3 211203 4.4400 4.4400 4.4400 4.4400 UG",
                                        "3 5 211203 1.1100 1.1100 1.1100 1.1100 UG",
                                        "3 5 211203 3.3300 3.3300 3.3300 3.3300 XX"}));

    // Each entity's record carries its own code, ordered by account, then entity.
    const std::string arquivo3 = LerArquivo(arquivo("ARQ_4.1.2__SALDO_MESAL_DIARIO_GERAL.txt"));
    const std::string marco = saldo("01032008", "21120303", "0", 'D', "4000", "0", "4000", 'D') +
                              saldo("01032008", "21120305", "7000", 'D', "500", "2000", "5500", 'D');
    EXPECT_NE(arquivo3.find(marco), std::string::npos);
}

TEST_F(Saldos, MesesVaziosNoInicioDoPeriodo)
{
    abrir();
    // Entity 3 moves only in March: January and February write nothing, and the file
    // keeps March to December.
    EXPECT_EQ(gerar("3"), ResultadoGeracao::Sucesso);
    std::string esperado = saldo("01032008", "21120303", "0", 'D', "4000", "0", "4000", 'D');
    for (const char* mes : {"04", "05", "06", "07", "08", "09", "10", "11", "12"})
        esperado += saldo(std::string("01") + mes + "2008", "21120303", "4000", 'D', "0", "0", "4000", 'D');
    EXPECT_EQ(LerArquivo(arquivo("ARQ_4.1.2_3_SALDO_MESAL_DIARIO_GERAL.txt")), esperado);
    ASSERT_EQ(relator.linhas.size(), 4u);
    EXPECT_EQ(relator.linhas[2].status.icone, 1);

    // Entity 4 moves nothing at all: no file, and the no-data state.
    relator = GravadorSaldos();
    gerar("4");
    EXPECT_FALSE(fs::exists(arquivo("ARQ_4.1.2_4_SALDO_MESAL_DIARIO_GERAL.txt")));
    ASSERT_EQ(relator.linhas.size(), 4u);
    EXPECT_EQ(relator.linhas[2].status.icone, 3);
}

TEST_F(Saldos, PeriodoDeUmMes)
{
    abrir();
    // The work table holds March only: every initial balance is 0, and 211203 ends the
    // month with a credit balance.
    gerar("5", 3);
    EXPECT_EQ(LerArquivo(arquivo("ARQ_4.1.2_5_SALDO_MESAL_DIARIO_GERAL.txt")),
              saldo("01032008", "21120305", "0", 'D', "500", "2000", "1500", 'C'));
    // Five steps of the overall gauge, whose maximum for March is 6.
    EXPECT_EQ(relator.maximoTodos, 6);
    EXPECT_EQ(relator.maiorProgressoTodos, 5);
}
