// Feeds arbitrary bytes to the subject list's state file reader (.soc) over a fixed set of
// groups: the restore stops at the first line pair that does not match, so every group from the
// returned count on stays expanded; and the state written for any groups restores exactly.
#include "subjects/SubjectStateFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::vector<corvane::SubjectGroup> freshGroups()
{
    // Titles of the kinds a project holds: ASCII, Shift-JIS with a 0x5C trail byte, empty.
    std::vector<corvane::SubjectGroup> groups(5);
    groups[0].mainTitle = "A";
    groups[1].mainTitle = "\x95\x5c\x8e\xa6";
    groups[2].mainTitle = "";
    groups[3].mainTitle = "A";
    groups[4].mainTitle = "claim 1";
    return groups;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<corvane::SubjectGroup> groups = freshGroups();
    const int matched = corvane::applySubjectState(groups, bytes);
    if (matched < 0 || std::size_t(matched) > groups.size())
        std::abort();
    for (std::size_t i = std::size_t(matched); i < groups.size(); ++i)
        if (!groups[i].expanded)
            std::abort();

    // What the program writes for the state it restored reads back to the same state.
    std::vector<corvane::SubjectGroup> restored = freshGroups();
    if (corvane::applySubjectState(restored, corvane::formatSubjectState(groups)) !=
        int(groups.size()))
        std::abort();
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (restored[i].expanded != groups[i].expanded)
            std::abort();
    return 0;
}
