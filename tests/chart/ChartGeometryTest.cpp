#include "chart/ChartGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvane::chart {
namespace {

TEST(ChartConversion, TruncatesAndConvertsRectanglesByOriginAndSize)
{
    EXPECT_EQ(toCanvas(150, 0.3f), 45);
    EXPECT_EQ(toChart(45, 0.3f), 149); // the round trip loses a unit: resizes stay in chart units
    // Origin and size separately: the right edge is not trunc(16 x 0.5).
    EXPECT_EQ(toCanvas(Rect{11, 0, 16, 3}, 0.5f), (Rect{5, 0, 7, 1}));
    EXPECT_EQ(toChart(Rect{5, 0, 7, 1}, 0.5f), (Rect{10, 0, 14, 2}));
    EXPECT_EQ(toCanvas(-3, 0.5f), -1); // toward zero, not down
}

TEST(ChartConversion, KeyboardStepsAlwaysMove)
{
    EXPECT_EQ(stepToChart(1, 0.5f), 2);
    EXPECT_EQ(stepToChart(1, 4.0f), 1);
    EXPECT_EQ(stepToChart(-1, 4.0f), -1);
    EXPECT_EQ(stepToChart(10, 4.0f), 2);
    EXPECT_EQ(stepToChart(2, 4.0f), 0);
}

TEST(ChartConversion, StoredValuesAreClampedWhenUsed)
{
    ChartViewSettings s{};
    s.width = 0;
    s.height = 100;
    s.rotationRadius = 0;
    s.zoom = 0.0f;
    EXPECT_EQ(chartWidth(s), 500);
    EXPECT_EQ(chartHeight(s), 500);
    EXPECT_EQ(rotationRadius(s), 40);
    EXPECT_EQ(zoomOf(s), kMinZoom);
    s.width = 9999;
    s.rotationRadius = 1000;
    EXPECT_EQ(chartWidth(s), 5000);
    EXPECT_EQ(rotationRadius(s), 140);
    for (float bad :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity()})
        EXPECT_EQ(clampZoom(bad), 1.0f);
    EXPECT_EQ(clampZoom(9.0f), 4.0f);
    s.width = 1000;
    s.height = 800;
    s.zoom = 0.5f;
    EXPECT_EQ(scrollArea(s), (Size{525, 425}));
}

TEST(ChartHandles, CornersAndEdgeCentresWithTheirSizes)
{
    const Rect r{10, 20, 111, 71};
    EXPECT_EQ(handlePoint(r, 2), (Point{111, 71}));
    EXPECT_EQ(handlePoint(r, 4), (Point{60, 20})); // left + width / 2
    EXPECT_EQ(handlePoint(r, 7), (Point{10, 45}));
    EXPECT_EQ(handleRect(r, 0), (Rect{6, 16, 14, 24}));
    EXPECT_EQ(handleRect(r, 5, 3), (Rect{105, 39, 117, 51}));
}

// Each case: rectangle a, the centre of b, the expected border point of a towards b.
struct BorderCase
{
    const char* name;
    Rect a;
    Point other;
    Point expected;
};

TEST(BorderPoint, EveryDirectionClassAndTheTieRule)
{
    const Rect a{0, 0, 101, 51}; // centre (50, 25), half sizes 51 and 25
    const BorderCase cases[] = {
        {"directly below", a, {50, 300}, {50, 51}},
        {"directly above", a, {50, -300}, {50, 0}},
        {"directly right", a, {400, 25}, {101, 25}},
        {"directly left", a, {-400, 25}, {0, 25}},
        {"right below, steep", a, {100, 225}, {50 + 50 * 26 / 200, 51}},
        {"left above, flat", a, {-350, -75}, {0, 25 + (-100 * -50) / -400}},
        {"right above, steep", a, {60, -175}, {50 + 10 * -25 / -200, 0}},
        {"left below, flat", a, {-250, 75}, {0, 25 + 50 * -50 / -300}},
        // The tie (slope = half height / half width): only right-and-below takes the bottom edge.
        {"tie right below", a, {152, 75}, {103, 51}},
        {"tie left below", a, {-52, 75}, {0, 49}},
    };
    for (const BorderCase& c : cases) {
        const auto p = borderPoint(c.a, Rect{c.other.x, c.other.y, c.other.x, c.other.y});
        ASSERT_TRUE(p) << c.name;
        EXPECT_EQ(*p, c.expected) << c.name;
    }
}

TEST(BorderPoint, VerticallyAlignedNodesJoinEdgeCentres)
{
    const Rect upper{100, 0, 250, 50};
    const Rect lower{100, 200, 250, 250};
    EXPECT_EQ(borderPoint(upper, lower), (Point{175, 50}));
    EXPECT_EQ(borderPoint(lower, upper), (Point{175, 200}));
}

TEST(BorderPoint, CoincidingCentresAndTouchingCornersDrawNoArrow)
{
    EXPECT_FALSE(borderPoint(Rect{0, 0, 100, 50}, Rect{20, 10, 80, 40}));
    const Rect a{0, 0, 100, 50};
    const Rect b{100, 50, 200, 100};
    const auto start = borderPoint(a, b);
    const auto end = borderPoint(b, a);
    ASSERT_TRUE(start && end);
    EXPECT_EQ(*start, *end);
    EXPECT_FALSE(arrowHead(*start, *end, 1.0f)); // zero length: no head, no division by zero
}

TEST(ArrowHead, AtZoomOneAndWhereItsBaseMeetsItsPoint)
{
    const auto head = arrowHead({100, 25}, {200, 25}, 1.0f);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->tip, (Point{200, 25}));
    EXPECT_EQ(head->left, (Point{184, 30}));
    EXPECT_EQ(head->right, (Point{184, 20}));
    // At zoom 0.1 the head is one pixel long; on a diagonal its base truncates onto its point.
    EXPECT_FALSE(arrowHead({0, 0}, {100, 100}, 0.1f));
    EXPECT_FALSE(arrowHead({0, 0}, {100, 0}, 0.05f));
}

} // namespace
} // namespace corvane::chart
