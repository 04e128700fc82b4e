#pragma once
// Writes a document as RTF: \u with an 8-bit copy for every character beyond ASCII, the style
// sheet, lists, tables, pictures (each in the form it was read in; pictures without file bytes as
// PNG), hyperlinks with their targets from OnWriteHyperlink and controls through
// OnSaveComponentToFile.

#include <QString>
#include <string>

class RVDocument;

// `path` is what the document's hooks are told the output is.
std::string writeRtf(const RVDocument &doc, const QString &path);
