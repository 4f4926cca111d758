#include "shell/UPrincipalGedra.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

#include "settings/Caminhos.h"
#include "settings/Conexao.h"
#include "settings/Configuracao.h"
#include "shell/VersaoExe.h"
#include "windows/InterfaceUsuario.h"
#include "windows/LocalizaEmpresa.h"
#include "windows/UErros.h"
#include "windows/relatorio/Texto1252.h"

TfrmPrincipalGedra* frmPrincipalGedra = nullptr;

const char* const TfrmPrincipalGedra::TITULO_PROJETO = "Gerador de Arquivos - Secretaria da Receita Previdenciária";

namespace {

// Runs a handler so that no exception crosses the event loop: an error reaches the
// operator as the standard error box and the program goes on.
template <typename Acao>
void Protegido(InterfaceUsuario& iu, QWidget* janela, Acao&& acao)
{
    try {
        acao();
    } catch (const std::exception& erro) {
        MostrarExcecao(iu, janela, erro);
    }
}

}  // namespace

TfrmPrincipalGedra::TfrmPrincipalGedra(const QStringList& argumentos, InterfaceUsuario& iu, QWidget* pai)
    : QMainWindow(pai), Argumentos(argumentos), iu_(iu)
{
    montarTela();
    desdeUltimoProcessamento_.start();
    if (!frmPrincipalGedra)
        frmPrincipalGedra = this;
}

TfrmPrincipalGedra::~TfrmPrincipalGedra()
{
    if (frmPrincipalGedra == this)
        frmPrincipalGedra = nullptr;
}

QString TfrmPrincipalGedra::Usuario() const
{
    return Argumentos.size() > 2 ? Argumentos.at(2) : QString();
}

bool TfrmPrincipalGedra::CriarModuloDados()
{
    try {
        dm = std::make_unique<Tdm>(Conexao, *this);
        return dm->DataModuleCreate();
    } catch (const std::exception& erro) {
        MostrarExcecao(iu_, this, erro);
        dm.reset();
        return false;
    }
}

// ---------------------------------------------------------------- start-up reading

void TfrmPrincipalGedra::showEvent(QShowEvent* evento)
{
    QMainWindow::showEvent(evento);
    if (!formShowFeito_ && !evento->spontaneous()) {
        formShowFeito_ = true;
        FormShow();
    }
}

void TfrmPrincipalGedra::FormShow()
{
    PageControl1->hide();
    Protegido(iu_, this, [this] { TituloDaJanela(); });
    StatusBar1[2]->setText(QStringLiteral("Versão : ") + QString::fromStdString(VERSAO_EXE()));
    StatusBar1[3]->setText(QStringLiteral("Usuário: ") + Usuario());
    // Dates shown and read from now on are dd/mm/yyyy.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    Protegido(iu_, this, [this] { LerCliente(); });
    Protegido(iu_, this, [this] { LerParametros(); });
}

void TfrmPrincipalGedra::TituloDaJanela()
{
    const QFileInfo atualizacao(QString::fromLocal8Bit(PastaExecutavel()) + QStringLiteral("/SRP_MURT8.exe"));
    if (!atualizacao.isFile())
        return;
    // The regional formats of the operators' workstations: short date and long time.
    const QDateTime quando = atualizacao.lastModified();
    setWindowTitle(QStringLiteral("Gerador de Arquivos - SRP - Atualizado dia ") +
                   quando.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + QStringLiteral("   ") +
                   QStringLiteral("Versão : ") + QString::fromStdString(VERSAO_EXE()));
}

void TfrmPrincipalGedra::LerCliente()
{
    if (!Conexao.aberta() && !ConexaoBeforeConnect(Conexao, *this))
        return;
    qrCliente.abrir(Conexao, "SELECT * FROM CADCLI");
    if (qrCliente.contar() > 0) {
        Exercicio = qrCliente.campo("mexer").comoTexto();
        StatusBar1[1]->setText(ParaQString(qrCliente.campo("clnt1").comoTexto()));
    }
    qrCliente.fechar();
}

void TfrmPrincipalGedra::LerParametros()
{
    const std::string arquivo = CaminhoLocal(PEGA_CAMINHO("D") + "RARIVIDEZE.ini");
    edEmpresa->setText(ParaQString(LerIni(arquivo, "SRP", "EMPRESA")));
    lblNome->setText(ParaQString(LerIni(arquivo, "SRP", "NOME")));
    edCaminho->setText(ParaQString(LerIni(arquivo, "SRP", "CAMINHO")));
}

// ---------------------------------------------------------------- small handlers

void TfrmPrincipalGedra::SpeedButton1Click()
{
    // A run in progress stops at its next check; the program ends as soon as it returns.
    cancelamento_ = true;
    close();
    QApplication::quit();
}

void TfrmPrincipalGedra::closeEvent(QCloseEvent* evento)
{
    if (emExecucao_)
        cancelamento_ = true;
    QMainWindow::closeEvent(evento);
}

