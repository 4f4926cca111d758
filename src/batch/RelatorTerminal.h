#pragma once

#include <csignal>
#include <string>

#include "generation/Relator.h"

// The batch command's side of a run: status rows on standard output as they finish,
// messages on standard error, Ctrl-C as the cancel request. Texts reach the terminal
// as UTF-8.
class RelatorTerminal : public Relator {
public:
    RelatorTerminal();

    void novaLinhaStatus(const std::string& arquivo) override;
    void completarLinhaStatus(const LinhaStatus& linha) override;
    void limparStatus() override {}
    void linhaLog(const std::string&) override {}
    void limparLog() override {}
    void medidor(Medidor, int, int) override {}
    void etapa(const std::string&) override {}
    void limparCancelamento() override;
    bool cancelamentoPedido() override;
    void mostrar(const std::string& texto, const std::string& titulo, Icone icone) override;

private:
    std::string arquivoAtual_;
};
