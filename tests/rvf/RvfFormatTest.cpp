// The native format: the round trip of a document holding everything, the sixteen options, and
// damaged or hostile files.

#include "DocumentFormats.h"
#include "RVControls.h"
#include "RichDocument.h"
#include "RvfContent.h"
#include "RvfDocumentIO.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <QTemporaryDir>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>

using rvformats::DocFormat;

namespace {

TRVFOptions optionsWith(std::initializer_list<std::pair<TRVFOption, bool>> changes)
{
    TRVFOptions o = TRVFOptions::defaults();
    for (const auto &[option, on] : changes)
        o.set(option, on);
    return o;
}

struct Files {
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

bool save(const RVDocument &doc, const QString &path, DocFormat format, const TRVFOptions &o = TRVFOptions::defaults())
{
    QString error;
    const bool ok = rvformats::saveDocument(doc, path, format, &error, o);
    EXPECT_TRUE(ok) << error.toStdString();
    return ok;
}

bool load(RVDocument &doc, const QString &path, DocFormat format, const TRVFOptions &o = TRVFOptions::defaults(),
          QString *error = nullptr)
{
    QString why;
    const bool ok = rvformats::loadDocument(doc, path, format, 0, 0, &why, o);
    if (error)
        *error = why;
    return ok;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString fixture(const char *name)
{
    return QStringLiteral(TAVLEN_TEST_DATA "/rvf/") + QLatin1String(name);
}

std::vector<RvfItem> allItems(const RVDocument &doc)
{
    std::vector<RvfItem> items;
    std::function<void(const std::vector<RvfBlock> &)> walk = [&](const std::vector<RvfBlock> &blocks) {
        for (const RvfBlock &b : blocks) {
            if (b.table)
                for (const RvfCell &c : b.table->cells)
                    walk(c.blocks);
            items.insert(items.end(), b.paragraph.items.begin(), b.paragraph.items.end());
        }
    };
    walk(contentOf(*doc.textDocument()).blocks);
    return items;
}

int countKind(const RVDocument &doc, RvfItem::Kind kind)
{
    int n = 0;
    for (const RvfItem &item : allItems(doc))
        n += item.kind == kind;
    return n;
}

} // namespace

TEST(RvfFormat, RichDocumentBuildsTheModelItWasGiven)
{
    RVDocument doc;
    fillRichDocument(doc);
    EXPECT_EQ(countKind(doc, RvfItem::Control), 6);
    EXPECT_EQ(countKind(doc, RvfItem::Picture), 2);
    ASSERT_TRUE(endCheckpoint(*doc.textDocument()));
    // The table's own format and the cells' borders are part of the model the formats must keep.
    const RvfContent content = contentOf(*doc.textDocument());
    const auto table = std::find_if(content.blocks.begin(), content.blocks.end(), [](const RvfBlock &b) { return bool(b.table); });
    ASSERT_NE(table, content.blocks.end());
    EXPECT_EQ(table->table->columnWidths, (std::vector<int>{100, 0, 50}));
    EXPECT_EQ(table->table->cellPadding, 4);
    EXPECT_EQ(table->table->cells[0].columnSpan, 2);
    EXPECT_EQ(table->table->cells[0].left, (RvfCellBorder{1, 0x0000FF}));
    EXPECT_EQ(table->table->cells[1].rowSpan, 2);
}

class RvfRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(RvfRoundTrip, EveryPartOfTheModelSurvives)
{
    Files files;
    RVDocument original;
    fillRichDocument(original);
    const TRVFOptions o = optionsWith({{rvfoSaveBinary, GetParam()}});
    ASSERT_TRUE(save(original, files.path("doc.rvf"), DocFormat::Rvf, o));
    RVDocument copy;
    QString error;
    ASSERT_TRUE(load(copy, files.path("doc.rvf"), DocFormat::Rvf, o, &error)) << error.toStdString();
    EXPECT_EQ(modelDifference(original, copy).toStdString(), "");

