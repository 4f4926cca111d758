#include "shell/AplicacaoGedra.h"

#include <cstdio>
#include <exception>

#include "windows/InterfaceUsuario.h"

TAplicacaoGedra::TAplicacaoGedra(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool TAplicacaoGedra::notify(QObject* receptor, QEvent* evento)
{
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::exception& erro) {
        if (iu_)
            MostrarExcecao(*iu_, activeWindow(), erro);
        else
            std::fprintf(stderr, "%s\n", erro.what());
    }
    return false;
}
