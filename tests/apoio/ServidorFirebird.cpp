#include "apoio/ServidorFirebird.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/Conexao.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const char* const BINARIO_SERVIDOR = "/usr/sbin/firebird";
const char* const ISQL = "/usr/bin/isql-fb";
const char* const SEGURANCA_MODELO = "/var/lib/firebird/3.0/system/security3.fdb";

// The installed server files (messages, plugins, character sets): the compiled-in
// root of Debian's build, under the multiarch library folder.
std::string raizInstalada()
{
    std::error_code erro;
    for (const auto& d : fs::directory_iterator("/usr/lib", erro)) {
        const fs::path raiz = d.path() / "firebird" / "3.0";
        if (fs::exists(raiz / "firebird.msg", erro) && fs::is_directory(raiz / "plugins", erro))
            return raiz.string();
    }
    return {};
}

std::string lerArquivo(const std::string& caminho)
{
    std::ifstream entrada(caminho, std::ios::binary);
    std::stringstream s;
    s << entrada.rdbuf();
    return s.str();
}

void gravarArquivo(const std::string& caminho, const std::string& conteudo)
{
    std::ofstream saida(caminho, std::ios::binary | std::ios::trunc);
    saida << conteudo;
    if (!saida)
        throw std::runtime_error("cannot write " + caminho);
}

// A port that nothing listens on right now (the kernel picks it).
int portaLivre()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        throw std::runtime_error("socket() failed");
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t n = sizeof a;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) != 0) {
        ::close(s);
        throw std::runtime_error("cannot find a free TCP port");
    }
    ::close(s);
    return ntohs(a.sin_port);
}

bool aceitaConexoes(int porta)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return false;
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(porta));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

// The environment of a Firebird child: ours, with the root, lock and temporary folders
// replaced, and without a default user that could stand in for the one we pass.
class Ambiente {
public:
    Ambiente(const std::string& raiz, const std::string& trava, const std::string& tmp)
    {
        for (char** e = environ; *e; ++e) {
            const std::string v = *e;
            const std::string nome = v.substr(0, v.find('='));
            if (nome != "FIREBIRD" && nome != "FIREBIRD_LOCK" && nome != "FIREBIRD_TMP" && nome != "ISC_USER" &&
                nome != "ISC_PASSWORD")
                textos_.push_back(v);
        }
        textos_.push_back("FIREBIRD=" + raiz);
        textos_.push_back("FIREBIRD_LOCK=" + trava);
        textos_.push_back("FIREBIRD_TMP=" + tmp);
        for (auto& t : textos_)
            ponteiros_.push_back(t.data());
        ponteiros_.push_back(nullptr);
    }
    char** get() { return ponteiros_.data(); }

private:
    std::vector<std::string> textos_;
    std::vector<char*> ponteiros_;
};

// Starts a program with its output in `saida`; everything is prepared before fork,
// since the test process may already run the client library's threads.
pid_t lancar(const std::vector<std::string>& argumentos, Ambiente& ambiente, const std::string& saida)
{
    std::vector<std::string> args = argumentos;
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const int fd = ::open(saida.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot open " + saida);
    const int nulo = ::open("/dev/null", O_RDONLY);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(nulo, 0);
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        ::setpgid(0, 0);   // out of the test's process group: a ctrl-C reaches us, we stop it
        ::execve(argv[0], argv.data(), ambiente.get());
        ::_exit(127);
    }
    ::close(fd);
    if (nulo >= 0)
        ::close(nulo);
    if (pid < 0)
        throw std::runtime_error("fork() failed");
    return pid;
}

