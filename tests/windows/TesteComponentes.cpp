// The small widgets of the windows: the segmented gauge and the wait window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>

#include "ApoioJanelas.h"
#include "windows/MedidorSegmentado.h"
#include "windows/UAguardeVista.h"

TEST(MedidorSegmentado, AcendeCaixasNaProporcaoEMostraOPercentual)
{
    GarantirAplicacaoJanelas();
    TMedidorSegmentado m;
    m.resize(203, 17);   // 1 px bevel and 1 px margin each side: 199 px for 20 boxes and 19 gaps
    m.definirCores(QColor(0, 128, 128), QColor(212, 208, 200), Qt::black);
    m.definirFaixa(0, 16);
    m.definirProgresso(8);
    EXPECT_EQ(m.percentual(), 50);
    EXPECT_EQ(m.textoPercentual(), QStringLiteral("50%"));
    EXPECT_EQ(m.caixasAcesas(), 10);
    const QImage imagem = m.grab().toImage();
    // Box i starts at 2 + i * 10 (9 px wide, 1 px apart); look near the bottom edge,
    // clear of the percentage text.
    EXPECT_EQ(imagem.pixelColor(2 + 9 * 10 + 4, 14), QColor(0, 128, 128));
    EXPECT_EQ(imagem.pixelColor(2 + 9 * 10 + 9, 14), QColor(212, 208, 200));   // the gap after box 9
    EXPECT_EQ(imagem.pixelColor(2 + 10 * 10 + 4, 14), QColor(212, 208, 200));  // box 10 stays dark

    // Clamped to the range; a new, smaller maximum keeps the progress inside it.
    m.definirProgresso(40);
    EXPECT_EQ(m.progresso(), 16);
    EXPECT_EQ(m.percentual(), 100);
    m.definirMaximo(4);
    EXPECT_EQ(m.progresso(), 4);
    m.definirProgresso(-3);
    EXPECT_EQ(m.progresso(), 0);
    EXPECT_EQ(m.textoPercentual(), QStringLiteral("0%"));
}

TEST(AguardeVista, CursorDeEsperaEnquantoVisivelELegendaDoChamador)
{
    GarantirAplicacaoJanelas();
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    auto* janela = new TfrmAguardeVista;
    frmAguardeVista = janela;
    janela->show();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(janela->lblCaption->text(), QStringLiteral("Aguarde..."));
    janela->definirLegenda(QStringLiteral("Aguarde,\rpode Demorar!"));
    EXPECT_EQ(janela->lblCaption->text(), QStringLiteral("Aguarde,\npode Demorar!"));
    EXPECT_EQ(janela->PROGRESS->textoPercentual(), QStringLiteral("0%"));
    EXPECT_TRUE(janela->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(janela->size(), QSize(399, 99));
    // Freed while shown: hidden first, so the cursor comes back.
    delete janela;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(frmAguardeVista, nullptr);
}
