#include "windows/UErros.h"

#include <memory>

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QVBoxLayout>

#include "windows/relatorio/FontesRelatorio.h"
#include "windows/relatorio/RelatorioErros.h"
#include "windows/relatorio/Texto1252.h"

TFrmErros* FrmErros = nullptr;

namespace {

// The title bar's background: teal shading to a lighter teal, left to right.
class PainelGradiente : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QLinearGradient gradiente(0, 0, width(), 0);
        gradiente.setColorAt(0, QColor(0, 128, 128));
        gradiente.setColorAt(1, QColor(100, 179, 179));
        QPainter(this).fillRect(rect(), gradiente);
    }
};

QFrame* PainelRebaixado(QWidget* pai, const char* nome)
{
    auto* painel = new QFrame(pai);
    painel->setObjectName(QLatin1String(nome));
    painel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    painel->setLineWidth(1);
    return painel;
}

QFont FonteInterface(const char* familia, double pontos, bool negrito = false)
{
    QFont fonte{QLatin1String(familia)};
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPointSizeF(pontos);
    fonte.setBold(negrito);
    return fonte;
}

// The buttons' glyphs: a small printer and a door with an arrow leaving it. The
// disabled state is the icon's own greyed form.
QIcon GlifoImpressora()
{
    QPixmap figura(16, 16);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(13, 8);
    return QIcon(figura);
}

QIcon GlifoSair()
{
    QPixmap figura(16, 16);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    p.setPen(QColor(90, 60, 20));
    p.setBrush(QColor(190, 140, 70));
    p.drawRect(1, 1, 8, 14);
    p.setPen(QPen(QColor(180, 0, 0), 2));
    p.drawLine(7, 8, 14, 8);
    p.drawLine(11, 5, 14, 8);
    p.drawLine(11, 11, 14, 8);
    return QIcon(figura);
}

QPushButton* Botao(QWidget* pai, const char* nome, const QString& texto, int esquerda,
                   const QIcon& glifo)
{
    auto* botao = new QPushButton(glifo, texto, pai);
    botao->setObjectName(QLatin1String(nome));
    botao->setGeometry(esquerda, 8, 104, 35);
    botao->setCursor(Qt::PointingHandCursor);
    return botao;
}

}  // namespace

void AbridorPrevia::mostrarErro(QWidget* pai, const QString& mensagem)
{
    QMessageBox::critical(pai, QGuiApplication::applicationDisplayName(), mensagem);
}

void AbridorPreviaPadrao::abrir(QPrintPreviewDialog& previa)
{
    if (auto* painel = previa.findChild<QPrintPreviewWidget*>())
        painel->fitToWidth();
    // Maximised through the window state: showing it first would make exec() find it
    // visible already and leave it modeless.
    previa.setWindowState(previa.windowState() | Qt::WindowMaximized);
    previa.exec();
}

