#include "model/MarkerShift.h"

#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"

#include <algorithm>
#include <set>

namespace corvane {

namespace {

bool isMarkerOf(const ObjectRecord& r, SjisView relativePath)
{
    return r.type == ObjectType::Marker && fixedText(r.document) == relativePath;
}

/// The new position of a byte offset at or after the edit point for a checked edit: past the
/// removed range it moves with the text; inside it, it goes to the edit point.
std::int64_t shiftedPosition(std::int64_t position, const TextEdit& edit)
{
    const std::int64_t end = std::int64_t(edit.at) + edit.removedBytes;
    if (position >= end)
        return position + edit.insertedBytes - edit.removedBytes;
    return std::max<std::int64_t>(edit.at, 0);
}

} // namespace

MarkerCheck checkMarkers(const ProjectData& project, SjisView relativePath, const TextEdit& edit)
{
    MarkerCheck check;
    // 64 bits: position + length of a damaged record may not fit 32.
    const std::int64_t a = edit.at;
    const std::int64_t b = std::int64_t(edit.at) + edit.removedBytes;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (!isMarkerOf(r, relativePath))
            continue;
        std::int64_t p = r.position;
        std::int64_t e = p + r.length;
        if (edit.removedBytes > 0) {
            if ((r.length > 1 && p <= a && a < e) || (p < b && b < e)) {
                check.refused = true;
                continue;
            }
            if (a <= p && e <= b) {
                check.covered.push_back(r.id);
                continue;
            }
            if (p >= b) {
                p -= edit.removedBytes;
                e -= edit.removedBytes;
            }
        }
        if (edit.insertedBytes > 0 && p < a && a < e)
            check.refused = true;
    }
    if (check.refused)
        check.covered.clear();
    return check;
}

bool shiftMarkers(ProjectData& project, SjisView relativePath, const TextEdit& edit)
{
    if (edit.removedBytes == edit.insertedBytes && edit.removedBytes == 0)
        return false;
    bool moved = false;
    for (int i = 0; i < project.objectCount; ++i) {
        ObjectRecord& r = project.objects[i];
        if (!isMarkerOf(r, relativePath) || r.position < edit.at)
            continue;
        const std::int64_t to = shiftedPosition(r.position, edit);
        if (to != r.position) {
            r.position = static_cast<ByteOffset>(std::max<std::int64_t>(to, 0));
            moved = true;
        }
    }
    return moved;
}

std::vector<int> shiftBookmarks(ProjectData& project, SjisView relativePath, const TextEdit& edit,
                                std::int32_t oldLength, BookmarkRule rule)
{
    std::vector<int> cleared;
    TextViewSettings& t = project.textView;
    const std::int64_t end = std::int64_t(edit.at) + edit.removedBytes;
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        std::int32_t& position = t.bookmarkPosition[slot];
        if (position < edit.at || position > oldLength ||
            fixedText(t.bookmarkPath[slot]) != relativePath)
            continue;
        if (edit.removedBytes > 0 && position <= end && rule == BookmarkRule::ClearInRange) {
            setFixedText(t.bookmarkPath[slot], {});
            setFixedText(t.bookmarkSample[slot], {});
            position = -1;
            cleared.push_back(slot);
            continue;
        }
        position =
            static_cast<std::int32_t>(std::max<std::int64_t>(shiftedPosition(position, edit), 0));
    }
    return cleared;
}

void removeCoveredMarkers(ProjectData& project, Services& services, SjisView relativePath,
                          const std::vector<ObjectId>& ids)
{
    if (ids.empty())
        return;
    const std::set<ObjectId> gone(ids.begin(), ids.end());
    // The other ends of the links that go with them, read before the tables change.
    std::set<ObjectId> subSubjects;
    std::set<SjisString> otherDocuments;
    for (int i = 0; i < project.linkCount; ++i) {
        const LinkRecord& link = project.links[i];
        const bool fromGone = gone.count(link.from) > 0;
        const bool toGone = gone.count(link.to) > 0;
        if (fromGone == toGone)
            continue;
        const int other = findObjectIndex(project, fromGone ? link.to : link.from);
        if (other < 0)
            continue;
        const ObjectRecord& r = project.objects[other];
        if (r.type == ObjectType::SubSubject)
            subSubjects.insert(r.id);
        else if (r.type == ObjectType::Marker && fixedText(r.document) != relativePath)
            otherDocuments.insert(SjisString(fixedText(r.document)));
    }
    const bool hadCurrent = project.currentObject >= 0;
    ObjectTable(project).removeIf([&](const ObjectRecord& r) { return gone.count(r.id) > 0; });

    for (ObjectId id : subSubjects)
        services.refresh.updateLinkMark(id);
    for (const SjisString& document : otherDocuments)
        if (services.views.isDocumentOpen(document))
            services.refresh.redrawTextViewsOf(document);
    if (countMarkersIn(project, relativePath) == 0)
        services.refresh.documentMarkersChanged(relativePath, false);
    services.refresh.rebuildMarkerList();
    if (project.chartShown)
        services.refresh.redrawChart();
    if (hadCurrent && project.currentObject < 0)
        services.refresh.resetPropertiesPane();
    setModified(project);
    refreshStatusCounts(project, services);
}

} // namespace corvane
