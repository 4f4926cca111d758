#include <filesystem>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/InstalacaoTeste.h"
#include "apoio/MensageiroGravador.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"

namespace {

const std::string BASE_NAO_ENCONTRADA =
    "Base de Dados do sistema n\xE3o encontrada !!! O Sistema ser\xE1 finalizado.";

// Makes a test installation's folder the one where Murt.ini is looked for.
class PastaConfiguracaoTeste {
public:
    explicit PastaConfiguracaoTeste(const std::string& pasta) { DefinirPastaConfiguracao(pasta); }
    ~PastaConfiguracaoTeste() { DefinirPastaConfiguracao(""); }
};

void esperarFinalizacao(const MensageiroGravador& m)
{
    ASSERT_EQ(m.mensagens.size(), 1u);
    EXPECT_EQ(m.mensagens[0].texto, BASE_NAO_ENCONTRADA);
    EXPECT_EQ(m.mensagens[0].titulo, "Erro na Base de Dados");
    EXPECT_EQ(m.mensagens[0].icone, Mensageiro::Icone::Erro);
    EXPECT_TRUE(m.encerrou);
}

TEST(Conexao, AbreABaseDoAnoEmModoLocal)
{
    BancoTeste banco;
    banco.executar("INSERT INTO CADCLI (MEXER, CLNT1) VALUES ('2008', 'PREFEITURA')");
    PastaConfiguracaoTeste pasta(banco.pasta());

    MensageiroGravador mensageiro;
    ConexaoBanco Conexao;
    ASSERT_TRUE(ConexaoBeforeConnect(Conexao, mensageiro));
    EXPECT_TRUE(mensageiro.mensagens.empty());
    EXPECT_FALSE(mensageiro.encerrou);
    ASSERT_TRUE(Conexao.aberta());
    EXPECT_EQ(Conexao.parametros().DataBase, banco.caminhoBanco());
    EXPECT_EQ(Conexao.parametros().User_Name, "IYRVEJQ2");
    EXPECT_EQ(Conexao.consultar("SELECT CLNT1 FROM CADCLI")[0]["CLNT1"].comoTexto(), "PREFEITURA");
}

TEST(Conexao, BaseAusenteAvisaEEncerraSemAbrirNada)
{
    BancoTeste banco;
    PastaConfiguracaoTeste pasta(banco.pasta());
    EscreverArquivo(banco.arquivoMurtIni(), "[MURT]\r\nAno=2009\r\nCaminho_Base_Dados=" + banco.pastaResolvedor() + "\r\n");

    MensageiroGravador mensageiro;
    ConexaoBanco Conexao;
    EXPECT_FALSE(ConexaoBeforeConnect(Conexao, mensageiro));
    esperarFinalizacao(mensageiro);
    EXPECT_FALSE(Conexao.aberta());
    EXPECT_FALSE(std::filesystem::exists(banco.pasta() + "/ARQ2009"));
}

TEST(Conexao, SemMurtIniAvisaEEncerra)
{
    InstalacaoTeste inst;   // no Murt.ini: the name becomes ARQ\MURT.FDB
    MensageiroGravador mensageiro;
    ConexaoBanco Conexao;
    EXPECT_FALSE(ConexaoBeforeConnect(Conexao, mensageiro));
    esperarFinalizacao(mensageiro);
    EXPECT_FALSE(Conexao.aberta());
}

TEST(Conexao, AnoNaoNumericoSoFalhaNoTeste)
{
    // "D" becomes "B", which takes the year as written: no conversion, the test fails.
    InstalacaoTeste inst;
    inst.murt({{"Ano", "20x8"}, {"Caminho_Base_Dados", inst.pasta() + "/"}});
    MensageiroGravador mensageiro;
    ConexaoBanco Conexao;
    EXPECT_FALSE(ConexaoBeforeConnect(Conexao, mensageiro));
    esperarFinalizacao(mensageiro);
}

TEST(Conexao, TestaConexaoDeixaPassarAFalhaDoResolvedor)
{
    BancoTeste banco;
    PastaConfiguracaoTeste pasta(banco.pasta());
    EXPECT_TRUE(TESTA_CONEXAO("MURT2008.FDB", "D"));
    EXPECT_TRUE(TESTA_CONEXAO("MURT2008.FDB", "B"));
    EXPECT_FALSE(TESTA_CONEXAO("MURT2007.FDB", "D"));
    EXPECT_FALSE(TESTA_CONEXAO("MURT2008.FDB", "DA"));   // ARQ2007 does not exist
    EXPECT_THROW(TESTA_CONEXAO("MURT2008.FDB", "DAx"), std::invalid_argument);
}

TEST(Conexao, BibliotecaClienteDaChaveDll)
{
    BancoTeste banco;
    PastaConfiguracaoTeste pasta(banco.pasta());
    const std::string murt = "[MURT]\r\nAno=2008\r\nCaminho_Base_Dados=" + banco.pastaResolvedor() + "\r\n";

    EscreverArquivo(banco.arquivoMurtIni(), murt + "DLL=libfbclient.so.2\r\n");
    EXPECT_EQ(ParametrosPara("x").bibliotecaCliente, "libfbclient.so.2");
    EXPECT_TRUE(TESTA_CONEXAO("MURT2008.FDB", "D"));

    EscreverArquivo(banco.arquivoMurtIni(), murt + "DLL=gds32_inexistente.so\r\n");
    EXPECT_FALSE(TESTA_CONEXAO("MURT2008.FDB", "D"));
    MensageiroGravador mensageiro;
    ConexaoBanco Conexao;
    EXPECT_FALSE(ConexaoBeforeConnect(Conexao, mensageiro));
    esperarFinalizacao(mensageiro);
}

TEST(Conexao, ParametrosDoNomeDaBase)
{
    InstalacaoTeste inst;
    inst.murt({{"Ano", "2008"}});
    ParametrosConexao local = ParametrosPara("C:\\DADOS\\ARQ2008\\MURT2008.FDB");
    EXPECT_EQ(local.DataBase, "C:/DADOS/ARQ2008/MURT2008.FDB");
    EXPECT_EQ(local.User_Name, USUARIO_BANCO);
    EXPECT_EQ(local.Password, SENHA_BANCO);
    EXPECT_EQ(local.SQLDialect, 3);
    EXPECT_EQ(local.ServerCharSet, "WIN1252");
    EXPECT_EQ(local.bibliotecaCliente, "");
    EXPECT_EQ(NomeArquivoBanco(), "MURT2008.FDB");

    // Server mode: the name goes to the server as the resolver wrote it.
    inst.murt({{"Ano", "2008"}, {"Servidor", "srv/3050"}});
    EXPECT_EQ(ParametrosPara("srv/3050:C:\\DADOS\\ARQ2008\\MURT2008.FDB").DataBase,
              "srv/3050:C:\\DADOS\\ARQ2008\\MURT2008.FDB");
}

} // namespace
