#include "demo/Sorteio.h"

#include <limits>
#include <numeric>

uint64_t Sorteio::abaixoDe(uint64_t n)
{
    // Rejecting the top incomplete block keeps every value equally likely.
    const uint64_t maximo = std::numeric_limits<uint64_t>::max();
    const uint64_t limite = maximo - (maximo % n + 1) % n;
    uint64_t x;
    do
        x = gerador_();
    while (x > limite);
    return x % n;
}

int64_t Sorteio::entre(int64_t minimo, int64_t maximo)
{
    return minimo + static_cast<int64_t>(abaixoDe(static_cast<uint64_t>(maximo - minimo) + 1));
}

std::size_t Sorteio::ponderado(const std::vector<int>& pesos)
{
    const int total = std::accumulate(pesos.begin(), pesos.end(), 0);
    int x = static_cast<int>(abaixoDe(static_cast<uint64_t>(total)));
    for (std::size_t i = 0; i < pesos.size(); ++i) {
        if (x < pesos[i])
            return i;
        x -= pesos[i];
    }
    return pesos.size() - 1;
}
