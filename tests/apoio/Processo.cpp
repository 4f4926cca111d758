#include "apoio/Processo.h"

#include <array>
#include <cstdio>

#include <sys/wait.h>

ResultadoProcesso ExecutarComando(const std::string& linha)
{
    const std::string comando = linha + " 2>&1";
    FILE* p = popen(comando.c_str(), "r");
    if (!p)
        return {-1, "popen falhou"};
    ResultadoProcesso r;
    std::array<char, 4096> bloco;
    while (size_t n = std::fread(bloco.data(), 1, bloco.size(), p))
        r.saida.append(bloco.data(), n);
    const int estado = pclose(p);
    r.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return r;
}

std::string ProgramaCompilado(const std::string& nome)
{
    return std::string(GEDRA_BIN) + "/" + nome;
}
