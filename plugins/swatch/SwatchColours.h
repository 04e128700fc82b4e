#pragma once
// The colour plug-in's pieces that need no visible dialog: the HTML colour code, the sixteen
// custom colours and the dialog's preparation.

#include <QColor>

#include <array>
#include <cstdint>
#include <string>

class QColorDialog;
class QPalette;
class QWidget;

namespace swatch {

// Two lower-case hexadecimal digits of a colour component (0..255).
std::string hexByte(int component);

// "#rrggbb" in lower-case hexadecimal.
std::string htmlColourCode(const QColor &colour);

// The desktop's system colours 0 to 15 (scroll bar, desktop, active caption, inactive caption,
// menu, window, window frame, menu text, window text, caption text, active border, inactive border,
// application workspace, highlight, highlight text, button face) as the palette gives them.
std::array<QColor, 16> systemColours(const QPalette &palette);

// Black preselected and the system colours in the sixteen custom slots. The custom slots belong to
// the whole application; CustomColoursGuard puts back what the editor had there.
void prepareDialog(QColorDialog &dialog, const QPalette &palette);

class CustomColoursGuard {
public:
    CustomColoursGuard();
    ~CustomColoursGuard();
    CustomColoursGuard(const CustomColoursGuard &) = delete;
    CustomColoursGuard &operator=(const CustomColoursGuard &) = delete;

private:
    std::array<QColor, 16> saved;
};

// The widget of the main window whose native id Tavlen passed as Owner; null when there is none.
QWidget *ownerWidget(std::uintptr_t owner);

} // namespace swatch
