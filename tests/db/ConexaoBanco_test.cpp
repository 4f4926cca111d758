// The database layer against a real embedded database: exact values, text bytes,
// parameters, errors in the database's wording, transactions and streaming.

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "db/ConexaoBanco.h"
#include "db/ErroBanco.h"

namespace {

class DbConexao : public ::testing::Test {
protected:
    BancoTeste banco;
    std::unique_ptr<ConexaoBanco> conexao = banco.conectar();
};

const std::string ACAO = "A\xC7\xC3O DE SA\xDA" "DE";   // «AÇÃO DE SAÚDE» in Windows-1252

} // namespace

TEST_F(DbConexao, ValoresExatosETiposDasColunas)
{
    conexao->executar("INSERT INTO CONDIA (DATAE, BALCO, DEBIT, CREDI, SEQUENCIA, DISCRI, EMPRESA) "
                      "VALUES ('2008-02-29', '211203', 1.2345, -80.5, 7, '" + ACAO + "', NULL)");
    auto linhas = conexao->consultar("SELECT DEBIT, CREDI, DATAE, BALCO, SEQUENCIA, DISCRI, EMPRESA, "
                                     "CAST(BALCO AS CHAR(8)) FIXO, CAST(2.5 AS DOUBLE PRECISION) D, "
                                     "CAST(9000000000 AS BIGINT) G, TRUE B, CAST(DISCRI AS BLOB SUB_TYPE TEXT) T, "
                                     "CAST('2008-01-02 13:14:15' AS TIMESTAMP) TS FROM CONDIA");
    ASSERT_EQ(linhas.size(), 1u);
    const Registro& r = linhas[0];
    EXPECT_EQ(r["DEBIT"].tipo(), Valor::Tipo::Decimal);
    EXPECT_EQ(r["debit"].comoMoeda().escalado(), 12345);
    EXPECT_EQ(r["DEBIT"], Valor::decimal(12345, 4));
    EXPECT_EQ(r["DEBIT"].comoTexto(), "1.2345");
    EXPECT_EQ(r["CREDI"].comoMoeda().escalado(), -805000);
    EXPECT_EQ(r["DATAE"].comoData(), (Data{2008, 2, 29}));
    EXPECT_EQ(r["BALCO"].comoTexto(), "211203");
    EXPECT_EQ(r["SEQUENCIA"].tipo(), Valor::Tipo::Inteiro);
    EXPECT_EQ(r["SEQUENCIA"].comoInteiro(), 7);
    EXPECT_EQ(r["DISCRI"].comoTexto(), ACAO);
    EXPECT_TRUE(r["EMPRESA"].nulo());
    EXPECT_EQ(r["FIXO"].comoTexto(), "211203  ");   // CHAR keeps its padding
    EXPECT_EQ(r["D"].tipo(), Valor::Tipo::Duplo);
    EXPECT_EQ(r["D"].comoDuplo(), 2.5);
    EXPECT_EQ(r["G"].comoInteiro(), 9000000000);
    EXPECT_EQ(r["B"].comoInteiro(), 1);
    EXPECT_EQ(r["T"].comoTexto(), ACAO);
    EXPECT_EQ(r["TS"].comoData(), (Data{2008, 1, 2}));
    EXPECT_THROW(r["NAO_EXISTE"], std::out_of_range);
}

TEST_F(DbConexao, SomaDeDecimosEhExata)
{
    for (int i = 0; i < 10; ++i)
        conexao->executar("INSERT INTO CONDIA (DEBIT) VALUES (0.1)");
    auto linhas = conexao->consultar("SELECT SUM(DEBIT) AS TOTAL FROM CONDIA");
    EXPECT_EQ(linhas.at(0)["TOTAL"], Valor::decimal(10000, 4));
    EXPECT_EQ(linhas.at(0)["TOTAL"].comoMoeda().escalado(), 10000);
    EXPECT_EQ(linhas.at(0)["TOTAL"].comoTexto(), "1");
}

