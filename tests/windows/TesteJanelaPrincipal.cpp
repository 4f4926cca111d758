// Start-up and the main window's own handlers, on a real test database.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "ApoioJanelas.h"
#include "apoio/InstalacaoTeste.h"
#include "shell/InicioGedra.h"
#include "shell/UPrincipalGedra.h"
#include "windows/MedidorSegmentado.h"
#include "windows/PackForm.h"

TEST(JanelaPrincipal, ArranqueLeExercicioClienteVersaoEUsuario)
{
    JanelaTeste t;
    ASSERT_TRUE(t.iniciou);
    TfrmPrincipalGedra& j = *t.janela;
    EXPECT_TRUE(j.isVisible());
    EXPECT_TRUE(j.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(j.Exercicio, "2008");
    EXPECT_EQ(j.StatusBar1[0]->text(), QString());
    EXPECT_EQ(j.StatusBar1[1]->text(), QStringLiteral("PREFEITURA MUNICIPAL DE SÃO TESTE"));
    EXPECT_EQ(j.StatusBar1[2]->text(), QStringLiteral("Versão : 8.2.0.22"));
    EXPECT_EQ(j.StatusBar1[3]->text(), QStringLiteral("Usuário: operador"));
    // No SRP_MURT8.exe beside the executable: the design title stays.
    EXPECT_EQ(j.windowTitle(), QStringLiteral("Gerador de Arquivos - Secretaria da Receita Previdenciária"));
    // No parameter file yet: the three fields are empty and the month list is unchosen.
    EXPECT_EQ(j.edEmpresa->text(), QString());
    EXPECT_EQ(j.lblNome->text(), QString());
    EXPECT_EQ(j.edCaminho->text(), QString());
    EXPECT_EQ(j.cbMesRef->currentText(), QStringLiteral(" <Escolha o Mês>"));
    EXPECT_EQ(j.IndiceReferencia(), -1);
    EXPECT_TRUE(j.DataIniSQL.empty());
    EXPECT_TRUE(t.iu.mensagens.empty());
}

TEST(JanelaPrincipal, ParametrosDaUltimaExecucaoSaoRestauradosMasNaoOMes)
{
    JanelaTeste t(QString(), [](InstalacaoJanelas& i) {
        EscreverArquivo(i.arquivoParametros(),
                        "[SRP]\r\nEMPRESA=3\r\nNOME=PREFEITURA\r\nREFERENCIA=05 - Maio\r\nCAMINHO=C:\\SRP\\\r\n");
    });
    ASSERT_TRUE(t.iniciou);
    TfrmPrincipalGedra& j = *t.janela;
    EXPECT_EQ(j.edEmpresa->text(), QStringLiteral("3"));
    EXPECT_EQ(j.lblNome->text(), QStringLiteral("PREFEITURA"));
    EXPECT_EQ(j.edCaminho->text(), QStringLiteral("C:\\SRP\\"));
    EXPECT_EQ(j.IndiceReferencia(), -1);
    EXPECT_EQ(j.cbMesRef->currentText(), QStringLiteral(" <Escolha o Mês>"));
    // Argument 2 absent: the user panel reads "Usuário: " alone.
    EXPECT_EQ(j.StatusBar1[3]->text(), QStringLiteral("Usuário: "));
}

TEST(JanelaPrincipal, SemBaseDeDadosAvisaEEncerraSemMostrarAJanela)
{
    GarantirAplicacaoJanelas();
    InstalacaoTeste instalacao;
    instalacao.murt({{"Ano", "2031"}, {"Caminho_Base_Dados", instalacao.pasta() + "/"}});
    InterfaceUsuarioTeste iu;
    TfrmPrincipalGedra janela({QStringLiteral("GedraMURT8"), QStringLiteral("MURT"), QStringLiteral("operador")}, iu);
    EXPECT_FALSE(IniciarGedra(janela));
    EXPECT_FALSE(janela.isVisible());
    EXPECT_TRUE(janela.encerramentoPedido());
    ASSERT_EQ(iu.mensagens.size(), 1u);
    EXPECT_EQ(iu.mensagens[0].texto,
              QStringLiteral("Base de Dados do sistema não encontrada !!! O Sistema será finalizado."));
    EXPECT_EQ(iu.mensagens[0].titulo, QStringLiteral("Erro na Base de Dados"));
    EXPECT_EQ(iu.mensagens[0].icone, Mensageiro::Icone::Erro);
}

// "design" opens the package window first and modally: the main window is not up
// until it closes. Any other spelling does not open it.
TEST(JanelaPrincipal, ArgumentoDesignAbreAJanelaDePacotesAntes)
{
    struct Caso {
        QString argumento;
        bool abre;
    };
    for (const Caso& caso : {Caso{QStringLiteral("design"), true}, Caso{QStringLiteral("Design"), false},
                             Caso{QStringLiteral("design "), false}}) {
        SCOPED_TRACE(caso.argumento.toStdString());
        bool viuPacotes = false;
        bool principalVisivel = true;
        if (caso.abre) {
            AoAbrirModal([&](QWidget* modal) {
                viuPacotes = modal == Form1 && modal->windowTitle() == QStringLiteral("Package Information");
                principalVisivel = frmPrincipalGedra && frmPrincipalGedra->isVisible();
                QTest::keyClick(Form1->TreeView1, Qt::Key_Escape);
            });
        }
        JanelaTeste t(caso.argumento);
        ASSERT_TRUE(t.iniciou);
        EXPECT_EQ(viuPacotes, caso.abre);
        if (caso.abre) {
            EXPECT_FALSE(principalVisivel);
            EXPECT_EQ(Form1, nullptr);   // Escape closed it and it freed itself
        } else {
            ASSERT_NE(Form1, nullptr);
            EXPECT_FALSE(Form1->isVisible());
        }
        EXPECT_TRUE(t.janela->isVisible());
        EXPECT_EQ(t.janela->StatusBar1[3]->text(), QStringLiteral("Usuário: ") + caso.argumento);
    }
}

TEST(JanelaPrincipal, PaginaDeGeracaoSoApareceComSpGera)
{
    JanelaTeste t;
    TfrmPrincipalGedra& j = *t.janela;
    for (QWidget* controle : std::initializer_list<QWidget*>{j.tabGera, j.cbMesRef, j.edCaminho, j.edEmpresa,
                                                             j.lstStatus, j.btnGeraArq, j.GTodos})
        EXPECT_FALSE(controle->isVisible()) << controle->objectName().toStdString();
    QTest::mouseClick(j.spGera, Qt::LeftButton);
    EXPECT_TRUE(j.PageControl1->isVisible());
    EXPECT_EQ(j.PageControl1->currentWidget(), j.tabGera);
    for (QWidget* controle : std::initializer_list<QWidget*>{j.tabGera, j.cbMesRef, j.edCaminho, j.edEmpresa,
                                                             j.lstStatus, j.btnGeraArq, j.BitParar, j.GTodos})
        EXPECT_TRUE(controle->isVisible()) << controle->objectName().toStdString();
    EXPECT_FALSE(j.btnVisualizar->isVisible());
    EXPECT_FALSE(j.Memo1->isVisible());
    EXPECT_EQ(j.spGera->toolTip(), QStringLiteral("Impressão dos Anexos"));
}

TEST(JanelaPrincipal, ListaDeMesesDaOsLiteraisDoPeriodo)
{
    JanelaTeste t;
    TfrmPrincipalGedra& j = *t.janela;
    j.spGeraClick();
    ASSERT_EQ(j.cbMesRef->count(), 13);
    struct Caso {
        int indice;
        const char* inicio;
        const char* fim;
    };
    for (const Caso& c : {Caso{0, "'01.01.2008'", "'31.12.2008'"}, Caso{1, "'01.01.2008'", "'31.01.2008'"},
                          Caso{2, "'01.02.2008'", "'29.02.2008'"}, Caso{12, "'01.12.2008'", "'31.12.2008'"},
                          Caso{0, "'01.01.2008'", "'31.12.2008'"}}) {
        j.cbMesRef->setCurrentIndex(c.indice);
        EXPECT_EQ(j.IndiceReferencia(), c.indice);
        EXPECT_EQ(j.DataIniSQL, c.inicio);
        EXPECT_EQ(j.DataFimSQL, c.fim);
    }
    EXPECT_EQ(j.cbMesRef->itemText(3), QStringLiteral("03 - Março"));
    EXPECT_TRUE(t.iu.mensagens.empty());

    // A typed text that is neither TODOS nor a month: the conversion error, literals kept.
    j.cbMesRef->setEditText(QStringLiteral("XX"));
    ASSERT_EQ(t.iu.mensagens.size(), 1u);
    EXPECT_EQ(t.iu.mensagens[0].icone, Mensageiro::Icone::Erro);
    EXPECT_EQ(t.iu.mensagens[0].titulo, QStringLiteral("Gerador de Arquivos - Gedra"));
    EXPECT_FALSE(t.iu.mensagens[0].texto.isEmpty());
    EXPECT_EQ(j.DataIniSQL, "'01.01.2008'");
    EXPECT_EQ(j.DataFimSQL, "'31.12.2008'");
    EXPECT_EQ(j.IndiceReferencia(), -1);
}

TEST(JanelaPrincipal, PastaEscolhidaTerminaComUmSeparador)
{
    JanelaTeste t;
    TfrmPrincipalGedra& j = *t.janela;
    j.spGeraClick();
    t.iu.pastas = {QStringLiteral("/home/operador/srp"), QStringLiteral("/home/operador/srp/")};
    j.btnAbrirClick();
    EXPECT_EQ(j.edCaminho->text(), QStringLiteral("/home/operador/srp/"));
    j.edCaminho->setText(QStringLiteral("x"));
    j.btnAbrirClick();
    EXPECT_EQ(j.edCaminho->text(), QStringLiteral("/home/operador/srp/"));
    // Cancelled: nothing changes.
    j.btnAbrirClick();
    EXPECT_EQ(j.edCaminho->text(), QStringLiteral("/home/operador/srp/"));
}

TEST(JanelaPrincipal, EmpresaApagadaLimpaONomeAoSairDoCampo)
{
    JanelaTeste t(QStringLiteral("operador"), [](InstalacaoJanelas& i) {
        EscreverArquivo(i.arquivoParametros(), "[SRP]\r\nEMPRESA=3\r\nNOME=FUNDO\r\nCAMINHO=\r\n");
    });
    TfrmPrincipalGedra& j = *t.janela;
    j.spGeraClick();
    QApplication::setActiveWindow(&j);
    // Only blanks: not empty here, so the name stays.
    j.edEmpresa->setFocus();
    j.edEmpresa->setText(QStringLiteral("  "));
    j.cbMesRef->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(j.lblNome->text(), QStringLiteral("FUNDO"));
    // A code typed by hand is not looked up: the name stays too.
    j.edEmpresa->setFocus();
    j.edEmpresa->setText(QStringLiteral("4"));
    j.cbMesRef->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(j.lblNome->text(), QStringLiteral("FUNDO"));
    j.edEmpresa->setFocus();
    j.edEmpresa->clear();
    j.cbMesRef->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(j.lblNome->text(), QString());
}
