#pragma once
#include <QString>

// The program's name and version: application title, caption suffix, tray tip and the base name
// of the hotkeys file.
inline const QString AppTitle = QStringLiteral("Tavlen v2.0");
