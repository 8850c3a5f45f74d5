#include "chart/LayoutHistory.h"

#include <cstring>
#include <new>
#include <unordered_map>

namespace corvane::chart {

namespace {

std::unordered_map<ObjectId, int> indexById(const ProjectData& project)
{
    std::unordered_map<ObjectId, int> index;
    index.reserve(static_cast<std::size_t>(project.objectCount));
    for (int i = project.objectCount - 1; i >= 0; --i)
        index[project.objects[i].id] = i; // the first record with an ID wins, as everywhere
    return index;
}

} // namespace

bool LayoutHistory::capture(const ProjectData& project, const std::vector<ObjectId>& ids,
                            bool withMarkerColours, Step& step)
{
    try {
        const auto index = indexById(project);
        step.withMarkerColours = withMarkerColours;
        step.nodes.reserve(ids.size());
        for (ObjectId id : ids) {
            const auto it = index.find(id);
            if (it == index.end())
                continue;
            const ObjectRecord& r = project.objects[it->second];
            NodeState& n = step.nodes.emplace_back();
            n.id = id;
            std::memcpy(n.rect, r.nodeRect, sizeof n.rect);
            std::memcpy(n.style.data(),
                        reinterpret_cast<const unsigned char*>(&r) + kNodeStyleOffset,
                        kNodeStyleBytes);
            n.markerColour = r.markerColour;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void LayoutHistory::restore(ProjectData& project, const Step& step,
                            std::vector<int>* changedColours)
{
    const auto index = indexById(project);
    for (const NodeState& n : step.nodes) {
        const auto it = index.find(n.id);
        if (it == index.end())
            continue; // deleted since: nothing to bring back
        ObjectRecord& r = project.objects[it->second];
        std::memcpy(r.nodeRect, n.rect, sizeof n.rect);
        std::memcpy(reinterpret_cast<unsigned char*>(&r) + kNodeStyleOffset, n.style.data(),
                    kNodeStyleBytes);
        if (step.withMarkerColours && r.type == ObjectType::Marker &&
            r.markerColour != n.markerColour) {
            r.markerColour = n.markerColour;
            if (changedColours)
                changedColours->push_back(it->second);
        }
    }
}

std::vector<ObjectId> LayoutHistory::idsOf(const Step& step)
{
    std::vector<ObjectId> ids;
    ids.reserve(step.nodes.size());
    for (const NodeState& n : step.nodes)
        ids.push_back(n.id);
    return ids;
}

bool LayoutHistory::push(const ProjectData& project, const std::vector<ObjectId>& ids,
                         bool withMarkerColours)
{
    Step step;
    if (!capture(project, ids, withMarkerColours, step))
        return false;
    try {
        undo_.push_back(std::move(step));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (undo_.size() >= kMaxSteps)
        undo_.pop_front();
    redo_.clear();
    return true;
}

bool LayoutHistory::move(ProjectData& project, std::deque<Step>& from, std::deque<Step>& to,
                         std::vector<int>* changedColours)
{
    if (from.empty())
        return false;
    Step present;
    if (!capture(project, idsOf(from.back()), from.back().withMarkerColours, present))
        return false;
    try {
        to.push_back(std::move(present));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (to.size() >= kMaxSteps)
        to.pop_front();
    restore(project, from.back(), changedColours);
    from.pop_back();
    return true;
}

bool LayoutHistory::undo(ProjectData& project, std::vector<int>* changedMarkerColours)
{
    return move(project, undo_, redo_, changedMarkerColours);
}

bool LayoutHistory::redo(ProjectData& project, std::vector<int>* changedMarkerColours)
{
    return move(project, redo_, undo_, changedMarkerColours);
}

void LayoutHistory::reset()
{
    undo_.clear();
    redo_.clear();
}

std::size_t LayoutHistory::bytesHeld() const
{
    std::size_t bytes = 0;
    for (const auto* stack : {&undo_, &redo_})
        for (const Step& s : *stack)
            bytes += sizeof(Step) + s.nodes.capacity() * sizeof(NodeState);
    return bytes;
}

} // namespace corvane::chart
