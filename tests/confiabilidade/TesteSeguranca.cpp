// Hostile input: injection and traversal attempts on the entity and the output folder,
// the built-in database password kept out of every text the operator sees, and no
// statement built from typed text other than the validated entity number.

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/ServidorFirebird.h"
#include "balances/uDataModulo.h"
#include "confiabilidade/ApoioConfiabilidade.h"
#include "db/ConexaoBanco.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"
#include "settings/TrataErros.h"

namespace fs = std::filesystem;

namespace {

// What a run may touch in the installation besides the output folder.
const char* const PARAMETROS = "ARQ2008/RARIVIDEZE.ini";

std::vector<std::string> conteudoDoBanco(ConexaoBanco& c)
{
    std::vector<std::string> r;
    for (const char* t : {"CADCLI", "TABEMPRESA", "VINCODIGO", "CONDIA", "CONPLA", "CONPLA_MURT"})
        for (const std::string& l : Linhas(c, std::string("SELECT * FROM ") + t))
            r.push_back(std::string(t) + l);
    return r;
}

class Entradas : public ::testing::Test {
protected:
    BancoTeste banco{"diario.sql"};
    ConexaoBanco Conexao;
    RelatorGravador relator;
    Tdm dm{Conexao, relator};

    void SetUp() override
    {
        DefinirPastaConfiguracao(banco.pasta());
        ASSERT_TRUE(dm.DataModuleCreate());
    }
    void TearDown() override { DefinirPastaConfiguracao(""); }
};

} // namespace

