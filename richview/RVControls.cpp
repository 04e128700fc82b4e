#include "RVControls.h"

#include <QTextCursor>
#include <array>

bool isRegisteredControlClass(const QString &className)
{
    static const std::array<QLatin1String, 6> kRegistered = {
        QLatin1String("TButton"), QLatin1String("TEdit"),     QLatin1String("TMemo"),
        QLatin1String("TLabel"),  QLatin1String("TCheckBox"), QLatin1String("TRadioButton")};
    for (const QLatin1String &name : kRegistered)
        if (className == name)
            return true;
    return false;
}

QTextCharFormat controlFormat(const RVControl &control)
{
    QTextCharFormat f;
    f.setObjectType(rvobject::Control);
    f.setProperty(rvobject::ControlClass, control.className);
    f.setProperty(rvobject::ControlCaption, control.caption);
    if (!control.size.isEmpty()) {
        f.setProperty(rvobject::ControlWidth, control.size.width());
        f.setProperty(rvobject::ControlHeight, control.size.height());
    }
    return f;
}

std::optional<RVControl> controlOf(const QTextFormat &format)
{
    if (format.objectType() != rvobject::Control)
        return std::nullopt;
    return RVControl{format.stringProperty(rvobject::ControlClass), format.stringProperty(rvobject::ControlCaption),
                     QSize(format.intProperty(rvobject::ControlWidth), format.intProperty(rvobject::ControlHeight))};
}

void insertControl(QTextCursor &cursor, const RVControl &control)
{
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), controlFormat(control));
}
