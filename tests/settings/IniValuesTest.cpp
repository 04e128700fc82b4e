#include "IniValues.h"

#include <gtest/gtest.h>

#include <optional>

using inivalue::parseColor;
using inivalue::parseInteger;

namespace {

struct IntegerCase {
    const char *text;
    std::optional<qint32> value;
};

TEST(IniValues, IntegerSpellings)
{
    const IntegerCase cases[] = {
        {"0", 0},
        {"00012", 12},
        {"-15", -15},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", qint32(-2147483647 - 1)},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0x2BF20", 180000},
        {"0X2bf20", 180000},
        {"$2BF20", 180000},
        {"0xFF00000C", -16777204},
        {"0xFFFFFFFF", -1},
        {"0x0000000000ff", 255},
        {"0x100000000", std::nullopt},
        {"0x", std::nullopt},
        {"0X", std::nullopt},
        {"$", std::nullopt},
        {"0xZZ", std::nullopt},
        {"0x1G", std::nullopt},
        {"-0x10", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"+5", std::nullopt},
        {"12a", std::nullopt},
        {"1e3", std::nullopt},
        {"1 2", std::nullopt},
        {"yes", std::nullopt},
    };
    for (const IntegerCase &c : cases)
        EXPECT_EQ(parseInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniValues, WrittenFormsReadBack)
{
    for (const qint32 v : {0, 1, -1, 180000, -16777204, 2147483647, qint32(-2147483647 - 1)})
        EXPECT_EQ(parseInteger(inivalue::integerText(v)), v);
    EXPECT_EQ(inivalue::boolText(true), "1");
    EXPECT_EQ(inivalue::boolText(false), "0");
}

struct ColorCase {
    const char *text;
    RVColor color;
};

TEST(IniValues, ColorSpellings)
{
    const ColorCase cases[] = {
        {"12632256", rvColor(192, 192, 192)},
        {"0x00C0C0C0", rvColor(192, 192, 192)},
        {"255", rvColor(255, 0, 0)},           // red sits in the low byte
        {"$FF0000", rvColor(0, 0, 255)},
        {"-16777204", rvsys::AppWorkspace},
        {"0xFF00000C", rvsys::AppWorkspace},
        {"-16777208", rvsys::WindowText},
        {"536870911", rvNoColor},
        {"0x1FFFFFFF", rvNoColor},
    };
    for (const ColorCase &c : cases) {
        const std::optional<RVColor> color = parseColor(c.text);
        ASSERT_TRUE(color) << c.text;
        EXPECT_EQ(*color, c.color) << c.text;
    }
    EXPECT_FALSE(parseColor("0x"));
    EXPECT_FALSE(parseColor("clRed"));
}

TEST(IniValues, StoredColorsResolveOnScreen)
{
    EXPECT_EQ(toQColor(*parseColor("255")), QColor(255, 0, 0));
    EXPECT_FALSE(toQColor(*parseColor("536870911")).isValid());
    EXPECT_TRUE(toQColor(*parseColor("-16777204")).isValid());
}

TEST(IniValues, NamesMatchWithoutRegardToCase)
{
    EXPECT_TRUE(inivalue::sameName("SETTINGS", "Settings"));
    // "Раздел" / "РАЗДЕЛ" and "ё" / "Ё" in Windows-1251.
    EXPECT_TRUE(inivalue::sameName("\xD0\xE0\xE7\xE4\xE5\xEB", "\xD0\xC0\xC7\xC4\xC5\xCB"));
    EXPECT_TRUE(inivalue::sameName("\xB8", "\xA8"));
    EXPECT_FALSE(inivalue::sameName("Ruler", "Rule"));
    EXPECT_FALSE(inivalue::sameName("File1", "File2"));
}

TEST(IniValues, TextKeepsEveryByteAndStaysOnOneLine)
{
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all += char(b);
    }
    EXPECT_EQ(inivalue::toIniText(inivalue::fromIniText(all)), all);
    EXPECT_EQ(inivalue::toIniText(QStringLiteral("a.rtf\n[EXPLORER]\nIntegrate=1")), "a.rtf");
    EXPECT_EQ(inivalue::toIniText(QStringLiteral("x\ry")), "x");
    EXPECT_EQ(inivalue::toIniText(QStringLiteral("\u4E2D")), "?");
}

TEST(IniValues, TrimmingCutsBlanksAndControls)
{
    EXPECT_EQ(inivalue::trimmed(" \t Ruler \r"), "Ruler");
    EXPECT_EQ(inivalue::trimmed(std::string_view("\0x\0", 3)), "x");
    EXPECT_EQ(inivalue::trimmed("   "), "");
    EXPECT_EQ(inivalue::trimmed("a b"), "a b");
}

} // namespace
