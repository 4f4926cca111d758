#include "settings/TrataErros.h"

#include <exception>
#include <vector>

#include "db/ConexaoBanco.h"
#include "generation/format/funcoes_tce.h"
#include "settings/Caminhos.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"

namespace {

const char* const TITULO = "Erro";

const char* const MSG_VALOR_MENOR_ANULADO =
    "Aten\xE7\xE3o!!! \r\rErro de checagem! Com essa altera\xE7\xE3o o valor poder\xE1 ficar negativo devido "
    "j\xE1 existir uma anula\xE7\xE3o! \rA Opera\xE7\xE3o ser\xE1 cancelada.\r\r Checagem:";
const char* const MSG_CHAVE_ESTRANGEIRA =
    "Aten\xE7\xE3o!!! \r\rExistem Registros que dependem do Registro que voc\xEA est\xE1 tentando alterar ou "
    "excluir...\rA Opera\xE7\xE3o ser\xE1 cancelada.\r\r Erro de chave estrangeira:";
const char* const MSG_CHAVE_PRIMARIA =
    "Aten\xE7\xE3o!!! \r\rViola\xE7\xE3o de Chave Prim\xE1ria! Registro j\xE1 Existe...\r\rA Opera\xE7\xE3o "
    "ser\xE1 cancelada.\r";
const char* const MSG_OBRIGATORIO =
    "Aten\xE7\xE3o!!! \r\rCampo de Preencimento Obrigat\xF3rio!!!\r\rFavor Informar um Valor";
const char* const MSG_BLOQUEIO =
    "Aten\xE7\xE3o!!! \r\rOpera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado para manuten\xE7\xE3o!\r\r"
    "A Opera\xE7\xE3o ser\xE1 cancelada.\r\rUsu\xE1rio respons\xE1vel pelo bloqueio: ";
const char* const MSG_GERAL = "Ocorreram Problemas...\r";

// The lock wording as the a-to-z upper-casing leaves the suite's mixed-case messages.
const char* const BLOQUEADO = "OPERA\xE7\xE3O N\xE3O PERMITIDA, BANCO DE DADOS BLOQUEADO!";
const char* const CATASTROFICA = "FALHA CATASTR\xF3" "FICA";

// From position p of the error text: a double quote, then the text up to and
// including the next double quote (or to its end). When a keyword begins a quoted
// name this gives the name with both quotes.
std::string nomeEntreAspas(const std::string& erro, size_t p)
{
    std::string nome = "\"";
    for (size_t i = p; i < erro.size(); ++i) {
        nome += erro[i];
        if (erro[i] == '"')
            break;
    }
    return nome;
}

// Who locked the database and why, from its own connection to the year's database.
// Gives the message to show; throws when the database cannot be asked.
std::string mensagemBloqueio(const std::string& erro)
{
    const std::string ano = LerIni(ArquivoMurtIni(), "MURT", "Ano");
    const std::string nomeBanco = PEGA_CAMINHO("B") + "MURT" + ano + ".FDB";

    ConexaoBanco conexao;
    conexao.abrir(ParametrosPara(nomeBanco));
    const std::vector<Registro> linhas = conexao.consultar("SELECT BLOQBANCO, BLOQNOME, BLOQMSG FROM CADCLI");
    conexao.fechar();

    if (linhas.empty() || linhas[0]["BLOQBANCO"].comoTexto() != "S")
        return erro;
    const Registro& r = linhas[0];
    return MSG_BLOQUEIO + r["BLOQNOME"].comoTexto() + "\r" + "Mensagem do usu\xE1rio: " + r["BLOQMSG"].comoTexto() +
           "\r\r" + "Erro:" + erro;
}

} // namespace

bool ERRO_DE_BLOQUEIO(const std::string& erro)
{
    const std::string maiusculo = MAIUSCULAS_AZ(erro);
    return maiusculo.find(BLOQUEADO) != std::string::npos || maiusculo.find(CATASTROFICA) != std::string::npos;
}

void TRATA_ERRO_BANCO(const std::string& erro, Mensageiro& mensageiro)
{
    const std::string maiusculo = MAIUSCULAS_AZ(erro);
    const auto mostrar = [&](const std::string& texto) {
        mensageiro.mostrar(texto, TITULO, Mensageiro::Icone::Erro);
    };
    bool mostrado = false;

    if (const size_t p = maiusculo.find("VALOR_MENOR_ANULADO"); p != std::string::npos) {
        mostrar(MSG_VALOR_MENOR_ANULADO + nomeEntreAspas(erro, p));
        mostrado = true;
    }
    if (const size_t p = maiusculo.find("FK_"); p != std::string::npos) {
        mostrar(MSG_CHAVE_ESTRANGEIRA + nomeEntreAspas(erro, p));
        mostrado = true;
    }
    if (maiusculo.find("UNIQUE INDEX") != std::string::npos || maiusculo.find("PK_") != std::string::npos) {
        mostrar(MSG_CHAVE_PRIMARIA + maiusculo);
        mostrado = true;
    }
    if (maiusculo.find("MUST HAVE A VALUE") != std::string::npos) {
        mostrar(MSG_OBRIGATORIO);
        mostrado = true;
    }
    if (ERRO_DE_BLOQUEIO(erro)) {
        // A lock check that cannot reach the database shows nothing of its own and
        // leaves the general message below to say what happened.
        std::string texto;
        bool consultado = false;
        try {
            texto = mensagemBloqueio(erro);
            consultado = true;
        } catch (const std::exception&) {
        }
        if (consultado)
            mostrar(texto);
        mostrado = consultado;
    }
    if (!mostrado)
        mostrar(MSG_GERAL + erro);
}
