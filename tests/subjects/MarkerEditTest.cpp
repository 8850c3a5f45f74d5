// Marker editing from a selection: the overlap rules, the change questions, the text cut, the
// colour rules and the initial colour.
#include "ModelFixture.h"

#include "base/SettingsKeys.h"
#include "model/MarkerPalette.h"
#include "textview/MarkerEdit.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

struct OverlapCase
{
    ByteOffset a, b; ///< selection [a, b)
    bool overlaps;
    const char* why;
};

TEST(MarkerOverlap, TheFourCasesAgainstAMarkerOfBytes10To19)
{
    // Marker at 10, length 10: p = 10, e = 19.
    const OverlapCase cases[] = {
        {12, 15, true, "strictly inside"},
        {10, 19, true, "inside, ending at e"},
        {15, 25, true, "starts inside, runs on past e"},
        {19, 25, false, "starts on the last byte e"},
        {5, 15, true, "starts before p, ends inside"},
        {5, 10, false, "ends at p (half-open)"},
        {5, 11, true, "ends just after p"},
        {5, 30, true, "covers the marker"},
        {10, 20, true, "exactly the marker"},
        {20, 25, false, "after the marker"},
        {0, 5, false, "before the marker"},
    };
    for (const OverlapCase& c : cases)
        EXPECT_EQ(markerOverlapsSelection(10, 10, c.a, c.b), c.overlaps) << c.why;
}

class MarkerEditTest : public ModelTest
{
protected:
    MarkerEdit edit{project, services};
    int putNamedMarker(ObjectId id, ByteOffset position, std::int32_t length, SjisView text)
    {
        const int i = putObject(id, ObjectType::Marker, "doc", position, length, text);
        project.objects[i].markerColour = 0x111111;
        project.objects[i].background = 0x222222;
        return i;
    }
};

TEST_F(MarkerEditTest, HitTestUsesTheInteriorWithoutTheLastByte)
{
    putNamedMarker(1, 10, 10, "m");
    putObject(2, ObjectType::Marker, "other", 0, 100);
    EXPECT_EQ(markerAt(project, "doc", 10), 0);
    EXPECT_EQ(markerAt(project, "doc", 18), 0);
    EXPECT_EQ(markerAt(project, "doc", 19), -1);
    EXPECT_EQ(markerAt(project, "doc", 9), -1);
    EXPECT_EQ(markerAt(project, "other", 50), 1);
}

TEST_F(MarkerEditTest, ASelectionStrictlyInsideAMarkerChangesIt)
{
    putNamedMarker(5, 10, 20, "old text");
    const MarkerEditResult r = edit.createOrChange("doc", 12, 15, "new", paletteColourChoice(2));
    EXPECT_EQ(r.outcome, MarkerEditOutcome::Changed);
    EXPECT_EQ(project.objectCount, 1);
    const ObjectRecord& m = project.objects[0];
    EXPECT_EQ(m.position, 12);
    EXPECT_EQ(m.length, 3);
    EXPECT_EQ(fixedText(m.secondText), "new");
    EXPECT_EQ(m.markerColour, kMarkerPalette[2]); // 30092 answered Yes
    EXPECT_EQ(m.background, kMarkerPalette[2]);   // Synchro 1
    EXPECT_EQ(project.currentObject, 0);
    EXPECT_TRUE(project.modified);
    ASSERT_THAT(fake.messages.numbers(), ElementsAre(30054, 30092));
    EXPECT_EQ(
        fake.messages.shown[0].textUtf8.rfind("[変更前] old text\n====================\n"
                                              "[変更後] new\n====================\n上記のよう",
                                              0),
        0u)
        << fake.messages.shown[0].textUtf8;
    EXPECT_TRUE(fake.refresh.saw("showProperties id 5"));
}

TEST_F(MarkerEditTest, ASelectionTouchingTwoMarkersIsRefused)
{
    putNamedMarker(1, 0, 10, "a");
    putNamedMarker(2, 20, 10, "b");
    const MarkerEditResult r = edit.createOrChange("doc", 5, 25, "x", paletteColourChoice(0));
    EXPECT_EQ(r.outcome, MarkerEditOutcome::Refused);
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30047));
    EXPECT_EQ(project.objects[0].position, 0);
    EXPECT_EQ(project.objects[1].position, 20);
    EXPECT_FALSE(project.modified);
}

