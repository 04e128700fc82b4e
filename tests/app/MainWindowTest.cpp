#include "MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTest>

TEST_F(MainWindowTest, StartsUnnamedAndEmpty)
{
    start();
    EXPECT_EQ(frm->windowTitle(), AppTitle);
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Tavlen v2.0"));
    for (int panel = 0; panel < 5; ++panel)
        EXPECT_EQ(frm->statusPanelText(panel), QString()) << panel;
    EXPECT_EQ(frm->editor()->getText(), "");
    EXPECT_FALSE(enabled("actSave"));
}

TEST_F(MainWindowTest, CommandLineDocumentIsLoadedAndNamed)
{
    const QString notes = write(QStringLiteral("notes.txt"), "first\r\nsecond");
    start({notes});
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("notes.txt - Tavlen v2.0"));
    EXPECT_EQ(frm->statusPanelText(1), QStringLiteral("notes.txt"));
    EXPECT_EQ(frm->statusPanelText(2), QStringLiteral("Times New Roman"));
    EXPECT_EQ(frm->statusPanelText(3), QStringLiteral("2"));
    EXPECT_EQ(frm->statusPanelText(4), QStringLiteral("12"));
    EXPECT_EQ(frm->editor()->getText(), "first\r\nsecond");
    EXPECT_FALSE(frm->editor()->isModified());
    EXPECT_FALSE(enabled("actSave"));
    type("x");
    EXPECT_TRUE(enabled("actSave"));
}

TEST_F(MainWindowTest, CommandLineUtf16AndUpperCaseExtension)
{
    write(QStringLiteral("u.txt"), QByteArray("\xFF\xFE\x2F\x04", 4));
    start({path(QStringLiteral("u.txt"))});
    EXPECT_EQ(frm->editor()->getText(), "\xdf");
    // A.RTF is not ".rtf": read as 8-bit text.
    write(QStringLiteral("A.RTF"), "{\\rtf1 x}");
    start({path(QStringLiteral("A.RTF"))});
    EXPECT_EQ(frm->editor()->getText(), "{\\rtf1 x}");
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("A.RTF - Tavlen v2.0"));
}

TEST_F(MainWindowTest, UnreadableCommandLineFileIsLoggedAndTheWindowStaysUsable)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));
    start({path(QStringLiteral("folder.txt"))});
    EXPECT_TRUE(log().contains(QLatin1String("Exception ELoadError in module"))) << log().toStdString();
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("folder.txt - Tavlen v2.0"));
    type("still works");
    EXPECT_EQ(frm->editor()->getText(), "still works");
}

TEST_F(MainWindowTest, MissingCommandLineFileGivesAnEmptyDocumentUnderThatName)
{
    start({path(QStringLiteral("new.txt"))});
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("new.txt - Tavlen v2.0"));
    EXPECT_EQ(log(), QString());
}

