// The recent projects list: at most 10 project file paths, newest first, kept in the settings
// section "Recent File List" as File1..File10 (Shift-JIS). Paths compare exactly once made
// absolute with "." and ".." resolved, so one project never appears twice under two spellings
// while two files whose names differ only in letter case stay two entries.
#pragma once

#include "base/Settings.h"

#include <string>
#include <vector>

namespace corvane {

class RecentProjects
{
public:
    static constexpr int kCapacity = 10;

    explicit RecentProjects(SettingsStore& settings) : settings_(settings) {}

    /// UTF-8 disk paths, newest first. Empty stored values are skipped, so index i here is row i
    /// of the recent projects dialog and menu entry 57616 + i.
    std::vector<std::string> entries() const;
    /// Entry i, or "" when there is none.
    std::string entry(int index) const;

    /// Puts path first and drops an older entry naming the same file (samePath); the eleventh
    /// falls off.
    /// A path that Shift-JIS cannot hold is not added (it could never be found again).
    void add(const std::string& path);
    void remove(int index);
    /// Removes the given rows, from the last to the first, so earlier indexes stay valid.
    void removeRows(std::vector<int> indexes);
    void clear();

    /// True when a and b name the same project file: equal once made absolute with "." and ".."
    /// resolved; letter case counts.
    static bool samePath(const std::string& a, const std::string& b);

private:
    void store(const std::vector<std::string>& paths);

    SettingsStore& settings_;
};

} // namespace corvane
