// What the monthly balances do when the database refuses or fails, with the work
// table's sign rule, cancelling, and the balance computation on four-decimal amounts.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "balances/ApoioSaldos.h"

namespace fs = std::filesystem;

TEST_F(Saldos, MovimentosRecusadosNaTabelaDeTrabalhoFalhamAExecucao)
{
    banco.executar("ALTER TABLE GEDRA_CONDIA ADD CONSTRAINT CK_GEDRA_TESTE CHECK (BALCO <> '711101')");
    abrir();
    EXPECT_EQ(gerar("5"), ResultadoGeracao::Falhou);

    // Both movements of 711101 were refused; the first refusal's wording follows.
    const std::string inicio = "N\xE3o foi poss\xEDvel gravar 2 movimento(s) na tabela de trabalho GEDRA_CONDIA.\r";
    const std::string msg = relator.ultimaMensagem();
    EXPECT_EQ(msg.substr(0, inicio.size()), inicio);
    EXPECT_NE(msg.find("CK_GEDRA_TESTE"), std::string::npos) << msg;

    // Nothing was computed: the work table and the balances are those of before.
    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM GEDRA_CONDIA"), "1");
    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM CONPLA_MES"), "7");
    EXPECT_EQ(conplaMes("MES = 3 AND UG = 5 AND TIPO_FINAL = 'UG'"),
              std::vector<std::string>{"3 5 211203 1.1100 1.1100 1.1100 1.1100 UG"});
    EXPECT_FALSE(fs::exists(arquivo("ARQ_4.1.2_5_SALDO_MESAL_DIARIO_GERAL.txt")));
    EXPECT_FALSE(fs::exists(arquivo("ARQ_4.9.2_5_PLANO_DIARIO_GERAL.txt")));
    EXPECT_EQ(relator.etapasLongasAbertas, 0);
    EXPECT_FALSE(Conexao.emTransacao());
}

TEST_F(Saldos, FalhaNoMesDesfazOMesInteiro)
{
    // From April on the work table gets codes too long for the balance statement, so
    // April's computation fails after its old rows were deleted.
    banco.executar("CREATE TRIGGER TG_GEDRA_TESTE FOR GEDRA_CONDIA BEFORE INSERT AS BEGIN "
                   "IF (NEW.DATAE >= '2008-04-01') THEN NEW.BALCO = NEW.BALCO || 'X'; END");
    abrir();
    EXPECT_EQ(gerar("5"), ResultadoGeracao::Falhou);

    EXPECT_EQ(conplaMes("MES = 4"), std::vector<std::string>{"4 5 211203 7.7700 7.7700 7.7700 7.7700 UG"});
    // March, done before, keeps its new rows.
    EXPECT_EQ(conplaMes("MES = 3 AND UG = 5 AND BALCO = '211203' AND TIPO_FINAL = 'UG'"),
              std::vector<std::string>{"3 5 211203 70.0000 5.0000 20.0000 55.0000 UG"});
    EXPECT_FALSE(Conexao.emTransacao());
}

TEST_F(Saldos, SaldoRecusadoEAvisadoEOsDemaisGravados)
{
    banco.executar("ALTER TABLE CONPLA_MES ADD CONSTRAINT CK_MES_TESTE CHECK (NOT (MES = 3 AND BALCO = '411101'))");
    abrir();
    gerar("5");

    bool avisado = false;
    for (const auto& m : relator.mensagens)
        if (m.titulo == "Erro" && m.texto.rfind("Ocorreram Problemas...\r", 0) == 0 &&
            m.texto.find("CK_MES_TESTE") != std::string::npos)
            avisado = true;
    EXPECT_TRUE(avisado);

    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM CONPLA_MES WHERE MES = 3 AND UG = 5 AND TIPO_FINAL = 'UG'"),
              "14");
    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM CONPLA_MES WHERE MES = 4 AND BALCO = '411101'"), "1");
    // The refused row stays in the month's buffer, so the file still has it.
    const std::string arquivo3 = LerArquivo(arquivo("ARQ_4.1.2_5_SALDO_MESAL_DIARIO_GERAL.txt"));
    EXPECT_NE(arquivo3.find(saldo("01032008", "41110105", "123456", 'C', "0", "0", "123456", 'C')), std::string::npos);
}

