// The in-memory dataset: locate, ordering, append/edit/post and the apply of the
// pending changes, against a real database.

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "db/ConexaoBanco.h"
#include "db/ConjuntoDados.h"
#include "db/ErroBanco.h"

namespace {

class DbConjunto : public ::testing::Test {
protected:
    BancoTeste banco;
    std::unique_ptr<ConexaoBanco> conexao = banco.conectar();
    ConjuntoDados cds;

    void saldo(int mes, int ug, const std::string& balco, int64_t final, const char* tipo = "UG")
    {
        cds.anexar();
        cds.definir("MES", Valor::inteiro(mes));
        cds.definir("UG", Valor::texto(std::to_string(ug)));   // as text, the way the balances set it
        cds.definir("BALCO", Valor::texto(balco));
        cds.definir("SALDO_FINAL", Valor::moeda(Moeda::deEscalado(final)));
        cds.definir("TIPO_FINAL", Valor::texto(tipo));
        cds.gravar();
    }
};

const char* const BUFFER_CONPLA_MES = "SELECT DISTINCT A.* FROM CONPLA_MES A WHERE 1=0";

} // namespace

TEST_F(DbConjunto, AbreSemLinhasComAsColunasDaTabela)
{
    cds.abrir(*conexao, BUFFER_CONPLA_MES);
    EXPECT_TRUE(cds.aberto());
    EXPECT_EQ(cds.contar(), 0);
    EXPECT_TRUE(cds.fim());
    EXPECT_EQ(cds.numeroRegistro(), 0);
    EXPECT_EQ(cds.colunas().tamanho(), 9);
    EXPECT_TRUE(cds.campo("SALDO_FINAL").nulo());
    EXPECT_THROW(cds.campo("NAO_EXISTE"), std::out_of_range);
    EXPECT_THROW(cds.definir("BALCO", Valor::texto("1")), std::logic_error);
}

TEST_F(DbConjunto, LocalizaPorDoisCamposAPrimeiraLinhaIgual)
{
    cds.criar({"BALCO", "UG", "N"});
    const struct {
        const char* balco;
        int ug;
    } linhas[] = {{"111101", 3}, {"111101", 4}, {"211203", 3}, {"111101", 4}};
    int n = 0;
    for (auto l : linhas) {
        cds.anexar();
        cds.definir("BALCO", Valor::texto(l.balco));
        cds.definir("UG", Valor::inteiro(l.ug));
        cds.definir("N", Valor::inteiro(++n));
        cds.gravar();
    }
    EXPECT_EQ(cds.contar(), 4);
    EXPECT_EQ(cds.alteracoesPendentes(), 4);

    ASSERT_TRUE(cds.localizar({"BALCO", "UG"}, {Valor::texto("111101"), Valor::texto("4")}));   // "4" finds 4
    EXPECT_EQ(cds.campo("N").comoInteiro(), 2);   // the first of two equal rows
    EXPECT_EQ(cds.numeroRegistro(), 2);
    ASSERT_TRUE(cds.localizar({"ug", "balco"}, {Valor::decimal(30000, 4), Valor::texto("211203")}));
    EXPECT_EQ(cds.campo("N").comoInteiro(), 3);
    EXPECT_FALSE(cds.localizar({"BALCO", "UG"}, {Valor::texto("111101"), Valor::inteiro(5)}));
    EXPECT_EQ(cds.campo("N").comoInteiro(), 3);   // position kept
    EXPECT_FALSE(cds.localizar({"BALCO", "UG"}, {Valor::texto("111101 "), Valor::inteiro(3)}));

    // The index follows posted changes.
    ASSERT_TRUE(cds.localizar({"BALCO", "UG"}, {Valor::texto("111101"), Valor::inteiro(3)}));
    cds.editar();
    cds.definir("UG", Valor::inteiro(9));
    EXPECT_EQ(cds.campo("UG").comoInteiro(), 9);   // the edit buffer
    cds.gravar();
    EXPECT_FALSE(cds.localizar({"BALCO", "UG"}, {Valor::texto("111101"), Valor::inteiro(3)}));
    ASSERT_TRUE(cds.localizar({"BALCO", "UG"}, {Valor::texto("111101"), Valor::inteiro(9)}));
    EXPECT_EQ(cds.campo("N").comoInteiro(), 1);

    // After ordering, "first" means first in the new order.
    cds.ordenar({"N"});
    cds.editar();
    cds.definir("N", Valor::inteiro(0));
    cds.cancelar();
    EXPECT_EQ(cds.campo("N").comoInteiro(), 1);
}

