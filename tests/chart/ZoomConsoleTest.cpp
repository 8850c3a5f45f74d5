// The zoom console's hit regions, clamp, dial and wheel rules.
#include "chart/ZoomConsole.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::chart {
namespace {

const Point kCentre{200, 150};

Point rel(int x, int y) // console-relative to client pixels
{
    return {kCentre.x - kConsoleRadius + x, kCentre.y - kConsoleRadius + y};
}

TEST(ZoomConsoleTest, ButtonsBodyAndRing)
{
    EXPECT_EQ(consolePartAt(rel(65, 6), kCentre, false), ConsolePart::Plus);  // vertical bar
    EXPECT_EQ(consolePartAt(rel(51, 20), kCentre, false), ConsolePart::Plus); // horizontal bar
    EXPECT_EQ(consolePartAt(rel(71, 20), kCentre, false), ConsolePart::Plus);
    EXPECT_EQ(consolePartAt(rel(80, 20), kCentre, false), ConsolePart::Body); // right excluded
    EXPECT_EQ(consolePartAt(rel(65, 110), kCentre, false), ConsolePart::Minus);
    EXPECT_EQ(consolePartAt(rel(65, 116), kCentre, false), ConsolePart::Body);
    EXPECT_EQ(consolePartAt(kCentre, kCentre, false), ConsolePart::Body);
    // The ring exists only while the console is active.
    const Point onRing{kCentre.x + 70, kCentre.y};
    EXPECT_EQ(consolePartAt(onRing, kCentre, false), ConsolePart::None);
    EXPECT_EQ(consolePartAt(onRing, kCentre, true), ConsolePart::Ring);
    EXPECT_EQ(consolePartAt({kCentre.x, kCentre.y - 74}, kCentre, true), ConsolePart::None);
}

TEST(ZoomConsoleTest, CentreStaysInsideTheClientArea)
{
    EXPECT_EQ(clampConsoleCentre({0, 0}, 800, 600), (Point{70, 70}));
    EXPECT_EQ(clampConsoleCentre({900, 700}, 800, 600), (Point{730, 530}));
    EXPECT_EQ(clampConsoleCentre({300, 200}, 800, 600), (Point{300, 200}));
    // A client narrower than the console keeps it at the top left, never a reversed clamp.
    EXPECT_EQ(clampConsoleCentre({300, 200}, 100, 90), (Point{70, 70}));
}

TEST(ZoomConsoleTest, DialTurnsByTheAngleMovedAcrossTheSeam)
{
    const Point c{0, 0};
    // A quarter turn clockwise on screen (y grows downwards) zooms in by 1.57.
    EXPECT_FLOAT_EQ(dialZoomChange({70, 0}, {0, 70}, c), 1.57f);
    EXPECT_FLOAT_EQ(dialZoomChange({0, 70}, {70, 0}, c), -1.57f);
    // Just above and just below the left end: a small move, not a whole turn.
    const float across = dialZoomChange({-70, -2}, {-70, 2}, c);
    EXPECT_LT(std::abs(across), 0.1f);
    EXPECT_LT(across, 0.0f);
}

TEST(ZoomConsoleTest, WheelSteps)
{
    EXPECT_EQ(wheelStep(-120, {}), 10); // a backward turn zooms in by a tenth
    EXPECT_EQ(wheelStep(120, {}), -10);
    EXPECT_EQ(wheelStep(-120, {.ctrl = true}), 1);
    EXPECT_EQ(wheelStep(-120, {.ctrl = true, .shift = true}), -1);
    EXPECT_EQ(wheelStep(-120, {.rightButton = true}), -10);
    EXPECT_EQ(wheelStep(-120, {.shift = true}), 10); // Shift alone only turns scrolling sideways
    EXPECT_TRUE(wheelScrollsHorizontally({.shift = true}));
    EXPECT_TRUE(wheelScrollsHorizontally({.rightButton = true}));
    EXPECT_FALSE(wheelScrollsHorizontally({.ctrl = true}));
}

TEST(ZoomConsoleTest, Percentage)
{
    EXPECT_EQ(consolePercent(1.0f), 100);
    EXPECT_EQ(consolePercent(4.0f), 400);
    EXPECT_EQ(consolePercent(1.0f + 0.01f), 101);
    EXPECT_EQ(consolePercent(0.08f), 8);
    EXPECT_EQ(consoleDigitX(1), 49);
    EXPECT_EQ(consoleDigitX(2), 31);
    EXPECT_EQ(consoleDigitX(3), 15);
}

} // namespace
} // namespace corvane::chart