TEST_F(DbConexao, ParametrosConvertidosParaOsTiposDaInstrucao)
{
    conexao->executar("INSERT INTO CONDIA (DATAE, BALCO, DEBIT, CREDI, SEQUENCIA, DISCRI, IE) VALUES (?, ?, ?, ?, ?, ?, ?)",
                      {Valor::texto("31/12/2008"), Valor::texto("111101"), Valor::decimal(12345, 4),
                       Valor::duplo(0.1), Valor::texto(" 8 "), Valor::texto(ACAO), Valor()});
    conexao->executar("INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) VALUES (?, ?, ?, ?, ?)",
                      {Valor::inteiro(3), Valor::data(Data{2008, 1, 1}), Valor::texto("211203"),
                       Valor::decimal(805000, 4), Valor::inteiro(2)});
    auto c = conexao->consultar("SELECT * FROM CONDIA").at(0);
    EXPECT_EQ(c["DATAE"].comoData(), (Data{2008, 12, 31}));
    EXPECT_EQ(c["DEBIT"], Valor::decimal(12345, 4));
    EXPECT_EQ(c["CREDI"], Valor::decimal(1000, 4));
    EXPECT_EQ(c["SEQUENCIA"].comoInteiro(), 8);
    EXPECT_EQ(c["DISCRI"].comoTexto(), ACAO);
    EXPECT_TRUE(c["IE"].nulo());
    auto g = conexao->consultar("SELECT * FROM GEDRA_CONDIA").at(0);
    EXPECT_EQ(g["CREDI"].comoDuplo(), 80.5);
    EXPECT_EQ(g["DEBIT"].comoDuplo(), 2.0);
    EXPECT_EQ(g["UG"].comoInteiro(), 3);

    // CHAR parameters need no padding, and the value compares with the column.
    auto d = conexao->consultar("SELECT COUNT(*) N FROM CONDIA WHERE BALCO = '111101'");
    EXPECT_EQ(d.at(0)["N"].comoInteiro(), 1);
}

