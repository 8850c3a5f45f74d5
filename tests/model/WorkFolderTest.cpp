#include "model/WorkFolder.h"

#include "ProjectFileSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

class WorkFolderTest : public TempFolderTest
{
protected:
    std::string user() const { return root + "/tmp/Corvane-" + std::to_string(::getuid()); }
};

TEST_F(WorkFolderTest, EachProcessWorksInAFolderOfItsOwnMarkedByItsLock)
{
    const std::string folder = workfolder::processFolder();
    EXPECT_EQ(folder, user() + "/run-" + std::to_string(::getpid()));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(workfolder::processFolder(), folder) << "claimed once, not again for every use";
    // The lock is held: another open of the lock file cannot take it.
    const int fd = ::open((folder + ".lock").c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
    // A sweep leaves a running process's folder alone.
    EXPECT_EQ(workfolder::removeOrphans(user()), 0);
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(WorkFolderTest, WorkingCopiesOfACrashedRunAreRemovedAtTheNextStart)
{
    // A child claims its folder, leaves a working copy there and dies without cleaning up.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string folder = workfolder::processFolder();
        const int fd = ::open((folder + "/docA1B2C3").c_str(), O_CREAT | O_WRONLY, 0600);
        ::_exit(folder.empty() || fd < 0 ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    const std::string crashed = user() + "/run-" + std::to_string(child);
    ASSERT_TRUE(fs::exists(crashed + "/docA1B2C3"));

    // A folder whose owner runs (its lock held here through another open) and files that are
    // not work folders stay.
    const std::string alive = user() + "/run-1";
    fs::create_directory(alive);
    writeFileBytes(alive + "/docZZZZZZ", "x");
    const int held = ::open((alive + ".lock").c_str(), O_CREAT | O_RDWR, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    writeFileBytes(user() + "/notes", "not ours to judge");

    const std::string mine = workfolder::processFolder();
    EXPECT_FALSE(fs::exists(crashed));
    EXPECT_FALSE(fs::exists(crashed + ".lock"));
    EXPECT_TRUE(fs::exists(alive + "/docZZZZZZ"));
    EXPECT_TRUE(fs::exists(user() + "/notes"));
    EXPECT_TRUE(fs::is_directory(mine));

    // A process that ends normally clears its own folder away and leaves its parent's alone.
    const pid_t tidy = ::fork();
    ASSERT_GE(tidy, 0);
    if (tidy == 0)
        std::exit(workfolder::processFolder().empty() ? 1 : 0);
    ASSERT_EQ(::waitpid(tidy, &status, 0), tidy);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(user() + "/run-" + std::to_string(tidy)));
    EXPECT_FALSE(fs::exists(user() + "/run-" + std::to_string(tidy) + ".lock"));
    EXPECT_TRUE(fs::is_directory(mine));

    // Once its owner is gone, the next sweep takes it too.
    ::close(held);
    EXPECT_EQ(workfolder::removeOrphans(user()), 1);
    EXPECT_FALSE(fs::exists(alive));
    EXPECT_TRUE(fs::is_directory(mine));
}

TEST_F(WorkFolderTest, ASymlinkAtALeftoverFolderNameIsRemovedNotFollowed)
{
    fs::create_directories(user());
    fs::create_directory(root + "/precious");
    writeFileBytes(root + "/precious/keep", "x");
    fs::create_directory_symlink(root + "/precious", user() + "/run-7");
    writeFileBytes(user() + "/run-7.lock", "");
    EXPECT_EQ(workfolder::removeOrphans(user()), 1);
    EXPECT_FALSE(fs::exists(fs::symlink_status(user() + "/run-7")));
    EXPECT_TRUE(fs::exists(root + "/precious/keep"));
}

} // namespace
} // namespace corvane::test
