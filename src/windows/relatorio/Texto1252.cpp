#include "windows/relatorio/Texto1252.h"

#include <array>

#include <QList>

namespace {

// 0x80..0x9F, the only range where Windows-1252 departs from Latin-1. The five
// unassigned bytes keep their C1 code points, as Windows itself maps them, so
// every byte survives a round trip.
constexpr std::array<char16_t, 32> kFaixa80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char DeCodigo(char32_t codigo)
{
    if (codigo < 0x80 || (codigo >= 0xA0 && codigo <= 0xFF))
        return static_cast<char>(codigo);
    for (std::size_t i = 0; i < kFaixa80.size(); ++i)
        if (kFaixa80[i] == codigo)
            return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

QString ParaQString(const std::string& cp1252)
{
    QString texto;
    texto.reserve(static_cast<qsizetype>(cp1252.size()));
    for (unsigned char byte : cp1252) {
        if (byte >= 0x80 && byte <= 0x9F)
            texto.append(QChar(kFaixa80[byte - 0x80]));
        else
            texto.append(QChar(byte));
    }
    return texto;
}

std::string DeQString(const QString& texto)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(texto.size()));
    for (char32_t codigo : texto.toUcs4())
        bytes.push_back(DeCodigo(codigo));
    return bytes;
}
