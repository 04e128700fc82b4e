#include "RVText.h"

#include "Cp1251.h"
#include "LayoutDeferral.h"

#include <QTextBlock>
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

// Table cells start with a frame marker and a table ends with one: in the 8-bit text each of them
// is a line break, as in Qt's own plain text, so cells do not run together.
bool isBreak(char16_t c) { return c == kParagraph || c == kLine || c == kFrameStart || c == kFrameEnd; }
bool isDropped(char16_t c) { return c == kObject; }

// How many bytes a character becomes in the 8-bit text.
int bytesOf(char16_t c)
{
    return isBreak(c) ? 2 : isDropped(c) ? 0 : 1;
}

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
constexpr std::uint16_t kForeign = 0x102; // no Windows-1251 byte: written as "?"

const std::uint16_t *unitTo1251()
{
    static const auto table = [] {
        auto t = std::make_unique<std::uint16_t[]>(0x10000);
        for (std::uint32_t u = 0; u < 0x10000; ++u) {
            bool representable = false;
            const char b = cp1251::fromUnicode(char16_t(u), &representable);
            t[u] = representable ? std::uint8_t(b) : kForeign;
        }
        t[kParagraph] = t[kLine] = t[kFrameStart] = t[kFrameEnd] = kBreak;
        t[kObject] = kNothing;
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
        } else if (v == kForeign) {
            *out++ = '?';
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

bool givesNoText(QChar c)
{
    return isDropped(c.unicode());
}

namespace {

// A stretch of the range in one character format within paragraphs of one paragraph format.
struct Stretch {
    int from, to;
    int charFormat, blockFormat;
    QTextCharFormat format;
};

// Positions are counted along the way: asking Qt for a block's or fragment's position costs a
// tree search each time, which over 200,000 paragraphs adds up.
std::vector<Stretch> uniformStretches(const QTextDocument &document, const QString &raw, int start, int end)
{
    std::vector<Stretch> out;
    QTextBlock block = document.findBlock(start);
    for (int blockStart = block.position(); block.isValid() && blockStart < end;
         blockStart += block.length(), block = block.next()) {
        const int blockFormat = block.blockFormatIndex();
        int fragmentStart = blockStart;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int length = f.length();
            const int from = qMax(start, fragmentStart), to = qMin(end, fragmentStart + length);
            fragmentStart += length;
            if (from >= to)
                continue;
            const int charFormat = f.charFormatIndex();
            Stretch *last = out.empty() ? nullptr : &out.back();
            if (last && last->to == from && last->charFormat == charFormat && last->blockFormat == blockFormat)
                last->to = to;
            else
                out.push_back({from, to, charFormat, blockFormat, f.charFormat()});
        }
        // A paragraph break between two paragraphs of the same format joins their stretches; the
        // paragraph it starts gets that format again.
        const int separator = blockStart + block.length() - 1;
        if (!out.empty() && out.back().to == separator && separator < end && raw[separator] == QChar(kParagraph)
            && out.back().blockFormat == blockFormat)
            out.back().to = separator + 1;
    }
    return out;
}

} // namespace

std::vector<Replacement> inPlaceReplacements(const QTextDocument &document, int start, int end,
                                             const std::string &oldText, const std::string &newText, bool *matches)
{
    std::vector<Replacement> out;
    const std::uint16_t *table = unitTo1251();
    const QString raw = document.toRawText(); // index = document position
    const std::vector<Stretch> stretches = uniformStretches(document, raw, start, end);
    std::size_t b = 0; // byte of the 8-bit text that the character at p stands for
    bool fits = oldText.size() == newText.size() && end <= raw.size();
    std::size_t next = 0;
    for (int p = start; fits && p < end;) {
        // Characters outside any stretch (breaks between differently formatted paragraphs, table
        // markers) never change.
        if (next >= stretches.size() || p < stretches[next].from) {
            const int n = bytesOf(raw[p].unicode());
            fits = b + std::size_t(n) <= oldText.size();
            b += std::size_t(n);
            ++p;
            continue;
        }
        const Stretch &s = stretches[next++];
        QString text = raw.mid(s.from, s.to - s.from);
        QChar *chars = text.data();
        bool changed = false;
        for (qsizetype i = 0, n = text.size(); i < n && fits; ++i) {
            const std::uint16_t v = table[chars[i].unicode()];
            if (v == kNothing)
                continue;
            if (v == kBreak) {
                b += 2;
                continue;
            }
            fits = b < oldText.size();
            // A character the code page lacks stays as it is, whatever became of its "?".
            if (fits && v != kForeign && newText[b] != oldText[b]) {
                chars[i] = QChar(cp1251::toUnicode(static_cast<unsigned char>(newText[b])));
                changed = true;
            }
            ++b;
        }
        fits = fits && b <= oldText.size();
        if (changed)
            out.push_back({s.from, std::move(text), s.format});
        p = s.to;
    }
    fits = fits && b == oldText.size();
    if (matches)
        *matches = fits;
    if (!fits)
        out.clear();
    return out;
}

std::string selectedText1251(const QTextCursor &cursor)
{
    if (!cursor.hasSelection())
        return {};
    const int start = cursor.selectionStart(), length = cursor.selectionEnd() - start;
    // A large selection is cut out of the document's whole text, which Qt copies in one piece;
    // gathering it fragment by fragment costs several times as much.
    if (length >= 65536)
        return to1251(QStringView(cursor.document()->toRawText()).mid(start, length));
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
