#pragma once
// The style sheet: numbered text styles, numbered paragraph styles and the list styles. Every text
// run and every paragraph of a document refers to one of these by number; formats store the numbers,
// and readers add the styles they meet "if needed" (an equal style is reused).

#include <QColor>
#include <QString>
#include <QTextCharFormat>
#include <QTextBlockFormat>
#include <QTextListFormat>
#include <vector>

// Colours the way the documents and settings store them: 0x00BBGGRR, or one of the two markers below.
using RVColor = quint32;
constexpr RVColor rvNoColor = 0x1FFFFFFF;       // "no colour" (transparent)
constexpr RVColor rvSystemColorBase = 0xFF000000; // 0xFF0000nn = the desktop's system colour nn

namespace rvsys {
// The system colour numbers the shipped styles use.
constexpr RVColor CaptionText = rvSystemColorBase | 9;
constexpr RVColor ActiveCaption = rvSystemColorBase | 2;
constexpr RVColor ButtonFace = rvSystemColorBase | 15;
constexpr RVColor AppWorkspace = rvSystemColorBase | 12;
constexpr RVColor WindowText = rvSystemColorBase | 8;
} // namespace rvsys

RVColor rvColor(int red, int green, int blue);
// Resolves a stored colour, the system colours through the application palette; invalid for "no colour".
QColor toQColor(RVColor color);

enum class RVAlignment { Left, Right, Center, Justify };

enum class RVUnderline { Single, Double, Thick, Dotted, Dashed, DashDotted, Wavy, Words };
enum class RVCaps { Normal, AllCaps, SmallCaps };

// Windows character sets as fonts name them; 1 leaves the choice to the reader of the text.
constexpr int rvDefaultCharset = 1;

struct RVTextStyle {
    QString name;
    QString fontName = QStringLiteral("Times New Roman");
    int size = 10; // points
    bool bold = false, italic = false, underline = false, strikeOut = false, overline = false;
    RVUnderline underlineType = RVUnderline::Single; // how `underline` is drawn
    RVCaps caps = RVCaps::Normal;
    int charset = rvDefaultCharset;
    RVColor color = 0x000000;
    RVColor backColor = rvNoColor;
    RVColor hoverColor = rvNoColor;     // text colour under the mouse (hyperlinks)
    RVColor hoverBackColor = rvNoColor; // background under the mouse (hyperlinks)
    int vShift = 0;                     // percent of the font height, positive = up
    int charSpacing = 0;                // extra pixels between characters
    int charScale = 100;                // horizontal scale, percent
    bool jump = false;                  // hyperlink style
    bool htmlCode = false;              // written out unchanged as HTML code
    bool rtfCode = false;               // written out unchanged as RTF code
    // Protection flags. The editor enforces deleteProtect; the others are kept with the style and
    // stored in the files.
    bool styleProtect = false;          // applying another style leaves this text alone
    bool modifyProtect = false;         // text of this style cannot be edited
    bool deleteProtect = false;         // text of this style cannot be deleted
    bool concateProtect = false;        // not merged with neighbouring text of the same style
    bool rvfInsertProtect = false;      // not pasted from the native format
    bool noAutoSwitch = false;          // the caret does not switch into this style on its own
    bool paraStartProtect = false;      // cannot be deleted at the start of a paragraph
    bool sticking = false;              // sticks to the text around it
    bool stickToTop = false;            // sticks to the text before it
    bool stickToBottom = false;         // sticks to the text after it
    bool unicode = true;
    int nextStyleNo = -1;               // style after Enter, -1 = the same style
    bool standard = true;               // shown in the style selectors

    bool operator==(const RVTextStyle &) const = default;
    // Same formatting, whatever the name and the standard flag.
    bool sameFormatting(const RVTextStyle &other) const;
};

enum class RVBorderStyle { None, Single, Double, Thick };

