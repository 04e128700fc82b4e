#include "MainWindowFixture.h"

#include <QDir>
#include <QSignalSpy>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

TEST_F(MainWindowTest, OpenChoosesTheFormatByFilter)
{
    start();
    const QByteArray utf16("\xFF\xFE\x2F\x04", 4);
    write(QStringLiteral("u.txt"), utf16);
    struct Case {
        int filter;
        std::string expected;
    } cases[] = {
        {4, "\xdf"},        // Text Files: the UTF-16 test decides
        {5, "\xdf"},        // All Files: likewise
    };
    for (const Case &c : cases) {
        ui.onOpen = ScriptedInteraction::choose(path(QStringLiteral("u.txt")), c.filter);
        run("actOpen");
        EXPECT_EQ(frm->editor()->getText(), c.expected) << c.filter;
        EXPECT_EQ(frm->windowTitle(), QStringLiteral("u.txt - Tavlen v2.0"));
        EXPECT_EQ(frm->statusPanelText(1), QStringLiteral("u.txt"));
        EXPECT_FALSE(frm->editor()->isModified());
    }
    // The filter decides, not the name: notes.txt through "RTF Files" is read as RTF.
    write(QStringLiteral("notes.txt"), "plain");
    ui.onOpen = ScriptedInteraction::choose(path(QStringLiteral("notes.txt")), 1);
    run("actOpen");
    EXPECT_NE(frm->editor()->getText(), "plain");
    EXPECT_TRUE(log().contains(QLatin1String("RTF"))) << log().toStdString();
}

TEST_F(MainWindowTest, OpenDialogRemembersFilterAndFolder)
{
    start();
    EXPECT_EQ(ui.openDialogs, 0);
    ui.onOpen = {};
    run("actOpen"); // cancelled: nothing changes
    EXPECT_EQ(frm->fileName(), QString());
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.requests[0].filterIndex, 1);
    EXPECT_EQ(ui.requests[0].folder, QDir(dir.path()).absolutePath() + QLatin1Char('/')); // the program's folder
    EXPECT_EQ(ui.requests[0].filters.size(), 5);
    EXPECT_EQ(ui.requests[0].filters[0], QStringLiteral("RTF Files (*.rtf)"));

    QDir(dir.path()).mkdir(QStringLiteral("docs"));
    write(QStringLiteral("docs/a.txt"), "a");
    ui.onOpen = ScriptedInteraction::choose(path(QStringLiteral("docs/a.txt")), 4);
    run("actOpen");
    run("actOpen");
    EXPECT_EQ(ui.requests.back().filterIndex, 4);
    EXPECT_EQ(ui.requests.back().folder, path(QStringLiteral("docs")));
}

