#pragma once

#include <string>
#include <vector>

// When an entry of a model falls in the year.
enum class RegraData {
    DiaUtil,        // any working day
    Abertura,       // 1 January: the balances brought forward
    Encerramento,   // 31 December: the closing of the year
    FimDeMes,       // the last working day of a month (payroll and the like)
};

// A kind of journal entry: which accounts it debits and credits, for which entities,
// how large, when, and how the accountants describe it.
struct ModeloLancamento {
    int ie;                                // entry type
    int peso;                              // relative frequency
    std::vector<std::string> debito;       // analytic accounts
    std::vector<std::string> credito;
    std::vector<std::string> retencao;     // a third line crediting a retention; empty: two lines
    std::vector<int> entidades;            // empty: any entity, by its share
    int expoenteMin;                       // the amount in cents is drawn from
    int expoenteMax;                       //   [10^expoenteMin, 10^expoenteMax)
    RegraData data;
    bool estorno;                          // negative amounts on both sides
    // Windows-1252; '#' stands for a document number, '%' for the month's name and
    // '&' for the cost centre's name in capitals.
    std::vector<std::string> frases;

    int linhas() const { return retencao.empty() ? 2 : 3; }
};

const std::vector<ModeloLancamento>& ModelosLancamento();