    // Saved again, the file is the same byte for byte.
    ASSERT_TRUE(save(copy, files.path("again.rvf"), DocFormat::Rvf, o));
    EXPECT_EQ(fileBytes(files.path("doc.rvf")), fileBytes(files.path("again.rvf")));
}

// The committed files were written by this version of the format: they must go on reading the same,
// and the writer must go on writing them byte for byte, or the format has changed under its users.
TEST_P(RvfRoundTrip, TheCommittedFileOfThisVersionStillReadsAndIsWrittenTheSame)
{
    const QString name = QLatin1String(GetParam() ? "rich-binary.rvf" : "rich-text.rvf");
    RVDocument expected;
    fillRichDocument(expected);
    const QByteArray written = writeRvfBytes(expected, optionsWith({{rvfoSaveBinary, GetParam()}}));
    const QByteArray committed = fileBytes(fixture(name.toLatin1().constData()));
    if (written != committed) {
        QFile actual(QStringLiteral(TAVLEN_BUILD_DIR "/") + name);
        if (actual.open(QIODevice::WriteOnly))
            actual.write(written);
        ADD_FAILURE() << "this version writes another file; it is in " << actual.fileName().toStdString();
    }
    RVDocument loaded;
    QString error;
    ASSERT_TRUE(load(loaded, fixture(name.toLatin1().constData()), DocFormat::Rvf, TRVFOptions::defaults(), &error))
        << error.toStdString();
    EXPECT_EQ(modelDifference(expected, loaded).toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(BothForms, RvfRoundTrip, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "Binary" : "Text"; });

TEST(RvfFormat, TextFormIsLinesOfNamedFields)
{
    Files files;
    RVDocument doc;
    fillRichDocument(doc);
    ASSERT_TRUE(save(doc, files.path("doc.rvf"), DocFormat::Rvf, optionsWith({{rvfoSaveBinary, false}})));
    const QByteArray bytes = fileBytes(files.path("doc.rvf"));
    EXPECT_TRUE(bytes.startsWith("TAVLEN-RVF-TEXT 1.0\n"));
    EXPECT_TRUE(bytes.contains("\nCTRL class=\"TMemo\" caption=\"Caption of TMemo\\r\\nsecond\""));
    EXPECT_EQ(bytes.count("\nIMAG "), 1); // the picture shown twice is stored once
    EXPECT_TRUE(bytes.endsWith("\nENDF\n"));
}

// A newer version's records are skipped; the rest of its file reads.
TEST(RvfFormat, UnknownRecordsOfANewerVersionAreSkipped)
{
    RVDocument doc;
    QTextCursor c(doc.textDocument());
    QString error;
    ASSERT_TRUE(load(doc, fixture("newer-records.rvf"), DocFormat::Rvf, TRVFOptions::defaults(), &error))
        << error.toStdString();
    EXPECT_EQ(doc.textDocument()->toPlainText(), QStringLiteral("kept\nalso kept"));
}

// A text form a text editor saved again, with CR LF and blanks at line ends, reads as before.
TEST(RvfFormat, TextFormEditedInATextEditorReads)
{
    RVDocument doc;
    QString error;
    ASSERT_TRUE(load(doc, fixture("edited-text-form.rvf"), DocFormat::Rvf, TRVFOptions::defaults(), &error))
        << error.toStdString();
    EXPECT_EQ(doc.textDocument()->toPlainText(), QStringLiteral("kept "));
}

// Each option, saved with it switched one way and read back: what the document holds afterwards.
TEST(RvfFormat, TheSixteenOptions)
{
    struct Case {
        const char *name;
        TRVFOptions save, load;
        const char *fixture; // read instead of saving the rich document
        bool loads;
        std::function<void(const RVDocument &original, const RVDocument &loaded, const QByteArray &file)> check;
    };
    const RVDocument fresh;
    const Case cases[] = {
        {"SavePicturesBody off: pictures keep their size, not their data", optionsWith({{rvfoSavePicturesBody, false}}),
         TRVFOptions::defaults(), nullptr, true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &file) {
             EXPECT_FALSE(file.contains("IMAG"));
             for (const RvfItem &item : allItems(d))
                 if (item.kind == RvfItem::Picture) {
                     EXPECT_TRUE(item.picture.data.isEmpty());
                     EXPECT_EQ(item.picture.size, QSize(30, 20));
                 }
             EXPECT_EQ(countKind(d, RvfItem::Picture), 2);
         }},
        {"SaveControlsBody off: no controls are stored", optionsWith({{rvfoSaveControlsBody, false}}),
         TRVFOptions::defaults(), nullptr, true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &) { EXPECT_EQ(countKind(d, RvfItem::Control), 0); }},
        {"SaveBack off", optionsWith({{rvfoSaveBack, false}}), TRVFOptions::defaults(), nullptr, true,
         [&](const RVDocument &, const RVDocument &d, const QByteArray &) { EXPECT_EQ(d.background(), fresh.background()); }},
        {"SaveLayout off", optionsWith({{rvfoSaveLayout, false}}), TRVFOptions::defaults(), nullptr, true,
         [&](const RVDocument &, const RVDocument &d, const QByteArray &) {
             EXPECT_EQ(d.layout(), fresh.layout());
             EXPECT_EQ(d.pageSetup(), fresh.pageSetup());
         }},
        {"SaveBinary on", TRVFOptions::defaults(), TRVFOptions::defaults(), nullptr, true,
         [](const RVDocument &o, const RVDocument &d, const QByteArray &file) {
             EXPECT_TRUE(file.startsWith("TVRVF\x1A"));
             EXPECT_EQ(modelDifference(o, d).toStdString(), "");
         }},
        {"SaveBinary off", optionsWith({{rvfoSaveBinary, false}}), TRVFOptions::defaults(), nullptr, true,
         [](const RVDocument &o, const RVDocument &d, const QByteArray &file) {
             EXPECT_TRUE(file.startsWith("TAVLEN-RVF-TEXT "));
             EXPECT_EQ(modelDifference(o, d).toStdString(), "");
         }},
        {"LoadBack off", TRVFOptions::defaults(), optionsWith({{rvfoLoadBack, false}}), nullptr, true,
         [&](const RVDocument &, const RVDocument &d, const QByteArray &file) {
             EXPECT_TRUE(file.contains("BACK"));
             EXPECT_EQ(d.background(), fresh.background());
         }},
        {"LoadLayout off", TRVFOptions::defaults(), optionsWith({{rvfoLoadLayout, false}}), nullptr, true,
         [&](const RVDocument &, const RVDocument &d, const QByteArray &) { EXPECT_EQ(d.layout(), fresh.layout()); }},
        {"IgnoreUnknownPicFmt off: an error", {}, TRVFOptions::defaults(), "unknown-picture.rvf", false, {}},
        {"IgnoreUnknownPicFmt on: the picture is skipped", {}, optionsWith({{rvfoIgnoreUnknownPicFmt, true}}),
         "unknown-picture.rvf", true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &) {
             EXPECT_EQ(countKind(d, RvfItem::Picture), 0);
             EXPECT_EQ(d.textDocument()->toPlainText(), QStringLiteral("before after"));
         }},
        {"IgnoreUnknownCtrls off: an error", {}, TRVFOptions::defaults(), "unknown-control.rvf", false, {}},
        {"IgnoreUnknownCtrls on: the control is skipped", {}, optionsWith({{rvfoIgnoreUnknownCtrls, true}}),
         "unknown-control.rvf", true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &) {
             ASSERT_EQ(countKind(d, RvfItem::Control), 1);
             for (const RvfItem &item : allItems(d)) {
                 if (item.kind == RvfItem::Control) {
                     EXPECT_EQ(item.control.className, QStringLiteral("TButton"));
                 }
             }
         }},
        {"ConvUnknownStylesToZero off: an error", {}, TRVFOptions::defaults(), "style-2-31.rvf", false, {}},
        {"ConvUnknownStylesToZero on: style 0", {}, optionsWith({{rvfoConvUnknownStylesToZero, true}}),
         "style-2-31.rvf", true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &) {
             for (const RvfItem &item : allItems(d))
                 EXPECT_EQ(item.styleNo, 0);
         }},
        {"ConvLargeImageIdxToZero off: an error", {}, TRVFOptions::defaults(), "image-index.rvf", false, {}},
        {"ConvLargeImageIdxToZero on: image 0", {}, optionsWith({{rvfoConvLargeImageIdxToZero, true}}),
         "image-index.rvf", true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &) {
             ASSERT_EQ(countKind(d, RvfItem::Picture), 1);
             EXPECT_EQ(allItems(d)[0].picture.data, QByteArray("first"));
         }},
        {"SaveTextStyles off: the document's own text styles stay", optionsWith({{rvfoSaveTextStyles, false}}),
         optionsWith({{rvfoConvUnknownStylesToZero, true}}), nullptr, true,
         [&](const RVDocument &, const RVDocument &d, const QByteArray &file) {
             EXPECT_FALSE(file.contains("TSTY"));
             EXPECT_EQ(d.style().TextStyles, fresh.style().TextStyles);
         }},
        {"SaveParaStyles off: the document's own paragraph styles stay", optionsWith({{rvfoSaveParaStyles, false}}),
         optionsWith({{rvfoConvUnknownStylesToZero, true}}), nullptr, true,
         [&](const RVDocument &, const RVDocument &d, const QByteArray &file) {
             EXPECT_FALSE(file.contains("PSTY"));
             EXPECT_EQ(d.style().ParaStyles, fresh.style().ParaStyles);
         }},
        {"UseStyleNames: styles by name", optionsWith({{rvfoUseStyleNames, true}, {rvfoSaveBinary, false}}),
         TRVFOptions::defaults(), nullptr, true,
         [](const RVDocument &o, const RVDocument &d, const QByteArray &file) {
             EXPECT_TRUE(file.contains("style=\"Заголовок \\\"1\\\"\"")) << file.left(3000).toStdString();
             EXPECT_EQ(modelDifference(o, d).toStdString(), "");
         }},
        {"SaveDocProperties off", optionsWith({{rvfoSaveDocProperties, false}}), TRVFOptions::defaults(), nullptr, true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &) {
             EXPECT_EQ(d.textDocument()->metaInformation(QTextDocument::DocumentTitle), QString());
         }},
        {"LoadDocProperties off", TRVFOptions::defaults(), optionsWith({{rvfoLoadDocProperties, false}}), nullptr, true,
         [](const RVDocument &, const RVDocument &d, const QByteArray &file) {
             EXPECT_TRUE(file.contains("DOCP"));
             EXPECT_EQ(d.textDocument()->metaInformation(QTextDocument::DocumentTitle), QString());
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Files files;
        RVDocument original;
        fillRichDocument(original);
        QString path = c.fixture ? fixture(c.fixture) : files.path("doc.rvf");
        if (!c.fixture) {
            ASSERT_TRUE(save(original, path, DocFormat::Rvf, c.save));
        }
        RVDocument loaded;
        QString error;
        EXPECT_EQ(load(loaded, path, DocFormat::Rvf, c.load, &error), c.loads) << error.toStdString();
        if (!c.loads) {
            EXPECT_FALSE(error.isEmpty());
        }
        if (c.check)
            c.check(original, loaded, fileBytes(path));
    }
}

