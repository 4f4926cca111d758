#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "db/ConjuntoDados.h"
#include "db/LeitorRegistro.h"

struct ConjuntoDados::Impl {
    enum class Estado { Inalterado, Inserido, Modificado };
    enum class Modo { Navegando, Editando, Anexando };

    struct Linha {
        std::vector<Valor> valores;
        std::vector<Valor> originais;   // as loaded, kept from the first change on
        Estado estado = Estado::Inalterado;
    };

    // Rows by the hash of a set of fields; several rows may share a bucket.
    struct Indice {
        std::vector<int> campos;
        std::unordered_map<size_t, std::vector<int>> porHash;
    };

    bool aberto = false;
    std::shared_ptr<const Colunas> colunas;
    std::vector<OrigemColuna> origens;          // empty for an in-memory table
    std::vector<Linha> linhas;                  // in load order; a row keeps its number
    std::vector<int> ordem;                     // the rows in the order the dataset shows them
    std::vector<int> posicaoDe;                 // row number -> place in `ordem`
    bool posicoesValidas = true;
    std::vector<int> camposOrdem;               // the ordering kept, when one was asked for
    std::map<std::vector<int>, Indice> indices;
    int pendentes = 0;

    int posicao = 0;
    bool eof = true;
    Modo modo = Modo::Navegando;
    bool alterado = false;
    std::vector<Valor> buffer;

    void exigirAberto() const;
    void iniciar(std::shared_ptr<const Colunas> c, std::vector<OrigemColuna> o);
    int linhaAtual() const { return ordem[posicao]; }
    std::vector<int> camposPorNome(const std::vector<std::string>& nomes) const;

    size_t hash(const std::vector<int>& campos, const std::vector<Valor>& valores) const;
    Indice& indice(const std::vector<int>& campos);
    void indexar(Indice& ind, int linha);
    void desindexar(Indice& ind, int linha);
    int posicaoDaLinha(int linha);

    bool antes(int a, int b) const;             // by the kept ordering
    void colocarEmOrdem(int linha, int deOnde); // moves a row to its place; -1: new row
    void marcarAplicada(int linha);
};
