#include "subjects/ui/LinkIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace corvane {

namespace {

/// A 16-pixel arrow on a transparent ground: pointing right for "to", left for "from".
QIcon arrowIcon(bool pointsRight, QColor colour)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2));
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    QPainterPath head;
    if (pointsRight) {
        head.moveTo(14.5, 8);
        head.lineTo(9, 3.5);
        head.lineTo(9, 12.5);
    } else {
        head.moveTo(1.5, 8);
        head.lineTo(7, 3.5);
        head.lineTo(7, 12.5);
    }
    head.closeSubpath();
    p.fillPath(head, colour);
    return QIcon(pm);
}

} // namespace

QIcon linkToIcon()
{
    static const QIcon icon = arrowIcon(true, QColor(0x80, 0x00, 0xFF));
    return icon;
}

QIcon linkFromIcon()
{
    static const QIcon icon = arrowIcon(false, QColor(0x00, 0x80, 0x40));
    return icon;
}

} // namespace corvane
