#include "model/CProjectIO.h"

#include "ProjectFileSupport.h"
#include "base/SettingsKeys.h"
#include "model/Cabinet.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

class CProjectIOTest : public TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        folder = root + "/proj/";
        fs::create_directories(folder);
        path = folder + "Case1.CVN";
    }

    std::string workPath() const { return root + "/tmp/Corvane-" + std::to_string(::getuid()); }
    /// This process's own folder inside the work folder.
    std::string runPath() const { return workPath() + "/run-" + std::to_string(::getpid()); }
    /// Saving and loading pack and expand in memory: no file anywhere in the work folder, ever.
    bool workFolderUnused() const
    {
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(workPath(), ec))
            if (!e.is_directory())
                return false;
        return true;
    }

    /// Saves a project with n sub-subjects whose first one has the given title.
    bool saveWith(int n, const char* title = "t")
    {
        auto p = std::make_unique<ProjectData>();
        for (int i = 0; i < n; ++i)
            addObject(*p, i + 1, ObjectType::SubSubject, "", i == 0 ? title : "");
        p->modified = true;
        const bool ok = io.saveProject(path, *p);
        EXPECT_EQ(p->modified, !ok);
        return ok;
    }

    FakeServices fake;
    CProjectIO io{fake.services};
    std::string folder, path;
    std::unique_ptr<ProjectData> data = std::make_unique<ProjectData>();
};

TEST_F(CProjectIOTest, SaveThenLoadRoundTripsAndLeavesNothingInTheWorkFolder)
{
    ObjectRecord& m = addObject(*data, 4, ObjectType::Marker, "A\\d",
                                "\x82\xa0"
                                "b");
    m.position = 12;
    addObject(*data, 5, ObjectType::SubSubject, "", "s");
    addLink(*data, 4, 5);
    data->textView.caretWidth = 2;
    data->modified = true;
    ASSERT_TRUE(io.saveProject(path, *data));
    EXPECT_FALSE(data->modified);
    EXPECT_EQ(read(fake.settings, keys::FilePath), path);
    EXPECT_FALSE(fs::exists(backupPathFor(path))) << "no previous file, so no backup";

    auto loaded = std::make_unique<ProjectData>();
    ASSERT_TRUE(io.loadProjectFile(path, *loaded));
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(encodeDataFile(*loaded), encodeDataFile(*data));

    EXPECT_TRUE(workFolderUnused());
    // Only the project file is left in the project folder: no temporary cabinet.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(CProjectIOTest, ExtensionIsCheckedCaseInsensitivelyBeforeReading)
{
    ASSERT_TRUE(saveWith(1));
    const std::string lower = folder + "lower.cvn";
    fs::copy_file(path, lower);
    EXPECT_TRUE(io.loadProjectFile(lower, *data));
    EXPECT_EQ(data->objectCount, 1);

    // A path that does not even exist is refused for its extension, so nothing was read.
    EXPECT_FALSE(io.loadProjectFile(folder + "missing.txt", *data));
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30070});
    EXPECT_EQ(fake.messages.shown[0].textUtf8.rfind(folder + "missing.txt\n", 0), 0u);

    fake.messages.shown.clear();
    EXPECT_FALSE(io.loadProjectFile(folder + "missing.CVN", *data));
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30077});
    fake.messages.shown.clear();
    fs::create_directory(folder + "dir.CVN");
    EXPECT_FALSE(io.loadProjectFile(folder + "dir.CVN", *data));
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30066});
}

