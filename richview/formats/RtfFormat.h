#pragma once
// RTF files for the format table, and the insertion of an RTF file at the caret.

#include <QString>
#include <string_view>

class QTextCursor;
class RVDocument;

namespace rvformats {

// Appends the file to the document, adding the styles it needs; the text and paragraph style
// arguments are those of the table's signature and play no part. Whatever could be read stays in
// the document when the file turns out damaged; the result is then false with the reason.
bool loadRtf(RVDocument &doc, const QString &path, int textStyle, int paraStyle, QString *error);
bool saveRtf(const RVDocument &doc, const QString &path, QString *error);

// The same on bytes in memory, appended at the end of the document without undo.
bool readRtf(RVDocument &doc, std::string_view bytes, QString *error);

// Inserts an RTF file at the cursor as one undoable step (the Import command); the document keeps
// its own background and page setup.
bool insertRtfFile(RVDocument &doc, QTextCursor &cursor, const QString &path, QString *error);
// The same for RTF in memory (what another program put on the clipboard).
bool insertRtf(RVDocument &doc, QTextCursor &cursor, std::string_view bytes, QString *error);

} // namespace rvformats
