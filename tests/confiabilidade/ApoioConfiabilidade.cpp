#include "confiabilidade/ApoioConfiabilidade.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "apoio/BancoTeste.h"
#include "apoio/Processo.h"
#include "db/ConexaoBanco.h"

namespace fs = std::filesystem;

namespace {

std::string pastaTemporaria()
{
    std::string modelo = (fs::temp_directory_path() / "gedra-lote-XXXXXX").string();
    if (!::mkdtemp(modelo.data()))
        throw std::runtime_error("mkdtemp falhou");
    return modelo;
}

std::string lerSeExiste(const std::string& caminho)
{
    std::error_code erro;
    return fs::exists(caminho, erro) ? LerArquivo(caminho) : std::string();
}

std::string comoTexto(const Valor& v)
{
    if (v.nulo())
        return "null";
    switch (v.tipo()) {
    case Valor::Tipo::Data: return v.comoData().textoCurto();
    case Valor::Tipo::Decimal: return v.comoMoeda().texto();
    case Valor::Tipo::Duplo: return Moeda::deDuplo(v.comoDuplo()).texto();
    default: return v.comoTexto();
    }
}

} // namespace

// ---- LoteEmSegundoPlano -----------------------------------------------------

LoteEmSegundoPlano::LoteEmSegundoPlano(const std::vector<std::string>& argumentos)
    : pasta_(pastaTemporaria())
{
    std::vector<std::string> args = {ProgramaCompilado("gedra-lote")};
    args.insert(args.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string out = pasta_ + "/saida", err = pasta_ + "/erros";
    const int fo = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fe = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int nulo = ::open("/dev/null", O_RDONLY);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(nulo, 0);
        ::dup2(fo, 1);
        ::dup2(fe, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fo);
    ::close(fe);
    ::close(nulo);
    if (pid_ < 0)
        throw std::runtime_error("fork falhou");
}

LoteEmSegundoPlano::~LoteEmSegundoPlano()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    std::error_code erro;
    fs::remove_all(pasta_, erro);
}

