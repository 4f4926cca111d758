#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generation/format/funcoes_tce.h"

namespace {

struct CasoTexto {
    std::string entrada;
    std::string esperado;
};

TEST(CompletaBrancos, CortaOuCompletaAteALargura)
{
    EXPECT_EQ(COMPLETA_BRANCOS(28, ""), std::string(28, ' '));
    EXPECT_EQ(COMPLETA_BRANCOS(8, "01012008"), "01012008");
    EXPECT_EQ(COMPLETA_BRANCOS(5, "ABCDEFG"), "ABCDE");
    EXPECT_EQ(COMPLETA_BRANCOS(6, "AB"), "AB    ");
    EXPECT_EQ(COMPLETA_BRANCOS(0, "ABC"), "");
    EXPECT_EQ(COMPLETA_BRANCOS(3, "\xC7\xE3o\xE9"), "\xC7\xE3o");   // one byte per character
}

TEST(ZerosEsquerda, CompletaSemNuncaCortar)
{
    EXPECT_EQ(ZEROS_ESQUERDA("123456", 4), "123456");
    EXPECT_EQ(ZEROS_ESQUERDA("12", 5), "00012");
    EXPECT_EQ(ZEROS_ESQUERDA("", 3), "000");
}

TEST(FormataDecimal, DuploArredondaAMetadeParaLongeDoZero)
{
    struct Caso {
        int casas;
        double valor;
        std::string esperado;
    };
    const std::vector<Caso> casos = {
        {2, 1234.5, "1234,50"},
        {2, -1234.5, "-1234,50"},
        {2, 0.125, "0,13"},
        {2, -0.125, "-0,13"},
        {2, 1234.565, "1234,57"},
        {2, 2.675, "2,67"},          // stored as 2.67499999999999982...: 18 digits keep that
        {2, 1.005, "1,00"},          // 1.00499999999999989...
        {2, 0.0, "0,00"},
        {2, 0.004, "0,00"},
        {2, -0.004, "0,00"},         // rounds to zero: no sign left
        {2, 9.9951, "10,00"},        // the carry reaches the integer part
        {2, 999999.999, "1000000,00"},
        {0, 2.5, "3"},
        {0, -2.5, "-3"},
        {4, 1.23456, "1,2346"},
        {2, 123456789012.345, "123456789012,35"},
        {2, 1e20, "100000000000000000000,00"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(FORMATA_DECIMAL(c.casas, c.valor), c.esperado) << c.valor << " com " << c.casas;
    EXPECT_EQ(FORMATA_DECIMAL(2, 1234.5, '.'), "1234.50");
}

TEST(FormataDecimal, MoedaEhAritmeticaInteiraExata)
{
    struct Caso {
        int casas;
        int64_t escalado;
        std::string esperado;
    };
    const std::vector<Caso> casos = {
        {2, 12345000, "1234,50"},
        {2, -12345000, "-1234,50"},
        {2, 1250, "0,13"},
        {2, -1250, "-0,13"},
        {2, 1249, "0,12"},
        {2, 26750, "2,68"},
        {2, -49, "0,00"},
        {2, 0, "0,00"},
        {2, 99950, "10,00"},
        {4, 12345, "1,2345"},
        {6, 12345, "1,234500"},
        {0, 25000, "3"},
        {2, 9223372036854775807LL, "922337203685477,58"},
        {2, -9223372036854775807LL - 1, "-922337203685477,58"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(FORMATA_DECIMAL(c.casas, Moeda::deEscalado(c.escalado)), c.esperado) << c.escalado;
}

TEST(ValorZeros, DigitosDoValorAbsolutoComDecimaisImplicitas)
{
    EXPECT_EQ(VALOR_ZEROS(FORMATA_DECIMAL(2, -1234.5), 17), "00000000000123450");
    EXPECT_EQ(VALOR_ZEROS(FORMATA_DECIMAL(2, 0.0), 17), std::string(17, '0'));
    EXPECT_EQ(VALOR_ZEROS(FORMATA_DECIMAL(2, Moeda::deEscalado(-12345000)), 17), "00000000000123450");
    EXPECT_EQ(VALOR_ZEROS(FORMATA_DECIMAL(2, 1234.5, '.'), 17), "00000000000123450");
    EXPECT_EQ(VALOR_ZEROS(" 1.234,5-", 3), "12345");
}

TEST(SoNumeros, MantemSoOsDigitos)
{
    EXPECT_EQ(SO_NUMEROS(" 12a3 "), "123");
    EXPECT_EQ(SO_NUMEROS(""), "");
    EXPECT_EQ(SO_NUMEROS("\xB9\xB2\xB3" "4"), "4");   // superscript digits are not digits
}

TEST(TiraAcentos, TrocaSoAsLetrasDaTabela)
{
    const std::vector<CasoTexto> casos = {
        {"\xE1\xE2\xE3\xE0\xE4\xE5", "aaaaaa"},
        {"\xC1\xC2\xC3\xC0\xC4\xC5", "AAAAAA"},
        {"\xE9\xEA\xE8\xEB\xC9\xCA\xC8\xCB", "eeeeEEEE"},
        {"\xED\xEE\xEC\xEF\xCD\xCE\xCC\xCF", "iiiiIIII"},
        {"\xF3\xF4\xF5\xF2\xF6\xD3\xD4\xD5\xD2\xD6", "oooooOOOOO"},
        {"\xFA\xFB\xF9\xFC\xDA\xDB\xD9\xDC", "uuuuUUUU"},
        {"\xE7\xC7\xF1\xD1\xFD\xFF\xDD", "cCnNyyY"},
        {"\xF8\xE6\xDF\xAA\xBA", "\xF8\xE6\xDF\xAA\xBA"},   // ø æ ß ª º stay
    };
    for (const auto& c : casos)
        EXPECT_EQ(TIRA_ACENTOS(c.entrada), c.esperado);
}

TEST(LimpaTexto, LimpaComoOsArquivosPedem)
{
    const std::vector<CasoTexto> casos = {
        {"A\xE7\xE3o - Sa\xFA" "de/Educa\xE7\xE3o\r\nGeral", "ACAO  SAUDE EDUCACAO GERAL"},
        {"d'\xE1gua", "D AGUA"},
        {" - \r\n-\n \r ", ""},
        {"a\"b\\c", "A B C"},
        {"x.y,(z)*10%", "X.Y,(Z)*10%"},
        {"\xF8\xE6\xDF", "\xF8\xE6\xDF"},        // unknown accented letters keep their (lower) case
        {"\t  abc \x01", "ABC"},
        {"\xA0" "abc" "\xA0", "\xA0" "ABC" "\xA0"}, // no-break space is above 32: not trimmed
    };
    for (const auto& c : casos)
        EXPECT_EQ(LIMPA_TEXTO(c.entrada), c.esperado);
}

TEST(TiraPontos, TiraPontosVirgulasEAparaAsPontas)
{
    EXPECT_EQ(TIRA_PONTOS(" ..., "), "");
    EXPECT_EQ(TIRA_PONTOS(" A.B,C \r\n"), "ABC");
    EXPECT_EQ(TIRA_PONTOS("\xE9."), "\xE9");
    EXPECT_EQ(TIRA_QUEBRAS("a\r\nb\nc\r"), "abc");
}

TEST(DataDdmmaaaa, OitoDigitos)
{
    EXPECT_EQ(DATA_DDMMAAAA(Data{2008, 1, 1}), "01012008");
    EXPECT_EQ(DATA_DDMMAAAA(Data{2008, 12, 31}), "31122008");
}

TEST(UltimoDiaMes, UltimoDiaDoCalendario)
{
    EXPECT_EQ(ULTIMO_DIA_MES(2, 2000), 29);
    EXPECT_EQ(ULTIMO_DIA_MES(2, 1900), 28);
    EXPECT_EQ(ULTIMO_DIA_MES(2, 2008), 29);
    EXPECT_EQ(ULTIMO_DIA_MES(12, 2008), 31);
    EXPECT_EQ(ULTIMO_DIA_MES(4, 2008), 30);
    EXPECT_EQ(ULTIMO_DIA_MES(12, 9998), 31);
    EXPECT_THROW(ULTIMO_DIA_MES(12, 9999), std::invalid_argument);
    EXPECT_THROW(ULTIMO_DIA_MES(1, 0), std::invalid_argument);
    EXPECT_THROW(ULTIMO_DIA_MES(13, 2008), std::invalid_argument);
}

TEST(IndicadorDc, SinalNaturezaEContaNessaOrdem)
{
    struct Caso {
        std::string natureza;
        std::string conta;
        int64_t escalado;
        std::string antes;
        std::string esperado;
    };
    const std::vector<Caso> casos = {
        {"C", "111101", 0, "X", "C"},        // the nature wins over the account's first digit
        {"", "711101", 0, "X", "X"},         // nothing decides: unchanged
        {"D", "111101", -100, "X", "C"},     // the sign wins over the nature
        {"C", "211101", 1, "X", "D"},
        {"", "111101", 0, "X", "D"},
        {"", "211101", 0, "X", "C"},
        {"", "311101", 0, "", "D"},
        {"", "411101", 0, "", "C"},
        {"", "511101", 0, "", "D"},
        {"", "611101", 0, "", "C"},
        {"", "", 0, "X", "X"},
    };
    for (const auto& c : casos) {
        std::string indicador = c.antes;
        INDICADOR_DC(c.natureza, c.conta, Moeda::deEscalado(c.escalado), indicador);
        EXPECT_EQ(indicador, c.esperado) << c.natureza << "/" << c.conta << "/" << c.escalado;
    }
}

TEST(MaiusculasAz, SoAsLetrasDeAaZ)
{
    EXPECT_EQ(MAIUSCULAS_AZ("abc xyz \xE7\xE3 fk_1"), "ABC XYZ \xE7\xE3 FK_1");
}

} // namespace
