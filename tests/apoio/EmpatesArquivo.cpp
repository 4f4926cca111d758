#include "apoio/EmpatesArquivo.h"

#include <algorithm>
#include <vector>

std::string OrdenarSeguidas(const std::string& arquivo, std::size_t inicio, std::size_t tamanho)
{
    std::vector<std::string> linhas;
    for (std::size_t p = 0; p < arquivo.size();) {
        std::size_t f = arquivo.find("\r\n", p);
        f = f == std::string::npos ? arquivo.size() : f + 2;
        linhas.push_back(arquivo.substr(p, f - p));
        p = f;
    }
    for (std::size_t i = 0; i < linhas.size();) {
        std::size_t j = i;
        while (j < linhas.size() && linhas[j].compare(inicio, tamanho, linhas[i], inicio, tamanho) == 0)
            ++j;
        std::sort(linhas.begin() + i, linhas.begin() + j);
        i = j;
    }
    std::string r;
    for (const auto& l : linhas)
        r += l;
    return r;
}

std::string EmpatesDoDiario(const std::string& arquivo)
{
    return OrdenarSeguidas(arquivo, 0, 14);   // date and account code
}
