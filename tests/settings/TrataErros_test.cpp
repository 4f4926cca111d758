#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/InstalacaoTeste.h"
#include "apoio/MensageiroGravador.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"
#include "settings/TrataErros.h"

namespace {

const std::string VALOR_MENOR_ANULADO =
    "Aten\xE7\xE3o!!! \r\rErro de checagem! Com essa altera\xE7\xE3o o valor poder\xE1 ficar negativo devido "
    "j\xE1 existir uma anula\xE7\xE3o! \rA Opera\xE7\xE3o ser\xE1 cancelada.\r\r Checagem:";
const std::string CHAVE_ESTRANGEIRA =
    "Aten\xE7\xE3o!!! \r\rExistem Registros que dependem do Registro que voc\xEA est\xE1 tentando alterar ou "
    "excluir...\rA Opera\xE7\xE3o ser\xE1 cancelada.\r\r Erro de chave estrangeira:";
const std::string CHAVE_PRIMARIA =
    "Aten\xE7\xE3o!!! \r\rViola\xE7\xE3o de Chave Prim\xE1ria! Registro j\xE1 Existe...\r\rA Opera\xE7\xE3o "
    "ser\xE1 cancelada.\r";
const std::string OBRIGATORIO = "Aten\xE7\xE3o!!! \r\rCampo de Preencimento Obrigat\xF3rio!!!\r\rFavor Informar um Valor";
const std::string GERAL = "Ocorreram Problemas...\r";
const std::string BLOQUEIO =
    "Aten\xE7\xE3o!!! \r\rOpera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado para manuten\xE7\xE3o!\r\r"
    "A Opera\xE7\xE3o ser\xE1 cancelada.\r\rUsu\xE1rio respons\xE1vel pelo bloqueio: ";

// The lock wording as the suite's triggers raise it (mixed case, accented small letters).
const std::string TEXTO_BLOQUEADO = "exception 5\nOpera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado!";

std::vector<std::string> tratar(const std::string& erro)
{
    MensageiroGravador m;
    TRATA_ERRO_BANCO(erro, m);
    for (const auto& msg : m.mensagens) {
        EXPECT_EQ(msg.titulo, "Erro");
        EXPECT_EQ(msg.icone, Mensageiro::Icone::Erro);
        EXPECT_EQ(msg.texto.find(SENHA_BANCO), std::string::npos) << "the password reached a message";
    }
    return m.textos();
}

TEST(TrataErroBanco, MensagensPorPalavraChave)
{
    struct Caso {
        std::string erro;
        std::vector<std::string> esperado;
    };
    const std::string fk = "violation of FOREIGN KEY constraint \"FK_CONDIA_EMPRESA\" on table \"CONDIA\"";
    const std::string pk = "violation of PRIMARY or UNIQUE KEY constraint \"PK_TABEMPRESA\" on table \"TABEMPRESA\"";
    const std::string unico = "attempt to store duplicate value in unique index \"idx_x\"";
    const std::string ambos = "FK_A \"x\" and pk_b";
    const std::vector<Caso> casos = {
        {fk, {CHAVE_ESTRANGEIRA + "\"FK_CONDIA_EMPRESA\""}},
        {"constraint fk_abc on table x", {CHAVE_ESTRANGEIRA + "\"fk_abc on table x"}},   // no closing quote
        {pk, {CHAVE_PRIMARIA + "VIOLATION OF PRIMARY OR UNIQUE KEY CONSTRAINT \"PK_TABEMPRESA\" ON TABLE \"TABEMPRESA\""}},
        {unico, {CHAVE_PRIMARIA + "ATTEMPT TO STORE DUPLICATE VALUE IN UNIQUE INDEX \"IDX_X\""}},
        {ambos, {CHAVE_ESTRANGEIRA + "\"FK_A \"", CHAVE_PRIMARIA + "FK_A \"X\" AND PK_B"}},
        {"Field 'BALCO' must have a value", {OBRIGATORIO}},
        {"check \"valor_menor_anulado\" failed", {VALOR_MENOR_ANULADO + "\"valor_menor_anulado\""}},
        {"VALOR_MENOR_ANULADO FK_X", {VALOR_MENOR_ANULADO + "\"VALOR_MENOR_ANULADO FK_X", CHAVE_ESTRANGEIRA + "\"FK_X"}},
        {"deadlock\nupdate conflicts with concurrent update", {GERAL + "deadlock\nupdate conflicts with concurrent update"}},
        {"", {GERAL}},
        // Capital accented letters are not what the a-to-z upper-casing makes: no lock check.
        {"OPERA\xC7\xC3O N\xC3O PERMITIDA, BANCO DE DADOS BLOQUEADO!",
         {GERAL + "OPERA\xC7\xC3O N\xC3O PERMITIDA, BANCO DE DADOS BLOQUEADO!"}},
        // Accented letters keep their case in the copy shown after the primary-key message.
        {"pk_a \xE7\xE3", {CHAVE_PRIMARIA + "PK_A \xE7\xE3"}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(tratar(c.erro), c.esperado) << c.erro;
}

TEST(TrataErroBanco, BloqueioSemAcessoAoBancoCaiNaMensagemGeral)
{
    InstalacaoTeste inst;
    inst.murt({{"Ano", "2008"}, {"Caminho_Base_Dados", inst.pasta() + "/"}});
    EXPECT_EQ(tratar(TEXTO_BLOQUEADO), std::vector<std::string>{GERAL + TEXTO_BLOQUEADO});
    // A failed lock check clears what earlier tests had shown, so the general message follows.
    const std::string comFk = "FK_Z " + TEXTO_BLOQUEADO;
    EXPECT_EQ(tratar(comFk), (std::vector<std::string>{CHAVE_ESTRANGEIRA + "\"FK_Z " + TEXTO_BLOQUEADO, GERAL + comFk}));
}

class TrataErroBancoBloqueio : public ::testing::Test {
protected:
    BancoTeste banco;
    void SetUp() override { DefinirPastaConfiguracao(banco.pasta()); }
    void TearDown() override { DefinirPastaConfiguracao(""); }
    void bloquear(const std::string& bloqbanco)
    {
        banco.executar("DELETE FROM CADCLI");
        banco.executar("INSERT INTO CADCLI (MEXER, BLOQBANCO, BLOQNOME, BLOQMSG) VALUES ('2008', " + bloqbanco +
                       ", 'JOS\xC9', 'Fechamento do m\xEAs')");
    }
};

TEST_F(TrataErroBancoBloqueio, BloqueadoNomeiaQuemEPorque)
{
    bloquear("'S'");
    EXPECT_EQ(tratar(TEXTO_BLOQUEADO),
              std::vector<std::string>{BLOQUEIO + "JOS\xC9\rMensagem do usu\xE1rio: Fechamento do m\xEAs\r\rErro:" +
                                       TEXTO_BLOQUEADO});
    const std::string catastrofica = "Falha catastr\xF3" "fica no servidor";
    EXPECT_EQ(tratar(catastrofica),
              std::vector<std::string>{BLOQUEIO + "JOS\xC9\rMensagem do usu\xE1rio: Fechamento do m\xEAs\r\rErro:" +
                                       catastrofica});
}

TEST_F(TrataErroBancoBloqueio, SemSMaiusculoMostraOTextoDoErro)
{
    for (const std::string valor : {"'s'", "'N'", "''", "NULL"}) {
        bloquear(valor);
        EXPECT_EQ(tratar(TEXTO_BLOQUEADO), std::vector<std::string>{TEXTO_BLOQUEADO}) << valor;
    }
    banco.executar("DELETE FROM CADCLI");
    EXPECT_EQ(tratar(TEXTO_BLOQUEADO), std::vector<std::string>{TEXTO_BLOQUEADO});
}

} // namespace
