#include "windows/LocalizaEmpresa.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "windows/RecursosJanelas.h"
#include "windows/relatorio/Texto1252.h"

TFrmPesquisaEmpresa* FrmPesquisaEmpresa = nullptr;

const char* const TFrmPesquisaEmpresa::SQL_LOC_EMPRESA =
    "select EMPRESA, NOME, CODAUDESP \r\nfrom TABEMPRESA \r\norder by NOME";

namespace {

const QColor kFundoGrid(239, 239, 230);
const QColor kFaixaPar(247, 247, 239);
const QColor kSelecionada(247, 222, 156);
const QColor kCelulasFixas(51, 98, 115);
const QColor kLinhaColuna(192, 192, 180);

}  // namespace

// ---------------------------------------------------------------- dsLocEmpresa

void TFonteLocEmpresa::carregar(ConjuntoDados& dados)
{
    beginResetModel();
    linhas_.clear();
    if (dados.contar() > 0) {
        for (dados.primeiro(); !dados.fim(); dados.proximo())
            linhas_.push_back({dados.campo("EMPRESA").comoTexto(), dados.campo("NOME").comoTexto()});
        dados.primeiro();
    }
    endResetModel();
}

void TFonteLocEmpresa::definirLinhaAtual(int linha)
{
    const int anterior = linhaAtual_;
    linhaAtual_ = linha;
    if (anterior >= 0 && anterior < rowCount())
        emit headerDataChanged(Qt::Vertical, anterior, anterior);
    if (linha >= 0 && linha < rowCount())
        emit headerDataChanged(Qt::Vertical, linha, linha);
}

void TFonteLocEmpresa::limpar()
{
    beginResetModel();
    linhas_.clear();
    endResetModel();
}

std::string TFonteLocEmpresa::empresa(int linha) const
{
    return linha >= 0 && linha < rowCount() ? linhas_[static_cast<size_t>(linha)].empresa : std::string();
}

std::string TFonteLocEmpresa::nome(int linha) const
{
    return linha >= 0 && linha < rowCount() ? linhas_[static_cast<size_t>(linha)].nome : std::string();
}

int TFonteLocEmpresa::rowCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int TFonteLocEmpresa::columnCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : 2;
}

QVariant TFonteLocEmpresa::data(const QModelIndex& indice, int papel) const
{
    if (!indice.isValid() || papel != Qt::DisplayRole)
        return {};
    return ParaQString(indice.column() == 0 ? empresa(indice.row()) : nome(indice.row()));
}

QVariant TFonteLocEmpresa::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    if (papel != Qt::DisplayRole)
        return {};
    if (orientacao == Qt::Vertical)
        return secao == linhaAtual_ ? QStringLiteral("\u25B8") : QString();
    return secao == 0 ? QStringLiteral("EMPRESA") : QStringLiteral("NOME");
}

// ---------------------------------------------------------------- gridpesquisaDrawColumnCell

QColor TPintorGridPesquisa::corFundo(int numeroRegistro, bool selecionada)
{
    if (selecionada)
        return kSelecionada;
    return numeroRegistro % 2 == 1 ? kFundoGrid : kFaixaPar;
}

void TPintorGridPesquisa::paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const
{
    const bool selecionada = opcao.state & (QStyle::State_Selected | QStyle::State_HasFocus);
    pintor->save();
    pintor->fillRect(opcao.rect, corFundo(indice.row() + 1, selecionada));
    pintor->setPen(Qt::black);
    pintor->setFont(opcao.font);
    const QRect texto = opcao.rect.adjusted(3, 0, -3, 0);
    const QString valor = opcao.fontMetrics.elidedText(indice.data().toString(), Qt::ElideRight, texto.width());
    pintor->drawText(texto, Qt::AlignLeft | Qt::AlignVCenter, valor);
    // Lines between the columns only, none between the rows.
    pintor->setPen(kLinhaColuna);
    pintor->drawLine(opcao.rect.topRight(), opcao.rect.bottomRight());
    pintor->restore();
}

// ---------------------------------------------------------------- the window

