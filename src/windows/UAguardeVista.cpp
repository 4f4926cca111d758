#include "windows/UAguardeVista.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include "windows/MedidorSegmentado.h"
#include "windows/RecursosJanelas.h"

TfrmAguardeVista* frmAguardeVista = nullptr;

TfrmAguardeVista::TfrmAguardeVista(QWidget* pai)
    : QWidget(pai, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    CarregarRecursosJanelas();
    setObjectName(QStringLiteral("frmAguardeVista"));
    setFixedSize(399, 99);
    setAutoFillBackground(true);
    QPalette cores = palette();
    cores.setColor(QPalette::Window, QColor(192, 220, 192));
    setPalette(cores);

    Img = new QLabel(this);
    Img->setGeometry(0, -1, 400, 100);
    Img->setAlignment(Qt::AlignCenter);
    Img->setPixmap(ImagemJanelas(QStringLiteral("aguarde_fundo.svg"), {400, 100}));

    Image1 = new QLabel(this);
    Image1->setGeometry(0, -1, 76, 77);
    Image1->setScaledContents(true);
    Image1->setPixmap(ImagemJanelas(QStringLiteral("aguarde_emblema.svg"), {76, 77}));

    // Tall enough for the two-line caption of the long step, centred on the line
    // where the one-line caption stands.
    lblCaption = new QLabel(QStringLiteral("Aguarde..."), this);
    lblCaption->setGeometry(96, 22, 283, 46);
    lblCaption->setAlignment(Qt::AlignCenter);
    lblCaption->setFont(QFont(QStringLiteral("Tahoma"), 12, QFont::Bold));
    lblCaption->setStyleSheet(QStringLiteral("color: black; background: transparent;"));

    PROGRESS = new TMedidorSegmentado(this);
    PROGRESS->setObjectName(QStringLiteral("PROGRESS"));
    PROGRESS->setGeometry(4, 78, 390, 16);
    PROGRESS->definirFaixa(0, 100);
    PROGRESS->definirCores(QColor(0, 128, 128), QColor(192, 220, 192), Qt::white);
    PROGRESS->definirFonteTexto(QFont(QStringLiteral("Tahoma"), 8));

    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

TfrmAguardeVista::~TfrmAguardeVista()
{
    // Hidden first, so the cursor comes back whatever way the window goes.
    FormHide();
    if (frmAguardeVista == this)
        frmAguardeVista = nullptr;
}

void TfrmAguardeVista::definirLegenda(const QString& texto)
{
    QString linhas = texto;
    linhas.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    linhas.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblCaption->setText(linhas);
}

void TfrmAguardeVista::pintarAgora()
{
    // A window that has just been mapped shows nothing until the window system has
    // exposed it; wait for that (briefly), then paint and flush.
    QElapsedTimer espera;
    espera.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    } while (windowHandle() && !windowHandle()->isExposed() && espera.elapsed() < 500);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmAguardeVista::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    FormShow();
}

void TfrmAguardeVista::hideEvent(QHideEvent* evento)
{
    FormHide();
    QWidget::hideEvent(evento);
}

void TfrmAguardeVista::FormShow()
{
    if (!cursorTrocado_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorTrocado_ = true;
    }
    lblCaption->setText(QStringLiteral("Aguarde..."));
}

void TfrmAguardeVista::FormHide()
{
    if (cursorTrocado_) {
        QApplication::restoreOverrideCursor();
        cursorTrocado_ = false;
    }
}