TEST_F(MarkerEditTest, ASelectionFromAMarkersLastByteMakesANewMarker)
{
    putNamedMarker(1, 10, 10, "a");
    const MarkerEditResult r = edit.createOrChange("doc", 19, 25, "tail", paletteColourChoice(4));
    EXPECT_EQ(r.outcome, MarkerEditOutcome::Created);
    ASSERT_EQ(project.objectCount, 2);
    EXPECT_EQ(r.objectIndex, 1);
    EXPECT_EQ(project.objects[1].position, 19);
    EXPECT_EQ(project.objects[1].length, 6);
    EXPECT_EQ(project.objects[1].markerColour, kMarkerPalette[4]);
    EXPECT_EQ(project.currentObject, 1);
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(MarkerEditTest, A150ByteSelectionOffersAndStoresItsFirst100Bytes)
{
    putNamedMarker(1, 0, 200, "a");
    const SjisString selected = SjisString(99, 'x') + "\x82\xa0" + SjisString(49, 'y');
    ASSERT_EQ(selected.size(), 150u);
    EXPECT_EQ(edit.createOrChange("doc", 10, 160, selected, paletteColourChoice(0)).outcome,
              MarkerEditOutcome::Changed);
    // Byte 100 would split the two-byte character: 99 bytes stay.
    EXPECT_EQ(fixedText(project.objects[0].secondText), SjisString(99, 'x'));
    EXPECT_NE(fake.messages.shown[0].textUtf8.find("[変更後] " + std::string(99, 'x') + "\n"),
              std::string::npos);
    EXPECT_EQ(project.objects[0].length, 150);

    SjisString ascii(150, 'z');
    EXPECT_EQ(edit.createOrChange("doc", 10, 160, ascii, paletteColourChoice(0)).outcome,
              MarkerEditOutcome::Changed);
    EXPECT_EQ(fixedText(project.objects[0].secondText), SjisString(100, 'z'));
}

TEST_F(MarkerEditTest, NoOrCancelInTheQuestionsChangesNothing)
{
    putNamedMarker(1, 10, 10, "a");
    fake.messages.answer(Answer::No);
    EXPECT_EQ(edit.createOrChange("doc", 12, 14, "b", paletteColourChoice(0)).outcome,
              MarkerEditOutcome::Cancelled);
    fake.messages.answer(Answer::Yes);
    fake.messages.answer(Answer::Cancel);
    EXPECT_EQ(edit.createOrChange("doc", 12, 14, "b", paletteColourChoice(0)).outcome,
              MarkerEditOutcome::Cancelled);
    // The other colour through the dialog: Cancel there stops everything too.
    fake.colours.next = std::nullopt;
    EXPECT_EQ(edit.createOrChange("doc", 12, 14, "b", MarkerColourChoice::Dialog).outcome,
              MarkerEditOutcome::Cancelled);
    EXPECT_THAT(fake.colours.asked, ElementsAre(0x111111u)); // the marker's colour preselected
    EXPECT_EQ(project.objects[0].position, 10);
    EXPECT_EQ(fixedText(project.objects[0].secondText), "a");
    EXPECT_FALSE(project.modified);
}

TEST_F(MarkerEditTest, NoToTheColourQuestionKeepsTheColourButMovesTheSpan)
{
    putNamedMarker(1, 10, 10, "a");
    fake.messages.answer(Answer::Yes);
    fake.messages.answer(Answer::No);
    EXPECT_EQ(edit.createOrChange("doc", 8, 12, "b", paletteColourChoice(0)).outcome,
              MarkerEditOutcome::Changed);
    EXPECT_EQ(project.objects[0].position, 8);
    EXPECT_EQ(project.objects[0].markerColour, 0x111111u);
}

TEST_F(MarkerEditTest, WithSynchroOffAColourChangeKeepsTheNodeBackground)
{
    fake.settings.writeInt("KanSet", "Synchro", 0);
    putNamedMarker(1, 10, 10, "a");
    EXPECT_EQ(edit.createOrChange("doc", 10, 20, "b", paletteColourChoice(6)).outcome,
              MarkerEditOutcome::Changed);
    EXPECT_EQ(project.objects[0].markerColour, kMarkerPalette[6]);
    EXPECT_EQ(project.objects[0].background, 0x222222u);
}

TEST_F(MarkerEditTest, SetInitialColourThenCreateUsesItAndWithoutItTheDefault)
{
    putNamedMarker(1, 0, 4, "a");
    project.objects[0].markerColour = 0x123456;
    ASSERT_TRUE(edit.setInitialColour(0));
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30031, 30091));
    EXPECT_EQ(fake.settings.readString("MARKER", "refDef", ""), std::to_string(0x123456));

    const MarkerColourChoice choice = MarkerColourChoice::Initial;
    ASSERT_EQ(edit.createOrChange("doc", 10, 14, "new", choice).outcome,
              MarkerEditOutcome::Created);
    EXPECT_EQ(project.objects[1].markerColour, 0x123456u);

    fake.settings.clear();
    ASSERT_EQ(edit.createOrChange("doc", 20, 24, "new", choice).outcome,
              MarkerEditOutcome::Created);
    EXPECT_EQ(project.objects[2].markerColour, 0xBF8F6Fu);

    fake.messages.answer(Answer::No);
    EXPECT_FALSE(edit.setInitialColour(1));
    EXPECT_EQ(fake.settings.readString("MARKER", "refDef", ""), "");
}

TEST_F(MarkerEditTest, EmptySelectionsAndEmptyTextsDoNothing)
{
    EXPECT_EQ(edit.createOrChange("doc", 5, 5, "", paletteColourChoice(0)).outcome,
              MarkerEditOutcome::Nothing);
    EXPECT_EQ(edit.createOrChange("doc", 5, 9, "", paletteColourChoice(0)).outcome,
              MarkerEditOutcome::Nothing);
    EXPECT_EQ(project.objectCount, 0);
}

} // namespace
} // namespace corvane::test
