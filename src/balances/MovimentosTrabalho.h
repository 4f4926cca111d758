#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "generation/format/Data.h"
#include "generation/format/Moeda.h"

class ConexaoBanco;

// The two passes of the monthly balance computation: the balances before the month
// and the month's movements.
enum class PassoSaldos { Anterior, Mes };

// One row of a pass as the balance statement gives it: UG, BALCO and the three sums
// (null where the statement's SUM is null).
struct LinhaSaldo {
    std::optional<int64_t> ug;
    std::string balco;
    std::optional<Moeda> credito;
    std::optional<Moeda> debito;
    std::optional<Moeda> saldo;
};

// The work table GEDRA_CONDIA read once and summed per UG, code and calendar month, so
// that every month of a run is computed from memory instead of by ten statements that
// each read the whole table again. The rows of a pass come out as the statement gives
// them: the same groups, the same null sums, the duplicates of the UNION removed and
// its order (it sorts on every column), so that "the row read last" is the same row.
//
// Sums are exact (the table's doubles are four-decimal amounts); the database adds the
// doubles themselves, which can differ in the fourth decimal only when a group's
// rounding errors add up to half a ten-thousandth (sums of hundreds of thousands of
// rows in the billions).
class MovimentosTrabalho {
public:
    // Reads the whole table.
    static std::shared_ptr<const MovimentosTrabalho> ler(ConexaoBanco& conexao);

    // False when the table holds what these sums cannot give as the statements do: a
    // code longer than the six characters the statement casts it to (the statement
    // fails), a code with trailing blanks (the database groups it with the code without
    // them and shows either), or an amount that is not a four-decimal amount.
    bool fiel() const { return fiel_; }

    // The rows of a pass for the month literals 'dd.mm.yyyy' of CALCULA_CONPLA_MES and
    // the entity of type "UG" (none for "CO"). Empty when the literals are not the first
    // and the last day of months, or a sum leaves the range of an amount: the statements
    // are then the ones to ask.
    std::optional<std::vector<LinhaSaldo>> passo(PassoSaldos passo, const std::string& inicio,
                                                 const std::string& fim, std::optional<int64_t> entidade) const;

    struct Somas {
        __int128 credito = 0;
        __int128 debito = 0;
        int64_t creditos = 0;   // rows with a credit that is not null
        int64_t debitos = 0;
        void somar(const Somas& o);
    };
    struct Chave {
        bool ugNulo = false;
        int64_t ug = 0;
        std::string balco;
        auto operator<=>(const Chave&) const = default;
    };

private:
    bool fiel_ = true;
    // Per UG and code: the sums per month (year * 12 + month - 1).
    std::map<Chave, std::map<int, Somas>> somas_;
};
