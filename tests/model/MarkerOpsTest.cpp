// Markers: creation with its colour rules and node style, deletion, navigation, the status text.
#include "ModelFixture.h"

#include "base/SettingsKeys.h"
#include "model/MarkerOps.h"
#include "model/MarkerPalette.h"
#include "model/ProjectStatus.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

class MarkerOpsTest : public ModelTest
{
protected:
    MarkerOps ops{project, services};
    const ObjectRecord& last() const { return project.objects[project.objectCount - 1]; }
};

TEST_F(MarkerOpsTest, AddMarkerFillsTheRecordAndTellsTheDocumentListOnce)
{
    putSubSubject(7);
    ASSERT_TRUE(ops.addMarker("F\\d1", 10, 25, "marked", paletteColourChoice(3)));
    const ObjectRecord& r = last();
    EXPECT_EQ(r.id, 8);
    EXPECT_EQ(r.type, ObjectType::Marker);
    EXPECT_EQ(fixedText(r.document), "F\\d1");
    EXPECT_EQ(r.position, 10);
    EXPECT_EQ(r.length, 15);
    EXPECT_EQ(r.markerColour, kMarkerPalette[3]);
    EXPECT_EQ(fixedText(r.firstText), "");
    EXPECT_EQ(fixedText(r.secondText), "marked");
    EXPECT_EQ(r.nodeRect[0] | r.nodeRect[1] | r.nodeRect[2] | r.nodeRect[3], 0);
    EXPECT_EQ(r.lineColour, 0x063177u);
    EXPECT_EQ(r.fontSize, 11);
    EXPECT_EQ(r.alignV, 1);
    EXPECT_EQ(r.marginBottom, 5);
    EXPECT_TRUE(project.modified);
    EXPECT_THAT(fake.refresh.calls, ElementsAre("markers F\\d1 1"));

    fake.refresh.calls.clear();
    ASSERT_TRUE(ops.addMarker("F\\d1", 30, 31, "x", paletteColourChoice(0)));
    EXPECT_TRUE(fake.refresh.calls.empty());
}

TEST_F(MarkerOpsTest, MarkerTextOf150BytesKeeps100Or99Bytes)
{
    ASSERT_TRUE(ops.addMarker("d", 0, 150, std::string(150, 'a'), paletteColourChoice(0)));
    EXPECT_EQ(fixedText(last().secondText), std::string(100, 'a'));

    std::string text(99, 'a');
    while (text.size() < 150)
        text += "\x82\xa0";
    ASSERT_TRUE(ops.addMarker("d", 0, 150, text.substr(0, 150), paletteColourChoice(0)));
    EXPECT_EQ(fixedText(last().secondText), std::string(99, 'a'));
}

TEST_F(MarkerOpsTest, InitialColourChoiceTakesTheStoredColourOrTheDefault)
{
    ASSERT_TRUE(ops.addMarker("d", 0, 1, "x", MarkerColourChoice::Initial));
    EXPECT_EQ(last().markerColour, 0xBF8F6Fu);
    write(fake.settings, keys::MarkerRefDef, "255");
    ASSERT_TRUE(ops.addMarker("d", 0, 1, "x", MarkerColourChoice::Initial));
    EXPECT_EQ(last().markerColour, 255u);
}

TEST_F(MarkerOpsTest, ColourDialogChoiceIsTakenAndItsCancelAddsNothing)
{
    write(fake.settings, keys::MarkerRefDef, "4660");
    fake.colours.next = 0x123456;
    ASSERT_TRUE(ops.addMarker("d", 0, 1, "x", MarkerColourChoice::Dialog));
    EXPECT_EQ(last().markerColour, 0x123456u);
    EXPECT_THAT(fake.colours.asked, ElementsAre(4660u)); // preselected: the initial colour

    fake.colours.next.reset();
    project.modified = false;
    EXPECT_FALSE(ops.addMarker("d", 5, 6, "y", MarkerColourChoice::Dialog));
    EXPECT_EQ(project.objectCount, 1);
    EXPECT_FALSE(project.modified);
}

TEST_F(MarkerOpsTest, SynchroDecidesWhetherTheNodeTakesTheMarkerColour)
{
    ASSERT_TRUE(ops.addMarker("d", 0, 1, "x", paletteColourChoice(1))); // Synchro defaults to 1
    EXPECT_EQ(last().background, kMarkerPalette[1]);

    write(fake.settings, keys::Synchro, 0);
    ASSERT_TRUE(ops.addMarker("d", 0, 1, "x", paletteColourChoice(1)));
    EXPECT_EQ(last().background, 0xDBE8FDu);
    fake.settings.writeString(section::DefMarker, nodekeys::RefMen, "1193046");
    ASSERT_TRUE(ops.addMarker("d", 0, 1, "x", paletteColourChoice(1)));
    EXPECT_EQ(last().background, 1193046u);
}

