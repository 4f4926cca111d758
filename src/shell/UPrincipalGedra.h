#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QIcon>
#include <QMainWindow>
#include <QStringList>

#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "db/ConjuntoDados.h"
#include "generation/Geracao.h"
#include "generation/Relator.h"

class InterfaceUsuario;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TBarraLateral;
class TMedidorSegmentado;
struct CabecalhoRelatorio;

// The main window: the generation page with its choices, the status list, the error
// log and the gauges. It is also what the run reports to (Relator), and the messenger
// of the connection and the data module.
class TfrmPrincipalGedra : public QMainWindow, public Relator {
    Q_OBJECT

public:
    // argumentos: the command line as given, the program's path first; the user name
    // is argument 2.
    TfrmPrincipalGedra(const QStringList& argumentos, InterfaceUsuario& iu, QWidget* pai = nullptr);
    ~TfrmPrincipalGedra() override;

    // Start-up: the data module (which opens Conexao through ConexaoBeforeConnect).
    // False when the database could not be opened; the operator has been told.
    bool CriarModuloDados();

    // Handlers.
    void FormShow();
    void SpeedButton1Click();
    void spGeraClick();
    void btnGeraArqClick();
    void BitPararClick();
    void btnVisualizarClick();
    void cbMesRefChange();
    void btnAbrirClick();
    void btnEntidadeClick();
    void edEmpresaExit();

    // Mensageiro.
    void mostrar(const std::string& texto, const std::string& titulo, Icone icone) override;
    void encerrarAplicacao() override;
    bool encerramentoPedido() const { return encerramentoPedido_; }

    // Relator.
    void novaLinhaStatus(const std::string& arquivo) override;
    void completarLinhaStatus(const LinhaStatus& linha) override;
    void limparStatus() override;
    void linhaLog(const std::string& linha) override;
    void limparLog() override;
    void medidor(Medidor qual, int maximo, int progresso) override;
    void etapa(const std::string& rotulo) override;
    void atualizar() override;
    void inicioExecucao() override;
    void fimExecucao() override;
    void mostrarVisualizar() override;
    void inicioEtapaLonga(const std::string& legenda) override;
    void fimEtapaLonga() override;
    void limparCancelamento() override { cancelamento_ = false; }
    bool cancelamentoPedido() override { return cancelamento_; }

    // The selected entry of cbMesRef: its index when the text is one of the entries,
    // -1 otherwise (nothing chosen, or a text typed by hand).
    int IndiceReferencia() const;
    // The choices of the window as the run takes them.
    EntradaGeracao EntradaDaTela() const;
    bool emExecucao() const { return emExecucao_; }
    ResultadoGeracao ultimoResultado() const { return ultimoResultado_; }
    // The installation's header for the printed error report (CADCLI, read afresh).
    CabecalhoRelatorio CabecalhoDoRelatorio();

    // The command line.
    QStringList Argumentos;
    QString Usuario() const;

    // The shared connection, the data module and the main window's own dataset.
    ConexaoBanco Conexao;
    std::unique_ptr<Tdm> dm;
    ConjuntoDados qrCliente;

    // Window state read by the run.
    std::string Exercicio;
    std::string DataIniSQL;
    std::string DataFimSQL;
    std::vector<std::string> LinhasLog;   // Memo1's lines, as Windows-1252 bytes

    // Controls.
    QFrame* Panel1;
    QLabel* Image1;
    QToolButton* SpeedButton1;
    TBarraLateral* RzGroupBar1;
    QToolButton* spGera;
    QTabWidget* PageControl1;
    QWidget* tabGera;
    QGroupBox* gbReferencia;
    QComboBox* cbMesRef;
    QGroupBox* gbCaminho;
    QLineEdit* edCaminho;
    QToolButton* btnAbrir;
    QGroupBox* gbEntidade;
    QLineEdit* edEmpresa;
    QToolButton* btnEntidade;
    QLabel* lblNome;
    QLabel* lblStatus;
    QTreeWidget* lstStatus;
    QPlainTextEdit* Memo1;
    TMedidorSegmentado* GParte;
    TMedidorSegmentado* GTodos;
    QPushButton* btnGeraArq;
    QPushButton* BitParar;
    QPushButton* btnVisualizar;
    std::array<QLabel*, 4> StatusBar1 {};
    std::array<QIcon, 4> imgStatus;

    static const char* const TITULO_PROJETO;   // the design title

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Building the window (UPrincipalGedraTela.cpp).
    void montarTela();
    QWidget* montarCabecalho();
    QWidget* montarPagina();
    QWidget* montarEscolhas();
    QWidget* montarLista();
    QWidget* montarMedidores();
    QWidget* montarBotoes();
    void montarBarraStatus();

    // Start-up reading (FormShow).
    void TituloDaJanela();
    void LerCliente();
    void LerParametros();

    void pintar();
    void processarSeAtrasado();
    void escolhasHabilitadas(bool habilitadas);

    InterfaceUsuario& iu_;
    QTreeWidgetItem* linhaAtual_ = nullptr;
    bool formShowFeito_ = false;
    bool emExecucao_ = false;
    bool cancelamento_ = false;
    bool encerramentoPedido_ = false;
    ResultadoGeracao ultimoResultado_ = ResultadoGeracao::SemPeriodo;
    QElapsedTimer desdeUltimoProcessamento_;
};

// The main window of the program.
extern TfrmPrincipalGedra* frmPrincipalGedra;