// Damaged and hostile files fail with a reason and leave a usable document.
TEST(RvfFormat, BadFilesFailClearly)
{
    const struct {
        const char *file;
        const char *reason;
    } cases[] = {
        {"truncated.rvf", "truncated"},
        {"truncated-text.rvf", "truncated"},
        {"wrong-version.rvf", "version 7.0"},
        {"length-past-end.rvf", "past"},
        {"negative-count.rvf", "field count"},
        {"negative-table.rvf", "table's size"},
        {"style-2-31.rvf", "2147483648"},
        {"huge-image.rvf", "size"},
        {"not-native.rvf", "not in the native format"},
        {"paragraph-between-cells.rvf", "between the cells"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        RVDocument doc;
        QString error;
        EXPECT_FALSE(load(doc, fixture(c.file), DocFormat::Rvf, TRVFOptions::defaults(), &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        QTextCursor(doc.textDocument()).insertText(QStringLiteral("still editable"));
    }
}

// What a file held before the damage stays in the document, as with the other formats.
TEST(RvfFormat, TruncatedFileKeepsWhatCameBefore)
{
    RVDocument doc;
    EXPECT_FALSE(load(doc, fixture("truncated-text.rvf"), DocFormat::Rvf));
    EXPECT_EQ(doc.textDocument()->toPlainText(), QStringLiteral("first line"));
}

TEST(RvfFormat, ConvertsThroughEveryFormat)
{
    Files files;
    RVDocument original;
    fillRichDocument(original);
    ASSERT_TRUE(save(original, files.path("a.rvf"), DocFormat::Rvf));
    // rvf -> xml -> text rvf -> rvf: nothing is lost on the way.
    RVDocument viaXml, viaText;
    ASSERT_TRUE(load(viaXml, files.path("a.rvf"), DocFormat::Rvf));
    ASSERT_TRUE(save(viaXml, files.path("b.xml"), DocFormat::Xml));
    ASSERT_TRUE(load(viaText, files.path("b.xml"), DocFormat::Xml));
    EXPECT_EQ(modelDifference(original, viaText).toStdString(), "");
    // and into the formats that hold less, without failing.
    for (DocFormat f : {DocFormat::Rtf, DocFormat::Text, DocFormat::UnicodeText})
        EXPECT_TRUE(save(viaText, files.path(QStringLiteral("c.%1").arg(int(f))), f));
}

// A picture whose own header declares 2^31 - 1 pixels each way is kept, shown as a placeholder.
TEST(RvfFormat, PictureDeclaringAHugeSizeIsKeptUndrawn)
{
    RVDocument doc;
    QString error;
    ASSERT_TRUE(load(doc, fixture("huge-png.rvf"), DocFormat::Rvf, TRVFOptions::defaults(), &error))
        << error.toStdString();
    ASSERT_EQ(countKind(doc, RvfItem::Picture), 1);
    EXPECT_LE(doc.textDocument()->size().width(), 10000);
}

// Files the fuzzer found harmful once: each reads under every option without harm, and what it
// left in the document saves and reads back.
TEST(RvfFormat, FuzzFindingsReadWithoutHarm)
{
    TRVFOptions all;
    for (unsigned i = 0; i < rvfoCount; ++i)
        all.set(TRVFOption(i), true);
    const QDir dir(QStringLiteral(TAVLEN_TEST_DATA "/rvf/fuzz"));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        RVDocument doc;
        load(doc, dir.filePath(name), DocFormat::Rvf, all);
        const QByteArray written = writeRvfBytes(doc, TRVFOptions::defaults());
        RVDocument again;
        QTextCursor c(again.textDocument());
        QString error;
        EXPECT_TRUE(readRvfBytes(again, c, written, TRVFOptions::defaults(), RvfReadMode::Load, &error))
            << error.toStdString();
    }
}

// The checkpoint after the last item belongs to the document's content: emptying the document drops it.
TEST(RvfFormat, EmptyingTheDocumentDropsTheEndCheckpoint)
{
    RVDocument doc;
    fillRichDocument(doc);
    doc.setLayout({1, 2, 3, 4}); // the layout shares the root frame's format with it
    ASSERT_TRUE(endCheckpoint(*doc.textDocument()));
    doc.clear();
    EXPECT_FALSE(endCheckpoint(*doc.textDocument()));
}
