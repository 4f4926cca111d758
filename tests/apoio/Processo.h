#pragma once

#include <string>

// Runs a shell command line and collects what it prints (stdout and stderr together).
struct ResultadoProcesso {
    int codigo = -1;        // exit status; -1 when it did not exit normally
    std::string saida;
};
ResultadoProcesso ExecutarComando(const std::string& linha);
// An executable of build/bin.
std::string ProgramaCompilado(const std::string& nome);
