// The main window's controls and their layout.
#include <algorithm>

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "shell/BarraLateral.h"
#include "shell/UPrincipalGedra.h"
#include "windows/MedidorSegmentado.h"
#include "windows/RecursosJanelas.h"

namespace {

const QColor kTeal(0, 128, 127);

QWidget* Faixa(int altura, QWidget* pai)
{
    auto* faixa = new QWidget(pai);
    faixa->setFixedHeight(altura);
    return faixa;
}

QPushButton* BotaoGrande(const QString& texto, const QString& imagem, int esquerda, QWidget* pai)
{
    auto* botao = new QPushButton(IconeJanelas(imagem), texto, pai);
    botao->setGeometry(esquerda, 3, 146, 42);
    botao->setIconSize(QSize(32, 32));
    botao->setCursor(Qt::PointingHandCursor);
    botao->setAutoDefault(false);
    return botao;
}

QToolButton* BotaoPequeno(const QString& imagem, QWidget* pai)
{
    auto* botao = new QToolButton(pai);
    botao->setIcon(IconeJanelas(imagem));
    botao->setIconSize(QSize(16, 16));
    botao->setFixedSize(25, 23);
    botao->setCursor(Qt::PointingHandCursor);
    return botao;
}

QWidget* ParLegenda(const QIcon& icone, const QString& texto, QWidget* pai)
{
    auto* par = new QWidget(pai);
    auto* linha = new QHBoxLayout(par);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(4);
    auto* imagem = new QLabel(par);
    imagem->setPixmap(icone.pixmap(16, 16));
    auto* rotulo = new QLabel(texto, par);
    rotulo->setFont(QFont(QStringLiteral("Arial"), 8));
    linha->addWidget(imagem);
    linha->addWidget(rotulo);
    return par;
}

}  // namespace

void TfrmPrincipalGedra::montarTela()
{
    CarregarRecursosJanelas();
    setObjectName(QStringLiteral("frmPrincipalGedra"));
    setWindowTitle(QString::fromUtf8(TITULO_PROJETO));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(800, 653);

    imgStatus = {IconeJanelas(QStringLiteral("escudo_erro.svg")), IconeJanelas(QStringLiteral("escudo_sucesso.svg")),
                 IconeJanelas(QStringLiteral("caixa_texto.svg")), IconeJanelas(QStringLiteral("escudo_semdados.svg"))};

    auto* centro = new QWidget(this);
    auto* coluna = new QVBoxLayout(centro);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    coluna->addWidget(montarCabecalho());

    auto* corpo = new QHBoxLayout;
    corpo->setSpacing(0);
    RzGroupBar1 = new TBarraLateral(QStringLiteral("ARQUIVO DIGITAL"), centro);
    spGera = new QToolButton(RzGroupBar1->corpoGrupo());
    spGera->setObjectName(QStringLiteral("spGera"));
    spGera->setGeometry(1, 0, 140, 90);
    spGera->setAutoRaise(true);
    spGera->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    spGera->setIcon(IconeJanelas(QStringLiteral("arquivo_digital.svg")));
    spGera->setIconSize(QSize(64, 64));
    spGera->setCursor(Qt::PointingHandCursor);
    spGera->setToolTip(QStringLiteral("Impressão dos Anexos"));
    spGera->setFont(QFont(QStringLiteral("MS Sans Serif"), 8, QFont::Bold));
    spGera->setStyleSheet(QStringLiteral(
        "QToolButton { color: white; border: 1px solid transparent; border-radius: 4px; }"
        "QToolButton:hover { background-color: rgba(255,255,255,40); border-color: rgba(255,255,255,90); }"
        "QToolButton:pressed { background-color: rgba(0,0,0,40); }"));
    connect(spGera, &QToolButton::clicked, this, &TfrmPrincipalGedra::spGeraClick);
    corpo->addWidget(RzGroupBar1);

    PageControl1 = new QTabWidget(centro);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->tabBar()->hide();
    PageControl1->setDocumentMode(true);
    PageControl1->setFont(QFont(QStringLiteral("Verdana"), 8));
    tabGera = montarPagina();
    PageControl1->addTab(tabGera, QString());
    PageControl1->hide();
    // The page area keeps its place while it shows no page.
    auto* area = new QWidget(centro);
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->addWidget(PageControl1);
    corpo->addWidget(area, 1);
    coluna->addLayout(corpo, 1);
    setCentralWidget(centro);

    montarBarraStatus();
}

