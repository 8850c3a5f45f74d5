// cvntool import, run as a user's script would run it.
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace {

struct ToolRun
{
    std::string out;
    int status = -1;
};

ToolRun cvntool(const std::string& args)
{
    ToolRun r;
    FILE* pipe = ::popen((std::string(CVNTOOL_PATH) + " " + args + " 2>&1").c_str(), "r");
    if (!pipe)
        return r;
    char buf[512];
    while (std::fgets(buf, sizeof buf, pipe))
        r.out += buf;
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

} // namespace

TEST(ImportCommand, ImportsIntoANewSubFolderAndReportsEachFile)
{
    corvane::test::TempDir dir("cli_import");
    ASSERT_EQ(cvntool("new " + dir.path() + " proj").status, 0);
    const std::string project = dir / "proj/proj.CVN";
    const std::string a = dir.write("in/a.txt", "one\ttwo\n");
    const std::string bin = dir.write("in/bin", std::string("x\0y", 3));

    const ToolRun r = cvntool("import " + project + " A/B " + a + " " + bin);
    EXPECT_EQ(r.status, 1); // one file was skipped
    EXPECT_NE(r.out.find(a + " -> A/B/a\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(bin + ": \xe3\x83\x86\xe3\x82\xad\xe3\x82\xb9\xe3\x83\x88"), // テキスト...
              std::string::npos)
        << r.out;
    EXPECT_EQ(corvane::test::TempDir::read(dir / "proj/doc/A/B/a"), "one    two");

    // A second run adds nothing and says why.
    const ToolRun again = cvntool("import " + project + " A/B " + a);
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(corvane::test::TempDir::read(dir / "proj/doc/A/B/a"), "one    two");
}

TEST(ImportCommand, RefusesTheDocFolderItselfAndPathsLeavingIt)
{
    corvane::test::TempDir dir("cli_import_refuse");
    ASSERT_EQ(cvntool("new " + dir.path() + " proj").status, 0);
    const std::string project = dir / "proj/proj.CVN";
    const std::string a = dir.write("in/a.txt", "x");
    EXPECT_EQ(cvntool("import " + project + " / " + a).status, 1);
    EXPECT_EQ(cvntool("import " + project + " ../out " + a).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "proj/out"));
    EXPECT_FALSE(std::filesystem::exists(dir / "proj/doc/a"));
    EXPECT_EQ(cvntool("import " + project + " A").status, 2); // no files: usage
}
