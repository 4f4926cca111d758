#include "db/Valor.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "db/ConversaoDecimal.h"

namespace {

const int64_t POTENCIAS[] = {1,
                             10,
                             100,
                             1000,
                             10000,
                             100000,
                             1000000,
                             10000000,
                             100000000,
                             1000000000,
                             10000000000,
                             100000000000,
                             1000000000000,
                             10000000000000,
                             100000000000000,
                             1000000000000000,
                             10000000000000000,
                             100000000000000000,
                             1000000000000000000};

int64_t potencia10(int casas)
{
    if (casas < 0 || casas > 18)
        throw std::out_of_range("Número de casas decimais fora do intervalo: " + std::to_string(casas));
    return POTENCIAS[casas];
}

// Division rounded half away from zero.
int64_t dividirArredondando(int64_t valor, int64_t divisor)
{
    int64_t q = valor / divisor;
    int64_t r = valor % divisor;
    if (std::llabs(r) * 2 >= divisor)
        q += valor < 0 ? -1 : 1;
    return q;
}

std::string aparado(const std::string& t)
{
    const auto ini = t.find_first_not_of(" \t\r\n");
    if (ini == std::string::npos)
        return {};
    const auto fim = t.find_last_not_of(" \t\r\n");
    return t.substr(ini, fim - ini + 1);
}

std::string textoDecimal(const Valor::Decimal& d)
{
    if (d.casas <= 0)
        return std::to_string(d.semEscala);
    const uint64_t abs = d.semEscala < 0 ? static_cast<uint64_t>(-(d.semEscala + 1)) + 1
                                         : static_cast<uint64_t>(d.semEscala);
    const uint64_t escala = static_cast<uint64_t>(potencia10(d.casas));
    std::string fracao = std::to_string(abs % escala);
    fracao.insert(0, static_cast<size_t>(d.casas) - fracao.size(), '0');
    while (!fracao.empty() && fracao.back() == '0')
        fracao.pop_back();
    std::string t;
    if (d.semEscala < 0)
        t.push_back('-');
    t.append(std::to_string(abs / escala));
    if (!fracao.empty()) {
        t.push_back('.');
        t.append(fracao);
    }
    return t;
}

// Shortest text that reads back as the same double; plain notation in the usual range.
std::string textoDuplo(double v)
{
    if (v == 0)
        return "0";
    char buf[400];
    const double a = std::fabs(v);
    const auto formato = (a >= 1e-5 && a < 1e15) ? std::chars_format::fixed : std::chars_format::general;
    auto r = std::to_chars(buf, buf + sizeof buf, v, formato);
    return std::string(buf, r.ptr);
}

bool numerico(Valor::Tipo t)
{
    return t == Valor::Tipo::Inteiro || t == Valor::Tipo::Decimal;
}

// Both as exact decimals, compared at the larger scale.
bool decimaisIguais(Valor::Decimal a, Valor::Decimal b)
{
    while (a.casas < b.casas) {
        if (__builtin_mul_overflow(a.semEscala, 10, &a.semEscala))
            return false;
        ++a.casas;
    }
    while (b.casas < a.casas) {
        if (__builtin_mul_overflow(b.semEscala, 10, &b.semEscala))
            return false;
        ++b.casas;
    }
    return a.semEscala == b.semEscala;
}

} // namespace

Valor Valor::inteiro(int64_t v)
{
    Valor r;
    r.v_ = v;
    return r;
}

Valor Valor::decimal(int64_t semEscala, int casas)
{
    Valor r;
    r.v_ = Decimal{semEscala, casas};
    return r;
}

Valor Valor::duplo(double v)
{
    Valor r;
    r.v_ = v;
    return r;
}

Valor Valor::data(::Data d)
{
    Valor r;
    r.v_ = d;
    return r;
}

Valor Valor::texto(std::string t)
{
    Valor r;
    r.v_ = std::move(t);
    return r;
}

Valor::Tipo Valor::tipo() const
{
    return static_cast<Tipo>(v_.index());
}

