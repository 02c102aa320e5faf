#include "platform/ProgramIcon.h"

#include "platform/Palette.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace platform {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 64.0;
        p.setBrush(QColor(Amber));
        p.setPen(QPen(QColor(90, 55, 0), std::max(1.0, 2 * s)));
        p.drawRoundedRect(QRectF(2 * s, 2 * s, 60 * s, 60 * s), 6 * s, 6 * s);
        p.setPen(QPen(QColor(90, 55, 0), std::max(1.0, 1.5 * s)));
        for (int k = 1; k <= 3; ++k) {
            const double at = (2 + 15 * k) * s;
            p.drawLine(QPointF(at, 2 * s), QPointF(at, 17 * s));
            p.drawLine(QPointF(at, 47 * s), QPointF(at, 62 * s));
            p.drawLine(QPointF(2 * s, at), QPointF(17 * s, at));
            p.drawLine(QPointF(47 * s, at), QPointF(62 * s, at));
        }
        p.setBrush(QColor(120, 60, 0));
        p.drawRect(QRectF(17 * s, 17 * s, 30 * s, 30 * s));
        p.setBrush(QColor(255, 240, 190));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(32 * s, 32 * s), 8 * s, 8 * s);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace platform
