#pragma once
// The attributes of text, paragraph and list styles as named fields, in the order the native format
// stores them. One list serves the binary form, the text form and the XML form; a newer version adds
// fields at the end.

#include "RVStyle.h"

namespace rvfields {

template <class Style, class F> void textStyle(Style &s, F &&f)
{
    f("name", s.name);
    f("font", s.fontName);
    f("size", s.size);
    f("bold", s.bold);
    f("italic", s.italic);
    f("underline", s.underline);
    f("strikeout", s.strikeOut);
    f("overline", s.overline);
    f("underlinetype", s.underlineType);
    f("caps", s.caps);
    f("charset", s.charset);
    f("color", s.color);
    f("backcolor", s.backColor);
    f("hovercolor", s.hoverColor);
    f("hoverbackcolor", s.hoverBackColor);
    f("vshift", s.vShift);
    f("spacing", s.charSpacing);
    f("scale", s.charScale);
    f("jump", s.jump);
    f("protect", s.deleteProtect);
    f("noautoswitch", s.noAutoSwitch);
    f("unicode", s.unicode);
    f("next", s.nextStyleNo);
    f("standard", s.standard);
}

template <class Style, class F> void paraStyle(Style &s, F &&f)
{
    f("name", s.name);
    f("align", s.alignment);
    f("left", s.leftIndent);
    f("right", s.rightIndent);
    f("first", s.firstIndent);
    f("before", s.spaceBefore);
    f("after", s.spaceAfter);
    f("border", s.border.style);
    f("bordercolor", s.border.color);
    f("borderwidth", s.border.width);
    f("borderleft", s.border.left);
    f("bordertop", s.border.top);
    f("borderright", s.border.right);
    f("borderbottom", s.border.bottom);
    f("borderoffsetleft", s.border.offsetLeft);
    f("borderoffsettop", s.border.offsetTop);
    f("borderoffsetright", s.border.offsetRight);
    f("borderoffsetbottom", s.border.offsetBottom);
    f("backcolor", s.backColor);
    f("backoffsetleft", s.backOffsetLeft);
    f("backoffsettop", s.backOffsetTop);
    f("backoffsetright", s.backOffsetRight);
    f("backoffsetbottom", s.backOffsetBottom);
    f("linespacing", s.lineSpacing);
    f("keepwithnext", s.keepWithNext);
    f("keeplines", s.keepLinesTogether);
    f("pagebreak", s.pageBreakBefore);
    f("next", s.nextParaNo);
    f("standard", s.standard);
}

template <class Tab, class F> void tab(Tab &t, F &&f)
{
    f("pos", t.position);
    f("align", t.align);
    f("leader", t.leader);
}

template <class Level, class F> void listLevel(Level &l, F &&f)
{
    f("kind", l.kind);
    f("left", l.leftIndent);
    f("first", l.firstIndent);
    f("font", l.bulletFont);
    f("bullet", l.bulletText);
    f("start", l.startFrom);
    f("prefix", l.prefix);
    f("suffix", l.suffix);
}

} // namespace rvfields
