#include "chart/paint/ZoomConsoleImage.h"

#include "chart/ZoomConsole.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace corvane::chart {

namespace {

const QColor kButton(40, 72, 120);
const QColor kDigits(24, 44, 82);

void drawBody(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(52, 44), 90);
    fill.setColorAt(0, QColor(255, 255, 255, 235));
    fill.setColorAt(0.7, QColor(222, 231, 242, 235));
    fill.setColorAt(1, QColor(186, 202, 224, 235));
    p.setBrush(fill);
    p.setPen(QPen(QColor(120, 142, 176), 2));
    p.drawEllipse(QRectF(2, 2, kConsoleSize - 4, kConsoleSize - 4));
    p.setRenderHint(QPainter::Antialiasing, false);
    // The buttons are drawn on exactly the rectangles the pointer tests use.
    p.setPen(Qt::NoPen);
    p.setBrush(kButton);
    p.drawRect(QRect(QPoint(59, 5), QPoint(70, 34)));
    p.drawRect(QRect(QPoint(50, 14), QPoint(79, 25)));
    p.drawRect(QRect(QPoint(50, 104), QPoint(79, 115)));
}

void drawDigits(QPainter& p, int percent)
{
    const QString text = QString::number(percent);
    QFont font(QStringLiteral("Meiryo UI"));
    font.setPixelSize(46);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kDigits);
    p.setRenderHint(QPainter::TextAntialiasing);
    int x = consoleDigitX(int(text.size()));
    for (const QChar digit : text) {
        p.drawText(QRect(x, kConsoleDigitY, kConsoleDigitWidth, kConsoleDigitHeight),
                   Qt::AlignCenter, QString(digit));
        x += kConsoleDigitAdvance;
    }
}

} // namespace

void ZoomConsoleImage::setPercent(int percent)
{
    if (percent == percent_ && !image_.isNull())
        return;
    percent_ = percent;
    image_ = QImage(kConsoleSize, kConsoleSize, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    QPainter p(&image_);
    drawBody(p);
    drawDigits(p, percent);
}

void ZoomConsoleImage::paint(QPainter& painter, QPoint centre, bool active) const
{
    painter.drawImage(centre - QPoint(kConsoleRadius, kConsoleRadius), image_);
    if (!active)
        return;
    // 68 dots around the body, from dark olive to yellow, clockwise from the right.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int k = 1; k <= 68; ++k) {
        const double angle = double(k) / kDialRingRadius * 2 * std::numbers::pi;
        const QPointF dot(centre.x() + std::cos(angle) * kDialRingRadius,
                          centre.y() + std::sin(angle) * kDialRingRadius);
        painter.setBrush(QColor(98 + 2 * k, 98 + 2 * k, 0));
        painter.drawEllipse(dot, 2.5, 2.5);
    }
    painter.restore();
}

} // namespace corvane::chart
