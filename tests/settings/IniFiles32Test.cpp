#include "IniFiles32.h"

#include "IniFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFile32Test : public ::testing::Test
{
protected:
    QString path(const char *name = "Tavlen.ini") const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
};

TEST_F(IniFile32Test, HeaderMustBeTheWholeLine)
{
    putFile(path(), "  [MainFrm]\r\nLeft=5\r\n[mainfrm]\r\nTop=6\r\n");
    const TIniFile32 ini(path());
    // The indented header does not count; the lower-case one does.
    EXPECT_EQ(ini.ReadInteger("MainFrm", "Left", 1), 1);
    EXPECT_EQ(ini.ReadInteger("MainFrm", "Top", 1), 6);
}

TEST_F(IniFile32Test, KeysMatchCaseIncludedAndOnlyInTheirSection)
{
    putFile(path(), "[MainFrm]\nleft=10\n Top = 0x14 \nWidth=\nWidth=300\n  [Other]  \nHeight=400\n");
    const TIniFile32 ini(path());
    EXPECT_EQ(ini.ReadInteger("MainFrm", "Left", 192), 192);
    EXPECT_EQ(ini.ReadInteger("MainFrm", "Top", 0), 20);
    // The first match decides, and an empty value gives the default.
    EXPECT_EQ(ini.ReadInteger("MainFrm", "Width", 700), 700);
    EXPECT_EQ(ini.ReadString("MainFrm", "Width", "none"), "none");
    // A trimmed "[...]" line ends the section.
    EXPECT_EQ(ini.ReadInteger("MainFrm", "Height", 480), 480);
    EXPECT_EQ(ini.ReadInteger("Other", "Height", 480), 480); // " [Other] " is no header to find
}

TEST_F(IniFile32Test, NumbersAndBooleans)
{
    putFile(path(), "[S]\nA=0x2BF20\nB=0x\nC=$10\nD=-5\nE=yes\nF=1\nG=0\nH=7\n");
    const TIniFile32 ini(path());
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 180000);
    EXPECT_EQ(ini.ReadInteger("S", "B", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "C", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "D", 0), -5);
    EXPECT_EQ(ini.ReadInteger("S", "E", 3), 3);
    EXPECT_TRUE(ini.ReadBool("S", "F", false));
    EXPECT_FALSE(ini.ReadBool("S", "G", true));
    EXPECT_TRUE(ini.ReadBool("S", "H", false));
    EXPECT_TRUE(ini.ReadBool("S", "E", true));
}

TEST_F(IniFile32Test, WritesRewriteTheWholeFileWithCrLf)
{
    putFile(path(), "; kept\n[MainFrm]\nState=0\nleft=10\n\n\r[Other]\rx=1");
    TIniFile32 ini(path());
    ini.WriteBool("MainFrm", "State", true);
    // Not found (case counts): inserted just before the next header, after the blank lines.
    ini.WriteInteger("MainFrm", "Left", 192);
    EXPECT_EQ(fileBytes(path()), "; kept\r\n[MainFrm]\r\nState=1\r\nleft=10\r\n\r\n\r\nLeft=192\r\n[Other]\r\nx=1\r\n");
}

TEST_F(IniFile32Test, NewSectionStartsWithABlankLine)
{
    TIniFile32 ini(path());
    ini.WriteBool("MainFrm", "State", false);
    ini.WriteInteger("MainFrm", "Left", 192);
    ini.WriteString("Empty", "", "ignored");
    EXPECT_EQ(fileBytes(path()), "\r\n[MainFrm]\r\nState=0\r\nLeft=192\r\n\r\n[Empty]\r\n");
    EXPECT_EQ(TIniFile32(path()).ReadInteger("MainFrm", "Left", 0), 192);
}

TEST_F(IniFile32Test, TheLinesAreThoseOfTheMomentItWasOpened)
{
    putFile(path(), "[MainFrm]\r\nLeft=1\r\n");
    TIniFile32 ini(path());
    putFile(path(), "[MainFrm]\r\nLeft=2\r\n");
    EXPECT_EQ(ini.ReadInteger("MainFrm", "Left", 0), 1);
    ini.WriteInteger("MainFrm", "Top", 3);
    EXPECT_EQ(fileBytes(path()), "[MainFrm]\r\nLeft=1\r\nTop=3\r\n");
}

TEST_F(IniFile32Test, FailedWriteRaisesAndLeavesUnreadableFilesAlone)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    putFile(path("regular"), "x");
    for (const QString &file : {path("folder.ini"), path("regular") + "/Tavlen.ini"}) {
        TIniFile32 ini(file);
        EXPECT_EQ(ini.ReadInteger("MainFrm", "Left", 192), 192);
        EXPECT_THROW(ini.WriteBool("MainFrm", "State", false), EIniFileException);
    }

    const std::string huge = "[MainFrm]\r\nLeft=5\r\n" + std::string(inifile::kMaxFileSize, ';');
    putFile(path(), huge);
    TIniFile32 oversized(path());
    EXPECT_EQ(oversized.ReadInteger("MainFrm", "Left", 192), 192);
    EXPECT_THROW(oversized.WriteBool("MainFrm", "State", false), EIniFileException);
    EXPECT_EQ(fileBytes(path()), huge);
}

} // namespace