QWidget* TfrmPrincipalGedra::montarCabecalho()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(68);
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);
    QPalette preto = Panel1->palette();
    preto.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(preto);

    auto* linha = new QHBoxLayout(Panel1);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);
    Image1 = new QLabel(Panel1);
    Image1->setFixedSize(611, 68);
    Image1->setPixmap(ImagemJanelas(QStringLiteral("banner.svg"), {611, 68}));
    linha->addWidget(Image1);
    linha->addStretch(1);

    auto* faixaDireita = new QWidget(Panel1);
    faixaDireita->setFixedSize(52, 68);
    SpeedButton1 = new QToolButton(faixaDireita);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(5, 4, 43, 60);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(IconeJanelas(QStringLiteral("fechar.svg")));
    SpeedButton1->setIconSize(QSize(43, 60));
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setToolTip(QStringLiteral("Sair"));
    SpeedButton1->setStyleSheet(QStringLiteral(
        "QToolButton { border: none; background: black; }"
        "QToolButton:hover { background: rgb(40,40,40); border-radius: 4px; }"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmPrincipalGedra::SpeedButton1Click);
    linha->addWidget(faixaDireita);
    return Panel1;
}

QWidget* TfrmPrincipalGedra::montarPagina()
{
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("tabGera"));
    // Group captions sit on the frame line, as the operators know them.
    pagina->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid rgb(160,160,160); border-radius: 3px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"));
    auto* coluna = new QVBoxLayout(pagina);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    coluna->addWidget(montarEscolhas());
    coluna->addWidget(montarLista(), 1);
    coluna->addWidget(montarMedidores());
    coluna->addWidget(montarBotoes());
    return pagina;
}

