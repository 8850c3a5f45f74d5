#include "doclist/ViewStateFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvane::doclist;

namespace {
const std::string kRoot = "\x95\xb6\x8c\xa3\x83\x8a\x83\x58\x83\x67"; // 文献リスト
}

TEST(ViewStateFile, FormatIsCrLfLinesFirstVisibleFirst)
{
    ViewState s;
    s.firstVisible = kRoot + "|A";
    s.expanded = {kRoot, kRoot + "|A", kRoot + "|A|\x95\x5c"};
    const std::string bytes = formatViewState(s);
    EXPECT_EQ(bytes,
              kRoot + "|A\r\n" + kRoot + "\r\n" + kRoot + "|A\r\n" + kRoot + "|A|\x95\x5c\r\n");
    const ViewState back = parseViewState(bytes);
    EXPECT_EQ(back.firstVisible, s.firstVisible);
    EXPECT_EQ(back.expanded, s.expanded);
}

TEST(ViewStateFile, ToleratesLfAndBlankLines)
{
    const ViewState s = parseViewState("top\n\nx\r\ny");
    EXPECT_EQ(s.firstVisible, "top");
    EXPECT_EQ(s.expanded, (std::vector<std::string>{"x", "y"}));
    EXPECT_TRUE(parseViewState("").firstVisible.empty());
}

TEST(ViewStateFile, WriteThenReadAndMissingFile)
{
    const auto dir = std::filesystem::temp_directory_path() / "cv_toc_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "p.toc").string();
    EXPECT_FALSE(readViewStateFile(path).has_value());
    ViewState s{kRoot, {kRoot}};
    ASSERT_TRUE(writeViewStateFile(path, s));
    const auto back = readViewStateFile(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->expanded, s.expanded);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
}
