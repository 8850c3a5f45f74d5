// The zoom console's picture: a round 130 x 130 control with a plus button above and a minus
// button below the zoom percentage, and the dotted dial ring drawn around it while it is active.
// The picture is built once per zoom change and then only copied.
#pragma once

#include <QImage>
#include <QPoint>

class QPainter;

namespace corvane::chart {

class ZoomConsoleImage
{
public:
    /// Rebuilds the picture for a percentage (after every zoom change).
    void setPercent(int percent);
    int percent() const { return percent_; }

    /// Draws the console centred on centre (client pixels), with its ring when active.
    void paint(QPainter& painter, QPoint centre, bool active) const;

private:
    QImage image_;
    int percent_ = -1;
};

} // namespace corvane::chart
