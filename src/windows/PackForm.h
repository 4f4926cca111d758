#pragma once

#include <vector>

#include <QDialog>

#include "windows/ModulosPrograma.h"

class QTreeWidget;

// "Package Information": what the running program is built from, one root per module
// with the units it contains, the libraries it requires and its description.
class TForm1 : public QDialog {
    Q_OBJECT

public:
    // Fills the tree from the modules of the running process.
    explicit TForm1(QWidget* pai = nullptr);
    // Fills the tree from the modules given (for a fixed, known list).
    TForm1(const std::vector<InformacaoModulo>& modulos, QWidget* pai);
    ~TForm1() override;

    // The node text of a contained unit: "Proj ( Main Unit )", "Unit " and so on.
    static QString TextoUnidade(const UnidadeContida& unidade);

    QTreeWidget* TreeView1;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void montar();
    void FormCreate(const std::vector<InformacaoModulo>& modulos);
    bool FormKeyPress(QKeyEvent* evento);
};

// The window from its creation at start-up until it closes (it frees itself).
extern TForm1* Form1;