QWidget* TfrmPrincipalGedra::montarEscolhas()
{
    auto* escolhas = new QWidget;
    auto* coluna = new QVBoxLayout(escolhas);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);

    QWidget* faixa1 = Faixa(54, escolhas);
    gbReferencia = new QGroupBox(QStringLiteral(" Por Referência "), faixa1);
    gbReferencia->setGeometry(8, 5, 149, 45);
    cbMesRef = new QComboBox(gbReferencia);
    cbMesRef->setObjectName(QStringLiteral("cbMesRef"));
    cbMesRef->setGeometry(10, 16, 129, 22);
    cbMesRef->setEditable(true);
    cbMesRef->setInsertPolicy(QComboBox::NoInsert);
    cbMesRef->setMaxVisibleItems(12);
    cbMesRef->setCursor(Qt::PointingHandCursor);
    QFont negrito = cbMesRef->font();
    negrito.setBold(true);
    cbMesRef->setFont(negrito);
    cbMesRef->addItems({QStringLiteral("TODOS"), QStringLiteral("01 - Janeiro"), QStringLiteral("02 - Fevereiro"),
                        QStringLiteral("03 - Março"), QStringLiteral("04 - Abril"), QStringLiteral("05 - Maio"),
                        QStringLiteral("06 - Junho"), QStringLiteral("07 - Julho"), QStringLiteral("08 - Agosto"),
                        QStringLiteral("09 - Setembro"), QStringLiteral("10 - Outubro"), QStringLiteral("11 - Novembro"),
                        QStringLiteral("12 - Dezembro")});
    cbMesRef->setCurrentIndex(-1);
    cbMesRef->setEditText(QStringLiteral(" <Escolha o Mês>"));
    cbMesRef->lineEdit()->setCursorPosition(0);   // the text from its start, not its end
    // Wide enough for the prompt in this machine's fonts, never narrower than designed.
    const int largura = std::max(129, cbMesRef->fontMetrics().horizontalAdvance(cbMesRef->currentText()) + 36);
    cbMesRef->setFixedWidth(largura);
    gbReferencia->setFixedWidth(largura + 20);
    connect(cbMesRef, &QComboBox::currentTextChanged, this, &TfrmPrincipalGedra::cbMesRefChange);
    coluna->addWidget(faixa1);

    QWidget* faixa2 = Faixa(118, escolhas);
    gbCaminho = new QGroupBox(QStringLiteral(" Salvar Arquivo em: "), faixa2);
    gbCaminho->setGeometry(8, 0, 613, 45);
    edCaminho = new QLineEdit(gbCaminho);
    edCaminho->setObjectName(QStringLiteral("edCaminho"));
    edCaminho->setGeometry(8, 16, 569, 22);
    btnAbrir = BotaoPequeno(QStringLiteral("pasta.svg"), gbCaminho);
    btnAbrir->setObjectName(QStringLiteral("btnAbrir"));
    btnAbrir->move(579, 15);
    btnAbrir->setToolTip(QStringLiteral("Escolher a pasta"));
    connect(btnAbrir, &QToolButton::clicked, this, &TfrmPrincipalGedra::btnAbrirClick);

    gbEntidade = new QGroupBox(
        QStringLiteral(" Entidade Contábil: (Deixe em branco para gerar os Arquivos Consolidados)"), faixa2);
    gbEntidade->setGeometry(8, 48, 613, 45);
    edEmpresa = new QLineEdit(gbEntidade);
    edEmpresa->setObjectName(QStringLiteral("edEmpresa"));
    edEmpresa->setGeometry(8, 16, 57, 22);
    edEmpresa->installEventFilter(this);
    btnEntidade = BotaoPequeno(QStringLiteral("pesquisa.svg"), gbEntidade);
    btnEntidade->setObjectName(QStringLiteral("btnEntidade"));
    btnEntidade->move(67, 15);
    btnEntidade->setToolTip(QStringLiteral("Pesquisar a entidade"));
    connect(btnEntidade, &QToolButton::clicked, this, &TfrmPrincipalGedra::btnEntidadeClick);
    lblNome = new QLabel(QStringLiteral(". . . "), gbEntidade);
    lblNome->setObjectName(QStringLiteral("lblNome"));
    lblNome->setGeometry(100, 16, 501, 22);
    lblNome->setFont(QFont(QStringLiteral("Verdana"), 10, QFont::Bold));
    lblNome->setStyleSheet(QStringLiteral("color: navy;"));

    lblStatus = new QLabel(QStringLiteral("..."), faixa2);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setGeometry(10, 97, 611, 18);
    lblStatus->setFont(QFont(QStringLiteral("Verdana"), 8, QFont::Bold));
    coluna->addWidget(faixa2);
    return escolhas;
}

QWidget* TfrmPrincipalGedra::montarLista()
{
    auto* meio = new QWidget;
    auto* coluna = new QVBoxLayout(meio);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);

    lstStatus = new QTreeWidget(meio);
    lstStatus->setObjectName(QStringLiteral("lstStatus"));
    lstStatus->setColumnCount(4);
    lstStatus->setHeaderLabels(
        {QStringLiteral("Arquivo Gerado"), QStringLiteral("Linhas"), QStringLiteral("Data"), QStringLiteral("Tamanho")});
    lstStatus->setColumnWidth(0, 330);
    lstStatus->setColumnWidth(1, 75);
    lstStatus->setColumnWidth(2, 90);
    lstStatus->setColumnWidth(3, 99);
    lstStatus->header()->setStretchLastSection(true);
    lstStatus->setRootIsDecorated(false);
    lstStatus->setUniformRowHeights(true);
    lstStatus->setItemsExpandable(false);
    lstStatus->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstStatus->setSelectionMode(QAbstractItemView::SingleSelection);
    lstStatus->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstStatus->setFrameShape(QFrame::NoFrame);
    lstStatus->setIconSize(QSize(16, 16));
    coluna->addWidget(lstStatus, 1);

    auto* legenda = new QFrame(meio);
    legenda->setObjectName(QStringLiteral("Legenda"));
    legenda->setFixedHeight(22);
    legenda->setFrameShape(QFrame::StyledPanel);
    legenda->setFrameShadow(QFrame::Sunken);
    auto* pares = new QHBoxLayout(legenda);
    pares->setContentsMargins(8, 0, 8, 0);
    pares->setSpacing(18);
    pares->addWidget(ParLegenda(imgStatus[1], QStringLiteral("Gerado com Sucesso"), legenda));
    pares->addWidget(ParLegenda(imgStatus[0], QStringLiteral("Dados incorretos no arquivo"), legenda));
    pares->addWidget(ParLegenda(imgStatus[2], QStringLiteral("Sendo Preenchido"), legenda));
    pares->addWidget(ParLegenda(imgStatus[3], QStringLiteral("Nenhuma Informação Encontrada"), legenda));
    pares->addStretch(1);
    coluna->addWidget(legenda);

    // The error log: kept here, shown only through the error report.
    Memo1 = new QPlainTextEdit(meio);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(QFont(QStringLiteral("Courier New"), 10));
    Memo1->setReadOnly(true);
    Memo1->hide();
    return meio;
}