bool LoteEmSegundoPlano::esperarSaida(const std::string& texto, int segundos)
{
    const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(segundos);
    while (std::chrono::steady_clock::now() < fim) {
        if (saida().find(texto) != std::string::npos)
            return true;
        if (terminou())
            return saida().find(texto) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

void LoteEmSegundoPlano::suspender()
{
    if (pid_ > 0)
        ::kill(pid_, SIGSTOP);
}

void LoteEmSegundoPlano::continuar()
{
    if (pid_ > 0)
        ::kill(pid_, SIGCONT);
}

bool LoteEmSegundoPlano::terminou()
{
    if (pid_ <= 0)
        return true;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        codigo_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
        return true;
    }
    return false;
}

int LoteEmSegundoPlano::esperar()
{
    if (pid_ > 0) {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        codigo_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
    }
    return codigo_;
}

std::string LoteEmSegundoPlano::saida() const
{
    return lerSeExiste(pasta_ + "/saida");
}

std::string LoteEmSegundoPlano::erros() const
{
    return lerSeExiste(pasta_ + "/erros");
}

ExecucaoLote ExecutarLote(const std::vector<std::string>& argumentos)
{
    LoteEmSegundoPlano lote(argumentos);
    ExecucaoLote r;
    r.codigo = lote.esperar();
    r.texto = lote.saida() + lote.erros();
    return r;
}

// ---- RelatorComGatilho ------------------------------------------------------

void RelatorComGatilho::etapa(const std::string& rotulo)
{
    RelatorGravador::etapa(rotulo);
    if (!etapaGatilho.empty() && rotulo == etapaGatilho)
        disparar();
}

void RelatorComGatilho::mostrar(const std::string& texto, const std::string& titulo, Icone icone)
{
    RelatorGravador::mostrar(texto, titulo, icone);
    if (!mensagemGatilho.empty() && texto.find(mensagemGatilho) != std::string::npos)
        disparar();
}

void RelatorComGatilho::disparar()
{
    if (disparado || !acao)
        return;
    disparado = true;
    acao();
}

// ---- Inputs, files, rows ----------------------------------------------------

EntradaGeracao Entrada(const std::string& empresa, int indice, const std::string& pasta)
{
    static const char* const LISTA[13] = {"TODOS",        "01 - Janeiro",  "02 - Fevereiro", "03 - Mar\xE7o",
                                          "04 - Abril",   "05 - Maio",     "06 - Junho",     "07 - Julho",
                                          "08 - Agosto",  "09 - Setembro", "10 - Outubro",   "11 - Novembro",
                                          "12 - Dezembro"};
    EntradaGeracao e;
    e.indiceReferencia = indice;
    e.referencia = LISTA[indice];
    const PeriodoSQL p = cbMesRefChange(e.referencia, "2008");
    e.DataIniSQL = p.DataIniSQL;
    e.DataFimSQL = p.DataFimSQL;
    e.empresa = empresa;
    e.nome = "ENTIDADE";
    e.caminho = pasta;
    e.Exercicio = "2008";
    return e;
}

std::set<std::string> ArquivosDaPasta(const std::string& pasta)
{
    std::set<std::string> nomes;
    std::error_code erro;
    for (const auto& f : fs::directory_iterator(pasta, erro))
        nomes.insert(f.path().filename().string());
    return nomes;
}

std::set<std::string> ArvoreDeArquivos(const std::string& raiz)
{
    std::set<std::string> caminhos;
    std::error_code erro;
    for (auto it = fs::recursive_directory_iterator(raiz, erro); it != fs::recursive_directory_iterator();
         it.increment(erro))
        if (!it->is_directory())
            caminhos.insert(fs::relative(it->path(), raiz).string());
    return caminhos;
}

bool ArquivoCompleto(const std::string& conteudo, std::string& motivo)
{
    if (conteudo.empty()) {
        motivo = "arquivo vazio";
        return false;
    }
    size_t largura = std::string::npos;
    int numero = 0;
    for (size_t i = 0; i < conteudo.size();) {
        ++numero;
        const size_t f = conteudo.find("\r\n", i);
        if (f == std::string::npos) {
            motivo = "registro " + std::to_string(numero) + " sem CR LF no fim";
            return false;
        }
        if (largura == std::string::npos)
            largura = f - i;
        if (f - i != largura || conteudo.find('\n', i) < f || conteudo.find('\r', i) < f) {
            motivo = "registro " + std::to_string(numero) + " com " + std::to_string(f - i) + " bytes, esperados " +
                     std::to_string(largura);
            return false;
        }
        i = f + 2;
    }
    return true;
}

std::vector<std::string> ArquivosDigitais(const std::string& pasta)
{
    std::vector<std::string> r;
    for (const std::string& nome : ArquivosDaPasta(pasta)) {
        if (nome.rfind("ARQ_", 0) != 0)
            continue;
        const std::string conteudo = LerArquivo(pasta + "/" + nome);
        r.push_back(nome + "\n" + (nome.rfind("ARQ_4.1.1_", 0) == 0 ? EmpatesDoDiario(conteudo) : conteudo));
    }
    return r;
}

std::vector<std::string> Linhas(ConexaoBanco& conexao, const std::string& sql)
{
    std::vector<std::string> r;
    for (const Registro& l : conexao.consultar(sql)) {
        std::string t;
        for (const Valor& v : l.valores())
            t += "[" + comoTexto(v) + "]";
        r.push_back(t);
    }
    return r;
}

void MurtModoServidor(const std::string& pastaInstalacao, const std::string& endereco)
{
    EscreverArquivo(pastaInstalacao + "/Murt.ini", "[MURT]\r\nAno=2008\r\nServidor=" + endereco +
                                                       "\r\nSO_Servidor=LINUX\r\nCaminho_Base_Dados=" +
                                                       pastaInstalacao + "/\r\nDiretorio_Servidor=" +
                                                       pastaInstalacao + "/\r\n");
}
