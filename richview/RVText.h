#pragma once
// The editor's text as 8-bit Windows-1251 strings: what the text tools and plug-ins take and give
// back. Paragraphs are joined by CR LF; a text put back starts a new paragraph at every CR LF, LF CR,
// lone CR, lone LF and form feed.

#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <string>
#include <string_view>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace rvtext {

// Decodes Windows-1251 bytes, turning every paragraph break into U+2029 (Qt's paragraph separator).
QString paragraphsFrom1251(std::string_view bytes);
// The same break rules on text that is already Unicode.
QString paragraphsFromUnicode(QStringView text);

// Qt's plain text (U+2029 between paragraphs, U+FFFC for objects) as Windows-1251 with CR LF between
// paragraphs and table cells; objects give no characters.
std::string to1251(QStringView text);
// The same as UTF-16 code units with CR LF between paragraphs.
std::u16string toUtf16Lines(QStringView text);

std::string selectedText1251(const QTextCursor &cursor);
std::string documentText1251(const QTextDocument &document);

// True for the characters the 8-bit text leaves out: embedded objects.
bool givesNoText(QChar c);

// Characters to put in place of as many characters at `position`, all in `format`; the text may
// span paragraphs that share one paragraph format.
struct Replacement {
    int position;
    QString text;
    QTextCharFormat format;
};
// The replacements that turn the characters between `start` and `end` from their 8-bit form
// `oldText` into `newText` (same length), leaving characters the code page cannot hold alone. Each
// covers as much as one character and paragraph format allows, so a uniformly formatted text is
// one replacement however many paragraphs it has. Empty when nothing changes; `matches` (optional)
// tells whether the texts fit the range.
std::vector<Replacement> inPlaceReplacements(const QTextDocument &document, int start, int end,
                                             const std::string &oldText, const std::string &newText,
                                             bool *matches = nullptr);

// Replaces the cursor's selection (or inserts at it) with `paragraphs` (U+2029 between paragraphs) in
// one undoable step; new paragraphs take the format of the paragraph they split.
void insertParagraphs(QTextCursor &cursor, const QString &paragraphs, const QTextCharFormat &format);

} // namespace rvtext
