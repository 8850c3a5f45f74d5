// Bookmark samples as menus and tooltips show them, and which bookmarks count as set where.
#include "model/Bookmarks.h"

#include "base/Codec.h"
#include "model/FixedText.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct BookmarksTest : ::testing::Test
{
    ProjectData project;
    BookmarksTest()
    {
        project.name = std::string(1, 'T');
        applyNewProjectValues(project.textView);
    }
};

} // namespace

TEST_F(BookmarksTest, SamplesDropLineEndsAndNeverSplitACharacter)
{
    // 199 ASCII bytes then a two-byte character: 201 bytes, cut to 199.
    const SjisString text = std::string(100, 'a') + "\r\n" + std::string(99, 'b') + "\x82\xa0tail";
    const SjisString sample = bookmarks::sampleAt(text, 0);
    EXPECT_EQ(sample, std::string(100, 'a') + std::string(99, 'b'));
    EXPECT_EQ(bookmarks::sampleAt("x\x82\xa0", 1), "\x82\xa0");
    EXPECT_EQ(bookmarks::sampleAt("abc", 3), ""); // at the end: nothing follows
}

TEST_F(BookmarksTest, ShownSampleCutsAtTheSampleLengthWithEllipsis)
{
    project.textView.bookmarkSampleLength = 40;
    // 41 bytes whose 40th byte is the lead byte of a two-byte character.
    const SjisString text = std::string(39, 'x') + "\x82\xa0";
    ASSERT_TRUE(bookmarks::set(project, 2, "d\\doc", 0, text));
    EXPECT_EQ(bookmarks::shownSample(project, 2), std::string(39, 'x') + "...");
    EXPECT_TRUE(project.modified);
    EXPECT_EQ(bookmarks::menuText(project, 0), "(未セット)");
}

TEST_F(BookmarksTest, ABookmarkBeyondItsDocumentShowsAsUnsetAndIsKept)
{
    ASSERT_TRUE(bookmarks::set(project, 0, "d\\doc", 5, "0123456789"));
    EXPECT_EQ(bookmarks::positionIn(project, 0, "d\\doc", 10), 5);
    EXPECT_EQ(bookmarks::positionIn(project, 0, "d\\doc", 5), 5); // at the end: valid
    EXPECT_FALSE(bookmarks::positionIn(project, 0, "d\\doc", 4));
    EXPECT_FALSE(bookmarks::positionIn(project, 0, "d\\other", 10));
    EXPECT_EQ(project.textView.bookmarkPosition[0], 5);
    // Positions outside the text and paths the record cannot hold change nothing.
    EXPECT_FALSE(bookmarks::set(project, 1, "d\\doc", 11, "0123456789"));
    EXPECT_FALSE(bookmarks::set(project, 1, std::string(300, 'p'), 0, "0123456789"));
    EXPECT_FALSE(bookmarks::isSet(project, 1));
    bookmarks::clear(project, 0);
    EXPECT_FALSE(bookmarks::isSet(project, 0));
    EXPECT_TRUE(fixedText(project.textView.bookmarkSample[0]).empty());
}
