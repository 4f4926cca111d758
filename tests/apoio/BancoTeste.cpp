#include "apoio/BancoTeste.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "settings/Conexao.h"

namespace fs = std::filesystem;

void EscreverArquivo(const std::string& caminho, const std::string& conteudo)
{
    std::ofstream saida(caminho, std::ios::binary | std::ios::trunc);
    saida << conteudo;
    if (!saida)
        throw std::runtime_error("cannot write " + caminho);
}

std::string LerArquivo(const std::string& caminho)
{
    std::ifstream entrada(caminho, std::ios::binary);
    if (!entrada)
        throw std::runtime_error("cannot read " + caminho);
    std::stringstream s;
    s << entrada.rdbuf();
    return s.str();
}

std::string CaminhoFixture(const std::string& nome)
{
    return fs::path(nome).is_absolute() ? nome : std::string(GEDRA_FIXTURES) + "/" + nome;
}

namespace {

std::string pastaTemporaria(const std::string& prefixo)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefixo + "-XXXXXX";
    if (!::mkdtemp(modelo.data()))
        throw std::runtime_error("cannot create a temporary folder from " + modelo);
    // A Firebird server (user firebird) may be asked to open what is in it.
    fs::permissions(modelo, fs::perms::all);
    return modelo;
}

// The empty database with the schema, made once per test program through
// criarBanco and copied for each fixture: much faster than creating each one.
struct Modelo {
    std::string pasta;
    std::string arquivo;

    Modelo()
        : pasta(pastaTemporaria("gedra-modelo")),
          arquivo(pasta + "/MODELO.FDB")
    {
        try {
            ParametrosConexao p;
            p.DataBase = arquivo;
            p.User_Name = USUARIO_BANCO;
            p.Password = SENHA_BANCO;
            ConexaoBanco::criarBanco(p);
            ConexaoBanco conexao;
            conexao.abrir(p);
            conexao.executarScript(LerArquivo(GEDRA_SCHEMA));
        } catch (...) {
            std::error_code erro;
            fs::remove_all(pasta, erro);
            throw;
        }
    }
    ~Modelo()
    {
        std::error_code erro;
        fs::remove_all(pasta, erro);
    }
};

const std::string& arquivoModelo()
{
    static const Modelo modelo;
    return modelo.arquivo;
}

} // namespace

BancoTeste::BancoTeste(const std::string& scriptDados)
{
    pasta_ = pastaTemporaria("gedra-banco");
    try {
        fs::create_directory(pastaDados());
        fs::permissions(pastaDados(), fs::perms::all);
        EscreverArquivo(arquivoMurtIni(), "[MURT]\r\nAno=2008\r\nCaminho_Base_Dados=" + pastaResolvedor() + "\r\n");
        fs::copy_file(arquivoModelo(), caminhoBanco());
        fs::permissions(caminhoBanco(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                            fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
        if (!scriptDados.empty())
            executarArquivo(CaminhoFixture(scriptDados));
    } catch (...) {
        std::error_code erro;
        fs::remove_all(pasta_, erro);
        throw;
    }
}

BancoTeste::~BancoTeste()
{
    std::error_code erro;
    fs::remove_all(pasta_, erro);
}

std::string BancoTeste::pastaResolvedor() const
{
    std::string texto = pasta_ + "/";
    for (char& c : texto)
        if (c == '/')
            c = '\\';
    return texto;
}

ParametrosConexao BancoTeste::parametros() const
{
    ParametrosConexao p;
    p.DataBase = caminhoBanco();
    p.User_Name = USUARIO_BANCO;
    p.Password = SENHA_BANCO;
    return p;
}

std::unique_ptr<ConexaoBanco> BancoTeste::conectar() const
{
    auto conexao = std::make_unique<ConexaoBanco>();
    conexao->abrir(parametros());
    return conexao;
}

void BancoTeste::executar(const std::string& sql) const
{
    conectar()->executar(sql);
}

void BancoTeste::executarScript(const std::string& texto) const
{
    conectar()->executarScript(texto);
}

void BancoTeste::executarArquivo(const std::string& caminho) const
{
    executarScript(LerArquivo(caminho));
}

std::vector<Registro> BancoTeste::consultar(const std::string& sql) const
{
    return conectar()->consultar(sql);
}
