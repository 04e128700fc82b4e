#include "FontSettings.h"

#include "IniFile.h"
#include "RVStyle.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(FontSettingsTest, EveryKeyReachesItsAttribute)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Tavlen.ini"));
    putFile(file, "[FONT]\r\nVShift=5\r\nName= Arial \r\nSize=14\r\nCharScale=90\r\nBackColor=1\r\nColor=2\r\n"
                  "CharSpacing=3\r\nUnicode=0\r\nHoverBackColor=4\r\nHoverColor=5\r\nJump=1\r\nStandard=0\r\n"
                  "Bold=1\r\nItalic=1\r\nUnderline=1\r\nStrikeOut=1\r\nOverline=1\r\nAllCaps=1\r\n"
                  "DeleteProtect=1\r\nDoNotAutoSwitch=1\r\nHTMLCode=1\r\nSticking=1\r\n");
    RVTextStyle s;
    applyFontSection(TIniFile(file), s);
    RVTextStyle expected;
    expected.vShift = 5;
    expected.fontName = QStringLiteral("Arial");
    expected.size = 14;
    expected.charScale = 90;
    expected.backColor = 1;
    expected.color = 2;
    expected.charSpacing = 3;
    expected.unicode = false;
    expected.hoverBackColor = 4;
    expected.hoverColor = 5;
    expected.jump = expected.bold = expected.italic = expected.underline = expected.strikeOut = expected.overline = true;
    expected.standard = false;
    expected.caps = RVCaps::AllCaps;
    expected.deleteProtect = expected.noAutoSwitch = expected.htmlCode = expected.sticking = true;
    EXPECT_TRUE(s == expected);
}

TEST(FontSettingsTest, MissingOrUnusableValuesKeepTheAttribute)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Tavlen.ini"));
    putFile(file, "[FONT]\r\nName=\r\nSize=0\r\nCharScale=100000\r\nVShift=0x\r\nColor=red\r\nAllCaps=0\r\n");
    RVTextStyle s;
    s.caps = RVCaps::SmallCaps;
    s.size = 12;
    const RVTextStyle before = s;
    applyFontSection(TIniFile(file), s);
    EXPECT_TRUE(s == before);
    s.caps = RVCaps::AllCaps;
    applyFontSection(TIniFile(file), s);
    EXPECT_EQ(s.caps, RVCaps::Normal);
}

} // namespace
