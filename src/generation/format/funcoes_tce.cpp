#include "generation/format/funcoes_tce.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// Bytes are compared as unsigned: cp1252 letters above 127 would be negative as char.
unsigned char byte(char c) { return static_cast<unsigned char>(c); }

std::string remover(const std::string& texto, char alvo)
{
    std::string r;
    r.reserve(texto.size());
    for (char c : texto)
        if (c != alvo)
            r += c;
    return r;
}

std::string trocar(std::string texto, char alvo, char novo)
{
    for (char& c : texto)
        if (c == alvo)
            c = novo;
    return texto;
}

// Trim of the old runtime: drops leading and trailing bytes up to code 32.
std::string aparar(const std::string& texto)
{
    size_t ini = 0;
    size_t fim = texto.size();
    while (ini < fim && byte(texto[ini]) <= 32)
        ++ini;
    while (fim > ini && byte(texto[fim - 1]) <= 32)
        --fim;
    return texto.substr(ini, fim - ini);
}

char semAcento(unsigned char c)
{
    switch (c) {
    case 0xE1: case 0xE2: case 0xE3: case 0xE0: case 0xE4: case 0xE5: return 'a';
    case 0xC1: case 0xC2: case 0xC3: case 0xC0: case 0xC4: case 0xC5: return 'A';
    case 0xE9: case 0xEA: case 0xE8: case 0xEB: return 'e';
    case 0xC9: case 0xCA: case 0xC8: case 0xCB: return 'E';
    case 0xED: case 0xEE: case 0xEC: case 0xEF: return 'i';
    case 0xCD: case 0xCE: case 0xCC: case 0xCF: return 'I';
    case 0xF3: case 0xF4: case 0xF5: case 0xF2: case 0xF6: return 'o';
    case 0xD3: case 0xD4: case 0xD5: case 0xD2: case 0xD6: return 'O';
    case 0xFA: case 0xFB: case 0xF9: case 0xFC: return 'u';
    case 0xDA: case 0xDB: case 0xD9: case 0xDC: return 'U';
    case 0xE7: return 'c';
    case 0xC7: return 'C';
    case 0xF1: return 'n';
    case 0xD1: return 'N';
    case 0xFD: case 0xFF: return 'y';
    case 0xDD: return 'Y';
    default: return static_cast<char>(c);
    }
}

// Writes a non-negative decimal digit string with `pontoDecimal` integer digits
// (may be <= 0 or beyond the string) rounded half away from zero at `casas`
// decimals. Digits hold the magnitude only; the caller adds the sign.
std::string arredondarDigitos(std::string digitos, int pontoDecimal, int casas, char separador,
                              bool& ficouZero)
{
    // Pad so that the integer part and the kept decimals (plus one) are present.
    if (pontoDecimal <= 0) {
        digitos.insert(0, static_cast<size_t>(1 - pontoDecimal), '0');
        pontoDecimal = 1;
    }
    const size_t mantidos = static_cast<size_t>(pontoDecimal + casas);
    if (digitos.size() < mantidos + 1)
        digitos.append(mantidos + 1 - digitos.size(), '0');

    const bool sobe = digitos[mantidos] >= '5';
    digitos.resize(mantidos);
    if (sobe) {
        size_t i = mantidos;
        while (i > 0) {
            --i;
            if (digitos[i] == '9') {
                digitos[i] = '0';
            } else {
                ++digitos[i];
                break;
            }
            if (i == 0) {
                digitos.insert(digitos.begin(), '1');
                ++pontoDecimal;
            }
        }
    }

    std::string inteira = digitos.substr(0, static_cast<size_t>(pontoDecimal));
    const size_t zeros = inteira.find_first_not_of('0');
    inteira = zeros == std::string::npos ? "0" : inteira.substr(zeros);
    ficouZero = digitos.find_first_not_of('0') == std::string::npos;

    std::string r = inteira;
    if (casas > 0) {
        r += separador;
        r += digitos.substr(static_cast<size_t>(pontoDecimal));
    }
    return r;
}

} // namespace

std::string COMPLETA_BRANCOS(int largura, const std::string& texto)
{
    if (largura <= 0)
        return {};
    std::string r = texto.substr(0, static_cast<size_t>(largura));
    r.append(static_cast<size_t>(largura) - r.size(), ' ');
    return r;
}

std::string ZEROS_ESQUERDA(const std::string& texto, int largura)
{
    const long falta = static_cast<long>(largura) - static_cast<long>(texto.size());
    if (falta <= 0)
        return texto;
    return std::string(static_cast<size_t>(falta), '0') + texto;
}

