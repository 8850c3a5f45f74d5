// The documents open in the project, owned by the application object: each open document's text
// lives here, not in a window, so the view, the document list, the subject list, search, replace,
// find and the exports all reach the same text. Keyed by relative document path; iterated in the
// order the documents were opened (the search target "open documents" walks that order).
#pragma once

#include "textview/TextDocument.h"

#include <memory>
#include <vector>

namespace corvane {

class OpenDocuments
{
public:
    OpenDocuments(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// The open document named relativePath, or nullptr.
    TextDocument* find(SjisView relativePath) const;

    /// Opens the document (relative path) from its disk path with its working copy in
    /// workFolder, or returns the one already open. nullptr when it cannot be opened: 30014 for a
    /// missing file, 30007 when kMaxOpenDocuments are open, the store's messages otherwise.
    TextDocument* open(SjisView relativePath, const std::string& diskPath,
                       const std::string& workFolder);

    /// Closes the document (its working copy is deleted; unsaved changes are lost: the caller
    /// has asked). False when it was not open.
    bool close(SjisView relativePath);
    void closeAll();

    /// A document was renamed or moved: it keeps its place in the opening order under its new
    /// name. newDiskPath is where it now lies.
    void documentMoved(SjisView oldRelativePath, SjisView newRelativePath,
                       const std::string& newDiskPath);
    /// A folder was renamed or moved: every open document below oldFolder ("\" separated, no
    /// trailing separator) is re-keyed below newFolder; docFolder is the project's doc folder on
    /// disk. Returns the number re-keyed.
    int folderMoved(SjisView oldFolder, SjisView newFolder, const std::string& docFolder);

    /// The open documents in opening order.
    std::vector<TextDocument*> inOpeningOrder() const;
    int count() const { return static_cast<int>(documents_.size()); }

private:
    ProjectData& p_;
    Services& s_;
    /// invariant: relative paths are distinct; in opening order; at most kMaxOpenDocuments
    std::vector<std::unique_ptr<TextDocument>> documents_;
};

} // namespace corvane
