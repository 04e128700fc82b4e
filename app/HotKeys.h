#pragma once
// The hotkeys file: hand-written shortcuts for the program's own commands, section HOTKEYS, one key
// per command made of the window's name and the command's name ("MainFrmactSave=Ctrl+W").

#include <QString>
#include <QStringList>
#include <vector>

class QAction;
class TIniFile;

// The commands the file covers, in the order they are visited.
const QStringList &hotkeyCommands();

// Sets the shortcuts of the covered commands among `actions` from the file: a missing key keeps the
// built-in shortcut, an empty value or one that names no key removes it. Commands marked
// "menuItemOnly" are never touched.
void LoadHotKeys(const TIniFile &ini, const QString &formName, const std::vector<QAction *> &actions);
