#include "model/DocumentOps.h"

#include "base/DocPath.h"
#include "model/DocumentPath.h"
#include "model/FixedText.h"
#include "model/LinkEnds.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"

#include <cstring>
#include <optional>

namespace corvane {

int DocumentOps::countMarkers(std::string_view path, bool pathIsFull) const
{
    if (!pathIsFull)
        return countMarkersIn(p_, path);
    const std::optional<SjisString> relative = relativeDocumentPath(p_, path);
    return relative ? countMarkersIn(p_, *relative) : 0;
}

int DocumentOps::deleteMarkers(std::string_view fullPath)
{
    const std::optional<SjisString> relative = relativeDocumentPath(p_, fullPath);
    if (!relative)
        return 0;
    const SjisView document = *relative;
    const auto ofDocument = [document](const ObjectRecord& r) {
        return r.type == ObjectType::Marker && fixedText(r.document) == document;
    };
    // The objects at the other ends of the markers' links lose a link mark or a link count.
    std::vector<ObjectId> removedIds;
    for (int i = 0; i < p_.objectCount; ++i) {
        if (ofDocument(p_.objects[i]))
            removedIds.push_back(p_.objects[i].id);
    }
    const std::vector<ObjectId> farEnds = farEndsOfLinks(p_, removedIds);
    const int removed = ObjectTable(p_).removeIf(ofDocument);
    if (removed > 0) {
        // The document itself goes (or is replaced) with its views; other documents stay.
        std::vector<SjisString> redrawn{SjisString(document)};
        refreshFarEnds(p_, s_, farEnds, redrawn);
        if (p_.chartShown)
            s_.refresh.redrawChart();
        s_.refresh.documentMarkersChanged(document, false);
        s_.refresh.rebuildMarkerList();
        s_.refresh.resetPropertiesPane();
        setModified(p_);
        refreshStatusCounts(p_, s_);
    }
    return removed;
}

int DocumentOps::clearBookmarks(std::string_view fullPath)
{
    const std::optional<SjisString> relative = relativeDocumentPath(p_, fullPath);
    if (!relative)
        return 0;
    TextViewSettings& t = p_.textView;
    int cleared = 0;
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        if (t.bookmarkPosition[slot] == -1 || fixedText(t.bookmarkPath[slot]) != *relative)
            continue;
        std::memset(t.bookmarkPath[slot], 0, sizeof t.bookmarkPath[slot]);
        std::memset(t.bookmarkSample[slot], 0, sizeof t.bookmarkSample[slot]);
        t.bookmarkPosition[slot] = -1;
        s_.refresh.bookmarkCleared(slot);
        ++cleared;
    }
    // The bookmarks travel in the project file: a cleared one must be saved as cleared.
    if (cleared > 0)
        setModified(p_);
    return cleared;
}

bool DocumentOps::renameInMarkers(SjisView oldRelative, SjisView newRelative)
{
    if (!fitsFixedField(newRelative, kDocumentPathBytes) || !docpath::isSafeRelative(newRelative))
        return false;
    bool changed = false;
    for (int i = 0; i < p_.objectCount; ++i) {
        ObjectRecord& r = p_.objects[i];
        if (r.type == ObjectType::Marker && fixedText(r.document) == oldRelative) {
            setFixedText(r.document, newRelative);
            changed = true;
        }
    }
    if (changed)
        setModified(p_);
    return true;
}

} // namespace corvane
