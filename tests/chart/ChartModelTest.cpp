#include "ChartFixture.h"

#include "base/SettingsKeys.h"
#include "model/ObjectTable.h"
#include "res/MessageNumbers.h"

#include <cmath>
#include <numbers>

namespace corvane::test {
namespace {

using chart::Modifiers;
using chart::Point;
using chart::Rect;

using ChartModelTest = ChartTest;

std::vector<int> selectedOf(const chart::ChartModel& m)
{
    return m.selectedIndexes();
}

TEST_F(ChartModelTest, PressSelectsByModifierKeys)
{
    putNode(1, {0, 0, 100, 50});
    putNode(2, {200, 0, 300, 50});
    putNode(3, {400, 0, 500, 50});
    EXPECT_TRUE(model.pressOnNode(0, {}));
    EXPECT_EQ(selectedOf(model), (std::vector<int>{0}));
    EXPECT_TRUE(fake.refresh.saw("showNodeProperties id 1"));

    EXPECT_FALSE(model.pressOnNode(1, Modifiers{true, false})); // Ctrl adds, no move
    EXPECT_FALSE(model.pressOnNode(2, Modifiers{true, false}));
    EXPECT_EQ(selectedOf(model), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(model.mainIndex(), 2);

    // Shift on the main node unselects it; the first still selected becomes main; no move.
    EXPECT_FALSE(model.pressOnNode(2, Modifiers{false, true}));
    EXPECT_EQ(selectedOf(model), (std::vector<int>{0, 1}));
    EXPECT_EQ(model.mainIndex(), 0);

    EXPECT_TRUE(model.pressOnNode(1, {})); // a selected node: made main, the move starts
    EXPECT_EQ(selectedOf(model), (std::vector<int>{0, 1}));
    EXPECT_TRUE(model.pressOnNode(2, {})); // an unselected node alone
    EXPECT_EQ(selectedOf(model), (std::vector<int>{2}));

    model.clearSelection();
    EXPECT_EQ(model.mainIndex(), -1);
    EXPECT_EQ(fake.refresh.calls.back(), "redrawChart");
    EXPECT_TRUE(fake.refresh.saw("resetProperties")); // "nothing selected", not index -1
}

TEST_F(ChartModelTest, HitTestsFindTheTopmostNodeAndHandles)
{
    putNode(1, {0, 0, 100, 50});
    putNode(2, {50, 20, 150, 70}, ObjectType::Marker, true);
    project.objects[1].lineThickness = 6; // hit rectangle 3 wider
    EXPECT_EQ(model.nodeAt({60, 30}), 1);
    EXPECT_EQ(model.nodeAt({10, 10}), 0);
    EXPECT_EQ(model.nodeAt({152, 30}), 1);
    EXPECT_EQ(model.nodeAt({300, 300}), -1);
    const auto hit = model.handleAt({41, 11}); // top-left handle: 4 + 3 around (47, 17)
    EXPECT_EQ(hit.index, 1);
    EXPECT_EQ(hit.handle, 0);
    EXPECT_EQ(model.handleAt({100, 45}).index, -1);
}

TEST_F(ChartModelTest, RubberBandAndTabAndSelectCommands)
{
    putNode(1, {0, 0, 100, 50}, ObjectType::SubSubject);
    putNode(2, {200, 0, 300, 50});
    putNode(3, {400, 0, 500, 50});
    project.chartView.zoom = 0.5f;
    EXPECT_FALSE(model.selectInside({0, 0, 10, 200})); // under 11 pixels wide
    EXPECT_FALSE(model.selectInside({0, 0, 149, 24})); // no node entirely inside
    EXPECT_TRUE(model.selectInside({150, 25, 0, 0}));  // any corner order
    EXPECT_EQ(selectedOf(model), (std::vector<int>{0, 1}));
    EXPECT_EQ(model.mainIndex(), 1);

    model.cycleMain(true);
    EXPECT_EQ(selectedOf(model), (std::vector<int>{0, 2}));
    model.cycleMain(true); // wraps
    EXPECT_EQ(model.mainIndex(), 0);

    model.selectAll(chart::NodeFilter::Markers);
    EXPECT_EQ(selectedOf(model), (std::vector<int>{1, 2}));
    EXPECT_EQ(model.mainIndex(), 2);
    project.objects[1].background = project.objects[2].background = 0x123456;
    project.objects[0].background = 0x123456;
    model.setMain(1);
    model.selectSameBackground();
    EXPECT_EQ(selectedOf(model), (std::vector<int>{1, 2})); // sub-subjects never
}

TEST_F(ChartModelTest, MovesStepInChartUnitsAndStayInsideTheCanvas)
{
    putNode(1, {100, 100, 250, 150}, ObjectType::Marker, true);
    project.chartView.zoom = 0.5f;
    ASSERT_TRUE(model.moveSelected(1, 0));
    EXPECT_EQ(rectOf(0), (Rect{102, 100, 252, 150}));
    project.chartView.zoom = 4.0f;
    model.moveSelected(1, 10); // 1 pixel is 1 unit, 10 pixels trunc(2.5)
    EXPECT_EQ(rectOf(0), (Rect{103, 102, 253, 152}));
    EXPECT_TRUE(project.modified);

    project.chartView.zoom = 1.0f;
    model.moveSelected(5000, 5000);
    EXPECT_EQ(rectOf(0), (Rect{1349, 1449, 1499, 1499}));
    model.moveSelected(-5000, -5000);
    EXPECT_EQ(rectOf(0), (Rect{2, 2, 152, 52}));
    EXPECT_EQ(model.history().undoDepth(), 4);
}

TEST_F(ChartModelTest, ResizeScalesEverySelectedNodeInChartUnitsAndKeepsTheMinimum)
{
    putNode(1, {100, 100, 250, 150}, ObjectType::Marker, true);
    putNode(2, {400, 400, 500, 430}, ObjectType::Marker, true);
    model.setMain(0);
    project.chartView.zoom = 0.3f;
    // Bottom-right handle dragged to the left of the fixed edge: held 60 x 20 from it.
    const Rect target = model.resizeTarget(2, {120, 105});
    EXPECT_EQ(target, (Rect{100, 100, 160, 120}));
    ASSERT_TRUE(model.resizeSelected(2, target));
    EXPECT_EQ(rectOf(0), target);
    EXPECT_EQ(rectOf(1), (Rect{400, 400, 460, 420})); // 40 x 12 held at 60 x 20
    // Doubling the width with the left handle keeps the right edges; no pixel round trip.
    model.resizeSelected(7, {40, 100, 160, 120});
    EXPECT_EQ(rectOf(1), (Rect{340, 400, 460, 420}));
    // Scaled past the canvas: shifted back in without changing size.
    model.resizeSelected(5, {40, 100, 1540, 120});
    EXPECT_EQ(rectOf(0).right, 1500);
    EXPECT_EQ(rectOf(0).width(), 1500);
}

TEST_F(ChartModelTest, RotationTurnsLinkedNodesOnceAndIgnoresAReleaseOnTheCentre)
{
    project.chartView.rotationRadius = 100;
    putNode(1, {400, 400, 500, 450}, ObjectType::SubSubject, true); // centre (450, 425)
    putNode(2, {575, 400, 675, 450});                               // centre (625, 425)
    putNode(3, {1000, 1000, 1100, 1050});                           // not linked
    putLink(1, 2);
    putLink(2, 1);
    model.setMain(0);
    EXPECT_TRUE(model.rotationCircleShown());
    EXPECT_FALSE(model.rotateLinked({550, 425}, {451, 426})); // within the dead zone
    EXPECT_EQ(model.history().undoDepth(), 0);

    // A quarter turn, released on the circle: same distance, below the centre.
    ASSERT_TRUE(model.rotateLinked({550, 425}, {450, 525}));
    EXPECT_EQ(rectOf(1), (Rect{400, 575, 500, 625}));
    EXPECT_EQ(rectOf(2), (Rect{1000, 1000, 1100, 1050}));
    EXPECT_EQ(model.history().undoDepth(), 1);
    // Released at twice the radius: distance doubled.
    model.rotateLinked({450, 525}, {450, 625});
    EXPECT_EQ(rectOf(1).centre(), (Point{450, 425 + 350}));

    // Scrolled or zoomed, everything stays in canvas pixels and sizes in chart units.
    project.chartView.zoom = 0.3f;
    model.rotateLinked({135, 157}, {165, 127});
    EXPECT_EQ(rectOf(1).width(), 100);
    EXPECT_EQ(rectOf(1).height(), 50);
}

TEST_F(ChartModelTest, ChartSizeFromDragsAndRadiusStayInRange)
{
    putNode(1, {100, 100, 900, 150}, ObjectType::Marker, true);
    EXPECT_EQ(model.widthForDrag(10), 900);  // not below the nodes' extent
    EXPECT_EQ(model.heightForDrag(10), 500); // nor below 500
    EXPECT_EQ(model.widthForDrag(9000), 5000);
    project.objects[0].nodeRect[2] = 6000; // alignment pushed a node past 5000
    EXPECT_EQ(model.widthForDrag(10), 5000);
    model.setChartWidth(100);
    EXPECT_EQ(project.chartView.width, 5000);

    model.setMain(0);
    model.setRadiusFromDrag(0);
    EXPECT_EQ(project.chartView.rotationRadius, 40);
    model.setRadiusFromDrag(100000);
    EXPECT_EQ(project.chartView.rotationRadius, 140);
}

TEST_F(ChartModelTest, ZoomRules)
{
    EXPECT_FLOAT_EQ(chart::fitZoom(1920, 1080, project.chartView), 0.72f);
    project.chartView.width = project.chartView.height = 500;
    EXPECT_FLOAT_EQ(chart::fitZoom(3000, 3000, project.chartView), 4.0f);
    constexpr double pi = std::numbers::pi;
    // Across the seam of atan2 (from just below pi to just above -pi) the dial turns a little.
    EXPECT_NEAR(chart::dialZoomDelta(pi - 0.0275, -pi + 0.0275), 0.05f, 1e-6);
    EXPECT_NEAR(chart::dialZoomDelta(-pi + 0.0275, pi - 0.0275), -0.05f, 1e-6);
    EXPECT_NEAR(chart::dialZoomDelta(0.0, 0.5), 0.5f, 1e-6);
    model.setZoom(0.0f);
    EXPECT_EQ(project.chartView.zoom, chart::kMinZoom);
}

TEST_F(ChartModelTest, DropLinksEverySelectedNodeButNeverTheTargetToItself)
{
    write(fake.settings, keys::MakeMes, 0);
    write(fake.settings, keys::DelMes, 0);
    putNode(1, {0, 0, 100, 50}, ObjectType::Marker, true);
    putNode(2, {200, 0, 300, 50}, ObjectType::Marker, true); // the target, selected too
    putNode(3, {400, 0, 500, 50}, ObjectType::Marker, true);
    EXPECT_EQ(model.dropOnto(1), 2);
    EXPECT_EQ(links(), (std::vector<std::string>{"1>2", "3>2"}));
    // The same drop again removes them; a sub-subject pair is refused and ends the drop.
    EXPECT_EQ(model.dropOnto(1), 2);
    EXPECT_TRUE(links().empty());
    project.objects[0].type = project.objects[1].type = ObjectType::SubSubject;
    EXPECT_EQ(model.dropOnto(1), 0);
    EXPECT_EQ(fake.messages.numbers(), (std::vector<int>{msg::kSubSubjectToSubSubject}));
}

TEST_F(ChartModelTest, RestackingFollowsObjectsAndFailsCleanly)
{
    putNode(1, {0, 0, 100, 50}, ObjectType::Marker, true);
    putNode(2, {0, 0, 100, 50});
    putNode(3, {0, 0, 100, 50}, ObjectType::Marker, true);
    putNode(4, {0, 0, 100, 50});
    model.setMain(0);
    project.currentObject = 1; // object 2
    model.history().push(project, {1});
    ASSERT_TRUE(model.restack(chart::Stacking::Front));
    EXPECT_EQ(ids(), (std::vector<ObjectId>{2, 4, 1, 3}));
    EXPECT_EQ(model.mainId(), 1);
    EXPECT_EQ(model.mainIndex(), 2);
    EXPECT_EQ(project.currentObject, 0);
    EXPECT_EQ(model.history().undoDepth(), 0);
    ASSERT_TRUE(model.restack(chart::Stacking::Back));
    EXPECT_EQ(ids(), (std::vector<ObjectId>{1, 3, 2, 4}));
    EXPECT_EQ(project.currentObject, 2);
    ASSERT_TRUE(model.restack(chart::Stacking::SwapTwo));
    EXPECT_EQ(ids(), (std::vector<ObjectId>{3, 1, 2, 4}));
    project.objects[3].nodeSelected = 1;
    EXPECT_FALSE(model.restack(chart::Stacking::SwapTwo)); // only with exactly two
    // The main object deleted elsewhere: the main selection is none.
    ObjectTable(project).remove(1);
    EXPECT_EQ(model.mainIndex(), -1);
}

TEST_F(ChartModelTest, StyleCopiesAndSynchroSkipsNoFill)
{
    write(fake.settings, keys::Synchro, 1);
    putNode(1, {0, 0, 100, 50}, ObjectType::Marker, true);
    putNode(2, {0, 0, 100, 50}, ObjectType::Marker, true);
    putNode(3, {0, 0, 100, 50}, ObjectType::SubSubject, true);
    project.objects[0].lineThickness = 7;
    project.objects[0].background = 0x00AABBCC;
    project.objects[1].markerColour = 0x00111111;
    project.objects[2].markerColour = 0;
    model.setMain(0);
    ASSERT_TRUE(model.copyStyleField(chart::StyleField::LineThickness));
    EXPECT_EQ(project.objects[1].lineThickness, 7);
    EXPECT_EQ(project.objects[1].background, 0u);

    ASSERT_TRUE(model.copyWholeStyle());
    EXPECT_EQ(project.objects[1].background, 0x00AABBCCu);
    EXPECT_EQ(project.objects[1].markerColour, 0x00AABBCCu);
    EXPECT_EQ(project.objects[2].markerColour, 0u); // sub-subjects have no marker colour
    model.undo();
    EXPECT_EQ(project.objects[1].markerColour, 0x00111111u);
    EXPECT_TRUE(fake.refresh.saw("rebuildMarkerList"));

    project.objects[0].background = chart::kNoFill;
    for (int i = 0; i < 3; ++i)
        project.objects[i].nodeSelected = 1;
    model.setMain(0);
    ASSERT_TRUE(model.copyWholeStyle());
    EXPECT_EQ(project.objects[1].background, chart::kNoFill);
    EXPECT_EQ(project.objects[1].markerColour, 0x00111111u);
}

} // namespace
} // namespace corvane::test
