// The demo installation generator, run as the operator runs it, and its database
// read back through our own connection.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "apoio/Processo.h"
#include "db/ConexaoBanco.h"
#include "settings/Caminhos.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"

namespace fs = std::filesystem;

namespace {

struct Execucao {
    int codigo;
    std::string saida;   // stdout and stderr together
};

Execucao executarDemo(const std::string& argumentos)
{
    const ResultadoProcesso r = ExecutarComando(ProgramaCompilado("gedra-demo") + " " + argumentos);
    return {r.codigo, r.saida};
}

class PastaTemporaria {
public:
    PastaTemporaria()
    {
        std::string modelo = (fs::temp_directory_path() / "gedra_demo_XXXXXX").string();
        if (!mkdtemp(modelo.data()))
            throw std::runtime_error("mkdtemp falhou");
        caminho_ = modelo;
    }
    ~PastaTemporaria()
    {
        std::error_code ignorado;
        fs::remove_all(caminho_, ignorado);
    }
    const std::string& caminho() const { return caminho_; }
    std::string banco() const { return caminho_ + "/ARQ2008/MURT2008.FDB"; }

private:
    std::string caminho_;
};

std::unique_ptr<ConexaoBanco> conectar(const std::string& banco)
{
    ParametrosConexao p;
    p.DataBase = banco;
    p.Password = SENHA_BANCO;
    auto c = std::make_unique<ConexaoBanco>();
    c->abrir(p);
    return c;
}

std::string lerArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Every column of every row, in row order: two databases with the same dump hold the same data.
std::string despejo(ConexaoBanco& c, const std::string& tabela, const std::string& ordem)
{
    std::string texto;
    for (const auto& r : c.consultar("SELECT * FROM " + tabela + " ORDER BY " + ordem)) {
        for (const auto& v : r.valores())
            texto += (v.nulo() ? std::string("<nulo>") : v.comoTexto()) + "|";
        texto += "\n";
    }
    return texto;
}

// One installation of 2000 lines, seed 7, shared by the tests that only read it.
class TesteDemo : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        pasta_ = new PastaTemporaria;
        execucao_ = new Execucao(executarDemo("--out " + pasta_->caminho() + " --linhas 2000 --semente 7"));
    }
    static void TearDownTestSuite()
    {
        delete execucao_;
        delete pasta_;
    }
    void SetUp() override
    {
        ASSERT_EQ(execucao_->codigo, 0) << execucao_->saida;
        conexao_ = conectar(pasta_->banco());
    }

    static PastaTemporaria* pasta_;
    static Execucao* execucao_;
    std::unique_ptr<ConexaoBanco> conexao_;
};

PastaTemporaria* TesteDemo::pasta_ = nullptr;
Execucao* TesteDemo::execucao_ = nullptr;

TEST_F(TesteDemo, MurtIniLevaOResolvedorABaseCriada)
{
    EXPECT_NE(execucao_->saida.find(pasta_->caminho()), std::string::npos) << execucao_->saida;
    EXPECT_NE(execucao_->saida.find("2000 linhas"), std::string::npos) << execucao_->saida;

    std::string esperado = pasta_->caminho();
    for (char& c : esperado)
        if (c == '/')
            c = '\\';
    esperado += '\\';
    const std::string ini = pasta_->caminho() + "/Murt.ini";
    EXPECT_EQ(LerIni(ini, "MURT", "Ano"), "2008");
    EXPECT_EQ(LerIni(ini, "MURT", "Caminho_Base_Dados"), esperado);
    EXPECT_EQ(LerIni(ini, "MURT", "Servidor", "?"), "");
    EXPECT_EQ(LerIni(ini, "MURT", "DLL", "?"), "");

    // The real resolver and connection test, reading this Murt.ini.
    const std::string anterior = PastaConfiguracao();
    DefinirPastaConfiguracao(pasta_->caminho());
    const std::string pastaBanco = CaminhoLocal(PEGA_CAMINHO("B"));
    const bool conecta = TESTA_CONEXAO(NomeArquivoBanco(), "D");
    DefinirPastaConfiguracao(anterior);
    EXPECT_EQ(pastaBanco, pasta_->caminho() + "/ARQ2008/");
    EXPECT_TRUE(conecta);
}

