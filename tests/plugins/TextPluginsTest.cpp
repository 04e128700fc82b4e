// The four plug-ins that transform the selection, driven through HandleData of the built libraries.
#include "Cp1251.h"
#include "LoadedPlugin.h"
#include "Printable.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

std::string bytes(std::u16string_view text)
{
    return cp1251::encode(text);
}

struct Transform {
    const char *library;
    std::string selection;
    std::string expected;
};

std::ostream &operator<<(std::ostream &out, const Transform &t)
{
    return out << t.library << " on " << printable(t.selection);
}

const Transform kTransforms[] = {
    // Tags upper-cased inside, text between them and comments left alone.
    {"capmark", "no tags here", "no tags here"},
    {"capmark", "<b>bold</b> text", "<B>bold</B> text"},
    {"capmark", "<a href=\"x.html\">Link</a>", "<A HREF=\"X.HTML\">Link</A>"},
    {"capmark", "<!-- <b>kept</b> -->after<i>", "<!-- <b>kept</b> -->after<I>"},
    {"capmark", "<!-->x<p>", "<!-->x<P>"},
    {"capmark", "<p>a < b and c", "<P>a < b and c"},
    {"capmark", "<p>text<!-- never closed <b>", "<P>text<!-- never closed <b>"},
    {"capmark", "<br\r\n/>x", "<BR\r\n/>x"},
    {"capmark", bytes(u"<b класс=\"я\">ы</b>"), bytes(u"<B класс=\"я\">ы</B>")},
    // Entities and a <br /> in front of every CR; each input byte is looked at once.
    {"escaper", "plain text", "plain text"},
    {"escaper", "a & b < c > d", "a &amp; b &lt; c &gt; d"},
    {"escaper", "line1\r\nline2", "line1<br />\r\nline2"},
    {"escaper", "line\r\n\r\n", "line<br />\r\n<br />\r\n"},
    {"escaper", "&amp; <br />", "&amp;amp; &lt;br /&gt;"},
    {"escaper", "\"q\" 'a'\nb", "\"q\" 'a'\nb"},
    // Only the plain space goes.
    {"squeeze", "a b  c ", "abc"},
    {"squeeze", "   ", ""},
    {"squeeze", "a\tb\r\nc\xA0" "d", "a\tb\r\nc\xA0" "d"},
    // Byte-wise reversal: CR LF comes back as LF CR.
    {"mirror", "abc", "cba"},
    {"mirror", "ab\r\ncd", "dc\n\rba"},
    {"mirror", bytes(u"Привет"), bytes(u"тевирП")},
};

class TransformTest : public testing::TestWithParam<Transform> {};

TEST_P(TransformTest, ReturnsTheTransformedSelection)
{
    const Transform &t = GetParam();
    const LoadedPlugin plugin(deliveredPluginPath(t.library));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handle(t.selection, "the whole document");
    EXPECT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
    EXPECT_EQ(outcome.selection, t.expected);
    EXPECT_TRUE(outcome.documentUntouched);
    EXPECT_FALSE(outcome.error);
}

INSTANTIATE_TEST_SUITE_P(Plugins, TransformTest, testing::ValuesIn(kTransforms));

struct EmptySelection {
    const char *library;
    std::string error;
};

std::ostream &operator<<(std::ostream &out, const EmptySelection &e)
{
    return out << e.library;
}

const EmptySelection kEmptySelection[] = {
    {"capmark", "Please select text!"},
    {"escaper", bytes(u"Для выполнения необходимо выделить текст!")},
    {"squeeze", "Unknown error!"},
    {"mirror", bytes(u"Для выполнения необходимо выделить текст!")},
    {"launch", bytes(u"Для выполнения необходимо выделить текст!")},
};

class EmptySelectionTest : public testing::TestWithParam<EmptySelection> {};

TEST_P(EmptySelectionTest, FailsWithItsMessage)
{
    const LoadedPlugin plugin(deliveredPluginPath(GetParam().library));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handle("", "document");
    EXPECT_EQ(outcome.result, TAVLEN_FAILED);
    EXPECT_EQ(outcome.error, GetParam().error);
    EXPECT_TRUE(outcome.selectionUntouched);
    EXPECT_TRUE(outcome.documentUntouched);
}

TEST_P(EmptySelectionTest, TakesANullSelectionAsTheEmptyText)
{
    const LoadedPlugin plugin(deliveredPluginPath(GetParam().library));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handleNullSelection();
    EXPECT_EQ(outcome.result, TAVLEN_FAILED);
    EXPECT_EQ(outcome.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Plugins, EmptySelectionTest, testing::ValuesIn(kEmptySelection),
                         [](const auto &info) { return std::string(info.param.library); });

TEST(MirrorTest, TwiceGivesBackTheSelection)
{
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += static_cast<char>(b);
    std::string text = everyByte;
    for (int round = 0; round < 2; ++round) {
        const LoadedPlugin plugin(deliveredPluginPath("mirror"));
        ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
        text = plugin.handle(text).selection;
    }
    EXPECT_EQ(text, everyByte);
}

TEST(TextPluginTest, ReadsTheSelectionUpToItsFirstZeroByte)
{
    // The selection reaches the plug-in cut at its first zero byte, as every text at the boundary.
    const LoadedPlugin plugin(deliveredPluginPath("mirror"));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    EXPECT_EQ(plugin.handle(std::string("ab\0cd", 5)).selection, "ba");
}

} // namespace
