// The ".soc" state file: collapsed groups kept, and the restore stopping at the first mismatch.
#include "subjects/SubjectStateFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace corvane {
namespace {

std::vector<SubjectGroup> groupsOf(std::initializer_list<const char*> titles)
{
    std::vector<SubjectGroup> groups;
    for (const char* t : titles)
        groups.push_back({t, {}, true});
    return groups;
}

std::vector<bool> expanded(const std::vector<SubjectGroup>& groups)
{
    std::vector<bool> out;
    for (const SubjectGroup& g : groups)
        out.push_back(g.expanded);
    return out;
}

TEST(SubjectStateFile, FormatsTwoCrLfLinesPerGroup)
{
    auto groups = groupsOf({"A", "\x82\xa0"
                                 "b"});
    groups[1].expanded = false;
    EXPECT_EQ(formatSubjectState(groups), "A\r\n1\r\n\x82\xa0"
                                          "b\r\n0\r\n");
}

TEST(SubjectStateFile, RestoresOnlyLeadingGroupsWhoseTitlesStillMatch)
{
    // The file knew A (collapsed), B (collapsed), C (collapsed); B was retitled since.
    auto groups = groupsOf({"A", "B2", "C"});
    EXPECT_EQ(applySubjectState(groups, "A\r\n0\r\nB\r\n0\r\nC\r\n0\r\n"), 1);
    EXPECT_THAT(expanded(groups), ::testing::ElementsAre(false, true, true));
}

TEST(SubjectStateFile, AnUnknownStateLineOrATruncatedFileStopsTheRestore)
{
    auto groups = groupsOf({"A", "B", "C"});
    EXPECT_EQ(applySubjectState(groups, "A\n0\nB\nyes\nC\n0\n"), 1);
    EXPECT_THAT(expanded(groups), ::testing::ElementsAre(false, true, true));

    groups = groupsOf({"A", "B"});
    EXPECT_EQ(applySubjectState(groups, "A\n0\nB"), 1);
    EXPECT_THAT(expanded(groups), ::testing::ElementsAre(false, true));
}

TEST(SubjectStateFile, ExtraGroupsInTheFileAndNewGroupsInTheListAreHarmless)
{
    auto groups = groupsOf({"A"});
    EXPECT_EQ(applySubjectState(groups, "A\n0\nB\n0\n"), 1);
    EXPECT_FALSE(groups[0].expanded);
    groups = groupsOf({"A", "New"});
    EXPECT_EQ(applySubjectState(groups, "A\n0\n"), 1);
    EXPECT_THAT(expanded(groups), ::testing::ElementsAre(false, true));
}

TEST(SubjectStateFile, WriteThenRestoreRoundTripsAndAMissingFileLeavesAllExpanded)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / "corvane-soc-test.soc").string();
    auto groups = groupsOf({"A", "B", "C"});
    groups[0].expanded = false;
    groups[2].expanded = false;
    ASSERT_TRUE(writeSubjectState(groups, path));
    auto fresh = groupsOf({"A", "B", "C"});
    restoreSubjectState(fresh, path);
    EXPECT_THAT(expanded(fresh), ::testing::ElementsAre(false, true, false));
    std::remove(path.c_str());

    auto untouched = groupsOf({"A"});
    restoreSubjectState(untouched, path);
    EXPECT_TRUE(untouched[0].expanded);
    EXPECT_FALSE(writeSubjectState(groups, "/nonexistent-dir/x.soc"));
}

} // namespace
} // namespace corvane