TEST_F(CProjectIOTest, SavingTwiceKeepsOneBackupOfTheStateBeforeTheSecondSave)
{
    fake.settings.writeInt("KanSet", "MakeBackup", 1);
    ASSERT_TRUE(saveWith(1, "first"));
    const std::string firstBytes = readFileBytes(path);
    ASSERT_TRUE(saveWith(2, "second"));
    const std::string backup = folder + "Case1(back).CVN";
    ASSERT_EQ(backupPathFor(path), backup);
    EXPECT_EQ(readFileBytes(backup), firstBytes);
    ASSERT_TRUE(io.loadProjectFile(backup, *data));
    EXPECT_EQ(data->objectCount, 1);
    EXPECT_STREQ(data->objects[0].secondText, "first");
    ASSERT_TRUE(io.loadProjectFile(path, *data));
    EXPECT_EQ(data->objectCount, 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST_F(CProjectIOTest, NoBackupWhenSwitchedOff)
{
    fake.settings.writeInt("KanSet", "MakeBackup", 0);
    ASSERT_TRUE(saveWith(1));
    ASSERT_TRUE(saveWith(2));
    EXPECT_FALSE(fs::exists(folder + "Case1(back).CVN"));
}

TEST_F(CProjectIOTest, FailedBackupKeepsTheOldProjectFile)
{
    ASSERT_TRUE(saveWith(1));
    const std::string before = readFileBytes(path);
    fs::create_directory(folder + "Case1(back).CVN"); // the backup cannot be written
    EXPECT_FALSE(saveWith(3));
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30112});
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(CProjectIOTest, FailedPackingLeavesTheOldProjectFileByteIdentical)
{
    ASSERT_TRUE(saveWith(1));
    const std::string before = readFileBytes(path);

    // Incompressible records make the cabinet larger than the data file; a file size limit just
    // above the data file (a full disk) lets the backup be written and the cabinet fail part-way.
    auto p = std::make_unique<ProjectData>();
    std::mt19937 rng(7);
    const auto scramble = [&rng](auto& record) {
        auto* raw = reinterpret_cast<unsigned char*>(&record);
        for (std::size_t k = 0; k < sizeof record; ++k)
            raw[k] = static_cast<unsigned char>(rng());
    };
    scramble(p->textView);
    scramble(p->chartView);
    for (int i = 0; i < 20; ++i)
        scramble(p->objects[p->objectCount++]);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = dataFileBytes(20, 0) + 16;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = io.saveProject(path, *p);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    ASSERT_EQ(fake.messages.numbers(), std::vector<int>{30035});
    EXPECT_EQ(fake.messages.shown[0].style.icon, MessageIcon::Information);
    EXPECT_EQ(readFileBytes(path), before);
    // The backup is made before the new file is written; it holds the file that stays.
    EXPECT_EQ(readFileBytes(backupPathFor(path)), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
        << "the project file and its backup: no temporary cabinet";
    EXPECT_TRUE(workFolderUnused());
}

TEST_F(CProjectIOTest, SaveIntoAMissingFolderFailsWithoutCreatingAnything)
{
    auto p = std::make_unique<ProjectData>();
    EXPECT_FALSE(io.saveProject(root + "/nowhere/x.CVN", *p));
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30035});
    EXPECT_FALSE(fs::exists(root + "/nowhere"));
    EXPECT_FALSE(io.saveProject("x.CVN", *p)) << "a path without a folder fails silently";
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}

