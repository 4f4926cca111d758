// Conversions and comparison of typed values, as the dataset fields gave them.

#include <stdexcept>

#include <gtest/gtest.h>

#include "db/Valor.h"

TEST(DbValor, TextoDeCadaTipo)
{
    struct Caso {
        Valor valor;
        const char* texto;
    };
    const Caso casos[] = {
        {Valor(), ""},
        {Valor::inteiro(-42), "-42"},
        {Valor::decimal(125000, 4), "12.5"},
        {Valor::decimal(15000, 2), "150"},
        {Valor::decimal(12345, 4), "1.2345"},
        {Valor::decimal(-5, 4), "-0.0005"},
        {Valor::decimal(0, 4), "0"},
        {Valor::duplo(0.1), "0.1"},
        {Valor::duplo(100000.0), "100000"},
        {Valor::duplo(-2.5), "-2.5"},
        {Valor::duplo(-0.0), "0"},
        {Valor::data(Data{2008, 3, 5}), "05/03/2008"},
        {Valor::texto("A\xC7\xC3O "), "A\xC7\xC3O "},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(c.valor.comoTexto(), c.texto);
}

TEST(DbValor, ConversoesNumericas)
{
    EXPECT_EQ(Valor::texto(" 12 ").comoInteiro(), 12);
    EXPECT_EQ(Valor::texto("-7").comoInteiro(), -7);
    EXPECT_EQ(Valor::decimal(25, 1).comoInteiro(), 3);    // half away from zero
    EXPECT_EQ(Valor::decimal(-25, 1).comoInteiro(), -3);
    EXPECT_EQ(Valor().comoInteiro(), 0);
    for (const char* ruim : {"", "x", "1.5", "12a", "1 2"}) {
        try {
            Valor::texto(ruim).comoInteiro();
            ADD_FAILURE() << "aceitou '" << ruim << "'";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(ruim) + "' is not a valid integer value");
        }
    }
    EXPECT_EQ(Valor::decimal(12345, 4).comoMoeda().escalado(), 12345);
    EXPECT_EQ(Valor::decimal(150, 2).comoMoeda().escalado(), 15000);
    EXPECT_EQ(Valor::duplo(0.1).comoMoeda().escalado(), 1000);
    EXPECT_EQ(Valor::inteiro(3).comoMoeda().escalado(), 30000);
    EXPECT_EQ(Valor::texto("80,50").comoMoeda().escalado(), 805000);
    EXPECT_DOUBLE_EQ(Valor::decimal(12345, 4).comoDuplo(), 1.2345);
    EXPECT_EQ(Valor::texto("31/12/2008").comoData(), (Data{2008, 12, 31}));
    EXPECT_FALSE(Valor().comoData().valida());
}

TEST(DbValor, Igualdade)
{
    EXPECT_EQ(Valor::inteiro(3), Valor::decimal(30000, 4));     // numerically
    EXPECT_EQ(Valor::decimal(30, 1), Valor::decimal(3000, 3));
    EXPECT_EQ(Valor::inteiro(0), Valor::texto("0"));              // by text
    EXPECT_EQ(Valor::texto("211203"), Valor::texto("211203"));
    EXPECT_EQ(Valor(), Valor());
    EXPECT_FALSE(Valor::texto("03") == Valor::texto("3"));
    EXPECT_FALSE(Valor::texto("3") == Valor::inteiro(4));
    EXPECT_FALSE(Valor() == Valor::texto(""));
    EXPECT_FALSE(Valor::decimal(12345, 4) == Valor::decimal(12346, 4));
}
