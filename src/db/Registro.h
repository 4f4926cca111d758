#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/Valor.h"

// The column names of a result, shared by all its rows. Names are matched
// without regard to case, as the dataset fields of the original program were.
class Colunas {
public:
    Colunas() = default;
    explicit Colunas(std::vector<std::string> nomes);
    const std::vector<std::string>& nomes() const { return nomes_; }
    int tamanho() const { return static_cast<int>(nomes_.size()); }
    // Index of a column; -1 when there is none of that name.
    int indice(const std::string& nome) const;
    // Index of a column; throws std::out_of_range ("Campo 'X' não encontrado") when missing.
    int indiceObrigatorio(const std::string& nome) const;

private:
    std::vector<std::string> nomes_;
    std::unordered_map<std::string, int> porNome_;   // upper-case name -> index
};

class Registro {
public:
    Registro() = default;
    Registro(std::shared_ptr<const Colunas> colunas, std::vector<Valor> valores)
        : colunas_(std::move(colunas)), valores_(std::move(valores)) {}

    const Valor& operator[](int i) const { return valores_[i]; }
    const Valor& operator[](const std::string& nome) const;
    Valor& operator[](int i) { return valores_[i]; }
    const std::vector<Valor>& valores() const { return valores_; }
    std::vector<Valor>& valores() { return valores_; }
    const Colunas& colunas() const { return *colunas_; }
    const std::shared_ptr<const Colunas>& colunasCompartilhadas() const { return colunas_; }

private:
    std::shared_ptr<const Colunas> colunas_;
    std::vector<Valor> valores_;
};
