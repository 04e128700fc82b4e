#include "RvfContent.h"

#include "CellBorders.h"
#include "ParagraphStart.h"

#include "RVStyle.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <algorithm>

bool RvfBlock::operator==(const RvfBlock &other) const
{
    if (bool(table) != bool(other.table))
        return false;
    return table ? *table == *other.table : paragraph == other.paragraph;
}

namespace {

RvfItem objectItem(const QTextCharFormat &f)
{
    RvfItem item;
    if (std::optional<RVPicture> picture = pictureOf(f)) {
        item.kind = RvfItem::Picture;
        item.picture = std::move(*picture);
    } else if (std::optional<RVControl> control = controlOf(f)) {
        item.kind = RvfItem::Control;
        item.control = std::move(*control);
    }
    item.tag = f.stringProperty(rvprop::Tag);
    item.checkpoint = checkpointOf(f);
    return item;
}

RvfParagraph paragraphOf(const QTextBlock &block)
{
    RvfParagraph p;
    const QTextBlockFormat bf = block.blockFormat();
    p.paraNo = paraStyleNo(bf);
    p.pageBreakBefore = bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
    if (const QTextList *list = block.textList()) {
        const QTextListFormat lf = list->format();
        if (lf.hasProperty(rvprop::ListStyleNo)) {
            p.listNo = lf.intProperty(rvprop::ListStyleNo);
            p.listLevel = lf.intProperty(rvprop::ListLevel);
        }
    }
    if (block.begin().atEnd()) {
        // An empty paragraph is one empty text item in the paragraph's own character format.
        const QTextCharFormat f = block.charFormat();
        RvfItem item;
        item.styleNo = textStyleNo(f);
        item.tag = f.stringProperty(rvprop::Tag);
        item.checkpoint = checkpointOf(f);
        p.items.push_back(std::move(item));
        return p;
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment frag = it.fragment();
        const QTextCharFormat f = frag.charFormat();
        const QString text = frag.text();
        if (f.objectType() != QTextFormat::NoObject) {
            // Qt joins neighbouring objects of one format into one fragment; each is an item.
            for (qsizetype i = 0; i < text.size(); ++i)
                p.items.push_back(objectItem(f));
            continue;
        }
        RvfItem item;
        item.text = text;
        item.styleNo = textStyleNo(f);
        item.tag = f.stringProperty(rvprop::Tag);
        item.checkpoint = checkpointOf(f);
        p.items.push_back(std::move(item));
    }
    return p;
}

std::vector<RvfBlock> blocksOf(QTextFrame::iterator it);

bool isEmptyParagraph(const RvfParagraph &p)
{
    return p.items.size() == 1 && p.items[0].kind == RvfItem::Text && p.items[0].text.isEmpty()
           && p.items[0].tag.isEmpty() && !p.items[0].checkpoint && p.listNo < 0;
}

RVColor colorOf(const QBrush &brush)
{
    const QColor c = brush.color();
    return rvColor(c.red(), c.green(), c.blue());
}

RvfCellBorder borderOf(QTextFrameFormat::BorderStyle style, qreal width, const QBrush &brush)
{
    if (style == QTextFrameFormat::BorderStyle_None || width <= 0)
        return {};
    return {int(width), colorOf(brush)};
}

std::shared_ptr<RvfTable> tableOf(const QTextTable &table)
{
    auto t = std::make_shared<RvfTable>();
    t->rows = table.rows();
    t->columns = table.columns();
    const QTextTableFormat tf = table.format();
    t->border = int(tf.border());
    t->cellSpacing = int(tf.cellSpacing());
    t->cellPadding = int(tf.cellPadding());
    const QList<QTextLength> widths = tf.columnWidthConstraints();
    if (!widths.isEmpty())
        for (int c = 0; c < t->columns; ++c) {
            const QTextLength w = widths.value(c);
            t->columnWidths.push_back(w.type() == QTextLength::FixedLength ? int(w.rawValue()) : 0);
        }
    for (int r = 0; r < t->rows; ++r)
        for (int c = 0; c < t->columns; ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue; // covered by a span
            RvfCell out;
            out.row = r;
            out.column = c;
            out.rowSpan = cell.rowSpan();
            out.columnSpan = cell.columnSpan();
            const QTextTableCellFormat cf = cell.format().toTableCellFormat();
            const QBrush back = cf.background();
            if (back.style() != Qt::NoBrush)
                out.background = colorOf(back);
            out.left = borderOf(cf.leftBorderStyle(), cf.leftBorder(), cf.leftBorderBrush());
            out.top = borderOf(cf.topBorderStyle(), cf.topBorder(), cf.topBorderBrush());
            out.right = borderOf(cf.rightBorderStyle(), cf.rightBorder(), cf.rightBorderBrush());
            out.bottom = borderOf(cf.bottomBorderStyle(), cf.bottomBorder(), cf.bottomBorderBrush());
            out.blocks = blocksOf(cell.begin());
            t->cells.push_back(std::move(out));
        }
    return t;
}

std::vector<RvfBlock> blocksOf(QTextFrame::iterator it)
{
    std::vector<RvfBlock> blocks;
    bool afterTable = false;
    for (; !it.atEnd(); ++it) {
        if (QTextFrame *frame = it.currentFrame()) {
            if (const auto *table = qobject_cast<QTextTable *>(frame)) {
                RvfBlock b;
                b.table = tableOf(*table);
                blocks.push_back(std::move(b));
                afterTable = true;
            }
            continue;
        }
        RvfBlock b;
        b.paragraph = paragraphOf(it.currentBlock());
        // Qt keeps a paragraph after every table; when empty it is stored with the table.
        const bool trailing = afterTable && isEmptyParagraph(b.paragraph);
        afterTable = false;
        if (trailing)
            blocks.back().paragraph = std::move(b.paragraph);
        else
            blocks.push_back(std::move(b));
    }
    return blocks;
}

} // namespace

