#pragma once
// Where a reader's paragraph begins in the document, the same way for every file format: in the block
// the cursor stands in when the reader is to continue it (the first paragraph of an insertion, of a
// table cell, or after a table) and it is still empty, else in a new block; and in which list.

#include "RVStyle.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <map>
#include <utility>

namespace rvformats {

// The lists of one run of paragraphs: (list style, level) -> the list so far.
using ParagraphLists = std::map<std::pair<int, int>, QTextList *>;

// What becomes of the paragraph's character format in the first block of a table cell, which holds
// the cell's own format (its spans) in its character format.
enum class InCellFirstBlock { KeepCellFormat, MergeParagraphFormat };

inline void startParagraph(QTextCursor &c, const QTextBlockFormat &blockFormat, const QTextCharFormat &charFormat,
                           bool &continueBlock, InCellFirstBlock inCell)
{
    if (!continueBlock) {
        c.insertBlock(blockFormat, charFormat);
        return;
    }
    continueBlock = false;
    if (c.block().length() != 1)
        return;
    c.setBlockFormat(blockFormat);
    if (c.blockCharFormat().objectType() != QTextFormat::TableCellObject)
        c.setBlockCharFormat(charFormat);
    else if (inCell == InCellFirstBlock::MergeParagraphFormat)
        c.mergeBlockCharFormat(charFormat);
}

inline void joinList(QTextCursor &c, const TRVStyle &style, int listNo, int level, ParagraphLists &lists)
{
    if (listNo < 0)
        return;
    const auto key = std::make_pair(listNo, level);
    if (const auto it = lists.find(key); it != lists.end())
        it->second->add(c.block());
    else
        lists[key] = c.createList(style.listFormat(listNo, level));
}

} // namespace rvformats
