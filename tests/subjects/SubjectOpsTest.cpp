// Sub-subject changes of the subject list: the dialog's checks, the delete questions and what
// each delete takes with it.
#include "ModelFixture.h"

#include "subjects/SubjectOps.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

class SubjectOpsTest : public ModelTest
{
protected:
    SubjectOps ops{project, services};
    int putSub(ObjectId id, SjisView mainTitle, SjisView title)
    {
        const int i = putSubSubject(id, title);
        setFixedText(project.objects[i].firstText, mainTitle);
        return i;
    }
};

TEST(SubjectTitles, EmptyTextsAndTextsOver100BytesAreRefusedNamingTheField)
{
    using F = TitleCheck::Field;
    const SjisString hundred(100, 'x');
    EXPECT_EQ(checkSubjectTitles(hundred, hundred).message, 0);
    EXPECT_EQ(checkSubjectTitles("", "t").message, 30045);
    EXPECT_EQ(checkSubjectTitles("", "t").field, F::MainTitle);
    EXPECT_EQ(checkSubjectTitles("m", "").field, F::Title);
    EXPECT_EQ(checkSubjectTitles(hundred + "x", "t").message, 30044);
    EXPECT_EQ(checkSubjectTitles("m", hundred + "x").field, F::Title);
    // "(100/100バイト)"
    EXPECT_EQ(titleByteCounter(100), "(100/100\x83\x6f\x83\x43\x83\x67)");
}

TEST_F(SubjectOpsTest, AddCutsTextsAndStartsUnplacedWithAFollowingId)
{
    putMarker(9, "d", 0, 4);
    const int i = ops.add(SjisString(99, 'm') + "\x82\xa0", "t");
    ASSERT_EQ(i, 1);
    EXPECT_EQ(project.objects[i].id, 10);
    EXPECT_EQ(fixedText(project.objects[i].firstText), SjisString(99, 'm'));
    EXPECT_EQ(project.objects[i].nodeRect[0] | project.objects[i].nodeRect[3], 0);
    EXPECT_TRUE(project.modified);
}

TEST_F(SubjectOpsTest, DeleteAsksWithTheTitleAndTakesTheLinksAndRedrawsTheMarkersViews)
{
    putSub(1, "A", "wind");
    putMarker(2, "doc1", 0, 4);
    putMarker(3, "doc2", 0, 4);
    putLink(1, 2);
    putLink(3, 1);
    putLink(2, 3);
    fake.views.openDocuments = {"doc1"};

    fake.messages.answer(Answer::No);
    EXPECT_FALSE(ops.deleteSubSubject(1));
    EXPECT_EQ(project.objectCount, 3);
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind(
                  "wind\n====================\nこの題名を削除してもよろしいですか", 0),
              0u);

    EXPECT_TRUE(ops.deleteSubSubject(1));
    EXPECT_THAT(ids(), ElementsAre(2, 3));
    EXPECT_THAT(links(), ElementsAre("2>3"));
    EXPECT_TRUE(fake.refresh.saw("redrawText doc1"));
    EXPECT_FALSE(fake.refresh.saw("redrawText doc2")); // not open
}

TEST_F(SubjectOpsTest, DeleteMainSubjectRemovesExactlyItsSubSubjects)
{
    putSub(1, "A", "a1");
    putSub(2, "a", "x");
    putMarker(3, "d", 0, 4);
    putSub(4, "A", "a2");
    putLink(4, 3);
    EXPECT_TRUE(ops.deleteMainSubject("A"));
    EXPECT_EQ(
        fake.messages.shown[0].textUtf8.rfind("『A』と直下の副題を削除してもよろしいですか", 0),
        0u);
    EXPECT_THAT(ids(), ElementsAre(2, 3));
    EXPECT_EQ(project.linkCount, 0);
}

TEST_F(SubjectOpsTest, DeleteAllKeepsMarkersInOrderAndTheirLinksBetweenThem)
{
    putMarker(1, "d", 0, 4);
    putSub(2, "A", "a");
    putMarker(3, "d", 8, 4);
    putSub(4, "B", "b");
    putLink(1, 3);
    putLink(2, 3);
    project.currentObject = 3; // sub-subject 4
    EXPECT_TRUE(ops.deleteAll());
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind("すべての「主題」「副題」を削除", 0), 0u);
    EXPECT_THAT(ids(), ElementsAre(1, 3));
    EXPECT_THAT(links(), ElementsAre("1>3"));
    EXPECT_EQ(project.currentObject, -1);
    EXPECT_TRUE(fake.refresh.saw("resetProperties"));
}

TEST_F(SubjectOpsTest, ChangeTitlesRefusesMarkersAndUnknownIds)
{
    putMarker(1, "d", 0, 4);
    EXPECT_FALSE(ops.changeTitles(1, "A", "B"));
    EXPECT_FALSE(ops.changeTitles(77, "A", "B"));
    EXPECT_FALSE(ops.deleteSubSubject(1));
    EXPECT_TRUE(fake.messages.shown.empty());
}

} // namespace
} // namespace corvane::test
