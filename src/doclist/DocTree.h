// The document list as plain data: a root standing for the project's doc folder, folders and
// documents below it, mirroring the disk one to one. Labels are Shift-JIS; the disk is UTF-8.
//   item path      "文献リスト|A|Doc 1"   (view-state file, look-ups)
//   relative path  "A\Doc 1"             (records)
//   disk path      docFolder + "A/Doc 1"
#pragma once

#include "base/Types.h"
#include "doclist/ViewStateFile.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::doclist {

/// "文献リスト" in Shift-JIS: the root's label and the first component of every item path.
inline constexpr std::string_view kRootLabelSjis = "\x95\xb6\x8c\xa3\x83\x8a\x83\x58\x83\x67";

class DocTree
{
public:
    struct Node
    {
        SjisString label;
        bool folder = false; ///< the root counts as a folder
        bool hasMarkers = false;
        bool expanded = false;
        Node* parent = nullptr;
        /// invariant: sorted by the tree's label order
        std::vector<std::unique_ptr<Node>> children;

        bool isRoot() const { return parent == nullptr; }
        bool isDocument() const { return !folder; }
    };

    /// Label order among siblings; folders and documents mixed. The default folds ASCII case;
    /// the pane passes a collator that orders Japanese as its users expect.
    using LabelLess = std::function<bool(SjisView, SjisView)>;
    explicit DocTree(LabelLess less = {});

    Node& root() { return *root_; }
    const Node& root() const { return *root_; }

    /// Only the root, collapsed.
    void clear();

    /// Replaces the tree with the folder docFolder (UTF-8) and everything below it. A document
    /// gets hasMarkers from the predicate (asked with its relative path). Entries whose names
    /// the records cannot hold (see isStorableName) and symbolic links to folders are left out.
    void scan(const std::string& docFolder, const std::function<bool(SjisView)>& hasMarkers);

    /// Inserts a child in sorted position and returns it.
    Node& insert(Node& parent, SjisString label, bool folder);
    /// Removes node (not the root) with everything below it.
    void remove(Node& node);
    /// Gives node a new label and moves it to its sorted position.
    void relabel(Node& node, SjisString label);

    Node* child(const Node& parent, SjisView label) const;
    Node* find(SjisView itemPath) const;

    SjisString itemPath(const Node& node) const;
    /// Relative path as records hold it; empty for the root.
    SjisString relativePath(const Node& node) const;
    /// docFolder + the node's path in UTF-8 (no trailing "/"; the doc folder itself for the root).
    std::string diskPath(const Node& node, const std::string& docFolder) const;

    /// Every document below node (depth first, in tree order), node itself when it is one.
    std::vector<Node*> documentsBelow(Node& node);

    /// The expanded items as the view-state file lists them: the root first, then the folders
    /// depth first; firstVisible is passed through.
    ViewState viewState(SjisView firstVisibleItemPath) const;
    /// Expands every item the state names; unknown paths are ignored.
    void applyViewState(const ViewState& state);

    /// Names that have no Shift-JIS form, hold a character forbidden in names (a "\" would become a
    /// separator in the records) or are "." / ".." cannot be documents of a project.
    static bool isStorableName(std::string_view nameUtf8);

    std::size_t documentCount() const;
    /// Entries left out by the last scan because their names cannot be stored.
    std::size_t skippedByLastScan() const { return skipped_; }

private:
    void scanFolder(Node& node, const std::string& path, const std::string& relativePrefix,
                    const std::function<bool(SjisView)>& hasMarkers, int depth);

    LabelLess less_;
    std::unique_ptr<Node> root_;
    std::size_t skipped_ = 0;
};

/// Byte order after folding ASCII letters to upper case, two-byte characters left alone.
bool foldedLabelLess(SjisView a, SjisView b);

} // namespace corvane::doclist
