// A fresh folder under the system temporary folder, removed with its contents at the end.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace corvane::test {

class TempDir
{
public:
    explicit TempDir(const std::string& tag)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("cv_" + tag + "_XXXXXX")).string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir()
    {
        std::error_code ec;
        // Documents are read-only; make everything writable so it can be removed.
        for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    /// Writes bytes to name (parent folders created) and returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::string full = *this / name;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }

    static std::string read(const std::string& full)
    {
        std::ifstream in(full, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

} // namespace corvane::test
