// cvntool markers on the built sample project, run as a script would run it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun
{
    int status;
    std::string out;
};

ToolRun markers(const std::string& options)
{
    const std::string command = std::string(CVNTOOL_PATH) + " markers '" + CORVANE_SAMPLE_DIR +
                                "/Sample.CVN' " + options + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    const int raw = pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

/// The IDs after the tab of each line.
std::string ids(const std::string& out)
{
    std::string result;
    for (std::size_t at = 0; (at = out.find('\t', at)) != std::string::npos;)
        result += out.substr(at + 1, out.find('\n', at) - at - 1) + " ", ++at;
    return result;
}

TEST(MarkerCommand, ListsRowsOfTheTargetAndColourWithTheirIds)
{
    const ToolRun all = markers("");
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(ids(all.out), "1 2 3 4 5 6 7 8 9 ");
    EXPECT_EQ(all.out.substr(0, 5), "0001 ");
    EXPECT_NE(all.out.find("[8]\t9\n"), std::string::npos);
    EXPECT_EQ(ids(markers("--folder 先行技術 --colour 3").out), "4 5 ");
    EXPECT_EQ(ids(markers("--document 本願/特願2024-031857").out), "1 2 3 ");
    EXPECT_EQ(ids(markers("--rgb 0xEAD999 --folder 先行技術").out), "6 7 ");
}

TEST(MarkerCommand, NoRowsIsSilentSuccessAndBadOptionsAreUsage)
{
    EXPECT_EQ(markers("--rgb 0x123456").status, 0);
    EXPECT_EQ(markers("--rgb 0x123456").out, "");
    EXPECT_EQ(markers("--folder 本願\\\\x").out, ""); // no such top-level folder
    EXPECT_EQ(markers("--colour 7").status, 2);
    EXPECT_EQ(markers("--folder a --document b").status, 2);
    EXPECT_EQ(markers("--colour").status, 2);
}

} // namespace
