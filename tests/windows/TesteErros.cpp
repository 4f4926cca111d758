#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

#include "ApoioJanelas.h"
#include "TesteErrosApoio.h"
#include "apoio/Processo.h"
#include "windows/UErros.h"
#include "windows/relatorio/Texto1252.h"

namespace fs = std::filesystem;

namespace {

// Prints every preview it is asked to open into a PDF of its own and keeps the text,
// so no test waits on a modal dialog.
class AbridorParaPdf : public AbridorPrevia {
public:
    explicit AbridorParaPdf(fs::path pasta) : pasta_(std::move(pasta)) {}

    void abrir(QPrintPreviewDialog& previa) override
    {
        const fs::path pdf = pasta_ / ("previa" + std::to_string(textos.size()) + ".pdf");
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(QString::fromStdString(pdf.string()));
        emit previa.paintRequested(&impressora);
        textos.push_back(ExecutarComando("pdftotext -layout -enc UTF-8 '" + pdf.string() + "' -").saida);
    }
    void mostrarErro(QWidget*, const QString& mensagem) override { erros.push_back(mensagem); }

    std::vector<std::string> textos;
    QStringList erros;

private:
    fs::path pasta_;
};

CabecalhoRelatorio Cabecalho(const std::string& exercicio)
{
    return {"C\xC2MARA MUNICIPAL DE PIRA\xCD", "PRA\xC7" "A DA MATRIZ, 1", "01.234.567/0001-89",
            exercicio};
}

bool Contem(const std::string& texto, const std::string& procurado)
{
    return texto.find(procurado) != std::string::npos;
}

class JanelaErros : public ::testing::Test {
protected:
    void SetUp() override
    {
        GarantirAplicacaoJanelas();
        pasta_ = fs::temp_directory_path() /
                 ("gedra_erros_" + std::string(
                      ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(pasta_);
        fs::create_directories(pasta_);
    }
    void TearDown() override { fs::remove_all(pasta_); }

    fs::path pasta_;
};

}  // namespace

TEST_F(JanelaErros, MostraOLogLinhaALinhaNaJanelaDescrita)
{
    const std::vector<std::string> log = LogDeErros(2);
    TFrmErros janela(log, [] { return Cabecalho("2008"); });

    const QTextDocument* documento = janela.Memo1->document();
    ASSERT_EQ(documento->blockCount(), static_cast<int>(log.size()));
    for (int i = 0; i < documento->blockCount(); ++i)
        EXPECT_EQ(documento->findBlockByNumber(i).text(), ParaQString(log[static_cast<std::size_t>(i)]))
            << "linha " << i;
    EXPECT_EQ(janela.linhasMemo(), log);  // also the non-breaking space and trailing blanks

    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Relatório de Inconsistência"));
    EXPECT_EQ(janela.size(), QSize(715, 428));
    EXPECT_FALSE(janela.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint));
    EXPECT_EQ(janela.Label2->text(), QStringLiteral("Relação de Erros da Exportação"));
    EXPECT_EQ(janela.BitBtn1->text(), QStringLiteral("Imprimir"));
    EXPECT_EQ(janela.BitBtn2->text(), QStringLiteral("Sair"));
    EXPECT_EQ(janela.BitBtn1->geometry(), QRect(12, 8, 104, 35));
    EXPECT_EQ(janela.BitBtn2->geometry(), QRect(120, 8, 104, 35));
    EXPECT_FALSE(janela.Memo1->isReadOnly());
    EXPECT_TRUE(QFontInfo(janela.Memo1->font()).fixedPitch());

    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    EXPECT_EQ(janela.Panel1->height(), 34);
    EXPECT_EQ(janela.Panel2->height(), 48);
    EXPECT_EQ(janela.Panel2->geometry().bottom(), janela.height() - 1);
    EXPECT_EQ(janela.Panel3->geometry().top(), 34);
    EXPECT_EQ(janela.Panel3->geometry().bottom(), janela.height() - 48 - 1);
}

TEST_F(JanelaErros, ImprimeOTextoEditadoComCabecalhoLidoACadaCliqueSemMudarOLogDoChamador)
{
    const std::vector<std::string> log = LogDeErros(1);
    const std::vector<std::string> copia = log;
    int leituras = 0;
    AbridorParaPdf abridor(pasta_);
    TFrmErros janela(log, [&] { return Cabecalho(std::to_string(2008 + leituras++)); }, &abridor);

    QTextCursor cursor(janela.Memo1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\nOBSERVAÇÃO DO OPERADOR: REVISAR EM 12/2008"));
    QTest::mouseClick(janela.BitBtn1, Qt::LeftButton);
    janela.Memo1->setPlainText(QStringLiteral("SÓ ESTA LINHA"));
    QTest::mouseClick(janela.BitBtn1, Qt::LeftButton);

    EXPECT_EQ(leituras, 2);
    ASSERT_EQ(abridor.textos.size(), 2u);
    const std::string& primeira = abridor.textos[0];
    EXPECT_TRUE(Contem(primeira, "OBSERVAÇÃO DO OPERADOR: REVISAR EM 12/2008")) << primeira;
    EXPECT_TRUE(Contem(primeira, "CENTRO DE CUSTO 101 COM DESCRIÇÃO CURTA"));
    EXPECT_TRUE(Contem(primeira, "CÂMARA MUNICIPAL DE PIRAÍ"));
    EXPECT_TRUE(Contem(primeira, "Exercício: 2008"));
    EXPECT_TRUE(Contem(primeira, "Página 1 de 1"));

    const std::string& segunda = abridor.textos[1];
    EXPECT_TRUE(Contem(segunda, "SÓ ESTA LINHA")) << segunda;
    EXPECT_FALSE(Contem(segunda, "CENTRO DE CUSTO 101"));
    EXPECT_TRUE(Contem(segunda, "Exercício: 2009"));

    EXPECT_EQ(log, copia);
    EXPECT_TRUE(abridor.erros.isEmpty());
}

TEST_F(JanelaErros, FalhaAoLerOCabecalhoMostraOErroENaoAbrePrevia)
{
    AbridorParaPdf abridor(pasta_);
    TFrmErros janela(LogDeErros(1),
                     []() -> CabecalhoRelatorio { throw std::runtime_error("Tabela CADCLI inacess\xEDvel"); },
                     &abridor);

    QTest::mouseClick(janela.BitBtn1, Qt::LeftButton);

    EXPECT_TRUE(abridor.textos.empty());
    EXPECT_EQ(abridor.erros, QStringList{QStringLiteral("Tabela CADCLI inacessível")});
}

TEST_F(JanelaErros, VisualizarMostraModalLiberaAoSairENaoGuardaEdicoes)
{
    const std::vector<std::string> log = LogDeErros(1);
    std::vector<QString> vistos;
    auto editarESair = [&] {
        ASSERT_NE(FrmErros, nullptr);
        EXPECT_TRUE(FrmErros->isModal());
        vistos.push_back(FrmErros->Memo1->toPlainText());
        FrmErros->Memo1->appendPlainText(QStringLiteral("EDITADO"));
        QTest::mouseClick(FrmErros->BitBtn2, Qt::LeftButton);
    };

    for (int vez = 0; vez < 2; ++vez) {
        QTimer::singleShot(0, editarESair);
        btnVisualizarClick(nullptr, log, [] { return Cabecalho("2008"); });
        EXPECT_EQ(FrmErros, nullptr);
    }

    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_EQ(vistos[0], vistos[1]);
    EXPECT_FALSE(vistos[1].contains(QStringLiteral("EDITADO")));
}

TEST_F(JanelaErros, PreviaPadraoAbreMaximizadaNaLarguraDaPaginaComTodasAsPaginas)
{
    TFrmErros janela(LogDeErros(21), [] { return Cabecalho("2008"); });
    int paginas = -1;
    bool maximizada = false;
    bool modal = false;
    QPrintPreviewWidget::ZoomMode zoom = QPrintPreviewWidget::CustomZoom;
    QTimer::singleShot(0, [&] {
        QPrintPreviewDialog* previa = nullptr;
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (auto* dialogo = qobject_cast<QPrintPreviewDialog*>(janela); dialogo && dialogo->isVisible())
                previa = dialogo;
        ASSERT_NE(previa, nullptr);
        modal = QApplication::activeModalWidget() == previa;
        maximizada = previa->isMaximized();
        if (auto* painel = previa->findChild<QPrintPreviewWidget*>()) {
            paginas = painel->pageCount();
            zoom = painel->zoomMode();
        }
        previa->reject();
    });

    QTest::mouseClick(janela.BitBtn1, Qt::LeftButton);

    EXPECT_TRUE(modal);
    EXPECT_TRUE(maximizada);
    EXPECT_EQ(paginas, 3);
    EXPECT_EQ(zoom, QPrintPreviewWidget::FitToWidth);
}
