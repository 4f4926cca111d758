#include "shell/VersaoExe.h"

#include <cstdint>

namespace {

// The fixed file information of the version record: the most significant word holds
// the major and minor numbers, the least significant one the release and the build.
struct RegistroVersao {
    char assinatura[8];
    std::uint32_t dwFileVersionMS;
    std::uint32_t dwFileVersionLS;
};

#ifdef GEDRA_VERSAO
// The n-th number (from 0) of a dotted version text; 0 where the text has none.
constexpr std::uint32_t NumeroVersao(const char* texto, int n)
{
    std::uint32_t valor = 0;
    int campo = 0;
    for (const char* c = texto; *c; ++c) {
        if (*c == '.') {
            if (campo == n)
                return valor;
            ++campo;
            valor = 0;
        } else if (*c >= '0' && *c <= '9') {
            valor = valor * 10 + static_cast<std::uint32_t>(*c - '0');
        }
    }
    return campo == n ? valor : 0;
}

constexpr std::uint32_t Palavra(std::uint32_t alta, std::uint32_t baixa)
{
    return ((alta & 0xFFFFu) << 16) | (baixa & 0xFFFFu);
}

// Kept in a section of its own so that it stays in the executable file, where a tool
// can read it without running the program.
[[gnu::used, gnu::section(".gedra_versao")]] const RegistroVersao VERSAO_ARQUIVO = {
    {'G', 'E', 'D', 'R', 'A', 'V', 'E', 'R'},
    Palavra(NumeroVersao(GEDRA_VERSAO, 0), NumeroVersao(GEDRA_VERSAO, 1)),
    Palavra(NumeroVersao(GEDRA_VERSAO, 2), NumeroVersao(GEDRA_VERSAO, 3)),
};
#endif

}  // namespace

std::string VERSAO_EXE()
{
#ifdef GEDRA_VERSAO
    const RegistroVersao& v = VERSAO_ARQUIVO;
    return std::to_string(v.dwFileVersionMS >> 16) + "." + std::to_string(v.dwFileVersionMS & 0xFFFFu) + "." +
           std::to_string(v.dwFileVersionLS >> 16) + "." + std::to_string(v.dwFileVersionLS & 0xFFFFu);
#else
    // A build without GEDRA_VERSAO carries no version record: the version is the empty
    // text, and the window shows "Versão : " with nothing after it.
    return {};
#endif
}