class RvfContentInserter::Builder
{
public:
    using Lists = rvformats::ParagraphLists;

    explicit Builder(const TRVStyle &style)
        : style_(style)
        , charFormats_(std::max<std::size_t>(1, style.TextStyles.size()))
        , blockFormats_(std::max<std::size_t>(1, style.ParaStyles.size()))
    {
    }

    void blocks(QTextCursor &c, const std::vector<RvfBlock> &blocks, bool &continueBlock, Lists &lists)
    {
        for (const RvfBlock &b : blocks) {
            if (b.table) {
                table(c, *b.table, continueBlock);
                // The paragraph Qt keeps after the table becomes the one stored with it, if any.
                if (!b.paragraph.items.empty())
                    paragraph(c, b.paragraph, continueBlock, lists);
            } else {
                paragraph(c, b.paragraph, continueBlock, lists);
            }
        }
    }

private:
    // Making a format from a style is dear next to inserting text in it; each is made once.
    const QTextCharFormat &charFormat(int styleNo)
    {
        if (styleNo < 0 || std::size_t(styleNo) >= charFormats_.size())
            styleNo = 0;
        if (!charFormats_[std::size_t(styleNo)])
            charFormats_[std::size_t(styleNo)] = withHashWorkedOut(style_.charFormat(styleNo));
        return *charFormats_[std::size_t(styleNo)];
    }

    // A text format carries a hash that Qt works out when it first compares the format, and keeps;
    // inserting text makes a private copy of the format and looks it up by that hash, so a format
    // whose hash is not yet worked out has it worked out afresh for every piece of text. Comparing
    // it once with an equal format of its own works it out for good.
    static QTextCharFormat withHashWorkedOut(const QTextCharFormat &format)
    {
        QTextCharFormat equal = format;
        equal.clearProperty(QTextFormat::ObjectIndex); // the copy insertion makes: its own, unchanged
        [[maybe_unused]] const bool same = format == equal;
        return format;
    }

