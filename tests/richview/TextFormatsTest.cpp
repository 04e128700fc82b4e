#include "DocumentFormats.h"
#include "RVDocument.h"
#include "TextFormats.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <gtest/gtest.h>

using rvformats::DocFormat;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList paragraphs(const RVDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.textDocument()->begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

} // namespace

TEST(Utf16Test, AnswersByLengthMarkAndZeroBytes)
{
    QTemporaryDir dir;
    struct Case {
        const char *what;
        QByteArray bytes;
        bool expected;
    } cases[] = {
        {"empty", QByteArray(), false},
        {"odd length", QByteArray("abc"), false},
        {"two letters, nothing after them", QByteArray("ab"), false},
        {"a zero b zero", QByteArray("a\0b\0", 4), true},
        {"little-endian mark", QByteArray("\xFF\xFE", 2), true},
        {"big-endian mark", QByteArray("\xFE\xFF\0a", 4), true},
        {"plain text", QByteArray("abcd"), false},
        {"zero as the 500th byte after the first two", QByteArray(501, 'x') + QByteArray(1, '\0'), true},
        {"zero only after the first 502 bytes", QByteArray(502, 'x') + QByteArray(2, '\0'), false},
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString path = writeFile(dir, QStringLiteral("f%1.txt").arg(n++), c.bytes);
        EXPECT_EQ(rvformats::isUtf16File(path), c.expected) << c.what;
    }
    EXPECT_FALSE(rvformats::isUtf16File(dir.filePath(QStringLiteral("missing.txt"))));
}

TEST(ExtensionRule, TakesTheLastDotAfterTheLastSeparatorCaseSensitively)
{
    struct Case {
        const char *name;
        const char *extension;
        DocFormat format;
    } cases[] = {
        {"/docs/a.rtf", ".rtf", DocFormat::Rtf},
        {"/docs/A.RTF", ".RTF", DocFormat::Text},
        {"notes.xml", ".xml", DocFormat::Xml},
        {"store.rvf", ".rvf", DocFormat::Rvf},
        {"archive.tar.gz", ".gz", DocFormat::Text},
        {"/dir.v2/README", "", DocFormat::Text},
        {"plain", "", DocFormat::Text},
        {"/docs/.rtf", ".rtf", DocFormat::Rtf},
        {"trailing.", ".", DocFormat::Text},
    };
    for (const Case &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(rvformats::extensionOf(name), QLatin1String(c.extension)) << c.name;
        EXPECT_EQ(rvformats::formatByExtension(name, true), c.format) << c.name;
    }
}

TEST(TextFiles, EightBitRoundTripKeepsEveryByte)
{
    QTemporaryDir dir;
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n' && b != '\f')
            all += char(b);
    const QByteArray content = all + "\r\nsecond line\r\n\r\nlast";
    const QString in = writeFile(dir, QStringLiteral("in.txt"), content);

    RVDocument doc;
    ASSERT_TRUE(rvformats::loadText(doc, in, 0, 0, nullptr));
    EXPECT_EQ(paragraphs(doc).size(), 4);
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(rvformats::saveText(doc, out, nullptr));
    EXPECT_EQ(readFile(out), content);
}

TEST(TextFiles, EveryLineBreakKindStartsAParagraph)
{
    QTemporaryDir dir;
    const QString in = writeFile(dir, QStringLiteral("in.txt"), QByteArray("a\r\nb\n\rc\rd\ne\ff\xe0"));
    RVDocument doc;
    ASSERT_TRUE(rvformats::loadText(doc, in, 3, 2, nullptr));
    EXPECT_EQ(paragraphs(doc), (QStringList{"a", "b", "c", "d", "e", QString::fromUtf8("fа")}));
    // Loaded in the requested styles.
    const QTextBlock last = doc.textDocument()->lastBlock();
    EXPECT_EQ(paraStyleNo(last.blockFormat()), 2);
    EXPECT_EQ(textStyleNo(last.begin().fragment().charFormat()), 3);
}

TEST(TextFiles, Utf16ReadsBothByteOrdersAndSavesLittleEndianWithMark)
{
    QTemporaryDir dir;
    struct Case {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"little-endian with mark", QByteArray("\xFF\xFE\x2F\x04\r\0\n\0x\0", 10)},
        {"big-endian with mark", QByteArray("\xFE\xFF\x04\x2F\0\r\0\n\0x", 10)},
        {"no mark means little-endian", QByteArray("\x2F\x04\r\0\n\0x\0", 8)},
    };
    for (const Case &c : cases) {
        RVDocument doc;
        const QString in = writeFile(dir, QStringLiteral("u.txt"), c.bytes);
        ASSERT_TRUE(rvformats::loadUnicodeText(doc, in, 0, 0, nullptr)) << c.what;
        EXPECT_EQ(paragraphs(doc), (QStringList{QString::fromUtf8("Я"), "x"})) << c.what;
        const QString out = dir.filePath(QStringLiteral("out.txt"));
        ASSERT_TRUE(rvformats::saveUnicodeText(doc, out, nullptr));
        EXPECT_EQ(readFile(out), QByteArray("\xFF\xFE\x2F\x04\r\0\n\0x\0", 10)) << c.what;
    }
}

TEST(TextFiles, BrokenUtf16AndNulBytesLoadWithoutHarm)
{
    QTemporaryDir dir;
    // A lone high surrogate, a lone low surrogate, NUL units and an odd trailing byte.
    const QString in = writeFile(dir, QStringLiteral("bad.txt"), QByteArray("\xFF\xFE\x00\xD8\x00\xDC\0\0a\0\x01", 11));
    RVDocument doc;
    EXPECT_TRUE(rvformats::loadUnicodeText(doc, in, 0, 0, nullptr));
    EXPECT_TRUE(doc.textDocument()->toPlainText().endsWith(QLatin1Char('a')));
}

TEST(TextFiles, MissingFileIsAnEmptyDocumentAndAFolderIsAnError)
{
    QTemporaryDir dir;
    RVDocument doc;
    QString error;
    EXPECT_TRUE(rvformats::loadText(doc, dir.filePath(QStringLiteral("new.txt")), 0, 0, &error));
    EXPECT_EQ(doc.itemCount(), 1);
    EXPECT_FALSE(rvformats::loadText(doc, dir.path(), 0, 0, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextFiles, FailedSaveLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString blocker = writeFile(dir, QStringLiteral("not-a-folder"), "x");
    RVDocument doc;
    QString error;
    EXPECT_FALSE(rvformats::saveText(doc, blocker + QStringLiteral("/inside.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(blocker), QByteArray("x"));
}
