// The contract as every delivered plug-in keeps it: the three entry points, its caption and
// information texts, and a library that really goes away when the host releases it.
#include "Cp1251.h"
#include "LoadedPlugin.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct DeliveredPlugin {
    const char *library;
    std::u16string_view caption;
    std::u16string_view name;
    std::u16string_view version;
    std::u16string_view description;
};

const DeliveredPlugin kDelivered[] = {
    {"tally", u"Информация о тексте", u"Информация о тексте", u"1.0", u"Сообщает информацию о тексте"},
    {"capmark", u"Capmark Case", u"Capmark Case", u"1.0", u"All tags convert to upper case"},
    {"escaper", u"HTML в текст", u"Escaper", u"1.0",
     u"В выделенном тексте все символы '<' заменяются на &lt;,символы '>' на &gt; и символы '&' на "
     u"&amp;. В конце каждой строки вставляется <br />"},
    {"squeeze", u"Delete alle spaces", u"Delete spaces", u"1.0", u"It deletes alle spaces in text."},
    {"mirror", u"Перевёртыш", u"Перевёртыш", u"1.0", u"Выделенный текст записывается в обратном порядке"},
    {"herepath", u"Текущая директория", u"Текущая директория", u"1.0", u"Выдаёт адрес текущей папки"},
    {"ospath", u"Директория Windows", u"Директория Windows", u"1.0", u"Выдаёт адрес папки Windows"},
    {"corepath", u"System directory", u"Get system directory", u"1.0",
     u"Get system directory name and insert it to text"},
    {"scratchpath", u"Временная директория", u"Временная директория", u"1.0",
     u"Выдаёт адрес временной папки Windows"},
    {"launch", u"Быстрый вызов", u"Быстрый вызов", u"1.0",
     u"Вызов программ, сайтов и т.д. Выделите текст и включите плагин."},
    {"swatch", u"Вставить HTML цвет", u"SWATCH", u"1.1",
     u"Этот плагин вызывает стандартное диалоговое окно выбора цвета, а затем вставляет выбранный "
     u"цвет в RGB формате (#XXXXXX)!"},
};

class DeliveredPluginTest : public testing::TestWithParam<DeliveredPlugin> {};

TEST_P(DeliveredPluginTest, ExportsTheContractWithItsCaptionAndInformation)
{
    const DeliveredPlugin &expected = GetParam();
    const LoadedPlugin plugin(deliveredPluginPath(expected.library));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    EXPECT_TRUE(plugin.exports(TAVLEN_GET_MENU_CAPTION));
    EXPECT_TRUE(plugin.exports(TAVLEN_GET_PLUGIN_INFO));
    EXPECT_TRUE(plugin.exports(TAVLEN_HANDLE_DATA));

    EXPECT_EQ(cp1251::decode(plugin.caption()), expected.caption);

    const PluginInfoTexts info = plugin.info();
    EXPECT_EQ(info.result, TAVLEN_INFO_AVAILABLE);
    EXPECT_EQ(cp1251::decode(info.texts[0]), expected.name);
    EXPECT_EQ(cp1251::decode(info.texts[2]), expected.version);
    EXPECT_EQ(cp1251::decode(info.texts[5]), expected.description);
    for (const std::size_t who : {1, 3, 4}) // author, e-mail, home page
        EXPECT_FALSE(info.texts[who].empty()) << "information text " << who;
}

TEST_P(DeliveredPluginTest, IsUnloadedWhenTheHostReleasesIt)
{
    // One load per operation only holds if nothing pins the library (unique symbols would).
    const std::string path = deliveredPluginPath(GetParam().library);
    {
        const LoadedPlugin plugin(path);
        ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
        plugin.caption();
        ASSERT_TRUE(isLoaded(path));
    }
    EXPECT_FALSE(isLoaded(path));
}

INSTANTIATE_TEST_SUITE_P(Plugins, DeliveredPluginTest, testing::ValuesIn(kDelivered),
                         [](const auto &info) { return std::string(info.param.library); });

// The two plug-ins that show a window, loaded by a program that has no widget application.

TEST(TallyPluginTest, ChangesNothingWhenNoBoxCanBeShown)
{
    // This test program has no widget application, so the statistics box cannot appear; the
    // result is the one the box would have left: failure without a message, nothing touched.
    const LoadedPlugin plugin(deliveredPluginPath("tally"));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handle("two words", "doc");
    EXPECT_EQ(outcome.result, TAVLEN_FAILED);
    EXPECT_FALSE(outcome.error);
    EXPECT_TRUE(outcome.selectionUntouched);
    EXPECT_TRUE(outcome.documentUntouched);
}

TEST(SwatchPluginTest, WithoutADialogReportsACancelledChoice)
{
    const LoadedPlugin plugin(deliveredPluginPath("swatch"));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handle("selected", "doc");
    EXPECT_EQ(outcome.result, 5);
    EXPECT_TRUE(outcome.selectionUntouched);
    EXPECT_FALSE(outcome.error);
}

} // namespace
