// Shared helpers of the project file tests: a private temporary folder per test (also used as
// TMPDIR and HOME, so nothing touches the user's own files) and whole-file reads and writes.
#pragma once

#include "model/ProjectData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace corvane::test {

inline std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFileBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

/// Runs a shell command line; true when it exited with status 0.
inline bool runCommand(const std::string& line)
{
    return std::system(line.c_str()) == 0;
}

inline bool toolAvailable(const char* tool)
{
    return runCommand(std::string("command -v ") + tool + " >/dev/null 2>&1");
}

/// A fresh folder under the system's temporary folder, removed afterwards; TMPDIR and HOME point
/// into it while the test runs.
class TempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "cvtest.XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        saveEnv("TMPDIR", savedTmp);
        saveEnv("HOME", savedHome);
        std::filesystem::create_directories(root + "/tmp");
        std::filesystem::create_directories(root + "/home");
        ::setenv("TMPDIR", (root + "/tmp").c_str(), 1);
        ::setenv("HOME", (root + "/home").c_str(), 1);
    }
    void TearDown() override
    {
        restoreEnv("TMPDIR", savedTmp);
        restoreEnv("HOME", savedHome);
        std::error_code ec;
        std::filesystem::permissions(root, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(root, ec);
    }

    std::string root;

private:
    struct Saved
    {
        bool set = false;
        std::string value;
    };
    static void saveEnv(const char* name, Saved& s)
    {
        const char* v = std::getenv(name);
        s.set = v != nullptr;
        s.value = v != nullptr ? v : "";
    }
    static void restoreEnv(const char* name, const Saved& s)
    {
        if (s.set)
            ::setenv(name, s.value.c_str(), 1);
        else
            ::unsetenv(name);
    }
    Saved savedTmp, savedHome;
};

/// Appends an object record filled with recognisable values.
inline ObjectRecord& addObject(ProjectData& p, std::int32_t id, std::int16_t type,
                               const char* document = "", const char* secondText = "")
{
    ObjectRecord& r = p.objects[p.objectCount++];
    std::memset(&r, 0, sizeof r);
    r.id = id;
    r.type = type;
    std::strncpy(r.document, document, sizeof r.document - 1);
    std::strncpy(r.secondText, secondText, sizeof r.secondText - 1);
    return r;
}

inline void addLink(ProjectData& p, std::int32_t from, std::int32_t to)
{
    p.links[p.linkCount++] = LinkRecord{from, to};
}

} // namespace corvane::test
