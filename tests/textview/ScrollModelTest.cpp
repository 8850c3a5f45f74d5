#include "textview/ScrollModel.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ScrollModel, LineAndPageStepsStayWithinTheLines)
{
    ScrollModel s;
    s.setLayout(100, 10, 800, 40, true);
    s.lineUp();
    EXPECT_EQ(s.firstLine(), 0);
    s.pageDown();
    EXPECT_EQ(s.firstLine(), 10);
    s.bottom();
    EXPECT_EQ(s.firstLine(), 99);
    s.lineDown();
    s.pageDown();
    EXPECT_EQ(s.firstLine(), 99);
    s.pageUp();
    EXPECT_EQ(s.firstLine(), 89);
    s.top();
    EXPECT_EQ(s.firstLine(), 0);
}

TEST(ScrollModel, PageDownKeyStopsAtTheLastFullPage)
{
    ScrollModel s;
    s.setLayout(25, 10, 800, 0, true);
    s.pageDownKey();
    EXPECT_EQ(s.firstLine(), 10);
    s.pageDownKey();
    EXPECT_EQ(s.firstLine(), 15);
    s.pageDownKey();
    EXPECT_EQ(s.firstLine(), 15);
    s.pageUpKey();
    EXPECT_EQ(s.firstLine(), 5);
}

TEST(ScrollModel, WheelScrollsLinesAndPagesWithShift)
{
    ScrollModel s;
    s.setLayout(100, 10, 800, 0, true);
    s.wheel(-1, false);
    EXPECT_EQ(s.firstLine(), 1);
    s.wheel(-1, true);
    EXPECT_EQ(s.firstLine(), 11);
    s.wheel(3, false);
    EXPECT_EQ(s.firstLine(), 8);
    s.wheel(5, true);
    EXPECT_EQ(s.firstLine(), 0);
}

TEST(ScrollModel, BarIsHiddenAndFirstLineResetWhileTheLinesFit)
{
    ScrollModel s;
    s.setLayout(100, 10, 800, 0, true);
    s.setFirstLine(50);
    s.setLayout(9, 10, 800, 0, true);
    EXPECT_FALSE(s.verticalBarVisible());
    EXPECT_EQ(s.firstLine(), 0);
    s.wheel(-3, false);
    EXPECT_EQ(s.firstLine(), 0);
    s.setLayout(10, 10, 800, 0, true);
    EXPECT_TRUE(s.verticalBarVisible());
    EXPECT_EQ(s.verticalBarMaximum(), 9);
}

TEST(ScrollModel, LongDocumentsUseAScaledBarThatReachesTheLastLine)
{
    ScrollModel s;
    s.setLayout(32768, 40, 800, 0, true); // line count - 1 == 32767: not yet scaled
    EXPECT_FALSE(s.verticalBarScaled());
    EXPECT_EQ(s.verticalBarMaximum(), 32767);

    s.setLayout(100001, 40, 800, 0, true);
    EXPECT_TRUE(s.verticalBarScaled());
    EXPECT_EQ(s.verticalBarMaximum(), 32767);
    s.thumb(32767);
    EXPECT_EQ(s.firstLine(), 100000);
    EXPECT_EQ(s.verticalBarPosition(), 32767);
    s.thumb(16384);
    EXPECT_EQ(s.firstLine(), 16384LL * 100000 / 32767);
    s.thumb(0);
    EXPECT_EQ(s.firstLine(), 0);
    s.setFirstLine(50000);
    EXPECT_EQ(s.verticalBarPosition(), 50000LL * 32767 / 100000);
}

TEST(ScrollModel, HorizontalScrollingOnlyWithoutWrap)
{
    ScrollModel s;
    s.setLayout(10, 5, 800, 40, true);
    EXPECT_FALSE(s.horizontalBarVisible());
    s.pageRight();
    EXPECT_EQ(s.horizontalPosition(), 0);

    s.setLayout(10, 5, 800, 40, false);
    EXPECT_EQ(s.horizontalRange(), 3000 - 800 + 40);
    s.lineRight();
    EXPECT_EQ(s.horizontalPosition(), 100);
    s.pageRight();
    EXPECT_EQ(s.horizontalPosition(), 500);
    s.rightEnd();
    EXPECT_EQ(s.horizontalPosition(), 2240);
    s.pageRight();
    EXPECT_EQ(s.horizontalPosition(), 2240);
    s.pageLeft();
    EXPECT_EQ(s.horizontalPosition(), 1840);
    s.horizontalThumb(-5);
    EXPECT_EQ(s.horizontalPosition(), 0);
    // A wider window shrinks the range and pulls the position back within it.
    s.rightEnd();
    s.setLayout(10, 5, 2900, 40, false);
    EXPECT_EQ(s.horizontalPosition(), 140);
    s.setLayout(10, 5, 3100, 0, false);
    EXPECT_EQ(s.horizontalRange(), 0);
    EXPECT_FALSE(s.horizontalBarVisible());
}

} // namespace
} // namespace corvane
