#include "OrvelLines.h"
#include "TextTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string CRLF = "\r\n";

TEST(SortLines, LeastFirst)
{
    struct Case {
        const char *name;
        std::string input;
        std::string expected;
    } const cases[] = {
        {"a final break is added", "b\r\na", "a\r\nb\r\n"},
        {"case does not count; CR, LF, CR LF all end lines", "Beta\nalpha\rGamma", "alpha\r\nBeta\r\nGamma\r\n"},
        {"no break", "x", "x\r\n"},
        {"empty text", "", ""},
        {"a final break opens no empty line", "b\r\na\r\n", "a\r\nb\r\n"},
        {"empty lines stay and sort first", "x\r\n\r\ny", "\r\nx\r\ny\r\n"},
        {"LF CR is two breaks", "b\n\ra", "\r\na\r\nb\r\n"},
        {"Russian alphabet, not byte order", w("яблоко\r\nАпельсин\r\nбанан"), w("Апельсин\r\nбанан\r\nяблоко\r\n")},
        {"ё between е and ж", w("жук\r\nёж\r\nеда"), w("еда\r\nёж\r\nжук\r\n")},
        {"digits before letters", "b\r\n10\r\n9", "10\r\n9\r\nb\r\n"},
        {"digits, Latin, Cyrillic", w("привет\r\nZoo\r\n7\r\nabc"), w("7\r\nabc\r\nZoo\r\nпривет\r\n")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SortLines(c.input, soLeastFirst), c.expected) << c.name;
}

TEST(SortLines, GreatestFirst)
{
    EXPECT_EQ(SortLines("a\r\nc\r\nb", soGreatestFirst), "c\r\nb\r\na\r\n");
    EXPECT_EQ(SortLines(w("Б\r\nа\r\nв"), soGreatestFirst), w("в\r\nБ\r\nа\r\n"));
}

TEST(SortLines, KeepsLinesThatDifferOnlyInCaseTogether)
{
    const std::string out = SortLines("b\r\nA\r\nB\r\na\r\nc", soLeastFirst);
    ASSERT_EQ(out.size(), 15u);
    EXPECT_EQ(out.substr(0, 6) == "A\r\na\r\n" || out.substr(0, 6) == "a\r\nA\r\n", true) << out;
    EXPECT_EQ(out.substr(6, 6) == "B\r\nb\r\n" || out.substr(6, 6) == "b\r\nB\r\n", true) << out;
    EXPECT_EQ(out.substr(12), "c\r\n");
}

TEST(SortLines, LongLinesWithACommonBeginning)
{
    // Keys longer than the in-array prefix: the order is decided past the first eight key bytes.
    const std::string stem(40, 'x');
    EXPECT_EQ(SortLines(stem + "b\r\n" + stem + "a\r\n" + stem, soLeastFirst),
              stem + CRLF + stem + "a" + CRLF + stem + "b" + CRLF);
}

TEST(SortLines, KeysLongerThanTheirLines)
{
    // An ellipsis weighs more in a collation key than its one byte, so the keys outgrow the first
    // guess while an earlier key, whose end decides the order of the other two lines, is stored.
    std::string dots;
    for (int i = 0; i < 2000; ++i)
        dots += w("…");
    EXPECT_EQ(SortLines(w("яяяяяяяяяяяя\r\n") + dots + w("а\r\nяяяяяяяяяяяб"), soLeastFirst),
              dots + w("а\r\nяяяяяяяяяяяб\r\nяяяяяяяяяяяя\r\n"));
}

TEST(ConvertLineBreaks, AllThreeStyles)
{
    struct Case {
        std::string input;
        TLineBreakKind kind;
        std::string expected;
    } const cases[] = {
        {"a\nb\rc\r\n", lbDos, "a\r\nb\r\nc\r\n"},
        {"\n\r", lbDos, "\r\n\r\n"},
        {"a\r\n", lbDos, "a\r\n"},
        {"", lbDos, ""},
        {"a\r\nb\rc", lbUnix, "a\nb\rc"},
        {"\r\r\n\n", lbUnix, "\r\n\n"},
        {"a\r\nb\n", lbMac, "a\rb\n"},
        {"\r\n\r\n", lbMac, "\r\r"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConvertLineBreaks(c.input, c.kind), c.expected) << "kind " << c.kind;
}

TEST(ReplaceAllText, LeftToRightWithoutOverlap)
{
    struct Case {
        std::string text, pattern, replacement, expected;
    } const cases[] = {
        {"aaa", "aa", "b", "ba"},
        {"ab", "a", "aa", "aab"}, // a replacement is never scanned again
        {"abc", "", "x", "abc"},
        {"", "a", "x", ""},
        {"Abc abc", "abc", "x", "Abc x"},
        {"tail--", "--", "", "tail"},
        {"none", "xyz", "q", "none"},
        {"x.x.x", ".", "::", "x::x::x"},
        {"longer than the text", "longer than the text!", "", "longer than the text"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReplaceAllText(c.text, c.pattern, c.replacement), c.expected) << c.text << " / " << c.pattern;
}

} // namespace
