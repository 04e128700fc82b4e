// Building the Plugins and About Plugin menus from the plug-in folder.
#include "HostFixture.h"

#include "TRichViewEdit.h"

#include <QDirIterator>
#include <QFile>
#include <sys/stat.h>

namespace {

const QString kMirror = QStringLiteral("Перевёртыш");
const QString kDocumentResult = QStringLiteral("Document result");
const QString kNullSelection = QStringLiteral("Null selection");
const QString kProbe = QStringLiteral("Проба");

using PluginMenus = HostFixture;

TEST_F(PluginMenus, NoFolderOrAnEmptyOneLeavesOnlyUpdatePlugins)
{
    host->RefreshPlugins();
    EXPECT_EQ(entries(&plugins), QStringList{"Update Plugins"});
    EXPECT_TRUE(about.actions().isEmpty());

    makeFolder(QString());
    host->RefreshPlugins();
    EXPECT_EQ(entries(&plugins), QStringList{"Update Plugins"});
    EXPECT_TRUE(about.actions().isEmpty());
}

TEST_F(PluginMenus, AnEmptySubFolderStillGivesSubmenusAndTheSeparator)
{
    makeFolder(QStringLiteral("Web"));
    host->RefreshPlugins();
    EXPECT_EQ(entries(&plugins), (QStringList{"Update Plugins", "-", "Web{}"}));
    EXPECT_EQ(entries(&about), QStringList{"Web{}"});
}

TEST_F(PluginMenus, OnlyLowerCaseSoFilesThatLoadAndExportAllThreeAreListed)
{
    install(deliveredPlugin("mirror"), "mirror.so");
    install(testPlugin("document_result"), ".hidden.so"); // a hidden file is still a library
    install(testPlugin("null_selection"), "upper.SO");
    install(testPlugin("null_selection"), "mixed.So");
    install(testPlugin("null_selection"), "noext");
    install(testPlugin("null_selection"), "library.so.1");
    install(testPlugin("two_entry_points"), "two_entry_points.so");
    install(hostTestPlugin("needs_absent"), "needs_absent.so");
    makeFolder("folder.so");
    {
        QFile text(pathInFolder("text.so"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("not a library\n");
        QFile empty(pathInFolder("empty.so"));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    // Opening a FIFO would wait for a writer for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(pathInFolder("fifo.so")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", pathInFolder("zero.so")));
    ASSERT_TRUE(QFile::link(pathInFolder("gone.so.x"), pathInFolder("dangling.so")));

    host->RefreshPlugins();

    EXPECT_EQ(generatedEntries(), (QStringList{kDocumentResult, kMirror}));
    EXPECT_EQ(plugins.actions().size(), 4) << "Update Plugins, one separator, two commands";
    EXPECT_TRUE(plugins.actions().at(1)->isSeparator());
    EXPECT_TRUE(messages.empty());
}

TEST_F(PluginMenus, SubFoldersNestAtAnyDepthWhileLinksAndHiddenFoldersAreNoSubFolders)
{
    install(deliveredPlugin("mirror"), "Web/mirror.so");
    install(testPlugin("document_result"), "Web/Deep/document_result.so");
    install(testPlugin("null_selection"), ".git/null_selection.so");
    makeFolder("Web/Empty");
    ASSERT_TRUE(QFile::link(pathInFolder("Web"), pathInFolder("WebLink")));
    ASSERT_TRUE(QFile::link(pathInFolder("Web"), pathInFolder("linked.so"))); // a candidate that fails
    ASSERT_TRUE(QFile::link(folder, pathInFolder("Web/Deep/loop")));          // round to the top

    host->RefreshPlugins();

    EXPECT_EQ(generatedEntries(), QStringList{"Web{Deep{Document result},Empty{},Перевёртыш}"});
    EXPECT_EQ(command(kDocumentResult)->data().toString(), pathInFolder("Web/Deep/document_result.so"));
    EXPECT_EQ(information(kMirror)->data().toString(), pathInFolder("Web/mirror.so"));
}

TEST_F(PluginMenus, EntriesKeepTheFileSystemsListingOrder)
{
    const QStringList names{"b.so", "a.so", "d.so", "c.so", "e.so"};
    for (const QString &name : names)
        install(hostTestPlugin("probe"), name);

    host->RefreshPlugins();

    QStringList listed;
    for (QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot); it.hasNext();) {
        it.next();
        listed << folder + it.fileName();
    }
    QStringList commandPaths, informationPaths;
    for (const QAction *entry : plugins.actions().mid(2))
        commandPaths << entry->data().toString();
    for (const QAction *entry : about.actions())
        informationPaths << entry->data().toString();
    EXPECT_EQ(commandPaths, listed);
    EXPECT_EQ(informationPaths, listed);
}

TEST_F(PluginMenus, EqualCaptionsGiveOneEntryPerFileEachRunningItsOwn)
{
    install(hostTestPlugin("probe"), "first.so");
    install(hostTestPlugin("probe"), "second.so");
    host->RefreshPlugins();
    ASSERT_EQ(generatedEntries(), (QStringList{kProbe, kProbe}));

    for (QAction *entry : plugins.actions().mid(2)) {
        setDocument("path");
        select(0, 4);
        entry->trigger();
        EXPECT_EQ(documentText(), entry->data().toString());
    }
}

TEST_F(PluginMenus, UpdatingAgainGivesTheSameMenusAndPicksUpChanges)
{
    install(deliveredPlugin("mirror"), "mirror.so");
    install(testPlugin("document_result"), "Sub/document_result.so");
    host->RefreshPlugins();
    const QStringList commands = entries(&plugins), information = entries(&about);

    host->RefreshPlugins();
    EXPECT_EQ(entries(&plugins), commands);
    EXPECT_EQ(entries(&about), information);

    install(testPlugin("null_selection"), "null_selection.so");
    ASSERT_TRUE(QFile::remove(pathInFolder("mirror.so")));
    host->RefreshPlugins();
    EXPECT_EQ(generatedEntries(), (QStringList{kNullSelection, "Sub{Document result}"}));
    EXPECT_EQ(plugins.actions().count(), 4);

    ASSERT_TRUE(QDir(folder).removeRecursively());
    host->RefreshPlugins();
    EXPECT_EQ(entries(&plugins), QStringList{"Update Plugins"});
    EXPECT_TRUE(about.actions().isEmpty());
}

// Whichever entry is clicked, a vanished file is reported and both menus are rebuilt without it.
TEST_F(PluginMenus, ClickingAnEntryWhoseFileVanishedWarnsAndRebuilds)
{
    using Click = void (PluginHost::*)(QAction *);
    const std::pair<const char *, Click> clicks[] = {{"command", &PluginHost::PluginClick},
                                                      {"information", &PluginHost::PluginAboutClick}};
    for (const auto &[kind, click] : clicks) {
        SCOPED_TRACE(kind);
        messages.clear();
        ASSERT_TRUE(QDir(folder).removeRecursively());
        install(deliveredPlugin("mirror"), "mirror.so");
        install(testPlugin("document_result"), "document_result.so");
        host->RefreshPlugins();
        setDocument("abc");
        select(0, 3);
        QAction *entry = click == &PluginHost::PluginClick ? command(kDocumentResult) : information(kDocumentResult);
        ASSERT_TRUE(QFile::remove(entry->data().toString()));

        (host.get()->*click)(entry);

        EXPECT_EQ(messages, (std::vector<ShownMessage>{
                                {PluginHost::Icon::Warning, "Tavlen v2.0", "File wasn't found!"}}));
        EXPECT_EQ(generatedEntries(), QStringList{kMirror});
        EXPECT_EQ(documentText(), "abc");
    }
}

// A file that is still there but no longer loads, or lacks the entry point an entry needs: the
// command only reformats, the information entry shows nothing, and the menus stay as they are
// until the next update.
TEST_F(PluginMenus, AnEntryWhoseFileNoLongerServesDoesNothing)
{
    install(testPlugin("document_result"), "document_result.so");
    host->RefreshPlugins();
    setDocument("abc");
    ASSERT_TRUE(QFile::remove(pathInFolder("document_result.so")));
    {
        QFile junk(pathInFolder("document_result.so"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("no longer a library");
    }

    command(kDocumentResult)->trigger();
    information(kDocumentResult)->trigger();
    ASSERT_TRUE(QFile::remove(pathInFolder("document_result.so")));
    install(testPlugin("two_entry_points"), "document_result.so"); // no GetPluginInfo
    information(kDocumentResult)->trigger();

    EXPECT_EQ(documentText(), "abc");
    EXPECT_FALSE(editor->document()->isUndoAvailable());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(generatedEntries(), QStringList{kDocumentResult});
}

} // namespace
