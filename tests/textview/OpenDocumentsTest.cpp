// The registry of open documents: opening order, limits, re-keying on rename and move.
#include "EditFixture.h"

#include "textview/OpenDocuments.h"

#include <filesystem>

namespace corvane {
namespace {

using test::EditTest;

struct OpenDocumentsTest : EditTest
{
    OpenDocuments open{project, fake.services};
    std::string docFolder = dir.path.string() + "/doc/";
    std::string put(const std::string& relativeUtf8)
    {
        const std::string path = docFolder + relativeUtf8;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << "text";
        return path;
    }
    std::vector<SjisString> order() const
    {
        std::vector<SjisString> out;
        for (TextDocument* d : open.inOpeningOrder())
            out.push_back(d->relativePath());
        return out;
    }
};

TEST_F(OpenDocumentsTest, KeepsOpeningOrderAndOpensEachDocumentOnce)
{
    TextDocument* b = open.open("F\\b", put("F/b"), work.path.string());
    ASSERT_NE(b, nullptr);
    ASSERT_NE(open.open("a", put("a"), work.path.string()), nullptr);
    EXPECT_EQ(open.open("F\\b", docFolder + "F/b", work.path.string()), b);
    EXPECT_EQ(order(), (std::vector<SjisString>{"F\\b", "a"}));
    EXPECT_EQ(open.find("a")->text(), "text");
    EXPECT_EQ(open.open("missing", docFolder + "missing", work.path.string()), nullptr);
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30014});
    EXPECT_TRUE(open.close("F\\b"));
    EXPECT_EQ(order(), (std::vector<SjisString>{"a"}));
}

TEST_F(OpenDocumentsTest, TheTwentyFirstDocumentIsRefused)
{
    for (int i = 0; i < kMaxOpenDocuments; ++i)
        ASSERT_NE(
            open.open("d" + std::to_string(i), put("d" + std::to_string(i)), work.path.string()),
            nullptr);
    EXPECT_EQ(open.open("extra", put("extra"), work.path.string()), nullptr);
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30007});
}

TEST_F(OpenDocumentsTest, RenamesAndFolderMovesReKeyInPlace)
{
    open.open("F\\b", put("F/b"), work.path.string());
    open.open("FG\\c", put("FG/c"), work.path.string());
    open.open("F\\H\\d", put("F/H/d"), work.path.string());
    EXPECT_EQ(open.folderMoved("F", "K\\F", docFolder), 2);
    EXPECT_EQ(order(), (std::vector<SjisString>{"K\\F\\b", "FG\\c", "K\\F\\H\\d"}));
    EXPECT_EQ(open.find("K\\F\\H\\d")->store().documentPath(), docFolder + "K/F/H/d");
    open.documentMoved("FG\\c", "e", docFolder + "e");
    EXPECT_EQ(order(), (std::vector<SjisString>{"K\\F\\b", "e", "K\\F\\H\\d"}));
    EXPECT_EQ(open.find("e")->store().documentPath(), docFolder + "e");
}

} // namespace
} // namespace corvane
