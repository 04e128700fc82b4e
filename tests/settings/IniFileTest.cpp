#include "IniFile.h"

#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString path(const char *name = "Tavlen.ini") const { return dir.filePath(QLatin1String(name)); }
    QString copyOf(const char *fixtureName)
    {
        const QString target = path(fixtureName);
        putFile(target, fileBytes(fixture(fixtureName)));
        return target;
    }

    QTemporaryDir dir;
};

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST_F(IniFileTest, ReadsHandEditedFileByItsRules)
{
    const TIniFile ini(copyOf("messy.ini"));
    // Names in any case and with blanks around them; hexadecimal values.
    EXPECT_EQ(ini.ReadInteger("SETTINGS", "AutoSaveInt", 0), 180000);
    EXPECT_FALSE(ini.ReadBool("settings", "RULER", true));
    EXPECT_EQ(ini.ReadColor("SETTINGS", "RulerColor", rvNoColor), rvColor(192, 192, 192));
    EXPECT_TRUE(ini.ReadBool("RVFOPTIONS", "UseStyleNames", false));
    // An empty value is the empty text, but no number.
    EXPECT_EQ(ini.ReadString("SETTINGS", "AutoSave", "default"), "");
    EXPECT_TRUE(ini.ReadBool("SETTINGS", "AutoSave", true));
    // "0x" alone is no number.
    EXPECT_TRUE(ini.ReadBool("RVFOPTIONS", "SaveBinary", true));
    // Missing keys, sections and lines without "=" give the default.
    EXPECT_EQ(ini.ReadInteger("SETTINGS", "CoolBar", 7), 7);
    EXPECT_EQ(ini.ReadString("SETTINGS", "NoEqualsHere", "none"), "none");
    EXPECT_EQ(ini.ReadString("HISTORY", "File1", "none"), "none");
    // A header without "]" opens no section: its lines stay in the section before it.
    EXPECT_EQ(ini.ReadString("FONT", "Name", "Times New Roman"), "Times New Roman");
    EXPECT_EQ(ini.ReadString("SETTINGS", "Name", ""), "Arial");
    // Of two sections with one name only the first counts.
    EXPECT_TRUE(ini.ReadBool("SETTINGS", "Status", true));
    // A comment is no entry, even with "=" in it.
    EXPECT_EQ(ini.ReadString("SETTINGS", "; the ruler colour below is silver", "none"), "none");
}

TEST_F(IniFileTest, WritesChangeOnlyTheirLines)
{
    const QString file = copyOf("messy.ini");
    const std::string original = fileBytes(file);
    TIniFile ini(file);

    ini.WriteBool("SETTINGS", "Ruler", true);
    ini.WriteInteger("Settings", "AutoSaveInt", 60000);
    ini.WriteBool("settings", "Status", false);
    ini.WriteString("HISTORY", "File1", "/home/u/a.rtf");

    std::string expected = replaced(original, "\nRuler=0\n", "\nRuler=1\n");
    // The key keeps the spelling the file gave it.
    expected = replaced(expected, "  autosaveint = 0x2BF20  \n", "autosaveint=60000\n");
    // A new key goes after the last entry of the first section of that name.
    expected = replaced(expected, "= orphan value\n", "= orphan value\nStatus=0\n");
    // A new section goes at the end.
    expected += "\n[HISTORY]\nFile1=/home/u/a.rtf\n";
    EXPECT_EQ(fileBytes(file), expected);
}

TEST_F(IniFileTest, EveryWriteReachesTheFileAtOnce)
{
    TIniFile writer(path());
    const TIniFile reader(path());
    writer.WriteInteger("SETTINGS", "AutoSaveInt", 60000);
    EXPECT_EQ(fileBytes(path()), "[SETTINGS]\r\nAutoSaveInt=60000\r\n");
    EXPECT_EQ(reader.ReadInteger("SETTINGS", "AutoSaveInt", 0), 60000);

    // A change made behind the object's back is seen by its next read.
    putFile(path(), "[SETTINGS]\r\nAutoSaveInt=1000\r\n");
    EXPECT_EQ(writer.ReadInteger("SETTINGS", "AutoSaveInt", 0), 1000);
    writer.WriteBool("SETTINGS", "Ruler", false);
    EXPECT_EQ(fileBytes(path()), "[SETTINGS]\r\nAutoSaveInt=1000\r\nRuler=0\r\n");
}

TEST_F(IniFileTest, NewKeysAndSectionsKeepTheFileTidy)
{
    putFile(path(), "[A]\r\nx=1\r\n; about B\r\n\r\n[B]\r\ny=2");
    TIniFile ini(path());
    ini.WriteString("a", "z", "3");
    ini.WriteString("B", "w", "4");
    ini.WriteString("C", "k", "");
    EXPECT_EQ(fileBytes(path()), "[A]\r\nx=1\r\nz=3\r\n; about B\r\n\r\n[B]\r\ny=2\r\nw=4\r\n\r\n[C]\r\nk=\r\n");
    EXPECT_EQ(ini.ReadString("C", "k", "default"), "");
}

