#include "ShortcutText.h"

#include <QKeyCombination>
#include <QStringView>

#include <array>
#include <optional>

namespace {

struct NamedKey {
    Qt::Key key;
    const char16_t *name;
};

// The names the hotkeys file has always used; they win over Qt's names for the same keys.
constexpr std::array<NamedKey, 15> kNamedKeys = {{
    {Qt::Key_Backspace, u"BkSp"},
    {Qt::Key_Tab, u"Tab"},
    {Qt::Key_Return, u"Enter"},
    {Qt::Key_Escape, u"Esc"},
    {Qt::Key_Space, u"Space"},
    {Qt::Key_PageUp, u"PgUp"},
    {Qt::Key_PageDown, u"PgDn"},
    {Qt::Key_End, u"End"},
    {Qt::Key_Home, u"Home"},
    {Qt::Key_Left, u"Left"},
    {Qt::Key_Up, u"Up"},
    {Qt::Key_Right, u"Right"},
    {Qt::Key_Down, u"Down"},
    {Qt::Key_Insert, u"Ins"},
    {Qt::Key_Delete, u"Del"},
}};

struct Modifier {
    Qt::KeyboardModifier modifier;
    const char16_t *prefix;
};

// In writing order.
constexpr std::array<Modifier, 3> kModifiers = {{
    {Qt::ShiftModifier, u"Shift+"},
    {Qt::ControlModifier, u"Ctrl+"},
    {Qt::AltModifier, u"Alt+"},
}};

// No key name is anywhere near this long; longer texts are not looked up at all.
constexpr qsizetype kMaxKeyNameLength = 32;

bool isModifierKey(Qt::Key key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr;
}

// The one name the writer uses for a key; empty for keys that cannot stand alone in a shortcut.
QString keyName(Qt::Key key)
{
    if (key == Qt::Key_unknown || isModifierKey(key))
        return {};
    for (const NamedKey &named : kNamedKeys) {
        if (named.key == key)
            return QString::fromUtf16(named.name);
    }
    return QKeySequence(key).toString(QKeySequence::PortableText);
}

// The key a name stands for: only the name keyName() gives it counts, so every key has one
// spelling, whatever other names Qt would accept.
std::optional<Qt::Key> keyFromName(QStringView name)
{
    if (name.isEmpty() || name.size() > kMaxKeyNameLength)
        return std::nullopt;
    for (const NamedKey &named : kNamedKeys) {
        if (name.compare(QStringView(named.name), Qt::CaseInsensitive) == 0)
            return named.key;
    }
    const QKeySequence sequence = QKeySequence::fromString(name.toString(), QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier)
        return std::nullopt;
    const Qt::Key key = sequence[0].key();
    const QString written = keyName(key);
    if (written.isEmpty() || name.compare(written, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return key;
}

} // namespace

QString shortcutToText(const QKeySequence &shortcut)
{
    if (shortcut.count() != 1)
        return {};
    const QKeyCombination combination = shortcut[0];
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return {};
    const QString name = keyName(combination.key());
    if (name.isEmpty())
        return {};
    QString text;
    for (const Modifier &m : kModifiers) {
        if (modifiers & m.modifier)
            text += QString::fromUtf16(m.prefix);
    }
    return text + name;
}

QKeySequence textToShortcut(const QString &text)
{
    QStringView rest(text);
    Qt::KeyboardModifiers modifiers;
    for (bool more = true; more;) {
        more = false;
        if (rest.startsWith(u'^')) {
            modifiers |= Qt::ControlModifier;
            rest = rest.mid(1);
            more = true;
        }
        for (const Modifier &m : kModifiers) {
            const QStringView prefix(m.prefix);
            if (rest.startsWith(prefix, Qt::CaseInsensitive)) {
                modifiers |= m.modifier;
                rest = rest.mid(prefix.size());
                more = true;
            }
        }
    }
    const std::optional<Qt::Key> key = keyFromName(rest);
    if (!key)
        return {};
    return QKeySequence(QKeyCombination(modifiers, *key));
}
