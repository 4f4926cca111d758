#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/MensageiroGravador.h"
#include "apoio/ServidorFirebird.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"
#include "settings/TrataErros.h"

namespace {

// One real server for the tests of this process; each test has its own database.
class ModoServidor : public ::testing::Test {
protected:
    static std::unique_ptr<ServidorFirebird> servidor;

    static void TearDownTestSuite() { servidor.reset(); }

    void SetUp() override
    {
        const std::string motivo = ServidorFirebird::motivoIndisponivel();
        if (!motivo.empty())
            GTEST_SKIP() << motivo;
        if (!servidor)
            servidor = std::make_unique<ServidorFirebird>();
        banco = std::make_unique<BancoTeste>();
        DefinirPastaConfiguracao(banco->pasta());
    }

    void TearDown() override { DefinirPastaConfiguracao(""); }

    // Murt.ini of a workstation whose database server is `servidorIni`: the server
    // names the folders with "/", the workstation's own view is elsewhere.
    void murt(const std::string& servidorIni) const
    {
        EscreverArquivo(banco->arquivoMurtIni(),
                        "[MURT]\r\nAno=2008\r\nServidor=" + servidorIni +
                            "\r\nSO_Servidor=LINUX\r\nCaminho_Base_Dados=" + banco->pasta() +
                            "/\r\nDiretorio_Servidor=Z:\\MURT_8\\DADOS\\\r\n");
    }

    std::string nomeRemoto() const { return servidor->endereco() + ":" + banco->caminhoBanco(); }

    std::unique_ptr<BancoTeste> banco;
};

std::unique_ptr<ServidorFirebird> ModoServidor::servidor;

TEST_F(ModoServidor, ConexaoPassaPeloServidor)
{
    banco->executar("INSERT INTO CADCLI (MEXER, CLNT1) VALUES ('2008', 'C\xC2MARA MUNICIPAL')");
    murt(servidor->endereco());

    // The workstation's view (Z:\...) does not exist here: only the "B" twin can open it.
    EXPECT_TRUE(TESTA_CONEXAO("MURT2008.FDB", "D"));

    MensageiroGravador mensageiro;
    ConexaoBanco Conexao;
    ASSERT_TRUE(ConexaoBeforeConnect(Conexao, mensageiro));
    EXPECT_TRUE(mensageiro.mensagens.empty());
    EXPECT_EQ(Conexao.parametros().DataBase, nomeRemoto());

    const auto linhas = Conexao.consultar(
        "SELECT TRIM(MON$REMOTE_PROTOCOL) AS PROTOCOLO, TRIM(CURRENT_USER) AS USUARIO "
        "FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0]["PROTOCOLO"].comoTexto(), "TCPv4");
    EXPECT_EQ(linhas[0]["USUARIO"].comoTexto(), "IYRVEJQ2");
    EXPECT_EQ(Conexao.consultar("SELECT CLNT1 FROM CADCLI")[0]["CLNT1"].comoTexto(), "C\xC2MARA MUNICIPAL");
}

TEST_F(ModoServidor, ServidorInalcancavelAvisaEEncerra)
{
    murt("localhost/1");
    MensageiroGravador mensageiro;
    ConexaoBanco Conexao;
    EXPECT_FALSE(ConexaoBeforeConnect(Conexao, mensageiro));
    ASSERT_EQ(mensageiro.mensagens.size(), 1u);
    EXPECT_EQ(mensageiro.mensagens[0].texto,
              "Base de Dados do sistema n\xE3o encontrada !!! O Sistema ser\xE1 finalizado.");
    EXPECT_TRUE(mensageiro.encerrou);
    EXPECT_FALSE(Conexao.aberta());
}

TEST_F(ModoServidor, VerificacaoDeBloqueioPeloServidor)
{
    banco->executar("INSERT INTO CADCLI (MEXER, BLOQBANCO, BLOQNOME, BLOQMSG) "
                    "VALUES ('2008', 'S', 'ANA', 'Backup em andamento')");
    murt(servidor->endereco());

    const std::string erro = "Opera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado!";
    MensageiroGravador mensageiro;
    TRATA_ERRO_BANCO(erro, mensageiro);
    ASSERT_EQ(mensageiro.mensagens.size(), 1u);
    EXPECT_EQ(mensageiro.mensagens[0].texto,
              "Aten\xE7\xE3o!!! \r\rOpera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado para manuten\xE7\xE3o!"
              "\r\rA Opera\xE7\xE3o ser\xE1 cancelada.\r\rUsu\xE1rio respons\xE1vel pelo bloqueio: ANA\r"
              "Mensagem do usu\xE1rio: Backup em andamento\r\rErro:" + erro);
}

} // namespace
