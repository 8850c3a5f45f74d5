#include "textview/TextStore.h"

#include "TempDir.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace corvane {
namespace {

struct TextStoreFixture : ::testing::Test
{
    test::TempDir dir;
    test::TempDir work;
    test::FakeServices fakes;
    TextStore store{fakes.messages};

    static mode_t modeOf(const std::string& path)
    {
        struct stat st
        {
        };
        ::stat(path.c_str(), &st);
        return st.st_mode & 07777;
    }
};

TEST_F(TextStoreFixture, OpenMakesAPrivateWorkingCopyThatCloseDeletes)
{
    const std::string doc = dir.file("doc1", "abc\r\n\x82\xa0");
    ::chmod(doc.c_str(), 0444);
    ASSERT_TRUE(store.open(doc, work.path.string()));
    EXPECT_EQ(store.text(), "abc\r\n\x82\xa0");
    const std::string copy = store.workingPath();
    EXPECT_EQ(copy.rfind(work.path.string(), 0), 0u);
    ASSERT_TRUE(store.flushWorkingCopy());
    EXPECT_EQ(test::TempDir::read(copy), "abc\r\n\x82\xa0");
    EXPECT_EQ(modeOf(copy), 0600u); // not read-only, not readable by others
    store.close();
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(TextStoreFixture, MissingDocumentFailsSilently)
{
    EXPECT_FALSE(store.open((dir.path / "none").string(), work.path.string()));
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_FALSE(store.isOpen());
}

TEST_F(TextStoreFixture, NoWorkFolderReportsTheTemporaryFileFailure)
{
    const std::string doc = dir.file("doc1", "x");
    EXPECT_FALSE(store.open(doc, (work.path / "missing").string()));
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30015});
}

TEST_F(TextStoreFixture, UnreadableDocumentReportsTheWorkingCopyFailure)
{
    // A folder where the document should be: it exists but cannot be copied into a working copy.
    std::filesystem::create_directory(dir.path / "folder");
    EXPECT_FALSE(store.open((dir.path / "folder").string(), work.path.string()));
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30015});
    EXPECT_FALSE(store.isOpen());
}

TEST_F(TextStoreFixture, ReadRangeStopsAtNulAndCanDropLineBreaks)
{
    ASSERT_TRUE(store.open(dir.file("d", std::string("ab\r\ncd\0ef", 9)), work.path.string()));
    EXPECT_EQ(store.readRange(0, 6, false), "ab\r\ncd");
    EXPECT_EQ(store.readRange(0, 6, true), "abcd");
    EXPECT_EQ(store.readRange(0, 100, false), "ab\r\ncd");
    EXPECT_EQ(store.readRange(7, 100, false), "ef");
    EXPECT_EQ(store.readRange(9, 1, false), "");
    EXPECT_EQ(store.readRange(-1, 3, false), "");
}

TEST_F(TextStoreFixture, DocumentChangesOnlyOnSaveAndStaysReadOnly)
{
    const std::string doc = dir.file("doc1", "old");
    ::chmod(doc.c_str(), 0444);
    ASSERT_TRUE(store.open(doc + "*", work.path.string())); // the mark is not part of the name
    ASSERT_TRUE(store.replaceContent("new text"));
    store.setModified();
    EXPECT_EQ(store.pathName(), doc + "*");
    EXPECT_EQ(test::TempDir::read(doc), "old");

    ASSERT_TRUE(store.flushWorkingCopy());
    EXPECT_EQ(test::TempDir::read(store.workingPath()), "new text");
    EXPECT_EQ(test::TempDir::read(doc), "old");

    ASSERT_TRUE(store.save());
    EXPECT_EQ(test::TempDir::read(doc), "new text");
    EXPECT_EQ(modeOf(doc) & 0222, 0u);
    EXPECT_EQ(store.pathName(), doc);
    EXPECT_FALSE(store.isModified());
}

TEST_F(TextStoreFixture, WorkingCopyShrinksWithTheText)
{
    ASSERT_TRUE(store.open(dir.file("d", "a long first text"), work.path.string()));
    ASSERT_TRUE(store.replaceContent("short"));
    ASSERT_TRUE(store.flushWorkingCopy());
    EXPECT_EQ(test::TempDir::read(store.workingPath()), "short");
}

TEST_F(TextStoreFixture, FailedSaveReportsAndKeepsTheMarkAndLeavesNothingBehind)
{
    const std::string doc = dir.file("doc1", "old");
    ASSERT_TRUE(store.open(doc, work.path.string()));
    store.replaceContent("new");
    store.setModified();
    // The document's name now belongs to a folder with something in it: nothing can replace it,
    // not even for root.
    std::filesystem::remove(doc);
    std::filesystem::create_directory(doc);
    dir.file("doc1/inside", "keep");
    EXPECT_FALSE(store.save());
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30018});
    EXPECT_TRUE(store.isModified());
    EXPECT_EQ(store.pathName(), doc + "*");
    EXPECT_EQ(test::TempDir::read(doc + "/inside"), "keep");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path))
        ++entries;
    EXPECT_EQ(entries, 1); // no temporary file left beside it
}

TEST(ModifiedMark, OnlyOneTrailingStarIsDropped)
{
    EXPECT_EQ(withoutModifiedMark("/a/b*"), "/a/b");
    EXPECT_EQ(withoutModifiedMark("/a/b**"), "/a/b*");
    EXPECT_EQ(withoutModifiedMark("/a/b"), "/a/b");
}

} // namespace
} // namespace corvane
