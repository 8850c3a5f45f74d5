// cvntool edit, run as a script would run it: the document and the project file change
// together, refusals and bad offsets change nothing.
#include "ProjectFileSupport.h"
#include "model/CProjectIO.h"
#include "model/FixedText.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sys/stat.h>

namespace corvane::test {
namespace {

struct ToolRun
{
    int status;
    std::string out, err;
};

class EditCommandTest : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_EQ(cvntool("new '" + root + "' P").status, 0);
        project = "edit '" + root + "/P/P.CVN' d1 ";
        document = root + "/P/doc/d1";
        // "abc" CR LF "あい def"; a marker over "あい" and a bookmark at "d"
        writeFileBytes(document, kText);
        ::chmod(document.c_str(), 0444);
        auto data = load();
        ObjectRecord& m = addObject(*data, 1, ObjectType::Marker, "d1", "\x82\xa0\x82\xa2");
        m.position = 5;
        m.length = 4;
        setFixedText(data->textView.bookmarkPath[0], "d1");
        data->textView.bookmarkPosition[0] = 10;
        FakeServices fake;
        ASSERT_TRUE(CProjectIO(fake.services).saveProject(root + "/P/P.CVN", *data));
    }

    ToolRun cvntool(const std::string& arguments)
    {
        const std::string out = root + "/stdout", err = root + "/stderr";
        const int raw = std::system(
            (std::string(CVNTOOL_PATH) + " " + arguments + " >'" + out + "' 2>'" + err + "'")
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

    void expectUnchanged()
    {
        EXPECT_EQ(readFileBytes(document), kText);
        auto data = load();
        EXPECT_EQ(data->objectCount, 1);
        EXPECT_EQ(data->objects[0].position, 5);
        EXPECT_EQ(data->textView.bookmarkPosition[0], 10);
    }

    static constexpr const char* kText = "abc\r\n\x82\xa0\x82\xa2 def";
    std::string project;
    std::string document;
};

TEST_F(EditCommandTest, InsertMovesMarkersAndBookmarksAndKeepsTheDocumentReadOnly)
{
    // UTF-8 with an LF and a character CP932 lacks ("☃").
    const ToolRun r = cvntool(project + "--insert 0 \"$(printf 'x\\n\\342\\230\\203')\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "18\n");
    EXPECT_EQ(readFileBytes(document), "x\r\n\x81\xac" "abc\r\n\x82\xa0\x82\xa2 def");
    auto data = load();
    EXPECT_EQ(data->objects[0].position, 10);
    EXPECT_EQ(data->textView.bookmarkPosition[0], 15);
    struct stat st
    {
    };
    ::stat(document.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0222, 0u);
}

TEST_F(EditCommandTest, RefusalsAndBadOffsetsChangeNothing)
{
    ToolRun r = cvntool(project + "--insert 7 x"); // inside the marker
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("マーカ内は編集できません"), std::string::npos) << r.err;
    r = cvntool(project + "--delete 3 7"); // covers the marker, no --yes
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("削除範囲にマーカが含まれています"), std::string::npos) << r.err;
    EXPECT_EQ(cvntool(project + "--insert 6 x").status, 2);   // inside a two-byte character
    EXPECT_EQ(cvntool(project + "--insert 4 x").status, 2);   // between CR and LF
    EXPECT_EQ(cvntool(project + "--delete 10 20").status, 2); // past the end
    EXPECT_EQ(cvntool(project + "--delete 1").status, 2);     // usage
    EXPECT_EQ(cvntool(project + "--insert 1 x --no").status, 2);
    expectUnchanged();
}

TEST_F(EditCommandTest, DeleteWithYesRemovesCoveredMarkersAndClearsTheBookmarkAtTheEnd)
{
    const ToolRun r = cvntool(project + "--delete 3 7 --yes");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "6\n");
    EXPECT_EQ(readFileBytes(document), "abcdef");
    auto data = load();
    EXPECT_EQ(data->objectCount, 0);
    EXPECT_EQ(data->textView.bookmarkPosition[0], -1); // at the end offset of the range
}

} // namespace
} // namespace corvane::test
