#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "windows/relatorio/CabecalhoRelatorio.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPrintPreviewDialog;
class QPushButton;

// How the window opens the print preview and tells the operator that printing
// failed. The program shows real dialogs; tests answer without blocking.
class AbridorPrevia {
public:
    virtual ~AbridorPrevia() = default;
    virtual void abrir(QPrintPreviewDialog& previa) = 0;
    // The application's standard error box; texts arrive already converted.
    virtual void mostrarErro(QWidget* pai, const QString& mensagem);
};

// Maximised, zoomed to the page width, modal.
class AbridorPreviaPadrao : public AbridorPrevia {
public:
    void abrir(QPrintPreviewDialog& previa) override;
};

// "Relatório de Inconsistência": a copy of the error log that the operator may read,
// edit and print. Edits are printed but never reach the caller's log.
class TFrmErros : public QDialog {
    Q_OBJECT

public:
    // log: Windows-1252 lines. cabecalho reads CADCLI afresh at every "Imprimir";
    // abridor may be null for the real preview.
    TFrmErros(const std::vector<std::string>& log,
              std::function<CabecalhoRelatorio()> cabecalho,
              AbridorPrevia* abridor = nullptr,
              QWidget* pai = nullptr);

    // The memo's text now, as Windows-1252 lines: what "Imprimir" prints.
    std::vector<std::string> linhasMemo() const;

    QFrame* Panel1;
    QWidget* EvGradient1;
    QLabel* Label2;
    QFrame* Panel2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QFrame* Panel3;
    QPlainTextEdit* Memo1;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void montarTopo();
    void montarRodape();
    void montarMemo(const std::vector<std::string>& log);

    std::function<CabecalhoRelatorio()> cabecalho_;
    AbridorPreviaPadrao abridorPadrao_;
    AbridorPrevia* abridor_;
};

// The window while it is open (created on demand, freed after use).
extern TFrmErros* FrmErros;

// The main window's "Visualizar Erros": creates the window with a copy of the log,
// shows it modally and frees it.
void btnVisualizarClick(QWidget* pai, const std::vector<std::string>& log,
                        std::function<CabecalhoRelatorio()> cabecalho,
                        AbridorPrevia* abridor = nullptr);
