// A database locked for maintenance: CADCLI says who locked it and why, and the suite's
// triggers refuse every write with the lock wording. A run stops at its first write
// (the work table) and the operator sees the maintenance message naming BLOQNOME and
// BLOQMSG; the tables are as they were and no file is left half written.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "balances/uDataModulo.h"
#include "confiabilidade/ApoioConfiabilidade.h"
#include "db/ConexaoBanco.h"
#include "settings/Configuracao.h"

namespace fs = std::filesystem;

namespace {

const char* const BLOQUEADO = "Opera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado!";

void bloquear(const BancoTeste& banco)
{
    banco.executar("UPDATE CADCLI SET BLOQBANCO = 'S', BLOQNOME = 'ANA', BLOQMSG = 'C\xF3pia de seguran\xE7" "a do "
                   "exerc\xED" "cio'");
    banco.executar(std::string("CREATE EXCEPTION E_BANCO_BLOQUEADO '") + BLOQUEADO + "'");
    for (const char* tabela : {"GEDRA_CONDIA", "CONPLA_MES"})
        banco.executar(std::string("CREATE TRIGGER TG_BLOQUEIO_") + tabela + " FOR " + tabela +
                       " BEFORE INSERT OR UPDATE OR DELETE AS BEGIN "
                       "IF ((SELECT FIRST 1 BLOQBANCO FROM CADCLI) = 'S') THEN EXCEPTION E_BANCO_BLOQUEADO; END");
}

std::vector<std::string> tabelas(const BancoTeste& banco)
{
    auto c = banco.conectar();
    std::vector<std::string> r = Linhas(*c, "SELECT * FROM CONPLA_MES ORDER BY 1, 2, 3, 8");
    for (const std::string& l : Linhas(*c, "SELECT * FROM GEDRA_CONDIA"))
        r.push_back(l);
    return r;
}

} // namespace

TEST(BloqueioManutencao, OperadorVeQuemBloqueouEPorque)
{
    BancoTeste banco("saldos.sql");
    bloquear(banco);
    const std::vector<std::string> antes = tabelas(banco);
    DefinirPastaConfiguracao(banco.pasta());
    const std::string saida = banco.pasta() + "/saida/";
    fs::create_directories(saida);

    ConexaoBanco Conexao;
    RelatorGravador relator;
    Tdm dm(Conexao, relator);
    ASSERT_TRUE(dm.DataModuleCreate());
    EXPECT_EQ(GerarArquivos(Conexao, dm, relator, Entrada("5", 0, saida)), ResultadoGeracao::Falhou);

    ASSERT_EQ(relator.mensagens.size(), 1u);
    const std::string inicio =
        "Aten\xE7\xE3o!!! \r\rOpera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado para manuten\xE7\xE3o!\r\r"
        "A Opera\xE7\xE3o ser\xE1 cancelada.\r\rUsu\xE1rio respons\xE1vel pelo bloqueio: ANA\r"
        "Mensagem do usu\xE1rio: C\xF3pia de seguran\xE7" "a do exerc\xED" "cio\r\rErro:";
    EXPECT_EQ(relator.mensagens[0].texto.substr(0, inicio.size()), inicio) << relator.mensagens[0].texto;
    EXPECT_NE(relator.mensagens[0].texto.find(BLOQUEADO), std::string::npos);
    EXPECT_EQ(relator.mensagens[0].titulo, "Erro");

    EXPECT_EQ(tabelas(banco), antes);
    for (const std::string& nome : ArquivosDaPasta(saida)) {
        std::string motivo;
        EXPECT_TRUE(ArquivoCompleto(LerArquivo(saida + nome), motivo)) << nome << ": " << motivo;
        EXPECT_EQ(nome.find("ARQ_4.1.2_"), std::string::npos) << nome;
    }
    EXPECT_FALSE(Conexao.emTransacao());
    Conexao.fechar();
    DefinirPastaConfiguracao("");

    // gedra-lote: the same message on the terminal, exit status 3.
    const ExecucaoLote r =
        ExecutarLote({"--config", banco.pasta(), "--referencia", "3", "--empresa", "5", "--saida", saida});
    EXPECT_EQ(r.codigo, 3) << r.texto;
    EXPECT_NE(r.texto.find("Usu\xC3\xA1rio respons\xC3\xA1vel pelo bloqueio: ANA\nMensagem do usu\xC3\xA1rio: "
                           "C\xC3\xB3pia de seguran\xC3\xA7" "a do exerc\xC3\xAD" "cio"),
              std::string::npos)
        << r.texto;
}
