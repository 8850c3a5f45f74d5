// cvntool add-subjects, mark, link and subjects, run as a script would run them.
#include "ProjectFileSupport.h"
#include "model/CProjectIO.h"
#include "model/FixedText.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace corvane::test {
namespace {

struct ToolRun
{
    int status;
    std::string out, err;
};

class SubjectCommandsTest : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_EQ(cvntool("new '" + root + "' P").status, 0);
        project = "'" + root + "/P/P.CVN'";
        // "abc" CR LF "あい def"
        writeFileBytes(root + "/P/doc/d1", "abc\r\n\x82\xa0\x82\xa2 def");
    }

    ToolRun cvntool(const std::string& arguments, const std::string& input = {})
    {
        const std::string in = root + "/stdin", out = root + "/stdout", err = root + "/stderr";
        writeFileBytes(in, input);
        const int raw = std::system((std::string(CVNTOOL_PATH) + " " + arguments + " <'" + in +
                                     "' >'" + out + "' 2>'" + err + "'")
                                        .c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFileBytes(out), readFileBytes(err)};
    }

    std::unique_ptr<ProjectData> load()
    {
        auto data = std::make_unique<ProjectData>();
        FakeServices fake;
        EXPECT_TRUE(CProjectIO(fake.services).loadProjectFile(root + "/P/P.CVN", *data));
        return data;
    }

    std::string project;
};

TEST_F(SubjectCommandsTest, AddSubjectsFromUtf8AndShiftJisThenListThem)
{
    ToolRun r = cvntool("add-subjects " + project, "Energy,Wind\r\nEnergy\tSolar\r\nno pair\r\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    writeFileBytes(root + "/sjis.txt", "\x8e\xe5,\x95\x9b"); // "主,副" in Shift-JIS, one line
    r = cvntool("add-subjects " + project + " '" + root + "/sjis.txt'");
    ASSERT_EQ(r.status, 0) << r.err;
    r = cvntool("add-subjects " + project, "\xef\xbb\xbf"
                                           "Energy,\xe9\xa2\xa8\n"); // BOM, "風"
    ASSERT_EQ(r.status, 0) << r.err;

    r = cvntool("subjects " + project);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Energy\tWind\t1\t\nEnergy\tSolar\t2\t\nEnergy\t\xe9\xa2\xa8\t4\t\n"
                     "\xe4\xb8\xbb\t\xe5\x89\xaf\t3\t\n");
    EXPECT_EQ(fixedText(load()->objects[2].firstText), "\x8e\xe5");
}

TEST_F(SubjectCommandsTest, BinaryInputIsRefusedAndChangesNothing)
{
    const ToolRun r = cvntool("add-subjects " + project, std::string("A,B\0\x01\xff", 7));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("テキストファイル以外"), std::string::npos) << r.err;
    EXPECT_EQ(load()->objectCount, 0);
}

TEST_F(SubjectCommandsTest, MarkCreatesThenChangesKeepingTheColourUnlessGiven)
{
    ToolRun r = cvntool("mark " + project + " d1 5 9 --colour 3");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
    auto data = load();
    ASSERT_EQ(data->objectCount, 1);
    EXPECT_EQ(fixedText(data->objects[0].document), "d1");
    EXPECT_EQ(fixedText(data->objects[0].secondText), "\x82\xa0\x82\xa2");
    EXPECT_EQ(data->objects[0].markerColour, 0x1DE6B5u);

    r = cvntool("mark " + project + " d1 5 11"); // overlaps: changed, colour kept
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
    data = load();
    EXPECT_EQ(data->objects[0].length, 6);
    EXPECT_EQ(data->objects[0].markerColour, 0x1DE6B5u);

    r = cvntool("mark " + project + " d1 0 3 --rgb 0x123456");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    EXPECT_EQ(load()->objects[1].markerColour, 0x123456u);

    r = cvntool("mark " + project + " d1 1 9"); // over both markers
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("複数のマーカに重なるマーカは設定できません"), std::string::npos);
}

TEST_F(SubjectCommandsTest, MarkRefusesSpansThatAreNoSelectionAndPathsOutsideDoc)
{
    EXPECT_EQ(cvntool("mark " + project + " d1 6 9").status, 2); // inside a two-byte character
    EXPECT_EQ(cvntool("mark " + project + " d1 0 99").status, 2);
    EXPECT_EQ(cvntool("mark " + project + " d1 4 4").status, 2);
    EXPECT_EQ(cvntool("mark " + project + " d1 0 2 --colour 7").status, 2);
    EXPECT_EQ(cvntool("mark " + project + " ../P.CVN 0 2").status, 1);
    EXPECT_EQ(cvntool("mark " + project + " missing 0 2").status, 1);
    EXPECT_EQ(load()->objectCount, 0);
}

TEST_F(SubjectCommandsTest, LinkTogglesAndRefusesTwoSubSubjects)
{
    ASSERT_EQ(cvntool("add-subjects " + project, "A,a\nA,b\n").status, 0);
    ASSERT_EQ(cvntool("mark " + project + " d1 0 3").status, 0);
    ToolRun r = cvntool("link " + project + " 1 3");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "linked\n");
    EXPECT_EQ(cvntool("subjects " + project).out, "A\ta\t1\t*\nA\tb\t2\t\n");

    r = cvntool("link " + project + " 1 2");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("副題から副題へのリンクは設定できません"), std::string::npos);
    EXPECT_EQ(cvntool("link " + project + " 1 77").status, 1);

    r = cvntool("link " + project + " 1 3");
    EXPECT_EQ(r.out, "unlinked\n");
    EXPECT_EQ(load()->linkCount, 0);
}

} // namespace
} // namespace corvane::test
