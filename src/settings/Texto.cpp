#include "settings/Texto.h"

#include <cstdint>

namespace {

// Unicode code points of the bytes 0x80..0x9F; 0 where Windows-1252 has none.
constexpr uint16_t FAIXA_80[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

uint32_t pontoDe(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return FAIXA_80[b - 0x80] ? FAIXA_80[b - 0x80] : b;
    return b;
}

void anexarUtf8(std::string& s, uint32_t cp)
{
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char byteDe(uint32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (FAIXA_80[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

std::string Utf8De1252(const std::string& cp1252)
{
    std::string s;
    s.reserve(cp1252.size() + cp1252.size() / 8);
    for (unsigned char b : cp1252)
        anexarUtf8(s, pontoDe(b));
    return s;
}

std::string Cp1252DeUtf8(const std::string& utf8)
{
    std::string s;
    s.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        uint32_t cp;
        size_t n;
        if (b < 0x80) { cp = b; n = 1; }
        else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; n = 2; }
        else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; n = 3; }
        else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; n = 4; }
        else { s += '?'; ++i; continue; }
        if (i + n > utf8.size()) { s += '?'; break; }
        bool ok = true;
        for (size_t k = 1; k < n; ++k) {
            unsigned char c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) { s += '?'; ++i; continue; }
        s += byteDe(cp);
        i += n;
    }
    return s;
}
