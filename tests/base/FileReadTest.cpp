#include "base/FileRead.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvane;
using files::ReadStatus;

namespace {

class FileReadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/cv-fileread-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string dir_;
};

TEST_F(FileReadTest, ReadsBinaryBytesWholeAndReportsTheStatus)
{
    const std::string bytes("a\0\x82\xa0\r\n", 6);
    const std::string path = write("doc", bytes);
    std::string out;
    struct stat st
    {
    };
    ASSERT_EQ(files::readWholeFile(path, out, 6, &st), ReadStatus::Ok);
    EXPECT_EQ(out, bytes);
    EXPECT_EQ(st.st_size, 6);
}

TEST_F(FileReadTest, RefusalsLeaveTheOutputUntouched)
{
    std::string out = "kept";
    EXPECT_EQ(files::readWholeFile(dir_ + "/missing", out, 100), ReadStatus::Missing);
    EXPECT_EQ(files::readWholeFile(dir_, out, 100), ReadStatus::NotRegular);
    // The limit is applied before anything is read: one byte over is refused.
    const std::string path = write("big", std::string(101, 'x'));
    EXPECT_EQ(files::readWholeFile(path, out, 100), ReadStatus::TooLarge);
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(files::readWholeFile(path, out, 101), ReadStatus::Ok);
    EXPECT_EQ(out.size(), 101u);
}

} // namespace
