// The XML form: what it declares and holds, the round trip, a file re-saved in UTF-8, and hostile files.

#include "Cp1251.h"
#include "DocumentFormats.h"
#include "RichDocument.h"
#include "XmlFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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