TEST_F(MainWindowTest, SaveAsChangesTheExtensionByFilter)
{
    start();
    type("\xcf\xf0\xe8\xe2\xe5\xf2\r\nhello");
    struct Case {
        int filter;
        const char *typed;
        const char *written;
        QByteArray bytes;
    } cases[] = {
        {4, "memo.dat", "memo.txt", "\xcf\xf0\xe8\xe2\xe5\xf2\r\nhello"},
        {5, "wide", "wide.txt", QByteArray("\xFF\xFE\x1F\x04\x40\x04\x38\x04\x32\x04\x35\x04\x42\x04\r\0\n\0h\0e\0l\0l\0o\0", 28)},
        {6, "memo.RTF", "memo.RTF", "\xcf\xf0\xe8\xe2\xe5\xf2\r\nhello"},
    };
    for (const Case &c : cases) {
        type(" ");
        frm->editor()->undo();
        ui.onSave = ScriptedInteraction::choose(path(QLatin1String(c.typed)), c.filter);
        run("actSaveAs");
        EXPECT_EQ(read(QLatin1String(c.written)), c.bytes) << c.typed;
        EXPECT_EQ(frm->fileName(), path(QLatin1String(c.written)));
        EXPECT_EQ(frm->windowTitle(), QLatin1String(c.written) + QStringLiteral(" - Tavlen v2.0"));
        EXPECT_FALSE(frm->editor()->isModified());
    }
    // memo.RTF is not ".rtf": a later Save writes 8-bit text again.
    type("!");
    run("actSave");
    EXPECT_EQ(read(QStringLiteral("memo.RTF")), QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\r\nhello!"));
    EXPECT_FALSE(frm->editor()->isModified());
}

TEST_F(MainWindowTest, SaveWritesUtf16DocumentsBackAsEightBit)
{
    write(QStringLiteral("u.txt"), QByteArray("\xFF\xFE\x2F\x04", 4));
    start({path(QStringLiteral("u.txt"))});
    type("+");
    run("actSave");
    EXPECT_EQ(read(QStringLiteral("u.txt")), QByteArray("+\xdf"));
}

TEST_F(MainWindowTest, FailedSaveKeepsTheFlagTellsTheUserAndLeavesTheOldFile)
{
    QDir(dir.path()).mkdir(QStringLiteral("locked"));
    write(QStringLiteral("locked/doc.txt"), "old contents");
    start({path(QStringLiteral("locked/doc.txt"))});
    type(std::string(4096, 'x'));

    // No write permission on the folder, and for a superuser a file-size limit the new contents
    // exceed: either way the write fails.
    chmod(QFile::encodeName(path(QStringLiteral("locked"))).constData(), 0555);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    run("actSave");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    chmod(QFile::encodeName(path(QStringLiteral("locked"))).constData(), 0755);

    EXPECT_TRUE(frm->editor()->isModified());
    EXPECT_EQ(read(QStringLiteral("locked/doc.txt")), QByteArray("old contents"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].contains(path(QStringLiteral("locked/doc.txt"))));
    EXPECT_TRUE(log().contains(QLatin1String("Exception ESaveError"))) << log().toStdString();
    EXPECT_EQ(QDir(path(QStringLiteral("locked"))).entryList(QDir::Files), QStringList{"doc.txt"});
}

TEST_F(MainWindowTest, NewMakesTheDocumentUnnamedAfterAskingAboutChanges)
{
    const QString notes = write(QStringLiteral("notes.txt"), "keep me");
    start({notes});
    type("changed ");
    ui.saveChangesAnswers = {SaveChangesAnswer::Cancel};
    run("actNew");
    EXPECT_EQ(frm->editor()->getText(), "changed keep me");

    ui.saveChangesAnswers = {SaveChangesAnswer::Save};
    run("actNew");
    EXPECT_EQ(read(QStringLiteral("notes.txt")), QByteArray("changed keep me"));
    EXPECT_EQ(frm->editor()->getText(), "");
    EXPECT_EQ(frm->windowTitle(), AppTitle);
    EXPECT_EQ(frm->fileName(), QString());

    // Save now asks for a name instead of overwriting notes.txt.
    type("fresh");
    ui.onSave = {};
    run("actSave");
    EXPECT_EQ(ui.saveDialogs, 1);
    EXPECT_EQ(read(QStringLiteral("notes.txt")), QByteArray("changed keep me"));
}

TEST_F(MainWindowTest, DiscardingNeedsNoQuestionWhenNothingChanged)
{
    start();
    run("actNew");
    ui.onOpen = {};
    run("actOpen");
    EXPECT_EQ(ui.saveChangesQuestions, 0);
}

TEST_F(MainWindowTest, AutosaveHoldsBackWhileItsSaveAsDialogIsOpen)
{
    start();
    type("unnamed work");
    ui.onSave = [this](const FileDialogRequest &) {
        tick(); // a tick while the dialog is still showing
        return FileDialogResult{};           // cancelled
    };
    tick();
    EXPECT_EQ(ui.saveDialogs, 1);
    EXPECT_TRUE(frm->editor()->isModified());
    tick(); // the next tick asks again
    EXPECT_EQ(ui.saveDialogs, 2);

    ui.onSave = ScriptedInteraction::choose(path(QStringLiteral("auto.txt")), 4);
    tick();
    EXPECT_EQ(read(QStringLiteral("auto.txt")), QByteArray("unnamed work"));
    tick(); // nothing modified: nothing happens
    EXPECT_EQ(ui.saveDialogs, 3);
}
