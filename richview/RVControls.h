#pragma once
// Form controls as document items: the registry of the six control classes that documents may hold,
// and the reading and writing of a control item's class, caption and size.

#include "RVDocument.h"

#include <QSize>
#include <QString>
#include <optional>

class QTextCursor;

namespace rvobject {
constexpr int ControlWidth = QTextFormat::UserProperty + 22;  // pixels
constexpr int ControlHeight = QTextFormat::UserProperty + 23; // pixels
} // namespace rvobject

struct RVControl {
    QString className; // one of the registered classes
    QString caption;   // a memo's lines joined by CR LF
    QSize size;        // empty: the control's natural size
    bool operator==(const RVControl &) const = default;
};

// TButton, TEdit, TMemo, TLabel, TCheckBox and TRadioButton; no other class is recreated from a file.
bool isRegisteredControlClass(const QString &className);

// The format of a control item (an object of type rvobject::Control).
QTextCharFormat controlFormat(const RVControl &control);
std::optional<RVControl> controlOf(const QTextFormat &format);
void insertControl(QTextCursor &cursor, const RVControl &control);
