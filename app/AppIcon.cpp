#include "AppIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x2A, 0x5D, 0x9F));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        QFont f;
        f.setBold(true);
        f.setPixelSize(size * 3 / 4);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("T"));
        icon.addPixmap(pm);
    }
    return icon;
}
