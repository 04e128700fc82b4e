#include "OrvelCase.h"
#include "TextTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct Case {
    std::string input;
    std::string expected;
};

void expectAll(const std::function<std::string(const std::string &)> &transform, std::initializer_list<Case> cases)
{
    for (const Case &c : cases)
        EXPECT_EQ(transform(c.input), c.expected) << "input: " << c.input;
}

TEST(CaseTables, AreTheRussianAndLatinAlphabetsPairedByPosition)
{
    EXPECT_EQ(LowerLetters(), w("абвгдеёжзийклмнопрстуфхцчшщъыьэюяabcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(UpperLetters(), w("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯABCDEFGHIJKLMNOPQRSTUVWXYZ"));
}

TEST(CaseTables, TouchOnlyTheFiftyNineLetters)
{
    const std::string all = byteRange(0, 255);
    std::string lowered = all, raised = all;
    for (std::size_t i = 0; i < 59; ++i) {
        raised[static_cast<unsigned char>(LowerLetters()[i])] = UpperLetters()[i];
        lowered[static_cast<unsigned char>(UpperLetters()[i])] = LowerLetters()[i];
    }
    EXPECT_EQ(UpperCaseText(all), raised);
    EXPECT_EQ(LowerCaseText(all), lowered);
}

TEST(CaseChanges, UpperLowerInvert)
{
    expectAll(UpperCaseText, {{w("ёлка і Yes"), w("ЁЛКА і YES")}, {"", ""}});
    expectAll(LowerCaseText, {{w("ЁЛКА Ї"), w("ёлка Ї")}});
    expectAll(InvertCaseText, {{w("Привет, World!"), w("пРИВЕТ, wORLD!")}, {w("ёЁ"), w("Ёё")}});
}

TEST(CaseChanges, FirstUp)
{
    expectAll(FirstUpText, {
                               {"HELLO World", "Hello world"},
                               {" hello", " hello"},
                               {" HELLO", " hello"},
                               {w("ёж"), w("Ёж")},
                               {w("їжак"), w("їжак")}, // not in the tables
                               {"", ""},
                           });
}

TEST(CaseChanges, PhraseFirstUp)
{
    expectAll(PhraseFirstUpText, {
                                     {"one. two.  three", "One. Two.  Three"},
                                     {"end.", "End."},
                                     {"e.g. this", "E.G. This"},
                                     {"a..b", "A..b"},
                                     {"a...b", "A...B"},
                                     {"first.\r\nsecond", "First.\r\nsecond"},
                                     {"   ", "   "},
                                     {"", ""},
                                     {"  x. ", "  X. "},
                                     {"a. ONE", "A. ONE"}, // never lowers
                                     {w("ї. ґ"), w("Ї. Ґ")},
                                 });
}

TEST(CaseChanges, WordFirstUp)
{
    expectAll(WordFirstUpText, {
                                   {"  two  words", "  Two  Words"},
                                   {"one-two three", "One-two Three"},
                                   {"mcDONALD", "McDONALD"},
                                   {w("їжак і ґанок"), w("Їжак І Ґанок")},
                                   {"line\r\nnext", "Line\r\nnext"},
                                   {"tab\tnext", "Tab\tnext"},
                                   {" ", " "},
                                   {"", ""},
                               });
}

// The first-up functions use the code page's own case pairs, wider than the 59-letter tables.
TEST(CaseChanges, CodePageUpperCaseCoversEveryCyrillicLetterOfThePage)
{
    const std::string raisedLetters = w("abcdefghijklmnopqrstuvwxyzабвгдеёжзийклмнопрстуфхцчшщъыьэюяѓђљњќћџўіґєјѕї");
    const std::string partners = w("ABCDEFGHIJKLMNOPQRSTUVWXYZАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЃЂЉЊЌЋЏЎІҐЄЈЅЇ");
    for (unsigned b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const auto at = raisedLetters.find(one);
        const std::string expected = at == std::string::npos ? one : partners.substr(at, 1);
        EXPECT_EQ(WordFirstUpText(one), expected) << "byte " << b;
    }
}

// Long texts cross the word-at-a-time and chunk boundaries of the fast paths; the expected results
// come from the rules applied one character at a time.
class LongTextCase : public testing::Test
{
protected:
    static std::string longText()
    {
        const std::string pieces[] = {" ", "  ", ".", ". ", w("ёж"), "word", w("їжак"), "\r\n", w("Ёлка"), "a.b", "x"};
        std::string text;
        unsigned state = 12345;
        while (text.size() < 50000) {
            state = state * 1103515245u + 12345u;
            text += pieces[(state >> 16) % std::size(pieces)];
        }
        return text;
    }

    static char raised(char c) { return WordFirstUpText(std::string(1, c))[0]; }
};

TEST_F(LongTextCase, TableFunctionsMatchTheLetterTables)
{
    const std::string text = longText();
    std::string upper = text;
    for (char &c : upper) {
        const auto at = LowerLetters().find(c);
        if (at != std::string_view::npos)
            c = UpperLetters()[at];
    }
    EXPECT_EQ(UpperCaseText(text), upper);
}

TEST_F(LongTextCase, WordFirstUpRaisesEveryWordStart)
{
    const std::string text = longText();
    std::string expected = text;
    const std::size_t first = text.find_first_not_of(' ');
    expected[first] = raised(text[first]);
    for (std::size_t k = first; k + 1 < text.size(); ++k)
        if (text[k] == ' ' && text[k + 1] != ' ')
            expected[k + 1] = raised(text[k + 1]);
    EXPECT_EQ(WordFirstUpText(text), expected);
}

TEST_F(LongTextCase, PhraseFirstUpRaisesEveryPhraseStart)
{
    const std::string text = longText();
    std::string expected = text;
    std::size_t i = text.find_first_not_of(' ');
    expected[i] = raised(text[i]);
    while (i < text.size()) {
        if (text[i] != '.') {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < text.size() && text[j] == ' ')
            ++j;
        if (j == text.size())
            break;
        expected[j] = raised(text[j]);
        i = j + 1;
    }
    EXPECT_EQ(PhraseFirstUpText(text), expected);
}

TEST(RandomCase, IsRepeatableForOneSeedAndContinuesItsSequence)
{
    const std::string text(200, 'a');
    SeedTextRandom(7);
    const std::string first = RandomCaseText(text);
    const std::string second = RandomCaseText(text);
    EXPECT_NE(first, second);
    SeedTextRandom(7);
    EXPECT_EQ(RandomCaseText(text), first);
}

TEST(RandomCase, GivesEachLetterEitherCaseWhateverItWas)
{
    SeedTextRandom(12345);
    const std::size_t n = 20000;
    for (const std::string &letter : {std::string("a"), std::string("Z"), w("ё"), w("Я")}) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i)
            text += letter;
        const std::string out = RandomCaseText(text);
        const auto upper = static_cast<std::size_t>(std::count(out.begin(), out.end(), UpperCaseText(letter)[0]));
        const auto lower = static_cast<std::size_t>(std::count(out.begin(), out.end(), LowerCaseText(letter)[0]));
        EXPECT_EQ(upper + lower, n);
        EXPECT_GT(upper, n * 45 / 100);
        EXPECT_LT(upper, n * 55 / 100);
    }
}

TEST(RandomCase, LeavesEverythingButTheTableLettersAlone)
{
    SeedTextRandom(1);
    const std::string others = w("0123456789 .,!?-іїЇ\r\n");
    for (int round = 0; round < 20; ++round)
        EXPECT_EQ(RandomCaseText(others), others);
}

} // namespace
