#include "app/RecentProjects.h"

#include "base/Codec.h"
#include "base/SettingsKeys.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace corvane {

namespace {

// On Linux "a.cvn" and "A.cvn" are two files, so letter case is kept; two spellings of one path
// ("./a.cvn", "x/../a.cvn", a relative path) still name the same project.
std::string normalisedPath(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), ec);
    return (ec ? std::filesystem::path(path) : full).lexically_normal().string();
}

} // namespace

bool RecentProjects::samePath(const std::string& a, const std::string& b)
{
    return normalisedPath(a) == normalisedPath(b);
}

std::vector<std::string> RecentProjects::entries() const
{
    std::vector<std::string> paths;
    for (int i = 1; i <= kCapacity; ++i) {
        const SjisString stored =
            settings_.readString(section::RecentFileList, recentFileName(i), "");
        if (!stored.empty())
            paths.push_back(codec::toUtf8(stored).text);
    }
    return paths;
}

std::string RecentProjects::entry(int index) const
{
    const std::vector<std::string> paths = entries();
    if (index < 0 || index >= static_cast<int>(paths.size()))
        return {};
    return paths[static_cast<std::size_t>(index)];
}

void RecentProjects::add(const std::string& path)
{
    if (path.empty() || !codec::fromUtf8(path).complete())
        return;
    std::vector<std::string> paths = entries();
    std::erase_if(paths, [&](const std::string& p) { return samePath(p, path); });
    paths.insert(paths.begin(), path);
    if (paths.size() > static_cast<std::size_t>(kCapacity))
        paths.resize(kCapacity);
    store(paths);
}

void RecentProjects::remove(int index)
{
    std::vector<std::string> paths = entries();
    if (index < 0 || index >= static_cast<int>(paths.size()))
        return;
    paths.erase(paths.begin() + index);
    store(paths);
}

void RecentProjects::removeRows(std::vector<int> indexes)
{
    std::vector<std::string> paths = entries();
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (int index : indexes) {
        if (index >= 0 && index < static_cast<int>(paths.size()))
            paths.erase(paths.begin() + index);
    }
    store(paths);
}

void RecentProjects::clear()
{
    store({});
}

void RecentProjects::store(const std::vector<std::string>& paths)
{
    // Every slot is written, so an entry that moved up never lingers further down as well.
    for (int i = 1; i <= kCapacity; ++i) {
        const std::size_t at = static_cast<std::size_t>(i - 1);
        const SjisString value = at < paths.size() ? codec::fromUtf8(paths[at]).text : SjisString();
        settings_.writeString(section::RecentFileList, recentFileName(i), value);
    }
}

} // namespace corvane
