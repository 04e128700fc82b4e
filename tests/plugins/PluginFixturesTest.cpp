// The test plug-ins the host is driven through behave as their names say.
#include "LoadedPlugin.h"

#include <gtest/gtest.h>

namespace {

TEST(PluginFixturesTest, DocumentResultWrapsTheWholeText)
{
    const LoadedPlugin plugin(fixturePluginPath("document_result"));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handle("sel", "whole\r\ntext");
    EXPECT_EQ(outcome.result, TAVLEN_DOCUMENT_RESULT);
    EXPECT_EQ(outcome.document, "[whole\r\ntext]");
    EXPECT_TRUE(outcome.selectionUntouched);
}

TEST(PluginFixturesTest, NullSelectionReturnsANullPointer)
{
    const LoadedPlugin plugin(fixturePluginPath("null_selection"));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handle("sel", "doc");
    EXPECT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
    EXPECT_FALSE(outcome.selectionUntouched);
    EXPECT_EQ(outcome.selection, "");
}

TEST(PluginFixturesTest, TwoEntryPointsLacksGetPluginInfo)
{
    const LoadedPlugin plugin(fixturePluginPath("two_entry_points"));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    EXPECT_TRUE(plugin.exports(TAVLEN_GET_MENU_CAPTION));
    EXPECT_TRUE(plugin.exports(TAVLEN_HANDLE_DATA));
    EXPECT_FALSE(plugin.exports(TAVLEN_GET_PLUGIN_INFO));
}

TEST(PluginFixturesTest, ResultSevenSetsEveryTextAndReturnsSeven)
{
    const LoadedPlugin plugin(fixturePluginPath("result_seven"));
    ASSERT_TRUE(plugin.loaded()) << plugin.loadError();
    const HandleDataOutcome outcome = plugin.handle("sel", "doc");
    EXPECT_EQ(outcome.result, 7);
    EXPECT_FALSE(outcome.selectionUntouched);
    EXPECT_FALSE(outcome.documentUntouched);
    EXPECT_TRUE(outcome.error);
    EXPECT_EQ(plugin.info().result, 7);
}

} // namespace
