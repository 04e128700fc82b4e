#include "RtfFormat.h"

#include "FileIO.h"
#include "LayoutDeferral.h"
#include "RVDocument.h"
#include "RtfBuilder.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <QTextCursor>

namespace rvformats {
namespace {

// `wholeDocument`: the file's background and page setup become the document's (not so for a file
// inserted into a document).
bool insertBytes(RVDocument &doc, QTextCursor &cursor, std::string_view bytes, bool wholeDocument, QString *error)
{
    RtfReadResult read = readRtfContent(bytes, doc);
    {
        const LayoutDeferral deferral(doc.textDocument(), qsizetype(bytes.size()) >= LayoutDeferral::kBulkChange);
        cursor.beginEditBlock();
        insertRtfContent(cursor, doc.style(), read.content);
        cursor.endEditBlock();
    }
    if (wholeDocument && read.background)
        doc.setBackground(*read.background);
    if (wholeDocument && read.pageSetup)
        doc.setPageSetup(*read.pageSetup);
    if (!read.ok && error)
        *error = QStringLiteral("Cannot read the RTF document: %1").arg(read.error);
    return read.ok;
}

} // namespace

bool readRtf(RVDocument &doc, std::string_view bytes, QString *error)
{
    QTextDocument *d = doc.textDocument();
    const bool undo = d->isUndoRedoEnabled();
    d->setUndoRedoEnabled(false); // a load is not an edit the user can take back
    QTextCursor c(d);
    c.movePosition(QTextCursor::End);
    const bool ok = insertBytes(doc, c, bytes, true, error);
    d->setUndoRedoEnabled(undo);
    return ok;
}

bool loadRtf(RVDocument &doc, const QString &path, int, int, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    if (bytes.isEmpty())
        return true; // a new document
    return readRtf(doc, {bytes.constData(), std::size_t(bytes.size())}, error);
}

bool saveRtf(const RVDocument &doc, const QString &path, QString *error)
{
    return writeWholeFile(path, writeRtf(doc, path), error);
}

bool insertRtfFile(RVDocument &doc, QTextCursor &cursor, const QString &path, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    return insertRtf(doc, cursor, {bytes.constData(), std::size_t(bytes.size())}, error);
}

bool insertRtf(RVDocument &doc, QTextCursor &cursor, std::string_view bytes, QString *error)
{
    return insertBytes(doc, cursor, bytes, false, error);
}

} // namespace rvformats
