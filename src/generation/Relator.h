#pragma once

#include <string>

#include "settings/Mensageiro.h"

// What a run tells whoever drives it: the status list, the error log, the two
// gauges, the step label, messages, the long step and the cancel request. The main
// window implements it with widgets, gedra-lote with the terminal, tests with a recorder.
// All texts are Windows-1252 bytes.
class Relator : public Mensageiro {
public:
    enum class Medidor { Parte, Todos };   // GParte, GTodos

    struct LinhaStatus {
        std::string linhas;      // "Linhas", empty for status "3"
        std::string data;        // "Data", dd/mm/yyyy
        std::string tamanho;     // "Tamanho", for example «12,5 Kb»
        int icone = 2;           // 0 incorrect data, 1 success, 2 being filled, 3 no data
    };

    // ESCREVE_ESTATUS with code "2": a new row at the end, which becomes the current row.
    virtual void novaLinhaStatus(const std::string& arquivo) = 0;
    // ESCREVE_ESTATUS with codes "0", "1" and "3": completes the current row.
    virtual void completarLinhaStatus(const LinhaStatus& linha) = 0;
    virtual void limparStatus() = 0;

    // The error log (Memo1): one line appended; cleared at the start of a run.
    virtual void linhaLog(const std::string& linha) = 0;
    virtual void limparLog() = 0;

    virtual void medidor(Medidor qual, int maximo, int progresso) = 0;
    virtual void etapa(const std::string& rotulo) = 0;   // lblStatus
    // A point where the window repaints and lets pending messages through.
    virtual void atualizar() {}

    // The run's button states: running (btnGeraArq disabled, btnVisualizar hidden and
    // disabled) and idle again (closing steps). mostrarVisualizar: show btnVisualizar.
    virtual void inicioExecucao() {}
    virtual void fimExecucao() {}
    virtual void mostrarVisualizar() {}

    // The long step (saving the work table): the wait window with this caption is up
    // between the two calls; fimEtapaLonga is called in every case, also on failure.
    virtual void inicioEtapaLonga(const std::string& legenda) {}
    virtual void fimEtapaLonga() {}

    // The cancel request ("Cancelar", Ctrl-C), cleared at the start of each run and
    // read after each file and each month.
    virtual void limparCancelamento() {}
    virtual bool cancelamentoPedido() { return false; }
};