TEST_F(TesteDemo, DiarioDoAnoComLancamentosQueFecham)
{
    EXPECT_EQ(conexao_->consultar("SELECT MEXER FROM CADCLI")[0][0].comoTexto(), "2008");

    const auto totais = conexao_->consultar(
        "SELECT COUNT(*), SUM(DEBIT), SUM(CREDI), MIN(DATAE), MAX(DATAE) FROM CONDIA")[0];
    EXPECT_EQ(totais[0].comoInteiro(), 2000);
    EXPECT_GT(totais[1].comoMoeda(), Moeda());
    EXPECT_EQ(totais[1].comoMoeda(), totais[2].comoMoeda());
    EXPECT_EQ(totais[3].comoData().ano, 2008);
    EXPECT_EQ(totais[4].comoData().ano, 2008);

    // Each entry balances by itself and has one date and one entity.
    EXPECT_TRUE(conexao_
                    ->consultar("SELECT SEQUENCIA FROM CONDIA GROUP BY SEQUENCIA "
                                "HAVING SUM(DEBIT) <> SUM(CREDI) OR COUNT(*) < 2 "
                                "OR COUNT(DISTINCT DATAE) <> 1 OR COUNT(DISTINCT COALESCE(EMPRESA, -1)) <> 1")
                    .empty());
    // Amounts in cents; a few reversals are negative.
    EXPECT_EQ(conexao_->consultar("SELECT COUNT(*) FROM CONDIA WHERE DEBIT * 100 <> CAST(DEBIT * 100 AS BIGINT) "
                                  "OR CREDI * 100 <> CAST(CREDI * 100 AS BIGINT)")[0][0].comoInteiro(), 0);
}

TEST_F(TesteDemo, ContasDoDiarioTemTodosOsNiveisNoPlano)
{
    std::set<std::string> plano;
    for (const auto& r : conexao_->consultar("SELECT BALCO FROM CONPLA"))
        plano.insert(r[0].comoTexto());
    const auto usadas = conexao_->consultar("SELECT DISTINCT BALCO FROM CONDIA");
    ASSERT_GT(usadas.size(), 20u);
    for (const auto& r : usadas) {
        const std::string balco = r[0].comoTexto();
        ASSERT_EQ(balco.size(), 6u);
        EXPECT_FALSE(balco.ends_with("00")) << balco << " é sintética";
        EXPECT_TRUE(plano.count(balco)) << balco;
        for (size_t n = 1; n <= 4; ++n)
            EXPECT_TRUE(plano.count(balco.substr(0, n) + std::string(6 - n, '0'))) << balco << " nível " << n;
    }
    // Natures follow the first digit, where there is one.
    EXPECT_EQ(conexao_->consultar("SELECT COUNT(*) FROM CONPLA WHERE D_C <> '' AND "
                                  "D_C <> IIF(MOD(CAST(SUBSTRING(BALCO FROM 1 FOR 1) AS INTEGER), 2) = 1, 'D', 'C')")
                  [0][0].comoInteiro(),
              0);
    // Accounts per entity: exactly those each entity moved.
    EXPECT_EQ(conexao_->consultar("SELECT COUNT(*) FROM (SELECT DISTINCT BALCO, EMPRESA FROM CONDIA "
                                  "WHERE EMPRESA IS NOT NULL)")[0][0].comoInteiro(),
              conexao_->consultar("SELECT COUNT(*) FROM CONPLA_MURT")[0][0].comoInteiro());
    EXPECT_TRUE(conexao_
                    ->consultar("SELECT * FROM CONPLA_MURT M WHERE NOT EXISTS "
                                "(SELECT 1 FROM CONDIA D WHERE D.BALCO = M.BALCO AND D.EMPRESA = M.EMPRESA)")
                    .empty());
}

TEST_F(TesteDemo, TextosEmWindows1252)
{
    EXPECT_EQ(conexao_->consultar("SELECT CLNT1 FROM CADCLI")[0][0].comoTexto(),
              "PREFEITURA MUNICIPAL DE S\xC3O JOS\xC9 DO VALE");
    EXPECT_EQ(conexao_->consultar("SELECT TITCO FROM CONPLA WHERE BALCO = '111000'")[0][0].comoTexto(),
              "DISPON\xCDVEL");
    EXPECT_EQ(conexao_->consultar("SELECT NOME FROM TABEMPRESA WHERE EMPRESA = 5")[0][0].comoTexto(),
              "SERVI\xC7O AUT\xD4NOMO DE \xC1GUA E ESGOTO");
    EXPECT_EQ(conexao_->consultar("SELECT VINCODIGONOME FROM VINCODIGO WHERE VINGRUPO = '002' AND VINCODIGO = '001'")
                  [0][0].comoTexto(),
              "Secretaria de Sa\xFA" "de");

    int comCedilha = 0, utf8 = 0;
    for (const auto& r : conexao_->consultar("SELECT DISCRI FROM CONDIA WHERE DISCRI IS NOT NULL")) {
        const std::string t = r[0].comoTexto();
        comCedilha += t.find('\xC7') != std::string::npos;
        // "Ç" and "Ã" in UTF-8 would show as these pairs.
        utf8 += t.find("\xC3\x87") != std::string::npos || t.find("\xC3\x83") != std::string::npos;
    }
    EXPECT_GT(comCedilha, 0);
    EXPECT_EQ(utf8, 0);
}

