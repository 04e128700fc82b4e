#include "RtfBuilder.h"

#include "CellBorders.h"
#include "ParagraphStart.h"

#include "RVStyle.h"

#include <QTextCursor>
#include <QTextTable>
#include <algorithm>

namespace {

// A grid finer than this is not what any word processor writes; rows then keep their own cell
// count instead of sharing column boundaries.
constexpr std::size_t kMaxGridColumns = 256;
constexpr std::size_t kMaxGridCells = 100000;

struct PlacedCell {
    const RtfCell *cell = nullptr;
    int column = 0, columnSpan = 1, rowSpan = 1;
    bool mergedAway = false;
    std::vector<const RtfCell *> extra; // merged-away cells whose content is kept here
};

class Builder
{
public:
    explicit Builder(const TRVStyle &style) : style_(style) {}

    void blocks(QTextCursor &c, const std::vector<RtfBlock> &blocks, bool &continueBlock)
    {
        rvformats::ParagraphLists lists;
        for (const RtfBlock &b : blocks) {
            if (b.table)
                table(c, *b.table, continueBlock);
            else
                paragraph(c, b.paragraph, continueBlock, lists);
        }
    }

private:
    void paragraph(QTextCursor &c, const RtfParagraph &p, bool &continueBlock, rvformats::ParagraphLists &lists)
    {
        QTextBlockFormat bf = style_.blockFormat(p.paraNo);
        if (p.pageBreakBefore)
            bf.setPageBreakPolicy(bf.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        const QTextCharFormat first = style_.charFormat(p.runs.empty() ? 0 : p.runs.front().styleNo);
        rvformats::startParagraph(c, bf, first, continueBlock, rvformats::InCellFirstBlock::KeepCellFormat);
        rvformats::joinList(c, style_, p.listNo, p.listLevel, lists);
        for (const RtfRun &run : p.runs) {
            if (run.kind == RtfRun::Picture) {
                insertPicture(c, run.picture);
                continue;
            }
            QTextCharFormat f = style_.charFormat(run.styleNo);
            if (!run.tag.isEmpty()) {
                f.setProperty(rvprop::Tag, run.tag);
                f.setAnchor(true);
                f.setAnchorHref(run.tag);
            }
            c.insertText(run.text, f);
        }
    }

    void table(QTextCursor &c, const RtfTable &t, bool &continueBlock)
    {
        std::vector<int> bounds{0};
        std::size_t widest = 0;
        for (const RtfRow &r : t.rows) {
            widest = std::max(widest, r.cells.size());
            for (const RtfCell &cell : r.cells)
                bounds.push_back(cell.format.right);
        }
        std::sort(bounds.begin(), bounds.end());
        bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
        const bool shared = bounds.size() - 1 <= kMaxGridColumns
                            && (bounds.size() - 1) * t.rows.size() <= kMaxGridCells;
        const int columns = shared ? int(bounds.size() - 1) : int(widest);
        if (columns == 0 || std::size_t(columns) * t.rows.size() > kMaxGridCells)
            return; // a table of this size is not a table anyone wrote
        const int rows = int(t.rows.size());

        // Where every cell goes, with its spans.
        std::vector<std::vector<PlacedCell>> placed(t.rows.size());
        std::vector<PlacedCell *> above(std::size_t(columns), nullptr); // last cell starting in each column
        for (int r = 0; r < rows; ++r) {
            const RtfRow &row = t.rows[std::size_t(r)];
            int left = 0, column = 0;
            for (const RtfCell &cell : row.cells) {
                PlacedCell pc;
                pc.cell = &cell;
                if (shared) {
                    const auto lo = std::lower_bound(bounds.begin(), bounds.end(), left) - bounds.begin();
                    const auto hi = std::lower_bound(bounds.begin(), bounds.end(), cell.format.right) - bounds.begin();
                    pc.column = int(lo);
                    pc.columnSpan = std::max(1, int(hi - lo));
                } else {
                    pc.column = column;
                }
                left = cell.format.right;
                column = pc.column + pc.columnSpan;
                if (pc.column >= columns)
                    break;
                pc.columnSpan = std::min(pc.columnSpan, columns - pc.column);
                auto &cells = placed[std::size_t(r)];
                if (cell.format.merged && !cells.empty() && !cells.back().mergedAway) {
                    PlacedCell &into = cells.back();
                    into.columnSpan = pc.column + pc.columnSpan - into.column;
                    into.extra.push_back(&cell);
                    continue;
                }
                PlacedCell *origin = above[std::size_t(pc.column)];
                if (cell.format.vMerged && origin && origin->columnSpan == pc.columnSpan) {
                    ++origin->rowSpan;
                    origin->extra.push_back(&cell);
                    pc.mergedAway = true;
                }
                cells.push_back(std::move(pc));
            }
            for (PlacedCell &pc : placed[std::size_t(r)])
                if (!pc.mergedAway)
                    above[std::size_t(pc.column)] = &pc;
        }

        QTextTableFormat tf;
        tf.setBorder(0);
        tf.setCellSpacing(0);
        tf.setCellPadding(2);
        tf.setBorderCollapse(true);
        if (shared) {
            QList<QTextLength> widths;
            for (std::size_t i = 1; i < bounds.size(); ++i)
                widths.append(QTextLength(QTextLength::FixedLength, std::max(1, (bounds[i] - bounds[i - 1]) / 15)));
            tf.setColumnWidthConstraints(widths);
        }
        if (continueBlock && c.block().length() > 1)
            c.insertBlock();
        continueBlock = false;
        QTextTable *table = c.insertTable(rows, columns, tf);
        for (int r = 0; r < rows; ++r)
            for (const PlacedCell &pc : placed[std::size_t(r)])
                if (!pc.mergedAway && (pc.rowSpan > 1 || pc.columnSpan > 1))
                    table->mergeCells(r, pc.column, std::min(pc.rowSpan, rows - r), pc.columnSpan);
        for (int r = 0; r < rows; ++r)
            for (const PlacedCell &pc : placed[std::size_t(r)]) {
                if (pc.mergedAway)
                    continue;
                QTextTableCell cell = table->cellAt(r, pc.column);
                cell.setFormat(cellFormat(cell.format().toTableCellFormat(), pc.cell->format));
                QTextCursor in = cell.firstCursorPosition();
                bool fresh = true;
                blocks(in, pc.cell->blocks, fresh);
                for (const RtfCell *extra : pc.extra)
                    if (hasText(*extra))
                        blocks(in, extra->blocks, fresh);
            }
        c = table->lastCursorPosition();
        c.movePosition(QTextCursor::NextBlock);
        continueBlock = true; // Qt keeps a block after every table; the next paragraph is that block
    }

    static bool hasText(const RtfCell &cell)
    {
        for (const RtfBlock &b : cell.blocks)
            if (b.table || !b.paragraph.runs.empty())
                return true;
        return false;
    }

    static QTextTableCellFormat cellFormat(QTextTableCellFormat f, const RtfCellFormat &from)
    {
        rvformats::setCellBorders(f, from.left, from.top, from.rightBorder, from.bottom);
        if (const QColor back = toQColor(from.shading); back.isValid())
            f.setBackground(back);
        return f;
    }

    const TRVStyle &style_;
};

} // namespace

void insertRtfContent(QTextCursor &cursor, const TRVStyle &style, const RtfContent &content)
{
    bool continueBlock = true;
    Builder(style).blocks(cursor, content.blocks, continueBlock);
}