TEST_F(Saldos, SinaisTrocadosNaTabelaDeTrabalho)
{
    banco.executar("INSERT INTO CONDIA (ID, DATAE, BALCO, DEBIT, CREDI, SEQUENCIA, IE, EMPRESA) "
                   "VALUES (20, '2008-05-10', '211203', 10.00, -5.00, 20, 7, 3)");
    banco.executar("INSERT INTO CONDIA (ID, DATAE, BALCO, DEBIT, CREDI, SEQUENCIA, IE, EMPRESA) "
                   "VALUES (21, '2008-05-11', '211203', -3.00, -2.00, 21, 7, 3)");
    banco.executar("INSERT INTO CONDIA (ID, DATAE, BALCO, DEBIT, CREDI, SEQUENCIA, IE, EMPRESA) "
                   "VALUES (22, '2008-05-12', '211203', 0, -5.00, 22, 7, 3)");
    banco.executar("INSERT INTO CONDIA (ID, DATAE, BALCO, DEBIT, CREDI, SEQUENCIA, IE, EMPRESA) "
                   "VALUES (23, '2008-05-13', '211203', -5.00, 0, 23, 7, 3)");
    abrir();
    gerar("3");

    // Each movement five times, the four levels with entity 0; a negative amount moves
    // to the other side and adds to what is there, so no movement changes its balance.
    std::vector<std::string> linhas;
    for (const Registro& r : Conexao.consultar("SELECT UG, DATAE, BALCO, CREDI, DEBIT FROM GEDRA_CONDIA "
                                               "ORDER BY DATAE, BALCO"))
        linhas.push_back(r["UG"].comoTexto() + " " + r["DATAE"].comoData().textoCurto() + " " +
                         r["BALCO"].comoTexto() + " " + Moeda::deDuplo(r["CREDI"].comoDuplo()).texto() + " " +
                         Moeda::deDuplo(r["DEBIT"].comoDuplo()).texto());
    std::vector<std::string> esperado;
    auto movimento = [&](const std::string& data, const std::string& credito, const std::string& debito) {
        for (const char* nivel : {"200000", "210000", "211000", "211200"})
            esperado.push_back("0 " + data + " " + nivel + " " + credito + " " + debito);
        esperado.push_back("3 " + data + " 211203 " + credito + " " + debito);
    };
    movimento("10/03/2008", "0.0000", "40.0000");
    movimento("10/05/2008", "0.0000", "15.0000");
    movimento("11/05/2008", "3.0000", "2.0000");
    movimento("12/05/2008", "0.0000", "5.0000");
    movimento("13/05/2008", "5.0000", "0.0000");
    EXPECT_EQ(linhas, esperado);

    EXPECT_EQ(conplaMes("MES = 5 AND UG = 3 AND BALCO = '211203'"),
              std::vector<std::string>{"5 3 211203 40.0000 22.0000 8.0000 54.0000 UG"});
}

TEST_F(Saldos, CancelamentoDepoisDeUmMes)
{
    abrir();
    relator.cancelarAposEtapa = "4.1.2. Saldos Mensais Diario Geral / M\xEAs = 02";
    EXPECT_EQ(gerar("5"), ResultadoGeracao::Cancelada);

    // February was computed; March was not reached.
    EXPECT_EQ(consultarTexto("SELECT COUNT(*) FROM CONPLA_MES WHERE MES = 2 AND UG = 5"), "15");
    EXPECT_EQ(conplaMes("MES = 3 AND UG = 5 AND TIPO_FINAL = 'UG'"),
              std::vector<std::string>{"3 5 211203 1.1100 1.1100 1.1100 1.1100 UG"});
    EXPECT_FALSE(fs::exists(arquivo("ARQ_4.1.2_5_SALDO_MESAL_DIARIO_GERAL.txt")));
    EXPECT_FALSE(fs::exists(arquivo("ARQ_4.9.2_5_PLANO_DIARIO_GERAL.txt")));
}

TEST_F(Saldos, CalculoMensalComQuatroCasas)
{
    abrir();
    // Work-table doubles become four-decimal amounts: a sum of ten 0.1 is 1.0000, and
    // 10.0040 − 0.0040 is exactly 10.0000. The month comes from the end literal.
    Conexao.executar("DELETE FROM GEDRA_CONDIA");
    for (int i = 0; i < 10; ++i)
        Conexao.executar("INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) "
                         "VALUES (7, '2008-01-15', '411101', 0, 0.1)");
    Conexao.executar("INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) "
                     "VALUES (7, '2008-02-01', '411101', 0.004, 10.004)");
    dm.CALCULA_CONPLA_MES("'01.02.2008'", "'29.02.2008'", "UG", "7");

    ASSERT_EQ(dm.cdsBalancete.contar(), 5);
    dm.cdsBalancete.primeiro();
    EXPECT_EQ(dm.cdsBalancete.campo("BALCO").comoTexto(), "400000");
    EXPECT_EQ(conplaMes("MES = 2 AND BALCO = '411101'"),
              std::vector<std::string>{"2 7 411101 1.0000 10.0040 0.0040 11.0000 UG"});
    EXPECT_FALSE(Conexao.emTransacao());
}
