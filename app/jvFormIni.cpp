#include "jvFormIni.h"

#include "IniFiles32.h"

#include <QScreen>
#include <QWidget>

namespace {

// Farther than any desktop reaches; keeps arithmetic on stored positions clear of overflow.
constexpr int kMaxCoordinate = 32767;

// Stored bounds may be hand-edited or come from another machine: a window larger than the desktop
// would only cost memory (a million pixels wide is enough to exhaust it), one of no size could not
// be found again.
void setBounds(QWidget *form, int left, int top, int width, int height)
{
    QSize largest(kMaxCoordinate, kMaxCoordinate);
    if (const QScreen *screen = form->screen())
        largest = screen->virtualSize();
    form->move(qBound(-kMaxCoordinate, left, kMaxCoordinate), qBound(-kMaxCoordinate, top, kMaxCoordinate));
    form->resize(qBound(1, width, largest.width()), qBound(1, height, largest.height()));
}

} // namespace

// Left and Top place the window's frame; Width and Height are the size inside it. The frame is not
// known before the window is first shown, so outer sizes could not be restored at start: the window
// would grow by its frame at every run.

TjvFormIni::TjvFormIni(QString storeFileName)
    : storeFileName_(std::move(storeFileName))
{
}

void TjvFormIni::LoadPlacement(QWidget *form) const
{
    const TIniFile32 ini(storeFileName_);
    const QString section = form->objectName();
    if (ini.ReadBool(section, QStringLiteral("State"), false)) {
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
        return;
    }
    const int left = ini.ReadInteger(section, QStringLiteral("Left"), form->x());
    const int top = ini.ReadInteger(section, QStringLiteral("Top"), form->y());
    const int width = ini.ReadInteger(section, QStringLiteral("Width"), form->width());
    const int height = ini.ReadInteger(section, QStringLiteral("Height"), form->height());
    setBounds(form, left, top, width, height);
}

void TjvFormIni::SavePlacement(QWidget *form) const
{
    TIniFile32 ini(storeFileName_);
    const QString section = form->objectName();
    const bool maximised = form->isMaximized();
    ini.WriteBool(section, QStringLiteral("State"), maximised);
    if (maximised)
        return;
    ini.WriteInteger(section, QStringLiteral("Left"), form->x());
    ini.WriteInteger(section, QStringLiteral("Top"), form->y());
    ini.WriteInteger(section, QStringLiteral("Width"), form->width());
    ini.WriteInteger(section, QStringLiteral("Height"), form->height());
}
