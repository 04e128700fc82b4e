#include "RVDocument.h"
#include "RVPicture.h"
#include "RtfDocumentDump.h"
#include "RtfFormat.h"

#include <QDir>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

bool read(RVDocument &doc, std::string_view rtf, QString *error = nullptr)
{
    doc.clear();
    QString e;
    return rvformats::readRtf(doc, rtf, error ? error : &e);
}

// The document's characters as they are (no-break spaces included), U+2029 between paragraphs.
QString text(const RVDocument &doc)
{
    return doc.textDocument()->toRawText();
}

// The block holding `needle`, invalid when there is none.
QTextBlock blockWith(const RVDocument &doc, const QString &needle)
{
    for (QTextBlock b = doc.textDocument()->begin(); b.isValid(); b = b.next())
        if (b.text().contains(needle))
            return b;
    return {};
}

// The style of the run that starts with `needle`.
const RVTextStyle *styleOfRun(const RVDocument &doc, const QString &needle)
{
    for (QTextBlock b = doc.textDocument()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().startsWith(needle))
                return &doc.style().TextStyles.at(std::size_t(textStyleNo(it.fragment().charFormat())));
    return nullptr;
}

QString tagOfRun(const RVDocument &doc, const QString &needle)
{
    for (QTextBlock b = doc.textDocument()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(needle))
                return it.fragment().charFormat().stringProperty(rvprop::Tag);
    return {};
}

