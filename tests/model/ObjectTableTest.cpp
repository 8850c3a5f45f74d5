// Object IDs, removal with the links at either end, the limits, and sub-subject creation.
#include "ModelFixture.h"

#include "base/SettingsKeys.h"
#include "model/FixedText.h"
#include "model/Limits.h"
#include "model/LinkTable.h"
#include "model/NodeDefaults.h"
#include "model/ObjectTable.h"
#include "model/SubSubjectOps.h"

#include <cstring>
#include <limits>

namespace corvane::test {
namespace {

using ObjectTableTest = ModelTest;
using ::testing::ElementsAre;

TEST_F(ObjectTableTest, NewObjectIdStartsAtOneAndReusesTheIdOfTheDeletedLargest)
{
    EXPECT_EQ(newObjectId(project), 1);
    putSubSubject(4);
    putSubSubject(9);
    putSubSubject(2);
    EXPECT_EQ(newObjectId(project), 10);
    ASSERT_TRUE(ObjectTable(project).remove(9));
    EXPECT_EQ(newObjectId(project), 5);
    // Deleting a smaller ID leaves a hole that is not filled.
    ASSERT_TRUE(ObjectTable(project).remove(2));
    EXPECT_EQ(newObjectId(project), 5);
}

TEST_F(ObjectTableTest, NewObjectIdNeverOverflowsOnADamagedLargestId)
{
    putSubSubject(std::numeric_limits<ObjectId>::max());
    putSubSubject(1);
    putSubSubject(3);
    EXPECT_EQ(newObjectId(project), 2);
}

TEST_F(ObjectTableTest, FindByIdGivesTheFirstMatchAndTheTexts)
{
    putSubSubject(5, "t5");
    const int i = putSubSubject(7, "t7");
    setFixedText(project.objects[i].firstText, "main");
    EXPECT_EQ(findObjectIndex(project, 7), 1);
    EXPECT_EQ(findObjectIndex(project, 6), -1);

    SjisString first = "unchanged", second = "unchanged";
    EXPECT_EQ(findObjectTexts(project, 7, first, second), 1);
    EXPECT_EQ(first, "main");
    EXPECT_EQ(second, "t7");
    first = second = "unchanged";
    EXPECT_EQ(findObjectTexts(project, 8, first, second), -1);
    EXPECT_EQ(first, "unchanged");
}

TEST_F(ObjectTableTest, RemoveDropsExactlyTheLinksAtEitherEndAndKeepsOrder)
{
    for (ObjectId id : {1, 2, 3, 4})
        putMarker(id, "d", id);
    putLink(1, 2);
    putLink(2, 3);
    putLink(3, 4);
    putLink(4, 2);
    putLink(1, 3);
    putLink(12, 22); // IDs that merely contain the digit 2 stay

    EXPECT_TRUE(ObjectTable(project).remove(2));
    EXPECT_THAT(ids(), ElementsAre(1, 3, 4));
    EXPECT_THAT(links(), ElementsAre("3>4", "1>3", "12>22"));
    EXPECT_EQ(project.objects[1].position, 3); // records moved whole

    EXPECT_FALSE(ObjectTable(project).remove(2));
    EXPECT_THAT(ids(), ElementsAre(1, 3, 4));
    EXPECT_EQ(project.linkCount, 3);
}

TEST_F(ObjectTableTest, CurrentObjectIndexFollowsItsObjectThroughRemoval)
{
    for (ObjectId id : {1, 2, 3, 4, 5})
        putSubSubject(id);
    project.currentObject = 3; // ID 4
    ObjectTable(project).remove(2);
    EXPECT_EQ(project.currentObject, 2);
    EXPECT_EQ(project.objects[project.currentObject].id, 4);
    ObjectTable(project).remove(5); // after it: unchanged
    EXPECT_EQ(project.currentObject, 2);
    ObjectTable(project).remove(4); // itself: none
    EXPECT_EQ(project.currentObject, -1);
}

TEST_F(ObjectTableTest, RemoveIfDropsEveryMatchInOnePass)
{
    for (ObjectId id = 1; id <= 8; ++id)
        putObject(id, id % 3 == 0 ? ObjectType::SubSubject : ObjectType::Marker, "d");
    putLink(3, 1);
    putLink(1, 2);
    const int removed =
        ObjectTable(project).removeIf([](const ObjectRecord& r) { return r.id % 3 != 0; });
    EXPECT_EQ(removed, 6);
    EXPECT_THAT(ids(), ElementsAre(3, 6));
    EXPECT_EQ(project.linkCount, 0);
}

TEST_F(ObjectTableTest, LinkTableRemovalsReportWhetherAnythingMatched)
{
    putLink(1, 2);
    putLink(2, 1);
    putLink(1, 2); // a duplicate from a damaged file: both go
    putLink(3, 1);
    EXPECT_EQ(countLinksOfObject(project, 1), 4);
    EXPECT_TRUE(linkExists(project, 3, 1, true));
    EXPECT_FALSE(linkExists(project, 1, 3, true));
    EXPECT_TRUE(linkExists(project, 1, 3, false));

    LinkTable table(project);
    EXPECT_TRUE(table.removeBetween(1, 2));
    EXPECT_THAT(links(), ElementsAre("2>1", "3>1"));
    EXPECT_FALSE(table.removeBetween(1, 2));
    EXPECT_FALSE(table.removeOfObject(9));
    {
        CheckFailures broken;
        EXPECT_FALSE(table.removeAt(2));
        EXPECT_EQ(broken.conditions.size(), 1u);
    }
    EXPECT_TRUE(table.removeAt(0));
    EXPECT_THAT(links(), ElementsAre("3>1"));
}

TEST_F(ObjectTableTest, ObjectLimitAcceptsTheFiveThousandthAndRefusesBeyond)
{
    EXPECT_TRUE(objectLimitCheck(fake.messages, true, 4999));
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(objectLimitCheck(fake.messages, false, 5000));
    EXPECT_TRUE(fake.messages.shown.empty());

    EXPECT_FALSE(objectLimitCheck(fake.messages, true, 5000));
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30165});
    EXPECT_EQ(fake.messages.shown[0].style.icon, MessageIcon::Error);
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind(
                  "オブジェクト数が制限(5000)を超えました\nこれ以上、セットできません", 0),
              0u);

    EXPECT_FALSE(linkLimitCheck(fake.messages, true, 5000));
    EXPECT_EQ(fake.messages.shown.at(1).textUtf8.rfind(
                  "リンクの数が制限(5000)を超えました\nこれ以上、セットできません", 0),
              0u);
}

