#include "demo/Instalacao.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "db/ConexaoBanco.h"
#include "demo/Cadastros.h"
#include "demo/CargaDiario.h"
#include "demo/EsquemaBanco.h"
#include "settings/Conexao.h"

namespace fs = std::filesystem;

namespace {

// Writes to a neighbour and renames over the target, so that the target is either the
// old file or the whole new one.
void gravarInteiro(const fs::path& destino, const std::string& conteudo)
{
    const fs::path provisorio = destino.string() + ".novo";
    {
        std::ofstream f(provisorio, std::ios::binary | std::ios::trunc);
        f << conteudo;
        f.close();
        if (!f)
            throw std::runtime_error("Não foi possível gravar " + provisorio.string());
    }
    fs::rename(provisorio, destino);
}

} // namespace

InstalacaoDemo::InstalacaoDemo(const fs::path& pasta)
    : pasta_(fs::absolute(pasta).lexically_normal())
{
    if (!pasta_.has_filename() && pasta_ != pasta_.root_path())
        pasta_ = pasta_.parent_path();
    if (pasta_.string().find('\\') != std::string::npos)
        throw std::invalid_argument("a pasta não pode conter barra invertida (\\), que o Murt.ini usa como separador: " +
                                    pasta_.string());
}

fs::path InstalacaoDemo::pastaAno() const { return pasta_ / (std::string("ARQ") + ANO_DEMO); }

fs::path InstalacaoDemo::banco() const { return pastaAno() / (std::string("MURT") + ANO_DEMO + ".FDB"); }

std::string InstalacaoDemo::caminhoResolvedor() const
{
    std::string texto = pasta_.string();
    for (char& c : texto)
        if (c == '/')
            c = '\\';
    if (texto.empty() || texto.back() != '\\')
        texto += '\\';
    return texto;
}

int64_t InstalacaoDemo::criarBanco(int64_t linhas, uint64_t semente) const
{
    std::error_code erro;
    fs::create_directories(pastaAno(), erro);
    if (erro)
        throw std::runtime_error("Não é possível criar o diretório: " + pastaAno().string() + " (" + erro.message() + ")");
    const fs::path provisorio = banco().string() + ".criando";
    fs::remove(provisorio);   // left by an interrupted run

    ParametrosConexao p;
    p.DataBase = provisorio.string();
    p.User_Name = USUARIO_BANCO;
    p.Password = SENHA_BANCO;
    ConexaoBanco::criarBanco(p);
    try {
        int64_t gravadas = 0;
        {
            ConexaoBanco conexao;
            conexao.abrir(p);
            conexao.executarScript(ESQUEMA_BANCO);
            conexao.iniciarTransacao();
            GravarCadastros(conexao);
            conexao.confirmar();
            gravadas = GravarDiario(conexao, linhas, semente);
            conexao.fechar();
        }
        fs::rename(provisorio, banco());
        return gravadas;
    } catch (...) {
        std::error_code ignorado;
        fs::remove(provisorio, ignorado);
        throw;
    }
}

void InstalacaoDemo::gravarMurtIni() const
{
    // Local mode: no server, the system's client library; the resolver turns the
    // backslashes of the base folder back into "/" on this workstation.
    gravarInteiro(pasta_ / "Murt.ini",
                  std::string("[MURT]\r\n") +
                      "Ano=" + ANO_DEMO + "\r\n" +
                      "Servidor=\r\n" +
                      "Caminho_Base_Dados=" + caminhoResolvedor() + "\r\n" +
                      "DLL=\r\n");
}
