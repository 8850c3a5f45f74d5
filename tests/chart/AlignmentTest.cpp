#include "ChartFixture.h"

namespace corvane::test {
namespace {

using chart::Align;
using chart::AlignRefusal;
using chart::Rect;

class AlignmentTest : public ChartTest
{
protected:
    /// Runs a command with the main selection at mainIndex; the result of one undo is checked
    /// to restore every rectangle.
    void run(Align command, int mainIndex)
    {
        model.setMain(mainIndex);
        std::vector<Rect> before;
        std::vector<int> selected;
        for (int i = 0; i < project.objectCount; ++i) {
            before.push_back(rectOf(i));
            selected.push_back(project.objects[i].nodeSelected);
        }
        ASSERT_EQ(model.align(command), AlignRefusal::None);
        EXPECT_EQ(model.history().undoDepth(), 1);
        after.clear();
        for (int i = 0; i < project.objectCount; ++i)
            after.push_back(rectOf(i));
        ASSERT_TRUE(model.undo());
        for (int i = 0; i < project.objectCount; ++i) {
            EXPECT_EQ(rectOf(i), before[i]) << i;
            project.objects[i].nodeSelected = selected[i]; // undo cleared the selection
        }
    }
    std::vector<Rect> after;
};

TEST_F(AlignmentTest, SpreadVerticallyKeepsFirstAndLast)
{
    putNode(1, {0, 400, 100, 450}, ObjectType::Marker, true);
    putNode(2, {0, 10, 100, 60}, ObjectType::Marker, true);
    putNode(3, {0, 100, 100, 150}, ObjectType::Marker, true);
    run(Align::SpreadVertically, -1); // G = 450 - 10 - 150 = 290, g = 145
    EXPECT_EQ(after[0], (Rect{0, 400, 100, 450}));
    EXPECT_EQ(after[1], (Rect{0, 10, 100, 60}));
    EXPECT_EQ(after[2], (Rect{0, 205, 100, 255}));
}

TEST_F(AlignmentTest, SpreadFourMovesEachAfterTheOneBeforeAndNegativeGapsOverlapEqually)
{
    putNode(1, {0, 0, 100, 50}, ObjectType::Marker, true);
    putNode(2, {5, 0, 105, 50}, ObjectType::Marker, true);
    putNode(3, {28, 0, 128, 50}, ObjectType::Marker, true);
    putNode(4, {30, 0, 130, 50}, ObjectType::Marker, true);
    run(Align::SpreadHorizontally, -1); // G = 130 - 400 - 0 = -270, g = -90
    EXPECT_EQ(after[1].left, 100 - 90);
    EXPECT_EQ(after[2].left, after[1].right - 90);
    EXPECT_EQ(after[3].left, 30);
    // Equal starts keep table order: the earlier record stays first.
    putNode(5, {0, 0, 100, 50}, ObjectType::Marker, true);
    run(Align::SpreadHorizontally, -1);
    EXPECT_EQ(after[0].left, 0);
}

TEST_F(AlignmentTest, EdgesAlignToTheMainSelectionWithoutClamping)
{
    putNode(1, {300, 100, 450, 150}, ObjectType::Marker, true);
    putNode(2, {10, 500, 90, 560}, ObjectType::Marker, true);
    run(Align::Left, 0);
    EXPECT_EQ(after[1], (Rect{300, 500, 380, 560}));
    run(Align::Bottom, 0);
    EXPECT_EQ(after[1], (Rect{10, 90, 90, 150}));
    run(Align::Top, 0);
    EXPECT_EQ(after[1], (Rect{10, 100, 90, 160}));
    putNode(3, {1400, 0, 1500, 50}, ObjectType::Marker, true);
    run(Align::Right, 2);
    run(Align::Left, 2);
    EXPECT_EQ(after[0].right, 1400 + 150); // past the canvas: alignment does not clamp
}

TEST_F(AlignmentTest, CentringAndEqualSizes)
{
    putNode(1, {0, 100, 150, 150}, ObjectType::Marker, true);
    run(Align::CentreHorizontally, -1);
    EXPECT_EQ(after[0].left, 675);
    run(Align::CentreVertically, -1);
    EXPECT_EQ(after[0].top, 725);

    putNode(2, {1450, 100, 1500, 300}, ObjectType::Marker, true);
    project.objects[0].nodeRect[2] = 200;
    run(Align::SameWidth, 0);
    EXPECT_EQ(after[1], (Rect{1300, 100, 1500, 300}));
    run(Align::SameHeight, 0);
    EXPECT_EQ(after[1], (Rect{1450, 100, 1500, 150}));
    run(Align::SameSize, 0);
    EXPECT_EQ(after[1], (Rect{1300, 100, 1500, 150}));
}

TEST_F(AlignmentTest, UnmetPreconditionsLeaveNoUndoStep)
{
    putNode(1, {0, 0, 100, 50}, ObjectType::Marker, true);
    putNode(2, {0, 100, 100, 150}, ObjectType::Marker, true);
    putNode(3, {0, 200, 100, 250});
    EXPECT_EQ(model.align(Align::SpreadVertically), AlignRefusal::NeedsThree);
    EXPECT_EQ(model.align(Align::Left), AlignRefusal::NeedsTwoAndMain); // no main selection
    model.setMain(2);                                                   // main not selected
    EXPECT_EQ(model.align(Align::SameWidth), AlignRefusal::NeedsTwoAndMain);
    model.clearSelection();
    EXPECT_EQ(model.align(Align::CentreVertically), AlignRefusal::NothingSelected);
    EXPECT_EQ(model.history().undoDepth(), 0);
    EXPECT_FALSE(project.modified);
}

} // namespace
} // namespace corvane::test
