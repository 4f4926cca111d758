#pragma once

#include <QWidget>

class QLabel;
class TMedidorSegmentado;

// The borderless "please wait" window shown over one long database step. While it is
// visible the screen shows the busy cursor.
class TfrmAguardeVista : public QWidget {
    Q_OBJECT

public:
    explicit TfrmAguardeVista(QWidget* pai = nullptr);
    ~TfrmAguardeVista() override;

    // The caption; "\r" separates its lines.
    void definirLegenda(const QString& texto);
    // Paints the window now: nothing returns to the message loop during the step.
    void pintarAgora();

    QLabel* Img;
    QLabel* Image1;
    QLabel* lblCaption;
    TMedidorSegmentado* PROGRESS;

protected:
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;

private:
    void FormShow();
    void FormHide();

    bool cursorTrocado_ = false;
};

// The window while a long step runs; empty between uses.
extern TfrmAguardeVista* frmAguardeVista;
