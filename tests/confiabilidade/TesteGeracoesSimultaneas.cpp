// Two runs on one database at once. Through the server, the second run is refused at
// once by the database's run lock and writes nothing; in local mode the database file
// is open in one program at a time, and the second program says so.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/Processo.h"
#include "apoio/ServidorFirebird.h"
#include "balances/uDataModulo.h"
#include "confiabilidade/ApoioConfiabilidade.h"
#include "db/ConexaoBanco.h"
#include "generation/TravaGeracao.h"
#include "settings/Configuracao.h"

namespace fs = std::filesystem;

namespace {

const char* const EM_ANDAMENTO = "Outra gera\xE7\xE3o de arquivos est\xE1 em andamento nesta base de dados.";
const char* const EM_ANDAMENTO_UTF8 =
    "Outra gera\xC3\xA7\xC3\xA3o de arquivos est\xC3\xA1 em andamento nesta base de dados.";

std::vector<std::string> tabelasDoSistema(BancoTeste& banco)
{
    auto c = banco.conectar();
    std::vector<std::string> r = Linhas(*c, "SELECT MES, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL, "
                                            "TIPO_FINAL FROM CONPLA_MES ORDER BY 1, 2, 3, 8");
    for (const std::string& l : Linhas(*c, "SELECT UG, DATAE, BALCO, CREDI, DEBIT FROM GEDRA_CONDIA ORDER BY 1, 2, 3"))
        r.push_back("GEDRA_CONDIA " + l);
    return r;
}

} // namespace

// Another workstation's run holds the lock: this run is refused before it writes the
// parameter file or any digital file, and runs normally once the lock is gone.
TEST(GeracoesSimultaneas, SegundaExecucaoRecusadaDeImediato)
{
    BancoTeste banco("saldos.sql");
    DefinirPastaConfiguracao(banco.pasta());
    const std::string saida = banco.pasta() + "/saida/";
    fs::create_directories(saida);
    const std::vector<std::string> antes = tabelasDoSistema(banco);

    ConexaoBanco Conexao;
    RelatorGravador relator;
    Tdm dm(Conexao, relator);
    ASSERT_TRUE(dm.DataModuleCreate());
    {
        TravaGeracao outraEstacao(banco.parametros());
        EXPECT_EQ(GerarArquivos(Conexao, dm, relator, Entrada("5", 0, saida)), ResultadoGeracao::EmAndamento);
        ASSERT_EQ(relator.mensagens.size(), 1u);
        EXPECT_EQ(relator.mensagens[0].texto, EM_ANDAMENTO);
        EXPECT_EQ(relator.mensagens[0].titulo, "Aten\xE7\xE3o");
        EXPECT_TRUE(relator.linhas.empty());
        EXPECT_TRUE(fs::is_empty(saida));
        EXPECT_FALSE(fs::exists(banco.pastaDados() + "/RARIVIDEZE.ini"));
        EXPECT_EQ(tabelasDoSistema(banco), antes);
        EXPECT_FALSE(relator.emExecucao);
    }
    relator.mensagens.clear();
    EXPECT_EQ(GerarArquivos(Conexao, dm, relator, Entrada("5", 0, saida)), ResultadoGeracao::ComErros);
    // This year has no cost centres: three files.
    EXPECT_EQ(ArquivosDaPasta(saida).size(), 3u);
    // The lock went with the run: another one may start right away.
    EXPECT_NO_THROW(TravaGeracao{banco.parametros()});
    DefinirPastaConfiguracao("");
}

// The same through a Firebird server with two gedra-lote processes: while the first is
// in the middle of its run (held there with SIGSTOP), the second one, for another
// entity, ends at once with exit status 3, the message and nothing written. The first
// then finishes with the same files as a run that had the database to itself.
TEST(GeracoesSimultaneas, DoisProcessosPeloServidor)
{
    const std::string motivo = ServidorFirebird::motivoIndisponivel();
    if (!motivo.empty())
        GTEST_SKIP() << motivo;
    ServidorFirebird servidor;

    const std::string pasta = servidor.pastaDados() + "/instalacao";
    const ResultadoProcesso demo =
        ExecutarComando(ProgramaCompilado("gedra-demo") + " --out '" + pasta + "' --linhas 20000");
    ASSERT_EQ(demo.codigo, 0) << demo.saida;
    MurtModoServidor(pasta, servidor.endereco());
    for (const char* p : {"/a", "/b", "/sozinho"})
        fs::create_directories(pasta + p);

    LoteEmSegundoPlano primeiro({"--config", pasta, "--referencia", "TODOS", "--empresa", "1", "--saida",
                                 pasta + "/a"});
    // The first status row shows that the run is past its lock and writing files.
    ASSERT_TRUE(primeiro.esperarSaida("ARQ_4.9.3_1_", 60)) << primeiro.saida() << primeiro.erros();
    primeiro.suspender();
    ASSERT_FALSE(primeiro.terminou()) << "the run ended before it could be held: the demo year is too small";

    const ExecucaoLote segundo =
        ExecutarLote({"--config", pasta, "--referencia", "TODOS", "--empresa", "3", "--saida", pasta + "/b"});
    EXPECT_EQ(segundo.codigo, 3) << segundo.texto;
    EXPECT_NE(segundo.texto.find(EM_ANDAMENTO_UTF8), std::string::npos) << segundo.texto;
    EXPECT_TRUE(fs::is_empty(pasta + "/b"));
    // The parameter file is the first run's.
    EXPECT_EQ(LerIni(pasta + "/ARQ2008/RARIVIDEZE.ini", "SRP", "EMPRESA"), "1");

    primeiro.continuar();
    EXPECT_EQ(primeiro.esperar(), 1) << primeiro.erros();

    const ExecucaoLote sozinho =
        ExecutarLote({"--config", pasta, "--referencia", "TODOS", "--empresa", "1", "--saida", pasta + "/sozinho"});
    EXPECT_EQ(sozinho.codigo, 1) << sozinho.texto;
    EXPECT_EQ(ArquivosDigitais(pasta + "/a"), ArquivosDigitais(pasta + "/sozinho"));
    EXPECT_EQ(ArquivosDaPasta(pasta + "/a").size(), 4u);

    // With the first run over, the second one goes through.
    const ExecucaoLote depois =
        ExecutarLote({"--config", pasta, "--referencia", "TODOS", "--empresa", "3", "--saida", pasta + "/b"});
    EXPECT_EQ(depois.codigo, 1) << depois.texto;
    EXPECT_EQ(ArquivosDaPasta(pasta + "/b").size(), 4u);
}