int64_t Valor::comoInteiro() const
{
    switch (tipo()) {
    case Tipo::Nulo:
        return 0;
    case Tipo::Inteiro:
        return std::get<int64_t>(v_);
    case Tipo::Decimal: {
        const Decimal& d = std::get<Decimal>(v_);
        return d.casas <= 0 ? d.semEscala : dividirArredondando(d.semEscala, potencia10(d.casas));
    }
    case Tipo::Duplo:
        return std::llround(std::get<double>(v_));
    case Tipo::Data:
        throw std::invalid_argument("'" + comoTexto() + "' is not a valid integer value");
    case Tipo::Texto: {
        const std::string t = aparado(std::get<std::string>(v_));
        int64_t v = 0;
        const char* ini = t.data();
        if (!t.empty() && t[0] == '+')
            ++ini;
        auto r = std::from_chars(ini, t.data() + t.size(), v);
        if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size())
            throw std::invalid_argument("'" + std::get<std::string>(v_) + "' is not a valid integer value");
        return v;
    }
    }
    return 0;
}

Moeda Valor::comoMoeda() const
{
    switch (tipo()) {
    case Tipo::Nulo:
        return Moeda();
    case Tipo::Inteiro:
        return Moeda::deInteiro(std::get<int64_t>(v_));
    case Tipo::Decimal: {
        const Decimal& d = std::get<Decimal>(v_);
        return Moeda::deDecimal(d.semEscala, d.casas);
    }
    case Tipo::Duplo:
        return Moeda::deDuplo(std::get<double>(v_));
    case Tipo::Data:
        break;
    case Tipo::Texto: {
        Decimal d;
        if (LerDecimal(std::get<std::string>(v_), d))
            return Moeda::deDecimal(d.semEscala, d.casas);
        break;
    }
    }
    throw std::invalid_argument("'" + comoTexto() + "' is not a valid floating point value");
}

double Valor::comoDuplo() const
{
    switch (tipo()) {
    case Tipo::Nulo:
        return 0.0;
    case Tipo::Inteiro:
        return static_cast<double>(std::get<int64_t>(v_));
    case Tipo::Decimal: {
        // Through the text, so that 1.2345 gives the double nearest to 1.2345.
        return std::strtod(textoDecimal(std::get<Decimal>(v_)).c_str(), nullptr);
    }
    case Tipo::Duplo:
        return std::get<double>(v_);
    case Tipo::Data:
        break;
    case Tipo::Texto: {
        std::string t = aparado(std::get<std::string>(v_));
        for (char& c : t)
            if (c == ',')
                c = '.';
        double v = 0;
        auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (!t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size())
            return v;
        break;
    }
    }
    throw std::invalid_argument("'" + comoTexto() + "' is not a valid floating point value");
}

::Data Valor::comoData() const
{
    switch (tipo()) {
    case Tipo::Nulo:
        return ::Data{};
    case Tipo::Data:
        return std::get<::Data>(v_);
    case Tipo::Texto:
        return ::Data::deTextoCurto(aparado(std::get<std::string>(v_)));
    default:
        throw std::invalid_argument("'" + comoTexto() + "' is not a valid date");
    }
}

std::string Valor::comoTexto() const
{
    switch (tipo()) {
    case Tipo::Nulo:
        return {};
    case Tipo::Inteiro:
        return std::to_string(std::get<int64_t>(v_));
    case Tipo::Decimal:
        return textoDecimal(std::get<Decimal>(v_));
    case Tipo::Duplo:
        return textoDuplo(std::get<double>(v_));
    case Tipo::Data:
        return std::get<::Data>(v_).textoCurto();
    case Tipo::Texto:
        return std::get<std::string>(v_);
    }
    return {};
}

bool Valor::operator==(const Valor& o) const
{
    const Tipo a = tipo(), b = o.tipo();
    // A null matches only a null, as a dataset's locate treats it.
    if (a == Tipo::Nulo || b == Tipo::Nulo)
        return a == b;
    if (numerico(a) && numerico(b)) {
        auto comoDecimal = [](const Valor& v) {
            return v.tipo() == Tipo::Inteiro ? Decimal{std::get<int64_t>(v.v_), 0} : std::get<Decimal>(v.v_);
        };
        return decimaisIguais(comoDecimal(*this), comoDecimal(o));
    }
    if (a == b)
        return v_ == o.v_;
    return comoTexto() == o.comoTexto();
}
