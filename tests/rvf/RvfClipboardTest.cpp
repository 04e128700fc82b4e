// Copy and paste inside the program carry the native format: styles, tags, checkpoints and controls
// come across; other programs get plain text, HTML and RTF, and what they offer comes in as items
// of the document's own kinds.

#include "RichDocument.h"
#include "RvfContent.h"
#include "RvfDocumentIO.h"
#include "TRichViewEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>

TEST(RvfClipboard, CopyPasteKeepsEveryItemAndMark)
{
    TRichViewEdit from, to;
    fillRichDocument(from.rvDocument());
    from.selectAll();
    from.copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasFormat(QLatin1String(TRichViewEdit::kRvfMimeType)));
    EXPECT_TRUE(data->hasText());

    to.paste();
    const RvfContent source = contentOf(*from.document()), pasted = contentOf(*to.document());
    ASSERT_EQ(pasted.blocks.size(), source.blocks.size());
    // The pasted styles are added to the target's sheet; compare what they look like.
    for (std::size_t i = 0; i < source.blocks.size(); ++i) {
        SCOPED_TRACE(i);
        if (source.blocks[i].table) {
            ASSERT_TRUE(pasted.blocks[i].table);
            EXPECT_EQ(pasted.blocks[i].table->cells.size(), source.blocks[i].table->cells.size());
            continue;
        }
        const auto &a = source.blocks[i].paragraph, &b = pasted.blocks[i].paragraph;
        EXPECT_EQ(to.rvStyle().ParaStyles[std::size_t(b.paraNo)].name, from.rvStyle().ParaStyles[std::size_t(a.paraNo)].name);
        ASSERT_EQ(a.items.size(), b.items.size());
        for (std::size_t k = 0; k < a.items.size(); ++k) {
            RvfItem x = a.items[k], y = b.items[k];
            EXPECT_EQ(to.rvStyle().TextStyles[std::size_t(y.styleNo)].sameFormatting(
                          from.rvStyle().TextStyles[std::size_t(x.styleNo)]),
                      true);
            x.styleNo = y.styleNo = 0;
            EXPECT_TRUE(x == y) << x.text.toStdString() << " / " << y.text.toStdString();
        }
    }
    // Pasting is one step the user can take back.
    to.undo();
    EXPECT_TRUE(to.document()->toPlainText().isEmpty());
}

TEST(RvfClipboard, ReadOnlyEditorRefusesThePaste)
{
    TRichViewEdit from, to;
    fillRichDocument(from.rvDocument());
    from.selectAll();
    from.copy();
    to.setReadOnly(true);
    to.paste();
    EXPECT_TRUE(to.document()->toPlainText().isEmpty());
}

// What other programs offer becomes the document's own items: RTF through its reader, a picture as
// a picture item, anything else (HTML included) as plain text in the caret's style. Whatever was
// pasted survives the native format.
TEST(RvfClipboard, PastesFromOtherProgramsBecomeItemsOfTheModel)
{
    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    const struct {
        const char *what;
        std::function<void(QMimeData &)> fill;
        std::function<void(const TRichViewEdit &)> check;
    } cases[] = {
        {"HTML with formatting",
         [](QMimeData &m) {
             m.setHtml(QStringLiteral("<b>bold</b> and <span style='color:red'>red</span>"));
             m.setText(QStringLiteral("bold and red"));
         },
         [](const TRichViewEdit &e) {
             EXPECT_EQ(e.document()->toPlainText(), QStringLiteral("bold and red"));
             const RvfContent c = contentOf(*e.document());
             ASSERT_EQ(c.blocks.size(), 1u);
             ASSERT_EQ(c.blocks[0].paragraph.items.size(), 1u);
             EXPECT_EQ(c.blocks[0].paragraph.items[0].styleNo, 0);
         }},
        {"RTF",
         [](QMimeData &m) {
             m.setData(QLatin1String(TRichViewEdit::kRtfMimeType), QByteArray("{\\rtf1\\ansi plain {\\b bold}}"));
             m.setText(QStringLiteral("ignored: RTF is richer"));
         },
         [](const TRichViewEdit &e) {
             EXPECT_EQ(e.document()->toPlainText(), QStringLiteral("plain bold"));
             const RvfContent c = contentOf(*e.document());
             ASSERT_EQ(c.blocks.size(), 1u);
             ASSERT_EQ(c.blocks[0].paragraph.items.size(), 2u);
             EXPECT_TRUE(e.rvDocument().style().TextStyles[std::size_t(c.blocks[0].paragraph.items[1].styleNo)].bold);
         }},
        {"a picture", [&red](QMimeData &m) { m.setImageData(red); },
         [](const TRichViewEdit &e) {
             const RvfContent c = contentOf(*e.document());
             ASSERT_EQ(c.blocks.size(), 1u);
             ASSERT_EQ(c.blocks[0].paragraph.items.size(), 1u);
             const RvfItem &item = c.blocks[0].paragraph.items[0];
             EXPECT_EQ(item.kind, RvfItem::Picture);
             EXPECT_EQ(QImage::fromData(item.picture.data).size(), QSize(4, 3));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TRichViewEdit editor;
        auto *data = new QMimeData;
        c.fill(*data);
        QApplication::clipboard()->setMimeData(data);
        editor.paste();
        c.check(editor);
        RVDocument again;
        QTextCursor cursor(again.textDocument());
        QString error;
        ASSERT_TRUE(readRvfBytes(again, cursor, writeRvfBytes(editor.rvDocument(), TRVFOptions::defaults()),
                                 TRVFOptions::defaults(), RvfReadMode::Load, &error))
            << error.toStdString();
        EXPECT_EQ(modelDifference(editor.rvDocument(), again).toStdString(), "");
    }
}

// A copy offers RTF too, so word processors receive the formatting.
TEST(RvfClipboard, CopyOffersRtfThatReadsBack)
{
    TRichViewEdit from;
    fillRichDocument(from.rvDocument());
    from.selectAll();
    from.copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(QLatin1String(TRichViewEdit::kRtfMimeType)));
    TRichViewEdit to;
    auto *rtfOnly = new QMimeData;
    rtfOnly->setData(QLatin1String(TRichViewEdit::kRtfMimeType), data->data(QLatin1String(TRichViewEdit::kRtfMimeType)));
    QApplication::clipboard()->setMimeData(rtfOnly);
    to.paste();
    EXPECT_TRUE(to.document()->toPlainText().startsWith(QStringLiteral("Plain Русский текст")))
        << to.document()->toPlainText().left(40).toStdString();
}
