#pragma once
// Puts what the RTF reader read into a Qt document at a cursor: paragraphs in their styles, lists,
// pictures, links and tables with their merged cells.

#include "RtfContent.h"

class QTextCursor;
class TRVStyle;

// The first paragraph continues the cursor's block (and gives it its paragraph style when that
// block is empty); the cursor ends after the last character inserted.
void insertRtfContent(QTextCursor &cursor, const TRVStyle &style, const RtfContent &content);
