#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "apoio/InstalacaoTeste.h"
#include "settings/Configuracao.h"

namespace {

std::string conteudo(const std::string& arquivo)
{
    std::ifstream entrada(arquivo, std::ios::binary);
    std::stringstream s;
    s << entrada.rdbuf();
    return s.str();
}

TEST(Configuracao, PastaPadraoEhADoExecutavel)
{
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    EXPECT_EQ(PastaExecutavel(), exe);
    EXPECT_EQ(PastaConfiguracao(), exe);
    EXPECT_EQ(ArquivoMurtIni(), exe + "/Murt.ini");
}

TEST(Configuracao, PastaDefinidaValeAteSerDesfeita)
{
    DefinirPastaConfiguracao("/outra/pasta/");
    EXPECT_EQ(ArquivoMurtIni(), "/outra/pasta/Murt.ini");
    DefinirPastaConfiguracao("");
    EXPECT_EQ(PastaConfiguracao(), PastaExecutavel());
}

TEST(Configuracao, LerIniSemDiferencaDeCaixaEComValoresCrus)
{
    InstalacaoTeste inst;
    inst.murtBruto("; comentario\r\n[murt]\r\nANO=2008\r\nCaminho_Base_Dados=C:\\MURT_8\\DADOS\\\r\n"
                   "Nome=Jo\xE3o\r\n");
    const std::string ini = inst.arquivoMurtIni();
    EXPECT_EQ(LerIni(ini, "MURT", "ano"), "2008");
    EXPECT_EQ(LerIni(ini, "Murt", "Ano"), "2008");
    EXPECT_EQ(LerIni(ini, "MURT", "caminho_base_dados"), "C:\\MURT_8\\DADOS\\");
    EXPECT_EQ(LerIni(ini, "MURT", "Nome"), "Jo\xE3o");
    EXPECT_EQ(LerIni(ini, "MURT", "Servidor", "padrao"), "padrao");
    EXPECT_EQ(LerIni(ini, "OUTRA", "Ano", "x"), "x");
    EXPECT_EQ(LerIni(inst.pasta() + "/naoexiste.ini", "MURT", "Ano", "x"), "x");
}

TEST(Configuracao, GravarIniPreservaORestoDoArquivo)
{
    InstalacaoTeste inst;
    const std::string arquivo = inst.pasta() + "/RARIVIDEZE.ini";
    std::ofstream(arquivo) << "[OUTRA]\nChave=C:\\x\\\n\n[srp]\nEmpresa=3\n";

    GravarIni(arquivo, "SRP", "Pasta", "C:\\SAIDA\\");
    GravarIni(arquivo, "SRP", "empresa", "5");

    EXPECT_EQ(LerIni(arquivo, "OUTRA", "Chave"), "C:\\x\\");
    EXPECT_EQ(LerIni(arquivo, "SRP", "Pasta"), "C:\\SAIDA\\");
    EXPECT_EQ(LerIni(arquivo, "SRP", "Empresa"), "5");
    // The existing section and key keep their own spelling.
    EXPECT_NE(conteudo(arquivo).find("[srp]"), std::string::npos);
    EXPECT_EQ(conteudo(arquivo).find("[SRP]"), std::string::npos);
}

TEST(Configuracao, GravarIniCriaOArquivo)
{
    InstalacaoTeste inst;
    const std::string arquivo = inst.pasta() + "/novo.ini";
    GravarIni(arquivo, "SRP", "Mes", "TODOS");
    EXPECT_EQ(LerIni(arquivo, "SRP", "Mes"), "TODOS");
}

TEST(Configuracao, GravarIniQueNaoPodeGravarFalhaDizendoOArquivo)
{
    InstalacaoTeste inst;
    const std::string arquivo = inst.pasta() + "/falta/RARIVIDEZE.ini";
    try {
        GravarIni(arquivo, "SRP", "Mes", "1");
        FAIL() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "N\xE3o foi poss\xEDvel gravar o arquivo " + arquivo);
    }
    EXPECT_FALSE(std::filesystem::exists(inst.pasta() + "/falta"));
}

TEST(Configuracao, CaminhoLocalTrocaCadaBarraInvertida)
{
    EXPECT_EQ(CaminhoLocal("C:\\MURT_8\\DADOS\\ARQ2008\\"), "C:/MURT_8/DADOS/ARQ2008/");
    EXPECT_EQ(CaminhoLocal("/tmp/x/ARQ2008\\BCK\\"), "/tmp/x/ARQ2008/BCK/");
    EXPECT_EQ(CaminhoLocal("sem"), "sem");
}

} // namespace
