#include "app/RecentProjects.h"

#include "base/MemorySettings.h"
#include "base/SettingsKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using Paths = std::vector<std::string>;

std::string stored(const MemorySettings& s, int index1)
{
    return s.readString(section::RecentFileList, recentFileName(index1), "");
}

TEST(RecentProjects, AddPutsNewestFirstAndDropsAnOlderSpellingOfTheSameFile)
{
    MemorySettings settings;
    RecentProjects recent(settings);
    recent.add("/w/a/a.CVN");
    recent.add("/w/b/b.CVN");
    recent.add("/w/x/../a/./a.CVN");

    EXPECT_EQ(recent.entries(), (Paths{"/w/x/../a/./a.CVN", "/w/b/b.CVN"}));
    // The slot the moved entry left is emptied, not left holding a stale copy.
    EXPECT_EQ(stored(settings, 3), "");
}

TEST(RecentProjects, PathsDifferingOnlyInLetterCaseAreTwoProjects)
{
    MemorySettings settings;
    RecentProjects recent(settings);
    recent.add("/w/a/a.cvn");
    recent.add("/W/A/A.cvn");
    EXPECT_EQ(recent.entries(), (Paths{"/W/A/A.cvn", "/w/a/a.cvn"}));
    EXPECT_FALSE(RecentProjects::samePath("/w/a.cvn", "/w/A.cvn"));
    EXPECT_TRUE(RecentProjects::samePath("/w/a.cvn", "/w/./b/../a.cvn"));
}

TEST(RecentProjects, KeepsTenEntriesAndTheOldestFallsOff)
{
    MemorySettings settings;
    RecentProjects recent(settings);
    for (int i = 0; i < 12; ++i)
        recent.add("/p" + std::to_string(i) + ".CVN");

    const Paths entries = recent.entries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), "/p11.CVN");
    EXPECT_EQ(entries.back(), "/p2.CVN");
    EXPECT_EQ(stored(settings, 10), "/p2.CVN");
}

TEST(RecentProjects, RemovesCheckedRowsFromTheBottomUpWhateverTheirOrder)
{
    for (const std::vector<int>& rows : {std::vector<int>{1, 3}, std::vector<int>{3, 1, 3}}) {
        MemorySettings settings;
        RecentProjects recent(settings);
        for (const char* p : {"/e.CVN", "/d.CVN", "/c.CVN", "/b.CVN", "/a.CVN"})
            recent.add(p);
        recent.removeRows(rows);
        EXPECT_EQ(recent.entries(), (Paths{"/a.CVN", "/c.CVN", "/e.CVN"}));
    }
}

TEST(RecentProjects, RemoveAndClearRewriteEverySlot)
{
    MemorySettings settings;
    RecentProjects recent(settings);
    recent.add("/b.CVN");
    recent.add("/a.CVN");
    recent.remove(0);
    EXPECT_EQ(stored(settings, 1), "/b.CVN");
    EXPECT_EQ(stored(settings, 2), "");
    recent.remove(5); // no such row: nothing happens
    EXPECT_EQ(recent.entries(), (Paths{"/b.CVN"}));
    recent.clear();
    EXPECT_TRUE(recent.entries().empty());
}

TEST(RecentProjects, StoresShiftJisAndSkipsEmptySlots)
{
    MemorySettings settings;
    RecentProjects recent(settings);
    // "/表/案.CVN": 表 is 0x95 0x5C in Shift-JIS, whose trail byte is a backslash.
    recent.add("/\xE8\xA1\xA8/\xE6\xA1\x88.CVN");
    EXPECT_EQ(stored(settings, 1), "/\x95\x5c/\x88\xc4.CVN");

    settings.writeString(section::RecentFileList, recentFileName(1), "");
    settings.writeString(section::RecentFileList, recentFileName(3), "/x.CVN");
    EXPECT_EQ(recent.entries(), (Paths{"/x.CVN"}));
    EXPECT_EQ(recent.entry(0), "/x.CVN");
    EXPECT_EQ(recent.entry(1), "");
}

TEST(RecentProjects, APathShiftJisCannotHoldIsNotAdded)
{
    MemorySettings settings;
    RecentProjects recent(settings);
    recent.add("/a.CVN");
    recent.add("/\xF0\x9F\x98\x80/b.CVN"); // an emoji folder: would come back as "〓"
    EXPECT_EQ(recent.entries(), (Paths{"/a.CVN"}));
}

} // namespace
} // namespace corvane
