#include "textview/ViewGeometry.h"

#include "FixedWidths.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Gutter, SampleHasOneDigitPerDecimalPlaceOfTheLineCount)
{
    EXPECT_EQ(gutterSample(0), "8");
    EXPECT_EQ(gutterSample(9), "8");
    EXPECT_EQ(gutterSample(10), "08");
    EXPECT_EQ(gutterSample(99), "08");
    EXPECT_EQ(gutterSample(100), "008");
    EXPECT_EQ(gutterDigits(32768), 5);
}

struct GeometryFixture : ::testing::Test
{
    test::FixedWidths source;
    CharWidthTable widths{&source};
    KeyTable keys;
    std::string text;
    ViewGeometry g;

    void SetUp() override
    {
        // Lines of 10-pixel characters; "\x82\xa0" is 20 pixels wide.
        text = "abc\r\n\r\nx\x82\xa0y\r\nlast";
        keys.build(text, widths, 1000);
        g.lineHeight = 20;
        g.lineSpacing = 4;
        g.leftMargin = 5;
        g.topMargin = 7;
        g.gutterWidth = 30;
        g.clientWidth = 400;
        g.clientHeight = 7 + 20 * 10;
    }
};

TEST_F(GeometryFixture, PositionToPointGivesLeftEdgeAndBottomOfLine)
{
    EXPECT_EQ(positionToPoint(0, text, keys, widths, g), (ClientPoint{35, 27}));
    EXPECT_EQ(positionToPoint(2, text, keys, widths, g), (ClientPoint{55, 27}));
    // Inside the CR LF the point stays at the end of the characters.
    EXPECT_EQ(positionToPoint(4, text, keys, widths, g), (ClientPoint{65, 27}));
    EXPECT_EQ(positionToPoint(5, text, keys, widths, g), (ClientPoint{35, 47}));
    // After "x" and the two-byte character.
    EXPECT_EQ(positionToPoint(10, text, keys, widths, g), (ClientPoint{65, 67}));
    // The text length is the end of the last line.
    EXPECT_EQ(positionToPoint(static_cast<ByteOffset>(text.size()), text, keys, widths, g),
              (ClientPoint{75, 87}));
}

TEST_F(GeometryFixture, PositionToPointFollowsScrollingAndFailsOutsideTheShownLines)
{
    g.firstLine = 2;
    g.horizontalPosition = 10;
    EXPECT_FALSE(positionToPoint(0, text, keys, widths, g));
    EXPECT_EQ(positionToPoint(7, text, keys, widths, g), (ClientPoint{25, 27}));
    g.firstLine = 0;
    g.clientHeight = 7 + 20; // one row
    EXPECT_TRUE(positionToPoint(4, text, keys, widths, g));
    EXPECT_FALSE(positionToPoint(7, text, keys, widths, g));
}

TEST_F(GeometryFixture, PointToOffsetRoundTripsEveryCharacterStart)
{
    for (ByteOffset off : {0, 1, 2, 7, 8, 10, 13, 14, 15, 16}) {
        const auto p = positionToPoint(off, text, keys, widths, g);
        ASSERT_TRUE(p) << off;
        // A point just right of the left edge, inside the line.
        const auto back = pointToOffset(p->x + 1, p->y - 1, text, keys, widths, g);
        ASSERT_TRUE(back) << off;
        EXPECT_EQ(*back, off);
    }
}

