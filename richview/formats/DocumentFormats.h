#pragma once
// The document file formats and the one table that says who reads and writes each. A format whose
// reader or writer is not in the table fails with a message saying so.

#include "RVFOptions.h"

#include <QString>

class RVDocument;

namespace rvformats {

enum class DocFormat { Rtf, Xml, Rvf, Text, UnicodeText };

// The part of a file name from the last "." after the last "/", dot included; empty without one.
QString extensionOf(const QString &name);

// The format a file name calls for: ".xml", ".rvf" and ".rtf" by name (case-sensitive), anything
// else text; a ".txt" file is read as UTF-16 when `testUtf16` is set and the file looks like UTF-16.
DocFormat formatByExtension(const QString &name, bool testUtf16);

QString formatName(DocFormat format);

// Reads a file into the document (appending to what it holds; callers empty it first). Text
// formats use the given current text and paragraph styles; the native format and XML the options.
bool loadDocument(RVDocument &doc, const QString &path, DocFormat format, int textStyle, int paraStyle,
                  QString *error, const TRVFOptions &options = TRVFOptions::defaults());
bool saveDocument(const RVDocument &doc, const QString &path, DocFormat format, QString *error,
                  const TRVFOptions &options = TRVFOptions::defaults());

} // namespace rvformats