TEST_F(IniFileTest, EraseSectionRemovesEveryCopy)
{
    putFile(path(), "[HISTORY]\nCount=1\nFile1=a\n[SETTINGS]\nRuler=0\n[history]\nFile1=stale\n");
    TIniFile ini(path());
    ini.EraseSection("History");
    EXPECT_EQ(fileBytes(path()), "[SETTINGS]\nRuler=0\n");
    EXPECT_EQ(ini.ReadString("HISTORY", "File1", "none"), "none");

    // Nothing to erase: the file is not touched, nor created.
    TIniFile absent(path("absent.ini"));
    absent.EraseSection("HISTORY");
    EXPECT_FALSE(QFileInfo::exists(path("absent.ini")));
}

TEST_F(IniFileTest, ValuesAreCutTo2047Characters)
{
    const std::string longValue(100000, 'x');
    putFile(path(), "[SETTINGS]\r\nLong=" + longValue + "\r\n" + std::string(100000, 'y') + "\r\nRuler=0\r\n");
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadString("SETTINGS", "Long", "").size(), TIniFile::kMaxValueLength);
    EXPECT_FALSE(ini.ReadBool("SETTINGS", "Ruler", true));

    // Writing keeps the whole value; only reading cuts it.
    ini.WriteString("SETTINGS", "Other", QString(3000, 'z'));
    EXPECT_NE(fileBytes(path()).find("Other=" + std::string(3000, 'z') + "\r\n"), std::string::npos);
}

TEST_F(IniFileTest, ValueWithLineBreakCannotForgeEntries)
{
    TIniFile ini(path());
    ini.WriteString("HISTORY", "File1", "/tmp/a\n[EXPLORER]\nIntegrate=1");
    EXPECT_FALSE(ini.ReadBool("EXPLORER", "Integrate", false));
    EXPECT_EQ(ini.ReadString("HISTORY", "File1", ""), "/tmp/a");
}

TEST_F(IniFileTest, EightBitTextRoundTrips)
{
    const QString cyrillic = QStringLiteral("/home/\u043F\u043E\u043B\u044C\u0437/\u0401\u0436.rtf");
    TIniFile ini(path());
    ini.WriteString("\u0420\u0430\u0437\u0434\u0435\u043B", "File1", cyrillic);
    EXPECT_EQ(fileBytes(path()), "[\xD0\xE0\xE7\xE4\xE5\xEB]\r\nFile1=/home/\xEF\xEE\xEB\xFC\xE7/\xA8\xE6.rtf\r\n");
    EXPECT_EQ(ini.ReadString("\u0420\u0410\u0417\u0414\u0415\u041B", "FILE1", ""), cyrillic);
}

TEST_F(IniFileTest, BinaryGarbageGivesDefaultsAndSurvivesWrites)
{
    std::mt19937 random(5);
    std::string garbage(64 * 1024, '\0');
    for (char &c : garbage)
        c = char(random());
    putFile(path(), garbage);

    TIniFile ini(path());
    EXPECT_EQ(ini.ReadInteger("SETTINGS", "AutoSaveInt", 180000), 180000);
    ini.WriteInteger("SETTINGS", "AutoSaveInt", 60000);
    EXPECT_EQ(ini.ReadInteger("SETTINGS", "AutoSaveInt", 0), 60000);
    const std::string after = fileBytes(path());
    // The garbage stays; at most its last line gets a line break.
    EXPECT_EQ(after.substr(0, garbage.size()), garbage);
}

TEST_F(IniFileTest, FailedWriteRaisesAndNamesTheFile)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    putFile(path("regular"), "not a folder");
    for (const QString &file : {path("folder.ini"), path("regular") + "/Tavlen.ini"}) {
        TIniFile ini(file);
        EXPECT_EQ(ini.ReadInteger("SETTINGS", "Ruler", 1), 1);
        try {
            ini.WriteBool("SETTINGS", "Ruler", false);
            ADD_FAILURE() << "no error for " << file.toStdString();
        } catch (const EIniFileException &e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + file.toStdString());
            EXPECT_EQ(e.fileName(), file);
        }
    }
    // A folder cannot be read as settings, so nothing may be erased in it either.
    TIniFile folder(path("folder.ini"));
    EXPECT_THROW(folder.EraseSection("SETTINGS"), EIniFileException);
    EXPECT_EQ(fileBytes(path("regular")), "not a folder");
}

TEST_F(IniFileTest, OversizedFileIsNeitherReadNorReplaced)
{
    const std::string huge = "[SETTINGS]\r\nRuler=0\r\n" + std::string(inifile::kMaxFileSize, ';');
    putFile(path(), huge);
    TIniFile ini(path());
    EXPECT_TRUE(ini.ReadBool("SETTINGS", "Ruler", true));
    EXPECT_THROW(ini.WriteBool("SETTINGS", "Ruler", true), EIniFileException);
    EXPECT_EQ(fileBytes(path()), huge);
}

} // namespace
