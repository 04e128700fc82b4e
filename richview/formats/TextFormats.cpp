#include "TextFormats.h"

#include "FileIO.h"
#include "LayoutDeferral.h"
#include "RVDocument.h"
#include "RVText.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>

namespace rvformats {
namespace {

// Appends paragraphs at the end of the document without recording them for undo: a load is not an
// edit the user can take back.
void appendParagraphs(RVDocument &doc, const QString &paragraphs, int textStyle, int paraStyle)
{
    QTextDocument *d = doc.textDocument();
    const bool undo = d->isUndoRedoEnabled();
    d->setUndoRedoEnabled(false);
    const LayoutDeferral deferral(d, paragraphs.size() >= LayoutDeferral::kBulkChange);
    QTextCursor c(d);
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    c.setBlockFormat(doc.style().blockFormat(paraStyle));
    c.setBlockCharFormat(doc.style().charFormat(textStyle));
    c.insertText(paragraphs, doc.style().charFormat(textStyle));
    c.endEditBlock();
    d->setUndoRedoEnabled(undo);
}

QString decodeUtf16(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    qsizetype n = bytes.size() / 2; // an odd last byte has no partner and is dropped
    bool bigEndian = false;
    qsizetype start = 0;
    if (n > 0 && p[0] == 0xFE && p[1] == 0xFF) {
        bigEndian = true;
        start = 1;
    } else if (n > 0 && p[0] == 0xFF && p[1] == 0xFE) {
        start = 1;
    }
    QString text(n - start, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = start; i < n; ++i) {
        const unsigned char a = p[2 * i], b = p[2 * i + 1];
        out[i - start] = QChar(bigEndian ? char16_t(a << 8 | b) : char16_t(b << 8 | a));
    }
    return text;
}

} // namespace

bool isUtf16File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size == 0 || size % 2 != 0)
        return false;
    const QByteArray head = file.read(2);
    if (head.size() != 2)
        return false;
    if ((uchar(head[0]) == 0xFF && uchar(head[1]) == 0xFE) || (uchar(head[0]) == 0xFE && uchar(head[1]) == 0xFF))
        return true;
    return file.read(qMin<qint64>(size - 2, 500)).contains('\0');
}

bool loadText(RVDocument &doc, const QString &path, int textStyle, int paraStyle, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    if (!bytes.isEmpty())
        appendParagraphs(doc, rvtext::paragraphsFrom1251({bytes.constData(), std::size_t(bytes.size())}), textStyle,
                         paraStyle);
    return true;
}

bool loadUnicodeText(RVDocument &doc, const QString &path, int textStyle, int paraStyle, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    const QString text = decodeUtf16(bytes);
    if (!text.isEmpty())
        appendParagraphs(doc, rvtext::paragraphsFromUnicode(text), textStyle, paraStyle);
    return true;
}

bool saveText(const RVDocument &doc, const QString &path, QString *error)
{
    return writeWholeFile(path, rvtext::documentText1251(*doc.textDocument()), error);
}

bool saveUnicodeText(const RVDocument &doc, const QString &path, QString *error)
{
    const std::u16string lines = rvtext::toUtf16Lines(doc.textDocument()->toRawText());
    std::string bytes;
    bytes.reserve(2 + lines.size() * 2);
    bytes += "\xFF\xFE";
    for (const char16_t c : lines) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    return writeWholeFile(path, bytes, error);
}

} // namespace rvformats
