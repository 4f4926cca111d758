#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "generation/format/Data.h"
#include "generation/format/Moeda.h"

// One typed value of a row: null, integer, exact decimal (NUMERIC/DECIMAL kept as
// its scaled integer), double, date, or text as Windows-1252 bytes.
class Valor {
public:
    enum class Tipo { Nulo, Inteiro, Decimal, Duplo, Data, Texto };

    struct Decimal {
        int64_t semEscala = 0;   // 12345 with casas 4 is 1.2345
        int casas = 0;
        bool operator==(const Decimal&) const = default;
    };

    Valor() = default;
    static Valor inteiro(int64_t v);
    static Valor decimal(int64_t semEscala, int casas);
    static Valor moeda(Moeda m) { return decimal(m.escalado(), 4); }
    static Valor duplo(double v);
    static Valor data(::Data d);
    static Valor texto(std::string t);

    Tipo tipo() const;
    bool nulo() const { return tipo() == Tipo::Nulo; }

    // Conversions in the manner of a dataset field's As... properties. A null gives
    // 0, 0, 0.0, an invalid date and the empty text.
    int64_t comoInteiro() const;     // decimals and doubles are rounded; texts are read as numbers
    Moeda comoMoeda() const;         // exact for decimals with up to four decimals
    double comoDuplo() const;
    ::Data comoData() const;         // texts are read as dd/mm/yyyy
    std::string comoTexto() const;   // integers in decimal; decimals without trailing zeros

    // Exact comparison of the same kind of value (used by locate and the keyed index);
    // values of different kinds compare by their text.
    bool operator==(const Valor& o) const;

private:
    std::variant<std::monostate, int64_t, Decimal, double, ::Data, std::string> v_;
};
