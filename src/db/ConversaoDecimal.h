#pragma once

#include <cstdint>
#include <string>

#include "db/Valor.h"

// Exact decimal conversions shared by the values and the statement parameters.

// A plain decimal text, blanks around allowed, "." or "," before the decimals.
// False when the text is not such a number or does not fit.
bool LerDecimal(const std::string& texto, Valor::Decimal& resultado);

// The value with exactly `casas` decimals, rounding half away from zero when it has
// more. False when it does not fit in 64 bits.
bool Reescalar(Valor::Decimal d, int casas, int64_t& resultado);

// Any numeric value (integer, decimal, double, numeric text) as an exact decimal; a
// double gives its shortest round-trip text. Throws std::invalid_argument otherwise.
Valor::Decimal DecimalExato(const Valor& v);
