#pragma once
// Field instructions of RTF fields, as far as the reader uses them.

#include <QString>
#include <QStringView>

// The target of a HYPERLINK field instruction: its first argument, with "#anchor" added for a
// \l "anchor" switch; empty for any other field.
QString hyperlinkTarget(QStringView instruction);
