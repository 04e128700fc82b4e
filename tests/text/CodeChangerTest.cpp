#include "CodeChanger.h"
#include "TextTestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr std::array kEightBit = {ctOem, ctWin1251, ctKoi8R, ctIso, ctMac};
constexpr std::array kAll = {ctOem, ctWin1251, ctKoi8R, ctIso, ctUtf16, ctMac};

// The 66 letters (А..Я, а..я, Ё, ё) as each encoding writes them; all but the Mac table from iconv.
std::string letters(TCodeTable table)
{
    switch (table) {
    case ctOem: return expectedData("letters.CP866");
    case ctWin1251: return expectedData("letters.CP1251");
    case ctKoi8R: return expectedData("letters.KOI8-R");
    case ctIso: return expectedData("letters.ISO-8859-5");
    case ctUtf16: return expectedData("letters.UTF-16");
    case ctMac: {
        std::string mac = expectedData("letters.CP866");
        mac[32] = '\xFF'; // а
        mac[33] = '\xF0'; // б
        mac[64] = '\xFC'; // Ё
        return mac;
    }
    }
    return {};
}

int numeroByte(TCodeTable table)
{
    switch (table) {
    case ctOem: return static_cast<unsigned char>(expectedData("numero.CP866").at(0));
    case ctWin1251: return static_cast<unsigned char>(expectedData("numero.CP1251").at(0));
    case ctIso: return static_cast<unsigned char>(expectedData("numero.ISO-8859-5").at(0));
    default: return -1;
    }
}

struct Result {
    bool changed;
    std::string text;
};

Result convert(TCodeTable from, TCodeTable to, std::string text)
{
    TCodeChanger changer;
    changer.SetSourceCode(from);
    changer.SetDestCode(to);
    const bool changed = changer.Change(text);
    return {changed, text};
}