TEST_F(MarkerOpsTest, AddMarkerRefusesTheLimitAndUnstorableInput)
{
    for (ObjectId id = 1; id < kMaxObjects; ++id)
        putSubSubject(id);
    ASSERT_TRUE(
        ops.addMarker("d", 0, 1, "x", paletteColourChoice(0))); // count 4999 before: accepted
    EXPECT_EQ(project.objectCount, kMaxObjects);
    project.modified = false;
    EXPECT_FALSE(ops.addMarker("d", 0, 1, "x", paletteColourChoice(0)));
    EXPECT_EQ(project.objectCount, kMaxObjects);
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30165});
    EXPECT_FALSE(project.modified);

    project.objectCount = 0;
    EXPECT_FALSE(ops.addMarker("d", 5, 5, "x", paletteColourChoice(0)));
    EXPECT_FALSE(ops.addMarker("d", 5, 4, "x", paletteColourChoice(0)));
    EXPECT_FALSE(ops.addMarker("d", -1, 4, "x", paletteColourChoice(0)));
    EXPECT_FALSE(
        ops.addMarker(std::string(260, 'p'), 0, 1, "x", paletteColourChoice(0))); // would be cut
    EXPECT_FALSE(ops.addMarker("..\\..\\etc\\passwd", 0, 1, "x", paletteColourChoice(0)));
    EXPECT_EQ(project.objectCount, 0);
}

TEST_F(MarkerOpsTest, DeleteMarkerAsksWithTheMarkerTextAndRemovesItsLinks)
{
    putObject(1, ObjectType::Marker, "d", 0, 1, "hello");
    putSubSubject(2);
    putLink(1, 2);
    putLink(2, 1);
    // Markers at the other end of a link: one in an open document, one in a closed one.
    putMarker(3, "e", 0);
    putMarker(4, "f", 0);
    putLink(3, 1);
    putLink(1, 4);
    fake.views.openDocuments = {"d", "e"};
    project.chartShown = true;

    fake.messages.answer(Answer::No);
    EXPECT_FALSE(ops.deleteMarker(0, true));
    EXPECT_EQ(project.objectCount, 4);
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30083});
    EXPECT_EQ(fake.messages.shown[0].style.buttons, MessageButtons::YesNo);
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind(
                  "hello\n====================\nこのマーカを削除してもよろしいですか", 0),
              0u);

    EXPECT_TRUE(ops.deleteMarker(0, true));
    EXPECT_THAT(ids(), ElementsAre(2, 3, 4));
    EXPECT_EQ(project.linkCount, 0);
    // Every pane showing the other end of a removed link is refreshed: the sub-subject's link
    // mark and the open view of the linked marker's document.
    EXPECT_THAT(fake.refresh.calls,
                ElementsAre("redrawText d", "linkMark 2", "redrawText e", "redrawChart",
                            "markers d 0", "rebuildMarkerList", "resetProperties"));
    EXPECT_TRUE(project.modified);
}

TEST_F(MarkerOpsTest, DeleteMarkerRefusesBadIndexesAndSubSubjects)
{
    putSubSubject(1);
    putMarker(2, "d", 0);
    putMarker(3, "d", 5);
    EXPECT_FALSE(ops.deleteMarker(-1, false)) << "no current object";
    {
        CheckFailures broken;
        EXPECT_FALSE(ops.deleteMarker(3, false));
        EXPECT_EQ(broken.conditions.size(), 1u) << "an index past the table is a broken invariant";
    }
    EXPECT_FALSE(ops.deleteMarker(0, false));
    EXPECT_EQ(project.objectCount, 3);

    // Without asking; another marker of the document remains, so its icon stays.
    EXPECT_TRUE(ops.deleteMarker(1, false));
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(fake.refresh.saw("markers d 0"));
}