int pictureCount(const RVDocument &doc)
{
    int n = 0;
    for (QTextBlock b = doc.textDocument()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            n += pictureOf(it.fragment().charFormat()).has_value();
    return n;
}

QTextTable *firstTable(const RVDocument &doc)
{
    for (QTextBlock b = doc.textDocument()->begin(); b.isValid(); b = b.next())
        if (auto *t = qobject_cast<QTextTable *>(QTextCursor(b).currentTable()))
            return t;
    return nullptr;
}

QString cellText(QTextTable *t, int row, int column)
{
    const QTextTableCell c = t->cellAt(row, column);
    QTextCursor cur = c.firstCursorPosition();
    cur.setPosition(c.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cur.selectedText();
}

// ---------------------------------------------------------------------------------------------

struct OtherProgramFile {
    const char *name;
    bool keepsPageBreak; // AbiWord drops the page break of the source document
};

class FilesFromOtherPrograms : public testing::TestWithParam<OtherProgramFile>
{
};

TEST_P(FilesFromOtherPrograms, KeepTextFormattingTablesListsPicturesAndLinks)
{
    RVDocument doc;
    QString error;
    ASSERT_TRUE(rvformats::loadRtf(doc, QStringLiteral(TAVLEN_TEST_DATA "/rtf/") + QLatin1String(GetParam().name), 0, 0,
                                   &error))
        << error.toStdString();

    EXPECT_TRUE(blockWith(doc, QStringLiteral("Привет, мир! Hello, world.")).isValid()) << text(doc).toStdString();
    const QTextBlock mixed = blockWith(doc, QStringLiteral("Жирный текст and italic text в одном абзаце."));
    ASSERT_TRUE(mixed.isValid());
    EXPECT_TRUE(styleOfRun(doc, QStringLiteral("Жирный"))->bold);
    EXPECT_FALSE(styleOfRun(doc, QStringLiteral("Жирный"))->italic);
    EXPECT_TRUE(styleOfRun(doc, QStringLiteral("italic"))->italic);
    EXPECT_FALSE(styleOfRun(doc, QStringLiteral("italic"))->bold);

    // Lists: two bulleted items, three numbered ones with their numbers.
    const QTextBlock bullet = blockWith(doc, QStringLiteral("Первый пункт"));
    ASSERT_TRUE(bullet.isValid());
    ASSERT_NE(bullet.textList(), nullptr);
    EXPECT_EQ(bullet.textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(bullet.textList(), blockWith(doc, QStringLiteral("Second item")).textList());
    const QTextBlock three = blockWith(doc, QStringLiteral("Три"));
    ASSERT_NE(three.textList(), nullptr);
    EXPECT_EQ(three.textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(three.textList()->itemText(three), QStringLiteral("3."));

    // The table: the first row's first cell spans two columns, the last column's lower cell two rows.
    QTextTable *t = firstTable(doc);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rows(), 3);
    EXPECT_EQ(t->columns(), 3);
    EXPECT_EQ(cellText(t, 0, 0), QStringLiteral("Объединённая ячейка"));
    EXPECT_EQ(t->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(t, 0, 2), QStringLiteral("C1"));
    EXPECT_EQ(cellText(t, 2, 1), QStringLiteral("B3"));
    EXPECT_EQ(cellText(t, 1, 2), QStringLiteral("Вертикаль"));
    EXPECT_EQ(t->cellAt(1, 2).rowSpan(), 2);

    EXPECT_EQ(pictureCount(doc), 1);
    EXPECT_EQ(tagOfRun(doc, QStringLiteral("пример ссылки")), QStringLiteral("https://example.com/page?x=1"));
    EXPECT_TRUE(styleOfRun(doc, QStringLiteral("пример ссылки"))->jump);

    const QTextBlock afterBreak = blockWith(doc, QStringLiteral("После разрыва страницы."));
    ASSERT_TRUE(afterBreak.isValid());
    EXPECT_EQ(bool(afterBreak.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore),
              GetParam().keepsPageBreak);
}

INSTANTIATE_TEST_SUITE_P(Rtf, FilesFromOtherPrograms, testing::Values(OtherProgramFile{"libreoffice.rtf", true},
                                                                 OtherProgramFile{"abiword.rtf", false}));

// ---------------------------------------------------------------------------------------------

struct EightBitCase {
    const char *rtf;
    const char *expected; // UTF-8
};

class EightBitText : public testing::TestWithParam<EightBitCase>
{
};

TEST_P(EightBitText, DecodesByCodePageCharsetAndUnicode)
{
    RVDocument doc;
    ASSERT_TRUE(read(doc, GetParam().rtf));
    EXPECT_EQ(text(doc), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, EightBitText,
    testing::Values(
        EightBitCase{R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})", "Привет"},
        EightBitCase{R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80})", "café €"},
        // A font's character set beats the document's code page.
        EightBitCase{R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset238 Arial CE;}}\f1 \'b9\f0 \'b9})",
                     "ą¹"},
        EightBitCase{R"({\rtf1\ansi{\fonttbl{\f0\fcharset161 Arial Greek;}}\f0 \'e1\'e2})", "αβ"},
        EightBitCase{R"({\rtf1\ansi{\fonttbl{\f0\fcharset204 Arial;}}\f0 \'e0})", "а"},
        // \u with its fallback skipped: one character by default, \ucN characters, \'xx counting as one.
        EightBitCase{R"({\rtf1\ansi \u1071?\u1103\'ff!})", "Яя!"},
        EightBitCase{R"({\rtf1\ansi\uc2 \u1071??x})", "Яx"},
        EightBitCase{R"({\rtf1\ansi\uc0 \u1071 x})", "Яx"},
        EightBitCase{R"({\rtf1\ansi \u-3913?})", "\xEF\x82\xB7"}, // negative: above 32767
        // Escapes and special characters.
        EightBitCase{R"({\rtf1 a\{b\}c\\d\~e\emdash f\tab g\line h})", "a{b}c\\d\xC2\xA0" "e\xE2\x80\x94" "f\tg\xE2\x80\xA8h"},
        // Unknown optional destinations, field instructions and hidden text are not text.
        EightBitCase{R"({\rtf1 a{\*\unknown skipped}{\info{\title T}}b{\v hidden}c})", "abc"}));

// ---------------------------------------------------------------------------------------------

