#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/InstalacaoTeste.h"
#include "settings/Caminhos.h"

namespace {

using Chaves = std::map<std::string, std::string>;

struct Caso {
    std::string codigo;
    std::string esperado;
};

void conferir(const Chaves& chaves, const std::vector<Caso>& casos)
{
    InstalacaoTeste inst;
    inst.murt(chaves);
    for (const auto& c : casos)
        EXPECT_EQ(PEGA_CAMINHO(c.codigo), c.esperado) << "codigo '" << c.codigo << "'";
}

const Chaves LOCAL = {
    {"Ano", "2008"},
    {"Caminho_Base_Dados", R"(C:\MURT_8\DADOS\)"},
};

const Chaves SERVIDOR = {
    {"Ano", "2008"},
    {"Servidor", "srv/3050"},
    {"SO_Servidor", "LINUX"},
    {"Caminho_Base_Dados", "/dados/"},
    {"Diretorio_Servidor", R"(Z:\DADOS\)"},
};

TEST(PegaCaminho, ModoLocal)
{
    conferir(LOCAL, {
        {"D", R"(C:\MURT_8\DADOS\ARQ2008\)"},
        {"B", R"(C:\MURT_8\DADOS\ARQ2008\)"},
        {"BK", R"(C:\MURT_8\DADOS\ARQ2008\)"},
        {"d", R"(C:\MURT_8\DADOS\ARQ2008\)"},
        {"Bk", R"(C:\MURT_8\DADOS\ARQ2008\)"},
        {"DA", R"(C:\MURT_8\DADOS\ARQ2007\)"},
        {"DA1", R"(C:\MURT_8\DADOS\ARQ2007\)"},
        {"DA2", R"(C:\MURT_8\DADOS\ARQ2006\)"},
        {"DA-1", R"(C:\MURT_8\DADOS\ARQ2009\)"},
        {"ba3", R"(C:\MURT_8\DADOS\ARQ2005\)"},
        {"AP", R"(C:\MURT_8\DADOS\)"},
        {"EXE", R"(C:\MURT_8\)"},
        {"TB", R"(C:\MURT_8\TABDEF\)"},
        {"TD", R"(C:\MURT_8\TABDEF\)"},
        {"XYZ", R"(C:\MURT_8\TABDEF\)"},
        {"", R"(C:\MURT_8\TABDEF\)"},
    });
}

TEST(PegaCaminho, ModoServidor)
{
    conferir(SERVIDOR, {
        {"B", "srv/3050:/dados/ARQ2008/"},
        {"D", R"(Z:\DADOS\ARQ2008\)"},
        {"DA", R"(Z:\DADOS\ARQ2007\)"},
        {"DA2", R"(Z:\DADOS\ARQ2006\)"},
        {"DA-1", R"(Z:\DADOS\ARQ2009\)"},
        {"BA", "srv/3050:/dados/ARQ2007/"},
        {"BA2", "srv/3050:/dados/ARQ2006/"},
        {"bk", "/dados/ARQ2008/"},
        {"AP", R"(Z:\DADOS\)"},
        {"TD", R"(Z:\DADOS\TABDEF\)"},            // no MURT_8: the root is the whole value
        {"TB", "srv/3050:/dados//TABDEF/"},        // "/dados/" does not end with a backslash
        {"EXE", R"(Z:\DADOS\)"},
        {"XYZ", ""},
        {"", ""},
    });
}

TEST(PegaCaminho, SoLinuxEmMaiusculasUsaABarra)
{
    Chaves chaves = SERVIDOR;
    chaves["SO_Servidor"] = "linux";
    conferir(chaves, {{"B", "srv/3050:/dados/ARQ2008\\"}, {"BK", "/dados/ARQ2008\\"}});
    chaves.erase("SO_Servidor");
    conferir(chaves, {{"B", "srv/3050:/dados/ARQ2008\\"}});
}

TEST(PegaCaminho, RaizMurt8)
{
    conferir({{"Ano", "2008"}, {"Caminho_Base_Dados", R"(c:\sis\murt_8\dados\)"}}, {
        {"EXE", R"(c:\sis\MURT_8\)"},
        {"TB", R"(c:\sis\MURT_8\TABDEF\)"},
    });
    // A root that already ends with a backslash gets none added.
    conferir({{"Ano", "2008"}, {"Caminho_Base_Dados", R"(D:\SIS\)"}}, {
        {"EXE", R"(D:\SIS\)"},
        {"TD", R"(D:\SIS\TABDEF\)"},
    });
    conferir({{"Ano", "2008"}, {"Caminho_Base_Dados", R"(D:\SIS)"}}, {{"EXE", R"(D:\SIS\)"}});
    conferir({{"Ano", "2008"},
              {"Servidor", "srv"},
              {"Caminho_Base_Dados", R"(C:\Murt_8\Dados\)"},
              {"Diretorio_Servidor", R"(\\srv\murt_8\dados\)"}},
             {
                 {"EXE", R"(\\srv\MURT_8\)"},
                 {"TD", R"(\\srv\MURT_8\TABDEF\)"},
                 {"TB", R"(srv:C:\MURT_8\TABDEF\)"},
             });
}

TEST(PegaCaminho, TabdefNoServidor)
{
    Chaves chaves = {
        {"Ano", "2008"},
        {"Servidor", "srv/3050"},
        {"Caminho_Base_Dados", R"(C:\MURT_8\DADOS\)"},
        {"Diretorio_Servidor", R"(Z:\MURT_8\DADOS\)"},
    };
    conferir(chaves, {{"TB", R"(srv/3050:C:\MURT_8\TABDEF\)"}, {"TD", R"(Z:\MURT_8\TABDEF\)"}});
    chaves["ServidorTABDEF"] = "tab";
    chaves["Caminho_Base_Dados_TABDEF"] = R"(E:\TAB\)";
    conferir(chaves, {{"TB", R"(tab:E:\TAB\TABDEF\)"}});
    chaves["Caminho_Base_Dados_TABDEF"] = R"(E:\TAB)";
    conferir(chaves, {{"TB", R"(tab:E:\TAB\TABDEF\)"}});
}

TEST(PegaCaminho, SemArquivoValemOsPadroes)
{
    InstalacaoTeste inst;
    EXPECT_EQ(PEGA_CAMINHO("D"), "ARQ\\");
    EXPECT_EQ(PEGA_CAMINHO("B"), "ARQ\\");
    EXPECT_EQ(PEGA_CAMINHO("EXE"), "\\");
}

TEST(PegaCaminho, SecaoEChavesSemDiferencaDeCaixaELidasACadaChamada)
{
    InstalacaoTeste inst;
    inst.murtBruto("[murt]\r\nano=2008\r\ncaminho_base_dados=C:\\D\\\r\n");
    EXPECT_EQ(PEGA_CAMINHO("D"), "C:\\D\\ARQ2008\\");
    inst.murtBruto("[MURT]\r\nAno=2009\r\nServidor=s\r\nCaminho_Base_Dados=/b/\r\n");
    EXPECT_EQ(PEGA_CAMINHO("B"), "s:/b/ARQ2009\\");
}

TEST(PegaCaminho, AnoOuDeslocamentoNaoNumericoFalha)
{
    struct CasoErro {
        std::string ano;
        std::string codigo;
        std::string mensagem;
    };
    const std::vector<CasoErro> casos = {
        {"20x8", "DA", "'20x8' is not a valid integer value"},
        {"", "BA", "'' is not a valid integer value"},
        {"2008", "DAX", "'X' is not a valid integer value"},
    };
    for (const auto& c : casos) {
        InstalacaoTeste inst;
        inst.murt({{"Ano", c.ano}, {"Caminho_Base_Dados", "C:\\"}});
        try {
            PEGA_CAMINHO(c.codigo);
            ADD_FAILURE() << c.codigo << " did not fail";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), c.mensagem);
        }
    }
    // Codes that do not compute a year take the year as it is written.
    InstalacaoTeste inst;
    inst.murt({{"Ano", "20x8"}, {"Caminho_Base_Dados", "C:\\"}});
    EXPECT_EQ(PEGA_CAMINHO("D"), "C:\\ARQ20x8\\");
}

