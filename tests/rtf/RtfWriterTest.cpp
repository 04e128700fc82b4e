#include "RVDocument.h"
#include "RVPicture.h"
#include "RtfDocumentDump.h"
#include "RtfFormat.h"
#include "RtfWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

QByteArray fixturePng()
{
    QFile f(QStringLiteral(TAVLEN_TEST_DATA "/rtf/source/red.png"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void paragraph(QTextCursor &c, const TRVStyle &s, int paraNo, bool first = false)
{
    if (first)
        c.setBlockFormat(s.blockFormat(paraNo));
    else
        c.insertBlock(s.blockFormat(paraNo));
}

// A document with every kind of content the RTF writer knows.
void fillRichDocument(RVDocument &doc)
{
    TRVStyle &s = doc.style();
    RVParaStyle tabs;
    tabs.name = QStringLiteral("Tabs");
    tabs.tabs = {{100, RVTabAlign::Right, RVTabLeader::Dots}, {200, RVTabAlign::Bar, RVTabLeader::None}};
    tabs.lineSpacing = 150;
    tabs.keepLinesTogether = true;
    const int tabsNo = s.addParaStyleIfNeeded(tabs);
    RVTextStyle fancy = s.TextStyles[0];
    fancy.name = QStringLiteral("Fancy");
    fancy.underline = true;
    fancy.underlineType = RVUnderline::Wavy;
    fancy.caps = RVCaps::AllCaps;
    fancy.charset = 204;
    fancy.charSpacing = 3;
    fancy.charScale = 80;
    const int fancyNo = s.addTextStyleIfNeeded(fancy);
    RVListStyle numbered;
    numbered.name = QStringLiteral("Numbers");
    RVListLevel level;
    level.kind = RVListKind::UpperRoman;
    level.prefix = QStringLiteral("[");
    level.suffix = QStringLiteral("]");
    numbered.levels = {level};
    const int numberedNo = s.addListStyleIfNeeded(numbered);

    QTextCursor c(doc.textDocument());
    paragraph(c, s, 0, true);
    c.insertText(QStringLiteral("Привет, "), s.charFormat(0));
    c.insertText(QStringLiteral("Heading {x}\\y"), s.charFormat(1));
    c.insertText(QStringLiteral("\té€ 😀"), s.charFormat(fancyNo));
    paragraph(c, s, 5);
    c.insertText(QStringLiteral("framed H"), s.charFormat(3));
    c.insertText(QStringLiteral("2"), s.charFormat(7));
    c.insertText(QStringLiteral("O x"), s.charFormat(3));
    c.insertText(QStringLiteral("2"), s.charFormat(8));
    paragraph(c, s, tabsNo);
    QTextCharFormat link = s.charFormat(4);
    link.setProperty(rvprop::Tag, QStringLiteral("https://example.com/a b?c=\"d\"&e=\\f"));
    c.insertText(QStringLiteral("a link"), link);
    c.insertText(QStringLiteral(" and "), s.charFormat(5));
    insertPicture(c, RVPicture{RVPictureKind::Png, fixturePng(), QSize(32, 24)});
    paragraph(c, s, 0);
    c.insertText(QStringLiteral("bullet one"), s.charFormat(0));
    QTextList *bullets = c.createList(s.listFormat(0, 0));
    paragraph(c, s, 0);
    c.insertText(QStringLiteral("bullet two"), s.charFormat(0));
    paragraph(c, s, 0);
    c.insertText(QStringLiteral("roman one"), s.charFormat(0));
    c.createList(s.listFormat(numberedNo, 0));
    Q_UNUSED(bullets);
    paragraph(c, s, 2);
    QTextBlockFormat broken = s.blockFormat(2);
    broken.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.setBlockFormat(broken);
    c.insertText(QStringLiteral("after a page break"), s.charFormat(2));
    paragraph(c, s, 0);

    QTextTableFormat tf;
    tf.setBorder(0);
    tf.setBorderCollapse(true);
    tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 80),
                                  QTextLength(QTextLength::FixedLength, 60)});
    QTextTable *t = c.insertTable(3, 3, tf);
    t->mergeCells(0, 0, 1, 2);
    t->mergeCells(1, 2, 2, 1);
    const char *texts[3][3] = {{"merged", nullptr, "c"}, {"a2", "b2", "tall"}, {"a3", nullptr, nullptr}};
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
            if (texts[r][col]) {
                QTextCursor in = t->cellAt(r, col).firstCursorPosition();
                in.insertText(QString::fromUtf8(texts[r][col]), s.charFormat(0));
            }
    QTextTableCellFormat shaded = t->cellAt(1, 0).format().toTableCellFormat();
    shaded.setBackground(QColor(255, 255, 0));
    shaded.setTopBorder(2);
    shaded.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    shaded.setTopBorderBrush(QColor(0, 0, 255));
    t->cellAt(1, 0).setFormat(shaded);
    QTextCursor inB3 = t->cellAt(2, 1).firstCursorPosition();
    inB3.insertText(QStringLiteral("before nested"), s.charFormat(0));
    inB3.insertBlock(s.blockFormat(0));
    QTextTable *inner = inB3.insertTable(1, 2, tf);
    inner->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("in 1"), s.charFormat(0));
    inner->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("in 2"), s.charFormat(0));

    doc.setBackground(rvColor(250, 240, 230));
    doc.setPageSetup(RVPageSetup{12240, 15840, 1440, 1000, 1200, 800});
}

