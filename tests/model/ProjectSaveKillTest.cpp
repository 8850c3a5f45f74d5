// A process that saves a full project over and over is killed at random moments; whatever moment
// the kill hits, the project file (and its backup) must open whole, and the next save must leave
// no temporary file behind.
#include "model/CProjectIO.h"

#include "ProjectFileSupport.h"
#include "base/FileWrite.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <malloc.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 100;

/// A project at the object limit: markers with their text spans and sub-subjects, linked in pairs.
std::unique_ptr<ProjectData> fullProject()
{
    auto p = std::make_unique<ProjectData>();
    for (int i = 0; i < kMaxObjects; ++i) {
        const bool marker = i % 2 == 0;
        const std::string title = "title " + std::to_string(i);
        ObjectRecord& r = addObject(*p, i + 1, marker ? ObjectType::Marker : ObjectType::SubSubject,
                                    marker ? "doc\\a.txt" : "", title.c_str());
        r.position = i * 7;
        r.length = 5;
        if (!marker && p->linkCount < kMaxLinks)
            addLink(*p, i, i + 1);
    }
    return p;
}

std::vector<std::string> temporariesIn(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(folder))
        if (files::isTemporaryName(e.path().filename().string()))
            found.push_back(e.path().filename().string());
    return found;
}

class ProjectSaveKillTest : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        // Every round allocates and frees a few megabytes (tables, data file, cabinet); kept in
        // the heap instead of being mapped afresh each time, they cost no page faults.
        ::mallopt(M_MMAP_THRESHOLD, 64 << 20);
        ::mallopt(M_TRIM_THRESHOLD, 256 << 20);
    }

    /// True when path opens as a project of the full size.
    bool opensWhole(const std::string& file)
    {
        auto loaded = std::make_unique<ProjectData>();
        return io.loadProjectFile(file, *loaded) && loaded->objectCount == kMaxObjects &&
               loaded->linkCount == project->linkCount;
    }

    FakeServices fake;
    CProjectIO io{fake.services};
    std::unique_ptr<ProjectData> project = fullProject();
};

TEST_F(ProjectSaveKillTest, AKilledSaveLeavesAProjectThatOpensAndNoTemporaryAfterTheNextSave)
{
    const std::string folder = root + "/proj";
    fs::create_directories(folder);
    const std::string path = folder + "/Case1.CVN";
    const std::string backup = backupPathFor(path);
    fake.settings.writeInt("KanSet", "MakeBackup", 1);

    // The quickest of three saves measures one, and they leave a backup to be rewritten from
    // then on.
    auto oneSave = std::chrono::microseconds::max();
    for (int i = 0; i < 3; ++i) {
        const Clock::time_point start = Clock::now();
        ASSERT_TRUE(io.saveProject(path, *project));
        oneSave = std::min(
            oneSave, std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start));
    }

    std::mt19937 rng(20261209);
    // The child's first save starts at once; a kill up to a quarter save beyond its end reaches
    // every step of it, the writing of the backup and of the project file included.
    std::uniform_int_distribution<long> delayMicros(0, oneSave.count() * 3);
    int killsLeavingATemporary = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves until killed, each one a little different.
            for (int n = 0;; ++n) {
                std::snprintf(project->objects[0].secondText, sizeof project->objects[0].secondText,
                              "save %d", n);
                io.saveProject(path, *project);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        ASSERT_TRUE(opensWhole(path)) << "kill " << kill;
        ASSERT_TRUE(opensWhole(backup)) << "kill " << kill;
        if (!temporariesIn(folder).empty())
            ++killsLeavingATemporary;

        ASSERT_TRUE(io.saveProject(path, *project)) << "kill " << kill;
        ASSERT_EQ(temporariesIn(folder), std::vector<std::string>{}) << "kill " << kill;
        // Nor in the work folder: the data file is packed and expanded in memory.
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(root + "/tmp", ec))
            ASSERT_TRUE(e.is_directory()) << e.path();
    }
    ASSERT_TRUE(fake.messages.shown.empty());
    RecordProperty("KillsLeavingATemporary", killsLeavingATemporary);
    std::printf("%d of %d kills left a temporary file (one save: %ld us)\n", killsLeavingATemporary,
                kKills, static_cast<long>(oneSave.count()));
}

} // namespace
} // namespace corvane::test
