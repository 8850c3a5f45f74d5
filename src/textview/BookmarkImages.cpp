#include "textview/BookmarkImages.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>

namespace corvane {

namespace {

/// A pole with a pennant, in a 32 x 32 square: the pole's foot is the point that marks the
/// position, low and left in the square.
void drawFlag(QPainter& p, int slot, bool filled)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = bookmarkColour(slot);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 3), QPointF(8, 30));
    QPolygonF pennant;
    pennant << QPointF(9, 3) << QPointF(29, 9.5) << QPointF(9, 16);
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(filled ? QBrush(colour) : QBrush(Qt::white));
    p.drawPolygon(pennant);
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(filled ? Qt::white : colour.darker(140));
    p.drawText(QRectF(9, 3, 13, 13), Qt::AlignCenter, QString::number(slot + 1));
}

} // namespace

QColor bookmarkColour(int slot)
{
    static constexpr QRgb colours[] = {0xd93f3f, 0x2f9e44, 0x2b6cd4, 0xe09a1a};
    return QColor(colours[std::clamp(slot, 0, 3)]);
}

QImage bookmarkImage(int slot)
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawFlag(p, slot, true);
    return image;
}

QIcon bookmarkMenuIcon(int slot, bool set)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.scale(0.5, 0.5);
    drawFlag(p, slot, set);
    p.end();
    return QIcon(pixmap);
}

} // namespace corvane
