// Copy and paste inside the program carry the native format: styles, tags, checkpoints and controls
// come across; other programs still get plain text and HTML.

#include "RichDocument.h"
#include "RvfContent.h"
#include "TRichViewEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
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