std::string VALOR_ZEROS(const std::string& texto, int largura)
{
    std::string r = remover(texto, '.');
    r = remover(r, ',');
    r = remover(r, ' ');
    r = remover(r, '-');
    return ZEROS_ESQUERDA(r, largura);
}

std::string SO_NUMEROS(const std::string& texto)
{
    std::string r;
    for (char c : texto)
        if (c >= '0' && c <= '9')
            r += c;
    return r;
}

std::string TIRA_QUEBRAS(const std::string& texto)
{
    return remover(remover(texto, '\r'), '\n');
}

std::string TIRA_ACENTOS(const std::string& texto)
{
    std::string r = texto;
    for (char& c : r)
        c = semAcento(byte(c));
    return r;
}

std::string LIMPA_TEXTO(const std::string& texto)
{
    std::string r = trocar(texto, '\'', ' ');
    r = trocar(r, '"', ' ');
    r = trocar(r, '\\', ' ');
    r = trocar(r, '/', ' ');
    r = trocar(r, '\r', ' ');
    r = remover(r, '-');
    r = TIRA_QUEBRAS(r);
    r = TIRA_ACENTOS(r);
    r = MAIUSCULAS_AZ(r);
    return aparar(r);
}

std::string TIRA_PONTOS(const std::string& texto)
{
    return aparar(remover(remover(texto, '.'), ','));
}

std::string DATA_DDMMAAAA(const Data& data)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%02d%04d", data.dia, data.mes, data.ano);
    return buf;
}

std::string FORMATA_DECIMAL(int casas, Moeda valor, char separador)
{
    if (casas < 0)
        casas = 0;
    const int64_t v = valor.escalado();
    // The magnitude as unsigned, so that the most negative amount does not overflow.
    const uint64_t abs = v < 0 ? static_cast<uint64_t>(-(v + 1)) + 1 : static_cast<uint64_t>(v);
    std::string digitos = std::to_string(abs);
    const int pontoDecimal = static_cast<int>(digitos.size()) - 4;
    bool zero = false;
    std::string r = arredondarDigitos(digitos, pontoDecimal, casas, separador, zero);
    return (v < 0 && !zero) ? "-" + r : r;
}

std::string FORMATA_DECIMAL(int casas, double valor, char separador)
{
    if (casas < 0)
        casas = 0;
    if (std::isnan(valor))
        return "NAN";
    if (std::isinf(valor))
        return valor < 0 ? "-INF" : "INF";
    // The value is first taken to 18 significant digits, as the original's extended
    // floating point printed it; only then is it rounded at the kept decimal. So
    // 1234.565 (stored as 1234.56500000000005...) gives 1234,57, while 2.675 (stored as
    // 2.67499999999999982...) gives 2,67, exactly as the old program wrote them.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(valor));
    std::string digitos;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digitos += *p;
    const int expoente = *p == 'e' ? std::atoi(p + 1) : 0;
    bool zero = false;
    std::string r = arredondarDigitos(digitos, expoente + 1, casas, separador, zero);
    return (valor < 0 && !zero) ? "-" + r : r;
}

int ULTIMO_DIA_MES(int mes, int ano)
{
    if (mes < 1 || mes > 12)
        throw std::invalid_argument("'" + std::to_string(mes) + "' is not a valid month");
    if (ano < 1 || ano > 9998)
        throw std::invalid_argument("'" + std::to_string(ano) + "' is not a valid year");
    const Data primeiroDoSeguinte = mes == 12 ? Data{ano + 1, 1, 1} : Data{ano, mes + 1, 1};
    return Data::deDiasDesdeEpoca(primeiroDoSeguinte.diasDesdeEpoca() - 1).dia;
}

void INDICADOR_DC(const std::string& natureza, const std::string& conta, Moeda valor, std::string& indicador)
{
    if (valor < Moeda()) {
        indicador = "C";
    } else if (valor > Moeda()) {
        indicador = "D";
    } else if (!natureza.empty()) {
        indicador = natureza;
    } else if (!conta.empty()) {
        switch (conta[0]) {
        case '1': case '3': case '5': indicador = "D"; break;
        case '2': case '4': case '6': indicador = "C"; break;
        default: break;
        }
    }
}

std::string MAIUSCULAS_AZ(const std::string& texto)
{
    std::string r = texto;
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return r;
}
