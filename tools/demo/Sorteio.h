#pragma once

#include <cstdint>
#include <random>
#include <vector>

// Draws that give the same numbers for the same seed on every platform and library
// version: the engine's output is fixed by the standard, the distributions (which are
// not) are written here.
class Sorteio {
public:
    explicit Sorteio(uint64_t semente) : gerador_(semente) {}

    // Uniform in [0, n); n > 0.
    uint64_t abaixoDe(uint64_t n);
    // Uniform in [minimo, maximo].
    int64_t entre(int64_t minimo, int64_t maximo);
    // True with a probability of porMil in a thousand.
    bool chance(int porMil) { return abaixoDe(1000) < static_cast<uint64_t>(porMil); }
    // An index drawn in proportion to the weights (at least one weight above zero).
    std::size_t ponderado(const std::vector<int>& pesos);

    template <class T>
    const T& um(const std::vector<T>& itens) { return itens[abaixoDe(itens.size())]; }

private:
    std::mt19937_64 gerador_;
};