TEST_F(DbConjunto, OrdenaDeFormaEstavelComNulosPrimeiro)
{
    cds.criar({"BALCO", "UG", "N"});
    const struct {
        const char* balco;
        int ug;
    } linhas[] = {{"211203", 3}, {"111101", 10}, {nullptr, 1}, {"111101", 2}, {"111101", 10}, {"11110", 7}};
    int n = 0;
    for (auto l : linhas) {
        cds.anexar();
        if (l.balco)
            cds.definir("BALCO", Valor::texto(l.balco));
        cds.definir("UG", Valor::inteiro(l.ug));
        cds.definir("N", Valor::inteiro(++n));
        cds.gravar();
    }
    cds.ordenar({"BALCO", "UG"});
    std::vector<int64_t> vistos;
    for (cds.primeiro(); !cds.fim(); cds.proximo())
        vistos.push_back(cds.campo("N").comoInteiro());
    EXPECT_EQ(vistos, (std::vector<int64_t>{3, 6, 4, 2, 5, 1}));   // numbers by value: 2 before 10

    // The order is kept: a posted row goes to its place.
    cds.anexar();
    cds.definir("BALCO", Valor::texto("111101"));
    cds.definir("UG", Valor::inteiro(5));
    cds.definir("N", Valor::inteiro(7));
    cds.gravar();
    EXPECT_EQ(cds.numeroRegistro(), 4);
    vistos.clear();
    for (cds.primeiro(); !cds.fim(); cds.proximo())
        vistos.push_back(cds.campo("N").comoInteiro());
    EXPECT_EQ(vistos, (std::vector<int64_t>{3, 6, 4, 7, 2, 5, 1}));
}

TEST_F(DbConjunto, AplicaComUmaLinhaRecusadaQueFicaPendente)
{
    banco.executar("INSERT INTO CONPLA_MES (MES, UG, BALCO, TIPO_FINAL, SALDO_FINAL) VALUES (1, 3, '211203', 'UG', 5)");
    cds.abrir(*conexao, BUFFER_CONPLA_MES);
    saldo(1, 3, "111101", 12345);
    saldo(1, 3, "211203", 10000);   // already in the table: refused by UNQ_CONPLA_MES
    saldo(1, 3, "311101", -805000);
    ASSERT_EQ(cds.alteracoesPendentes(), 3);

    std::vector<std::string> mensagens;
    const int recusadas = cds.aplicarAlteracoes(*conexao, "CONPLA_MES", {"MES", "UG", "BALCO", "TIPO_FINAL"},
                                                [&](const std::string& m) { mensagens.push_back(m); });
    EXPECT_EQ(recusadas, 1);
    ASSERT_EQ(mensagens.size(), 1u);
    EXPECT_NE(mensagens[0].find("violation of PRIMARY or UNIQUE KEY constraint \"UNQ_CONPLA_MES\""),
              std::string::npos)
        << mensagens[0];
    EXPECT_EQ(cds.alteracoesPendentes(), 1);

    auto gravadas = banco.consultar("SELECT BALCO, SALDO_FINAL, OBS FROM CONPLA_MES ORDER BY BALCO");
    ASSERT_EQ(gravadas.size(), 3u);
    EXPECT_EQ(gravadas[0]["SALDO_FINAL"], Valor::decimal(12345, 4));
    EXPECT_EQ(gravadas[1]["SALDO_FINAL"], Valor::decimal(50000, 4));   // the old row, untouched
    EXPECT_EQ(gravadas[2]["SALDO_FINAL"].comoMoeda().escalado(), -805000);
    EXPECT_TRUE(gravadas[2]["OBS"].nulo());

    // The refused row is still there to be read, and is tried again by the next apply.
    ASSERT_TRUE(cds.localizar({"BALCO", "UG"}, {Valor::texto("211203"), Valor::texto("3")}));
    EXPECT_EQ(cds.campo("SALDO_FINAL").comoMoeda().escalado(), 10000);
    mensagens.clear();
    EXPECT_EQ(cds.aplicarAlteracoes(*conexao, "CONPLA_MES", {"MES", "UG", "BALCO", "TIPO_FINAL"},
                                    [&](const std::string& m) { mensagens.push_back(m); }),
              1);
    EXPECT_EQ(mensagens.size(), 1u);
}

