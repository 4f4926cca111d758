#pragma once

#include <QApplication>

class InterfaceUsuario;

// The application object. An error that no handler caught reaches the operator as the
// standard error box, and the program goes on.
class TAplicacaoGedra : public QApplication {
    Q_OBJECT

public:
    TAplicacaoGedra(int& argc, char** argv);

    void definirInterface(InterfaceUsuario* iu) { iu_ = iu; }
    bool notify(QObject* receptor, QEvent* evento) override;

private:
    InterfaceUsuario* iu_ = nullptr;
};
