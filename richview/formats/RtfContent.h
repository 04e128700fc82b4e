#pragma once
// What the RTF reader makes of a file before it touches a Qt document: paragraphs of runs and
// tables of cells, all styles already numbers in the document's style sheet. Keeping this apart
// lets a table be put together after its last row (RTF describes rows one at a time and nested
// tables inside out) and lets one builder serve loading and inserting at the caret.

#include "RVDocument.h"
#include "RVPicture.h"

#include <QString>
#include <memory>
#include <vector>

struct RtfRun {
    enum Kind { Text, Picture };
    Kind kind = Text;
    QString text;     // Text: may hold tabs and U+2028 line breaks
    int styleNo = 0;
    QString tag;      // hyperlink target
    RVPicture picture;
};

struct RtfTable;

struct RtfParagraph {
    int paraNo = 0;
    int listNo = -1, listLevel = 0;
    bool pageBreakBefore = false; // a \page before it
    std::vector<RtfRun> runs;
};

// One block of a container: a paragraph or a table.
struct RtfBlock {
    RtfParagraph paragraph;
    std::unique_ptr<RtfTable> table; // set for a table
};

struct RtfCellBorder {
    int width = 0; // pixels; 0 = no border
    RVColor color = 0;
    bool operator==(const RtfCellBorder &) const = default;
};

struct RtfCellFormat {
    int right = 0; // right boundary in twips from the row's left edge
    bool mergeFirst = false, merged = false;   // horizontal merge: \clmgf, \clmrg
    bool vMergeFirst = false, vMerged = false; // vertical merge: \clvmgf, \clvmrg
    RtfCellBorder left, top, rightBorder, bottom;
    RVColor shading = rvNoColor;
};

struct RtfCell {
    RtfCellFormat format;
    std::vector<RtfBlock> blocks;
};

struct RtfRow {
    std::vector<RtfCell> cells;
};

struct RtfTable {
    std::vector<RtfRow> rows;
};

struct RtfContent {
    std::vector<RtfBlock> blocks;
};
