#include "OrvelNumbers.h"

#include <gtest/gtest.h>

namespace {

TEST(IsNumberText, DigitSetsAfterAsciiUpperCasing)
{
    struct Case {
        std::string text;
        TNumberKind kind;
        bool expected;
    } const cases[] = {
        {"1aF", nkHex, true},      {"1g", nkHex, false},      {"-5", nkDecimal, false},
        {"1 000", nkDecimal, false}, {"", nkDecimal, true},    {"", nkHex, true},
        {"", nkBinary, true},      {"", nkOctal, true},       {"0123456789", nkDecimal, true},
        {"a", nkDecimal, false},   {"0110", nkBinary, true},  {"012", nkBinary, false},
        {"01234567", nkOctal, true}, {"8", nkOctal, false},   {"0x1F", nkHex, false},
        {"\xC0", nkHex, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsNumberText(c.text, c.kind), c.expected) << c.text << " kind " << c.kind;
}

TEST(FromDecimal, FullWidthWithoutLeadingZeros)
{
    struct Case {
        std::int32_t value;
        const char *bin, *hex, *oct;
    } const cases[] = {
        {0, "0", "0", "0"},
        {10, "1010", "a", "12"},
        {255, "11111111", "ff", "377"},
        {8, "1000", "8", "10"},
        {1073741824, "1000000000000000000000000000000", "40000000", "10000000000"},
        {268435456, "10000000000000000000000000000", "10000000", "2000000000"},
        {2147483647, "1111111111111111111111111111111", "7fffffff", "17777777777"},
        {-1, "11111111111111111111111111111111", "ffffffff", "37777777777"}, // the 32-bit pattern
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DecToBin(c.value), c.bin) << c.value;
        EXPECT_EQ(DecToHex(c.value), c.hex) << c.value;
        EXPECT_EQ(DecToOct(c.value), c.oct) << c.value;
    }
}

TEST(ToDecimal, WrapsAtThirtyTwoBits)
{
    struct Case {
        std::int32_t (*convert)(const std::string &);
        std::string text;
        std::int32_t expected;
    } const cases[] = {
        {HexToDec, "ff", 255},
        {HexToDec, "FF", 255},
        {HexToDec, "7fffffff", 2147483647},
        {HexToDec, "80000000", INT32_MIN},
        {HexToDec, "FFFFFFFF", -1},
        {HexToDec, "1FFFFFFFF", -1}, // past the full width only the last 32 bits count
        {HexToDec, "1g", 0},
        {HexToDec, "", 0},
        {BinToDec, "1010", 10},
        {BinToDec, "", 0},
        {BinToDec, std::string(32, '1'), -1},
        {BinToDec, "012", 0},
        {OctToDec, "777", 511},
        {OctToDec, "37777777777", -1},
        {OctToDec, "20000000000", INT32_MIN},
        {OctToDec, "18", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.convert(c.text), c.expected) << c.text;
}

TEST(BetweenBases, HexToBinAndBinToHex)
{
    struct Case {
        std::string (*convert)(const std::string &);
        std::string text, expected;
    } const cases[] = {
        {HexToBin, "A5", "10100101"}, {HexToBin, "0", "0000"},   {HexToBin, "1", "0001"},
        {HexToBin, "fF", "11111111"}, {HexToBin, "1g", "0"},     {HexToBin, "", ""},
        {BinToHex, "101", "5"},       {BinToHex, "11111111", "ff"}, {BinToHex, "0", "0"},
        {BinToHex, "00010000", "10"}, {BinToHex, "000000001", "001"}, {BinToHex, "0000", "0"},
        {BinToHex, "1010", "a"},      {BinToHex, "102", "0"},    {BinToHex, "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.convert(c.text), c.expected) << c.text;
}

TEST(StrToInt, AcceptsThirtyOneBitDecimalsAndNamesTheTextOtherwise)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("000123"), 123);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("00000000002147483647"), 2147483647);
    for (const std::string bad : {"", "2147483648", "99999999999999999999", "12a", "-1"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "no error for '" << bad << "'";
        } catch (const EConvertError &e) {
            EXPECT_EQ(std::string(e.what()), "'" + bad + "' is not a valid integer value");
        }
    }
}

TEST(StrToInt, QuotesOnlyTheBeginningOfAHugeText)
{
    const std::string huge(100000, '9');
    try {
        StrToInt(huge);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError &e) {
        const std::string message = e.what();
        EXPECT_LT(message.size(), 300u);
        EXPECT_EQ(message, "'" + std::string(256, '9') + "...' is not a valid integer value");
    }
}

} // namespace
