// The link target list of a sub-subject and the link list rows that keep naming their own links.
#include "ModelFixture.h"

#include "subjects/LinkTargets.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

class LinkTargetsTest : public ModelTest
{
protected:
    std::vector<std::string> entries(ObjectId id) const
    {
        std::vector<std::string> out;
        for (const LinkTarget& t : buildLinkTargetList(project, id))
            out.push_back((t.direction == LinkTarget::Direction::To ? "TO " : "FROM ") + t.text +
                          " @" + std::to_string(t.linkIndex));
        return out;
    }
};

TEST_F(LinkTargetsTest, EntriesFollowLinkTableOrderWithToBeforeFrom)
{
    putSubSubject(1, "s");
    putObject(2, ObjectType::Marker, "d", 0, 4, "m2");
    putObject(3, ObjectType::Marker, "d", 8, 4, "m3");
    putLink(2, 1);
    putLink(2, 3); // not ours
    putLink(1, 3);
    putLink(1, 2);
    putLink(1, 99); // the other end's object is missing: no entry
    EXPECT_THAT(entries(1), ElementsAre("FROM m2 @0", "TO m3 @2", "TO m2 @3"));
    EXPECT_TRUE(buildLinkTargetList(project, 3).size() == 2);
    EXPECT_TRUE(buildLinkTargetList(project, 42).empty());
}

TEST_F(LinkTargetsTest, TwelveLinksAreAllListedWithNumberedTexts)
{
    putSubSubject(1, "s");
    for (int i = 0; i < 12; ++i) {
        putObject(10 + i, ObjectType::Marker, "d", i * 4, 2, "m" + std::to_string(i + 1));
        putLink(1, 10 + i);
    }
    const auto list = buildLinkTargetList(project, 1);
    ASSERT_EQ(list.size(), 12u);
    EXPECT_EQ(numberedTargetText(12, list[11].text), "12 m12");
    EXPECT_EQ(list[11].objectIndex, 12);
}

TEST_F(LinkTargetsTest, DeletingTwoRowsOneAfterTheOtherRemovesExactlyThoseLinks)
{
    putSubSubject(1, "s");
    for (int i = 0; i < 5; ++i) {
        putObject(10 + i, ObjectType::Marker, "d", i * 4, 2, "m" + std::to_string(i));
        putLink(1, 10 + i);
    }
    putLink(11, 12); // another link in between the sub-subject's links' indexes
    putLink(13, 1);
    LinkListRows rows(project, services, buildLinkTargetList(project, 1));
    ASSERT_EQ(rows.rows().size(), 6u);

    ASSERT_TRUE(rows.deleteRow(1)); // "2 m1": link 1>11
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind(
                  "2 m1\n====================\nこのリンクを削除してもよろしいですか", 0),
              0u);
    // Row 3 is now "TO m4", whose link moved from index 4 to 3.
    ASSERT_TRUE(rows.deleteRow(3));
    EXPECT_EQ(fake.messages.shown[1].textUtf8.rfind("4 m4\n", 0), 0u);
    EXPECT_THAT(links(), ElementsAre("1>10", "1>12", "1>13", "11>12", "13>1"));
    ASSERT_TRUE(rows.deleteRow(3)); // "4 m3" of 13>1 (FROM)
    EXPECT_THAT(links(), ElementsAre("1>10", "1>12", "1>13", "11>12"));
    EXPECT_EQ(rows.rows().size(), 3u);
    EXPECT_EQ(rows.objectIndexOf(2), 4); // marker 13, "3 m3"
    EXPECT_TRUE(fake.refresh.saw("linkMark 1"));
}

TEST_F(LinkTargetsTest, NoKeepsTheLinkAndARowWhoseLinkIsGoneIsDropped)
{
    putSubSubject(1, "s");
    putObject(2, ObjectType::Marker, "d", 0, 4, "m");
    putLink(1, 2);
    LinkListRows rows(project, services, buildLinkTargetList(project, 1));
    fake.messages.answer(Answer::No);
    EXPECT_FALSE(rows.deleteRow(0));
    EXPECT_EQ(project.linkCount, 1);
    project.linkCount = 0; // removed behind the dialog's back
    EXPECT_FALSE(rows.deleteRow(0));
    EXPECT_TRUE(rows.rows().empty());
    EXPECT_FALSE(rows.deleteRow(-1)) << "no row selected";
    CheckFailures broken;
    EXPECT_FALSE(rows.deleteRow(0));
    EXPECT_EQ(broken.conditions.size(), 1u) << "a row the list does not have";
}

} // namespace
} // namespace corvane::test
