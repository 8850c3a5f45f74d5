// cvntool search and replace, run as a script would run them.
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

class SearchCommandTest : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_EQ(cvntool("new '" + root + "' P").status, 0);
        projectFile = "'" + root + "/P/P.CVN' ";
        std::filesystem::create_directories(root + "/P/doc/F/sub");
        writeFileBytes(root + "/P/doc/d1", "xx ab\r\nAB q");
        writeFileBytes(root + "/P/doc/F/d2", "a\r\nb");
        writeFileBytes(root + "/P/doc/F/sub/d3", "ab");
        auto data = load();
        ObjectRecord& m = addObject(*data, 1, ObjectType::Marker, "d1", "q");
        m.position = 11;
        m.length = 1;
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

    std::string projectFile;
};

TEST_F(SearchCommandTest, SearchPrintsRowsAsAResultsList)
{
    const ToolRun folder = cvntool("search " + projectFile + "ab --folder F");
    ASSERT_EQ(folder.status, 0) << folder.err;
    EXPECT_NE(folder.out.find("0001 ab<F\\d2><0-4>\n"), std::string::npos) << folder.out;
    EXPECT_EQ(folder.out.find("sub"), std::string::npos); // sub-folders are not entered
    const ToolRun count = cvntool("search " + projectFile + "ab --count --case");
    EXPECT_EQ(count.out, "\xe6\xa4\x9c\xe7\xb4\xa2\xe6\x96\x87\xe7\x8c\xae\xe6\x95\xb0 3"
                         "\xe4\xbb\xb6\xe3\x80\x81\xe3\x83\x92\xe3\x83\x83\xe3\x83\x88\xe6\x95\xb0 "
                         "3\xe4\xbb\xb6\n");
    EXPECT_EQ(cvntool("search " + projectFile + "ab --folder none").status, 1);
}

TEST_F(SearchCommandTest, ReplaceMovesMarkersAndSavesTheProject)
{
    const ToolRun r = cvntool("replace " + projectFile + "ab Z");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(root + "/P/doc/d1"), "xx Z\r\nZ q");
    EXPECT_EQ(readFileBytes(root + "/P/doc/F/d2"), "a\r\nb"); // across a line break: refused
    EXPECT_EQ(load()->objects[0].position, 9);
    EXPECT_EQ(cvntool("replace " + projectFile + "nothere Z").status, 1); // 30103
    EXPECT_EQ(cvntool("replace " + projectFile + "q q").status, 1);       // 30102
    writeFileBytes(root + "/dic", "Z\tab\r\n");
    EXPECT_EQ(cvntool("replace " + projectFile + "--dictionary '" + root + "/nodic'").status, 1);
    ASSERT_EQ(cvntool("replace " + projectFile + "--dictionary '" + root + "/dic' --case").status,
              0);
    EXPECT_EQ(readFileBytes(root + "/P/doc/d1"), "xx ab\r\nab q");
    EXPECT_EQ(load()->objects[0].position, 11);
}

} // namespace
} // namespace corvane::test
