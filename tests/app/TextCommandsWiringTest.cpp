#include "MainWindowFixture.h"

#include <QApplication>
#include <QTest>
#include <QTextBlock>

namespace {

const char *const kSelectionCommands[] = {
    "actUpperCase", "actLowerCase", "actRandomCase", "actInvertCase", "actFirstUp", "actEFFUp", "actEWFUp",
    "actConvert", "actRusLat", "actLatRus", "actWinDos", "actWinKoi8R", "actWinMac", "actWinISO", "actDosWin",
    "actKoi8RWin", "actMacWin", "actISOWin", "actTranslit", "actDetranslit", "actAutoCod",
};

} // namespace

class TextCommandsTest : public MainWindowTest
{
protected:
    void SetUp() override { start(); }
    void select(int from, int to)
    {
        QTextCursor c(frm->editor()->document());
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        frm->editor()->setTextCursor(c);
    }
    std::string text() const { return frm->editor()->getText(); }
};

TEST_F(TextCommandsTest, SelectionCommandsFollowTheSelection)
{
    type("some text");
    for (const char *name : kSelectionCommands)
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("actSortAsc"));
    EXPECT_TRUE(enabled("N48"));
    select(0, 4);
    for (const char *name : kSelectionCommands)
        EXPECT_TRUE(enabled(name)) << name;
}

TEST_F(TextCommandsTest, DisabledShortcutDoesNothing)
{
    frm->show();
    QApplication::setActiveWindow(frm.get());
    frm->editor()->setFocus();
    type("abc");
    QTest::keyClick(frm->editor(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(text(), "abc");
    select(0, 2);
    QTest::keyClick(frm->editor(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(text(), "ABc");
}

TEST_F(TextCommandsTest, UpperCaseKeepsFormattingAndUndoRestores)
{
    type("plain ");
    frm->editor()->applyTextStyle(1);
    type("\xe6\xe8\xf0\xed\xfb\xe9"); // "жирный" in the heading style
    select(0, 12);
    run("actUpperCase");
    EXPECT_EQ(text(), "PLAIN \xc6\xc8\xd0\xcd\xdb\xc9");
    auto it = frm->editor()->document()->begin().begin();
    ++it;
    EXPECT_EQ(textStyleNo(it.fragment().charFormat()), 1);
    EXPECT_TRUE(it.fragment().charFormat().font().bold());
    frm->editor()->undo();
    EXPECT_EQ(text(), "plain \xe6\xe8\xf0\xed\xfb\xe9");
}

TEST_F(TextCommandsTest, UnchangedResultLeavesTheDocumentAlone)
{
    type("ABC");
    frm->editor()->setModified(false);
    const int steps = frm->editor()->document()->availableUndoSteps();
    select(0, 3);
    run("actUpperCase");
    EXPECT_FALSE(frm->editor()->isModified());
    EXPECT_EQ(frm->editor()->document()->availableUndoSteps(), steps);
}

TEST_F(TextCommandsTest, CharactersOutsideTheCodePageSurvive)
{
    frm->editor()->textCursor().insertText(QString::fromUtf8("a\u4e2db \u043f\u0440\u0438"));
    frm->editor()->selectAll();
    run("actUpperCase");
    EXPECT_EQ(frm->editor()->document()->toPlainText(), QString::fromUtf8("A\u4e2dB \u041f\u0420\u0418"));
    frm->editor()->selectAll();
    run("actTranslit");
    EXPECT_EQ(frm->editor()->document()->toPlainText(), QString::fromUtf8("A\u4e2dB PRI"));

    frm->editor()->clearDocument();
    frm->editor()->textCursor().insertText(QString::fromUtf8("b\u4e2d\na\u03b1"));
    frm->editor()->selectAll();
    run("actSortDesc"); // least first
    EXPECT_EQ(frm->editor()->document()->toPlainText(), QString::fromUtf8("a\u03b1\nb\u4e2d\n"));
}

TEST_F(TextCommandsTest, AutoRepairsTheWholeDocumentAndClearsTheSelection)
{
    type("\xd0\xd2\xc9\xd7\xc5\xd4"); // "привет" written in KOI8-R, read as Windows-1251
    select(0, 1);
    run("actAutoCod");
    EXPECT_EQ(text(), "\xef\xf0\xe8\xe2\xe5\xf2");
    EXPECT_FALSE(frm->editor()->textCursor().hasSelection());
}

TEST_F(TextCommandsTest, SortCaptionsAndOrders)
{
    struct Case {
        const char *action;
        std::string expected;
    } cases[] = {
        {"actSortAsc", "c\r\nb\r\na\r\n"},
        {"actSortDesc", "a\r\nb\r\nc\r\n"},
    };
    for (const Case &c : cases) {
        frm->editor()->clearDocument();
        type("a\r\nc\r\nb");
        frm->editor()->selectAll();
        run(c.action);
        EXPECT_EQ(text(), c.expected) << c.action;
    }
}

TEST_F(TextCommandsTest, LineBreakCommandsWorkOnTheWholeDocument)
{
    type("one two\r\nthree");
    select(0, 3);
    run("actMacBreak");
    // Every CR starts a paragraph again: the text is the same, now plain.
    EXPECT_EQ(text(), "one two\r\nthree");
    EXPECT_FALSE(frm->editor()->textCursor().hasSelection());
}

TEST_F(TextCommandsTest, NumberConversions)
{
    run("N53"); // Binary > Decimal with nothing selected
    EXPECT_EQ(text(), "0");
    frm->editor()->clearDocument();
    run("N48"); // Decimal > Binary with nothing selected
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(log().contains(QLatin1String("Exception EConvertError"))) << log().toStdString();
    EXPECT_TRUE(log().contains(QLatin1String("'' is not a valid integer value."))) << log().toStdString();

    type("1g");
    frm->editor()->selectAll();
    run("N51"); // Heximal > Decimal: validation fails silently
    EXPECT_EQ(text(), "1g");

    frm->editor()->clearDocument();
    type("255");
    frm->editor()->selectAll();
    run("N49");
    EXPECT_EQ(text(), "ff");
}
