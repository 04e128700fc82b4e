#include "OrvelLayout.h"
#include "TextTestSupport.h"

#include <gtest/gtest.h>

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

TEST(Layout, KeysOfBothLayoutsPairUp)
{
    EXPECT_EQ(LatToCyr(std::string(LatinKeys())), std::string(RussianKeys().substr(0, 64)));
    EXPECT_EQ(CyrToLat(std::string(RussianKeys())), std::string(LatinKeys()) + w("ёЁ"));
}

TEST(Layout, LatToCyr)
{
    expectAll(LatToCyr, {
                            {"ghbdtn", w("привет")},
                            {"Ghbdtn?", w("Привет?")},
                            {"`~1", "`~1"},
                            {"{}:\"<>", w("ХЪЖЭБЮ")},
                            {w("уже"), w("уже")},
                        });
}

TEST(Layout, CyrToLat)
{
    expectAll(CyrToLat, {
                            {w("привет"), "ghbdtn"},
                            {w("ёлка"), w("ё") + "krf"},
                            {w("ХЪЖЭБЮ"), "{}:\"<>"},
                            {"ghbdtn", "ghbdtn"},
                        });
}

TEST(Layout, SwapMapsEachCharacterOnce)
{
    expectAll(SwapLayout, {
                              {w("ghbdtn мир"), w("привет vbh")},
                              {w("ф"), "a"},
                              {"a", w("ф")},
                              {w("Ёё"), w("Ёё")},
                          });
}

TEST(Translit, TableOrderAndSharedForms)
{
    ASSERT_EQ(TranslitTable.size(), 66u);
    EXPECT_EQ(TranslitTable[0].cyrillic, w("а")[0]);
    EXPECT_EQ(TranslitTable[26].latin, "ch"); // щ
    EXPECT_EQ(TranslitTable[55].latin, "X");  // Х
    EXPECT_EQ(TranslitTable[65].cyrillic, w("Я")[0]);
}

TEST(Translit, WritesLatinForms)
{
    expectAll(Translit, {
                            {w("Щука и Хлеб"), "Chuka i Xleb"},
                            {w("объём"), "ob'yom"},
                            {w("Ёж, Жук, Юла, Ящик"), "Yozh, Zhuk, Yula, Yachik"},
                            {w("і № «»"), w("і № «»")},
                            {"", ""},
                        });
}

TEST(Detranslit, TwoLetterFormsFirstEarlierLettersWin)
{
    expectAll(Detranslit, {
                              {"Chuka", w("Чука")},
                              {"shchuka", w("шчука")},
                              {"yozh", w("ёж")},
                              {"Xleb", w("Хлеб")},
                              {"hleb", w("хлеб")},
                              {"YOLKA", w("ЙОЛКА")},
                              {"CH", w("Ц") + "H"},
                              {"ob'yom", w("объём")},
                              {"jqwx HJQW", w("jqwx HJQW")},
                              {"abc", w("абц")},
                              {"e E y Y", w("е Е й Й")},
                              {w("уже"), w("уже")},
                              {"", ""},
                          });
}

} // namespace
