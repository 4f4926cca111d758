#pragma once

#include <cstddef>

#include "db/Valor.h"

// Order of values for the dataset's ordering: nulls first, numbers by value (exact
// between integers and decimals), dates by date, texts by their bytes; values of
// different kinds by their text. Negative, zero or positive.
int CompararValores(const Valor& a, const Valor& b);

// A hash that agrees with Valor::operator== (equal values give equal hashes, also
// across kinds that compare by text or by number).
size_t HashValor(const Valor& v);
