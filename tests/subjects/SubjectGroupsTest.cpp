// Grouping of sub-subjects under their main titles, the name cell with its link mark, and the
// distinct main titles of the subject dialog.
#include "ModelFixture.h"

#include "subjects/SubjectGroups.h"
#include "subjects/SubjectOps.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

class SubjectGroupsTest : public ModelTest
{
protected:
    int putSub(ObjectId id, SjisView mainTitle, SjisView title)
    {
        const int i = putSubSubject(id, title);
        setFixedText(project.objects[i].firstText, mainTitle);
        return i;
    }
    /// "main: name name ..." per group.
    std::vector<std::string> layout() const
    {
        std::vector<std::string> out;
        for (const SubjectGroup& g : buildSubjectGroups(project)) {
            std::string line = g.mainTitle + ":";
            for (const SubjectRow& r : g.rows)
                line += " " + r.nameCell();
            out.push_back(line);
        }
        return out;
    }
};

TEST_F(SubjectGroupsTest, GroupsFollowFirstAppearanceAndMembersTableOrder)
{
    putSub(1, "B", "b1");
    putMarker(2, "d", 0, 4);
    putSub(3, "A", "a1");
    putSub(4, "B", "b2");
    putSub(5, "A", "a2");
    EXPECT_THAT(layout(), ElementsAre("B: 1 4", "A: 3 5"));
    const auto groups = buildSubjectGroups(project);
    EXPECT_EQ(groups[1].rows[1].title, "a2");
    EXPECT_TRUE(groups[0].expanded);
}

TEST_F(SubjectGroupsTest, TitlesDifferingInCaseOrInOneTwoByteCharacterAreSeparateGroups)
{
    putSub(1, "Energy", "x");
    putSub(2, "energy", "y");
    // Same first byte, different trail byte.
    putSub(3, "\x82\xa0", "z");
    putSub(4, "\x82\xa2", "w");
    EXPECT_THAT(layout(), ElementsAre("Energy: 1", "energy: 2", "\x82\xa0: 3", "\x82\xa2: 4"));
}

TEST_F(SubjectGroupsTest, RetitleMovesTheSubSubjectIntoAnEarlierGroupAtItsTableOrder)
{
    putSub(1, "A", "a1");
    putSub(2, "B", "b1");
    putSub(3, "A", "a2");
    putSub(4, "C", "c1");
    ASSERT_TRUE(SubjectOps(project, services).changeTitles(2, "A", "moved"));
    EXPECT_THAT(layout(), ElementsAre("A: 1 2 3", "C: 4"));
    EXPECT_TRUE(project.modified);
}

TEST_F(SubjectGroupsTest, LinkMarkFollowsLinksAtEitherEnd)
{
    putSub(1, "A", "a1");
    putSub(2, "A", "a2");
    putSub(3, "A", "a3");
    putMarker(10, "d", 0, 4);
    putLink(1, 10);
    putLink(10, 3);
    EXPECT_THAT(layout(), ElementsAre("A: *1 2 *3"));
}

TEST_F(SubjectGroupsTest, DeletingTheLastSubSubjectOfAMainSubjectRemovesItsGroup)
{
    putSub(1, "A", "a1");
    putSub(2, "B", "b1");
    ASSERT_TRUE(SubjectOps(project, services).deleteSubSubject(2));
    EXPECT_THAT(layout(), ElementsAre("A: 1"));
}

TEST_F(SubjectGroupsTest, NoProjectOpenGivesNoRows)
{
    putSub(1, "A", "a1");
    project.name.clear();
    EXPECT_TRUE(buildSubjectGroups(project).empty());
}

TEST(SubjectNameCell, ReadsTheIdWithOrWithoutTheLinkMark)
{
    EXPECT_EQ(objectIdOfNameCell("42"), 42);
    EXPECT_EQ(objectIdOfNameCell("*42"), 42);
    EXPECT_EQ(objectIdOfNameCell("-3"), -3);
    EXPECT_EQ(objectIdOfNameCell(""), std::nullopt);
    EXPECT_EQ(objectIdOfNameCell("*"), std::nullopt);
    EXPECT_EQ(objectIdOfNameCell("**4"), std::nullopt);
    EXPECT_EQ(objectIdOfNameCell("4x"), std::nullopt);
    EXPECT_EQ(objectIdOfNameCell("99999999999"), std::nullopt);
}

TEST_F(SubjectGroupsTest, DistinctMainTitlesInOrderOfFirstAppearance)
{
    putSub(1, "B", "x");
    putMarker(2, "d", 0, 4);
    putSub(3, "A", "y");
    putSub(4, "B", "z");
    putSub(5, "b", "z");
    EXPECT_THAT(distinctMainTitles(project), ElementsAre("B", "A", "b"));
}

} // namespace
} // namespace corvane::test
