// The database server killed (SIGKILL) in the middle of a run, at three points of the
// monthly balances file: inside the work table's transaction, between two months, and
// inside a month's transaction after its old rows were deleted and some new ones
// written. The run must end as a failure with a clear message, leave no incomplete
// digital file under a final name, leave every month of CONPLA_MES with either all its
// previous rows or all its new ones, and, once the server is back, a new run must write
// what a run that was never interrupted writes.

#include <filesystem>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/ServidorFirebird.h"
#include "balances/uDataModulo.h"
#include "confiabilidade/ApoioConfiabilidade.h"
#include "db/ConexaoBanco.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"

namespace fs = std::filesystem;

namespace {

const char* const CONEXAO_PERDIDA = "A conex\xE3o com o banco de dados foi perdida e a gera\xE7\xE3o foi interrompida.";

// saldos.sql, with a check that refuses one balance of March: the refusal is reported
// while March's rows are being written, which is where one case kills the server. The
// rows already there are marked, so that old and new rows can be told apart.
void prepararAno(const BancoTeste& banco)
{
    banco.executar("ALTER TABLE CONPLA_MES ADD CONSTRAINT CK_QUEDA CHECK (NOT (MES = 3 AND BALCO = '411101'))");
    banco.executar("UPDATE CONPLA_MES SET OBS = 'ANTERIOR'");
}

std::vector<std::string> mes(ConexaoBanco& c, int m)
{
    return Linhas(c, "SELECT MES, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL, TIPO_FINAL, OBS "
                     "FROM CONPLA_MES WHERE MES = " + std::to_string(m) + " ORDER BY 2, 3, 8");
}

std::vector<std::string> trabalho(ConexaoBanco& c)
{
    return Linhas(c, "SELECT UG, DATAE, BALCO, CREDI, DEBIT FROM GEDRA_CONDIA ORDER BY 1, 2, 3, 4, 5");
}

struct Estado {
    ResultadoGeracao resultado;
    std::vector<std::string> arquivos;
    std::vector<std::vector<std::string>> meses;   // 1 to 12
    std::vector<std::string> trabalho;
};

Estado lerEstado(ConexaoBanco& c, ResultadoGeracao resultado, const std::string& saida)
{
    Estado e{resultado, ArquivosDigitais(saida), {}, trabalho(c)};
    for (int m = 1; m <= 12; ++m)
        e.meses.push_back(mes(c, m));
    return e;
}

// An uninterrupted run of entity 5 for the whole year on a database of its own (local).
Estado execucaoDeReferencia()
{
    BancoTeste ref("saldos.sql");
    prepararAno(ref);
    DefinirPastaConfiguracao(ref.pasta());
    const std::string saida = ref.pasta() + "/saida/";
    fs::create_directories(saida);
    ConexaoBanco Conexao;
    RelatorGravador relator;
    Tdm dm(Conexao, relator);
    EXPECT_TRUE(dm.DataModuleCreate());
    const ResultadoGeracao r = GerarArquivos(Conexao, dm, relator, Entrada("5", 0, saida));
    return lerEstado(Conexao, r, saida);
}

struct PontoDeQueda {
    const char* nome;
    const char* etapa;       // kill when this step label is shown
    const char* mensagem;    // or when a message holding this is shown
    int primeiroMesAntigo;   // months from here on keep their previous rows
};

void PrintTo(const PontoDeQueda& p, std::ostream* os)
{
    *os << p.nome;
}

class QuedaServidor : public ::testing::TestWithParam<PontoDeQueda> {
protected:
    static std::unique_ptr<ServidorFirebird> servidor;
    static void TearDownTestSuite() { servidor.reset(); }

    void SetUp() override
    {
        const std::string motivo = ServidorFirebird::motivoIndisponivel();
        if (!motivo.empty())
            GTEST_SKIP() << motivo;
        if (!servidor)
            servidor = std::make_unique<ServidorFirebird>();
    }
    void TearDown() override { DefinirPastaConfiguracao(""); }
};

std::unique_ptr<ServidorFirebird> QuedaServidor::servidor;

} // namespace