// The flaws the demo keeps on purpose, so that the error log has something to show.
TEST_F(TesteDemo, TrazOsProblemasComunsDosDadosReais)
{
    auto contar = [&](const std::string& sql) { return conexao_->consultar(sql)[0][0].comoInteiro(); };
    EXPECT_GE(contar("SELECT COUNT(*) FROM CONPLA WHERE TITCO IS NULL"), 1);
    EXPECT_GE(contar("SELECT COUNT(*) FROM CONPLA WHERE TITCO = '...'"), 1);
    EXPECT_GE(contar("SELECT COUNT(*) FROM CONPLA WHERE D_C = ''"), 1);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM VINCODIGO WHERE VINCODIGONOME = '- A'"), 1);
    EXPECT_GT(contar("SELECT COUNT(*) FROM CONDIA WHERE EMPRESA IS NULL"), 0);
    EXPECT_GT(contar("SELECT COUNT(*) FROM CONDIA WHERE VINGRUPO IS NULL AND VINCODIGO IS NULL"), 0);
    EXPECT_GT(contar("SELECT COUNT(*) FROM CONDIA WHERE TRIM(COALESCE(DISCRI, '')) = '' AND IE IN (7, 9, 13)"), 0);
    EXPECT_GT(contar("SELECT COUNT(*) FROM CONDIA WHERE DEBIT < 0"), 0);
    // Mostly small shares, not the rule.
    EXPECT_LT(contar("SELECT COUNT(*) FROM CONDIA WHERE EMPRESA IS NULL"), 100);
}

TEST(TesteDemoSemente, MesmaSementeMesmaBaseOutraSementeOutraBase)
{
    PastaTemporaria a, b, c;
    ASSERT_EQ(executarDemo("--out " + a.caminho() + " --linhas 600 --semente 42").codigo, 0);
    ASSERT_EQ(executarDemo("--out " + b.caminho() + " --linhas 600 --semente 42").codigo, 0);
    ASSERT_EQ(executarDemo("--out " + c.caminho() + " --linhas 600 --semente 43").codigo, 0);
    auto ca = conectar(a.banco());
    auto cb = conectar(b.banco());
    auto cc = conectar(c.banco());
    for (const auto& [tabela, ordem] : std::vector<std::pair<std::string, std::string>>{
             {"CONDIA", "ID"}, {"CONPLA", "BALCO"}, {"CONPLA_MURT", "BALCO, EMPRESA"},
             {"VINCODIGO", "VINGRUPO, VINCODIGO"}, {"TABEMPRESA", "EMPRESA"}, {"CADCLI", "MEXER"}})
        EXPECT_EQ(despejo(*ca, tabela, ordem), despejo(*cb, tabela, ordem)) << tabela;
    EXPECT_NE(despejo(*ca, "CONDIA", "ID"), despejo(*cc, "CONDIA", "ID"));
}

TEST(TesteDemoArgumentos, RecusaSobrescreverABaseSemSubstituir)
{
    PastaTemporaria pasta;
    ASSERT_EQ(executarDemo("--out " + pasta.caminho() + " --linhas 10").codigo, 0);

    const Execucao recusada = executarDemo("--out " + pasta.caminho() + " --linhas 20");
    EXPECT_EQ(recusada.codigo, 2);
    EXPECT_NE(recusada.saida.find("--substituir"), std::string::npos) << recusada.saida;
    EXPECT_EQ(conectar(pasta.banco())->consultar("SELECT COUNT(*) FROM CONDIA")[0][0].comoInteiro(), 10);

    const std::string ini = lerArquivo(pasta.caminho() + "/Murt.ini");
    const Execucao substituida = executarDemo("--out " + pasta.caminho() + " --linhas 20 --substituir");
    EXPECT_EQ(substituida.codigo, 0) << substituida.saida;
    EXPECT_EQ(conectar(pasta.banco())->consultar("SELECT COUNT(*) FROM CONDIA")[0][0].comoInteiro(), 20);
    EXPECT_EQ(lerArquivo(pasta.caminho() + "/Murt.ini"), ini);
    // Nothing left behind by the work files.
    for (const auto& e : fs::directory_iterator(pasta.caminho() + "/ARQ2008"))
        EXPECT_EQ(e.path().filename(), "MURT2008.FDB");
}

TEST(TesteDemoArgumentos, ArgumentosInvalidosNaoCriamNada)
{
    PastaTemporaria pasta;
    const std::string alvo = pasta.caminho() + "/inst";
    const struct {
        std::string argumentos;
        std::string mensagem;
    } casos[] = {
        {"", "--out"},
        {"--linhas 10", "--out"},
        {"--out " + alvo + " --linhas abc", "valor inválido para --linhas"},
        {"--out " + alvo + " --linhas 1", "pelo menos 2"},
        {"--out " + alvo + " --linhas -5", "pelo menos 2"},
        {"--out " + alvo + " --semente x1", "valor inválido para --semente"},
        {"--out " + alvo + " --linhas", "falta o valor de --linhas"},
        {"--out " + alvo + " --tamanho 3", "argumento desconhecido: --tamanho"},
    };
    for (const auto& c : casos) {
        const Execucao e = executarDemo(c.argumentos);
        EXPECT_EQ(e.codigo, 2) << c.argumentos;
        EXPECT_NE(e.saida.find(c.mensagem), std::string::npos) << c.argumentos << "\n" << e.saida;
        EXPECT_NE(e.saida.find("Uso: gedra-demo"), std::string::npos) << c.argumentos;
    }
    EXPECT_FALSE(fs::exists(alvo));
}

} // namespace
