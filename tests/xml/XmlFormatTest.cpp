// The XML form: what it declares and holds, the round trip, a file re-saved in UTF-8, and hostile files.

#include "Cp1251.h"
#include "DocumentFormats.h"
#include "RichDocument.h"
#include "XmlFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

using rvformats::DocFormat;

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(TAVLEN_TEST_DATA "/xml/") + QLatin1String(name);
}

bool readBytes(RVDocument &doc, const QByteArray &bytes, QString *error = nullptr)
{
    QString why;
    const bool ok = rvformats::readXml(doc, bytes, TRVFOptions::defaults(), &why);
    if (error)
        *error = why;
    return ok;
}

// A file of our form around `body` (Windows-1251 bytes).
QByteArray xmlFile(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<rvxml version=\"1.0\">" + body + "</rvxml>";
}

QString plainText(const RVDocument &doc)
{
    return doc.textDocument()->toPlainText();
}

QByteArray utf8FromCp1251(const QByteArray &bytes)
{
    const std::u16string text = cp1251::decode({bytes.constData(), std::size_t(bytes.size())});
    return QString::fromStdU16String(text).toUtf8();
}

} // namespace

TEST(XmlFormat, RoundTripKeepsTheWholeModel)
{
    RVDocument original;
    fillRichDocument(original);
    const QByteArray xml = rvformats::writeXml(original, TRVFOptions::defaults());
    RVDocument copy;
    QString error;
    ASSERT_TRUE(readBytes(copy, xml, &error)) << error.toStdString();
    EXPECT_EQ(modelDifference(original, copy).toStdString(), "");
    EXPECT_EQ(rvformats::writeXml(copy, TRVFOptions::defaults()), xml);
}

TEST(XmlFormat, DeclaresWindows1251AndHoldsStylesPagePicturesInside)
{
    RVDocument doc;
    fillRichDocument(doc);
    doc.setPageSetup({}); // margins as the page-setup command leaves them untouched
    const QByteArray xml = rvformats::writeXml(doc, TRVFOptions::defaults());
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<rvxml")) << xml.left(80).toStdString();
    // Cyrillic as Windows-1251 bytes, what the code page lacks as a character reference.
    EXPECT_TRUE(xml.contains(QByteArray("\xD0\xF3\xF1\xF1\xEA\xE8\xE9"))); // "Русский"
    EXPECT_TRUE(xml.contains("&#20013;&#25991;"));                       // "中文"
    EXPECT_TRUE(xml.contains("<textstyle name=\"Normal\""));
    EXPECT_TRUE(xml.contains("pageleft=\"1134\" pagetop=\"1134\" pageright=\"1134\" pagebottom=\"1134\""));
    EXPECT_TRUE(xml.contains("<background color=\"15786192\"/>"));
    EXPECT_EQ(xml.count("<image kind=\"0\">iVBORw0KGgo"), 1);
}

// A text editor that saves the file again in UTF-8 keeps the declaration it found.
TEST(XmlFormat, FileResavedInUtf8ReadsTheSame)
{
    RVDocument original;
    fillRichDocument(original);
    const QByteArray utf8 = utf8FromCp1251(rvformats::writeXml(original, TRVFOptions::defaults()));
    ASSERT_TRUE(utf8.contains("encoding=\"windows-1251\""));
    for (const QByteArray &bytes : {utf8, QByteArray("\xEF\xBB\xBF") + utf8}) {
        RVDocument copy;
        QString error;
        ASSERT_TRUE(readBytes(copy, bytes, &error)) << error.toStdString();
        EXPECT_EQ(modelDifference(original, copy).toStdString(), "");
    }
}

TEST(XmlFormat, LoadingReplacesTheStyleSheet)
{
    RVDocument small;
    small.style().TextStyles.resize(1);
    small.style().TextStyles[0].name = QStringLiteral("Only");
    const QByteArray xml = rvformats::writeXml(small, TRVFOptions::defaults());
    RVDocument doc; // the shipped style sheet, many styles
    ASSERT_TRUE(readBytes(doc, xml));
    ASSERT_EQ(doc.style().TextStyles.size(), 1u);
    EXPECT_EQ(doc.style().TextStyles[0].name, QStringLiteral("Only"));
}

TEST(XmlFormat, ThroughTheFormatTable)
{
    QTemporaryDir dir;
    RVDocument original;
    fillRichDocument(original);
    const QString path = dir.filePath(QStringLiteral("doc.xml"));
    QString error;
    ASSERT_TRUE(rvformats::saveDocument(original, path, DocFormat::Xml, &error)) << error.toStdString();
    RVDocument copy;
    ASSERT_TRUE(rvformats::loadDocument(copy, path, rvformats::formatByExtension(path, true), 0, 0, &error))
        << error.toStdString();
    EXPECT_EQ(modelDifference(original, copy).toStdString(), "");
}

