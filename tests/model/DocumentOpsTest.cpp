// Records of one document as a whole: counting, dropping, bookmarks and renames.
#include "ModelFixture.h"

#include "model/DocumentOps.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

class DocumentOpsTest : public ModelTest
{
protected:
    DocumentOps ops{project, services};
};

TEST_F(DocumentOpsTest, CountMarkersTakesFullOrRelativePathsByteForByte)
{
    putMarker(1, "F\\d", 0);
    putMarker(2, "F\\D", 0);
    putMarker(3, "F\\d", 5);
    putSubSubject(4);
    EXPECT_EQ(ops.countMarkers("F\\d", false), 2);
    EXPECT_EQ(ops.countMarkers("/p/doc/F/d", true), 2);
    EXPECT_EQ(ops.countMarkers("/p/doc/F/d*", true), 2);
    EXPECT_EQ(ops.countMarkers("/p/doc/F/D", true), 1);
    EXPECT_EQ(ops.countMarkers("/q/doc/F/d", true), 0);
}

TEST_F(DocumentOpsTest, DeleteMarkersOfDocumentKeepsTheOrderOfTheRest)
{
    putMarker(1, "a", 0);
    putMarker(2, "b", 0);
    putSubSubject(3);
    putMarker(4, "a", 9);
    putMarker(5, "b", 3);
    putMarker(6, "a", 2);
    putLink(1, 3);
    putLink(5, 3);
    putLink(3, 6);
    putLink(2, 4);
    project.currentObject = 4; // ID 5
    fake.views.openDocuments = {"b"};
    project.chartShown = true;

    EXPECT_EQ(ops.deleteMarkers("/p/doc/a"), 3);
    EXPECT_THAT(ids(), ElementsAre(2, 3, 5));
    EXPECT_THAT(links(), ElementsAre("5>3"));
    EXPECT_EQ(project.currentObject, 2);
    // The other ends of the removed links: sub-subject 3's link mark, marker 2's open view.
    EXPECT_THAT(fake.refresh.calls,
                ElementsAre("linkMark 3", "redrawText b", "redrawChart", "markers a 0",
                            "rebuildMarkerList", "resetProperties"));
    EXPECT_TRUE(project.modified);

    project.modified = false;
    fake.refresh.calls.clear();
    EXPECT_EQ(ops.deleteMarkers("/p/doc/a"), 0);
    EXPECT_TRUE(fake.refresh.calls.empty());
    EXPECT_FALSE(project.modified);
}

TEST_F(DocumentOpsTest, ClearBookmarksClearsOnlyTheSetOnesOfThatDocument)
{
    TextViewSettings& t = project.textView;
    setFixedText(t.bookmarkPath[0], "a");
    t.bookmarkPosition[0] = 12;
    setFixedText(t.bookmarkSample[0], "sample");
    setFixedText(t.bookmarkPath[1], "b");
    t.bookmarkPosition[1] = 3;
    setFixedText(t.bookmarkPath[3], "a");
    t.bookmarkPosition[3] = 0;

    EXPECT_EQ(ops.clearBookmarks("/p/doc/a*"), 2);
    EXPECT_EQ(t.bookmarkPosition[0], -1);
    EXPECT_EQ(fixedText(t.bookmarkPath[0]), "");
    EXPECT_EQ(fixedText(t.bookmarkSample[0]), "");
    EXPECT_EQ(t.bookmarkPosition[1], 3);
    EXPECT_EQ(t.bookmarkPosition[3], -1);
    EXPECT_THAT(fake.refresh.calls, ElementsAre("bookmarkCleared 0", "bookmarkCleared 3"));
    EXPECT_TRUE(project.modified);
}

TEST_F(DocumentOpsTest, RenameFollowsOnlyExactMatchesAndRefusesAnUnstorablePath)
{
    putMarker(1, "F\\d", 0);
    putMarker(2, "F\\d2", 0);
    putSubSubject(3);
    EXPECT_TRUE(ops.renameInMarkers("F\\d", "G\\\x95\x5c"));
    EXPECT_EQ(fixedText(project.objects[0].document), "G\\\x95\x5c");
    EXPECT_EQ(fixedText(project.objects[1].document), "F\\d2");
    EXPECT_EQ(fixedText(project.objects[2].document), "");
    EXPECT_TRUE(project.modified);

    EXPECT_FALSE(ops.renameInMarkers("F\\d2", std::string(260, 'x')));
    EXPECT_EQ(fixedText(project.objects[1].document), "F\\d2");
}

} // namespace
} // namespace corvane::test
