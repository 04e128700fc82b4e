#pragma once
// The text form of a shortcut in the hotkeys file, e.g. "Ctrl+S", "Shift+Ctrl+F5", "Alt+Del".
//
// Modifiers are written "Shift+", "Ctrl+", "Alt+" in this order; on reading they may come in any
// order, repeated, in any letter case, and "^" also means Ctrl. Named keys: "BkSp", "Tab", "Enter",
// "Esc", "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down", "Ins", "Del"; every
// other key goes by Qt's portable name for it ("A", "7", "F12", ",", "Print" ...).

#include <QKeySequence>
#include <QString>

// The text of a single key combination; empty when the language cannot express it (no shortcut,
// several chords, the Meta or keypad modifier).
QString shortcutToText(const QKeySequence &shortcut);

// The shortcut a text names. A text that names no key — the empty text, "Ctrl+", a key name the
// writer would not produce such as "Return" — gives the empty sequence: no shortcut.
QKeySequence textToShortcut(const QString &text);
