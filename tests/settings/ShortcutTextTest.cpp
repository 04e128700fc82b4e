#include "ShortcutText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QKeySequence keys(Qt::KeyboardModifiers modifiers, Qt::Key key)
{
    return QKeySequence(QKeyCombination(modifiers, key));
}

struct ReadCase {
    const char *text;
    QKeySequence shortcut;
};

TEST(ShortcutText, Reading)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const ReadCase cases[] = {
        {"Ctrl+W", keys(Qt::ControlModifier, Qt::Key_W)},
        {"ctrl+o", keys(Qt::ControlModifier, Qt::Key_O)},
        {"^S", keys(Qt::ControlModifier, Qt::Key_S)},
        {"Alt+Shift+F5", keys(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F5)},
        {"Ctrl+Ctrl+^S", keys(Qt::ControlModifier, Qt::Key_S)},
        {"sHiFt+^pgdn", keys(Qt::ShiftModifier | Qt::ControlModifier, Qt::Key_PageDown)},
        {"Ctrl+Alt+T", keys(Qt::ControlModifier | Qt::AltModifier, Qt::Key_T)},
        {"Del", keys(none, Qt::Key_Delete)},
        {"bksp", keys(none, Qt::Key_Backspace)},
        {"Enter", keys(none, Qt::Key_Return)},
        {"Shift+Space", keys(Qt::ShiftModifier, Qt::Key_Space)},
        {"F24", keys(none, Qt::Key_F24)},
        {"Ctrl+9", keys(Qt::ControlModifier, Qt::Key_9)},
        {"Ctrl+,", keys(Qt::ControlModifier, Qt::Key_Comma)},
        {"Ctrl++", keys(Qt::ControlModifier, Qt::Key_Plus)},
        {"Alt+Print", keys(Qt::AltModifier, Qt::Key_Print)},
        // No key named: no shortcut.
        {"", {}},
        {"Ctrl+", {}},
        {"Ctrl+Ctrl+", {}},
        {"^", {}},
        {"Shift", {}},
        {"Ctrl+Shift", {}},
        {"Ctrl S", {}},
        {"Ctrl+SS", {}},
        {"Return", {}}, // Qt's name, not the file's
        {"Delete", {}},
        {"Meta+S", {}},
        {"Ctrl+A, B", {}},
        {"S+Ctrl", {}},
        {"Ctrl+Nothing", {}},
    };
    for (const ReadCase &c : cases)
        EXPECT_EQ(textToShortcut(c.text), c.shortcut) << '"' << c.text << '"';
}

TEST(ShortcutText, Writing)
{
    EXPECT_EQ(shortcutToText(keys(Qt::ControlModifier, Qt::Key_S)), "Ctrl+S");
    EXPECT_EQ(shortcutToText(keys(Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Delete)),
              "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(shortcutToText(keys(Qt::AltModifier | Qt::ControlModifier, Qt::Key_Return)), "Ctrl+Alt+Enter");
    EXPECT_EQ(shortcutToText(keys(Qt::NoModifier, Qt::Key_Backspace)), "BkSp");
    EXPECT_EQ(shortcutToText(keys(Qt::NoModifier, Qt::Key_Escape)), "Esc");
    EXPECT_EQ(shortcutToText(QKeySequence()), "");
    EXPECT_EQ(shortcutToText(keys(Qt::MetaModifier, Qt::Key_S)), "");
    EXPECT_EQ(shortcutToText(keys(Qt::KeypadModifier, Qt::Key_5)), "");
    EXPECT_EQ(shortcutToText(QKeySequence(Qt::CTRL | Qt::Key_K, Qt::CTRL | Qt::Key_C)), "");
    EXPECT_EQ(shortcutToText(keys(Qt::ControlModifier, Qt::Key_Shift)), "");
}

TEST(ShortcutText, EveryListedKeyRoundTripsWithEveryModifierSet)
{
    std::vector<QString> names = {"BkSp", "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn", "End",
                                  "Home", "Left", "Up", "Right", "Down", "Ins", "Del"};
    for (char c = 'A'; c <= 'Z'; ++c)
        names.push_back(QString(QChar(c)));
    for (char c = '0'; c <= '9'; ++c)
        names.push_back(QString(QChar(c)));
    for (int f = 1; f <= 24; ++f)
        names.push_back("F" + QString::number(f));
    const char *const prefixes[] = {"", "Shift+", "Ctrl+", "Alt+", "Shift+Ctrl+", "Shift+Alt+", "Ctrl+Alt+",
                                    "Shift+Ctrl+Alt+"};
    for (const QString &name : names) {
        for (const char *prefix : prefixes) {
            const QString text = prefix + name;
            const QKeySequence shortcut = textToShortcut(text);
            ASSERT_FALSE(shortcut.isEmpty()) << text.toStdString();
            EXPECT_EQ(shortcutToText(shortcut), text);
            EXPECT_EQ(textToShortcut(text.toLower()), shortcut) << text.toStdString();
        }
    }
}

TEST(ShortcutText, HugeTextsAreHarmless)
{
    QString prefixes;
    for (int i = 0; i < 20000; ++i)
        prefixes += "Ctrl+";
    EXPECT_EQ(textToShortcut(prefixes + "S"), keys(Qt::ControlModifier, Qt::Key_S));
    EXPECT_TRUE(textToShortcut(QString(100000, 'x')).isEmpty());
    EXPECT_TRUE(textToShortcut(prefixes).isEmpty());
}

} // namespace
