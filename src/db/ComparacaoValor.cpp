#include "db/ComparacaoValor.h"

#include <functional>
#include <string>

namespace {

bool exato(Valor::Tipo t)
{
    return t == Valor::Tipo::Inteiro || t == Valor::Tipo::Decimal;
}

bool numerico(Valor::Tipo t)
{
    return exato(t) || t == Valor::Tipo::Duplo;
}

Valor::Decimal comoDecimal(const Valor& v)
{
    if (v.tipo() == Valor::Tipo::Inteiro)
        return {v.comoInteiro(), 0};
    // An exact decimal's text holds all its digits; read them back.
    const std::string t = v.comoTexto();
    Valor::Decimal d{0, 0};
    bool negativo = false, depois = false;
    for (char c : t) {
        if (c == '-')
            negativo = true;
        else if (c == '.')
            depois = true;
        else {
            d.semEscala = d.semEscala * 10 + (c - '0');
            d.casas += depois ? 1 : 0;
        }
    }
    if (negativo)
        d.semEscala = -d.semEscala;
    return d;
}

int compararExatos(const Valor& a, const Valor& b)
{
    Valor::Decimal x = comoDecimal(a), y = comoDecimal(b);
    __int128 vx = x.semEscala, vy = y.semEscala;
    for (int c = x.casas; c < y.casas; ++c)
        vx *= 10;
    for (int c = y.casas; c < x.casas; ++c)
        vy *= 10;
    return vx < vy ? -1 : vx > vy ? 1 : 0;
}

template <class T>
int tres(const T& a, const T& b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

} // namespace

int CompararValores(const Valor& a, const Valor& b)
{
    const Valor::Tipo ta = a.tipo(), tb = b.tipo();
    if (ta == Valor::Tipo::Nulo || tb == Valor::Tipo::Nulo)
        return tres(ta != Valor::Tipo::Nulo, tb != Valor::Tipo::Nulo);
    if (exato(ta) && exato(tb))
        return compararExatos(a, b);
    if (numerico(ta) && numerico(tb))
        return tres(a.comoDuplo(), b.comoDuplo());
    if (ta == Valor::Tipo::Data && tb == Valor::Tipo::Data)
        return tres(a.comoData(), b.comoData());
    // Texts, and mixed kinds, by their bytes (std::string compares them unsigned).
    const int r = a.comoTexto().compare(b.comoTexto());
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

size_t HashValor(const Valor& v)
{
    if (v.nulo())
        return 0x9e3779b97f4a7c15ull;
    return std::hash<std::string>()(v.comoTexto());
}