bool readBack(RVDocument &doc, const std::string &rtf)
{
    doc.clear();
    QString error;
    const bool ok = rvformats::readRtf(doc, rtf, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return ok;
}

TEST(RtfRoundTrip, ReadingWhatWeWroteGivesTheSameDocument)
{
    RVDocument original;
    fillRichDocument(original);
    const std::string rtf = writeRtf(original, QString());
    RVDocument copy;
    ASSERT_TRUE(readBack(copy, rtf));
    EXPECT_EQ(dumpDocument(copy).toStdString(), dumpDocument(original).toStdString());
    EXPECT_EQ(copy.background(), original.background());
    EXPECT_EQ(copy.pageSetup(), original.pageSetup());
    // The shipped styles were recognised by name, so only the document's own styles were added.
    EXPECT_EQ(copy.style().TextStyles.size(), original.style().TextStyles.size());
    EXPECT_EQ(copy.style().ParaStyles.size(), original.style().ParaStyles.size());

    // Written again, the copy gives the same file.
    EXPECT_EQ(writeRtf(copy, QString()), rtf);
}

TEST(RtfRoundTrip, PicturesKeepTheirBytesAndKind)
{
    RVDocument doc;
    QTextCursor c(doc.textDocument());
    const QByteArray jpegLike("\xFF\xD8\xFF\xE0 not really a jpeg", 24);
    insertPicture(c, RVPicture{RVPictureKind::Jpeg, jpegLike, QSize(10, 20)});
    insertPicture(c, RVPicture{RVPictureKind::Emf, QByteArray("emf bytes"), QSize(30, 40)});
    insertPicture(c, RVPicture{RVPictureKind::Dib, QByteArray(44, '\1'), QSize(5, 6)});
    const std::string rtf = writeRtf(doc, QString());
    EXPECT_NE(rtf.find("\\jpegblip"), std::string::npos);
    EXPECT_NE(rtf.find("\\emfblip"), std::string::npos);
    EXPECT_NE(rtf.find("\\dibitmap0"), std::string::npos);
    RVDocument copy;
    ASSERT_TRUE(readBack(copy, rtf));
    EXPECT_EQ(dumpDocument(copy), dumpDocument(doc));
}

TEST(RtfWriter, WritesUnicodeWithAnEightBitCopy)
{
    RVDocument doc;
    QTextCursor c(doc.textDocument());
    c.insertText(QStringLiteral("Яé"), doc.style().charFormat(0));
    const std::string rtf = writeRtf(doc, QString());
    EXPECT_NE(rtf.find("\\ansicpg1251"), std::string::npos);
    EXPECT_NE(rtf.find("\\u1071\\'df"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\u233?"), std::string::npos) << rtf; // not in Windows-1251

    // A font of the Eastern European character set gets its copy from Windows-1250.
    RVTextStyle central = doc.style().TextStyles[0];
    central.charset = 238;
    const int centralNo = doc.style().addTextStyleIfNeeded(central);
    c.insertText(QStringLiteral("ą"), doc.style().charFormat(centralNo));
    EXPECT_NE(writeRtf(doc, QString()).find("\\u261\\'b9"), std::string::npos);
}

TEST(RtfWriter, GivesEveryStyleItsOwnNameAndReadsTheNamesBack)
{
    // Readers look styles up by name: two styles of one name would become one style there.
    RVDocument doc;
    RVParaStyle plain;
    plain.name = QStringLiteral("Body");
    plain.spaceAfter = 7; // unlike every shipped style
    RVParaStyle indented = plain;
    indented.leftIndent = 40;
    const int plainNo = doc.style().addParaStyleIfNeeded(plain);
    const int indentedNo = doc.style().addParaStyleIfNeeded(indented);
    QTextCursor c(doc.textDocument());
    c.setBlockFormat(doc.style().blockFormat(plainNo));
    c.insertText(QStringLiteral("one"), doc.style().charFormat(0));
    c.insertBlock(doc.style().blockFormat(indentedNo));
    c.insertText(QStringLiteral("two"), doc.style().charFormat(0));
    const std::string rtf = writeRtf(doc, QString());
    EXPECT_NE(rtf.find(" Body;}"), std::string::npos);
    EXPECT_NE(rtf.find(" Body 2;}"), std::string::npos);
    EXPECT_NE(rtf.find(" Window Caption 2;}"), std::string::npos); // the text style after the paragraph style

    // Read into the document that has both styles, the numbered name finds its style again.
    const std::size_t styles = doc.style().ParaStyles.size();
    ASSERT_TRUE(readBack(doc, rtf));
    EXPECT_EQ(doc.style().ParaStyles.size(), styles);
    EXPECT_EQ(paraStyleNo(doc.textDocument()->lastBlock().blockFormat()), indentedNo);
}

TEST(RtfWriter, WritesLinksThroughTheHook)
{
    RVDocument doc;
    QTextCursor c(doc.textDocument());
    QTextCharFormat link = doc.style().charFormat(4);
    link.setProperty(rvprop::Tag, QStringLiteral("tag-target"));
    c.insertText(QStringLiteral("x"), doc.style().charFormat(0));
    c.insertText(QStringLiteral("go"), link);
    int itemNo = -1;
    doc.OnWriteHyperlink = [&](int item, const QTextCharFormat &, RVSaveFormat format, QString &target, QString &) {
        EXPECT_EQ(format, RVSaveFormat::RTF);
        EXPECT_EQ(target, QStringLiteral("tag-target"));
        itemNo = item;
        target = QStringLiteral("http://written/");
    };
    const std::string rtf = writeRtf(doc, QString());
    EXPECT_EQ(itemNo, 1);
    EXPECT_NE(rtf.find("HYPERLINK \"http://written/\""), std::string::npos) << rtf;
}

TEST(RtfWriter, WritesControlsThroughTheSaveComponentHook)
{
    RVDocument doc;
    QTextCursor c(doc.textDocument());
    QTextCharFormat control;
    control.setObjectType(rvobject::Control);
    control.setProperty(rvobject::ControlClass, QStringLiteral("TButton"));
    control.setProperty(rvobject::ControlCaption, QStringLiteral("OK"));
    c.insertText(QStringLiteral("a"), doc.style().charFormat(0));
    c.insertText(QString(QChar::ObjectReplacementCharacter), control);
    c.insertText(QStringLiteral("b"), doc.style().charFormat(0));

    std::string rtf = writeRtf(doc, QString());
    EXPECT_NE(rtf.find("{\\plain\\b (TButton)}"), std::string::npos) << rtf;
    RVDocument copy;
    ASSERT_TRUE(readBack(copy, rtf));
    EXPECT_EQ(copy.textDocument()->toPlainText(), QStringLiteral("a(TButton)b"));

    QString seenPath;
    doc.OnSaveComponentToFile = [&](const QString &path, const QTextFormat &saveMe, RVSaveFormat format, QString &out) {
        EXPECT_EQ(format, RVSaveFormat::RTF);
        EXPECT_EQ(saveMe.stringProperty(rvobject::ControlClass), QStringLiteral("TButton"));
        seenPath = path;
        out = QStringLiteral("\\plain\\i custom");
    };
    rtf = writeRtf(doc, QStringLiteral("/out.rtf"));
    EXPECT_EQ(seenPath, QStringLiteral("/out.rtf"));
    EXPECT_NE(rtf.find("{\\plain\\i custom}"), std::string::npos);
}

TEST(RtfFiles, SaveLoadAndImportAtTheCaret)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("part.rtf"));
    RVDocument part;
    QTextCursor pc(part.textDocument());
    pc.insertText(QStringLiteral("inserted"), part.style().charFormat(1));
    part.setBackground(rvColor(1, 2, 3));
    QString error;
    ASSERT_TRUE(rvformats::saveRtf(part, path, &error)) << error.toStdString();

    RVDocument loaded;
    ASSERT_TRUE(rvformats::loadRtf(loaded, path, 0, 0, &error)) << error.toStdString();
    EXPECT_EQ(loaded.textDocument()->toPlainText(), QStringLiteral("inserted"));
    EXPECT_FALSE(loaded.textDocument()->isUndoAvailable());

    RVDocument doc;
    QTextCursor c(doc.textDocument());
    c.insertText(QStringLiteral("ab"), doc.style().charFormat(0));
    c.setPosition(1);
    ASSERT_TRUE(rvformats::insertRtfFile(doc, c, path, &error)) << error.toStdString();
    EXPECT_EQ(doc.textDocument()->toPlainText(), QStringLiteral("ainsertedb"));
    EXPECT_EQ(doc.background(), rvNoColor); // the inserted file's background is not the document's
    doc.textDocument()->undo();
    EXPECT_EQ(doc.textDocument()->toPlainText(), QStringLiteral("ab"));
}

} // namespace
