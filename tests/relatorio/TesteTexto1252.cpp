#include <string>

#include <gtest/gtest.h>

#include "windows/relatorio/Texto1252.h"

TEST(Texto1252, ConverteAsDuasFaixasQueDiferemDoLatin1)
{
    const struct {
        std::string bytes;
        char16_t unicode;
    } casos[] = {
        {"\x80", u'\u20AC'}, {"\x92", u'\u2019'}, {"\x96", u'\u2013'}, {"\x9F", u'\u0178'},
        {"\x81", u'\u0081'},  // unassigned in Windows-1252: kept as its C1 code point
        {"\xA0", u'\u00A0'}, {"\xC7", u'\u00C7'}, {"\xE3", u'\u00E3'}, {"A", u'A'},
    };
    for (const auto& caso : casos) {
        const QString texto = ParaQString(caso.bytes);
        ASSERT_EQ(texto.size(), 1) << caso.bytes;
        EXPECT_EQ(texto.at(0).unicode(), caso.unicode) << int(static_cast<unsigned char>(caso.bytes[0]));
    }
}

TEST(Texto1252, TodoByteVoltaIgual)
{
    std::string todos;
    for (int b = 1; b < 256; ++b)
        todos.push_back(static_cast<char>(b));
    EXPECT_EQ(DeQString(ParaQString(todos)), todos);
}

TEST(Texto1252, CaractereForaDoWindows1252ViraUmaInterrogacao)
{
    // One '?' per character, also for one outside the BMP (two UTF-16 units).
    EXPECT_EQ(DeQString(QString::fromUtf8("a\u4E2Db\U0001F600c\u20AC")), "a?b?c\x80");
}
