#include "generation/format/Moeda.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

// An amount that the four-decimal type cannot hold is a failure, not a wrong number.
[[noreturn]] void foraDoLimite(const std::string& valor)
{
    throw std::out_of_range("Valor fora do limite dos valores monet\xE1rios (922337203685477,5807): " + valor);
}

} // namespace

Moeda Moeda::deDuplo(double valor)
{
    // Take the value to 17 significant digits first, so that a double that stands
    // for a four-decimal amount comes back as exactly that amount.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", valor * ESCALA);
    double escalado = std::strtod(buf, nullptr);
    // 2^63, the first double beyond int64; NaN fails both comparisons.
    if (!(escalado > -9223372036854775808.0 && escalado < 9223372036854775808.0)) {
        std::snprintf(buf, sizeof buf, "%.17g", valor);
        foraDoLimite(buf);
    }
    return deEscalado(static_cast<int64_t>(std::llround(escalado)));
}

Moeda Moeda::deDecimal(int64_t semEscala, int casas)
{
    if (casas == 4)
        return deEscalado(semEscala);
    if (casas < 4) {
        int64_t v = semEscala;
        for (int i = casas; i < 4; ++i)
            if (__builtin_mul_overflow(v, int64_t{10}, &v))
                foraDoLimite(std::to_string(semEscala) + "E-" + std::to_string(casas));
        return deEscalado(v);
    }
    // More than four decimals: round half away from zero at the fourth.
    int64_t divisor = 1;
    for (int i = 4; i < casas; ++i)
        divisor *= 10;
    int64_t q = semEscala / divisor;
    int64_t r = semEscala % divisor;
    if (std::llabs(r) * 2 >= divisor)
        q += (semEscala < 0 ? -1 : 1);
    return deEscalado(q);
}

std::string Moeda::texto() const
{
    uint64_t abs = valor_ < 0 ? static_cast<uint64_t>(-(valor_ + 1)) + 1 : static_cast<uint64_t>(valor_);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%llu.%04llu", valor_ < 0 ? "-" : "",
                  static_cast<unsigned long long>(abs / ESCALA), static_cast<unsigned long long>(abs % ESCALA));
    return buf;
}
