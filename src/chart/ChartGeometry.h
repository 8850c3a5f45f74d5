// The chart's coordinate rules and geometry: conversions between chart units and canvas pixels
// (every real-to-integer step truncates toward zero, and a rectangle converts by its origin and its
// size separately, so these are not an affine transform), the clamps of the chart-wide values, node
// rectangles and their handles, border points of links and arrow heads.
#pragma once

#include "model/Records.h"

#include <cstdint>
#include <optional>

namespace corvane::chart {

struct Point
{
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

/// A rectangle as the records store it: [left, right) x [top, bottom).
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    /// Centre with integer halves, as every chart rule takes it.
    Point centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    /// Half-open containment: the right and bottom edges are outside.
    bool contains(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    /// Non-empty intersection.
    bool overlaps(const Rect& o) const
    {
        return (left > o.left ? left : o.left) < (right < o.right ? right : o.right) &&
               (top > o.top ? top : o.top) < (bottom < o.bottom ? bottom : o.bottom);
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr float kMinZoom = 0.08f;
inline constexpr float kMaxZoom = 4.0f;
inline constexpr int kMinChartSize = 500; ///< chart width and height, chart units
inline constexpr int kMaxChartSize = 5000;
inline constexpr int kMinRadius = 40; ///< rotation circle radius, pixels
inline constexpr int kMaxRadius = 140;
inline constexpr int kDefaultNodeWidth = 150;
inline constexpr int kDefaultNodeHeight = 50;
inline constexpr int kMinNodeWidth = 60; ///< smallest size a resize leaves, chart units
inline constexpr int kMinNodeHeight = 20;
/// The margin of the scroll area to the right of and below the canvas, chart units.
inline constexpr int kScrollMargin = 50;

/// A zoom kept within 0.08-4.0; a value that is not finite (a damaged file) becomes 1.0.
float clampZoom(float zoom);

// The chart-wide values as used: a project file may hold anything, and a stored zoom of 0, a
// height under 130 or a radius of 0 would divide by zero somewhere. The stored values are left
// as they are; only their use is clamped.
int chartWidth(const ChartViewSettings& s);
int chartHeight(const ChartViewSettings& s);
int rotationRadius(const ChartViewSettings& s);
float zoomOf(const ChartViewSettings& s);

/// trunc(chart x zoom), computed in the 32-bit float the zoom is stored in.
int toCanvas(int chartValue, float zoom);
/// Origin and size converted separately.
Rect toCanvas(const Rect& chartRect, float zoom);
/// trunc(pixels / zoom).
int toChart(int canvasValue, float zoom);
Rect toChart(const Rect& canvasRect, float zoom);
Point toChart(Point canvasPoint, float zoom);
/// A step of a move in canvas pixels as chart units. A step of exactly one pixel that would
/// truncate to 0 moves by one unit, so the smallest keyboard step always moves.
int stepToChart(int canvasStep, float zoom);

struct Size
{
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};
/// The scroll area in canvas pixels: the canvas plus a 50-unit margin right and below.
Size scrollArea(const ChartViewSettings& s);

/// The node rectangle of a record, and its setter.
Rect nodeRect(const ObjectRecord& r);
void setNodeRect(ObjectRecord& r, const Rect& rect);
/// A record narrower than 2 (a new object has all zeros) has not been placed yet.
bool isPlaced(const ObjectRecord& r);
/// The node rectangle inflated by half the line thickness, in chart units.
Rect hitRect(const ObjectRecord& r);

/// Moves rect into [0, width) x [0, height) without changing its size: a right edge beyond the
/// canvas shifts it left, otherwise a left edge below 0 shifts it right; likewise vertically.
Rect keepInside(const Rect& rect, int width, int height);

/// Handle points 0-7: corners top-left, top-right, bottom-right, bottom-left, then the edge
/// centres top, right, bottom, left.
Point handlePoint(const Rect& rect, int handleIndex);
/// The handle's square: half-size 4 at the corners and 3 at the edge centres, plus extra.
Rect handleRect(const Rect& rect, int handleIndex, int extra = 0);

/// Where a link leaves rectangle a towards rectangle b. nullopt when the centres coincide: there
/// is no direction then, and a line of zero length draws nothing.
std::optional<Point> borderPoint(const Rect& a, const Rect& b);

/// The filled triangle of an arrow head at end, coming from start.
struct ArrowHead
{
    Point left;
    Point tip;
    Point right;
};
/// nullopt when the link has no length or the head's base falls on its point (small zooms): the
/// line is then drawn without a head.
std::optional<ArrowHead> arrowHead(Point start, Point end, float zoom);

} // namespace corvane::chart
