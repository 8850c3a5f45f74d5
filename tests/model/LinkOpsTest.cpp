// The link toggle: confirmations, the sub-subject rule, the limit, and what it refreshes.
#include "ModelFixture.h"

#include "base/SettingsKeys.h"
#include "model/LinkOps.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

class LinkToggle : public ModelTest
{
protected:
    LinkToggle()
    {
        m1 = putObject(10, ObjectType::Marker, "doc\\a", 0, 1, "m-one");
        m2 = putObject(20, ObjectType::Marker, "doc\\b", 0, 1, "m-two");
        s1 = putSubSubject(30, "s-one");
        s2 = putSubSubject(40, "s-two");
    }
    LinkOps ops{project, services};
    int m1, m2, s1, s2;
};

TEST_F(LinkToggle, AddsAfterConfirmationWithBothTitlesInFront)
{
    EXPECT_TRUE(ops.toggle(m1, s1));
    EXPECT_THAT(links(), ElementsAre("10>30"));
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30051});
    EXPECT_EQ(fake.messages.shown[0].style.icon, MessageIcon::Question);
    EXPECT_EQ(fake.messages.shown[0].style.buttons, MessageButtons::YesNo);
    EXPECT_EQ(
        fake.messages.shown[0].textUtf8.rfind("『m-one』\nから\n『s-one』\nへのリンクを設定", 0),
        0u);
    EXPECT_TRUE(project.modified);
    EXPECT_EQ(fake.refresh.status[static_cast<int>(StatusPane::Link)], "1");
}

TEST_F(LinkToggle, NoToTheQuestionAddsNothingAndMakeMesZeroAsksNothing)
{
    fake.messages.answer(Answer::No);
    EXPECT_FALSE(ops.toggle(m1, m2));
    EXPECT_EQ(project.linkCount, 0);
    EXPECT_FALSE(project.modified);

    write(fake.settings, keys::MakeMes, 0);
    fake.messages.shown.clear();
    EXPECT_TRUE(ops.toggle(m1, m2));
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_THAT(links(), ElementsAre("10>20"));
}

TEST_F(LinkToggle, SameDirectionRemovesTheLinkOppositeDirectionAddsAnother)
{
    putLink(10, 20);
    putLink(20, 30);

    // The opposite direction is a different link.
    EXPECT_TRUE(ops.toggle(m2, m1));
    EXPECT_THAT(links(), ElementsAre("10>20", "20>30", "20>10"));
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30051});

    // The same direction asks 30052 (DelMes 1) and removes it.
    fake.messages.shown.clear();
    fake.messages.answer(Answer::No);
    EXPECT_FALSE(ops.toggle(m1, m2));
    EXPECT_EQ(project.linkCount, 3);
    EXPECT_TRUE(ops.toggle(m1, m2));
    EXPECT_THAT(links(), ElementsAre("20>30", "20>10"));
    EXPECT_EQ(fake.messages.numbers(), (std::vector<int>{30052, 30052}));
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind("すでに同一方向へのリンクが存在します", 0), 0u);

    // DelMes 0 removes without asking.
    write(fake.settings, keys::DelMes, 0);
    fake.messages.shown.clear();
    EXPECT_TRUE(ops.toggle(m2, s1));
    EXPECT_THAT(links(), ElementsAre("20>10"));
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(LinkToggle, SubSubjectToSubSubjectIsRefusedOtherPairsAllowed)
{
    EXPECT_FALSE(ops.toggle(s1, s2));
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30093});
    EXPECT_EQ(fake.messages.shown[0].style.icon, MessageIcon::Information);
    EXPECT_EQ(fake.messages.shown[0].textUtf8, "副題から副題へのリンクは設定できません");
    EXPECT_EQ(project.linkCount, 0);

    write(fake.settings, keys::MakeMes, 0);
    EXPECT_TRUE(ops.toggle(s1, m1));
    EXPECT_TRUE(ops.toggle(m1, s1));
    EXPECT_TRUE(ops.toggle(m1, m2));
    EXPECT_THAT(links(), ElementsAre("30>10", "10>30", "10>20"));
}

TEST_F(LinkToggle, OutOfRangeAndSelfLinksAreRefusedSilently)
{
    EXPECT_FALSE(ops.toggle(m1, m1));
    EXPECT_FALSE(ops.toggle(-1, m1));
    EXPECT_FALSE(ops.toggle(m1, project.objectCount));
    EXPECT_EQ(project.linkCount, 0);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(ops.exists(m1, 99, false));
}

TEST_F(LinkToggle, LimitAcceptsTheFiveThousandthLinkAndStillAllowsRemoval)
{
    write(fake.settings, keys::MakeMes, 0);
    write(fake.settings, keys::DelMes, 0);
    for (int i = 0; i < kMaxLinks - 1; ++i)
        putLink(1000 + i, 2000 + i);
    EXPECT_TRUE(ops.toggle(m1, m2));
    EXPECT_EQ(project.linkCount, kMaxLinks);

    EXPECT_FALSE(ops.toggle(m2, m1));
    EXPECT_EQ(project.linkCount, kMaxLinks);
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30165});
    EXPECT_EQ(fake.messages.shown[0].style.icon, MessageIcon::Error);
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind("リンクの数が制限(5000)を超えました\n", 0), 0u);

    // A full table must not trap the user: the existing link can be toggled off.
    EXPECT_TRUE(ops.toggle(m1, m2));
    EXPECT_EQ(project.linkCount, kMaxLinks - 1);
}

TEST_F(LinkToggle, RefreshesTheOpenTextViewsTheLinkMarksAndTheShownChart)
{
    write(fake.settings, keys::MakeMes, 0);
    fake.views.openDocuments = {"doc\\a"};
    EXPECT_TRUE(ops.toggle(m1, s1));
    EXPECT_THAT(fake.refresh.calls, ElementsAre("redrawText doc\\a", "linkMark 30"));

    fake.refresh.calls.clear();
    project.chartShown = true;
    EXPECT_TRUE(ops.toggle(m2, m1));
    EXPECT_THAT(fake.refresh.calls, ElementsAre("redrawText doc\\a", "redrawChart"));
}

TEST_F(LinkToggle, DeleteAtRemovesOneRecordAndRefreshesItsEnds)
{
    putLink(10, 30);
    putLink(20, 10);
    putLink(10, 30);
    {
        CheckFailures broken;
        EXPECT_FALSE(ops.deleteAt(3));
        EXPECT_EQ(broken.conditions.size(), 1u) << "an index past the table is a broken invariant";
    }
    EXPECT_TRUE(ops.deleteAt(0));
    EXPECT_THAT(links(), ElementsAre("20>10", "10>30"));
    EXPECT_THAT(fake.refresh.calls, ElementsAre("linkMark 30"));
    EXPECT_TRUE(project.modified);
    EXPECT_TRUE(ops.exists(m1, s1, true));
    EXPECT_FALSE(ops.exists(s1, m1, true));
    EXPECT_TRUE(ops.exists(s1, m1, false));
}

} // namespace
} // namespace corvane::test
