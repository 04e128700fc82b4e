// The counts of the text-statistics plug-in and its message, without showing the box.
#include "Cp1251.h"
#include "Printable.h"
#include "TallyStatistics.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Counted {
    std::string text;
    std::size_t characters, withoutSpaces, words;
};

std::ostream &operator<<(std::ostream &out, const Counted &c)
{
    return out << printable(c.text);
}

class CountTextTest : public testing::TestWithParam<Counted> {};

TEST_P(CountTextTest, CountsBytesAndWords)
{
    const Counted &c = GetParam();
    const tally::TextStatistics s = tally::countText(c.text);
    EXPECT_EQ(s.characters, c.characters);
    EXPECT_EQ(s.charactersWithoutSpaces, c.withoutSpaces);
    EXPECT_EQ(s.words, c.words);
}

INSTANTIATE_TEST_SUITE_P(Tally, CountTextTest, testing::Values(
    Counted{"", 0, 0, 0},
    Counted{"word word", 9, 8, 2},
    Counted{"ab\r\ncd", 6, 6, 2},
    Counted{"ab\r\n\r\ncd", 8, 8, 3},     // the empty line's LF is a word of its own
    Counted{"one\ttwo\tthree", 13, 13, 1}, // tabs join words
    Counted{"  lead  trail  ", 15, 9, 2},
    Counted{"a\xA0" "b", 3, 3, 1},           // the no-break space is a character, not a space
    Counted{"end\r\n", 5, 5, 2}));

TEST(TallyMessageTest, JoinsItsThreeLinesWithLfCr)
{
    const std::string message = tally::statisticsMessage(tally::countText("word word"));
    EXPECT_EQ(message, cp1251::encode(u"Число знаков (всего): 9\n\r"
                                      u"Число знаков (без пробелов): 8\n\r"
                                      u"Число слов: 2"));
}

} // namespace
