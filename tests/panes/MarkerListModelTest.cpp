#include "panes/MarkerListModel.h"

#include "model/MarkerOps.h"
#include "model/ObjectTable.h"

#include "ModelFixture.h"

namespace corvane::test {
namespace {

class MarkerListModelTest : public ModelTest
{
protected:
    MarkerListModelTest()
    {
        for (ObjectId id = 1; id <= 4; ++id) {
            const int i = putObject(id, ObjectType::Marker, id % 2 ? "a" : "b", 0, 1,
                                    "M" + std::to_string(id));
            project.objects[i].markerColour = id % 2 ? 0xFF : 0xFF00;
        }
        putSubSubject(9, "s");
        putLink(9, 2);
        putLink(3, 9);
        list.setTarget({MarkerTarget::Kind::All, {}});
        list.rebuild();
    }
    std::vector<ObjectId> rowIds() const
    {
        std::vector<ObjectId> out;
        for (const MarkerRow& r : list.rows())
            out.push_back(r.id);
        return out;
    }
    MarkerListModel list{project, services};
};

TEST_F(MarkerListModelTest, DeleteAfterADeletionElsewhereDeletesTheRowsMarker)
{
    list.selectRow(1);                                                // "0002 M2[1]"
    ASSERT_TRUE(MarkerOps(project, services).deleteMarker(0, false)); // M1, elsewhere
    // The row still reads "[1]", which now names M3; the row's ID still names M2.
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(ids(), (std::vector<ObjectId>{3, 4, 9}));
    EXPECT_EQ(links(), std::vector<std::string>{"3>9"});
    EXPECT_EQ(rowIds(), (std::vector<ObjectId>{3, 4}));
}

TEST_F(MarkerListModelTest, RowOfAMarkerGoneElsewhereDeletesNothing)
{
    list.selectRow(0);
    ASSERT_TRUE(MarkerOps(project, services).deleteMarker(0, false));
    EXPECT_FALSE(list.deleteSelected());
    EXPECT_FALSE(list.showRow(MarkerListModel::Step::Selected));
    EXPECT_EQ(ids(), (std::vector<ObjectId>{2, 3, 4, 9}));
}

TEST_F(MarkerListModelTest, DeleteAllListedRemovesExactlyTheListedMarkers)
{
    list.setColourFilter(0xFF); // M1 and M3, at indexes 0 and 2
    list.rebuild();
    ASSERT_EQ(rowIds(), (std::vector<ObjectId>{1, 3}));
    EXPECT_EQ(list.deleteAllListed(), 2);
    EXPECT_EQ(ids(), (std::vector<ObjectId>{2, 4, 9}));
    EXPECT_EQ(links(), std::vector<std::string>{"9>2"});
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30083});
}

TEST_F(MarkerListModelTest, DeleteAllListedStoppedByAGoneMarkerStillRebuilds)
{
    ASSERT_TRUE(MarkerOps(project, services).deleteMarker(1, false)); // M2, not rebuilt here
    EXPECT_EQ(list.deleteAllListed(), 1);                             // M1, then stops at M2
    EXPECT_EQ(rowIds(), (std::vector<ObjectId>{3, 4}));
}

TEST_F(MarkerListModelTest, DeleteAllListedAnsweredNoChangesNothing)
{
    fake.messages.answer(Answer::No);
    EXPECT_EQ(list.deleteAllListed(), 0);
    EXPECT_EQ(ids(), (std::vector<ObjectId>{1, 2, 3, 4, 9}));
    EXPECT_EQ(rowIds().size(), 4u);
}

TEST_F(MarkerListModelTest, UserTargetChoicesReportEmptyListsAndTheChartAutomaticOnesStaySilent)
{
    list.setColourFilter(0x123456);
    list.rebuild();
    EXPECT_TRUE(fake.messages.shown.empty());
    list.rebuild(true, "\x8c\xbb"); // 現
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30085});
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind("現内に指定した色の", 0), 0u);

    list.setTarget({MarkerTarget::Kind::Current, {}});
    fake.views.active = {ActiveView::Kind::Chart, {}, 0};
    EXPECT_EQ(list.rebuild(), MarkerListModel::Rebuilt::ChartActive);
    EXPECT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(list.rebuild(true), MarkerListModel::Rebuilt::ChartActive);
    EXPECT_EQ(fake.messages.numbers(), (std::vector<int>{30085, 30108}));

    list.setColourFilter(std::nullopt);
    activateTextView("/p/doc/b");
    EXPECT_EQ(list.rebuild(true), MarkerListModel::Rebuilt::Ran);
    EXPECT_EQ(rowIds(), (std::vector<ObjectId>{2, 4}));
    EXPECT_EQ(fake.settings.readString("Last", "refMarker", ""), "-1");
}

TEST_F(MarkerListModelTest, StepsWrapAndRowCommandsNeedASelection)
{
    list.selectRow(3);
    EXPECT_TRUE(list.showRow(MarkerListModel::Step::Next));
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_EQ(project.currentObject, 0);
    EXPECT_TRUE(list.showRow(MarkerListModel::Step::Previous));
    EXPECT_EQ(list.selectedRow(), 3);
    list.selectRow(-1);
    EXPECT_FALSE(list.rowCommandsEnabled());
    EXPECT_FALSE(list.showRow(MarkerListModel::Step::Next));
}

} // namespace
} // namespace corvane::test
