#include "db/ConversaoDecimal.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

bool LerDecimal(const std::string& texto, Valor::Decimal& d)
{
    const auto ini = texto.find_first_not_of(" \t\r\n");
    if (ini == std::string::npos)
        return false;
    const auto fim = texto.find_last_not_of(" \t\r\n") + 1;
    size_t i = ini;
    bool negativo = false;
    if (texto[i] == '-' || texto[i] == '+')
        negativo = texto[i++] == '-';
    int64_t valor = 0;
    int casas = 0;
    bool separador = false, algarismo = false;
    for (; i < fim; ++i) {
        const char c = texto[i];
        if (c == '.' || c == ',') {
            if (separador)
                return false;
            separador = true;
        } else if (c >= '0' && c <= '9') {
            // Up to the last value of 64 bits: NUMERIC(18,4) holds 922337203685477.5807.
            if (casas >= 18 || __builtin_mul_overflow(valor, int64_t{10}, &valor) ||
                __builtin_add_overflow(valor, int64_t{c - '0'}, &valor))
                return false;
            casas += separador ? 1 : 0;
            algarismo = true;
        } else {
            return false;
        }
    }
    if (!algarismo)
        return false;
    d = {negativo ? -valor : valor, casas};
    return true;
}

bool Reescalar(Valor::Decimal d, int casas, int64_t& resultado)
{
    int64_t v = d.semEscala;
    for (int c = d.casas; c < casas; ++c)
        if (__builtin_mul_overflow(v, 10, &v))
            return false;
    if (d.casas > casas) {
        int64_t divisor = 1;
        for (int c = casas; c < d.casas; ++c)
            divisor *= 10;
        int64_t q = v / divisor;
        const int64_t r = v % divisor;
        if (std::llabs(r) * 2 >= divisor)
            q += v < 0 ? -1 : 1;
        v = q;
    }
    resultado = v;
    return true;
}

Valor::Decimal DecimalExato(const Valor& v)
{
    Valor::Decimal d;
    switch (v.tipo()) {
    case Valor::Tipo::Inteiro:
        return {v.comoInteiro(), 0};
    case Valor::Tipo::Decimal:
        // comoTexto keeps every decimal; read back it is the same number.
        if (LerDecimal(v.comoTexto(), d))
            return d;
        break;
    case Valor::Tipo::Duplo:
    case Valor::Tipo::Texto:
        if (LerDecimal(v.comoTexto(), d))
            return d;
        if (v.tipo() == Valor::Tipo::Duplo && std::isfinite(v.comoDuplo()) && std::fabs(v.comoDuplo()) < 9e18)
            return {std::llround(v.comoDuplo()), 0};
        break;
    default:
        break;
    }
    throw std::invalid_argument("'" + v.comoTexto() + "' is not a valid floating point value");
}
