#include "SwatchColours.h"

#include <QColorDialog>
#include <QPalette>
#include <QWidget>

namespace swatch {
namespace {

struct PaletteColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette roles that play the parts of the desktop's system colours 0..15.
constexpr std::array<PaletteColour, 16> kSystemColourRoles = {{
    {QPalette::Active, QPalette::Midlight},        // scroll bar
    {QPalette::Active, QPalette::Dark},            // desktop
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Highlight},     // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Button},          // active border
    {QPalette::Inactive, QPalette::Button},        // inactive border
    {QPalette::Active, QPalette::Mid},             // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlight text
    {QPalette::Active, QPalette::Button},          // button face
}};

constexpr char kDigits[] = "0123456789abcdef";

} // namespace

std::string hexByte(int component)
{
    const int value = component < 0 ? 0 : component > 255 ? 255 : component;
    return {kDigits[value >> 4], kDigits[value & 0xF]};
}

std::string htmlColourCode(const QColor &colour)
{
    return '#' + hexByte(colour.red()) + hexByte(colour.green()) + hexByte(colour.blue());
}

std::array<QColor, 16> systemColours(const QPalette &palette)
{
    std::array<QColor, 16> colours;
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = palette.color(kSystemColourRoles[i].group, kSystemColourRoles[i].role);
    return colours;
}

void prepareDialog(QColorDialog &dialog, const QPalette &palette)
{
    // The desktop's own dialog may have no custom slots, so Qt's dialog is used everywhere.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(Qt::black);
    const auto colours = systemColours(palette);
    for (std::size_t i = 0; i < colours.size(); ++i)
        QColorDialog::setCustomColor(static_cast<int>(i), colours[i]);
}

CustomColoursGuard::CustomColoursGuard()
{
    for (std::size_t i = 0; i < saved.size(); ++i)
        saved[i] = QColorDialog::customColor(static_cast<int>(i));
}

CustomColoursGuard::~CustomColoursGuard()
{
    for (std::size_t i = 0; i < saved.size(); ++i)
        QColorDialog::setCustomColor(static_cast<int>(i), saved[i]);
}

QWidget *ownerWidget(std::uintptr_t owner)
{
    return owner ? QWidget::find(static_cast<WId>(owner)) : nullptr;
}

} // namespace swatch