TEST_F(CProjectIOTest, FailedLoadsLeaveTheOpenProjectUnchanged)
{
    ASSERT_TRUE(saveWith(3));
    addObject(*data, 99, ObjectType::Marker, "open", "open");
    addLink(*data, 99, 99);
    const std::string openBefore = encodeDataFile(*data);

    // A truncated project file (the cabinet cut short), then a valid cabinet holding a truncated
    // data file, then one holding a data file of another version.
    const std::string cab = readFileBytes(path);
    writeFileBytes(folder + "cut.CVN", cab.substr(0, cab.size() - 10));
    std::string member;
    Cabinet cabinet(fake.messages);
    std::string full;
    CabinetMember info;
    ASSERT_EQ(extractCabinetBytes(cab, full, info), CabinetError::None);
    std::string packedCab;
    ASSERT_TRUE(
        packCabinetBytes(full.substr(0, full.size() - 100), "short.CVN", 0x21, 0, 0x20, packedCab));
    writeFileBytes(folder + "short.CVN", packedCab);
    std::string v2 = full;
    v2[5] = '2';
    ASSERT_TRUE(packCabinetBytes(v2, "v2.CVN", 0x21, 0, 0x20, packedCab));
    writeFileBytes(folder + "v2.CVN", packedCab);

    for (const auto& [file, message] : std::vector<std::pair<std::string, int>>{
             {"cut.CVN", 30036}, {"short.CVN", 30027}, {"v2.CVN", 30020}}) {
        fake.messages.shown.clear();
        EXPECT_FALSE(io.loadProjectFile(folder + file, *data)) << file;
        EXPECT_EQ(fake.messages.numbers(), std::vector<int>{message}) << file;
        EXPECT_EQ(encodeDataFile(*data), openBefore) << file;
    }
    EXPECT_TRUE(workFolderUnused());
}

TEST_F(CProjectIOTest, HostileMemberNameIsRefusedAndNothingIsWrittenOutsideTheWorkFolder)
{
    std::string cab;
    ASSERT_TRUE(packCabinetBytes(encodeDataFile(*data), "XXXXXXXXXXXXXXX", 0x21, 0, 0x20, cab));
    const std::size_t nameAt = std::uint8_t(cab[16]) + 16;
    const std::string target = root + "/escaped";
    cab.replace(nameAt, 15, std::string("../../escaped\0\0", 15));
    writeFileBytes(folder + "evil.CVN", cab);
    EXPECT_FALSE(io.loadProjectFile(folder + "evil.CVN", *data));
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30036});
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(workFolderUnused());
}

TEST_F(CProjectIOTest, WorkFolderIsRefusedWhenItIsNotOursOrNotAFolder)
{
    fs::create_directories(root + "/tmp");
    // A symlink planted at the work folder's name.
    fs::create_directory(root + "/elsewhere");
    fs::create_directory_symlink(root + "/elsewhere", workPath());
    EXPECT_EQ(io.workFolder(), "");
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30021});
    EXPECT_TRUE(saveWith(1)) << "saving puts nothing in the work folder, so it does not need it";
    EXPECT_TRUE(fs::is_empty(root + "/elsewhere"));
    fs::remove(workPath());

    // A plain file at that name.
    writeFileBytes(workPath(), "x");
    fake.messages.shown.clear();
    EXPECT_EQ(io.workFolder(), "");
    EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30021});
    fs::remove(workPath());

    // A folder owned by someone else.
    fs::create_directory(workPath());
    if (::getuid() == 0) {
        ASSERT_EQ(::chown(workPath().c_str(), 4242, 4242), 0);
        fake.messages.shown.clear();
        EXPECT_EQ(io.workFolder(), "");
        EXPECT_EQ(fake.messages.numbers(), std::vector<int>{30021});
        ASSERT_EQ(::chown(workPath().c_str(), 0, 0), 0);
    }
    // Our own folder left open to others is taken back to 0700.
    ::chmod(workPath().c_str(), 0777);
    EXPECT_EQ(io.workFolder(), runPath());
    struct stat st
    {
    };
    ::stat(workPath().c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(ProjectPaths, BackupNameAndExtension)
{
    EXPECT_EQ(backupPathFor("/w/Case1.CVN"), "/w/Case1(back).CVN");
    EXPECT_EQ(backupPathFor("/w/a.b/Case1.cvn"), "/w/a.b/Case1(back).CVN");
    EXPECT_EQ(backupPathFor("/w.x/noext"), "");
    EXPECT_TRUE(hasProjectExtension("/w/a.cVn"));
    EXPECT_FALSE(hasProjectExtension("/w/a.cv"));
    EXPECT_FALSE(hasProjectExtension("/w/a.CVN.txt"));
}

} // namespace
} // namespace corvane::test
