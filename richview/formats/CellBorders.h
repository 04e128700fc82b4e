#pragma once
// Draws a table cell's four borders from a format's border description (anything with a width in
// pixels, 0 for none, and a colour), the same way for every file format.

#include "RVStyle.h"

#include <QTextTableCellFormat>

namespace rvformats {

template<typename Border>
void setCellBorders(QTextTableCellFormat &f, const Border &left, const Border &top, const Border &right,
                    const Border &bottom)
{
    const auto side = [&f](const Border &b, auto setWidth, auto setStyle, auto setBrush) {
        (f.*setWidth)(b.width);
        (f.*setStyle)(b.width > 0 ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
        if (b.width > 0)
            (f.*setBrush)(toQColor(b.color));
    };
    side(left, &QTextTableCellFormat::setLeftBorder, &QTextTableCellFormat::setLeftBorderStyle,
         &QTextTableCellFormat::setLeftBorderBrush);
    side(top, &QTextTableCellFormat::setTopBorder, &QTextTableCellFormat::setTopBorderStyle,
         &QTextTableCellFormat::setTopBorderBrush);
    side(right, &QTextTableCellFormat::setRightBorder, &QTextTableCellFormat::setRightBorderStyle,
         &QTextTableCellFormat::setRightBorderBrush);
    side(bottom, &QTextTableCellFormat::setBottomBorder, &QTextTableCellFormat::setBottomBorderStyle,
         &QTextTableCellFormat::setBottomBorderBrush);
}

} // namespace rvformats
