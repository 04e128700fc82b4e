#pragma once
// A document's content as plain data: paragraphs of items and tables of cells, each item with its
// style number, tag and checkpoint. The native format and the XML form write this and read into it;
// comparing two of these tells whether two documents hold the same thing.

#include "RVCheckpoints.h"
#include "RVControls.h"
#include "RVPicture.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QTextCursor;
class QTextDocument;
class TRVStyle;

struct RvfItem {
    enum Kind { Text, Picture, Control };
    Kind kind = Text;
    QString text; // Text: may hold tabs and U+2028 line breaks
    int styleNo = 0;
    QString tag;
    RVPicture picture;
    RVControl control;
    std::optional<RVCheckpoint> checkpoint;
    bool operator==(const RvfItem &) const = default;
};

struct RvfParagraph {
    int paraNo = 0;
    int listNo = -1, listLevel = 0;
    bool pageBreakBefore = false;
    std::vector<RvfItem> items;
    bool operator==(const RvfParagraph &) const = default;
};

struct RvfTable;

struct RvfBlock {
    RvfParagraph paragraph;
    std::shared_ptr<RvfTable> table; // set for a table
    bool operator==(const RvfBlock &other) const;
};

struct RvfCellBorder {
    int width = 0; // pixels; 0 = none
    RVColor color = 0;
    bool operator==(const RvfCellBorder &) const = default;
};

struct RvfCell {
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    RVColor background = rvNoColor;
    RvfCellBorder left, top, right, bottom;
    std::vector<RvfBlock> blocks;
    bool operator==(const RvfCell &) const = default;
};

struct RvfTable {
    int rows = 0, columns = 0;
    int border = 0, cellSpacing = 0, cellPadding = 2; // pixels
    std::vector<int> columnWidths;                     // pixels, 0 = as wide as the content needs
    std::vector<RvfCell> cells; // cells covered by another cell's span are left out
    bool operator==(const RvfTable &) const = default;
};

struct RvfContent {
    std::vector<RvfBlock> blocks;
    std::optional<RVCheckpoint> endCheckpoint;
    bool operator==(const RvfContent &) const = default;
};

// Upper bounds the formats hold a file to: a table's cells, and the displayed width and height of a
// picture or control (writers clamp a larger size to it, so that what they write always reads).
constexpr int kRvfMaxTableCells = 100000;
constexpr int kRvfMaxObjectSide = 8192;

RvfContent contentOf(const QTextDocument &doc);

// Puts blocks into a document at a cursor, a batch or a paragraph at a time, so that a reader can
// hand over what it has read and let it go: the first paragraph continues the cursor's block (and gives it its
// paragraph style when that block is empty); lists go on across batches. Style numbers must exist
// in `style`, which must not change while the inserter lives.
class RvfContentInserter
{
public:
    RvfContentInserter(QTextCursor &cursor, const TRVStyle &style);
    ~RvfContentInserter();
    RvfContentInserter(const RvfContentInserter &) = delete;
    RvfContentInserter &operator=(const RvfContentInserter &) = delete;

    void insert(const std::vector<RvfBlock> &blocks);
    // A paragraph a piece at a time: its block (with the format of its first item, if known), then
    // its items one by one.
    void beginParagraph(const RvfParagraph &paragraph, const RvfItem *firstItem);
    void insertItem(const RvfItem &item);

private:
    class Builder;
    struct State;
    std::unique_ptr<State> state_;
};

// Inserts the whole content at the cursor, as above.
void insertContent(QTextCursor &cursor, const TRVStyle &style, const RvfContent &content);