TFrmPesquisaEmpresa::TFrmPesquisaEmpresa(ConexaoBanco& conexao, QWidget* pai)
    : QDialog(pai), Conexao(conexao)
{
    CarregarRecursosJanelas();
    setObjectName(QStringLiteral("FrmPesquisaEmpresa"));
    setWindowTitle(QStringLiteral("Pesquisa de Empresas"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(442, 299);

    dsLocEmpresa = new TFonteLocEmpresa(this);

    gridpesquisa = new QTableView(this);
    gridpesquisa->setObjectName(QStringLiteral("gridpesquisa"));
    gridpesquisa->setModel(dsLocEmpresa);
    gridpesquisa->setItemDelegate(new TPintorGridPesquisa(gridpesquisa));
    gridpesquisa->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridpesquisa->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridpesquisa->setSelectionMode(QAbstractItemView::SingleSelection);
    gridpesquisa->setShowGrid(false);
    gridpesquisa->setWordWrap(false);
    gridpesquisa->setFont(QFont(QStringLiteral("Arial"), 8));
    gridpesquisa->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    gridpesquisa->horizontalHeader()->setHighlightSections(false);
    gridpesquisa->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    gridpesquisa->horizontalHeader()->setFixedHeight(19);
    gridpesquisa->verticalHeader()->setDefaultSectionSize(18);
    gridpesquisa->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gridpesquisa->verticalHeader()->setFixedWidth(12);
    gridpesquisa->setStyleSheet(QStringLiteral(
        "QTableView { background-color: rgb(239,239,230); border: 1px solid rgb(51,98,115); }"
        "QHeaderView { background-color: rgb(51,98,115); }"
        "QHeaderView::section { background-color: rgb(51,98,115); color: white; font-family: Arial;"
        " font-size: 8pt; padding-left: 3px; border: none; border-right: 1px solid rgb(90,135,150);"
        " border-bottom: 1px solid rgb(90,135,150); }"
        "QTableCornerButton::section { background-color: rgb(51,98,115); border: none; }"));
    gridpesquisa->setColumnWidth(0, 64);
    gridpesquisa->setColumnWidth(1, 334);

    Panel1 = new QFrame(this);
    Panel1->setFixedHeight(35);
    Panel1->setFrameShape(QFrame::NoFrame);

    btnOk = new QPushButton(IconeJanelas(QStringLiteral("ok.svg")), QStringLiteral("&Ok"), Panel1);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(274, 5, 75, 25);
    btnOk->setDefault(true);
    btnOk->setAutoDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn1 = new QPushButton(IconeJanelas(QStringLiteral("cancela.svg")), QStringLiteral("&Cancela"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(351, 5, 75, 25);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    auto* disposicao = new QVBoxLayout(this);
    disposicao->setContentsMargins(0, 0, 0, 0);
    disposicao->setSpacing(0);
    disposicao->addWidget(gridpesquisa, 1);
    disposicao->addWidget(Panel1);

    connect(gridpesquisa->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& atual) { dsLocEmpresa->definirLinhaAtual(atual.row()); });
    connect(gridpesquisa, &QAbstractItemView::doubleClicked, this, &TFrmPesquisaEmpresa::gridpesquisaDblClick);

    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

TFrmPesquisaEmpresa::~TFrmPesquisaEmpresa()
{
    FormDestroy();
    if (FrmPesquisaEmpresa == this)
        FrmPesquisaEmpresa = nullptr;
}

void TFrmPesquisaEmpresa::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    // An error while the list is read must not cross the event loop: the dialog
    // closes as cancelled and whoever opened it reports the error.
    erroAbertura_.clear();
    try {
        FormShow();
    } catch (const std::exception& erro) {
        erroAbertura_ = erro.what();
        if (erroAbertura_.empty())
            erroAbertura_ = "Erro ao ler a lista de empresas.";
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
}

void TFrmPesquisaEmpresa::FormShow()
{
    cdsLocEmpresa.fechar();
    cdsLocEmpresa.abrir(Conexao, SQL_LOC_EMPRESA);
    dsLocEmpresa->carregar(cdsLocEmpresa);
    if (dsLocEmpresa->rowCount() > 0)
        gridpesquisa->setCurrentIndex(dsLocEmpresa->index(0, 0));
    gridpesquisa->setFocus();
}

void TFrmPesquisaEmpresa::FormDestroy()
{
    if (cdsLocEmpresa.aberto())
        cdsLocEmpresa.fechar();
}

void TFrmPesquisaEmpresa::gridpesquisaDblClick()
{
    btnOk->click();
}

int TFrmPesquisaEmpresa::linhaAtual() const
{
    const QModelIndex atual = gridpesquisa->currentIndex();
    if (atual.isValid())
        return atual.row();
    return dsLocEmpresa->rowCount() > 0 ? 0 : -1;
}

std::string TFrmPesquisaEmpresa::EmpresaAtual() const
{
    return dsLocEmpresa->empresa(linhaAtual());
}

std::string TFrmPesquisaEmpresa::NomeAtual() const
{
    return dsLocEmpresa->nome(linhaAtual());
}
