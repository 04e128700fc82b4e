// The compile-time Windows-1251 literals and conversions of the plug-in kit agree with the
// editor's own code-page table.
#include "Cp1251.h"
#include "TavlenPluginCpp.h"

#include <gtest/gtest.h>

using namespace tavlen::literals;

namespace {

static_assert("Ёё№ AZ"_cp1251 == std::array<char, 7>{'\xA8', '\xB8', '\xB9', ' ', 'A', 'Z', '\0'});
static_assert("АЯая"_cp1251 == std::array<char, 5>{'\xC0', '\xDF', '\xE0', '\xFF', '\0'});
static_assert(""_cp1251 == std::array<char, 1>{'\0'});

TEST(Cp1251LiteralTest, EveryByteMeansWhatTheEditorsTableSays)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(tavlen::cp1251::toUnicode(static_cast<unsigned char>(b)),
                  cp1251::toUnicode(static_cast<unsigned char>(b)))
            << "byte " << b;
}

TEST(Cp1251LiteralTest, Utf8RoundTripKeepsEveryByte)
{
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += static_cast<char>(b);
    EXPECT_EQ(tavlen::cp1251::fromUtf8(tavlen::cp1251::toUtf8(everyByte)), everyByte);
}

TEST(Cp1251LiteralTest, RefusesWhatTheCodePageCannotHold)
{
    for (const std::string text : {"日本", "\xC3", "\xC0\x80", "a\xE2\x82", "\xF0\x9F\x98\x80", "\x80"})
        EXPECT_FALSE(tavlen::cp1251::fromUtf8(text)) << text;
}

} // namespace
