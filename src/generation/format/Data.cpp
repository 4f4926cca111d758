#include "generation/format/Data.h"

#include <cstdio>
#include <stdexcept>

namespace {

bool bissexto(int a) { return (a % 4 == 0 && a % 100 != 0) || a % 400 == 0; }

int diasNoMes(int mes, int ano)
{
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mes == 2 && bissexto(ano) ? 29 : dias[mes - 1];
}

} // namespace

bool Data::valida() const
{
    return ano >= 1 && ano <= 9999 && mes >= 1 && mes <= 12 && dia >= 1 && dia <= diasNoMes(mes, ano);
}

// Days from civil (proleptic Gregorian), after H. Hinnant's well-known algorithm.
long Data::diasDesdeEpoca() const
{
    int y = ano - (mes <= 2 ? 1 : 0);
    long era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = static_cast<unsigned>(y - era * 400);
    unsigned doy = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

Data Data::deDiasDesdeEpoca(long z)
{
    z += 719468;
    long era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = static_cast<unsigned>(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long y = static_cast<long>(yoe) + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    unsigned d = doy - (153 * mp + 2) / 5 + 1;
    unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return Data{static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

std::string Data::textoCurto() const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", dia, mes, ano);
    return buf;
}

Data Data::deTextoCurto(const std::string& texto)
{
    Data d;
    char resto = 0;
    if (std::sscanf(texto.c_str(), "%d/%d/%d%c", &d.dia, &d.mes, &d.ano, &resto) != 3 || !d.valida())
        throw std::invalid_argument("'" + texto + "' is not a valid date");
    return d;
}
