// The document list's commands on the disk and the records: new folder, rename, delete, import,
// drop, open, properties, view state. The pane calls them and mirrors the tree they keep; every
// failure is reported through the message sink and leaves disk, records and tree as they were.
#pragma once

#include "base/Services.h"
#include "doclist/DocTree.h"
#include "doclist/DocumentImporter.h"
#include "doclist/DocumentWindows.h"
#include "model/ProjectData.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::doclist {

/// The rows of the document properties dialog (UTF-8 where shown as they are).
struct DocumentProperties
{
    std::string diskPath;
    std::string sizeText;    ///< "%.1fKB (" + bytes + "bytes)"
    std::string createdText; ///< "%Y.%m.%d %H:%M:%S": birth time, else change time
    int markerCount = 0;
    std::vector<int> bookmarkSlots; ///< 0-3, the bookmarks set in this document
};

/// Where a drop lands, or why it does not.
struct DropDecision
{
    DocTree::Node* folder = nullptr; ///< target folder; null when nothing is added
    int number = 0;                  ///< message shown instead; 0 for a silent refusal
};

class DocListOps
{
public:
    using Node = DocTree::Node;

    DocListOps(ProjectData& project, Services& services, DocTree& tree, DocumentWindows& windows);

    DocTree& tree() { return tree_; }
    std::string docFolder() const;
    std::string diskPath(const Node& node) const { return tree_.diskPath(node, docFolder()); }
    /// Byte length of a folder's disk path in Shift-JIS: what the name rules subtract from 255.
    std::size_t folderPathSjisBytes(const Node& folder) const;

    /// Rebuilds the tree from the disk (nothing when no project is open); with readViewState the
    /// expanded state of the view-state file is restored and its first visible item returned.
    std::optional<SjisString> rebuild(bool readViewState);
    std::string viewStatePath() const;
    bool writeViewState(SjisView firstVisibleItemPath);

    /// "新しいフォルダ" (then 1, 2, ... 999) under parent (root or folder); 30024 on failure.
    Node* newFolder(Node& parent);

    /// Gives a folder or document a new name (checked by the name rules already). Markers and
    /// bookmarks of every document concerned follow, open views take the new paths. Refused when
    /// the name is taken or the disk refuses (30046), or a relative path would no longer fit a
    /// record (30044).
    bool rename(Node& node, std::string_view newNameUtf8);

    /// Asks 30083 with the label in front; true on Yes.
    bool confirmDelete(const Node& node);
    /// confirmDelete, then remove on Yes.
    bool confirmAndDelete(Node& node);
    /// Deletes a document (view closed, markers with their links and bookmarks removed, file
    /// removed) or a folder with everything in it, depth first. The parent collapses when it is
    /// left empty. Stops at the first failure (30011 for a document, 30012 for a folder).
    bool remove(Node& node);

    /// True when a rename or delete since the last call changed records stored in the project file
    /// (markers, links, bookmarks) along with the disk; clears the flag. The disk change cannot be
    /// undone, so the caller saves the project file at once rather than leave it pointing at
    /// documents that are gone.
    bool takeRecordsChanged() { return std::exchange(recordsChanged_, false); }

    /// Imports sources into folder; every added document is inserted in the tree and the folder
    /// expanded. Marks the project modified when anything was added.
    std::vector<Node*> importInto(Node& folder, const std::vector<std::string>& sources,
                                  DocumentImporter& importer, bool forceOther = false);

    /// A new, read-only document holding exactly CR LF. nullptr with exists set when the name is
    /// taken (the caller asks 30013); nullptr after reporting 30026 when it cannot be created.
    Node* createEmptyDocument(Node& folder, std::string_view nameUtf8, bool& exists);

    /// The drop rules: no project 30023; outside any item: nothing; on the root: 30080 when it has
    /// no folder yet, else 30110; on a document: its folder; any folder among the paths: 30009.
    DropDecision dropTarget(Node* hit, const std::vector<std::string>& paths) const;

    bool isOpen(const Node& document) const;
    /// Enabling of the open command: not open yet and fewer than 20 open.
    bool canOpen(const Node& document) const;
    /// 30014 when the file is gone, 30007 when 20 are open, else opens it in a text view.
    bool open(Node& document);
    /// Opens every document directly in folder in turn; stops at the first refusal.
    int openAllIn(Node& folder);

    DocumentProperties properties(const Node& document) const;

    /// The document of relativePath (records' form), or null when the tree does not hold it.
    Node* findDocument(SjisView relativePath) const;
    /// Marks or unmarks the document of relativePath; returns its node when it is in the tree.
    Node* setHasMarkers(SjisView relativePath, bool hasMarkers);

private:
    bool removeDocument(Node& node);
    bool removeFolder(Node& node);

    ProjectData& project_;
    Services& services_;
    DocTree& tree_;
    DocumentWindows& windows_;
    bool recordsChanged_ = false;
};

} // namespace corvane::doclist