TFrmErros::TFrmErros(const std::vector<std::string>& log,
                     std::function<CabecalhoRelatorio()> cabecalho,
                     AbridorPrevia* abridor,
                     QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      cabecalho_(std::move(cabecalho)),
      abridor_(abridor != nullptr ? abridor : &abridorPadrao_)
{
    setObjectName(QStringLiteral("FrmErros"));
    setWindowTitle(QStringLiteral("Relatório de Inconsistência"));
    setFont(FonteInterface("MS Sans Serif", 8));
    resize(715, 428);

    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    montarTopo();
    montarMemo(log);
    montarRodape();
    coluna->addWidget(Panel1);
    coluna->addWidget(Panel3, 1);
    coluna->addWidget(Panel2);
}

void TFrmErros::montarTopo()
{
    Panel1 = PainelRebaixado(this, "Panel1");
    Panel1->setFixedHeight(34);
    EvGradient1 = new PainelGradiente(Panel1);
    EvGradient1->setObjectName(QStringLiteral("EvGradient1"));
    auto* encaixe = new QVBoxLayout(Panel1);
    encaixe->setContentsMargins(1, 1, 1, 1);
    encaixe->addWidget(EvGradient1);

    Label2 = new QLabel(QStringLiteral("Relação de Erros da Exportação"), EvGradient1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(FonteInterface("MS Sans Serif", 12, true));
    Label2->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label2->move(12, 5);
    Label2->adjustSize();
}

void TFrmErros::montarRodape()
{
    Panel2 = PainelRebaixado(this, "Panel2");
    Panel2->setFixedHeight(48);
    Panel2->setFont(FonteInterface("Verdana", 8));
    BitBtn1 = Botao(Panel2, "BitBtn1", QStringLiteral("Imprimir"), 12, GlifoImpressora());
    BitBtn2 = Botao(Panel2, "BitBtn2", QStringLiteral("Sair"), 120, GlifoSair());
    // Not default buttons: Enter in the memo must add a line, not print or close.
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmErros::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFrmErros::BitBtn2Click);
}

void TFrmErros::montarMemo(const std::vector<std::string>& log)
{
    Panel3 = PainelRebaixado(this, "Panel3");
    Memo1 = new QPlainTextEdit(Panel3);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(FonteDetalhe());
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* encaixe = new QVBoxLayout(Panel3);
    encaixe->setContentsMargins(1, 1, 1, 1);
    encaixe->addWidget(Memo1);

    QStringList linhas;
    linhas.reserve(static_cast<qsizetype>(log.size()));
    for (const std::string& linha : log)
        linhas.append(ParaQString(linha));
    Memo1->setPlainText(linhas.join(QLatin1Char('\n')));
}

std::vector<std::string> TFrmErros::linhasMemo() const
{
    // Walk the blocks rather than toPlainText(), which would turn non-breaking
    // spaces (a Windows-1252 character) into plain ones.
    std::vector<std::string> linhas;
    const QTextDocument* documento = Memo1->document();
    if (documento->isEmpty())
        return linhas;
    for (QTextBlock bloco = documento->begin(); bloco.isValid(); bloco = bloco.next()) {
        // Shift+Enter puts a line separator inside a block; on paper it is a new line.
        for (const QString& parte : bloco.text().split(QChar::LineSeparator))
            linhas.push_back(DeQString(parte));
    }
    return linhas;
}

void TFrmErros::BitBtn1Click()
{
    CabecalhoRelatorio dados;
    try {
        dados = cabecalho_();
    } catch (const std::exception& erro) {
        abridor_->mostrarErro(this, ParaQString(erro.what()));
        return;
    }
    const RelatorioErros relatorio(std::move(dados), linhasMemo());

    QPrinter impressora(QPrinter::HighResolution);
    impressora.setDocName(QStringLiteral("Report"));
    ConfigurarPagina(impressora);
    QPrintPreviewDialog previa(&impressora, this);
    connect(&previa, &QPrintPreviewDialog::paintRequested, this,
            [this, &relatorio](QPrinter* destino) {
                try {
                    relatorio.pintar(*destino);
                } catch (const std::exception& erro) {
                    abridor_->mostrarErro(this, ParaQString(erro.what()));
                }
            });
    abridor_->abrir(previa);
}

void TFrmErros::BitBtn2Click()
{
    close();
}

void TFrmErros::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (const QScreen* tela = screen()) {
        QRect area = frameGeometry();
        area.moveCenter(tela->availableGeometry().center());
        move(area.topLeft());
    }
}

void btnVisualizarClick(QWidget* pai, const std::vector<std::string>& log,
                        std::function<CabecalhoRelatorio()> cabecalho,
                        AbridorPrevia* abridor)
{
    auto janela = std::make_unique<TFrmErros>(log, std::move(cabecalho), abridor, pai);
    FrmErros = janela.get();
    janela->exec();
    FrmErros = nullptr;
}