TEST_F(ObjectTableTest, SubSubjectIsCreatedWithCutTitlesAndDefSubjectStyle)
{
    putMarker(3, "d", 0);
    fake.settings.writeString(section::DefSubject, nodekeys::RefLine, "255");
    std::string title = std::string(99, 't') + "\x82\xa0";
    const int i = SubSubjectOps(project, services).add("main", title);
    ASSERT_EQ(i, 1);
    const ObjectRecord& r = project.objects[i];
    EXPECT_EQ(r.id, 4);
    EXPECT_EQ(r.type, ObjectType::SubSubject);
    EXPECT_EQ(fixedText(r.firstText), "main");
    EXPECT_EQ(fixedText(r.secondText), std::string(99, 't'));
    EXPECT_EQ(fixedText(r.document), "");
    EXPECT_EQ(r.nodeRect[2], 0);
    EXPECT_EQ(r.background, 0xE3CFC1u); // sub-subject built-in default
    EXPECT_EQ(r.lineColour, 255u);
    EXPECT_EQ(fixedText(r.fontName), "Meiryo UI");
    EXPECT_TRUE(project.modified);
    EXPECT_EQ(fake.refresh.status[static_cast<int>(StatusPane::Node)], "2");
}

TEST_F(ObjectTableTest, SubSubjectAtTheLimitAddsNothing)
{
    for (ObjectId id = 1; id <= kMaxObjects; ++id)
        putSubSubject(id);
    EXPECT_EQ(SubSubjectOps(project, services).add("m", "t"), -1);
    EXPECT_EQ(project.objectCount, kMaxObjects);
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30165});
    EXPECT_FALSE(project.modified);
}

TEST_F(ObjectTableTest, StoredNodeStyleIsWhatNewObjectsOfThatTypeGet)
{
    ObjectRecord styled{};
    styled.type = ObjectType::Marker;
    applyNodeDefaults(styled, fake.settings);
    setFixedText(styled.fontName, "IPAGothic");
    styled.fontSize = 14;
    styled.italic = 1;
    styled.alignH = 2;
    styled.marginTop = 9;
    styled.background = 0xFFFFFFFF; // no fill
    styled.lineColour = 0x123456;
    styled.lineThickness = 3;
    styled.lineStyle = 5;
    storeNodeDefaults(styled, fake.settings);

    ObjectRecord marker{};
    marker.type = ObjectType::Marker;
    write(fake.settings, keys::Synchro, 0);
    applyNodeDefaults(marker, fake.settings);
    EXPECT_EQ(std::memcmp(marker.fontName, styled.fontName, sizeof marker.fontName), 0);
    EXPECT_EQ(marker.fontSize, 14);
    EXPECT_EQ(marker.italic, 1);
    EXPECT_EQ(marker.alignH, 2);
    EXPECT_EQ(marker.marginTop, 9);
    EXPECT_EQ(marker.background, 0xFFFFFFFFu);
    EXPECT_EQ(marker.lineColour, 0x123456u);
    EXPECT_EQ(marker.lineThickness, 3);
    EXPECT_EQ(marker.lineStyle, 5);
    // Sub-subjects keep their own defaults.
    ObjectRecord subject{};
    subject.type = ObjectType::SubSubject;
    applyNodeDefaults(subject, fake.settings);
    EXPECT_EQ(subject.fontSize, 11);
    EXPECT_EQ(subject.background, kSubSubjectNodeDefaults.background);
}

} // namespace
} // namespace corvane::test
