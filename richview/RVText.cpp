#include "RVText.h"

#include "Cp1251.h"
#include "LayoutDeferral.h"

#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <memory>

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

namespace {

// Every UTF-16 unit mapped to what it becomes in the 8-bit text: a Windows-1251 byte (0..255),
// a paragraph break, or nothing. One lookup per character keeps the loop free of branches that
// mixed Russian and English text would mispredict.
constexpr std::uint16_t kBreak = 0x100;
constexpr std::uint16_t kNothing = 0x101;

const std::uint16_t *unitTo1251()
{
    static const auto table = [] {
        auto t = std::make_unique<std::uint16_t[]>(0x10000);
        for (std::uint32_t u = 0; u < 0x10000; ++u)
            t[u] = std::uint8_t(cp1251::fromUnicode(char16_t(u)));
        t[kParagraph] = t[kLine] = kBreak;
        t[kObject] = t[kFrameStart] = t[kFrameEnd] = kNothing;
        return t;
    }();
    return table.get();
}

} // namespace

std::string to1251(QStringView text)
{
    const std::uint16_t *table = unitTo1251();
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    // Room for the worst case (every character a break); only what is written gets touched.
    const auto buffer = std::make_unique_for_overwrite<char[]>(std::size_t(n) * 2);
    char *out = buffer.get();
    for (qsizetype i = 0; i < n; ++i) {
        const std::uint16_t v = table[in[i]];
        if (v < kBreak) {
            *out++ = char(v);
        } else if (v == kBreak) {
            *out++ = '\r';
            *out++ = '\n';
        }
    }
    return std::string(buffer.get(), out);
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
    const bool bulk = paragraphs.size() + (cursor.selectionEnd() - cursor.selectionStart()) >= LayoutDeferral::kBulkChange;
    const LayoutDeferral deferral(cursor.document(), bulk);
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    cursor.insertText(paragraphs, format);
    cursor.endEditBlock();
}

} // namespace rvtext
