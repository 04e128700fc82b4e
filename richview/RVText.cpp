#include "RVText.h"

#include "Cp1251.h"

#include <QTextCursor>
#include <QTextDocument>

namespace rvtext {
namespace {

constexpr char16_t kParagraph = 0x2029;
constexpr char16_t kLine = 0x2028;
constexpr char16_t kObject = 0xFFFC;
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;

// One pass over the input: CR LF, LF CR, CR, LF and FF become one U+2029 each.
template<typename Unit, typename Decode>
QString splitParagraphs(const Unit *in, qsizetype n, Decode decode)
{
    QString out(n, Qt::Uninitialized);
    QChar *o = out.data();
    qsizetype w = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = decode(in[i]);
        if (c == u'\r' || c == u'\n') {
            if (i + 1 < n) {
                const char16_t next = decode(in[i + 1]);
                if ((next == u'\r' || next == u'\n') && next != c)
                    ++i;
            }
            o[w++] = QChar(kParagraph);
        } else if (c == u'\f') {
            o[w++] = QChar(kParagraph);
        } else {
            o[w++] = QChar(c);
        }
    }
    out.truncate(w);
    return out;
}

bool isBreak(char16_t c) { return c == kParagraph || c == kLine; }
bool isDropped(char16_t c) { return c == kObject || c == kFrameStart || c == kFrameEnd; }

} // namespace

QString paragraphsFrom1251(std::string_view bytes)
{
    return splitParagraphs(reinterpret_cast<const unsigned char *>(bytes.data()), qsizetype(bytes.size()),
                           [](unsigned char b) { return cp1251::toUnicode(b); });
}

QString paragraphsFromUnicode(QStringView text)
{
    return splitParagraphs(text.utf16(), text.size(), [](char16_t c) { return c; });
}

std::string to1251(QStringView text)
{
    std::string out;
    out.resize(std::size_t(text.size()) * 2); // worst case: every character a break
    std::size_t w = 0;
    const char16_t *in = text.utf16();
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const char16_t c = in[i];
        if (isBreak(c)) {
            out[w++] = '\r';
            out[w++] = '\n';
        } else if (!isDropped(c)) {
            out[w++] = cp1251::fromUnicode(c);
        }
    }
    out.resize(w);
    return out;
}

std::u16string toUtf16Lines(QStringView text)
{
    std::u16string out;
    out.reserve(std::size_t(text.size()) + std::size_t(text.size()) / 16);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (isBreak(c))
            out += u"\r\n";
        else if (!isDropped(c))
            out += c;
    }
    return out;
}

std::string selectedText1251(const QTextCursor &cursor)
{
    if (!cursor.hasSelection())
        return {};
    return to1251(cursor.selectedText());
}

std::string documentText1251(const QTextDocument &document)
{
    return to1251(document.toRawText());
}

void insertParagraphs(QTextCursor &cursor, const QString &paragraphs, const QTextCharFormat &format)
{
    if (paragraphs.isEmpty())
        return;
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    cursor.insertText(paragraphs, format);
    cursor.endEditBlock();
}

} // namespace rvtext
