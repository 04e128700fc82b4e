// The recent-files list in the settings file and the History submenu that mirrors it.

#include "MainWindowFixture.h"

#include "IniFile.h"

#include <QDir>
#include <QMenu>

#include <algorithm>
#include <functional>

class RecentFilesTest : public MainWindowTest
{
protected:
    void open(const QString &name)
    {
        ui.onOpen = ScriptedInteraction::choose(name, 4);
        run("actOpen");
    }
    void addAll(const QStringList &names)
    {
        for (const QString &name : names)
            frm->AddToHistory(name);
    }
    // The list as the file holds it.
    QStringList stored() const
    {
        const TIniFile ini(dir.filePath(QStringLiteral("Tavlen.ini")));
        QStringList list;
        const int count = ini.ReadInteger(QStringLiteral("HISTORY"), QStringLiteral("Count"), 0);
        for (int i = 1; i <= count; ++i)
            list << ini.ReadString(QStringLiteral("HISTORY"), QStringLiteral("File%1").arg(i), QStringLiteral("?"));
        return list;
    }
    // The submenu's captions after "Clear History", the separator as "-".
    QStringList menu() const
    {
        QStringList captions;
        const QList<QAction *> items = frm->historyMenu()->actions();
        for (qsizetype i = 1; i < items.size(); ++i)
            captions << (items.at(i)->isSeparator() ? QStringLiteral("-") : items.at(i)->text());
        return captions;
    }
    static QStringList newestFirst(int from, int to)
    {
        QStringList names = numbered(from, to);
        std::reverse(names.begin(), names.end());
        return names;
    }
    static QStringList numbered(int from, int to)
    {
        QStringList names;
        for (int i = from; i <= to; ++i)
            names << QStringLiteral("f%1.txt").arg(i);
        return names;
    }
};

TEST_F(RecentFilesTest, ListKeepsTheNewestTenOnceEach)
{
    QString twelve = QStringLiteral("[HISTORY]\r\nCount=12\r\n");
    for (int i = 1; i <= 12; ++i)
        twelve += QStringLiteral("File%1=f%1.txt\r\n").arg(i);
    const struct {
        const char *what;
        QString settings;
        std::function<void()> steps;
        QStringList expected;
    } cases[] = {
        {"reopening moves to the top", {},
         [this] {
             for (const char *name : {"a.rtf", "b.rtf", "a.rtf"})
                 open(path(QLatin1String(name)));
         },
         {path(QStringLiteral("a.rtf")), path(QStringLiteral("b.rtf"))}},
        {"names compare in lower case, Cyrillic too", {},
         [this] { addAll({QStringLiteral("c:\\docs\\отчёт.rtf"), QStringLiteral("C:\\Docs\\ОТЧЁТ.RTF")}); },
         {QStringLiteral("C:\\Docs\\ОТЧЁТ.RTF")}},
        {"the eleventh drops the oldest", {}, [this] { addAll(numbered(1, 11)); },
         newestFirst(2, 11)},
        {"a hand-edited twelve is written back as ten", twelve,
         [this] {
             EXPECT_EQ(menu().size(), 11); // separator and the first ten
             addAll({QStringLiteral("f3.txt")});
         },
         QStringList{QStringLiteral("f3.txt")} + numbered(1, 2) + numbered(4, 10)},
        {"Save As leaves the list, the next Save adds", {},
         [this] {
             ui.onSave = ScriptedInteraction::choose(path(QStringLiteral("new.txt")), 4);
             type("x");
             run("actSave"); // unnamed: hands over to Save As
             EXPECT_TRUE(stored().isEmpty());
             type("y");
             run("actSave");
         },
         {path(QStringLiteral("new.txt"))}},
        {"gaps and a hostile count", QStringLiteral("[HISTORY]\r\nCount=-5\r\nFile1=x.txt\r\n"),
         [this] {
             EXPECT_TRUE(menu().isEmpty());
             addAll({QStringLiteral("y.txt")});
         },
         {QStringLiteral("y.txt")}},
        {"Clear History on an empty list", {},
         [this] { run("actClearHistory"); },
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        write(QStringLiteral("Tavlen.ini"), c.settings.toUtf8());
        start();
        c.steps();
        EXPECT_EQ(stored(), c.expected);
        QStringList expectedMenu;
        if (!c.expected.isEmpty())
            expectedMenu = QStringList{QStringLiteral("-")} + c.expected;
        EXPECT_EQ(menu(), expectedMenu);
        EXPECT_EQ(log(), QString());
    }
}

TEST_F(RecentFilesTest, EntriesReopenTheirDocumentAsEightBitText)
{
    // A name with "&" is shown as it is and reopens the same file.
    const QString odd = write(QStringLiteral("R&D.txt"), QByteArray("\xFF\xFE\x41\x00", 4));
    const QString notes = write(QStringLiteral("notes.txt"), "first");
    start({notes});
    EXPECT_EQ(stored(), QStringList{notes});
    frm->AddToHistory(odd);
    EXPECT_EQ(menu(), (QStringList{QStringLiteral("-"), QString(odd).replace(QLatin1Char('&'), QStringLiteral("&&")), notes}));
    type("changed");
    // Unsaved changes are asked about first, as before Open.
    ui.saveChangesAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Discard};
    frm->historyMenu()->actions().at(2)->trigger();
    EXPECT_EQ(frm->fileName(), notes);
    frm->historyMenu()->actions().at(2)->trigger();
    EXPECT_EQ(ui.saveChangesQuestions, 2);
    EXPECT_EQ(frm->fileName(), odd);
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("R&D.txt - Tavlen v2.0"));
    // No UTF-16 test here: the byte-order mark is read as 8-bit text.
    EXPECT_EQ(frm->editor()->getText(), std::string("\xFF\xFE\x41\x00", 4));
    EXPECT_FALSE(frm->editor()->isModified());
    EXPECT_EQ(stored(), (QStringList{odd, notes})); // opening an entry leaves the list as it is
}

TEST_F(RecentFilesTest, UnwritableListIsLoggedAndDocumentsStillOpenAndSave)
{
    QDir(dir.path()).mkdir(QStringLiteral("Tavlen.ini"));
    const QString doc = write(QStringLiteral("doc.txt"), "content");
    start({doc});
    EXPECT_EQ(frm->editor()->getText(), "content");
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("doc.txt - Tavlen v2.0"));
    const QString other = write(QStringLiteral("other.txt"), "other");
    open(other);
    EXPECT_EQ(frm->editor()->getText(), "other");
    type("more ");
    run("actSave");
    EXPECT_EQ(read(QStringLiteral("other.txt")), "more other");
    EXPECT_EQ(log().count(QLatin1String("Unable to write to")), 3) << log().toStdString();
}