TEST_F(DbConexao, ErrosNasPalavrasDoBanco)
{
    const std::string ins = "INSERT INTO CONPLA_MES (MES, UG, BALCO, TIPO_FINAL) VALUES (1, 3, '111101', 'UG')";
    conexao->executar(ins);
    try {
        conexao->executar(ins);
        FAIL() << "duplicate accepted";
    } catch (const ErroBanco& e) {
        EXPECT_NE(std::string(e.what()).find("violation of PRIMARY or UNIQUE KEY constraint \"UNQ_CONPLA_MES\""),
                  std::string::npos)
            << e.what();
        EXPECT_EQ(e.codigoSql(), -803);
    }
    // A text longer than its column is refused by the database, not cut short.
    try {
        conexao->executar("INSERT INTO CONPLA (BALCO) VALUES (?)", {Valor::texto("1234567")});
        FAIL() << "long text accepted";
    } catch (const ErroBanco& e) {
        EXPECT_NE(std::string(e.what()).find("string right truncation"), std::string::npos) << e.what();
    }
    EXPECT_THROW(conexao->executar("SELEC 1 FROM RDB$DATABASE"), ErroBanco);
    EXPECT_THROW(conexao->executar("INSERT INTO CONPLA (BALCO) VALUES (?)", {}), ErroBanco);
    EXPECT_TRUE(conexao->consultar("SELECT * FROM CONPLA").empty());

    ConexaoBanco outra;
    ParametrosConexao p = banco.parametros();
    p.DataBase = banco.pasta() + "/NAO_EXISTE.FDB";
    try {
        outra.abrir(p);
        FAIL();
    } catch (const ErroBanco& e) {
        EXPECT_NE(std::string(e.what()).find("NAO_EXISTE.FDB"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(outra.aberta());
    p = banco.parametros();
    p.bibliotecaCliente = "libnaoexiste.so";
    try {
        outra.abrir(p);
        FAIL();
    } catch (const ErroBanco& e) {
        EXPECT_NE(std::string(e.what()).find("libnaoexiste.so"), std::string::npos) << e.what();
    }
}

TEST_F(DbConexao, TransacaoExplicita)
{
    conexao->iniciarTransacao();
    EXPECT_TRUE(conexao->emTransacao());
    EXPECT_THROW(conexao->iniciarTransacao(), ErroBanco);
    conexao->executar("INSERT INTO CONPLA (BALCO) VALUES ('100000')");
    conexao->executar("INSERT INTO CONPLA (BALCO) VALUES ('200000')");
    EXPECT_EQ(conexao->consultar("SELECT * FROM CONPLA").size(), 2u);   // seen inside
    EXPECT_TRUE(banco.consultar("SELECT * FROM CONPLA").empty());        // not outside
    conexao->desfazer();
    EXPECT_FALSE(conexao->emTransacao());
    EXPECT_TRUE(conexao->consultar("SELECT * FROM CONPLA").empty());

    conexao->iniciarTransacao();
    conexao->executar("INSERT INTO CONPLA (BALCO) VALUES ('300000')");
    conexao->confirmar();
    EXPECT_EQ(banco.consultar("SELECT * FROM CONPLA").size(), 1u);
    EXPECT_THROW(conexao->confirmar(), ErroBanco);

    // Closing with a transaction in progress undoes it.
    conexao->iniciarTransacao();
    conexao->executar("INSERT INTO CONPLA (BALCO) VALUES ('400000')");
    conexao->fechar();
    EXPECT_EQ(banco.consultar("SELECT * FROM CONPLA").size(), 1u);
}

TEST_F(DbConexao, CursorLeLinhaALinhaEComandoPreparadoUmaVez)
{
    const int N = 20000;
    conexao->iniciarTransacao();
    Comando inserir = conexao->preparar("INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) VALUES (?, ?, ?, ?, ?)");
    for (int i = 0; i < N; ++i)
        inserir.executar({Valor::inteiro(i), Valor::data(Data{2008, 1 + i % 12, 1}), Valor::texto("211203"),
                          Valor::duplo(0.25), Valor()});
    conexao->confirmar();

    Cursor cursor = conexao->abrirCursor("SELECT UG, CREDI, DEBIT FROM GEDRA_CONDIA ORDER BY UG");
    ASSERT_EQ(cursor.colunas().tamanho(), 3);
    EXPECT_EQ(cursor.colunas().nomes()[1], "CREDI");
    int n = 0;
    double soma = 0;
    while (cursor.proximo()) {
        EXPECT_EQ(cursor.atual()[0].comoInteiro(), n);
        soma += cursor.atual()["CREDI"].comoDuplo();
        EXPECT_TRUE(cursor.atual()["DEBIT"].nulo());
        ++n;
    }
    EXPECT_EQ(n, N);
    EXPECT_EQ(soma, N * 0.25);
    EXPECT_FALSE(cursor.proximo());

    // A result without rows still tells its columns.
    Cursor vazio = conexao->abrirCursor("SELECT CAST(0 AS INTEGER) UG, BALCO FROM GEDRA_CONDIA WHERE 1=0");
    EXPECT_EQ(vazio.colunas().nomes(), (std::vector<std::string>{"UG", "BALCO"}));
    EXPECT_FALSE(vazio.proximo());
}

TEST_F(DbConexao, ScriptComComentariosEInstrucoesDeVariasLinhas)
{
    conexao->executarScript("-- a comment; with a semicolon\r\n"
                            "INSERT INTO CONPLA (BALCO, TITCO)\r\n"
                            "  VALUES ('100000', 'ATIVO; E MAIS');\r\n"
                            "\r\n"
                            "   -- indented comment\n"
                            "INSERT INTO CONPLA (BALCO) VALUES ('200000');\n"
                            "COMMIT;\n"
                            "INSERT INTO CONPLA (BALCO) VALUES ('300000')");
    auto linhas = conexao->consultar("SELECT BALCO, TITCO FROM CONPLA ORDER BY BALCO");
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0]["TITCO"].comoTexto(), "ATIVO; E MAIS");
}

TEST_F(DbConexao, ProgramaTerminaComConexaoECursorAbertos)
{
    // The client library is stopped at the end of the program; what is still open
    // afterwards is dropped without calling into it, and the program ends cleanly.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const ParametrosConexao p = banco.parametros();
    EXPECT_EXIT(
        {
            static ConexaoBanco restante;
            restante.abrir(p);
            static Cursor aberto = restante.abrirCursor("SELECT * FROM RDB$RELATIONS");
            aberto.proximo();
            static Comando preparado = restante.preparar("DELETE FROM CONPLA");
            EncerrarBibliotecasCliente();
            EncerrarBibliotecasCliente();
            EXPECT_THROW(restante.abrir(p), ErroBanco);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