// Waits for a child for at most `limite`; true (with its status) when it ended.
bool esperar(pid_t pid, std::chrono::milliseconds limite, int& status)
{
    const auto fim = std::chrono::steady_clock::now() + limite;
    while (std::chrono::steady_clock::now() < fim) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid || r < 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Firebird 3 now and then hangs in its own shutdown after SIGTERM (every thread
// waiting, further signals ignored; seen here in about one stop in four). Its files are
// all throw-away, so after a short grace it is killed.
void encerrar(pid_t pid)
{
    int status = 0;
    ::kill(pid, SIGTERM);
    if (!esperar(pid, std::chrono::seconds(5), status)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
}

} // namespace

std::string ServidorFirebird::motivoIndisponivel()
{
    if (::access(BINARIO_SERVIDOR, X_OK) != 0)
        return std::string("no Firebird server at ") + BINARIO_SERVIDOR + " (Debian package firebird3.0-server)";
    if (::access(ISQL, X_OK) != 0)
        return std::string("no ") + ISQL + " to create the test account (Debian package firebird3.0-utils)";
    if (raizInstalada().empty())
        return "the Firebird server files (firebird.msg, plugins) were not found under /usr/lib/*/firebird/3.0";
    return {};
}

ServidorFirebird::ServidorFirebird()
{
    std::string modelo = (fs::temp_directory_path() / "gedra-servidor-XXXXXX").string();
    if (!::mkdtemp(modelo.data()))
        throw std::runtime_error("cannot create a temporary folder from " + modelo);
    pasta_ = modelo;
    raiz_ = pasta_ + "/raiz";
    trava_ = pasta_ + "/trava";
    pastaDados_ = pasta_ + "/dados";
    try {
        prepararRaiz();
        criarUsuario();
        iniciar();
    } catch (...) {
        parar();
        throw;
    }
}

ServidorFirebird::~ServidorFirebird()
{
    parar();
}

std::string ServidorFirebird::endereco() const
{
    return "localhost/" + std::to_string(porta_);
}

void ServidorFirebird::prepararRaiz()
{
    const std::string instalada = raizInstalada();
    fs::create_directories(raiz_);
    fs::create_directories(trava_);
    fs::create_directories(pastaDados_);
    // Readable by the server whatever account it runs as; the data folder writable.
    fs::permissions(pasta_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(trava_, fs::perms::all | fs::perms::sticky_bit);
    fs::permissions(pastaDados_, fs::perms::all | fs::perms::sticky_bit);

    for (const char* item : {"firebird.msg", "plugins", "lib", "UDF", "plugins.conf", "fbtrace.conf"})
        if (fs::exists(fs::path(instalada) / item))
            fs::create_symlink(fs::path(instalada) / item, fs::path(raiz_) / item);
    // The character sets module is looked up as $(root)/intl/fbintl; through a symbolic
    // link the server loads it once under its real path and then fails to find it again
    // ("CHARACTER SET WIN1252 is not defined"), so it gets a real copy.
    fs::create_directory(raiz_ + "/intl");
    fs::copy_file(fs::path(instalada) / "intl" / "libfbintl.so", raiz_ + "/intl/libfbintl.so");

    const std::string seguranca = raiz_ + "/security3.fdb";
    std::error_code erro;
    fs::copy_file(SEGURANCA_MODELO, seguranca, erro);
    if (erro)
        throw std::runtime_error(std::string("cannot copy the security database ") + SEGURANCA_MODELO + ": " +
                                 erro.message());

    porta_ = portaLivre();
    gravarArquivo(raiz_ + "/firebird.conf",
                  "RemoteServicePort = " + std::to_string(porta_) + "\n"
                  "RemoteBindAddress = 127.0.0.1\n"
                  "ServerMode = Super\n"
                  "UdfAccess = None\n"
                  "SecurityDatabase = " + seguranca + "\n");
    gravarArquivo(raiz_ + "/databases.conf",
                  "security.db = " + seguranca + "\n"
                  "{\n"
                  "\tRemoteAccess = false\n"
                  "}\n");
}

// The suite's account goes into the private security database through the embedded
// engine (no password needed there), with the private root's configuration.
void ServidorFirebird::criarUsuario()
{
    const std::string script = pasta_ + "/usuario.sql";
    gravarArquivo(script, std::string("CREATE OR ALTER USER ") + USUARIO_BANCO + " PASSWORD '" + SENHA_BANCO +
                              "' USING PLUGIN Srp;\nCOMMIT;\n");
    Ambiente ambiente(raiz_, trava_, pasta_);
    const std::string saida = pasta_ + "/isql.log";
    const pid_t pid = lancar({ISQL, "-q", "-bail", "-user", "SYSDBA", "-i", script, raiz_ + "/security3.fdb"},
                             ambiente, saida);
    int status = 0;
    if (!esperar(pid, std::chrono::seconds(60), status)) {
        encerrar(pid);
        throw std::runtime_error("isql-fb did not finish creating the test account");
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("cannot create the test account: " + lerArquivo(saida));
}

void ServidorFirebird::iniciar()
{
    Ambiente ambiente(raiz_, trava_, pasta_);
    const std::string saida = pasta_ + "/servidor.log";
    pid_ = lancar({BINARIO_SERVIDOR}, ambiente, saida);

    const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < fim) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the Firebird server ended at start: " + lerArquivo(saida));
        }
        if (aceitaConexoes(porta_))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw std::runtime_error("the Firebird server did not listen on port " + std::to_string(porta_) +
                             " within 30 s: " + lerArquivo(saida));
}

void ServidorFirebird::derrubar()
{
    if (pid_ > 0) {
        int status = 0;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }
}

void ServidorFirebird::reiniciar()
{
    derrubar();
    iniciar();
}

void ServidorFirebird::parar()
{
    if (pid_ > 0) {
        encerrar(pid_);
        pid_ = -1;
    }
    if (!pasta_.empty()) {
        std::error_code erro;
        fs::remove_all(pasta_, erro);
    }
}