TEST(XmlFormat, HostileOrDamagedFilesFailClearly)
{
    const struct {
        const char *file;
        const char *reason;
    } cases[] = {
        {"billion-laughs.xml", "document type"},
        {"external-entity.xml", "document type"},
        {"undeclared-encoding.xml", "UTF-8"},
        {"wrong-root.xml", "rvxml"},
        {"truncated.xml", ""},
        {"bad-style.xml", "style 99"},
        {"huge-table.xml", "table's size"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        RVDocument doc;
        QString error;
        EXPECT_FALSE(rvformats::loadDocument(doc, fixture(c.file), DocFormat::Xml, 0, 0, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
    }
}

// Files the fuzzer found harmful once: each reads without harm, and what it left saves and reads back.
TEST(XmlFormat, FuzzFindingsReadWithoutHarm)
{
    const QDir dir(QStringLiteral(TAVLEN_TEST_DATA "/xml/fuzz"));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        RVDocument doc;
        readBytes(doc, file.readAll());
        RVDocument again;
        QString error;
        EXPECT_TRUE(readBytes(again, rvformats::writeXml(doc, TRVFOptions::defaults()), &error)) << error.toStdString();
    }
}

TEST(XmlFormat, AttributesKeepAmpersandsAndMarkup)
{
    const QString name = QStringLiteral("Tom & Jerry &#38; <b> \"q\" &amp;");
    RVDocument original;
    original.style().TextStyles.resize(1);
    original.style().TextStyles[0].name = name;
    const QByteArray xml = rvformats::writeXml(original, TRVFOptions::defaults());
    ASSERT_TRUE(xml.contains("&amp;#38;"));
    RVDocument copy;
    ASSERT_TRUE(readBytes(copy, xml));
    ASSERT_EQ(copy.style().TextStyles.size(), 1u);
    EXPECT_EQ(copy.style().TextStyles[0].name, name);
}

// The parser hands long text, sections and references in pieces; a Windows-1251 file's text grows
// in UTF-8, so an element may hold more UTF-8 than the file has bytes.
TEST(XmlFormat, TextOfAnElementReadsWhole)
{
    const QByteArray cyrillic(5000, '\xC6'); // Ж
    RVDocument doc;
    QString error;
    ASSERT_TRUE(readBytes(doc, xmlFile("<p style=\"0\"/><t style=\"0\">" + cyrillic + "<![CDATA[<&>]]>&amp;&#1025;&lt;</t>"), &error))
        << error.toStdString();
    EXPECT_EQ(plainText(doc), QString(5000, QChar(0x0416)) + QStringLiteral("<&>&\u0401<"));
}

TEST(XmlFormat, ElementsOfNewerVersionsAreSkippedWithAllTheyHold)
{
    const QByteArray body = "<p style=\"0\"/><t style=\"0\">shown<note><t style=\"0\">inner</t></note> here</t>"
                            "<future><p style=\"0\"/><t style=\"0\">hidden</t><table rows=\"2147483648\"/></future>";
    RVDocument doc;
    QString error;
    ASSERT_TRUE(readBytes(doc, xmlFile(body), &error)) << error.toStdString();
    EXPECT_EQ(plainText(doc), QStringLiteral("shown here"));
}

TEST(XmlFormat, ElementsNestMostTwoHundredDeep)
{
    for (const int depth : {200, 201}) {
        SCOPED_TRACE(depth);
        QByteArray body = "<p style=\"0\"/><t style=\"0\">x</t>";
        body += QByteArray("<x>").repeated(depth) + QByteArray("</x>").repeated(depth);
        RVDocument doc;
        QString error;
        EXPECT_EQ(readBytes(doc, xmlFile(body), &error), depth == 200);
        EXPECT_EQ(error.contains(QLatin1String("nested too deeply")), depth == 201) << error.toStdString();
    }
}

// The byte check cannot see a document type in UTF-16; the parser still refuses it before its entities.
TEST(XmlFormat, DocumentTypeInAnyEncodingIsRefused)
{
    const char *const doctypes[] = {
        "<!DOCTYPE rvxml [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>",
        "<!DOCTYPE rvxml SYSTEM \"http://example.invalid/rvxml.dtd\">",
    };
    for (const char *doctype : doctypes) {
        SCOPED_TRACE(doctype);
        const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n") + QLatin1String(doctype)
                             + QStringLiteral("<rvxml version=\"1.0\"><p style=\"0\"/><t style=\"0\">&b;</t></rvxml>");
        const QByteArray utf16 = QByteArray("\xFF\xFE")
                                 + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        ASSERT_FALSE(utf16.contains("<!DOCTYPE"));
        RVDocument doc;
        QString error;
        EXPECT_FALSE(readBytes(doc, utf16, &error));
        EXPECT_TRUE(error.contains(QLatin1String("document type"))) << error.toStdString();
    }
}

// The first error ends the read: what came before it stays, nothing after it is read.
TEST(XmlFormat, ReadingStopsAtTheFirstError)
{
    const struct {
        const char *body;
        const char *reason;
    } cases[] = {
        {"<t style=\"99\">x</t><p style=\"0\"/><t style=\"0\">after</t>", "style 99"},
        {"<t style=\"0\">&nbsp;</t><p style=\"0\"/><t style=\"0\">after</t>", "Entity 'nbsp' not defined"},
        {"<t style=\"0\">x</p><p style=\"0\"/><t style=\"0\">after</t>", "tag mismatch"},
        {"<image kind=\"0\">not base64!</image><p style=\"0\"/><t style=\"0\">after</t>", "damaged"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.body);
        RVDocument doc;
        QString error;
        EXPECT_FALSE(readBytes(doc, xmlFile(QByteArray("<p style=\"0\"/><t style=\"0\">kept</t>") + c.body), &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        EXPECT_TRUE(plainText(doc).startsWith(QLatin1String("kept"))) << plainText(doc).toStdString();
        EXPECT_FALSE(plainText(doc).contains(QLatin1String("after")));
    }
}
