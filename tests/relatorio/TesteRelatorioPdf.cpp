#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ApoioRelatorio.h"
#include "windows/relatorio/RelatorioPdf.h"
#include "windows/relatorio/Texto1252.h"

namespace fs = std::filesystem;

namespace {

const CabecalhoRelatorio kCabecalho{"PREFEITURA MUNICIPAL DE S\xC3O JO\xC3O DA BARRA",
                                    "RUA DA CONCEI\xC7\xC3O, 145 - CENTRO",
                                    "12.345.678/0001-90", "2008"};

std::string SemEspacosAFinal(std::string texto)
{
    texto.erase(texto.find_last_not_of(' ') + 1);
    return texto;
}

class RelatorioPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        GarantirAplicacaoGui();
        pasta_ = fs::temp_directory_path() /
                 ("gedra_relatorio_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(pasta_);
        fs::create_directories(pasta_);
    }
    void TearDown() override { fs::remove_all(pasta_); }

    fs::path pasta_;
};

}  // namespace

TEST_F(RelatorioPdf, TresPaginasComCabecalhoNumeroDePaginaETodoOLog)
{
    std::vector<std::string> log = LogComProblemas(21);
    const std::string longa = "INICIO" + std::string(78, '.') + "CONTINUA NA LINHA SEGUINTE";
    log.insert(log.begin() + 40, longa);
    const std::string pdf = (pasta_ / "erros.pdf").string();

    GravarRelatorioPdf(pdf, kCabecalho, log);

    EXPECT_EQ(InfoPdf(pdf, "Pages"), "3");
    EXPECT_EQ(InfoPdf(pdf, "Title"), "Report");
    for (int pagina = 1; pagina <= 3; ++pagina) {
        SCOPED_TRACE(pagina);
        const std::string texto = TextoPdf(pdf, pagina);
        EXPECT_NE(texto.find("PREFEITURA MUNICIPAL DE SÃO JOÃO DA BARRA"), std::string::npos) << texto;
        EXPECT_NE(texto.find("RUA DA CONCEIÇÃO, 145 - CENTRO"), std::string::npos);
        EXPECT_NE(texto.find("12.345.678/0001-90"), std::string::npos);
        EXPECT_NE(texto.find("Exercício: 2008"), std::string::npos);
        EXPECT_NE(texto.find("RELATORIO DE ERROS EXPORTAÇÃO GEDRA"), std::string::npos);
        EXPECT_NE(texto.find("Página " + std::to_string(pagina) + " de 3"), std::string::npos);
    }

    // Every line of the log, in order (pdftotext speaks UTF-8); the long one wrapped
    // after 84 characters.
    log.erase(log.begin() + 40);
    log.insert(log.begin() + 40, {longa.substr(0, 84), longa.substr(84)});
    const std::string texto = TextoPdf(pdf);
    std::size_t depois = 0;
    for (const std::string& linha : log) {
        const std::string procurada = SemEspacosAFinal(ParaQString(linha).toStdString());
        if (procurada.empty())
            continue;
        const auto pos = texto.find(procurada, depois);
        ASSERT_NE(pos, std::string::npos) << "linha ausente ou fora de ordem: " << linha;
        depois = pos + procurada.size();
    }
}

TEST_F(RelatorioPdf, LogVazioImprimeSoOCabecalho)
{
    const std::string pdf = (pasta_ / "vazio.pdf").string();
    GravarRelatorioPdf(pdf, kCabecalho, {});

    EXPECT_EQ(InfoPdf(pdf, "Pages"), "1");
    const std::string texto = TextoPdf(pdf);
    EXPECT_NE(texto.find("Exercício: 2008"), std::string::npos);
    EXPECT_NE(texto.find("Página 1 de 1"), std::string::npos);
}

TEST_F(RelatorioPdf, CaminhoImpossivelFalhaComMensagemENaoDeixaArquivo)
{
    for (const fs::path& destino : {pasta_ / "nao_existe" / "erros.pdf", pasta_}) {
        SCOPED_TRACE(destino.string());
        try {
            GravarRelatorioPdf(destino.string(), kCabecalho, LogComProblemas(1));
            ADD_FAILURE() << "deveria ter falhado";
        } catch (const std::runtime_error& erro) {
            const std::string mensagem = erro.what();
            EXPECT_EQ(mensagem.rfind("N\xE3o foi poss\xEDvel gravar o relat\xF3rio ", 0), 0u) << mensagem;
            EXPECT_NE(mensagem.find(destino.string()), std::string::npos) << mensagem;
        }
    }
    EXPECT_TRUE(fs::is_empty(pasta_));
}