void TfrmPrincipalGedra::spGeraClick()
{
    PageControl1->show();
    PageControl1->setCurrentWidget(tabGera);
}

void TfrmPrincipalGedra::BitPararClick()
{
    cancelamento_ = true;
}

// ---------------------------------------------------------------- period and folder

void TfrmPrincipalGedra::cbMesRefChange()
{
    Protegido(iu_, this, [this] {
        const PeriodoSQL periodo = ::cbMesRefChange(DeQString(cbMesRef->currentText()), Exercicio);
        DataIniSQL = periodo.DataIniSQL;
        DataFimSQL = periodo.DataFimSQL;
    });
}

void TfrmPrincipalGedra::btnAbrirClick()
{
    const std::optional<QString> pasta = iu_.escolherPasta(this);
    if (!pasta)
        return;
    QString texto = *pasta;
    // The folder text always ends with the separator: the run puts the file names
    // right after it.
    if (!texto.endsWith(QLatin1Char('\\')) && !texto.endsWith(QLatin1Char('/')))
        texto += QDir::separator();
    edCaminho->setText(texto);
}

int TfrmPrincipalGedra::IndiceReferencia() const
{
    return cbMesRef->findText(cbMesRef->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

// ---------------------------------------------------------------- entity

void TfrmPrincipalGedra::btnEntidadeClick()
{
    // The search window lives for this click only, whatever happens in it.
    std::unique_ptr<TFrmPesquisaEmpresa> janela;
    try {
        janela = std::make_unique<TFrmPesquisaEmpresa>(Conexao, this);
        FrmPesquisaEmpresa = janela.get();
        const int resultado = janela->exec();
        if (!janela->erroAbertura().empty()) {
            MostrarErro(iu_, this, ParaQString(janela->erroAbertura()));
        } else if (resultado == QDialog::Accepted) {
            edEmpresa->setText(ParaQString(janela->EmpresaAtual()));
            lblNome->setText(ParaQString(janela->NomeAtual()));
        }
    } catch (const std::exception& erro) {
        MostrarExcecao(iu_, this, erro);
    }
    edEmpresa->setFocus();
    janela.reset();
    FrmPesquisaEmpresa = nullptr;
}

void TfrmPrincipalGedra::edEmpresaExit()
{
    if (edEmpresa->text().isEmpty())
        lblNome->clear();
}

bool TfrmPrincipalGedra::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == edEmpresa && evento->type() == QEvent::FocusOut)
        edEmpresaExit();
    return QMainWindow::eventFilter(objeto, evento);
}

// ---------------------------------------------------------------- the run

EntradaGeracao TfrmPrincipalGedra::EntradaDaTela() const
{
    EntradaGeracao e;
    e.indiceReferencia = IndiceReferencia();
    e.referencia = DeQString(cbMesRef->currentText());
    e.DataIniSQL = DataIniSQL;
    e.DataFimSQL = DataFimSQL;
    e.empresa = DeQString(edEmpresa->text());
    e.nome = DeQString(lblNome->text());
    e.caminho = DeQString(edCaminho->text());
    e.Exercicio = Exercicio;
    return e;
}

void TfrmPrincipalGedra::btnGeraArqClick()
{
    if (emExecucao_)
        return;
    if (!dm) {
        MostrarErro(iu_, this, QStringLiteral("Sem conexão com a base de dados."));
        return;
    }
    btnVisualizar->hide();
    cancelamento_ = false;
    emExecucao_ = true;
    try {
        ultimoResultado_ = GerarArquivos(Conexao, *dm, *this, EntradaDaTela());
    } catch (const std::exception& erro) {
        ultimoResultado_ = ResultadoGeracao::Falhou;
        fimExecucao();
        MostrarExcecao(iu_, this, erro);
    }
    emExecucao_ = false;
    if (ultimoResultado_ == ResultadoGeracao::SemPeriodo)
        cbMesRef->setFocus();
}

CabecalhoRelatorio TfrmPrincipalGedra::CabecalhoDoRelatorio()
{
    CabecalhoRelatorio c;
    qrCliente.abrir(Conexao, "SELECT * FROM CADCLI");
    if (qrCliente.contar() > 0) {
        c.nome = qrCliente.campo("CLNT1").comoTexto();
        c.endereco = qrCliente.campo("ENDERE").comoTexto();
        c.cgc = qrCliente.campo("CGC").comoTexto();
    }
    qrCliente.fechar();
    c.exercicio = Exercicio;
    return c;
}

void TfrmPrincipalGedra::btnVisualizarClick()
{
    ::btnVisualizarClick(this, LinhasLog, [this] { return CabecalhoDoRelatorio(); });
}

// ---------------------------------------------------------------- Mensageiro

void TfrmPrincipalGedra::mostrar(const std::string& texto, const std::string& titulo, Icone icone)
{
    iu_.mensagem(this, ParaQString(texto), ParaQString(titulo), icone);
}

void TfrmPrincipalGedra::encerrarAplicacao()
{
    encerramentoPedido_ = true;
    QApplication::quit();
}