QWidget* TfrmPrincipalGedra::montarMedidores()
{
    auto* faixa = new QWidget;
    faixa->setObjectName(QStringLiteral("FaixaMedidores"));
    faixa->setFixedHeight(35);
    faixa->setAutoFillBackground(true);
    QPalette teal = faixa->palette();
    teal.setColor(QPalette::Window, kTeal);
    faixa->setPalette(teal);
    auto* coluna = new QVBoxLayout(faixa);
    coluna->setContentsMargins(0, 0, 0, 1);
    coluna->setSpacing(0);
    GParte = new TMedidorSegmentado(faixa);
    GParte->setObjectName(QStringLiteral("GParte"));
    GTodos = new TMedidorSegmentado(faixa);
    GTodos->setObjectName(QStringLiteral("GTodos"));
    for (TMedidorSegmentado* m : {GParte, GTodos}) {
        m->setFixedHeight(17);
        m->definirFaixa(0, 100);
        m->definirCores(kTeal, palette().color(QPalette::Button), Qt::black);
        coluna->addWidget(m);
    }
    return faixa;
}

QWidget* TfrmPrincipalGedra::montarBotoes()
{
    auto* faixa = new QFrame;
    faixa->setObjectName(QStringLiteral("FaixaBotoes"));
    faixa->setFixedHeight(48);
    faixa->setFrameShape(QFrame::Panel);
    faixa->setFrameShadow(QFrame::Sunken);
    btnGeraArq = BotaoGrande(QStringLiteral("Gerar Arquivos"), QStringLiteral("gerar.svg"), 4, faixa);
    btnGeraArq->setObjectName(QStringLiteral("btnGeraArq"));
    connect(btnGeraArq, &QPushButton::clicked, this, &TfrmPrincipalGedra::btnGeraArqClick);
    BitParar = BotaoGrande(QStringLiteral("Cancelar"), QStringLiteral("parar.svg"), 152, faixa);
    BitParar->setObjectName(QStringLiteral("BitParar"));
    connect(BitParar, &QPushButton::clicked, this, &TfrmPrincipalGedra::BitPararClick);
    btnVisualizar = BotaoGrande(QStringLiteral("Visualizar Erros"), QStringLiteral("visualizar.svg"), 300, faixa);
    btnVisualizar->setObjectName(QStringLiteral("btnVisualizar"));
    btnVisualizar->hide();
    connect(btnVisualizar, &QPushButton::clicked, this, &TfrmPrincipalGedra::btnVisualizarClick);
    return faixa;
}

void TfrmPrincipalGedra::montarBarraStatus()
{
    QStatusBar* barra = statusBar();
    barra->setObjectName(QStringLiteral("StatusBar1"));
    barra->setSizeGripEnabled(false);
    const int larguras[] = {139, 260, 110, 0};
    for (int i = 0; i < 4; ++i) {
        auto* painel = new QLabel(barra);
        painel->setAlignment(Qt::AlignCenter);
        painel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (larguras[i] > 0)
            painel->setFixedWidth(larguras[i]);
        barra->addWidget(painel, larguras[i] > 0 ? 0 : 1);
        StatusBar1[static_cast<size_t>(i)] = painel;
    }
}
