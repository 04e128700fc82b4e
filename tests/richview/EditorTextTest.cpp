#include "TRichViewEdit.h"

#include <QTextBlock>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

QStringList paragraphs(const TRichViewEdit &ed)
{
    QStringList out;
    for (QTextBlock b = ed.document()->begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

void selectRange(TRichViewEdit &ed, int from, int to)
{
    QTextCursor c(ed.document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    ed.setTextCursor(c);
}

} // namespace

TEST(InsertText, EveryBreakKindStartsAParagraph)
{
    struct Case {
        std::string text;
        QStringList expected;
    } cases[] = {
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\fb", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\r\n", {"a", ""}},
        {"\xcf\xf0\xe8\xe2\xe5\xf2", {QString::fromUtf8("Привет")}},
    };
    for (const Case &c : cases) {
        TRichViewEdit ed;
        ed.insertText(c.text);
        EXPECT_EQ(paragraphs(ed), c.expected) << c.text;
    }
}

TEST(InsertText, ReplacesTheSelectionAsOneUndoStep)
{
    TRichViewEdit ed;
    ed.insertText("hello world");
    selectRange(ed, 6, 11);
    ed.insertText("there\r\nand more");
    EXPECT_EQ(paragraphs(ed), (QStringList{"hello there", "and more"}));
    ed.undo();
    EXPECT_EQ(paragraphs(ed), (QStringList{"hello world"}));
}

TEST(InsertText, NothingForEmptyTextOrReadOnlyDocument)
{
    TRichViewEdit ed;
    ed.insertText("");
    EXPECT_FALSE(ed.isModified());
    ed.setReadOnly(true);
    ed.insertText("x");
    EXPECT_EQ(paragraphs(ed), (QStringList{""}));
}

TEST(InsertText, UsesTheCurrentTextStyle)
{
    TRichViewEdit ed;
    ed.applyTextStyle(1);
    ed.insertText("Title");
    const QTextFragment f = ed.document()->begin().begin().fragment();
    EXPECT_EQ(textStyleNo(f.charFormat()), 1);
    EXPECT_TRUE(f.charFormat().font().bold());
}

TEST(SelectedText, IsWindows1251WithCrLfBetweenParagraphs)
{
    TRichViewEdit ed;
    EXPECT_EQ(ed.getSelText(), "");
    ed.insertText("\xe0\xe1\r\nline 2\r\n");
    ed.selectAll();
    EXPECT_EQ(ed.getSelText(), "\xe0\xe1\r\nline 2\r\n");
    EXPECT_EQ(ed.getText(), "\xe0\xe1\r\nline 2\r\n");
    // Characters the code page lacks come out as "?".
    ed.clearDocument();
    ed.textCursor().insertText(QString::fromUtf8("a\u4e2db"));
    EXPECT_EQ(ed.getText(), "a?b");
}

TEST(EditorSelection, WordAndLineAtTheCaret)
{
    TRichViewEdit ed;
    ed.insertText("first line\r\nsecond line here");
    QTextCursor c(ed.document());
    c.setPosition(14);
    ed.setTextCursor(c);
    ed.selectCurrentWord();
    EXPECT_EQ(ed.getSelText(), "second");
    ed.selectCurrentLine();
    EXPECT_EQ(ed.getSelText(), "second line here");
    ed.deselect();
    EXPECT_FALSE(ed.textCursor().hasSelection());
}

TEST(EditorSelection, ProtectedTextCannotBeDeleted)
{
    TRichViewEdit ed;
    ed.insertText("plain ");
    ed.applyTextStyle(6); // "Symbols" is protected from deletion
    ed.insertText("sym");
    ed.applyTextStyle(0);
    ed.insertText(" tail");
    EXPECT_TRUE(ed.canDelete()); // nothing selected
    selectRange(ed, 0, 3);
    EXPECT_TRUE(ed.canDelete());
    selectRange(ed, 4, 8);
    EXPECT_FALSE(ed.canDelete());
    ed.deleteSelection();
    EXPECT_EQ(ed.getText(), "plain sym tail");
}

TEST(EditorState, CaretLineColumnAndModifiedFlag)
{
    TRichViewEdit ed;
    ed.insertText("ab\r\ncde");
    int line = 0, col = 0;
    ed.caretLineCol(line, col);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(col, 4);
    EXPECT_TRUE(ed.isModified());
    ed.setModified(false);
    EXPECT_FALSE(ed.isModified());
    ed.clearUndo();
    EXPECT_FALSE(ed.document()->isUndoAvailable());
}

TEST(InsertText, BulkReplacementIsOneUndoStepToo)
{
    // Large enough for the editor's bulk path, which holds back the layout.
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "line of text \xe0\xe1\xe2 number " + std::to_string(i) + "\r\n";
    TRichViewEdit ed;
    ed.insertText("keep\r\nreplace me\r\nkeep too");
    selectRange(ed, 5, 15);
    ed.insertText(big);
    EXPECT_EQ(ed.getText(), "keep\r\n" + big + "\r\nkeep too");
    ed.undo();
    EXPECT_EQ(ed.getText(), "keep\r\nreplace me\r\nkeep too");
    ed.redo();
    EXPECT_EQ(ed.getText(), "keep\r\n" + big + "\r\nkeep too");
    ed.undo();
    ed.insertText("x"); // a new step drops the redo branch, bulk or not
    ed.redo();
    EXPECT_EQ(ed.getText().find(big), std::string::npos);
}

TEST(InPlaceReplacement, KeepsEachRunsFormattingAndForeignCharacters)
{
    TRichViewEdit ed;
    ed.insertText("plain ");
    ed.applyTextStyle(1); // bold heading style
    ed.insertText("bold");
    ed.applyTextStyle(0);
    ed.insertText("\r\n");
    ed.textCursor().insertText(QString::fromUtf8("x\u4e2dy")); // a character outside the code page
    ed.selectAll();
    const std::string before = ed.getSelText();
    ASSERT_EQ(before, "plain bold\r\nx?y");
    ASSERT_TRUE(ed.replaceSelectionInPlace(before, "PLAIN BOLD\r\nX!Y"));
    EXPECT_EQ(ed.document()->toPlainText(), QString::fromUtf8("PLAIN BOLD\nX\u4e2dY"));
    const QTextBlock first = ed.document()->begin();
    auto it = first.begin();
    EXPECT_EQ(it.fragment().text(), "PLAIN ");
    EXPECT_EQ(textStyleNo(it.fragment().charFormat()), 0);
    ++it;
    EXPECT_EQ(it.fragment().text(), "BOLD");
    EXPECT_EQ(textStyleNo(it.fragment().charFormat()), 1);
    EXPECT_FALSE(ed.textCursor().hasSelection());
    ed.undo();
    EXPECT_EQ(ed.document()->toPlainText(), QString::fromUtf8("plain bold\nx\u4e2dy"));
}

TEST(InPlaceReplacement, NoChangeMeansNoEditAndAMismatchIsRefused)
{
    TRichViewEdit ed;
    ed.insertText("same");
    ed.setModified(false);
    const int steps = ed.document()->availableUndoSteps();
    ed.selectAll();
    EXPECT_TRUE(ed.replaceSelectionInPlace("same", "same"));
    EXPECT_FALSE(ed.isModified());
    EXPECT_EQ(ed.document()->availableUndoSteps(), steps);
    EXPECT_FALSE(ed.replaceSelectionInPlace("sam", "SAM"));
    EXPECT_FALSE(ed.replaceSelectionInPlace("same", "SAMEX"));
    EXPECT_EQ(ed.getText(), "same");
}

TEST(SelectedText, TableCellsAreLinesOfTheirOwn)
{
    TRichViewEdit ed;
    ed.insertText("before");
    QTextCursor c = ed.textCursor();
    QTextTable *table = c.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("A1"));
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("B1"));
    EXPECT_EQ(ed.getText(), "before\r\nA1\r\nB1\r\n");
}
