#pragma once
// Plain-text files: 8-bit Windows-1251 and UTF-16. A file is read as one paragraph per line; a
// document is written with CR LF between paragraphs and nothing after the last one, so a load and
// a save give back the same bytes.

#include <QString>

class RVDocument;

namespace rvformats {

// True for a file that looks like UTF-16: an even, non-zero length and either a byte-order mark
// or a zero byte among the (at most 500) bytes after the first two.
bool isUtf16File(const QString &path);

// Appends the file's lines to the document in the given text and paragraph style.
bool loadText(RVDocument &doc, const QString &path, int textStyle, int paraStyle, QString *error);
// The same for UTF-16 (byte-order mark in either order; none means little-endian).
bool loadUnicodeText(RVDocument &doc, const QString &path, int textStyle, int paraStyle, QString *error);

bool saveText(const RVDocument &doc, const QString &path, QString *error);
// Little-endian with a byte-order mark.
bool saveUnicodeText(const RVDocument &doc, const QString &path, QString *error);

} // namespace rvformats
