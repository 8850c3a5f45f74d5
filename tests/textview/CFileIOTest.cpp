#include "textview/CFileIO.h"

#include "TempDir.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct CFileIOFixture : ::testing::Test
{
    test::TempDir dir;
    test::FakeServices fakes;
    ProjectData project;
    CFileIO io{project, fakes.messages};
};

TEST_F(CFileIOFixture, OpeningAddsTheDocumentOnlyWhenLoadSucceeds)
{
    const std::string a = dir.file("a", "text");
    EXPECT_FALSE(io.openDocument(a, [] { return false; }));
    EXPECT_TRUE(project.openDocuments.empty());
    bool made = false;
    EXPECT_TRUE(io.openDocument(a, [&] { return made = true; }));
    EXPECT_TRUE(made);
    EXPECT_EQ(project.openDocuments, std::vector<std::string>{a});
    io.documentClosed(a + "*");
    EXPECT_TRUE(project.openDocuments.empty());
}

TEST_F(CFileIOFixture, MissingPathReports30014AndMakesNoView)
{
    bool made = false;
    EXPECT_FALSE(io.openDocument((dir.path / "gone").string(), [&] { return made = true; }));
    EXPECT_FALSE(io.openDocument(dir.path.string(), [&] { return made = true; })); // a folder
    EXPECT_FALSE(made);
    EXPECT_EQ(fakes.messages.numbers(), (std::vector<int>{30014, 30014}));
}

TEST_F(CFileIOFixture, TwentyFirstDocumentReports30007AndOpensNothing)
{
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(io.openDocument(dir.file("d" + std::to_string(i), "x"), [] { return true; }));
    bool made = false;
    EXPECT_FALSE(io.openDocument(dir.file("d20", "x"), [&] { return made = true; }));
    EXPECT_FALSE(made);
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30007});
    EXPECT_EQ(project.openDocuments.size(), 20u);
}

} // namespace
} // namespace corvane
