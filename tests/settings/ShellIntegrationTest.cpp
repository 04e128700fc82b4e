#include "ShellIntegration.h"

#include "Errors.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ShellIntegrationTest, InstallThenRemoveInTheDataFolder)
{
    QTemporaryDir dir;
    const QString dataHome = dir.filePath(QStringLiteral("share"));
    // Blanks, a quote and a percent sign in the program's path must reach the program unchanged.
    const ShellIntegration shell(dataHome, QStringLiteral("/opt/my apps/it's 100%/tavlen"),
                                 QStringLiteral("Tavlen v2.0"));
    const ShellIntegrationFiles files = shell.files();
    EXPECT_EQ(files.applicationEntry, dataHome + QStringLiteral("/applications/Tavlen v2.0.desktop"));
    EXPECT_EQ(files.serviceMenu, dataHome + QStringLiteral("/kio/servicemenus/Tavlen v2.0.desktop"));
    EXPECT_EQ(files.nautilusScript, dataHome + QStringLiteral("/nautilus/scripts/Открыть в Tavlen v2.0"));

    shell.install();
    const std::string exec = "Exec=\"/opt/my apps/it's 100%%/tavlen\" %f\n";
    EXPECT_EQ(fileBytes(files.applicationEntry), "[Desktop Entry]\nType=Application\nName=Tavlen v2.0\n" + exec
                                                    + "NoDisplay=true\nTerminal=false\n");
    EXPECT_EQ(fileBytes(files.serviceMenu),
              "[Desktop Entry]\nType=Service\nX-KDE-ServiceTypes=KonqPopupMenu/Plugin\nMimeType=all/allfiles;\n"
              "Actions=open;\n\n[Desktop Action open]\nName=\xD0\x9E\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C "
              "\xD0\xB2 Tavlen v2.0\n"
                  + exec);
    EXPECT_EQ(fileBytes(files.nautilusScript), "#!/bin/sh\nexec '/opt/my apps/it'\\''s 100%/tavlen' \"$1\"\n");
    EXPECT_TRUE(QFileInfo(files.serviceMenu).isExecutable());
    EXPECT_TRUE(QFileInfo(files.nautilusScript).isExecutable());
    EXPECT_FALSE(QFileInfo(files.applicationEntry).isExecutable());

    shell.install(); // again at the next start: the same files
    shell.remove();
    for (const QString &f : {files.applicationEntry, files.serviceMenu, files.nautilusScript})
        EXPECT_FALSE(QFileInfo::exists(f)) << f.toStdString();
    shell.remove(); // nothing there: nothing happens
}

TEST(ShellIntegrationTest, UnwritableFileStopsTheInstallAndNamesTheFile)
{
    QTemporaryDir dir;
    const ShellIntegration shell(dir.path(), QStringLiteral("/usr/bin/tavlen"), QStringLiteral("Tavlen v2.0"));
    putFile(dir.filePath(QStringLiteral("kio")), "a file where a folder belongs");
    try {
        shell.install();
        FAIL() << "no error";
    } catch (const EShellIntegrationError &e) {
        EXPECT_EQ(std::string(e.what()), "Failed to set data for '" + shell.files().serviceMenu.toStdString() + "'");
    }
    EXPECT_TRUE(QFileInfo::exists(shell.files().applicationEntry)); // written before the failure
    EXPECT_FALSE(QFileInfo::exists(shell.files().nautilusScript));
}

TEST(ShellIntegrationTest, PathWithLineBreakCannotAddKeys)
{
    QTemporaryDir dir;
    const ShellIntegration shell(dir.path(), QStringLiteral("/tmp/a\nExec=evil\\x"), QStringLiteral("T"));
    shell.install();
    EXPECT_EQ(fileBytes(shell.files().applicationEntry),
              "[Desktop Entry]\nType=Application\nName=T\nExec=\"/tmp/a\\nExec=evil\\\\\\\\x\" %f\n"
              "NoDisplay=true\nTerminal=false\n");
}

} // namespace