TEST_F(MainWindowTest, StatusPanelZeroIsAFifthOfTheWidthAndFollowsClicks)
{
    start();
    frm->resize(601, 400);
    frm->show();
    EXPECT_EQ(frm->findChildren<QLabel *>().size() >= 5, true);
    EXPECT_EQ(frm->statusBar()->findChildren<QLabel *>().at(0)->width(), frm->frameGeometry().width() / 6);
    type("ab\r\ncd");
    QTest::mouseClick(frm->editor()->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(frm->statusPanelText(0).startsWith(QLatin1String("Line: 1   Col: "))) << frm->statusPanelText(0).toStdString();
}

TEST_F(MainWindowTest, ProtectedSelectionDisablesDelete)
{
    start();
    type("plain ");
    frm->editor()->applyTextStyle(6);
    type("sym");
    EXPECT_TRUE(enabled("actDel"));
    frm->editor()->selectAll();
    EXPECT_FALSE(enabled("actDel"));
    EXPECT_FALSE(enabled("actDelAll"));
    frm->editor()->deselect();
    EXPECT_TRUE(enabled("actDel"));
}

TEST_F(MainWindowTest, EditCommands)
{
    start();
    type("one two\r\nthree");
    QTextCursor c = frm->editor()->textCursor();
    c.setPosition(1);
    frm->editor()->setTextCursor(c);
    run("actSelectCurWord");
    EXPECT_EQ(frm->editor()->getSelText(), "one");
    run("actSelectCurLine");
    EXPECT_EQ(frm->editor()->getSelText(), "one two");
    run("actDel");
    EXPECT_EQ(frm->editor()->getText(), "\r\nthree");
    run("actDelAll");
    EXPECT_EQ(frm->editor()->getText(), "");
    frm->editor()->undo(); // Delete All can be taken back
    EXPECT_EQ(frm->editor()->getText(), "\r\nthree");
    run("actClearUndo");
    EXPECT_FALSE(frm->editor()->document()->isUndoAvailable());
}

TEST_F(MainWindowTest, ReadOnlyFlipsTheEditorAndTheCheckMark)
{
    start();
    QAction *readOnly = frm->action(QStringLiteral("actReadOnly"));
    readOnly->trigger();
    EXPECT_TRUE(frm->editor()->isReadOnly());
    EXPECT_TRUE(readOnly->isChecked());
    type("ignored");
    EXPECT_EQ(frm->editor()->getText(), "");
    readOnly->trigger();
    EXPECT_FALSE(frm->editor()->isReadOnly());
    EXPECT_FALSE(readOnly->isChecked());
}

TEST_F(MainWindowTest, MinimisesIntoTheTrayAndBack)
{
    start();
    frm->show();
    EXPECT_FALSE(frm->trayIcon()->isVisible());
    frm->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_TRUE(frm->trayIcon()->isVisible());
    emit frm->trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(frm->isVisible());
    EXPECT_FALSE(frm->trayIcon()->isVisible());
}

TEST_F(MainWindowTest, ExitAsksAboutChangesThenEndsWithoutClosing)
{
    start();
    type("unsaved");
    ui.saveChangesAnswers = {SaveChangesAnswer::Cancel};
    run("actExit");
    EXPECT_EQ(quits, 0);
    ui.saveChangesAnswers = {SaveChangesAnswer::Discard};
    run("actExit");
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(ui.saveChangesQuestions, 2);
}

TEST_F(MainWindowTest, ClosingAsksAboutChanges)
{
    start();
    frm->show();
    type("unsaved");
    ui.saveChangesAnswers = {SaveChangesAnswer::Cancel};
    EXPECT_FALSE(frm->close());
    EXPECT_TRUE(frm->isVisible());
    ui.saveChangesAnswers = {SaveChangesAnswer::Discard};
    EXPECT_TRUE(frm->close());
}

TEST_F(MainWindowTest, MenusHoldTheCommands)
{
    start();
    QStringList menus;
    for (QAction *a : frm->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"File", "Edit", "View", "Format", "Case", "Convert", "Plugins", "Coding", "Info"}));
    QStringList file;
    for (QAction *a : frm->menuBar()->actions().at(0)->menu()->actions())
        file << a->text().section(QLatin1Char('\t'), 0, 0);
    EXPECT_EQ(file, (QStringList{"New", "Open", "", "Save", "Save As...", "Save Settings", "History", "", "Exit"}));
}

TEST_F(MainWindowTest, ShortcutsSeeCurrentEnabledStates)
{
    start();
    frm->show();
    QApplication::setActiveWindow(frm.get());
    frm->editor()->setFocus();
    QTest::keyClick(frm->editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui.saveDialogs, 0); // nothing to save: the key does nothing
    type("x");                    // no idle time passes before the next key
    QTest::keyClick(frm->editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui.saveDialogs, 1);
}

TEST_F(MainWindowTest, AnErrorInACommandIsLoggedAndTheWindowCarriesOn)
{
    start();
    QDir(dir.path()).mkdir(QStringLiteral("docs.txt"));
    ui.onOpen = ScriptedInteraction::choose(path(QStringLiteral("docs.txt")), 4);
    run("actOpen");
    EXPECT_EQ(log().count(QLatin1String("Exception ELoadError")), 1) << log().toStdString();
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("docs.txt - Tavlen v2.0"));
    type("ok");
    EXPECT_EQ(frm->editor()->getText(), "ok");
}