TEST_P(QuedaServidor, ExecucaoFalhaSemPerderNadaERepeteIgual)
{
    const PontoDeQueda ponto = GetParam();
    const Estado referencia = execucaoDeReferencia();
    ASSERT_EQ(referencia.resultado, ResultadoGeracao::ComErros);

    BancoTeste banco("saldos.sql");
    prepararAno(banco);
    MurtModoServidor(banco.pasta(), servidor->endereco());
    DefinirPastaConfiguracao(banco.pasta());
    const std::string saida = banco.pasta() + "/saida/";
    fs::create_directories(saida);

    ConexaoBanco Conexao;
    RelatorComGatilho relator;
    Tdm dm(Conexao, relator);
    ASSERT_TRUE(dm.DataModuleCreate());
    ASSERT_NE(Conexao.parametros().DataBase.find(servidor->endereco() + ":"), std::string::npos);
    const Estado antes = lerEstado(Conexao, ResultadoGeracao::Falhou, saida);

    relator.etapaGatilho = ponto.etapa;
    relator.mensagemGatilho = ponto.mensagem;
    relator.acao = [&] { servidor->derrubar(); };
    const ResultadoGeracao r = GerarArquivos(Conexao, dm, relator, Entrada("5", 0, saida));

    // A failed run, told in plain words, once.
    ASSERT_TRUE(relator.disparado);
    EXPECT_EQ(r, ResultadoGeracao::Falhou);
    ASSERT_FALSE(relator.mensagens.empty());
    EXPECT_EQ(relator.mensagens.back().texto.rfind(CONEXAO_PERDIDA, 0), 0u) << relator.mensagens.back().texto;
    EXPECT_EQ(relator.mensagens.back().titulo, "Gerador de Arquivos - Gedra");
    // Before it, only the reports of the refused balance row (the client library may
    // give the last answer of the dead server once more): no message per row left.
    for (size_t i = 0; i + 1 < relator.mensagens.size(); ++i)
        EXPECT_NE(relator.mensagens[i].texto.find("CK_QUEDA"), std::string::npos) << relator.mensagens[i].texto;
    EXPECT_LE(relator.mensagens.size(), 3u);
    EXPECT_FALSE(relator.emExecucao);
    for (const auto& m : relator.mensagens)
        EXPECT_EQ(m.texto.find(SENHA_BANCO), std::string::npos) << m.texto;

    // Every file under a final name is whole and the same as the uninterrupted run's;
    // the monthly balances file, the one in progress, is not there at all, nor any
    // temporary file.
    for (const std::string& nome : ArquivosDaPasta(saida)) {
        std::string motivo;
        EXPECT_TRUE(ArquivoCompleto(LerArquivo(saida + nome), motivo)) << nome << ": " << motivo;
        EXPECT_EQ(nome.rfind("ARQ_", 0), 0u) << nome;
        EXPECT_EQ(nome.find("ARQ_4.1.2_"), std::string::npos) << nome;
    }
    const std::vector<std::string> escritos = ArquivosDigitais(saida);
    for (const std::string& a : escritos)
        EXPECT_NE(std::find(referencia.arquivos.begin(), referencia.arquivos.end(), a), referencia.arquivos.end())
            << a.substr(0, a.find('\n'));

    // Back up: each month holds all its previous rows or all its new ones.
    servidor->reiniciar();
    const ParametrosConexao p = Conexao.parametros();
    Conexao.fechar();
    Conexao.abrir(p);
    const Estado depois = lerEstado(Conexao, ResultadoGeracao::Falhou, saida);
    for (int m = 1; m <= 12; ++m) {
        const auto& linhas = depois.meses[m - 1];
        const bool antigo = linhas == antes.meses[m - 1];
        const bool novo = linhas == referencia.meses[m - 1];
        EXPECT_TRUE(antigo || novo) << "month " << m << " is half rewritten";
        EXPECT_EQ(antigo && !novo, m >= ponto.primeiroMesAntigo) << "month " << m;
    }
    EXPECT_TRUE(depois.trabalho == antes.trabalho || depois.trabalho == referencia.trabalho);

    // A new run writes what the uninterrupted one wrote, files and tables.
    RelatorGravador relator2;
    Tdm dm2(Conexao, relator2);
    const Estado novamente = lerEstado(Conexao, GerarArquivos(Conexao, dm2, relator2, Entrada("5", 0, saida)), saida);
    EXPECT_EQ(novamente.resultado, referencia.resultado);
    EXPECT_EQ(novamente.arquivos, referencia.arquivos);
    EXPECT_EQ(novamente.meses, referencia.meses);
    EXPECT_EQ(novamente.trabalho, referencia.trabalho);
}

INSTANTIATE_TEST_SUITE_P(
    Pontos, QuedaServidor,
    ::testing::Values(
        PontoDeQueda{"TabelaDeTrabalho", "4.1.2. Calculando - Saldos Mensais Diario Geral", "", 1},
        PontoDeQueda{"EntreMeses", "4.1.2. Saldos Mensais Diario Geral / M\xEAs = 03", "", 3},
        PontoDeQueda{"DentroDoMes", "", "CK_QUEDA", 3}),
    [](const ::testing::TestParamInfo<PontoDeQueda>& i) { return std::string(i.param.nome); });
