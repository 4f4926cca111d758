#include "db/Registro.h"

#include <stdexcept>

namespace {

std::string maiusculas(std::string t)
{
    for (char& c : t)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return t;
}

} // namespace

Colunas::Colunas(std::vector<std::string> nomes)
    : nomes_(std::move(nomes))
{
    for (int i = 0; i < tamanho(); ++i)
        porNome_.emplace(maiusculas(nomes_[i]), i);   // the first of a repeated name wins
}

int Colunas::indice(const std::string& nome) const
{
    auto it = porNome_.find(maiusculas(nome));
    return it == porNome_.end() ? -1 : it->second;
}

int Colunas::indiceObrigatorio(const std::string& nome) const
{
    const int i = indice(nome);
    if (i < 0)
        throw std::out_of_range("Campo '" + nome + "' não encontrado");
    return i;
}

const Valor& Registro::operator[](const std::string& nome) const
{
    return valores_[colunas_->indiceObrigatorio(nome)];
}
