#include "RVStyle.h"

#include "SystemColors.h"

#include <QGuiApplication>
#include <QFont>

#include <algorithm>

RVColor rvColor(int red, int green, int blue)
{
    return RVColor(red & 0xFF) | RVColor(green & 0xFF) << 8 | RVColor(blue & 0xFF) << 16;
}

QColor toQColor(RVColor color)
{
    if (color == rvNoColor)
        return {};
    if ((color & 0xFF000000) == rvSystemColorBase)
        return systemColor(color & 0xFF, QGuiApplication::palette());
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

bool RVTextStyle::sameFormatting(const RVTextStyle &o) const
{
    RVTextStyle a = *this;
    a.name = o.name;
    a.standard = o.standard;
    return a == o;
}

bool RVParaStyle::sameFormatting(const RVParaStyle &o) const
{
    RVParaStyle a = *this;
    a.name = o.name;
    a.standard = o.standard;
    return a == o;
}

namespace {

RVTextStyle textStyle(const char *name, const char *font, int size)
{
    RVTextStyle s;
    s.name = QString::fromLatin1(name);
    s.fontName = QString::fromLatin1(font);
    s.size = size;
    return s;
}

RVParaStyle paraStyle(const char *name, RVAlignment alignment)
{
    RVParaStyle p;
    p.name = QString::fromLatin1(name);
    p.alignment = alignment;
    return p;
}

std::vector<RVTextStyle> shippedTextStyles()
{
    std::vector<RVTextStyle> v;
    v.push_back(textStyle("Normal", "Times New Roman", 12));

    auto heading = textStyle("Heading", "Arial", 20);
    heading.bold = true;
    heading.color = rvColor(0, 0, 255);
    heading.nextStyleNo = 0;
    v.push_back(heading);

    auto sub = textStyle("Subheading", "Arial", 14);
    sub.bold = true;
    sub.nextStyleNo = 0;
    v.push_back(sub);

    auto courier = textStyle("Courier", "Courier New", 10);
    courier.italic = true;
    courier.color = rvColor(128, 0, 0);
    v.push_back(courier);

    auto jumpArial = textStyle("Jump Arial", "Arial", 10);
    jumpArial.underline = true;
    jumpArial.color = rvColor(0, 128, 0);
    jumpArial.jump = true;
    jumpArial.hoverColor = rvColor(255, 0, 0); // links without a hover colour of their own turn red
    v.push_back(jumpArial);

    auto coloredJump = textStyle("Colored Jump Times", "Times New Roman", 12);
    coloredJump.underline = true;
    coloredJump.color = rvColor(255, 255, 255);
    coloredJump.backColor = 8421440;
    coloredJump.hoverColor = 13565951;
    coloredJump.hoverBackColor = rvColor(0, 0, 255);
    coloredJump.jump = true;
    v.push_back(coloredJump);

    auto symbols = textStyle("Symbols", "Symbol", 10);
    symbols.bold = true;
    symbols.color = 16512;
    symbols.deleteProtect = true;
    symbols.noAutoSwitch = true;
    v.push_back(symbols);

    auto subscript = textStyle("Subscript", "Arial", 9);
    subscript.vShift = -50;
    v.push_back(subscript);

    auto superscript = textStyle("Superscript", "Arial", 9);
    superscript.vShift = 50;
    v.push_back(superscript);

    auto vector = textStyle("Vector", "Arial", 12);
    vector.bold = true;
    vector.overline = true;
    v.push_back(vector);

    auto caption = textStyle("Window Caption", "Arial", 10);
    caption.bold = caption.italic = true;
    caption.color = rvsys::CaptionText;
    caption.nextStyleNo = 0;
    v.push_back(caption);

    v.push_back(textStyle("Unicode", "Arial Unicode MS", 10));
    return v;
}

std::vector<RVParaStyle> shippedParaStyles()
{
    std::vector<RVParaStyle> v;
    v.push_back(paraStyle("Left", RVAlignment::Left));

    auto leftIndent = paraStyle("Left Indent", RVAlignment::Left);
    leftIndent.leftIndent = 50;
    v.push_back(leftIndent);

    v.push_back(paraStyle("Centered", RVAlignment::Center));
    v.push_back(paraStyle("Right", RVAlignment::Right));

    auto justify = paraStyle("Justify", RVAlignment::Justify);
    justify.firstIndent = 30;
    v.push_back(justify);

    auto framed = paraStyle("Framed", RVAlignment::Center);
    framed.leftIndent = framed.rightIndent = 20;
    framed.spaceBefore = framed.spaceAfter = 5;
    framed.border.style = RVBorderStyle::Single;
    framed.border.offsetLeft = framed.border.offsetTop = framed.border.offsetRight = framed.border.offsetBottom = 2;
    framed.nextParaNo = 0;
    v.push_back(framed);

    auto caption = paraStyle("Window Caption", RVAlignment::Center);
    caption.leftIndent = caption.rightIndent = 10;
    caption.spaceBefore = caption.spaceAfter = 10;
    caption.border.style = RVBorderStyle::Thick;
    caption.border.bottom = false;
    caption.border.offsetLeft = 5;
    caption.border.offsetRight = 5;
    caption.border.offsetTop = 5;
    caption.border.offsetBottom = 10;
    caption.backColor = rvsys::ActiveCaption;
    caption.backOffsetLeft = 2;
    caption.backOffsetTop = 2;
    caption.backOffsetRight = 2;
    caption.backOffsetBottom = 8;
    caption.nextParaNo = 7;
    v.push_back(caption);

    auto workspace = paraStyle("Window Workspace", RVAlignment::Center);
    workspace.leftIndent = workspace.rightIndent = 10;
    workspace.spaceBefore = workspace.spaceAfter = 10;
    workspace.border.style = RVBorderStyle::Thick;
    workspace.border.top = false;
    workspace.border.offsetLeft = 5;
    workspace.border.offsetRight = 5;
    workspace.border.offsetTop = 10;
    workspace.border.offsetBottom = 5;
    workspace.backColor = rvsys::ButtonFace;
    workspace.backOffsetLeft = 2;
    workspace.backOffsetTop = 2;
    workspace.backOffsetRight = 8;
    workspace.backOffsetBottom = 2;
    workspace.nextParaNo = 0;
    v.push_back(workspace);
    return v;
}

Qt::Alignment toQtAlignment(RVAlignment a)
{
    switch (a) {
    case RVAlignment::Right: return Qt::AlignRight;
    case RVAlignment::Center: return Qt::AlignHCenter;
    case RVAlignment::Justify: return Qt::AlignJustify;
    case RVAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat::UnderlineStyle toQtUnderline(RVUnderline u)
{
    switch (u) {
    case RVUnderline::Dotted: return QTextCharFormat::DotLine;
    case RVUnderline::Dashed: return QTextCharFormat::DashUnderline;
    case RVUnderline::DashDotted: return QTextCharFormat::DashDotLine;
    case RVUnderline::Wavy: return QTextCharFormat::WaveUnderline;
    case RVUnderline::Single:
    case RVUnderline::Double:
    case RVUnderline::Thick:
    case RVUnderline::Words: break;
    }
    return QTextCharFormat::SingleUnderline;
}

QTextOption::TabType toQtTab(RVTabAlign a)
{
    switch (a) {
    case RVTabAlign::Center: return QTextOption::CenterTab;
    case RVTabAlign::Right: return QTextOption::RightTab;
    case RVTabAlign::Decimal: return QTextOption::DelimiterTab;
    case RVTabAlign::Left:
    case RVTabAlign::Bar: break;
    }
    return QTextOption::LeftTab;
}

QTextListFormat::Style toQtListStyle(RVListKind k)
{
    switch (k) {
    case RVListKind::Decimal: return QTextListFormat::ListDecimal;
    case RVListKind::LowerAlpha: return QTextListFormat::ListLowerAlpha;
    case RVListKind::UpperAlpha: return QTextListFormat::ListUpperAlpha;
    case RVListKind::LowerRoman: return QTextListFormat::ListLowerRoman;
    case RVListKind::UpperRoman: return QTextListFormat::ListUpperRoman;
    case RVListKind::Bullet: break;
    }
    return QTextListFormat::ListDisc;
}

template<typename Style>
int addIfNeeded(std::vector<Style> &styles, const Style &style)
{
    for (std::size_t i = 0; i < styles.size(); ++i)
        if (styles[i].sameFormatting(style))
            return int(i);
    Style added = style;
    added.standard = false;
    styles.push_back(added);
    return int(styles.size() - 1);
}

} // namespace

TRVStyle::TRVStyle()
    : TextStyles(shippedTextStyles())
    , ParaStyles(shippedParaStyles())
    , ListStyles{RVListStyle{QStringLiteral("Normal"), {RVListLevel{}}}}
{
}

QTextCharFormat TRVStyle::charFormat(int no) const
{
    if (no < 0 || std::size_t(no) >= TextStyles.size())
        no = 0;
    const RVTextStyle &s = TextStyles[std::size_t(no)];
    QTextCharFormat f;
    f.setFontFamilies({s.fontName});
    f.setFontPointSize(s.size);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    if (s.underline)
        f.setUnderlineStyle(toQtUnderline(s.underlineType));
    if (s.caps != RVCaps::Normal)
        f.setFontCapitalization(s.caps == RVCaps::AllCaps ? QFont::AllUppercase : QFont::SmallCaps);
    f.setFontStrikeOut(s.strikeOut);
    f.setFontOverline(s.overline);
    f.setForeground(toQColor(s.color));
    if (const QColor back = toQColor(s.backColor); back.isValid())
        f.setBackground(back);
    if (s.vShift != 0)
        f.setVerticalAlignment(s.vShift > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    if (s.charSpacing != 0)
        f.setFontLetterSpacing(s.charSpacing);
    if (s.charScale != 100)
        f.setFontStretch(s.charScale);
    f.setProperty(rvprop::StyleNo, no);
    return f;
}

QTextBlockFormat TRVStyle::blockFormat(int no) const
{
    if (no < 0 || std::size_t(no) >= ParaStyles.size())
        no = 0;
    const RVParaStyle &p = ParaStyles[std::size_t(no)];
    QTextBlockFormat f;
    f.setAlignment(toQtAlignment(p.alignment));
    f.setLeftMargin(p.leftIndent);
    f.setRightMargin(p.rightIndent);
    f.setTextIndent(p.firstIndent);
    f.setTopMargin(p.spaceBefore);
    f.setBottomMargin(p.spaceAfter);
    if (const QColor back = toQColor(p.backColor); back.isValid())
        f.setBackground(back);
    if (p.lineSpacing != 100)
        f.setLineHeight(p.lineSpacing, QTextBlockFormat::ProportionalHeight);
    if (!p.tabs.empty()) {
        QList<QTextOption::Tab> tabs;
        for (const RVTab &t : p.tabs)
            if (t.align != RVTabAlign::Bar) // Qt has no bar tabs; they stay in the style for the files
                tabs.append(QTextOption::Tab(t.position, toQtTab(t.align), t.align == RVTabAlign::Decimal ? QChar('.') : QChar()));
        f.setTabPositions(tabs);
    }
    if (p.pageBreakBefore)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    f.setProperty(rvprop::ParaStyleNo, no);
    return f;
}

int TRVStyle::addTextStyleIfNeeded(const RVTextStyle &style)
{
    return addIfNeeded(TextStyles, style);
}

int TRVStyle::addParaStyleIfNeeded(const RVParaStyle &style)
{
    return addIfNeeded(ParaStyles, style);
}

int TRVStyle::addListStyleIfNeeded(const RVListStyle &style)
{
    for (std::size_t i = 0; i < ListStyles.size(); ++i)
        if (ListStyles[i].levels == style.levels)
            return int(i);
    ListStyles.push_back(style);
    return int(ListStyles.size() - 1);
}

QTextListFormat TRVStyle::listFormat(int listNo, int level) const
{
    QTextListFormat f;
    if (ListStyles.empty())
        return f;
    if (listNo < 0 || std::size_t(listNo) >= ListStyles.size() || ListStyles[std::size_t(listNo)].levels.empty())
        listNo = 0;
    const auto &levels = ListStyles[std::size_t(listNo)].levels;
    if (levels.empty()) // even the first list style may come from a file without levels
        return f;
    level = std::clamp(level, 0, int(levels.size()) - 1);
    const RVListLevel &l = levels[std::size_t(level)];
    f.setStyle(toQtListStyle(l.kind));
    f.setIndent(level + 1);
    if (l.kind != RVListKind::Bullet) {
        f.setNumberPrefix(l.prefix);
        f.setNumberSuffix(l.suffix);
    }
    f.setProperty(rvprop::ListStyleNo, listNo);
    f.setProperty(rvprop::ListLevel, level);
    return f;
}

bool TRVStyle::isDeleteProtected(int no) const
{
    return no >= 0 && std::size_t(no) < TextStyles.size() && TextStyles[std::size_t(no)].deleteProtect;
}

int textStyleNo(const QTextCharFormat &format)
{
    return format.intProperty(rvprop::StyleNo);
}

int paraStyleNo(const QTextBlockFormat &format)
{
    return format.intProperty(rvprop::ParaStyleNo);
}