TEST(RtfReader, MapsCharacterAndParagraphFormattingToStyles)
{
    RVDocument doc;
    ASSERT_TRUE(read(doc, R"({\rtf1\ansi{\fonttbl{\f0\fswiss\fcharset204 Arial;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\pard\qc\li300\ri150\fi-150\sb120\sa240\sl360\slmult1\keepn\tqr\tldot\tx1500\tb3000\brdrb\brdrs\brdrw30\brdrcf1\cbpat2
\f0\fs28\b\i\uldb\strike\scaps\cf1\highlight2\super\expndtw30\charscalex150 styled\par})"));
    const RVTextStyle *s = styleOfRun(doc, QStringLiteral("styled"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->fontName, "Arial");
    EXPECT_EQ(s->charset, 204);
    EXPECT_EQ(s->size, 14);
    EXPECT_TRUE(s->bold && s->italic && s->underline && s->strikeOut);
    EXPECT_EQ(s->underlineType, RVUnderline::Double);
    EXPECT_EQ(s->caps, RVCaps::SmallCaps);
    EXPECT_EQ(s->color, rvColor(255, 0, 0));
    EXPECT_EQ(s->backColor, rvColor(0, 0, 255));
    EXPECT_EQ(s->vShift, 50);
    EXPECT_EQ(s->charSpacing, 2);
    EXPECT_EQ(s->charScale, 150);
    EXPECT_FALSE(s->standard);

    const QTextBlock b = blockWith(doc, QStringLiteral("styled"));
    const RVParaStyle &p = doc.style().ParaStyles.at(std::size_t(paraStyleNo(b.blockFormat())));
    EXPECT_EQ(p.alignment, RVAlignment::Center);
    EXPECT_EQ(p.leftIndent, 20);
    EXPECT_EQ(p.rightIndent, 10);
    EXPECT_EQ(p.firstIndent, -10);
    EXPECT_EQ(p.spaceBefore, 8);
    EXPECT_EQ(p.spaceAfter, 16);
    EXPECT_EQ(p.lineSpacing, 150);
    EXPECT_TRUE(p.keepWithNext);
    ASSERT_EQ(p.tabs.size(), 2u);
    EXPECT_EQ(p.tabs[0], (RVTab{100, RVTabAlign::Right, RVTabLeader::Dots}));
    EXPECT_EQ(p.tabs[1].align, RVTabAlign::Bar);
    EXPECT_EQ(p.border.style, RVBorderStyle::Single);
    EXPECT_TRUE(p.border.bottom);
    EXPECT_FALSE(p.border.top);
    EXPECT_EQ(p.border.width, 2);
    EXPECT_EQ(p.border.color, rvColor(255, 0, 0));
    EXPECT_EQ(p.backColor, rvColor(0, 0, 255));
}

TEST(RtfReader, ReusesEqualStylesAndAddsOnlyNewOnes)
{
    RVDocument doc;
    const std::size_t before = doc.style().TextStyles.size();
    // Times New Roman 12 in the default character set is style 0 "Normal".
    ASSERT_TRUE(read(doc, R"({\rtf1{\fonttbl{\f0\fcharset1 Times New Roman;}}\f0\fs24 plain \b bold\b0  plain again\par})"));
    EXPECT_EQ(textStyleNo(QTextCursor(doc.textDocument()->begin()).charFormat()), 0);
    EXPECT_EQ(doc.style().TextStyles.size(), before + 1);
}

TEST(RtfReader, ReadsHyperlinksThroughTheHook)
{
    RVDocument doc;
    QStringList seen;
    doc.OnReadHyperlink = [&](const QString &target, const QString &, RVLinkFormat format, int &styleNo, QString &tag) {
        EXPECT_EQ(format, RVLinkFormat::RTF);
        seen << target;
        tag = target.toUpper();
        styleNo = 4;
    };
    ASSERT_TRUE(read(doc, R"({\rtf1{\field{\*\fldinst{HYPERLINK "http://a.b/c" \o "tip"}}{\fldrslt{\ul link}}} tail{\field{\*\fldinst HYPERLINK \\l "anchor"}{\fldrslt x}}})"));
    EXPECT_EQ(seen, (QStringList{"http://a.b/c", "#anchor"}));
    EXPECT_EQ(tagOfRun(doc, QStringLiteral("link")), QStringLiteral("HTTP://A.B/C"));
    EXPECT_EQ(styleOfRun(doc, QStringLiteral("link")), &doc.style().TextStyles[4]);
    EXPECT_EQ(tagOfRun(doc, QStringLiteral("tail")), QString());
}

TEST(RtfReader, ReadsNestedTablesAndRowsOfDifferentShapes)
{
    RVDocument doc;
    ASSERT_TRUE(read(doc, R"({\rtf1
\trowd\cellx2000\cellx4000
\pard\intbl outer A\cell
\pard\intbl\itap1 before\par
\pard\intbl\itap2 inner 1\nestcell inner 2\nestcell
{\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par}
\pard\intbl\itap1 after\cell
\row
\trowd\cellx4000
\pard\intbl wide\cell\row
\pard tail\par})"));
    QTextTable *outer = firstTable(doc);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->rows(), 2);
    EXPECT_EQ(outer->columns(), 2);
    EXPECT_EQ(cellText(outer, 0, 0), QStringLiteral("outer A"));
    EXPECT_EQ(outer->cellAt(1, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(outer, 1, 0), QStringLiteral("wide"));
    const QString dump = dumpDocument(doc);
    EXPECT_TRUE(dump.contains(QStringLiteral("    table 1x2"))) << dump.toStdString();
    EXPECT_TRUE(dump.contains(QStringLiteral("'inner 2'"))) << dump.toStdString();
    EXPECT_TRUE(blockWith(doc, QStringLiteral("tail")).isValid());
}

TEST(RtfReader, ReadsOldStyleNumberingAndListTables)
{
    RVDocument doc;
    ASSERT_TRUE(read(doc, R"({\rtf1{\fonttbl{\f0 Times;}{\f1\fcharset2 Symbol;}}
{\*\listtable{\list{\listlevel\levelnfc4\levelstartat3{\leveltext\'03(\'00);}\fi-360\li720}\listid7}}
{\*\listoverridetable{\listoverride\listid7\listoverridecount0\ls1}}
\pard\ls1{\listtext c)\tab}first\par
{\listtext d)\tab}second\par
\pard{\pntext\f1\'b7\tab}{\*\pn\pnlvlblt\pnf1{\pntxtb\'b7}}old bullet\par
\pard{\*\pn\pnlvlbody\pndec\pnstart1{\pntxta .}}old number\par})"));
    const QTextBlock first = blockWith(doc, QStringLiteral("first"));
    ASSERT_NE(first.textList(), nullptr);
    EXPECT_EQ(first.text(), QStringLiteral("first")); // the marker is made by the list, not read
    EXPECT_EQ(first.textList()->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(first.textList()->format().numberPrefix(), QStringLiteral("("));
    EXPECT_EQ(first.textList()->format().numberSuffix(), QStringLiteral(")"));
    EXPECT_EQ(first.textList()->count(), 2);
    const QTextBlock bullet = blockWith(doc, QStringLiteral("old bullet"));
    ASSERT_NE(bullet.textList(), nullptr);
    EXPECT_EQ(bullet.textList()->format().style(), QTextListFormat::ListDisc);
    const QTextBlock number = blockWith(doc, QStringLiteral("old number"));
    ASSERT_NE(number.textList(), nullptr);
    EXPECT_EQ(number.textList()->format().style(), QTextListFormat::ListDecimal);
}

TEST(RtfReader, ReadsPicturesOfEveryKindAndKeepsTheirBytes)
{
    RVDocument doc;
    // PNG and JPEG headers are enough to keep; a metafile stays an opaque item of its goal size.
    ASSERT_TRUE(read(doc, R"({\rtf1 a{\pict\pngblip\picwgoal300\pichgoal150 89504e47}b{\*\shppict{\pict\jpegblip ffd8ffe0}}{\nonshppict{\pict\wmetafile8 0102}}{\pict\wmetafile8\picw2646\pich1323 01020304}{\pict\emfblip\bin3 xyz}{\pict\wbitmap0\picw2\pich2\wbmbitspixel1\wbmplanes1\wbmwidthbytes2 80004000}})"));
    ASSERT_EQ(pictureCount(doc), 5);
    std::vector<RVPicture> pics;
    for (auto it = doc.textDocument()->begin().begin(); !it.atEnd(); ++it)
        if (const auto p = pictureOf(it.fragment().charFormat()))
            pics.push_back(*p);
    ASSERT_EQ(pics.size(), 5u);
    EXPECT_EQ(pics[0].kind, RVPictureKind::Png);
    EXPECT_EQ(pics[0].data, QByteArray::fromHex("89504e47"));
    EXPECT_EQ(pics[0].size, QSize(20, 10));
    EXPECT_EQ(pics[1].kind, RVPictureKind::Jpeg);
    EXPECT_EQ(pics[2].kind, RVPictureKind::Wmf);
    EXPECT_EQ(pics[2].size, QSize(101, 50)); // hundredths of a millimetre
    EXPECT_EQ(pics[3].kind, RVPictureKind::Emf);
    EXPECT_EQ(pics[3].data, QByteArray("xyz"));
    // A device bitmap becomes a DIB: header, black-and-white palette, rows padded to four bytes.
    EXPECT_EQ(pics[4].kind, RVPictureKind::Dib);
    ASSERT_EQ(pics[4].data.size(), 40 + 8 + 2 * 4);
    EXPECT_EQ(pics[4].data.mid(48), QByteArray::fromHex("8000000040000000"));
}

TEST(RtfReader, ReadsBackgroundAndPageSetup)
{
    RVDocument doc;
    ASSERT_TRUE(read(doc, R"({\rtf1\paperw12240\paperh15840\margl1000\margr900\margt800\margb700{\*\background{\shp{\*\shpinst{\sp{\sn fillColor}{\sv 255}}}}} x})"));
    EXPECT_EQ(doc.background(), rvColor(255, 0, 0));
    EXPECT_EQ(doc.pageSetup(), (RVPageSetup{12240, 15840, 1000, 800, 900, 700}));
}

// ---------------------------------------------------------------------------------------------

struct BadInput {
    const char *name;
    std::string rtf;
    bool ok;
    const char *keeps; // text that must have been read
};

std::string nested(int depth)
{
    return "{\\rtf1 start" + std::string(std::size_t(depth), '{') + "deep" + std::string(std::size_t(depth), '}') + " end}";
}

std::string wideRow(int cells)
{
    std::string s = "{\\rtf1\\trowd";
    for (int i = 1; i <= cells; ++i)
        s += "\\cellx" + std::to_string(i * 10);
    for (int i = 0; i < cells; ++i)
        s += "\\pard\\intbl c\\cell";
    return s + "\\row\\pard after\\par}";
}

// Many distinct formattings, then paragraphs alternating between them.
std::string manyFormats(int formats, int paragraphs)
{
    std::string s = "{\\rtf1";
    for (int i = 0; i < formats; ++i)
        s += "\\fs" + std::to_string(2 + i) + " x";
    for (int i = 0; i < paragraphs; ++i)
        s += "\\pard\\li" + std::to_string(i % formats) + " p\\par";
    return s + " end}";
}

class HostileInput : public testing::TestWithParam<BadInput>
{
};

TEST_P(HostileInput, LoadsWhatItCanAndSaysWhetherItWasWhole)
{
    RVDocument doc;
    QString error;
    EXPECT_EQ(read(doc, GetParam().rtf, &error), GetParam().ok) << error.toStdString();
    EXPECT_TRUE(text(doc).contains(QString::fromUtf8(GetParam().keeps))) << text(doc).left(200).toStdString();
    if (!GetParam().ok) {
        EXPECT_FALSE(error.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, HostileInput,
    testing::Values(BadInput{"truncated", "{\\rtf1 Hello \\b wor", false, "Hello wor"},
                    BadInput{"unbalanced", "{\\rtf1 one}}} two", true, "one"},
                    BadInput{"unclosed", "{\\rtf1 one{{{ two", false, "one two"},
                    BadInput{"deep", nested(100000), false, "start"},
                    BadInput{"hugeBin", "{\\rtf1 a{\\pict\\pngblip\\bin4000000000 abc}}", false, "a"},
                    BadInput{"oddHex", "{\\rtf1 a{\\pict\\pngblip 89504}b}", true, "a\xEF\xBF\xBC" "b"},
                    BadInput{"hugeParameters",
                             "{\\rtf1\\fs99999999999\\li-99999999999\\uc99999\\cf2147483647\\zzzz123456789012 x\\par}",
                             true, "x"},
                    BadInput{"wideRow", wideRow(10000), true, "after"},
                    BadInput{"manyFormats", manyFormats(5000, 20000), true, "end"},
                    BadInput{"notRtf", "Just some text, not RTF at all.", false, ""},
                    BadInput{"brokenHex", "{\\rtf1 a\\'zz b}", true, "a'zz b"}),
    [](const testing::TestParamInfo<BadInput> &info) { return std::string(info.param.name); });

TEST(RtfReader, RegressionFilesFromFuzzingLoadWithoutHarm)
{
    const QDir dir(QStringLiteral(TAVLEN_TEST_DATA "/rtf/fuzz"));
    for (const QString &name : dir.entryList(QDir::Files)) {
        RVDocument doc;
        QString error;
        rvformats::loadRtf(doc, dir.filePath(name), 0, 0, &error);
        EXPECT_GE(doc.itemCount(), 1) << name.toStdString();
    }
}

} // namespace
