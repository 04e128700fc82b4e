#include "HotKeys.h"

#include "IniFile.h"
#include "TestFiles.h"

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(HotKeysTest, OnlyKeysInTheFileChangeCoveredCommands)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Tavlen v2.0.ini"));
    putFile(file, "[HOTKEYS]\r\nMainFrmactSave=Alt+Shift+F9\r\nMainFrmactOpen=Hyper+Q\r\nMainFrmactNone=Ctrl+Q\r\n"
                  "MainFrmactUpperCase=Ctrl+U\r\n");
    const struct {
        const char *name, *builtIn, *expected;
        bool menuItemOnly;
    } rows[] = {
        {"actSave", "Ctrl+S", "Alt+Shift+F9", false},
        {"actOpen", "Ctrl+O", "", false},             // names no key: removed
        {"actNew", "Meta+N", "Meta+N", false},        // not in the file: the file's language could not write it
        {"actNone", "Ctrl+1", "Ctrl+1", false},       // not a covered command
        {"actUpperCase", "Shift+F1", "Shift+F1", true}, // a menu item only
    };
    std::vector<std::unique_ptr<QAction>> owned;
    std::vector<QAction *> actions;
    for (const auto &r : rows) {
        owned.push_back(std::make_unique<QAction>());
        owned.back()->setObjectName(QLatin1String(r.name));
        owned.back()->setShortcut(QKeySequence(QLatin1String(r.builtIn)));
        owned.back()->setProperty("menuItemOnly", r.menuItemOnly);
        actions.push_back(owned.back().get());
    }
    LoadHotKeys(TIniFile(file), QStringLiteral("MainFrm"), actions);
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(actions[i]->shortcut().toString(), QLatin1String(rows[i].expected)) << rows[i].name;
    EXPECT_EQ(hotkeyCommands().size(), 67);
    EXPECT_EQ(hotkeyCommands().front(), QStringLiteral("actNew"));
    EXPECT_EQ(hotkeyCommands().back(), QStringLiteral("actADDrBook"));
}

} // namespace