// Each case: the text typed as the entity and as the folder (@ stands for the
// installation folder), what the run must end with, and where its files must land
// (relative to the installation; empty: nowhere). Every case leaves the accounting
// tables as they were and writes nothing outside that folder but the parameter file.
TEST_F(Entradas, InjecaoETravessiaNaEntidadeENaPasta)
{
    struct Caso {
        std::string empresa;
        std::string pasta;
        ResultadoGeracao esperado;
        std::string destino;
        std::string mensagem;   // a piece of the first message
    };
    const std::string invalida = "C\xF3" "digo de entidade inv\xE1lido: ";
    const std::string naoEncontrada = "Pasta de destino n\xE3o encontrada: ";
    const std::string malicioso = "x'; DROP TABLE CONDIA; --";
    fs::create_directories(banco.pasta() + "/saida");
    fs::create_directories(banco.pasta() + "/" + malicioso);
    fs::create_directories(banco.pasta() + "/sub");
    std::string comBarras = banco.pasta() + "/saida/";
    for (char& c : comBarras)
        if (c == '/')
            c = '\\';

    const std::vector<Caso> casos = {
        // The entity goes into statements only as a validated number.
        {"3) OR (1=1", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"3 OR 1=1", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"3; DELETE FROM CONDIA", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"3'--", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"-1 UNION SELECT 1 FROM RDB$DATABASE", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"3/**/", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"0x3", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"3e1", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"99999999999999999999", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"3\r\n[SRP]\r\nEMPRESA=9", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        // The entity is part of every file name: no folder separator may be in it.
        {"../3", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"..\\3", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        {"../../../tmp/x", "@/saida/", ResultadoGeracao::EntradaInvalida, "", invalida},
        // No digit: the consolidated files, named after the text, inside the folder;
        // the text itself never reaches a statement.
        {malicioso, "@/saida/", ResultadoGeracao::ComErros, "saida", ""},
        {"..", "@/saida/", ResultadoGeracao::ComErros, "saida", ""},
        // The folder: it must exist and be a folder; it is used as chosen.
        {"3", "@/nao_existe/", ResultadoGeracao::EntradaInvalida, "", naoEncontrada},
        {"3", "", ResultadoGeracao::EntradaInvalida, "", naoEncontrada},
        {"3", "@/Murt.ini", ResultadoGeracao::EntradaInvalida, "", naoEncontrada},
        {"3", "@/saida/../sub/", ResultadoGeracao::ComErros, "sub", ""},
        {"3", comBarras, ResultadoGeracao::ComErros, "saida", ""},
        {"3", "@/" + malicioso + "/", ResultadoGeracao::ComErros, malicioso, ""},
        {"3", "@/saida\n/", ResultadoGeracao::EntradaInvalida, "", "Pasta de destino inv\xE1lida: "},
    };

    const std::vector<std::string> tabelas = conteudoDoBanco(Conexao);
    const std::set<std::string> arvore = ArvoreDeArquivos(banco.pasta());
    for (const Caso& c : casos) {
        SCOPED_TRACE("entidade \"" + c.empresa + "\", pasta \"" + c.pasta + "\"");
        std::string pasta = c.pasta;
        if (pasta.rfind("@", 0) == 0)
            pasta = banco.pasta() + pasta.substr(1);
        relator.mensagens.clear();
        EXPECT_EQ(GerarArquivos(Conexao, dm, relator, Entrada(c.empresa, 0, pasta)), c.esperado);
        if (!c.mensagem.empty()) {
            ASSERT_FALSE(relator.mensagens.empty());
            EXPECT_EQ(relator.mensagens[0].texto.rfind(c.mensagem, 0), 0u) << relator.mensagens[0].texto;
        }
        EXPECT_EQ(conteudoDoBanco(Conexao), tabelas);

        // New files: the parameter file, and the digital files in the chosen folder only.
        int digitais = 0;
        for (const std::string& f : ArvoreDeArquivos(banco.pasta())) {
            if (arvore.count(f) || f == PARAMETROS)
                continue;
            EXPECT_EQ(fs::path(f).parent_path().string(), c.destino) << f;
            EXPECT_EQ(fs::path(f).filename().string().rfind("ARQ_4.", 0), 0u) << f;
            ++digitais;
            fs::remove(banco.pasta() + "/" + f);
        }
        EXPECT_EQ(digitais, c.destino.empty() ? 0 : 4);
        fs::remove(banco.pasta() + "/" + PARAMETROS);
    }
}

// The same attempts through gedra-lote: refused with exit status 2 and nothing written.
TEST(EntradasLote, InjecaoETravessiaRecusadas)
{
    BancoTeste banco("diario.sql");
    const std::string saida = banco.pasta() + "/saida";
    fs::create_directories(saida);
    const std::set<std::string> arvore = ArvoreDeArquivos(banco.pasta());
    const std::vector<std::vector<std::string>> casos = {
        {"--empresa", "3) OR (1=1"},
        {"--empresa", "3; DELETE FROM CONDIA"},
        {"--empresa", "../3"},
        {"--empresa", "3", "--saida", "/nao/existe"},
        {"--empresa", "3", "--saida", saida + "/\t"},
    };
    for (const auto& extra : casos) {
        std::vector<std::string> args = {"--config", banco.pasta(), "--referencia", "TODOS", "--saida", saida};
        args.insert(args.end(), extra.begin(), extra.end());
        const ExecucaoLote r = ExecutarLote(args);
        EXPECT_EQ(r.codigo, 2) << extra[1] << "\n" << r.texto;
        EXPECT_EQ(ArvoreDeArquivos(banco.pasta()), arvore) << extra[1];
    }
}

// The suite's password goes to the client library and nowhere else: none of the texts
// that failures show the operator holds it, on the window's side or gedra-lote's.
TEST(Senha, NuncaApareceEmMensagensOuLogs)
{
    std::vector<std::string> textos;
    BancoTeste banco("saldos.sql");
    const std::string saida = banco.pasta() + "/saida";
    fs::create_directories(saida);
    const std::vector<std::string> lote = {"--config", banco.pasta(), "--referencia", "TODOS", "--empresa",
                                           "5", "--saida", saida, "--log", saida + "/log.txt"};
    auto murt = [&](const std::string& extra) {
        EscreverArquivo(banco.arquivoMurtIni(),
                        "[MURT]\r\nAno=2008\r\nCaminho_Base_Dados=" + banco.pastaResolvedor() + "\r\n" + extra);
    };

    // gedra-lote: a client library that is missing, a server that does not answer, a
    // year whose database does not exist, and refused rows (with their log).
    for (const std::string& extra : {std::string("DLL=/nao/existe/libfbclient.so\r\n"),
                                     std::string("Servidor=localhost/1\r\n")}) {
        murt(extra);
        textos.push_back(ExecutarLote(lote).texto);
    }
    murt("");
    EscreverArquivo(banco.arquivoMurtIni(), "[MURT]\r\nAno=2009\r\nCaminho_Base_Dados=" + banco.pastaResolvedor());
    textos.push_back(ExecutarLote(lote).texto);
    murt("");
    banco.executar("ALTER TABLE CONPLA_MES ADD CONSTRAINT CK_SENHA CHECK (MES <> 3)");
    const ExecucaoLote recusas = ExecutarLote(lote);
    EXPECT_NE(recusas.texto.find("CK_SENHA"), std::string::npos) << recusas.texto;
    textos.push_back(recusas.texto);
    textos.push_back(LerArquivo(saida + "/log.txt"));

    // The engine's own texts: the maintenance-lock check that cannot reach the
    // database, and the database's refusal of an unknown account.
    DefinirPastaConfiguracao(banco.pasta());
    EscreverArquivo(banco.arquivoMurtIni(), "[MURT]\r\nAno=2008\r\nServidor=localhost/1\r\n");
    RelatorGravador relator;
    TRATA_ERRO_BANCO("Opera\xE7\xE3o n\xE3o permitida, banco de dados bloqueado!", relator);
    for (const auto& m : relator.mensagens)
        textos.push_back(m.texto);
    DefinirPastaConfiguracao("");
    if (ServidorFirebird::motivoIndisponivel().empty()) {
        ServidorFirebird servidor;
        ParametrosConexao p = banco.parametros();
        p.DataBase = servidor.endereco() + ":" + banco.caminhoBanco();
        p.User_Name = "NINGUEM";
        ConexaoBanco c;
        try {
            c.abrir(p);
            ADD_FAILURE() << "an unknown account was let in";
        } catch (const std::exception& e) {
            textos.push_back(e.what());
        }
    }

    for (const std::string& t : textos) {
        EXPECT_FALSE(t.empty());
        EXPECT_EQ(t.find(SENHA_BANCO), std::string::npos) << t;
    }
}

// Where the engine builds statements: no line that puts together a statement may use
// the texts the operator typed (entity, folder, name, month text), and the password
// is used only where the connection parameters are made.
TEST(Fontes, InstrucoesNaoUsamTextoDigitado)
{
    const std::regex digitado(R"(entrada\.(empresa|caminho|nome|referencia)|edEmpresa|edCaminho|op\[)");
    const std::regex instrucao(R"(SELECT|INSERT|UPDATE|DELETE|WHERE|\bAND\b|consultar\(|executar\(|abrirCursor\(|preparar\(|abrir\(Conexao)");
    std::vector<std::string> suspeitas;
    std::vector<std::string> senha;
    for (const auto& f : fs::recursive_directory_iterator(std::string(GEDRA_FONTES))) {
        const std::string ext = f.path().extension().string();
        if (ext != ".cpp" && ext != ".h")
            continue;
        std::ifstream in(f.path());
        std::string linha;
        for (int n = 1; std::getline(in, linha); ++n) {
            linha = linha.substr(0, linha.find("//"));
            const std::string onde = fs::relative(f.path(), GEDRA_FONTES).string() + ":" + std::to_string(n);
            if (std::regex_search(linha, digitado) && std::regex_search(linha, instrucao))
                suspeitas.push_back(onde + ": " + linha);
            if (linha.find("SENHA_BANCO") != std::string::npos && onde.rfind("settings/Conexao.", 0) != 0)
                senha.push_back(onde + ": " + linha);
        }
    }
    EXPECT_TRUE(suspeitas.empty()) << ::testing::PrintToString(suspeitas);
    EXPECT_TRUE(senha.empty()) << ::testing::PrintToString(senha);
}
