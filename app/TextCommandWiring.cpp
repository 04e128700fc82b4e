#include "TextCommandWiring.h"

#include "ActionList.h"
#include "ForeignText.h"
#include "TRichViewEdit.h"
#include "TextCommands.h"

#include <QMenu>

namespace {

enum class Place { Case, Coding, Sort, LineBreak, Decimal, Heximal, Binary, Octal };

// Where each command sits, in menu order, with its caption and default shortcut.
struct MenuEntry {
    const char *name;
    Place place;
    const char *caption;
    const char *shortcut;
    bool separatorBefore;
};

constexpr MenuEntry kEntries[] = {
    {"uppercase", Place::Case, "Upper Case", "Shift+F1", false},
    {"lowercase", Place::Case, "Lower Case", "Shift+F2", false},
    {"randomcase", Place::Case, "Random Case", "Shift+F3", false},
    {"invertcase", Place::Case, "Invert Case", "Shift+F5", false},
    {"firstup", Place::Case, "First Up", "Shift+F4", true},
    {"effup", Place::Case, "Every Fraze First Up", "Shift+F6", false},
    {"ewfup", Place::Case, "Every Word First Up", "Shift+F7", false},
    {"convert", Place::Case, "Convert", "Shift+F8", true},
    {"ruslat", Place::Case, "Rus -> Lat", "Shift+F10", false},
    {"latrus", Place::Case, "Lat -> Rus", "Shift+F9", false},
    {"windos", Place::Coding, "Win -> Dos", "", false},
    {"winkoi8r", Place::Coding, "Win -> Koi8-R", "", false},
    {"winmac", Place::Coding, "Win -> Mac", "", false},
    {"winiso", Place::Coding, "Win -> ISO", "", false},
    {"doswin", Place::Coding, "Dos -> Win", "", true},
    {"koi8rwin", Place::Coding, "Koi8-R -> Win", "", false},
    {"macwin", Place::Coding, "Mac -> Win", "", false},
    {"isowin", Place::Coding, "ISO -> Win", "", false},
    {"translit", Place::Coding, "Translit", "", true},
    {"detranslit", Place::Coding, "Detranslit", "", false},
    {"autocod", Place::Coding, "Auto", "F11", true},
    {"sortasc", Place::Sort, "Sort Ascending", "", false},
    {"sortdesc", Place::Sort, "Sort Descending", "", false},
    {"dos", Place::LineBreak, "Dos", "", false},
    {"unixbreak", Place::LineBreak, "Unix", "", false},
    {"macbreak", Place::LineBreak, "Mac", "", false},
    {"dec2bin", Place::Decimal, "Binary", "", false},
    {"dec2hex", Place::Decimal, "Heximal", "", false},
    {"dec2oct", Place::Decimal, "Octal", "", false},
    {"hex2dec", Place::Heximal, "Decimal", "", false},
    {"hex2bin", Place::Heximal, "Binary", "", false},
    {"bin2dec", Place::Binary, "Decimal", "", false},
    {"bin2hex", Place::Binary, "Heximal", "", false},
    {"oct2dec", Place::Octal, "Decimal", "", false},
};

bool isNumberConversion(Place p)
{
    return p == Place::Decimal || p == Place::Heximal || p == Place::Binary || p == Place::Octal;
}

// Sorting moves whole lines; everything else transforms text where it stands.
bool reordersLines(const TextCommand &c)
{
    return c.name == "sortasc" || c.name == "sortdesc";
}

} // namespace

TextCommandWiring::TextCommandWiring(ActionList &actions, TRichViewEdit *editor, const TextCommandMenus &menus,
                                     QObject *parent)
    : QObject(parent)
    , actions_(actions)
    , ed_(editor)
{
    menus.format->addSeparator();
    QMenu *sort = menus.format->addMenu(QStringLiteral("Sort"));
    sort->setObjectName(QStringLiteral("miSort"));
    QMenu *lineBreak = menus.format->addMenu(QStringLiteral("Line Break"));
    lineBreak->setObjectName(QStringLiteral("miLineBreak"));
    auto submenu = [&](const char *caption, const char *name) {
        QMenu *m = menus.convert->addMenu(QLatin1String(caption));
        m->setObjectName(QLatin1String(name));
        return m;
    };
    QMenu *decimal = submenu("Decimal", "N44");
    QMenu *heximal = submenu("Heximal", "N45");
    QMenu *binary = submenu("Binary", "N46");
    QMenu *octal = submenu("Octal", "N47");
    auto menuOf = [&](Place p) -> QMenu * {
        switch (p) {
        case Place::Case: return menus.caseMenu;
        case Place::Coding: return menus.coding;
        case Place::Sort: return sort;
        case Place::LineBreak: return lineBreak;
        case Place::Decimal: return decimal;
        case Place::Heximal: return heximal;
        case Place::Binary: return binary;
        case Place::Octal: return octal;
        }
        return nullptr;
    };
    for (QMenu *m : {menus.caseMenu, menus.coding, sort, lineBreak, decimal, heximal, binary, octal})
        actions_.watchMenu(m);

    for (const MenuEntry &e : kEntries) {
        const TextCommand *command = findTextCommand(e.name);
        Q_ASSERT(command);
        QMenu *menu = menuOf(e.place);
        if (e.separatorBefore)
            menu->addSeparator();
        const QString name = QString::fromUtf8(command->actionName.data(), qsizetype(command->actionName.size()));
        QAction *action = actions_.add(name, QLatin1String(e.caption), QKeySequence(QLatin1String(e.shortcut)),
                                       [this, command] { execute(*command); });
        if (command->needsSelection)
            actions_.setUpdate(action, [this, action] { action->setEnabled(ed_->hasSelectedText()); });
        // The number conversions are plain menu items: the hotkeys file does not reach them.
        action->setProperty("menuItemOnly", isNumberConversion(e.place));
        menu->addAction(action);
    }
}

void TextCommandWiring::execute(const TextCommand &command)
{
    if (command.name == "autocod") {
        autoCoding(command);
        return;
    }
    if (command.wholeDocument)
        ed_->selectAll();
    transformSelection(command);
    if (command.wholeDocument || reordersLines(command))
        ed_->format();
}

void TextCommandWiring::transformSelection(const TextCommand &command)
{
    const std::string before = ed_->getSelText();
    const TextCommandOutput after = command.run(before);
    if (!after || *after == before)
        return; // refused, or nothing to change: the document stays as it is
    if (command.lengthPreserving && after->size() == before.size()) {
        ed_->replaceSelectionInPlace(before, *after);
        return;
    }
    const QString selection = ed_->getSelUnicode();
    if (!hasForeignCharacters(selection)) {
        ed_->insertText(*after);
        return;
    }
    const ByteTransform transform = command.run;
    const std::optional<QString> kept =
        reordersLines(command) ? transformLines(selection, transform) : transformStretches(selection, transform);
    if (kept)
        ed_->insertUnicode(*kept);
}

void TextCommandWiring::autoCoding(const TextCommand &command)
{
    ed_->selectAll();
    const std::string before = ed_->getSelText();
    const TextCommandOutput after = command.run(before);
    // A replacement already leaves the caret behind the text without a selection.
    if (!after || *after == before || !ed_->replaceSelectionInPlace(before, *after))
        ed_->deselect();
}