TEST_F(GeometryFixture, PointToOffsetSplitsCellsAtTheirMiddles)
{
    const int y = 7 + 45; // third line: x, two-byte (20), y
    const int left = g.textLeft();
    EXPECT_EQ(pointToOffset(left + 4, y, text, keys, widths, g), 7);  // left half of "x"
    EXPECT_EQ(pointToOffset(left + 5, y, text, keys, widths, g), 8);  // right half of "x"
    EXPECT_EQ(pointToOffset(left + 19, y, text, keys, widths, g), 8); // left half of the wide one
    EXPECT_EQ(pointToOffset(left + 20, y, text, keys, widths, g), 10);
    EXPECT_EQ(pointToOffset(left + 34, y, text, keys, widths, g), 10); // left half of "y"
    // The right half of the last character and beyond give no offset.
    EXPECT_FALSE(pointToOffset(left + 35, y, text, keys, widths, g));
    EXPECT_FALSE(pointToOffset(left - 1, y, text, keys, widths, g));
    EXPECT_FALSE(pointToOffset(left + 1, 6, text, keys, widths, g)); // in the top margin
    EXPECT_FALSE(pointToOffset(left + 1, 7 + 20 * 4 + 1, text, keys, widths, g)); // no line
    EXPECT_FALSE(pointToOffset(left + 1, 7 + 25, text, keys, widths, g));         // empty line
}

TEST_F(GeometryFixture, PointToOffsetWithHorizontalScroll)
{
    g.horizontalPosition = 20;
    EXPECT_EQ(pointToOffset(g.textLeft() + 1, 7 + 5, text, keys, widths, g), 2);
}

TEST_F(GeometryFixture, ScrollToCaretBringsTheLineIntoView)
{
    g.clientHeight = 7 + 20 * 2; // two lines per page
    EXPECT_EQ(scrollToCaret(14, text, keys, widths, g, true, 0), (ScrollPosition{2, 0}));
    g.firstLine = 3;
    EXPECT_EQ(scrollToCaret(1, text, keys, widths, g, true, 0), (ScrollPosition{0, 0}));
    EXPECT_EQ(scrollToCaret(16, text, keys, widths, g, true, 0), (ScrollPosition{3, 0}));
}

TEST_F(GeometryFixture, ScrollToCaretScrollsHorizontallyOnlyWithoutWrap)
{
    std::string wide(300, 'a'); // 3000 pixels
    text = wide;
    keys.build(text, widths, 3000 - 3 * 17);
    g.gutterWidth = 0;
    g.clientWidth = 400;
    // Caret at x = 5 + 2000: right limit 320, so scroll by 1685.
    EXPECT_EQ(scrollToCaret(200, text, keys, widths, g, false, 2600), (ScrollPosition{0, 1685}));
    EXPECT_EQ(scrollToCaret(200, text, keys, widths, g, false, 1000), (ScrollPosition{0, 1000}));
    EXPECT_EQ(scrollToCaret(200, text, keys, widths, g, true, 2600), (ScrollPosition{0, 0}));
    // Back to the left: caret x below 80 scrolls left by the shortfall, never below 0.
    g.horizontalPosition = 1685;
    EXPECT_EQ(scrollToCaret(170, text, keys, widths, g, false, 2600),
              (ScrollPosition{0, 1685 - (80 - (5 + 1700 - 1685))}));
    EXPECT_EQ(scrollToCaret(0, text, keys, widths, g, false, 2600), (ScrollPosition{0, 0}));
}

TEST(Geometry, EmptyDocumentPutsTheCaretAtTheFirstLine)
{
    test::FixedWidths source;
    CharWidthTable widths{&source};
    KeyTable keys;
    keys.build("", widths, 100);
    ViewGeometry g;
    g.lineHeight = 10;
    g.clientHeight = 100;
    g.leftMargin = 5;
    EXPECT_EQ(positionToPoint(0, "", keys, widths, g), (ClientPoint{5, 10}));
    EXPECT_FALSE(pointToOffset(6, 5, "", keys, widths, g));
}

TEST(Geometry, ContentEndLeavesOutTheLineBreak)
{
    EXPECT_EQ(contentEnd("ab\r\n", 0, 4), 2);
    EXPECT_EQ(contentEnd("ab\r", 0, 3), 2);
    EXPECT_EQ(contentEnd("ab\n", 0, 3), 3); // a lone LF is an ordinary byte
    EXPECT_EQ(contentEnd("\r\n", 0, 2), 0);
}

} // namespace
} // namespace corvane
