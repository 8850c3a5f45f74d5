// The zoom console's geometry: a 130-pixel round control in client pixels with a plus and a minus
// button, the zoom percentage in its middle and, while it is active, a dial ring around it that
// turns the zoom by dragging or by the wheel. Everything here is in client (viewport) pixels.
#pragma once

#include "chart/ChartGeometry.h"

namespace corvane::chart {

inline constexpr int kConsoleSize = 130;
/// The console's body: the pointer counts as on the console within this distance of its centre.
inline constexpr int kConsoleRadius = 65;
/// The dial ring of an active console: from the body's edge out to this distance.
inline constexpr int kDialOuterRadius = 73;
/// Where the active ring's dots are drawn.
inline constexpr int kDialRingRadius = 69;
/// The console's place when moved to the top left (468), and the default of a new project.
inline constexpr Point kConsoleHome{79, 79};

enum class ConsolePart
{
    None,
    Plus,
    Minus,
    Body,
    Ring ///< only while the console is active
};

/// The part of the console under pointer.
ConsolePart consolePartAt(Point pointer, Point centre, bool active);

/// The centre held at least kConsoleRadius pixels inside the client area shrunk by 5 on each
/// side. A client too small for that puts it at the least allowed position.
Point clampConsoleCentre(Point centre, int clientWidth, int clientHeight);

/// The zoom change of a dial drag from previous to pointer around centre: the angle turned, in
/// radians, truncated to hundredths. The difference is wrapped into (-pi, pi] so crossing the
/// seam on the left of the dial turns by the small angle actually moved, not by a whole turn.
float dialZoomChange(Point previous, Point pointer, Point centre);

struct WheelKeys
{
    bool ctrl = false;
    bool shift = false;
    bool rightButton = false;
};

/// The signed step of one wheel notch (delta > 0 is a forward turn): 10, or 1 with Ctrl; Ctrl and
/// Shift together and the right button each reverse it; a forward turn is negative. Over the
/// dial it is hundredths of zoom, elsewhere pixels of scrolling.
int wheelStep(int delta, WheelKeys keys);
/// Whether a wheel turn elsewhere scrolls horizontally.
bool wheelScrollsHorizontally(WheelKeys keys);

/// The percentage the console shows. Zoom steps of 0.01 accumulate float error (1.01 is stored
/// as 1.00999...), so the value is rounded: truncating would show 100 after one step up.
int consolePercent(float zoom);
/// x of the first digit glyph in the console image for a number of digits (1 to 3).
int consoleDigitX(int digits);
inline constexpr int kConsoleDigitY = 40;
inline constexpr int kConsoleDigitWidth = 32;
inline constexpr int kConsoleDigitHeight = 50;
inline constexpr int kConsoleDigitAdvance = 34;

} // namespace corvane::chart
