#include "demo/Texto1252.h"

#include <stdexcept>

namespace {

// The characters of 0x80..0x9F that the demo texts may use; 0xA0..0xFF are the
// Latin-1 code points themselves.
char deCodigo(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    switch (c) {
    case U'\u20AC': return '\x80';   // euro sign
    case U'\u2013': return '\x96';   // en dash
    case U'\u2014': return '\x97';   // em dash
    case U'\u2018': return '\x91';
    case U'\u2019': return '\x92';
    case U'\u201C': return '\x93';
    case U'\u201D': return '\x94';
    default:
        throw std::invalid_argument("caractere sem correspondente em Windows-1252");
    }
}

} // namespace

std::string cp1252(std::string_view utf8)
{
    std::string saida;
    saida.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int extras = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : 3;
        char32_t c = extras == 0 ? b : extras == 1 ? (b & 0x1F) : extras == 2 ? (b & 0x0F) : (b & 0x07);
        if (i + extras >= utf8.size())
            throw std::invalid_argument("texto UTF-8 truncado");
        for (int k = 1; k <= extras; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        saida += deCodigo(c);
        i += 1 + extras;
    }
    return saida;
}