class PegaCaminhoPastas : public ::testing::Test {
protected:
    InstalacaoTeste inst;
    std::string base = inst.pasta() + "/";       // resolver texts then read base + "ARQ2008\\BCK\\"
};

TEST_F(PegaCaminhoPastas, CriaUmNivelNoModoLocal)
{
    std::filesystem::create_directory(base + "ARQ2008");
    inst.murt({{"Ano", "2008"}, {"Caminho_Base_Dados", base}});
    const std::vector<Caso> casos = {
        {"BKAD", base + "ARQ2008\\BCK\\"},
        {"BKAB", base + "ARQ2008\\BCK\\"},       // exists now: no second creation
        {"TPD", base + "ARQ2008\\TEMP\\"},
        {"DE", base + "ARQ2008\\EXPORTA\\"},
        {"DI", base + "ARQ2008\\IMPORTA\\"},
        {"RTM", base + "RTM\\"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(PEGA_CAMINHO(c.codigo), c.esperado);
        std::string local = c.esperado;
        for (char& ch : local)
            if (ch == '\\')
                ch = '/';
        EXPECT_TRUE(std::filesystem::is_directory(local)) << local;
    }
}

TEST_F(PegaCaminhoPastas, PaiAusenteNaoEhCriado)
{
    inst.murt({{"Ano", "2008"}, {"Caminho_Base_Dados", base}});
    try {
        PEGA_CAMINHO("TPB");
        FAIL() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "N\xE3o \xE9 poss\xEDvel criar o diret\xF3rio: " + base + "ARQ2008\\TEMP\\");
    }
    EXPECT_FALSE(std::filesystem::exists(base + "ARQ2008"));
}

TEST_F(PegaCaminhoPastas, NoServidorCriaPelaVisaoDaEstacao)
{
    std::filesystem::create_directory(base + "ARQ2008");
    inst.murt({{"Ano", "2008"},
               {"Servidor", "srv"},
               {"SO_Servidor", "LINUX"},
               {"Caminho_Base_Dados", "/dados/"},
               {"Diretorio_Servidor", base}});
    EXPECT_EQ(PEGA_CAMINHO("BKAB"), "/dados/ARQ2008/BCK/");
    EXPECT_TRUE(std::filesystem::is_directory(base + "ARQ2008/BCK"));
    EXPECT_EQ(PEGA_CAMINHO("TPB"), "/dados/ARQ2008/TEMP/");
    EXPECT_TRUE(std::filesystem::is_directory(base + "ARQ2008/TEMP"));
    EXPECT_EQ(PEGA_CAMINHO("BKAD"), base + "ARQ2008\\BCK\\");
    EXPECT_EQ(PEGA_CAMINHO("RTM"), base + "RTM\\");
    EXPECT_TRUE(std::filesystem::is_directory(base + "RTM"));
}

TEST_F(PegaCaminhoPastas, UmArquivoNoLugarDaPastaFalha)
{
    std::filesystem::create_directory(base + "ARQ2008");
    std::ofstream(base + "ARQ2008/BCK") << "x";
    inst.murt({{"Ano", "2008"}, {"Caminho_Base_Dados", base}});
    EXPECT_THROW(PEGA_CAMINHO("BKAD"), std::runtime_error);
}

} // namespace
