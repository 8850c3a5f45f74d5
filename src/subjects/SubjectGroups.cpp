#include "subjects/SubjectGroups.h"

#include "model/FixedText.h"

#include <charconv>
#include <unordered_map>
#include <unordered_set>

namespace corvane {

SjisString SubjectRow::nameCell() const
{
    SjisString cell = linked ? "*" : "";
    cell += std::to_string(id);
    return cell;
}

std::vector<SubjectGroup> buildSubjectGroups(const ProjectData& project)
{
    std::vector<SubjectGroup> groups;
    if (!project.isOpen())
        return groups;

    std::unordered_set<ObjectId> linked;
    linked.reserve(static_cast<std::size_t>(project.linkCount) * 2);
    for (int i = 0; i < project.linkCount; ++i) {
        linked.insert(project.links[i].from);
        linked.insert(project.links[i].to);
    }

    // Appending each sub-subject to the group of its main title gives exactly "take the first
    // untaken triple and every later one with the same title": groups in order of first
    // appearance, members in table order.
    std::unordered_map<SjisView, std::size_t> groupOfTitle;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type != ObjectType::SubSubject)
            continue;
        const SjisView mainTitle = fixedText(r.firstText);
        auto [it, added] = groupOfTitle.try_emplace(mainTitle, groups.size());
        if (added)
            groups.push_back(SubjectGroup{SjisString(mainTitle), {}, true});
        groups[it->second].rows.push_back(
            SubjectRow{r.id, linked.count(r.id) != 0, SjisString(fixedText(r.secondText))});
    }
    return groups;
}

std::optional<ObjectId> objectIdOfNameCell(SjisView nameCell)
{
    if (!nameCell.empty() && nameCell.front() == '*')
        nameCell.remove_prefix(1);
    if (nameCell.empty() || nameCell.front() == '+')
        return std::nullopt;
    ObjectId id = 0;
    const char* end = nameCell.data() + nameCell.size();
    const auto [ptr, ec] = std::from_chars(nameCell.data(), end, id);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return id;
}

std::vector<SjisString> distinctMainTitles(const ProjectData& project)
{
    std::vector<SjisString> titles;
    std::unordered_set<SjisView> seen;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type != ObjectType::SubSubject)
            continue;
        const SjisView title = fixedText(r.firstText);
        if (seen.insert(title).second)
            titles.emplace_back(title);
    }
    return titles;
}

bool hasSubSubjects(const ProjectData& project)
{
    for (int i = 0; i < project.objectCount; ++i)
        if (project.objects[i].type == ObjectType::SubSubject)
            return true;
    return false;
}

} // namespace corvane
