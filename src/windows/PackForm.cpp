#include "windows/PackForm.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

namespace {

// Module paths and library names are bytes of the file system; show them as such.
QString TextoSistema(const std::string& texto)
{
    return QString::fromLocal8Bit(texto.data(), static_cast<qsizetype>(texto.size()));
}

QTreeWidgetItem* Filho(QTreeWidgetItem* pai, const QString& texto)
{
    auto* item = new QTreeWidgetItem(pai);
    item->setText(0, texto);
    return item;
}

}  // namespace

TForm1::TForm1(QWidget* pai) : TForm1(ModulosCarregados(), pai)
{
}

TForm1::TForm1(const std::vector<InformacaoModulo>& modulos, QWidget* pai) : QDialog(pai)
{
    montar();
    FormCreate(modulos);
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::montar()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Package Information"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(588, 415);
    // FormClose: the window frees itself when it is closed.
    setAttribute(Qt::WA_DeleteOnClose);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIndentation(19);
    TreeView1->setFont(QFont(QStringLiteral("Courier New"), 8));
    TreeView1->setFrameShape(QFrame::NoFrame);
    TreeView1->setStyleSheet(QStringLiteral(
        "QTreeWidget { background-color: black; color: lime; }"
        "QTreeWidget::item:selected { background-color: rgb(0,96,0); color: lime; }"
        "QScrollBar { background: black; border: none; }"
        "QScrollBar:vertical { width: 12px; }"
        "QScrollBar:horizontal { height: 12px; }"
        "QScrollBar::handle { background: rgb(0,110,0); border-radius: 3px; margin: 2px; }"
        "QScrollBar::handle:vertical { min-height: 24px; }"
        "QScrollBar::handle:horizontal { min-width: 24px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"));
    TreeView1->installEventFilter(this);

    auto* disposicao = new QVBoxLayout(this);
    disposicao->setContentsMargins(0, 0, 0, 0);
    disposicao->addWidget(TreeView1);

    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

QString TForm1::TextoUnidade(const UnidadeContida& unidade)
{
    QString marcas;
    if (unidade.principal)
        marcas += QStringLiteral("Main Unit ");
    if (unidade.pacote)
        marcas += QStringLiteral("Package Unit ");
    if (unidade.fraca)
        marcas += QStringLiteral("Weak Unit ");
    const QString flags = marcas.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" ( ") + marcas + QLatin1Char(')');
    return TextoSistema(unidade.nome) + flags;
}

void TForm1::FormCreate(const std::vector<InformacaoModulo>& modulos)
{
    for (const InformacaoModulo& modulo : modulos) {
        auto* raiz = new QTreeWidgetItem(TreeView1);
        raiz->setText(0, TextoSistema(modulo.arquivo));
        QTreeWidgetItem* contem = Filho(raiz, QStringLiteral("Contains"));
        QTreeWidgetItem* requer = Filho(raiz, QStringLiteral("Requires"));
        for (const std::string& pacote : modulo.requeridos)
            Filho(requer, TextoSistema(pacote));
        for (const UnidadeContida& unidade : modulo.unidades)
            Filho(contem, TextoUnidade(unidade));
        if (!modulo.descricao.empty()) {
            Filho(raiz, QStringLiteral("Description: ") + QString::fromUtf8(modulo.descricao));
            if (modulo.somenteDesign)
                Filho(raiz, QStringLiteral("Design Only"));
            if (modulo.somenteExecucao)
                Filho(raiz, QStringLiteral("Run Only"));
        }
    }
}

bool TForm1::FormKeyPress(QKeyEvent* evento)
{
    if (evento->key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

bool TForm1::eventFilter(QObject* objeto, QEvent* evento)
{
    // The window sees every key before its controls do.
    if (evento->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent*>(evento)))
        return true;
    return QDialog::eventFilter(objeto, evento);
}

void TForm1::keyPressEvent(QKeyEvent* evento)
{
    if (!FormKeyPress(evento))
        QDialog::keyPressEvent(evento);
}
