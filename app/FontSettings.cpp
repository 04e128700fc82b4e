#include "FontSettings.h"

#include "IniFile.h"
#include "TRichViewEdit.h"

#include <QTextBlock>

#include <variant>
#include <vector>

namespace {

const QString kSection = QStringLiteral("FONT");

// Bounds that keep a hand-edited value from making the text unreadable or the layout explode.
struct IntRange {
    int RVTextStyle::*attribute;
    int min, max;
};
// AllCaps switches between normal letters and capitals; small capitals set elsewhere stay unless
// AllCaps says 1.
struct CapsFlag {
    RVCaps RVTextStyle::*attribute;
};

using Attribute = std::variant<IntRange, bool RVTextStyle::*, RVColor RVTextStyle::*, QString RVTextStyle::*, CapsFlag>;

struct FontKey {
    const char *key;
    Attribute attribute;
};

const FontKey kFontKeys[] = {
    {"VShift", IntRange{&RVTextStyle::vShift, -100, 100}},
    {"Name", &RVTextStyle::fontName},
    {"Size", IntRange{&RVTextStyle::size, 1, 1638}},
    {"CharScale", IntRange{&RVTextStyle::charScale, 1, 4000}},
    {"BackColor", &RVTextStyle::backColor},
    {"Color", &RVTextStyle::color},
    {"CharSpacing", IntRange{&RVTextStyle::charSpacing, -1000, 1000}},
    {"Unicode", &RVTextStyle::unicode},
    {"HoverBackColor", &RVTextStyle::hoverBackColor},
    {"HoverColor", &RVTextStyle::hoverColor},
    {"Jump", &RVTextStyle::jump},
    {"Standard", &RVTextStyle::standard},
    {"Bold", &RVTextStyle::bold},
    {"Italic", &RVTextStyle::italic},
    {"Underline", &RVTextStyle::underline},
    {"StrikeOut", &RVTextStyle::strikeOut},
    {"Overline", &RVTextStyle::overline},
    {"AllCaps", CapsFlag{&RVTextStyle::caps}},
    {"HTMLCode", &RVTextStyle::htmlCode},
    {"RTFCode", &RVTextStyle::rtfCode},
    {"StyleProtect", &RVTextStyle::styleProtect},
    {"ModifyProtect", &RVTextStyle::modifyProtect},
    {"DeleteProtect", &RVTextStyle::deleteProtect},
    {"ConcateProtect", &RVTextStyle::concateProtect},
    {"RVFInsertProtect", &RVTextStyle::rvfInsertProtect},
    {"DoNotAutoSwitch", &RVTextStyle::noAutoSwitch},
    {"ParaStartProtect", &RVTextStyle::paraStartProtect},
    {"Sticking", &RVTextStyle::sticking},
    {"StickToTop", &RVTextStyle::stickToTop},
    {"StickToBottom", &RVTextStyle::stickToBottom},
};

struct Reader {
    const TIniFile &ini;
    const QString key;
    RVTextStyle &style;

    void operator()(const IntRange &r) const
    {
        const int value = ini.ReadInteger(kSection, key, style.*r.attribute);
        if (value >= r.min && value <= r.max)
            style.*r.attribute = value;
    }
    void operator()(bool RVTextStyle::*attribute) const
    {
        style.*attribute = ini.ReadBool(kSection, key, style.*attribute);
    }
    void operator()(RVColor RVTextStyle::*attribute) const
    {
        style.*attribute = ini.ReadColor(kSection, key, style.*attribute);
    }
    void operator()(QString RVTextStyle::*attribute) const
    {
        // A style without a font name would be drawn in whatever font the desktop prefers.
        const QString value = ini.ReadString(kSection, key, style.*attribute).trimmed();
        if (!value.isEmpty())
            style.*attribute = value;
    }
    void operator()(const CapsFlag &f) const
    {
        const bool allCaps = ini.ReadBool(kSection, key, style.*f.attribute == RVCaps::AllCaps);
        if (allCaps)
            style.*f.attribute = RVCaps::AllCaps;
        else if (style.*f.attribute == RVCaps::AllCaps)
            style.*f.attribute = RVCaps::Normal;
    }
};

} // namespace

void applyFontSection(const TIniFile &ini, RVTextStyle &style)
{
    for (const FontKey &k : kFontKeys)
        std::visit(Reader{ini, QLatin1String(k.key), style}, k.attribute);
}

void reapplyTextStyle(TRichViewEdit &editor, int no)
{
    QTextDocument *doc = editor.document();
    const TRVStyle &style = editor.rvDocument().style();
    const QTextCharFormat fresh = style.charFormat(no);
    const bool modified = doc->isModified();
    const bool undoWasEmpty = doc->availableUndoSteps() == 0 && doc->availableRedoSteps() == 0;

    // Collected first: restyling merges fragments under a running iterator.
    struct Run {
        int from, to;
        QTextCharFormat format;
    };
    std::vector<Run> runs;
    std::vector<int> blocks;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (textStyleNo(b.charFormat()) == no)
            blocks.push_back(b.position());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat old = f.charFormat();
            if (old.objectType() != QTextFormat::NoObject || textStyleNo(old) != no) // pictures, controls
                continue;
            QTextCharFormat format = fresh;
            if (old.hasProperty(rvprop::Tag))
                format.setProperty(rvprop::Tag, old.property(rvprop::Tag));
            runs.push_back({f.position(), f.position() + f.length(), format});
        }
    }
    QTextCursor c(doc);
    c.beginEditBlock();
    for (const int position : blocks) {
        c.setPosition(position);
        c.setBlockCharFormat(fresh);
    }
    for (const Run &run : runs) {
        c.setPosition(run.from);
        c.setPosition(run.to, QTextCursor::KeepAnchor);
        c.setCharFormat(run.format);
    }
    c.endEditBlock();
    if (no == 0)
        doc->setDefaultFont(fresh.font());
    // Settings are applied at start, where the history is empty: restyling is not an edit to undo.
    if (undoWasEmpty)
        doc->clearUndoRedoStacks();
    doc->setModified(modified);
    if (editor.curTextStyleNo() == no)
        editor.setCurrentCharFormat(fresh);
    editor.format();
}
