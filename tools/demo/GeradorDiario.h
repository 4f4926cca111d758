#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "demo/Cadastros.h"
#include "demo/ModelosLancamento.h"
#include "demo/Sorteio.h"
#include "generation/format/Data.h"
#include "generation/format/Moeda.h"

// One line of CONDIA as generated; the pointers stay valid during the call that gives it.
struct LinhaDiario {
    Data data;
    const std::string* balco = nullptr;
    const CentroCustoDemo* centro = nullptr;   // null: a line without cost centre
    Moeda debito;
    Moeda credito;
    int64_t sequencia = 0;
    int ie = 0;
    const std::string* discri = nullptr;       // null: a null description
    int empresa = 0;
    bool empresaNula = false;
};

// The journal of one year, in entries of two or three lines that balance (the debit
// line's DEBIT equals the credit lines' CREDI), ordered by date and numbered in that
// order. The same number of lines and seed give the same journal.
class GeradorDiario {
public:
    // linhas: 0 or at least 2 (an entry has at least two lines).
    GeradorDiario(int64_t linhas, uint64_t semente);

    void gerar(const std::function<void(const LinhaDiario&)>& receber);

private:
    struct Lancamento;

    void planejar(int64_t linhas);
    int sortearDia(RegraData regra);
    int sortearEntidade(const ModeloLancamento& m);
    Moeda sortearValor(const ModeloLancamento& m);
    void descrever(const ModeloLancamento& m, const Data& data, const CentroCustoDemo* centro,
                   const EntidadeDemo& entidade, LinhaDiario& linha);

    Sorteio sorteio_;
    const std::vector<ModeloLancamento>& modelos_;
    std::vector<int> pesosModelos_;
    std::vector<int> pesosEntidades_;
    std::vector<std::vector<const CentroCustoDemo*>> centrosPorEntidade_;
    std::vector<std::string> nomesCentros_;   // cost-centre names in capitals, by position
    std::vector<uint64_t> plano_;             // day << 40 | order << 8 | model: sorts by day, then order
    std::string descricao_;
    std::string vazia_;
    std::string brancos_;
};
