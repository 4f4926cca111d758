// The entity search window over TABEMPRESA, opened from the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "ApoioJanelas.h"
#include "shell/UPrincipalGedra.h"
#include "windows/LocalizaEmpresa.h"

namespace {

TFrmPesquisaEmpresa* Pesquisa(QWidget* modal)
{
    return qobject_cast<TFrmPesquisaEmpresa*>(modal);
}

// The search, answered by `acao` once the window is up; returns after it closed.
void Pesquisar(TfrmPrincipalGedra& j, std::function<void(TFrmPesquisaEmpresa&)> acao)
{
    AoAbrirModal([acao](QWidget* modal) {
        TFrmPesquisaEmpresa* janela = Pesquisa(modal);
        ASSERT_NE(janela, nullptr);
        acao(*janela);
    });
    j.btnEntidadeClick();
}

struct PesquisaEmpresa : ::testing::Test {
    void SetUp() override
    {
        t = std::make_unique<JanelaTeste>(QStringLiteral("operador"), [](InstalacaoJanelas& i) {
            EscreverArquivo(i.arquivoParametros(), "[SRP]\r\nEMPRESA=9\r\nNOME=ANTIGA\r\nCAMINHO=\r\n");
        });
        t->janela->spGeraClick();
        QApplication::setActiveWindow(t->janela.get());
    }
    TfrmPrincipalGedra& j() { return *t->janela; }
    std::unique_ptr<JanelaTeste> t;
};

}  // namespace

TEST_F(PesquisaEmpresa, ListaPorNomeEOkLevaCodigoENome)
{
    std::vector<QString> nomes;
    QString titulo;
    Pesquisar(j(), [&](TFrmPesquisaEmpresa& p) {
        titulo = p.windowTitle();
        for (int i = 0; i < p.dsLocEmpresa->rowCount(); ++i)
            nomes.push_back(p.dsLocEmpresa->index(i, 1).data().toString());
        p.gridpesquisa->setCurrentIndex(p.dsLocEmpresa->index(1, 0));
        QTest::mouseClick(p.btnOk, Qt::LeftButton);
    });
    EXPECT_EQ(titulo, QStringLiteral("Pesquisa de Empresas"));
    const std::vector<QString> esperados = {QStringLiteral("CÂMARA MUNICIPAL"),
                                            QStringLiteral("FUNDO MUNICIPAL DE SAÚDE"),
                                            QStringLiteral("PREFEITURA MUNICIPAL")};
    EXPECT_EQ(nomes, esperados);
    EXPECT_EQ(j().edEmpresa->text(), QStringLiteral("3"));
    EXPECT_EQ(j().lblNome->text(), QStringLiteral("FUNDO MUNICIPAL DE SAÚDE"));
    EXPECT_EQ(j().focusWidget(), j().edEmpresa);
    EXPECT_EQ(FrmPesquisaEmpresa, nullptr);
}

TEST_F(PesquisaEmpresa, CancelaEEscapeNaoMudamNada)
{
    Pesquisar(j(), [](TFrmPesquisaEmpresa& p) {
        p.gridpesquisa->setCurrentIndex(p.dsLocEmpresa->index(2, 0));
        QTest::mouseClick(p.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(j().edEmpresa->text(), QStringLiteral("9"));
    EXPECT_EQ(j().lblNome->text(), QStringLiteral("ANTIGA"));
    EXPECT_EQ(j().focusWidget(), j().edEmpresa);

    j().cbMesRef->setFocus();
    Pesquisar(j(), [](TFrmPesquisaEmpresa& p) {
        p.gridpesquisa->setCurrentIndex(p.dsLocEmpresa->index(2, 0));
        QTest::keyClick(p.gridpesquisa, Qt::Key_Escape);
    });
    EXPECT_EQ(j().edEmpresa->text(), QStringLiteral("9"));
    EXPECT_EQ(j().lblNome->text(), QStringLiteral("ANTIGA"));
    EXPECT_EQ(j().focusWidget(), j().edEmpresa);
}

TEST_F(PesquisaEmpresa, EnterEDuploCliqueSaoOk)
{
    Pesquisar(j(), [](TFrmPesquisaEmpresa& p) {
        p.gridpesquisa->setFocus();
        p.gridpesquisa->setCurrentIndex(p.dsLocEmpresa->index(2, 0));
        QTest::keyClick(p.gridpesquisa, Qt::Key_Return);
    });
    EXPECT_EQ(j().edEmpresa->text(), QStringLiteral("5"));
    EXPECT_EQ(j().lblNome->text(), QStringLiteral("PREFEITURA MUNICIPAL"));

    Pesquisar(j(), [](TFrmPesquisaEmpresa& p) {
        QApplication::processEvents();
        const QRect linha = p.gridpesquisa->visualRect(p.dsLocEmpresa->index(0, 1));
        // Through the window, as the platform delivers a double click (press, release,
        // press and double-click).
        const QPoint ponto = p.gridpesquisa->viewport()->mapTo(p.window(), linha.center());
        QTest::mouseDClick(p.window()->windowHandle(), Qt::LeftButton, {}, ponto);
    });
    EXPECT_EQ(j().edEmpresa->text(), QStringLiteral("4"));
    EXPECT_EQ(j().lblNome->text(), QStringLiteral("CÂMARA MUNICIPAL"));
}

TEST_F(PesquisaEmpresa, ListaVaziaComOkDeixaOsCamposVazios)
{
    t->instalacao.banco.executar("DELETE FROM TABEMPRESA");
    Pesquisar(j(), [](TFrmPesquisaEmpresa& p) { QTest::mouseClick(p.btnOk, Qt::LeftButton); });
    EXPECT_EQ(j().edEmpresa->text(), QString());
    EXPECT_EQ(j().lblNome->text(), QString());
}

// Pale bands by record number (the first row odd), the selected row light gold, the
// titles on the dark teal.
TEST_F(PesquisaEmpresa, GradePintaFaixasESelecao)
{
    QImage grade;
    QRect linhas[3];
    QColor titulo;
    Pesquisar(j(), [&](TFrmPesquisaEmpresa& p) {
        p.gridpesquisa->setCurrentIndex(p.dsLocEmpresa->index(0, 0));
        QApplication::processEvents();
        grade = p.gridpesquisa->viewport()->grab().toImage();
        for (int i = 0; i < 3; ++i)
            linhas[i] = p.gridpesquisa->visualRect(p.dsLocEmpresa->index(i, 1));
        titulo = p.gridpesquisa->horizontalHeader()->grab().toImage().pixelColor(200, 3);
        QTest::mouseClick(p.BitBtn1, Qt::LeftButton);
    });
    auto cor = [&](int linha) {
        return grade.pixelColor(linhas[linha].left() + linhas[linha].width() - 20, linhas[linha].center().y());
    };
    EXPECT_EQ(cor(0), QColor(247, 222, 156));
    EXPECT_EQ(cor(1), QColor(247, 247, 239));
    EXPECT_EQ(cor(2), QColor(239, 239, 230));
    EXPECT_EQ(titulo, QColor(51, 98, 115));
}
