// The one way an object becomes the current object.
#include "ModelFixture.h"

#include "model/CurrentObject.h"

namespace corvane::test {
namespace {

using CurrentObjectTest = ModelTest;

TEST_F(CurrentObjectTest, FollowsTheIdAndDropsThePreviousMarkersHighlight)
{
    putMarker(4, "doc\\a", 0, 3);
    putSubSubject(5);
    putMarker(6, "doc\\b", 0, 3);
    project.chartShown = true;
    project.currentObject = 0;

    EXPECT_TRUE(makeCurrent(project, services, 6, {true, true, false}));
    EXPECT_EQ(project.currentObject, 2);
    EXPECT_EQ(currentObjectId(project), 6);
    EXPECT_EQ(fake.refresh.calls, (std::vector<std::string>{"dropHighlight doc\\a", "showSpan id 6",
                                                            "showProperties id 6", "redrawChart"}));

    // Current again: only what was asked for; a changed object redraws the chart and the list.
    fake.refresh.calls.clear();
    EXPECT_TRUE(makeCurrent(project, services, 6, {false, false, true}));
    EXPECT_EQ(fake.refresh.calls, (std::vector<std::string>{"rebuildMarkerList", "redrawChart"}));

    fake.refresh.calls.clear();
    EXPECT_FALSE(makeCurrent(project, services, 99, {}));
    EXPECT_EQ(project.currentObject, 2);
    EXPECT_TRUE(fake.refresh.calls.empty());
    project.objectCount = 2; // a stale index reads as none
    EXPECT_EQ(currentObjectId(project), 0);
}

} // namespace
} // namespace corvane::test