std::string utf16(std::u16string_view units, bool withMark = true)
{
    std::string out = withMark ? bytes({0xFF, 0xFE}) : std::string();
    for (const char16_t u : units) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

TEST(CodeChanger, EveryOrderedPairMovesTheLettersToThePublishedBytes)
{
    for (const TCodeTable from : kAll)
        for (const TCodeTable to : kAll) {
            if (from == to)
                continue;
            SCOPED_TRACE(testing::Message() << "from " << int(from) << " to " << int(to));
            const Result r = convert(from, to, letters(from));
            EXPECT_TRUE(r.changed);
            EXPECT_EQ(r.text, letters(to));
        }
}

// Between 8-bit tables only the letters and the numero sign move; every other byte keeps its value,
// whatever it means on either side.
TEST(CodeChanger, EightBitPairsLeaveEveryOtherByteAlone)
{
    const auto hasNumero = [](TCodeTable t) { return t == ctOem || t == ctWin1251 || t == ctIso; };
    const std::string all = byteRange(0, 255);
    for (const TCodeTable from : kEightBit)
        for (const TCodeTable to : kEightBit) {
            if (from == to)
                continue;
            SCOPED_TRACE(testing::Message() << "from " << int(from) << " to " << int(to));
            std::string expected = all;
            const std::string source = letters(from), dest = letters(to);
            for (std::size_t i = 0; i < source.size(); ++i)
                expected[static_cast<unsigned char>(source[i])] = dest[i];
            if (hasNumero(from) && hasNumero(to))
                expected[numeroByte(from)] = static_cast<char>(numeroByte(to));
            else if (hasNumero(from) && to == ctKoi8R)
                expected[numeroByte(from)] = 'N';
            else if (from == ctKoi8R && (to == ctOem || to == ctIso))
                expected['N'] = static_cast<char>(numeroByte(to));
            EXPECT_EQ(convert(from, to, all).text, expected);
        }
}

struct Case {
    const char *name;
    TCodeTable from;
    TCodeTable to;
    std::string input;
    std::string expected;
};

TEST(CodeChanger, NumeroSignAndOddBytes)
{
    const std::string yolkaDos = bytes({0xF0, 0xAB, 0xAA, 0xA0});
    const Case cases[] = {
        {"win to dos keeps the numero sign", ctWin1251, ctOem, w("Ёлка №1"), yolkaDos + " " + bytes({0xFC}) + "1"},
        {"and back", ctOem, ctWin1251, yolkaDos + " " + bytes({0xFC}) + "1", w("Ёлка №1")},
        {"numero to koi8-r is N", ctWin1251, ctKoi8R, w("№"), "N"},
        {"koi8-r N stays N for win", ctKoi8R, ctWin1251, "N", "N"},
        {"koi8-r to dos turns every N", ctKoi8R, ctOem, "No NATO", bytes({0xFC}) + "o " + bytes({0xFC}) + "ATO"},
        {"koi8-r to iso turns every N", ctKoi8R, ctIso, "N", bytes({0xF0})},
        {"koi8-r to mac keeps N", ctKoi8R, ctMac, "N", "N"},
        {"win numero to mac is an ordinary byte", ctWin1251, ctMac, w("№"), w("№")},
        {"« is a plain byte, л in 866", ctWin1251, ctOem, w("«"), bytes({0xAB})},
        {"Ukrainian і stays", ctWin1251, ctOem, w("і"), w("і")},
        {"аб to mac", ctWin1251, ctMac, w("аб"), bytes({0xFF, 0xF0})},
        {"аб from mac", ctMac, ctWin1251, bytes({0xFF, 0xF0}), w("аб")},
        {"dos numero to mac stays FC (Ё there)", ctOem, ctMac, bytes({0xFC}), bytes({0xFC})},
        {"mac FC is Ё", ctMac, ctWin1251, bytes({0xFC}), w("Ё")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = convert(c.from, c.to, c.input);
        EXPECT_TRUE(r.changed);
        EXPECT_EQ(r.text, c.expected);
    }
}

TEST(CodeChanger, DosAndMacDifferInThreeBytesEachWay)
{
    const std::string all = byteRange(0, 255);
    const auto changedBytes = [&](TCodeTable from, TCodeTable to) {
        const std::string out = convert(from, to, all).text;
        std::string changes;
        for (unsigned b = 0; b < 256; ++b)
            if (out[b] != all[b])
                changes += bytes({b, static_cast<unsigned char>(out[b])});
        return changes;
    };
    EXPECT_EQ(changedBytes(ctOem, ctMac), bytes({0xA0, 0xFF, 0xA1, 0xF0, 0xF0, 0xFC}));
    EXPECT_EQ(changedBytes(ctMac, ctOem), bytes({0xF0, 0xA1, 0xFC, 0xF0, 0xFF, 0xA0}));
}

TEST(CodeChanger, Utf16BothWays)
{
    const Case cases[] = {
        {"Я", ctWin1251, ctUtf16, w("Я"), bytes({0xFF, 0xFE, 0x2F, 0x04})},
        {"empty text is the mark alone", ctWin1251, ctUtf16, "", bytes({0xFF, 0xFE})},
        {"koi8-r N is U+004E", ctKoi8R, ctUtf16, "N", utf16(u"N")},
        {"control characters keep their value", ctOem, ctUtf16, "\t\r\n\x01", utf16(u"\t\r\n\x01")},
        {"numero from dos", ctOem, ctUtf16, bytes({0xFC}), utf16(u"№")},
        {"win « is «", ctWin1251, ctUtf16, w("«»"), utf16(u"«»")},
        {"back to Я", ctUtf16, ctWin1251, bytes({0xFF, 0xFE, 0x2F, 0x04}), w("Я")},
        {"no mark: the first unit is dropped", ctUtf16, ctWin1251, bytes({0x2F, 0x04, 0x30, 0x04}), w("а")},
        {"big-endian mark is still read low byte first", ctUtf16, ctWin1251, bytes({0xFE, 0xFF, 0x2F, 0x04}), w("Я")},
        {"ASCII", ctUtf16, ctWin1251, utf16(u"HELLO 'x'"), "HELLO 'x'"},
        {"numero to dos", ctUtf16, ctOem, utf16(u"№"), bytes({0xFC})},
        {"numero to win", ctUtf16, ctWin1251, utf16(u"№"), bytes({0xB9})},
        {"numero to iso", ctUtf16, ctIso, utf16(u"№"), bytes({0xF0})},
        {"numero to koi8-r is N", ctUtf16, ctKoi8R, utf16(u"№"), "N"},
        {"numero to mac is FC", ctUtf16, ctMac, utf16(u"№"), bytes({0xFC})},
        {"a unit no table holds is a question mark", ctUtf16, ctWin1251, utf16(u"a中b"), "a?b"},
        {"each surrogate is one unit", ctUtf16, ctKoi8R, utf16(u"\U0001F600"), "??"},
        {"non-letters of the target table", ctUtf16, ctKoi8R, utf16(u"═©"), bytes({0xA0, 0xBF})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = convert(c.from, c.to, c.input);
        EXPECT_TRUE(r.changed);
        EXPECT_EQ(r.text, c.expected);
    }
}

TEST(CodeChanger, Utf16WithoutABodyFailsAndLeavesTheText)
{
    const std::string inputs[] = {"", bytes({0xFF}), bytes({0xFF, 0xFE}), bytes({0xFF, 0xFE, 0x2F}),
                                  bytes({0xFF, 0xFE, 0x2F, 0x04, 0x30})};
    for (const TCodeTable to : kEightBit)
        for (const std::string &input : inputs) {
            const Result r = convert(ctUtf16, to, input);
            EXPECT_FALSE(r.changed);
            EXPECT_EQ(r.text, input);
        }
}

// The converter reads every byte of the three tables beside Windows-1251 as the published code page.
TEST(CodeChanger, UpperHalvesDecodeAsPublished)
{
    const std::string upper = byteRange(0x80, 0xFF);
    EXPECT_EQ(convert(ctOem, ctUtf16, upper).text, expectedData("upper-half.CP866.UTF-16"));
    EXPECT_EQ(convert(ctKoi8R, ctUtf16, upper).text, expectedData("upper-half.KOI8-R.UTF-16"));
    EXPECT_EQ(convert(ctIso, ctUtf16, upper).text, expectedData("upper-half.ISO-8859-5.UTF-16"));
}

TEST(CodeChanger, EveryByteSurvivesARoundTripThroughUtf16)
{
    const std::string all = byteRange(0, 255);
    for (const TCodeTable table : kEightBit) {
        SCOPED_TRACE(int(table));
        std::string expected = all;
        if (table == ctMac) // the two places а and б left behind hold nothing
            expected[0xA0] = expected[0xA1] = '?';
        const Result there = convert(table, ctUtf16, all);
        EXPECT_EQ(convert(ctUtf16, table, there.text).text, expected);
    }
}

TEST(CodeChanger, EqualEncodingsChangeNothing)
{
    TCodeChanger changer; // as the main window stores it: DOS to DOS
    std::string text = w("Ёлка");
    EXPECT_FALSE(changer.Change(text));
    EXPECT_EQ(text, w("Ёлка"));
    for (const TCodeTable table : kAll) {
        const Result r = convert(table, table, w("Ёлка"));
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(r.text, w("Ёлка"));
    }
}

TEST(CodeChanger, ValuesPastUtf16SelectTheMacTable)
{
    const auto outOfRange = static_cast<TCodeTable>(9);
    TCodeChanger changer;
    changer.SetSourceCode(outOfRange);
    changer.SetDestCode(ctWin1251);
    EXPECT_EQ(changer.SourceCode(), outOfRange);
    std::string text = bytes({0xFF, 0xF0});
    EXPECT_TRUE(changer.Change(text));
    EXPECT_EQ(text, w("аб"));

    changer.SetDestCode(ctMac); // the same table on both sides now
    EXPECT_FALSE(changer.Change(text));
}

} // namespace
