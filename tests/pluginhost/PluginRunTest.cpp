// Running a plug-in from its menu entry: what each result does to the document, and the
// information box.
#include "HostFixture.h"

#include "TRichViewEdit.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

using PluginRun = HostFixture;
using Icon = PluginHost::Icon;

struct ResultCase {
    const char *what;
    QString library;
    QString caption;
    QString document;
    int selectionStart, selectionEnd;
    QString expected;
    std::vector<ShownMessage> messages;
};

TEST_F(PluginRun, EachResultChangesTheDocumentAsItSays)
{
    const QString probe = hostTestPlugin("probe");
    const QString mirrorError = QStringLiteral("Для выполнения необходимо выделить текст!");
    const ResultCase cases[] = {
        {"2 replaces the whole document", testPlugin("document_result"), "Document result", "ab\ncd", 1, 2,
         "[ab\ncd]", {}},
        {"1 with a null pointer removes the selection", testPlugin("null_selection"), "Null selection", "abcd", 1,
         3, "ad", {}},
        {"1 with a null pointer and no selection changes nothing", testPlugin("null_selection"), "Null selection",
         "abcd", 2, 2, "abcd", {}},
        {"1 puts the text in place of the selection", deliveredPlugin("mirror"), "Перевёртыш", "xab\ncdy", 1, 6,
         "xdc\nbay", {}},
        {"1 with nothing selected inserts at the caret", probe, "Проба", "abcd", 2, 2, "abinsertedcd", {}},
        {"a returned text ends at its first zero byte", probe, "Проба", "a zero b", 2, 6, "a cut b", {}},
        {"2 with a null pointer empties the document", probe, "Проба", "empty-doc\nmore", 0, 9, "", {}},
        {"0 shows the plug-in's message and changes nothing", deliveredPlugin("mirror"), "Перевёртыш", "abcd", 1, 1,
         "abcd", {{Icon::Error, "Tavlen v2.0", mirrorError}}},
        {"0 without a message shows nothing", probe, "Проба", "silent", 0, 6, "silent", {}},
        {"0 with an empty message shows nothing", probe, "Проба", "blank", 0, 5, "blank", {}},
        {"7 changes nothing and shows nothing", testPlugin("result_seven"), "Result seven", "abcd", 0, 4, "abcd", {}},
    };
    for (const ResultCase &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir(folder).removeRecursively());
        install(c.library, "plugin.so");
        host->RefreshPlugins();
        setDocument(c.document);
        select(c.selectionStart, c.selectionEnd);
        messages.clear();

        command(c.caption)->trigger();

        EXPECT_EQ(documentText(), c.expected);
        EXPECT_EQ(editor->document()->isUndoAvailable(), c.expected != c.document);
        EXPECT_EQ(messages, c.messages);
    }
}

TEST_F(PluginRun, AChangeIsOneUndoStep)
{
    install(testPlugin("document_result"), "document_result.so");
    host->RefreshPlugins();
    setDocument("one\ntwo");

    command("Document result")->trigger();
    ASSERT_EQ(documentText(), "[one\ntwo]");
    editor->undo();

    EXPECT_EQ(documentText(), "one\ntwo");
    EXPECT_FALSE(editor->document()->isUndoAvailable());
}

// The plug-in sees only an 8-bit copy of the text; handing that copy back unchanged must not
// replace the document's formatting or the characters the copy cannot carry.
TEST_F(PluginRun, GettingTheSameTextBackLeavesTheDocumentUntouched)
{
    const struct {
        const char *what;
        QString library;
        QString caption;
        QString selected;
    } cases[] = {
        {"selection result", deliveredPlugin("mirror"), "Перевёртыш", "a\u2713a"},
        {"selection result left as given", hostTestPlugin("probe"), "Проба", "keep \u2713"},
        {"document result left as given", hostTestPlugin("probe"), "Проба", "same-doc"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir(folder).removeRecursively());
        install(c.library, "plugin.so");
        host->RefreshPlugins();
        setDocument("x " + c.selected + " \u4e2d");
        QTextCursor bold = editor->textCursor();
        bold.setPosition(2);
        bold.setPosition(2 + int(c.selected.size()), QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        bold.mergeCharFormat(format);
        editor->setTextCursor(bold);
        editor->clearUndo();
        editor->setModified(false);

        command(c.caption)->trigger();

        EXPECT_EQ(documentText(), "x " + c.selected + " \u4e2d");
        EXPECT_EQ(editor->textCursor().selectedText(), c.selected);
        EXPECT_EQ(editor->textCursor().charFormat().fontWeight(), QFont::Bold);
        EXPECT_FALSE(editor->document()->isUndoAvailable());
        EXPECT_FALSE(editor->isModified());
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(PluginRun, ThePluginGetsItsOwnPathAndTheWholeTextWithCrLf)
{
    install(hostTestPlugin("probe"), "Sub Folder/probe.so");
    install(testPlugin("document_result"), "document_result.so");
    host->RefreshPlugins();

    setDocument("path");
    select(0, 4);
    command("Проба")->trigger();
    EXPECT_EQ(documentText(), pathInFolder("Sub Folder/probe.so"));

    setDocument("первая\n\nтретья");
    command("Document result")->trigger();
    EXPECT_EQ(documentText(), "[первая\n\nтретья]");
}

TEST_F(PluginRun, TheInformationBoxShowsTheSixTextsSeparatedByLfCr)
{
    install(testPlugin("document_result"), "document_result.so");
    install(testPlugin("null_selection"), "null_selection.so");
    install(testPlugin("result_seven"), "result_seven.so");
    install(hostTestPlugin("probe"), "probe.so");
    host->RefreshPlugins();

    const struct {
        QString caption;
        std::vector<ShownMessage> shown;
    } cases[] = {
        {"Document result",
         {{Icon::Information, "About plugin",
           "Document result\n\rTavlen tests\n\r1.0\n\r\n\r\n\rReplaces the document by itself in square brackets"}}},
        {"Null selection",
         {{Icon::Information, "About plugin",
           "Null selection\n\rTavlen tests\n\r\n\r\n\r\n\rReturns 1 with a null selection text"}}},
        {"Проба",
         {{Icon::Information, "About plugin",
           "Проба хозяина\n\r\n\r2.5\n\r\n\rhttps://example.org/probe\n\rAnswers as its selection asks"}}},
        {"Result seven", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        messages.clear();
        information(c.caption)->trigger();
        EXPECT_EQ(messages, c.shown);
    }
}

} // namespace
