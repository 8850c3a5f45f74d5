#include "ChartFixture.h"

#include "model/FixedText.h"
#include "model/ObjectTable.h"

namespace corvane::test {
namespace {

using chart::Rect;

using LayoutHistoryTest = ChartTest;

TEST_F(LayoutHistoryTest, NinetyNineUndosAfterOneHundredFiftyPushes)
{
    putNode(1, {10, 10, 160, 60}, ObjectType::Marker, true);
    for (int i = 0; i < 150; ++i)
        ASSERT_TRUE(model.moveSelected(1, 0));
    int undone = 0;
    while (model.undo())
        ++undone;
    EXPECT_EQ(undone, 99);
    EXPECT_EQ(rectOf(0).left, 10 + 51);
    int redone = 0;
    while (model.redo())
        ++redone;
    EXPECT_EQ(redone, 99);
    EXPECT_EQ(rectOf(0).left, 160);
}

TEST_F(LayoutHistoryTest, UndoRestoresByIdAndClearsSelectionAndSetsModified)
{
    putNode(1, {10, 10, 160, 60}, ObjectType::Marker, true);
    putNode(2, {300, 10, 450, 60}, ObjectType::Marker, true);
    putNode(3, {600, 10, 750, 60});
    putLink(1, 3);
    putLink(2, 3);
    model.setMain(1);
    model.moveSelected(0, 100);
    project.modified = false;
    // Elsewhere: the first marker is deleted with its link, the third retitled.
    ObjectTable(project).remove(1);
    setFixedText(project.objects[1].secondText, "new");
    ASSERT_TRUE(model.undo());
    EXPECT_EQ(ids(), (std::vector<ObjectId>{2, 3})); // nothing brought back
    EXPECT_EQ(links(), (std::vector<std::string>{"2>3"}));
    EXPECT_EQ(rectOf(0), (Rect{300, 10, 450, 60}));
    EXPECT_EQ(fixedText(project.objects[1].secondText), "new");
    EXPECT_TRUE(model.selectedIndexes().empty());
    EXPECT_EQ(model.mainIndex(), -1);
    EXPECT_TRUE(project.modified);
    ASSERT_TRUE(model.redo());
    EXPECT_EQ(rectOf(0), (Rect{300, 110, 450, 160}));
}

TEST_F(LayoutHistoryTest, StepsHoldOnlyTheChangedNodesAndAFullStepStaysSmall)
{
    for (ObjectId id = 1; id <= kMaxObjects; ++id)
        putNode(id, {0, 0, 150, 50}, ObjectType::Marker, id == 7);
    model.moveSelected(10, 0);
    const std::size_t one = model.history().bytesHeld();
    EXPECT_LT(one, 1024u);
    model.selectAll(chart::NodeFilter::All);
    model.moveSelected(10, 0);
    EXPECT_LT(model.history().bytesHeld() - one, 1024u * 1024u);
    // A position shifted by a text edit after the push is not undone.
    project.objects[6].position = 99;
    model.undo();
    model.undo();
    EXPECT_EQ(project.objects[6].position, 99);
    EXPECT_EQ(rectOf(6).left, 0);
}

TEST_F(LayoutHistoryTest, DeletingSelectedNodesAsksOnceAndResetsTheHistory)
{
    putNode(1, {10, 10, 160, 60}, ObjectType::Marker, true);
    putNode(2, {300, 10, 450, 60}, ObjectType::SubSubject, true);
    putNode(3, {600, 10, 750, 60});
    putLink(1, 3);
    putLink(3, 2);
    model.setMain(0);
    model.moveSelected(0, 10);
    fake.messages.answer(Answer::No);
    EXPECT_FALSE(model.deleteSelected());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    // "選択された 副題ノード 1, マーカノード 1 を\n" in front of the question.
    EXPECT_EQ(
        fake.messages.shown[0].textUtf8.rfind("選択された 副題ノード 1, マーカノード 1 を\n", 0),
        0u);
    EXPECT_EQ(model.history().undoDepth(), 1);
    ASSERT_TRUE(model.deleteSelected());
    EXPECT_EQ(ids(), (std::vector<ObjectId>{3}));
    EXPECT_TRUE(links().empty());
    EXPECT_EQ(model.history().undoDepth(), 0);
    EXPECT_EQ(model.mainIndex(), -1);
}

} // namespace
} // namespace corvane::test