TEST_F(DbConjunto, AtualizaPelaChaveComoCarregada)
{
    banco.executarScript("INSERT INTO CONPLA_MES (MES, UG, BALCO, TIPO_FINAL, DEBIT) VALUES (2, 3, '111101', 'UG', 1);\n"
                         "INSERT INTO CONPLA_MES (MES, UG, BALCO, TIPO_FINAL, DEBIT) VALUES (2, 4, '111101', 'UG', 2);\n"
                         "INSERT INTO CONPLA_MES (MES, UG, BALCO, TIPO_FINAL, DEBIT) VALUES (2, 0, '100000', NULL, 3);\n");
    cds.abrir(*conexao, "SELECT * FROM CONPLA_MES WHERE MES = 2 ORDER BY UG DESC");
    ASSERT_EQ(cds.contar(), 3);
    ASSERT_TRUE(cds.localizar({"UG", "BALCO"}, {Valor::inteiro(3), Valor::texto("111101")}));
    cds.editar();
    cds.definir("UG", Valor::inteiro(5));          // the key itself changes
    cds.definir("DEBIT", Valor::decimal(75, 2));
    cds.gravar();
    cds.editar();                                  // a second edit keeps the loaded key
    cds.definir("CREDI", Valor::inteiro(9));
    cds.gravar();
    ASSERT_TRUE(cds.localizar({"BALCO"}, {Valor::texto("100000")}));
    cds.editar();
    cds.definir("SALDO_FINAL", Valor::decimal(-1, 4));   // a row whose key has a null field
    cds.gravar();
    EXPECT_EQ(cds.alteracoesPendentes(), 2);

    conexao->iniciarTransacao();
    EXPECT_EQ(cds.aplicarAlteracoes(*conexao, "conpla_mes", {"MES", "UG", "BALCO", "TIPO_FINAL"}, nullptr), 0);
    EXPECT_EQ(cds.alteracoesPendentes(), 0);
    EXPECT_TRUE(conexao->emTransacao());
    conexao->confirmar();

    auto linhas = banco.consultar("SELECT UG, DEBIT, CREDI, SALDO_FINAL FROM CONPLA_MES ORDER BY UG");
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0]["SALDO_FINAL"], Valor::decimal(-1, 4));
    EXPECT_EQ(linhas[1]["UG"].comoInteiro(), 4);
    EXPECT_EQ(linhas[2]["UG"].comoInteiro(), 5);
    EXPECT_EQ(linhas[2]["DEBIT"].comoTexto(), "0.75");
    EXPECT_EQ(linhas[2]["CREDI"].comoTexto(), "9");

    // A row that vanished from the table is refused, not silently lost.
    banco.executar("DELETE FROM CONPLA_MES WHERE UG = 4");
    ASSERT_TRUE(cds.localizar({"UG"}, {Valor::inteiro(4)}));
    cds.editar();
    cds.definir("DEBIT", Valor::inteiro(1));
    cds.gravar();
    std::string mensagem;
    EXPECT_EQ(cds.aplicarAlteracoes(*conexao, "CONPLA_MES", {"MES", "UG", "BALCO", "TIPO_FINAL"},
                                    [&](const std::string& m) { mensagem = m; }),
              1);
    EXPECT_FALSE(mensagem.empty());
    EXPECT_EQ(cds.alteracoesPendentes(), 1);
}

TEST_F(DbConjunto, AplicaMuitasLinhasNumaTransacaoQueODesfazerApaga)
{
    cds.abrir(*conexao, "SELECT * FROM GEDRA_CONDIA WHERE BALCO IS NULL");
    for (int i = 0; i < 5000; ++i) {
        cds.anexar();
        cds.definir("UG", Valor::inteiro(i % 7));
        cds.definir("DATAE", Valor::data(Data{2008, 1, 1 + i % 28}));
        cds.definir("BALCO", Valor::texto("211203"));
        cds.definir("CREDI", Valor::decimal(1000, 4));
        cds.definir("DEBIT", Valor::duplo(0.0));
        cds.gravar();
    }
    conexao->iniciarTransacao();
    EXPECT_EQ(cds.aplicarAlteracoes(*conexao, "GEDRA_CONDIA", {}, nullptr), 0);
    EXPECT_EQ(conexao->consultar("SELECT COUNT(*) N FROM GEDRA_CONDIA").at(0)["N"].comoInteiro(), 5000);
    conexao->desfazer();
    EXPECT_EQ(conexao->consultar("SELECT COUNT(*) N FROM GEDRA_CONDIA").at(0)["N"].comoInteiro(), 0);
}
