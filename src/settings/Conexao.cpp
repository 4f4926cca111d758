#include "settings/Conexao.h"

#include <exception>
#include <optional>

#include "db/ErroBanco.h"
#include "settings/Caminhos.h"
#include "settings/Configuracao.h"

const char* const SENHA_BANCO = "murt";

const ConjuntoParametros PARAMETROS_CONEXAO_PRINCIPAL = {
    "Devart InterBase",
    "DevartInterBase",
    "getSQLDriverInterBase",
    "-1",
    "False",
    "0000",
    "RoleName",
    "WIN1252",
    "ReadCommited",
    "True",
};

// The connection test has no CommitRetain and no RoleName.
const ConjuntoParametros PARAMETROS_TESTE_CONEXAO = {
    "IBConnection",
    "DevartInterBase",
    "getSQLDriverInterBase",
    "-1",
    "",
    "0000",
    "",
    "WIN1252",
    "ReadCommited",
    "True",
};

const ConjuntoParametros PARAMETROS_BLOQUEIO = {
    "IBConnection",
    "DevartInterBase",
    "getSQLDriverInterBase",
    "-1",
    "False",
    "0000",
    "RoleName",
    "WIN1252",
    "ReadCommited",
    "True",
};

namespace {

std::string lerMurt(const char* chave)
{
    return LerIni(ArquivoMurtIni(), "MURT", chave);
}

} // namespace

std::string NomeArquivoBanco()
{
    return "MURT" + lerMurt("ano") + ".FDB";
}

ParametrosConexao ParametrosPara(const std::string& nomeBanco)
{
    ParametrosConexao p;
    // In server mode the name goes to the server as it is ("host/port:path"); in local
    // mode it is a path on this workstation and the embedded engine opens it.
    p.DataBase = lerMurt("Servidor").empty() ? CaminhoLocal(nomeBanco) : nomeBanco;
    p.User_Name = USUARIO_BANCO;
    p.Password = SENHA_BANCO;
    p.SQLDialect = 3;
    p.ServerCharSet = "WIN1252";
    p.RoleName.clear();
    // Empty DLL: the system's client library (the installation default).
    p.bibliotecaCliente = lerMurt("DLL");
    return p;
}

// TESTA_CONEXAO with the reason of a failure: empty when the database opened.
std::optional<ErroBanco> FalhaTesteConexao(const std::string& arquivo, const std::string& codigo)
{
    // The workstation-side code becomes its database-side twin ("D" -> "B", "TPD" -> "TPB").
    std::string codigoBanco = codigo;
    const size_t d = codigoBanco.find('D');
    if (d != std::string::npos)
        codigoBanco[d] = 'B';
    // Outside the protection below: a resolver failure reaches the caller.
    const std::string nomeBanco = PEGA_CAMINHO(codigoBanco) + arquivo;

    try {
        ConexaoBanco teste;
        teste.abrir(ParametrosPara(nomeBanco));
        teste.fechar();
        return std::nullopt;
    } catch (const ErroBanco& e) {
        return e;
    } catch (const std::exception& e) {
        return ErroBanco(e.what());
    }
}

bool TESTA_CONEXAO(const std::string& arquivo, const std::string& codigo)
{
    return !FalhaTesteConexao(arquivo, codigo).has_value();
}

bool ConexaoBeforeConnect(ConexaoBanco& Conexao, Mensageiro& mensageiro)
{
    const std::string arquivo = NomeArquivoBanco();
    if (const std::optional<ErroBanco> falha = FalhaTesteConexao(arquivo, "D")) {
        // In local mode only one program at a time opens the file: the window program
        // and gedra-lote on one workstation, for example. That is not a missing database.
        const bool local = lerMurt("Servidor").empty();
        if (local && falha->bancoEmUsoPorOutroProcesso())
            mensageiro.mostrar("O banco de dados " + CaminhoLocal(PEGA_CAMINHO("B") + arquivo) +
                                   " est\xE1 em uso por outro programa (modo local). Feche o outro programa ou "
                                   "use o servidor Firebird.",
                               "Erro na Base de Dados", Mensageiro::Icone::Erro);
        else
            mensageiro.mostrar("Base de Dados do sistema n\xE3o encontrada !!! O Sistema ser\xE1 finalizado.",
                               "Erro na Base de Dados", Mensageiro::Icone::Erro);
        mensageiro.encerrarAplicacao();
        return false;
    }
    Conexao.abrir(ParametrosPara(PEGA_CAMINHO("B") + arquivo));
    return true;
}
