#pragma once

#include <string>

// Modal message boxes to the operator. The window program shows real boxes; the
// batch command prints to the terminal; tests record what would have been shown.
// Texts are Windows-1252 bytes; "\r" separates lines as in the original messages.
class Mensageiro {
public:
    enum class Icone { Nenhum, Informacao, Aviso, Erro };

    virtual ~Mensageiro() = default;
    virtual void mostrar(const std::string& texto, const std::string& titulo, Icone icone) = 0;
    // Asks the program to end (Application.Terminate); the default does nothing.
    virtual void encerrarAplicacao() {}
};