// Markers of /p/doc/d at positions (in table order) 40, 10, 70, 10, with another document's
// marker and a sub-subject in between.
class MarkerNavigation : public MarkerOpsTest
{
protected:
    MarkerNavigation()
    {
        putMarker(1, "d", 40, 5); // index 0
        putMarker(2, "e", 0);     // index 1, other document
        putMarker(3, "d", 10, 5); // index 2
        putSubSubject(4);         // index 3
        putMarker(5, "d", 70, 5); // index 4
        putMarker(6, "d", 10, 2); // index 5, ties with index 2
    }
    int at(MarkerStep step, ByteOffset caret)
    {
        activateTextView("/p/doc/d*", caret);
        return ops.navigate(step);
    }
};

TEST_F(MarkerNavigation, FirstAndLastTakeTheFirstOfTies)
{
    EXPECT_EQ(at(MarkerStep::First, 0), 2);
    EXPECT_EQ(at(MarkerStep::Last, 0), 4);
    putMarker(7, "d", 70, 1);
    EXPECT_EQ(at(MarkerStep::Last, 0), 4);
}

TEST_F(MarkerNavigation, NextAndPreviousByCaretWithWrapAround)
{
    EXPECT_EQ(at(MarkerStep::Next, 10), 2); // position == caret counts as next
    EXPECT_EQ(at(MarkerStep::Next, 11), 0);
    EXPECT_EQ(at(MarkerStep::Next, 71), 2); // past the last: wraps to the first
    EXPECT_EQ(at(MarkerStep::Previous, 50), 0);
    EXPECT_EQ(at(MarkerStep::Previous, 45), 2); // 40+5 is not below 45
    EXPECT_EQ(at(MarkerStep::Previous, 12), 4); // 10+2 is not below 12: wraps to the last
    EXPECT_EQ(at(MarkerStep::Previous, 13), 5); // only the short one ends below 13
    EXPECT_EQ(at(MarkerStep::Previous, 16), 2); // both end below: equal distance, first wins
}

TEST_F(MarkerNavigation, NoTextViewNoMarkersOrASingleMarker)
{
    fake.views.active = {ActiveView::Kind::Chart, {}, 0};
    EXPECT_EQ(ops.navigate(MarkerStep::First), -1);
    activateTextView("/p/doc/none");
    EXPECT_EQ(ops.navigate(MarkerStep::Next), -1);
    activateTextView("/elsewhere/doc/d");
    EXPECT_EQ(ops.navigate(MarkerStep::Next), -1);
    activateTextView("/p/doc/e", 500);
    EXPECT_EQ(ops.navigate(MarkerStep::Previous), 1);
    EXPECT_EQ(ops.navigate(MarkerStep::Last), 1);
}

TEST_F(MarkerNavigation, ShowMarkerMovesTheCurrentObjectAndDropsTheOldHighlight)
{
    EXPECT_TRUE(ops.showMarker(2, false));
    EXPECT_EQ(project.currentObject, 2);
    EXPECT_THAT(fake.refresh.calls, ElementsAre("showSpan id 3"));

    fake.refresh.calls.clear();
    EXPECT_TRUE(ops.showMarker(1, true));
    EXPECT_EQ(project.currentObject, 1);
    EXPECT_THAT(fake.refresh.calls,
                ElementsAre("dropHighlight d", "showSpan id 2", "showProperties id 2"));

    EXPECT_FALSE(ops.showMarker(3, true)); // a sub-subject has no span
    {
        CheckFailures broken;
        EXPECT_FALSE(ops.showMarker(6, true));
        EXPECT_EQ(broken.conditions.size(), 1u);
    }
    EXPECT_EQ(project.currentObject, 1);
}

TEST_F(MarkerNavigation, StatusMarkerPaneCountsMarkersOnlyWhileATextViewIsActive)
{
    activateTextView("/p/doc/d*");
    refreshStatusCounts(project, services);
    const auto& status = fake.refresh.status;
    EXPECT_EQ(status[static_cast<int>(StatusPane::Marker)], "4 / 5");
    EXPECT_EQ(status[static_cast<int>(StatusPane::Node)], "6");
    EXPECT_EQ(status[static_cast<int>(StatusPane::Link)], "0");

    fake.views.active = {ActiveView::Kind::Chart, {}, 0};
    refreshStatusCounts(project, services);
    EXPECT_EQ(status[static_cast<int>(StatusPane::Marker)], "");

    fake.refresh.status[static_cast<int>(StatusPane::Position)] = "12:3";
    refreshStatusCounts(project, services);
    EXPECT_EQ(status[static_cast<int>(StatusPane::Position)], "12:3");
    project.name.clear();
    refreshStatusCounts(project, services);
    EXPECT_EQ(status[static_cast<int>(StatusPane::Position)], "");
}

} // namespace
} // namespace corvane::test
