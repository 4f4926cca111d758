// The package information window: one root per module of this very process.
#include <unistd.h>

#include <climits>

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

#include "ApoioJanelas.h"
#include "windows/PackForm.h"

namespace {

const UnidadeTabela kUnidadesTeste[] = {{"testes_windows", true}, {"TestePacotes", false}};

QStringList Filhos(QTreeWidgetItem* item)
{
    QStringList textos;
    for (int i = 0; i < item->childCount(); ++i)
        textos << item->child(i)->text(0);
    return textos;
}

QTreeWidgetItem* Filho(QTreeWidgetItem* item, const QString& texto)
{
    for (int i = 0; i < item->childCount(); ++i)
        if (item->child(i)->text(0) == texto)
            return item->child(i);
    return nullptr;
}

}  // namespace

TEST(JanelaPacotes, UmaRaizPorModuloComContainsERequires)
{
    GarantirAplicacaoJanelas();
    RegistrarUnidadesExecutavel(kUnidadesTeste, 2, "Testes das janelas");
    const std::vector<InformacaoModulo> modulos = ModulosCarregados();
    QPointer<TForm1> janela = new TForm1(nullptr);
    QTreeWidget* arvore = janela->TreeView1;
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Package Information"));
    ASSERT_EQ(arvore->topLevelItemCount(), static_cast<int>(modulos.size()));
    ASSERT_GT(modulos.size(), 3u);

    // The executable first, by its full path, with its units, needed libraries and description.
    char caminho[PATH_MAX] = {};
    ASSERT_GT(::readlink("/proc/self/exe", caminho, sizeof caminho - 1), 0);
    QTreeWidgetItem* executavel = arvore->topLevelItem(0);
    EXPECT_EQ(executavel->text(0), QString::fromLocal8Bit(caminho));
    EXPECT_EQ(Filhos(executavel), (QStringList{QStringLiteral("Contains"), QStringLiteral("Requires"),
                                               QStringLiteral("Description: Testes das janelas")}));
    EXPECT_EQ(Filhos(executavel->child(0)),
              (QStringList{QStringLiteral("testes_windows ( Main Unit )"), QStringLiteral("TestePacotes ")}));
    const QStringList requeridos = Filhos(executavel->child(1));
    EXPECT_TRUE(requeridos.contains(QStringLiteral("libQt6Widgets.so.6"))) << requeridos.join(' ').toStdString();

    // Every other module: "Contains" (empty) and "Requires", no description.
    bool achouWidgets = false;
    for (int i = 1; i < arvore->topLevelItemCount(); ++i) {
        QTreeWidgetItem* raiz = arvore->topLevelItem(i);
        EXPECT_EQ(raiz->childCount(), 2) << raiz->text(0).toStdString();
        EXPECT_EQ(raiz->child(0)->text(0), QStringLiteral("Contains"));
        EXPECT_EQ(raiz->child(0)->childCount(), 0);
        EXPECT_EQ(raiz->child(1)->text(0), QStringLiteral("Requires"));
        if (raiz->text(0).endsWith(QStringLiteral("/libQt6Widgets.so.6"))) {
            achouWidgets = true;
            EXPECT_NE(Filho(raiz->child(1), QStringLiteral("libQt6Gui.so.6")), nullptr);
        }
    }
    EXPECT_TRUE(achouWidgets);

    // Escape closes it, with the focus in the tree, and it frees itself.
    janela->show();
    arvore->setFocus();
    QTest::keyClick(arvore, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janela.isNull());
    RegistrarUnidadesExecutavel(nullptr, 0, nullptr);
}

TEST(JanelaPacotes, MarcasDasUnidades)
{
    struct Caso {
        UnidadeContida unidade;
        const char* texto;
    };
    for (const Caso& c : {Caso{{"Proj", true, false, false}, "Proj ( Main Unit )"},
                          Caso{{"Proj", true, false, true}, "Proj ( Main Unit Weak Unit )"},
                          Caso{{"Pct", false, true, false}, "Pct ( Package Unit )"},
                          Caso{{"Comum", false, false, false}, "Comum "}})
        EXPECT_EQ(TForm1::TextoUnidade(c.unidade), QString::fromUtf8(c.texto));
}

TEST(JanelaPacotes, SemDescricaoNaoHaNosDeDescricaoNemDeMarcasDoPacote)
{
    GarantirAplicacaoJanelas();
    InformacaoModulo comDescricao{"/opt/a.so", {"libb.so"}, {}, "Pacote A", true, true};
    InformacaoModulo semDescricao{"/opt/b.so", {}, {}, "", true, true};
    TForm1 janela({comDescricao, semDescricao}, nullptr);
    QTreeWidgetItem* a = janela.TreeView1->topLevelItem(0);
    EXPECT_EQ(Filhos(a), (QStringList{QStringLiteral("Contains"), QStringLiteral("Requires"),
                                      QStringLiteral("Description: Pacote A"), QStringLiteral("Design Only"),
                                      QStringLiteral("Run Only")}));
    EXPECT_EQ(Filhos(a->child(1)), QStringList{QStringLiteral("libb.so")});
    EXPECT_EQ(Filhos(janela.TreeView1->topLevelItem(1)),
              (QStringList{QStringLiteral("Contains"), QStringLiteral("Requires")}));
}
