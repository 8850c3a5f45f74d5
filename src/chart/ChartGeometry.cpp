#include "chart/ChartGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvane::chart {

float clampZoom(float zoom)
{
    if (!std::isfinite(zoom))
        return 1.0f;
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int chartWidth(const ChartViewSettings& s)
{
    return std::clamp<int>(s.width, kMinChartSize, kMaxChartSize);
}

int chartHeight(const ChartViewSettings& s)
{
    return std::clamp<int>(s.height, kMinChartSize, kMaxChartSize);
}

int rotationRadius(const ChartViewSettings& s)
{
    return std::clamp<int>(s.rotationRadius, kMinRadius, kMaxRadius);
}

float zoomOf(const ChartViewSettings& s)
{
    return clampZoom(s.zoom);
}

// The products and quotients are taken in double, the float zoom widened: in float, 45 / 0.3f
// rounds up to exactly 150 and the truncation the chart's rules rely on would not happen.
int toCanvas(int chartValue, float zoom)
{
    return static_cast<int>(static_cast<double>(chartValue) * zoom);
}

Rect toCanvas(const Rect& r, float zoom)
{
    const int left = toCanvas(r.left, zoom);
    const int top = toCanvas(r.top, zoom);
    return {left, top, left + toCanvas(r.width(), zoom), top + toCanvas(r.height(), zoom)};
}

int toChart(int canvasValue, float zoom)
{
    return static_cast<int>(static_cast<double>(canvasValue) / zoom);
}

Rect toChart(const Rect& r, float zoom)
{
    const int left = toChart(r.left, zoom);
    const int top = toChart(r.top, zoom);
    return {left, top, left + toChart(r.width(), zoom), top + toChart(r.height(), zoom)};
}

Point toChart(Point p, float zoom)
{
    return {toChart(p.x, zoom), toChart(p.y, zoom)};
}

int stepToChart(int canvasStep, float zoom)
{
    const int units = toChart(canvasStep, zoom);
    return (units == 0 && (canvasStep == 1 || canvasStep == -1)) ? canvasStep : units;
}

Size scrollArea(const ChartViewSettings& s)
{
    const float zoom = zoomOf(s);
    return {toCanvas(chartWidth(s) + kScrollMargin, zoom),
            toCanvas(chartHeight(s) + kScrollMargin, zoom)};
}

Rect nodeRect(const ObjectRecord& r)
{
    return {r.nodeRect[0], r.nodeRect[1], r.nodeRect[2], r.nodeRect[3]};
}

void setNodeRect(ObjectRecord& r, const Rect& rect)
{
    r.nodeRect[0] = rect.left;
    r.nodeRect[1] = rect.top;
    r.nodeRect[2] = rect.right;
    r.nodeRect[3] = rect.bottom;
}

bool isPlaced(const ObjectRecord& r)
{
    return r.nodeRect[2] - r.nodeRect[0] >= 2;
}

Rect hitRect(const ObjectRecord& r)
{
    const int half = r.lineThickness >> 1;
    return nodeRect(r).inflated(half, half);
}

Rect keepInside(const Rect& rect, int width, int height)
{
    Rect r = rect;
    if (r.right > width)
        r = r.moved(width - r.right, 0);
    else if (r.left < 0)
        r = r.moved(-r.left, 0);
    if (r.bottom > height)
        r = r.moved(0, height - r.bottom);
    else if (r.top < 0)
        r = r.moved(0, -r.top);
    return r;
}

Point handlePoint(const Rect& r, int handleIndex)
{
    const int cx = r.left + r.width() / 2;
    const int cy = r.top + r.height() / 2;
    switch (handleIndex) {
    case 0:
        return {r.left, r.top};
    case 1:
        return {r.right, r.top};
    case 2:
        return {r.right, r.bottom};
    case 3:
        return {r.left, r.bottom};
    case 4:
        return {cx, r.top};
    case 5:
        return {r.right, cy};
    case 6:
        return {cx, r.bottom};
    default:
        return {r.left, cy};
    }
}

Rect handleRect(const Rect& r, int handleIndex, int extra)
{
    const Point p = handlePoint(r, handleIndex);
    const int half = (handleIndex < 4 ? 4 : 3) + extra;
    return Rect{p.x, p.y, p.x, p.y}.inflated(half, half);
}

std::optional<Point> borderPoint(const Rect& a, const Rect& b)
{
    const Point m = a.centre();
    const Point o = b.centre();
    const std::int64_t dx = std::int64_t(o.x) - m.x;
    const std::int64_t dy = std::int64_t(o.y) - m.y;
    if (dx == 0 && dy == 0)
        return std::nullopt;
    // v >= u, with u = half height / half width of a and v = the slope between the centres,
    // compared by cross multiplication so that a vertical line (infinite slope) and a rectangle
    // of width 0 need no division.
    const std::int64_t halfW = std::llabs(std::int64_t(a.right) - m.x);
    const std::int64_t halfH = std::llabs(std::int64_t(m.y) - a.top);
    const std::int64_t lhs = std::llabs(dy) * halfW; // v, scaled
    const std::int64_t rhs = halfH * std::llabs(dx); // u, scaled
    bool horizontalEdge;
    if (dx == 0)
        horizontalEdge = true; // directly above or below
    else if (dy == 0)
        horizontalEdge = false; // directly left or right
    else if (lhs == rhs)
        horizontalEdge = dx > 0 && dy > 0; // the tie: only right-and-below takes the bottom edge
    else
        horizontalEdge = lhs > rhs;
    if (horizontalEdge) {
        const int y = dy < 0 ? a.top : a.bottom;
        const int x = dx == 0 ? m.x : m.x + static_cast<int>(dx * (y - m.y) / dy);
        return Point{x, y};
    }
    const int x = dx > 0 ? a.right : a.left;
    const int y = dy == 0 ? m.y : m.y + static_cast<int>(dy * (x - m.x) / dx);
    return Point{x, y};
}

std::optional<ArrowHead> arrowHead(Point start, Point end, float zoom)
{
    const double sx = double(start.x) - end.x;
    const double sy = double(start.y) - end.y;
    const double length = std::trunc(std::sqrt(sx * sx + sy * sy));
    if (length == 0)
        return std::nullopt;
    const double k = double(toCanvas(16, zoom)) / length;
    const Point base{end.x + static_cast<int>(k * sx), end.y + static_cast<int>(k * sy)};
    const double ex = double(end.x) - base.x;
    const double ey = double(end.y) - base.y;
    const double w = std::sqrt(ey * ey + ex * ex);
    if (w == 0)
        return std::nullopt;
    const double h = toCanvas(9, zoom) * 0.5;
    const int d = static_cast<int>(std::floor(ey / w * h));
    const int f = static_cast<int>(std::floor(h * (-ex / w)));
    return ArrowHead{{base.x - d, base.y - f}, end, {base.x + d, base.y + f}};
}

} // namespace corvane::chart
