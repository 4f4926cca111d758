#pragma once

#include <cstdint>
#include <string>

// An exact amount with four decimals (the database's NUMERIC(18,4), the old
// "currency" type): a count of ten-thousandths. Sums and differences are exact.
class Moeda {
public:
    static constexpr int64_t ESCALA = 10000;

    constexpr Moeda() = default;
    static constexpr Moeda deEscalado(int64_t decimilesimos) { Moeda m; m.valor_ = decimilesimos; return m; }
    static constexpr Moeda deInteiro(int64_t unidades) { return deEscalado(unidades * ESCALA); }
    // A double becomes an amount by rounding to four decimals, half away from zero.
    // Both throw std::out_of_range when the value does not fit the type.
    static Moeda deDuplo(double valor);
    // An exact decimal given as an unscaled integer and its number of decimals.
    static Moeda deDecimal(int64_t semEscala, int casas);

    constexpr int64_t escalado() const { return valor_; }
    double comoDuplo() const { return static_cast<double>(valor_) / ESCALA; }
    // Plain text with a point and four decimals, for messages and tests: «-1234.5000».
    std::string texto() const;

    constexpr Moeda operator+(Moeda o) const { return deEscalado(valor_ + o.valor_); }
    constexpr Moeda operator-(Moeda o) const { return deEscalado(valor_ - o.valor_); }
    constexpr Moeda operator-() const { return deEscalado(-valor_); }
    constexpr Moeda& operator+=(Moeda o) { valor_ += o.valor_; return *this; }
    constexpr Moeda& operator-=(Moeda o) { valor_ -= o.valor_; return *this; }
    constexpr auto operator<=>(const Moeda&) const = default;

private:
    int64_t valor_ = 0;
};
