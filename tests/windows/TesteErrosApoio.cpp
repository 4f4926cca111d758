#include "TesteErrosApoio.h"

std::vector<std::string> LogDeErros(int blocos)
{
    std::vector<std::string> log = {
        "====================== RELACAO DE ERROS E INCONCISTENCIAS =========", ""};
    for (int i = 1; i <= blocos; ++i) {
        const std::string numero = std::to_string(100 + i);
        log.push_back("====================== PROBLEMA ===================================");
        log.push_back("CENTRO DE CUSTO " + numero + " COM DESCRI\xC7\xC3O CURTA\xA0(\x93X\x94)");
        log.push_back("SOLUCAO: ----------------------------------------------------------");
        log.push_back("CORRIJA O CADASTRO DO CENTRO " + numero + "   ");
        log.push_back("-------------------------------------------------------------------");
        log.push_back("");
    }
    const std::string igual(67, '=');
    log.insert(log.end(), {igual,
                           "FORAM ENCONTRADOS " + std::to_string(blocos) +
                               " ERROS NA GERACAO DOS ARQUIVOS",
                           igual});
    return log;
}
