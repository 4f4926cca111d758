#pragma once

#include <string>
#include <vector>

#include "generation/Relator.h"

// Records everything a run reports, for tests. Cancellation can be requested after a
// given number of files (status rows completed).
class RelatorGravador : public Relator {
public:
    struct Mensagem {
        std::string texto;
        std::string titulo;
        Icone icone;
    };
    struct Linha {
        std::string arquivo;
        LinhaStatus status;
        bool completa = false;
    };

    std::vector<Linha> linhas;
    std::vector<std::string> log;
    std::vector<Mensagem> mensagens;
    std::vector<std::string> etapas;
    int etapasLongasAbertas = 0;
    int etapasLongas = 0;
    bool emExecucao = false;
    bool visualizar = false;
    int cancelarAposArquivos = -1;   // -1: never

    void novaLinhaStatus(const std::string& arquivo) override { linhas.push_back({arquivo, {}, false}); }
    void completarLinhaStatus(const LinhaStatus& l) override
    {
        if (!linhas.empty()) {
            linhas.back().status = l;
            linhas.back().completa = true;
        }
    }
    void limparStatus() override { linhas.clear(); }
    void linhaLog(const std::string& l) override { log.push_back(l); }
    void limparLog() override { log.clear(); }
    void medidor(Medidor, int, int) override {}
    void etapa(const std::string& r) override { etapas.push_back(r); }
    void inicioExecucao() override { emExecucao = true; visualizar = false; }
    void fimExecucao() override { emExecucao = false; }
    void mostrarVisualizar() override { visualizar = true; }
    void inicioEtapaLonga(const std::string&) override { ++etapasLongasAbertas; ++etapasLongas; }
    void fimEtapaLonga() override { --etapasLongasAbertas; }
    bool cancelamentoPedido() override
    {
        if (cancelarAposArquivos < 0)
            return false;
        int completas = 0;
        for (const auto& l : linhas)
            completas += l.completa ? 1 : 0;
        return completas >= cancelarAposArquivos;
    }
    void mostrar(const std::string& texto, const std::string& titulo, Icone icone) override
    {
        mensagens.push_back({texto, titulo, icone});
    }

    std::string ultimaMensagem() const { return mensagens.empty() ? std::string() : mensagens.back().texto; }
};