// Local mode: while another program (here this test process) has the database file
// open, gedra-lote cannot open it and says why, instead of calling the database missing.
TEST(GeracoesSimultaneas, BancoLocalAbertoPorOutroPrograma)
{
    BancoTeste banco("diario.sql");
    const std::string saida = banco.pasta() + "/saida";
    fs::create_directories(saida);
    const std::vector<std::string> argumentos = {"--config", banco.pasta(), "--referencia", "TODOS", "--empresa",
                                                 "3", "--saida", saida};
    {
        auto outroPrograma = banco.conectar();
        const ExecucaoLote r = ExecutarLote(argumentos);
        EXPECT_EQ(r.codigo, 3) << r.texto;
        EXPECT_NE(r.texto.find("O banco de dados " + banco.caminhoBanco() +
                               " est\xC3\xA1 em uso por outro programa (modo local). Feche o outro programa ou use o "
                               "servidor Firebird."),
                  std::string::npos)
            << r.texto;
        EXPECT_EQ(r.texto.find("n\xC3\xA3o encontrada"), std::string::npos) << r.texto;
        EXPECT_TRUE(fs::is_empty(saida));
    }
    const ExecucaoLote r = ExecutarLote(argumentos);
    EXPECT_EQ(r.codigo, 1) << r.texto;
    EXPECT_EQ(ArquivosDaPasta(saida).size(), 4u);
}

// The same with the real window program holding the database: gedra-lote started
// beside it gets the message, and the window program goes on undisturbed.
TEST(GeracoesSimultaneas, JanelaAbertaEGedraLote)
{
    const std::string programa = ProgramaCompilado("GedraMURT8");
    if (!fs::exists(programa))
        GTEST_SKIP() << "GedraMURT8 was not built";
    BancoTeste banco("diario.sql");
    const std::string saida = banco.pasta() + "/saida";
    fs::create_directories(saida);

    const pid_t janela = ::fork();
    ASSERT_GE(janela, 0);
    if (janela == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(programa.c_str(), programa.c_str(), "MURT", "operador", "--config", banco.pasta().c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Up once the engine in the window program holds its exclusive lock on the database
    // file (an open file alone is not enough: the lock comes a moment later).
    struct stat st{};
    ASSERT_EQ(::stat(banco.caminhoBanco().c_str(), &st), 0);
    const std::string inode = ":" + std::to_string(st.st_ino) + " ";
    auto abertoPelaJanela = [&] {
        std::ifstream travas("/proc/locks");
        std::string linha;
        while (std::getline(travas, linha))
            if (linha.find(" WRITE " + std::to_string(janela) + " ") != std::string::npos &&
                linha.find(inode) != std::string::npos)
                return true;
        return false;
    };
    // The connection test opens and closes the file once before the program's own
    // connection holds it for good: wait until the lock has stayed for a whole second.
    bool aberto = false;
    for (int i = 0, seguidas = 0; i < 1200 && !aberto; ++i) {
        seguidas = abertoPelaJanela() ? seguidas + 1 : 0;
        aberto = seguidas >= 20;
        if (!aberto)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(aberto);

    const ExecucaoLote r = ExecutarLote({"--config", banco.pasta(), "--referencia", "1", "--saida", saida});
    EXPECT_EQ(r.codigo, 3) << r.texto;
    EXPECT_NE(r.texto.find("est\xC3\xA1 em uso por outro programa (modo local)"), std::string::npos) << r.texto;
    EXPECT_TRUE(fs::is_empty(saida));

    int estado = 0;
    EXPECT_EQ(::waitpid(janela, &estado, WNOHANG), 0) << "the window program ended";
    ::kill(janela, SIGTERM);
    const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (::waitpid(janela, &estado, WNOHANG) != janela) {
        if (std::chrono::steady_clock::now() > fim) {
            ::kill(janela, SIGKILL);
            ::waitpid(janela, &estado, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