struct RVBorder {
    RVBorderStyle style = RVBorderStyle::None;
    RVColor color = 0x000000;
    int width = 1;
    bool left = true, top = true, right = true, bottom = true; // which sides are drawn
    int offsetLeft = 0, offsetTop = 0, offsetRight = 0, offsetBottom = 0;
    bool operator==(const RVBorder &) const = default;
};

enum class RVTabAlign { Left, Center, Right, Decimal, Bar };
enum class RVTabLeader { None, Dots, Hyphens, Underline, Thick, Equals };

struct RVTab {
    int position = 0; // pixels from the left indent's origin
    RVTabAlign align = RVTabAlign::Left;
    RVTabLeader leader = RVTabLeader::None;
    bool operator==(const RVTab &) const = default;
};

struct RVParaStyle {
    QString name;
    RVAlignment alignment = RVAlignment::Left;
    int leftIndent = 0, rightIndent = 0, firstIndent = 0; // pixels
    int spaceBefore = 0, spaceAfter = 0;                   // pixels
    RVBorder border;
    RVColor backColor = rvNoColor;
    int backOffsetLeft = 0, backOffsetTop = 0, backOffsetRight = 0, backOffsetBottom = 0;
    int lineSpacing = 100; // percent of a single line
    std::vector<RVTab> tabs;
    bool keepWithNext = false, keepLinesTogether = false, pageBreakBefore = false;
    int nextParaNo = -1;
    bool standard = true;

    bool operator==(const RVParaStyle &) const = default;
    bool sameFormatting(const RVParaStyle &other) const;
};

enum class RVListKind { Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

struct RVListLevel {
    RVListKind kind = RVListKind::Bullet;
    int leftIndent = 24, firstIndent = 0;
    QString bulletFont = QStringLiteral("Symbol");
    QString bulletText = QString(QChar(0x00B7)); // the bullet, in bulletFont
    int startFrom = 1;                           // first number of a numbered level
    QString prefix, suffix = QStringLiteral(".");  // text around the number
    bool operator==(const RVListLevel &) const = default;
};

struct RVListStyle {
    QString name;
    std::vector<RVListLevel> levels;
    bool operator==(const RVListStyle &) const = default;
};

// Properties our own model keeps on Qt's formats.
namespace rvprop {
constexpr int StyleNo = QTextFormat::UserProperty + 1;     // QTextCharFormat: text style number
constexpr int ParaStyleNo = QTextFormat::UserProperty + 1; // QTextBlockFormat: paragraph style number
constexpr int Tag = QTextFormat::UserProperty + 2;         // QTextCharFormat: the item's tag text
constexpr int ListStyleNo = QTextFormat::UserProperty + 3; // QTextListFormat: list style number
constexpr int ListLevel = QTextFormat::UserProperty + 4;   // QTextListFormat: level in that style
} // namespace rvprop

class TRVStyle
{
public:
    // The style sheet as the program ships it.
    TRVStyle();

    std::vector<RVTextStyle> TextStyles;
    std::vector<RVParaStyle> ParaStyles;
    std::vector<RVListStyle> ListStyles;

    // Formats that carry style n's attributes and its number (n out of range falls back to 0).
    QTextCharFormat charFormat(int textStyleNo) const;
    QTextBlockFormat blockFormat(int paraStyleNo) const;

    // The number of an equal style, appending a non-standard copy when there is none.
    int addTextStyleIfNeeded(const RVTextStyle &style);
    int addParaStyleIfNeeded(const RVParaStyle &style);
    int addListStyleIfNeeded(const RVListStyle &style);

    // A Qt list format showing level `level` of list style `listNo`, carrying both numbers.
    QTextListFormat listFormat(int listNo, int level) const;

    bool isDeleteProtected(int textStyleNo) const;

    bool operator==(const TRVStyle &) const = default;
};

// Style numbers read back from Qt's formats (0 when a format carries none).
int textStyleNo(const QTextCharFormat &format);
int paraStyleNo(const QTextBlockFormat &format);
