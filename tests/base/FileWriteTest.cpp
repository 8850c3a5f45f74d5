#include "base/FileWrite.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::files {
namespace {

namespace fs = std::filesystem;

class FileWriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "cvwrite.XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    std::string bytesOf(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    mode_t modeOf(const std::string& path) const
    {
        struct stat st
        {
        };
        return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
    }
    /// Names in the folder, sorted.
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(folder))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    std::string folder;
};

TEST_F(FileWriteTest, WritesTheWholeFileWithExactlyTheGivenModeAndNothingBeside)
{
    const std::string path = folder + "/a.txt";
    const mode_t oldMask = ::umask(077); // the mode is applied as given, whatever the umask
    EXPECT_EQ(writeFileSafely(path, "first", 0444), WriteStatus::Ok);
    EXPECT_EQ(modeOf(path), 0444u);
    EXPECT_EQ(writeFileSafely(path, std::string(100000, 'x'), 0640), WriteStatus::Ok);
    ::umask(oldMask);
    EXPECT_EQ(bytesOf(path), std::string(100000, 'x'));
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(writeFileSafely(path, "", 0600), WriteStatus::Ok) << "an empty file is a file";
    EXPECT_EQ(bytesOf(path), "");
    EXPECT_EQ(names(), std::vector<std::string>{"a.txt"});
}

TEST_F(FileWriteTest, KeepNeverReplacesAnExistingFile)
{
    const std::string path = folder + "/doc.txt";
    EXPECT_EQ(writeFileSafely(path, "mine", 0444, Existing::Keep), WriteStatus::Ok);
    EXPECT_EQ(writeFileSafely(path, "theirs", 0644, Existing::Keep), WriteStatus::Exists);
    EXPECT_EQ(bytesOf(path), "mine");
    EXPECT_EQ(modeOf(path), 0444u);
    // Not even a dangling symlink is replaced or written through.
    ASSERT_EQ(::symlink("nowhere", (folder + "/link").c_str()), 0);
    EXPECT_EQ(writeFileSafely(folder + "/link", "x", 0644, Existing::Keep), WriteStatus::Exists);
    EXPECT_EQ(names(), (std::vector<std::string>{"doc.txt", "link"}));
}

TEST_F(FileWriteTest, EveryFailureKeepsTheTargetAndRemovesTheTemporary)
{
    const std::string path = folder + "/p.CVN";
    ASSERT_EQ(writeFileSafely(path, "old", 0644), WriteStatus::Ok);

    EXPECT_EQ(writeFileSafely(folder + "/missing/p.CVN", "x", 0644), WriteStatus::TempFailed);

    fs::create_directories(folder + "/dir/inside"); // a non-empty folder cannot be replaced
    EXPECT_EQ(writeFileSafely(folder + "/dir", "x", 0644), WriteStatus::RenameFailed);

    // A full disk, as a file size limit below the new contents.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const WriteStatus full = writeFileSafely(path, std::string(5000, 'n'), 0644);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(full, WriteStatus::WriteFailed);

    EXPECT_EQ(bytesOf(path), "old");
    EXPECT_EQ(names(), (std::vector<std::string>{"dir", "p.CVN"}));
}

TEST_F(FileWriteTest, LeftoversOfDeadWritersGoWithTheNextWriteOfTheSameFile)
{
    const std::string path = folder + "/Case1.CVN";
    const std::string prefix = folder + "/" + temporaryPrefix("Case1.CVN");
    std::ofstream(prefix + "dead01") << "half";
    std::ofstream(prefix + "live01") << "being written";
    std::ofstream(folder + "/" + temporaryPrefix("Other.CVN") + "dead02") << "another file's";
    std::ofstream(prefix + "dead01.keep") << "not a name we give";
    // A writer that still runs holds the lock on its temporary.
    const int live = ::open((prefix + "live01").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(live, 0);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    ASSERT_EQ(writeFileSafely(path, "new", 0644), WriteStatus::Ok);
    EXPECT_FALSE(fs::exists(prefix + "dead01"));
    EXPECT_TRUE(fs::exists(prefix + "live01"));
    EXPECT_TRUE(fs::exists(folder + "/" + temporaryPrefix("Other.CVN") + "dead02"));
    EXPECT_TRUE(fs::exists(prefix + "dead01.keep"));
    ::close(live);
    EXPECT_EQ(removeLeftoverTemporaries(path), 1) << "the writer is gone, its lock with it";
}

TEST_F(FileWriteTest, TemporariesOfTheLongestNamesFitAndAreRecognised)
{
    const std::string longest(255, 'n');
    EXPECT_LE(temporaryPrefix(longest).size() + 6, 255u);
    EXPECT_EQ(writeFileSafely(folder + "/" + longest, "x", 0644), WriteStatus::Ok);
    EXPECT_TRUE(isTemporaryName(temporaryPrefix("a.txt") + "Ab3dE9"));
    EXPECT_TRUE(isTemporaryName(temporaryPrefix(longest) + "000000"));
    for (const char* name : {"a.txt", ".a.txt.cvtmp.", ".a.txt.cvtmp.abc", ".a.txt.cvtmp.ab-cde",
                             "a.txt.cvtmp.abcdef", ".a.txt.cvtmp.abcdef.bak"})
        EXPECT_FALSE(isTemporaryName(name)) << name;
}

} // namespace
} // namespace corvane::files
