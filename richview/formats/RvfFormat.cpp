#include "RvfFormat.h"

#include "FileIO.h"
#include "RVDocument.h"
#include "RvfDocumentIO.h"

#include <QTextCursor>

namespace rvformats {

bool loadRvf(RVDocument &doc, const QString &path, int, int, const TRVFOptions &options, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    if (bytes.isEmpty())
        return true; // a new document
    QTextCursor c(doc.textDocument());
    c.movePosition(QTextCursor::End);
    return readRvfBytes(doc, c, bytes, options, RvfReadMode::Load, error);
}

bool saveRvf(const RVDocument &doc, const QString &path, const TRVFOptions &options, QString *error)
{
    const QByteArray bytes = writeRvfBytes(doc, options);
    return writeWholeFile(path, {bytes.constData(), std::size_t(bytes.size())}, error);
}

} // namespace rvformats
