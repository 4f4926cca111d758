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

BancoTeste::BancoTeste(const std::string& scriptDados)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/gedra-banco-XXXXXX";
    if (!::mkdtemp(modelo.data()))
        throw std::runtime_error("cannot create a temporary folder from " + modelo);
    pasta_ = modelo;
    try {
        fs::create_directory(pastaDados());
        EscreverArquivo(arquivoMurtIni(), "[MURT]\r\nAno=2008\r\nCaminho_Base_Dados=" + pastaResolvedor() + "\r\n");
        ConexaoBanco::criarBanco(parametros());
        executarArquivo(GEDRA_SCHEMA);
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
