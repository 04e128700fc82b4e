// The colour plug-in's code, custom colours and owner, without showing its dialog.
#include "SwatchColours.h"

#include <QApplication>
#include <QColorDialog>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(SwatchColoursTest, HexByteAlwaysGivesTwoLowerCaseDigits)
{
    const std::pair<int, const char *> cases[] = {{0, "00"}, {10, "0a"}, {15, "0f"}, {16, "10"},
                                                  {171, "ab"}, {255, "ff"}};
    for (const auto &[component, digits] : cases)
        EXPECT_EQ(swatch::hexByte(component), digits) << component;
}

TEST(SwatchColoursTest, ColourCodeIsRedGreenBlue)
{
    EXPECT_EQ(swatch::htmlColourCode(QColor(255, 0, 0)), "#ff0000");
    EXPECT_EQ(swatch::htmlColourCode(QColor(0, 0, 0)), "#000000");
    EXPECT_EQ(swatch::htmlColourCode(QColor(10, 0, 255)), "#0a00ff");
    EXPECT_EQ(swatch::htmlColourCode(QColor(1, 35, 69)), "#012345");
}

// A palette in which every role of both groups has a colour of its own.
QPalette distinctPalette()
{
    QPalette palette;
    int n = 1;
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        for (int role = 0; role < QPalette::NColorRoles; ++role, ++n)
            palette.setColor(group, static_cast<QPalette::ColorRole>(role), QColor(n, 255 - n, n * 2));
    return palette;
}

TEST(SwatchColoursTest, SystemColoursFollowTheirPaletteRoles)
{
    const QPalette palette = distinctPalette();
    const auto colours = swatch::systemColours(palette);
    EXPECT_EQ(colours[4], palette.color(QPalette::Active, QPalette::Window));           // menu
    EXPECT_EQ(colours[5], palette.color(QPalette::Active, QPalette::Base));             // window
    EXPECT_EQ(colours[8], palette.color(QPalette::Active, QPalette::Text));             // window text
    EXPECT_EQ(colours[13], palette.color(QPalette::Active, QPalette::Highlight));       // highlight
    EXPECT_EQ(colours[14], palette.color(QPalette::Active, QPalette::HighlightedText)); // its text
    EXPECT_EQ(colours[15], palette.color(QPalette::Active, QPalette::Button));          // button face
    EXPECT_NE(colours[2], colours[3]) << "active and inactive captions differ";
}

TEST(SwatchColoursTest, DialogStartsOnBlackWithTheSystemColoursAsCustomColours)
{
    const QPalette palette = distinctPalette();
    const auto expected = swatch::systemColours(palette);
    QColorDialog::setCustomColor(0, Qt::yellow);
    {
        const swatch::CustomColoursGuard guard;
        QColorDialog dialog;
        dialog.setCurrentColor(Qt::white);
        swatch::prepareDialog(dialog, palette);
        EXPECT_EQ(dialog.currentColor(), QColor(Qt::black));
        EXPECT_TRUE(dialog.testOption(QColorDialog::DontUseNativeDialog));
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(QColorDialog::customColor(i), expected[i]) << "slot " << i;
    }
    EXPECT_EQ(QColorDialog::customColor(0), QColor(Qt::yellow)) << "the editor's own slots come back";
}

TEST(SwatchColoursTest, OwnerIsTheWidgetOfTheGivenWindowId)
{
    QWidget mainWindow;
    const WId id = mainWindow.winId();
    EXPECT_EQ(swatch::ownerWidget(id), &mainWindow);
    EXPECT_EQ(swatch::ownerWidget(0), nullptr);
    EXPECT_EQ(swatch::ownerWidget(id + 4242), nullptr);
}

} // namespace
