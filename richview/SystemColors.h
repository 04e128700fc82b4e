#pragma once
// The desktop's numbered system colours (0xFF0000nn in stored colours) mapped onto the palette.
// This is the one place that knows the mapping.

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// The palette colour that stands for system colour number `index` (0..30); black for an unknown
// number.
QColor systemColor(quint32 index, const QPalette &palette);
