#include "chart/ZoomConsole.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane::chart {

namespace {

/// Left and top inclusive, right and bottom exclusive, in console-relative pixels (pointer minus
/// centre plus 65).
bool inside(int x, int y, int left, int top, int right, int bottom)
{
    return x >= left && x < right && y >= top && y < bottom;
}

} // namespace

ConsolePart consolePartAt(Point pointer, Point centre, bool active)
{
    const double dx = double(pointer.x) - centre.x;
    const double dy = double(pointer.y) - centre.y;
    const double distance = std::hypot(dx, dy);
    if (active && distance >= kConsoleRadius && distance <= kDialOuterRadius)
        return ConsolePart::Ring;
    if (distance >= kConsoleRadius)
        return ConsolePart::None;
    const int x = pointer.x - centre.x + kConsoleRadius;
    const int y = pointer.y - centre.y + kConsoleRadius;
    if (inside(x, y, 59, 5, 71, 35) || inside(x, y, 50, 14, 80, 26))
        return ConsolePart::Plus;
    if (inside(x, y, 50, 104, 80, 116))
        return ConsolePart::Minus;
    return ConsolePart::Body;
}

Point clampConsoleCentre(Point centre, int clientWidth, int clientHeight)
{
    constexpr int kLeast = 5 + kConsoleRadius;
    const int maxX = std::max(kLeast, clientWidth - kLeast);
    const int maxY = std::max(kLeast, clientHeight - kLeast);
    return {std::clamp(centre.x, kLeast, maxX), std::clamp(centre.y, kLeast, maxY)};
}

float dialZoomChange(Point previous, Point pointer, Point centre)
{
    const double a0 = std::atan2(double(previous.y) - centre.y, double(previous.x) - centre.x);
    const double a1 = std::atan2(double(pointer.y) - centre.y, double(pointer.x) - centre.x);
    double d = a1 - a0;
    if (d > std::numbers::pi)
        d -= 2 * std::numbers::pi;
    else if (d <= -std::numbers::pi)
        d += 2 * std::numbers::pi;
    return static_cast<float>(std::trunc(d * 100.0) / 100.0);
}

int wheelStep(int delta, WheelKeys keys)
{
    int step = keys.ctrl ? 1 : 10;
    if (keys.ctrl && keys.shift)
        step = -step;
    if (keys.rightButton)
        step = -step;
    if (delta > 0)
        step = -step;
    return step;
}

bool wheelScrollsHorizontally(WheelKeys keys)
{
    return keys.shift || keys.rightButton;
}

int consolePercent(float zoom)
{
    return static_cast<int>(std::lround(double(zoom) * 100.0));
}

int consoleDigitX(int digits)
{
    return digits <= 1 ? 49 : digits == 2 ? 31 : 15;
}

} // namespace corvane::chart
