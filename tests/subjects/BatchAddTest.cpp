// Batch add from clipboard text: normalisation, the single-line case, the preview, the limit
// question and the 100-byte cuts.
#include "ModelFixture.h"

#include "subjects/BatchAdd.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

class BatchAddTest : public ModelTest
{
protected:
    BatchAdd batch{project, services};
    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < project.objectCount; ++i)
            if (project.objects[i].type == ObjectType::SubSubject)
                out.push_back(std::string(fixedText(project.objects[i].firstText)) + "/" +
                              std::string(fixedText(project.objects[i].secondText)));
        return out;
    }
    void fillObjects(int count)
    {
        for (int i = 0; i < count; ++i)
            putMarker(i + 1, "d", i, 1);
    }
};

TEST(BatchText, NormalisesLineEndsInOrderAndCommasToTabs)
{
    EXPECT_EQ(normaliseBatchText("a,b\r\nc\n\rd\re"), "a\tb\nc\nd\ne");
    // "\n\r" is replaced first, so "\n\r\n" becomes two line feeds.
    EXPECT_EQ(normaliseBatchText("x\n\r\ny"), "x\n\ny");
    // 0x2C after a lead byte cannot be its trail byte: still a comma.
    EXPECT_EQ(normaliseBatchText("\x82\xa0,\x82\xa2"), "\x82\xa0\t\x82\xa2");
}

TEST(BatchText, SplitsAtTheFirstTabSkipsLinesWithoutOneAndTakesAFinalLine)
{
    const BatchText t = parseBatchText("A,B\r\nno separator\r\nC\tD\tE\r\n\r\nF,G");
    EXPECT_EQ(t.lineFeeds, 4);
    ASSERT_EQ(t.pairs.size(), 3u);
    EXPECT_EQ(t.pairs[0].mainTitle, "A");
    EXPECT_EQ(t.pairs[0].title, "B");
    EXPECT_EQ(t.pairs[1].mainTitle, "C");
    EXPECT_EQ(t.pairs[1].title, "D\tE");
    EXPECT_EQ(t.pairs[2].title, "G");
}

TEST_F(BatchAddTest, TwoCrLfLinesOfCommaAndTabAddTwoAfterOnePreviewOfTwoLines)
{
    EXPECT_EQ(batch.run(SjisString("A,B\r\nC\tD\r\n")), 2);
    EXPECT_THAT(titles(), ElementsAre("A/B", "C/D"));
    ASSERT_THAT(fake.messages.numbers(), ElementsAre(30078));
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind("A\tB\nC\tD\n\n以上の内容で", 0), 0u);
    EXPECT_TRUE(project.modified);
    EXPECT_EQ(fake.refresh.status[int(StatusPane::Node)], "2");
}

TEST_F(BatchAddTest, ASingleLineIsAddedWithoutAQuestion)
{
    EXPECT_EQ(batch.run(SjisString("A,B")), 1);
    EXPECT_THAT(titles(), ElementsAre("A/B"));
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(BatchAddTest, TextWithoutASeparatorAddsNothing)
{
    EXPECT_EQ(batch.run(SjisString("just words")), 0);
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30079));
    EXPECT_EQ(batch.run(SjisString("one\r\ntwo\r\n")), 0);
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30079, 30079));
    EXPECT_EQ(project.objectCount, 0);
    EXPECT_FALSE(project.modified);
}

TEST_F(BatchAddTest, NoClipboardTextIsReported)
{
    EXPECT_EQ(batch.run(std::nullopt), 0);
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30042));
}

TEST_F(BatchAddTest, TwelvePairsPreviewTenLinesAndTheTotal)
{
    SjisString text;
    for (int i = 1; i <= 12; ++i)
        text += "M," + std::to_string(i) + "\r\n";
    fake.messages.answer(Answer::No);
    EXPECT_EQ(batch.run(text), 0);
    EXPECT_EQ(project.objectCount, 0);
    const std::string& shown = fake.messages.shown.at(0).textUtf8;
    EXPECT_EQ(shown.rfind("M\t1\nM\t2\nM\t3\nM\t4\nM\t5\nM\t6\nM\t7\nM\t8\nM\t9\nM\t10\n"
                          "…　以下省略。全 12件\n\n以上の内容で",
                          0),
              0u)
        << shown;
}

TEST_F(BatchAddTest, TextsAreCutTo100BytesAtACharacterBoundary)
{
    const SjisString ascii101(101, 'a');
    // 99 ASCII bytes then a two-byte character: byte 100 would split it, so 99 stay.
    const SjisString split = SjisString(99, 'b') + "\x82\xa0";
    EXPECT_EQ(batch.run(ascii101 + "\t" + split + "\r\n"), 1);
    const ObjectRecord& r = project.objects[0];
    EXPECT_EQ(fixedText(r.firstText), SjisString(100, 'a'));
    EXPECT_EQ(fixedText(r.secondText), SjisString(99, 'b'));
}

TEST_F(BatchAddTest, OverTheLimitAsksAndAddsAsManyAsFit)
{
    fillObjects(kMaxObjects - 2);
    fake.messages.answer(Answer::No); // 30074
    EXPECT_EQ(batch.run(SjisString("A,1\nA,2\nA,3\n")), 0);
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30074));

    fake.messages.shown.clear();
    EXPECT_EQ(batch.run(SjisString("A,1\nA,2\nA,3\n")), 2); // Yes, Yes
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30074, 30078, 30165));
    EXPECT_EQ(project.objectCount, kMaxObjects);
}

TEST_F(BatchAddTest, ExactlyFittingPairsDoNotAskAboutTheLimit)
{
    fillObjects(kMaxObjects - 2);
    EXPECT_EQ(batch.run(SjisString("A,1\nA,2\n")), 2);
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30078));
}

TEST_F(BatchAddTest, NewRecordsTakeFollowingIdsAndTheSubjectNodeStyle)
{
    putMarker(40, "d", 0, 1);
    fake.settings.writeString("DefSubject", "refMen", "255");
    EXPECT_EQ(batch.run(SjisString("A,1\nA,2\n")), 2);
    EXPECT_EQ(project.objects[1].id, 41);
    EXPECT_EQ(project.objects[2].id, 42);
    EXPECT_EQ(project.objects[2].type, ObjectType::SubSubject);
    EXPECT_EQ(project.objects[2].background, 255u);
    EXPECT_EQ(project.objects[2].lineColour, 0x694730u);
    EXPECT_EQ(project.objects[2].nodeRect[2], 0);
}

TEST_F(BatchAddTest, EqualPairsAddSecondSubSubjects)
{
    EXPECT_EQ(batch.run(SjisString("A,B")), 1);
    EXPECT_EQ(batch.run(SjisString("A,B")), 1);
    EXPECT_THAT(titles(), ElementsAre("A/B", "A/B"));
}

} // namespace
} // namespace corvane::test
