#include "ChartFixture.h"

#include "model/FixedText.h"

#include <set>
#include <utility>

namespace corvane::test {
namespace {

using chart::Point;
using chart::Rect;

class PlacementTest : public ChartTest
{
protected:
    int putSub(ObjectId id, SjisView mainTitle)
    {
        const int i = putSubSubject(id);
        setFixedText(project.objects[i].firstText, mainTitle);
        return i;
    }
    /// No two placed nodes overlap.
    bool overlapFree() const
    {
        for (int i = 0; i < project.objectCount; ++i)
            for (int j = i + 1; j < project.objectCount; ++j)
                if (rectOf(i).overlaps(rectOf(j)))
                    return false;
        return true;
    }
};

TEST_F(PlacementTest, SubSubjectGridFollowsTheSubjectListOrder)
{
    EXPECT_EQ(chart::subSubjectGridRect(6, 500), (Rect{200, 30, 350, 80}));
    EXPECT_EQ(chart::subSubjectGridRect(19, 1500), (Rect{30, 1360, 180, 1410}));
    EXPECT_EQ(chart::subSubjectGridRect(20, 1500), (Rect{200, 30, 350, 80}));

    // Main subject "b" first appears before "a": its sub-subjects come first in the list, so the
    // later record 5 (under "b") is the second cell.
    project.chartView.height = 500;
    putSub(1, "b");
    putSub(2, "a");
    putSub(3, "a");
    putSub(4, "a");
    putSub(5, "b");
    putSub(6, "a");
    putSub(7, "a");
    EXPECT_EQ(model.placeUnplaced({0, 0}), 7);
    EXPECT_EQ(rectOf(4), (Rect{30, 100, 180, 150}));
    EXPECT_EQ(rectOf(6), (Rect{200, 30, 350, 80})); // the seventh starts column 1
}

TEST_F(PlacementTest, StoredHeightBelowTheGridIsClampedNotDividedByZero)
{
    project.chartView.height = 100; // (100 - 60) / 70 = 0 rows
    putSub(1, "a");
    EXPECT_EQ(model.placeUnplaced({0, 0}), 1);
    EXPECT_EQ(rectOf(0), (Rect{30, 30, 180, 80}));
}

TEST_F(PlacementTest, ManyMarkersPlacedAtOnceSpreadAroundTheirLinkedNode)
{
    project.chartView.width = 5000;
    project.chartView.height = 5000;
    const Rect hub{2400, 2400, 2550, 2450};
    putNode(1, hub, ObjectType::SubSubject);
    for (ObjectId id = 2; id <= 1001; ++id) {
        putMarker(id, "doc", 0);
        putLink(1, id);
    }
    model.history().push(project, {1});
    EXPECT_EQ(model.placeUnplaced({0, 0}), 1000);
    EXPECT_EQ(model.history().undoDepth(), 0);

    std::set<std::pair<int, int>> spots;
    int overlapping = 0;
    for (int i = 1; i < project.objectCount; ++i) {
        const Rect r = rectOf(i);
        EXPECT_EQ(r.width(), 150);
        EXPECT_EQ(r.height(), 50);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 5000 && r.bottom <= 5000);
        EXPECT_NE(r.centre(), hub.centre());
        spots.insert({r.left, r.top});
        for (int j = 0; j < i; ++j)
            overlapping += r.overlaps(rectOf(j)) ? 1 : 0;
    }
    EXPECT_EQ(spots.size(), 1000u);
    // The first markers find free spots near the hub.
    EXPECT_FALSE(rectOf(1).overlaps(hub));
    EXPECT_LT(std::abs(rectOf(1).centre().x - hub.centre().x), 100 + 75);
    EXPECT_LT(overlapping, 50);
}

TEST_F(PlacementTest, CandidatesAreClampedToTheCanvasBeforeTheOverlapTest)
{
    // A hub in the top-left corner: unclamped candidates off the canvas would look free and then
    // be pushed back onto each other.
    putNode(1, Rect{0, 0, 150, 50}, ObjectType::SubSubject);
    for (ObjectId id = 2; id <= 21; ++id) {
        putMarker(id, "doc", 0);
        putLink(id, 1);
    }
    model.placeUnplaced({0, 0});
    EXPECT_TRUE(overlapFree());
}

TEST_F(PlacementTest, UnlinkedMarkersGoAroundTheFallbackCentre)
{
    for (ObjectId id = 1; id <= 10; ++id)
        putMarker(id, "doc", 0);
    model.placeUnplaced({700, 600});
    EXPECT_TRUE(overlapFree());
    const Point c = rectOf(0).centre();
    EXPECT_LE(std::abs(c.x - 700), 50);
    EXPECT_LE(std::abs(c.y - 600), 50);
}

} // namespace
} // namespace corvane::test
