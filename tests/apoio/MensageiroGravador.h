#pragma once

#include <string>
#include <vector>

#include "settings/Mensageiro.h"

// Records the message boxes that would have been shown, and the request to end.
class MensageiroGravador : public Mensageiro {
public:
    struct Mensagem {
        std::string texto;
        std::string titulo;
        Icone icone;
    };

    std::vector<Mensagem> mensagens;
    bool encerrou = false;

    void mostrar(const std::string& texto, const std::string& titulo, Icone icone) override
    {
        mensagens.push_back({texto, titulo, icone});
    }
    void encerrarAplicacao() override { encerrou = true; }

    std::vector<std::string> textos() const
    {
        std::vector<std::string> t;
        for (const auto& m : mensagens)
            t.push_back(m.texto);
        return t;
    }
};
