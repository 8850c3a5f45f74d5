// What happens to the records of one document as a whole: counting its markers, dropping them
// when the document is deleted or replaced, clearing its bookmarks, and following a rename.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

#include <string_view>

namespace corvane {

class DocumentOps
{
public:
    DocumentOps(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// Markers of the document; path is a full disk path when pathIsFull, else a relative path.
    /// A full path outside the doc folder has no markers.
    int countMarkers(std::string_view path, bool pathIsFull) const;

    /// Removes every marker of the document (full disk path) and their links, keeping the order
    /// of the other records. Returns the number of markers removed.
    int deleteMarkers(std::string_view fullPath);

    /// Clears every set bookmark of the document (full disk path). Returns the number cleared.
    int clearBookmarks(std::string_view fullPath);

    /// Every marker of oldRelative gets newRelative. False, with nothing changed, when the new
    /// path cannot be stored whole in a record.
    bool renameInMarkers(SjisView oldRelative, SjisView newRelative);

private:
    ProjectData& p_;
    Services& s_;
};

} // namespace corvane