    QTextBlockFormat blockFormat(const RvfParagraph &p)
    {
        std::size_t no = p.paraNo >= 0 && std::size_t(p.paraNo) < blockFormats_.size() ? std::size_t(p.paraNo) : 0;
        if (!blockFormats_[no])
            blockFormats_[no] = style_.blockFormat(int(no));
        QTextBlockFormat bf = *blockFormats_[no];
        if (p.pageBreakBefore)
            bf.setPageBreakPolicy(bf.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        return bf;
    }

public:
    void paragraph(QTextCursor &c, const RvfParagraph &p, bool &continueBlock, Lists &lists)
    {
        beginParagraph(c, p, p.items.empty() ? nullptr : &p.items.front(), continueBlock, lists);
        for (const RvfItem &item : p.items)
            this->item(c, item);
    }

    // Starts the paragraph's block; an empty block takes the first item's format, when it is text.
    void beginParagraph(QTextCursor &c, const RvfParagraph &p, const RvfItem *firstItem, bool &continueBlock,
                        Lists &lists)
    {
        const QTextBlockFormat bf = blockFormat(p);
        QTextCharFormat first = charFormat(0);
        if (firstItem && firstItem->kind == RvfItem::Text) {
            first = charFormat(firstItem->styleNo);
            decorate(first, *firstItem);
        }
        rvformats::startParagraph(c, bf, first, continueBlock, rvformats::InCellFirstBlock::MergeParagraphFormat);
        rvformats::joinList(c, style_, p.listNo, p.listLevel, lists);
    }

    void item(QTextCursor &c, const RvfItem &item)
    {
        QTextCharFormat f;
        switch (item.kind) {
        case RvfItem::Picture: {
            insertPicture(c, item.picture);
            // The picture's own format is what insertPicture made; tag and checkpoint go on top.
            if (item.tag.isEmpty() && !item.checkpoint)
                return;
            QTextCursor last(c);
            f = last.charFormat(); // the picture's, just before the cursor
            decorate(f, item);
            last.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
            last.setCharFormat(f);
            return;
        }
        case RvfItem::Control:
            f = controlFormat(item.control);
            decorate(f, item);
            c.insertText(QString(QChar::ObjectReplacementCharacter), f);
            return;
        case RvfItem::Text:
            if (item.tag.isEmpty() && !item.checkpoint) {
                c.insertText(item.text, charFormat(item.styleNo));
                return;
            }
            f = charFormat(item.styleNo);
            decorate(f, item);
            c.insertText(item.text, f);
            return;
        }
    }

private:
    static void decorate(QTextCharFormat &f, const RvfItem &item)
    {
        if (!item.tag.isEmpty()) {
            f.setProperty(rvprop::Tag, item.tag);
            if (item.kind == RvfItem::Text) {
                f.setAnchor(true);
                f.setAnchorHref(item.tag);
            }
        }
        setCheckpoint(f, item.checkpoint);
    }

    void table(QTextCursor &c, const RvfTable &t, bool &continueBlock)
    {
        if (t.rows <= 0 || t.columns <= 0 || qint64(t.rows) * t.columns > kRvfMaxTableCells)
            return;
        if (continueBlock && c.block().length() > 1)
            c.insertBlock();
        continueBlock = false;
        QTextTableFormat tf;
        tf.setBorder(t.border);
        tf.setCellSpacing(t.cellSpacing);
        tf.setCellPadding(t.cellPadding);
        tf.setBorderCollapse(true);
        if (!t.columnWidths.empty()) {
            QList<QTextLength> widths;
            for (int w : t.columnWidths)
                widths.append(w > 0 ? QTextLength(QTextLength::FixedLength, w) : QTextLength());
            tf.setColumnWidthConstraints(widths);
        }
        QTextTable *table = c.insertTable(t.rows, t.columns, tf);
        for (const RvfCell &cell : t.cells)
            if (cell.rowSpan > 1 || cell.columnSpan > 1)
                table->mergeCells(cell.row, cell.column, cell.rowSpan, cell.columnSpan);
        for (const RvfCell &cell : t.cells) {
            QTextTableCell qc = table->cellAt(cell.row, cell.column);
            if (!qc.isValid() || qc.row() != cell.row || qc.column() != cell.column)
                continue;
            qc.setFormat(cellFormat(qc.format().toTableCellFormat(), cell));
            QTextCursor in = qc.firstCursorPosition();
            bool fresh = true;
            Lists cellLists;
            blocks(in, cell.blocks, fresh, cellLists);
        }
        c = table->lastCursorPosition();
        c.movePosition(QTextCursor::NextBlock);
        continueBlock = true; // Qt keeps a block after every table; the next paragraph is that block
    }

    static QTextTableCellFormat cellFormat(QTextTableCellFormat f, const RvfCell &cell)
    {
        if (const QColor back = toQColor(cell.background); back.isValid())
            f.setBackground(back);
        // Cells without borders of their own draw the table's.
        if (cell.left == RvfCellBorder{} && cell.top == RvfCellBorder{} && cell.right == RvfCellBorder{}
            && cell.bottom == RvfCellBorder{})
            return f;
        rvformats::setCellBorders(f, cell.left, cell.top, cell.right, cell.bottom);
        return f;
    }

    const TRVStyle &style_;
    std::vector<std::optional<QTextCharFormat>> charFormats_;
    std::vector<std::optional<QTextBlockFormat>> blockFormats_;
};

RvfContent contentOf(const QTextDocument &doc)
{
    RvfContent content;
    content.blocks = blocksOf(doc.rootFrame()->begin());
    content.endCheckpoint = endCheckpoint(doc);
    return content;
}

struct RvfContentInserter::State {
    QTextCursor &cursor;
    Builder builder;
    Builder::Lists lists;
    bool continueBlock = true;
};

RvfContentInserter::RvfContentInserter(QTextCursor &cursor, const TRVStyle &style)
    : state_(std::make_unique<State>(State{cursor, Builder(style), {}, true}))
{
}

RvfContentInserter::~RvfContentInserter() = default;

void RvfContentInserter::insert(const std::vector<RvfBlock> &blocks)
{
    state_->builder.blocks(state_->cursor, blocks, state_->continueBlock, state_->lists);
}

void RvfContentInserter::beginParagraph(const RvfParagraph &paragraph, const RvfItem *firstItem)
{
    state_->builder.beginParagraph(state_->cursor, paragraph, firstItem, state_->continueBlock, state_->lists);
}

void RvfContentInserter::insertItem(const RvfItem &item)
{
    state_->builder.item(state_->cursor, item);
}

void insertContent(QTextCursor &cursor, const TRVStyle &style, const RvfContent &content)
{
    RvfContentInserter(cursor, style).insert(content.blocks);
}
