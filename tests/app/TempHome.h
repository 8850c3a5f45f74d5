// A private temporary folder that stands in for HOME and TMPDIR while a test runs, so lifecycle
// tests never touch the user's files or work folder. Removed with everything in it afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

namespace corvane::test {

class TempHome
{
public:
    TempHome()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "cv-lifecycle-XXXXXX").string();
        root_ = mkdtemp(pattern.data()) ? pattern : std::string();
        save("HOME", savedHome_);
        save("TMPDIR", savedTmp_);
        std::filesystem::create_directories(root_ + "/tmp");
        setenv("HOME", root_.c_str(), 1);
        setenv("TMPDIR", (root_ + "/tmp").c_str(), 1);
    }
    ~TempHome()
    {
        restore("HOME", savedHome_);
        restore("TMPDIR", savedTmp_);
        std::error_code ec;
        if (!root_.empty())
            std::filesystem::remove_all(root_, ec);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    /// The folder, without a trailing "/".
    const std::string& root() const { return root_; }

private:
    static void save(const char* name, std::optional<std::string>& slot)
    {
        if (const char* v = std::getenv(name))
            slot = v;
    }
    static void restore(const char* name, const std::optional<std::string>& slot)
    {
        if (slot)
            setenv(name, slot->c_str(), 1);
        else
            unsetenv(name);
    }

    std::string root_;
    std::optional<std::string> savedHome_;
    std::optional<std::string> savedTmp_;
};

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace corvane::test
