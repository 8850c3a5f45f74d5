#include "doclist/DocListOps.h"

#include "base/Codec.h"
#include "base/Sjis.h"
#include "doclist/FileUtil.h"
#include "doclist/NameRules.h"
#include "model/DocumentOps.h"
#include "model/FixedText.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace corvane::doclist {

namespace {

/// "\n====================\nを" in Shift-JIS: between a name and a destructive question.
constexpr std::string_view kSeparatorWo = "\n====================\n\x82\xf0";

/// newPrefix + the rest of path after oldPrefix, when path is oldPrefix itself or below it.
std::optional<std::string> replacePrefix(const std::string& path, const std::string& oldPrefix,
                                         const std::string& newPrefix, char separator)
{
    if (path == oldPrefix)
        return newPrefix;
    if (path.size() > oldPrefix.size() && path.starts_with(oldPrefix) &&
        path[oldPrefix.size()] == separator)
        return newPrefix + path.substr(oldPrefix.size());
    return std::nullopt;
}

std::string formatTime(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y.%m.%d %H:%M:%S", &local);
    return buf;
}

} // namespace

DocListOps::DocListOps(ProjectData& project, Services& services, DocTree& tree,
                       DocumentWindows& windows)
    : project_(project), services_(services), tree_(tree), windows_(windows)
{
}

std::string DocListOps::docFolder() const
{
    return project_.isOpen() ? project_.docFolder() : std::string();
}

std::size_t DocListOps::folderPathSjisBytes(const Node& folder) const
{
    return codec::fromUtf8(diskPath(folder)).text.size();
}

std::string DocListOps::viewStatePath() const
{
    return project_.folder + project_.name + ".toc";
}

std::optional<SjisString> DocListOps::rebuild(bool readViewState)
{
    if (!project_.isOpen()) {
        tree_.clear();
        return std::nullopt;
    }
    // One pass over the object table instead of a count per document: rebuilding a tree of
    // thousands of documents must not cost documents x objects comparisons.
    std::unordered_set<SjisString> marked;
    for (int i = 0; i < project_.objectCount; ++i) {
        const ObjectRecord& r = project_.objects[i];
        if (r.type == ObjectType::Marker)
            marked.emplace(fixedText(r.document));
    }
    tree_.scan(docFolder(), [&](SjisView rel) { return marked.count(SjisString(rel)) > 0; });
    if (!readViewState)
        return std::nullopt;
    const std::optional<ViewState> state = readViewStateFile(viewStatePath());
    if (!state)
        return std::nullopt;
    tree_.applyViewState(*state);
    return state->firstVisible;
}

bool DocListOps::writeViewState(SjisView firstVisibleItemPath)
{
    if (!project_.isOpen())
        return false;
    return writeViewStateFile(viewStatePath(), tree_.viewState(firstVisibleItemPath));
}

DocListOps::Node* DocListOps::newFolder(Node& parent)
{
    if (parent.isDocument())
        return nullptr;
    const std::optional<SjisString> name = newFolderName([&](SjisView n) {
        return tree_.child(parent, n) != nullptr ||
               pathExists(diskPath(parent) + "/" + codec::toUtf8(n).text);
    });
    if (!name || ::mkdir((diskPath(parent) + "/" + codec::toUtf8(*name).text).c_str(), 0777) != 0) {
        showMessage(services_.messages, msg::kFolderCreateFailed, {}, style::error);
        return nullptr;
    }
    Node& folder = tree_.insert(parent, *name, true);
    parent.expanded = true;
    return &folder;
}

bool DocListOps::rename(Node& node, std::string_view newNameUtf8)
{
    if (node.isRoot())
        return false;
    const SjisString newLabel = codec::fromUtf8(newNameUtf8).text;
    if (newLabel == node.label)
        return true;

    const std::string oldDisk = diskPath(node);
    const std::string newDisk = diskPath(*node.parent) + "/" + std::string(newNameUtf8);
    const SjisString oldRelative = tree_.relativePath(node);
    const SjisString newRelative =
        node.parent->isRoot() ? newLabel : tree_.relativePath(*node.parent) + "\\" + newLabel;

    // Every record path that changes must still fit its field, or nothing is renamed.
    struct Move
    {
        SjisString from;
        SjisString to;
    };
    std::vector<Move> moves;
    for (Node* doc : tree_.documentsBelow(node)) {
        const SjisString from = tree_.relativePath(*doc);
        const SjisString to = newRelative + from.substr(oldRelative.size());
        if (!fitsFixedField(to, kDocumentPathBytes)) {
            showMessage(services_.messages, msg::kTextTooLong, {}, style::error);
            return false;
        }
        moves.push_back({from, to});
    }

    if (!renameNoReplace(oldDisk, newDisk)) {
        showMessage(services_.messages, msg::kChangeFailed, {}, style::error);
        return false;
    }

    DocumentOps documents(project_, services_);
    bool bookmarksChanged = false;
    for (const Move& m : moves) {
        if (documents.countMarkers(m.from, false) > 0)
            recordsChanged_ = true;
        documents.renameInMarkers(m.from, m.to); // cannot fail: the lengths were checked above
        // Bookmarks name documents the same way; left behind they would point at nothing.
        for (int slot = 0; slot < kBookmarkCount; ++slot) {
            TextViewSettings& tv = project_.textView;
            if (tv.bookmarkPosition[slot] != -1 && fixedText(tv.bookmarkPath[slot]) == m.from) {
                setFixedText(tv.bookmarkPath[slot], m.to);
                bookmarksChanged = true;
            }
        }
    }
    if (bookmarksChanged) {
        setModified(project_);
        recordsChanged_ = true;
    }

    for (std::string& open : project_.openDocuments) {
        if (std::optional<std::string> moved = replacePrefix(open, oldDisk, newDisk, '/')) {
            const std::string old = open;
            open = *moved;
            windows_.documentRenamed(old, *moved);
        }
    }
    tree_.relabel(node, newLabel);
    return true;
}

bool DocListOps::confirmDelete(const Node& node)
{
    if (node.isRoot())
        return false;
    const SjisString leading = node.label + SjisString(kSeparatorWo);
    return showMessage(services_.messages, msg::kConfirmDeleteWithLinks, leading, style::yesNo) ==
           Answer::Yes;
}

bool DocListOps::confirmAndDelete(Node& node)
{
    return confirmDelete(node) && remove(node);
}

bool DocListOps::remove(Node& node)
{
    if (node.isRoot())
        return false;
    Node* parent = node.parent;
    const bool ok = node.isDocument() ? removeDocument(node) : removeFolder(node);
    if (parent->children.empty())
        parent->expanded = false;
    return ok;
}

bool DocListOps::removeDocument(Node& node)
{
    const std::string full = diskPath(node);
    windows_.closeDocument(full);
    // The file goes first: should the disk refuse, the markers of a document that is still there
    // must not be lost.
    setReadOnly(full, false);
    if (::unlink(full.c_str()) != 0 && errno != ENOENT) {
        setReadOnly(full, true);
        showMessage(services_.messages, msg::kDeleteFailed, {}, style::error);
        return false;
    }
    std::erase(project_.openDocuments, full);
    DocumentOps documents(project_, services_);
    const int markersRemoved = documents.deleteMarkers(full);
    if (markersRemoved + documents.clearBookmarks(full) > 0)
        recordsChanged_ = true;
    tree_.remove(node);
    return true;
}

bool DocListOps::removeFolder(Node& node)
{
    // Children first; a copy of the pointers, since removing edits the list.
    std::vector<Node*> children;
    for (auto& c : node.children)
        children.push_back(c.get());
    for (Node* c : children) {
        const bool ok = c->isDocument() ? removeDocument(*c) : removeFolder(*c);
        if (!ok)
            return false;
    }
    if (::rmdir(diskPath(node).c_str()) != 0) {
        // Files the list does not show (names the records cannot hold) keep the folder alive.
        showMessage(services_.messages, msg::kFolderDeleteFailed, {}, style::error);
        return false;
    }
    tree_.remove(node);
    return true;
}

std::vector<DocListOps::Node*> DocListOps::importInto(Node& folder,
                                                      const std::vector<std::string>& sources,
                                                      DocumentImporter& importer, bool forceOther)
{
    std::vector<Node*> added;
    if (folder.isDocument() || folder.isRoot())
        return added;
    for (const ImportResult& r : importer.importFiles(diskPath(folder), sources, forceOther)) {
        if (r.added())
            added.push_back(&tree_.insert(folder, r.documentName, false));
    }
    if (!added.empty()) {
        folder.expanded = true;
        setModified(project_);
    }
    return added;
}

DocListOps::Node* DocListOps::createEmptyDocument(Node& folder, std::string_view nameUtf8,
                                                  bool& exists)
{
    exists = false;
    const std::string full = diskPath(folder) + "/" + std::string(nameUtf8);
    switch (createFileExclusive(full, "\r\n", true)) {
    case CreateResult::Exists:
        exists = true;
        return nullptr;
    case CreateResult::Failed:
        showMessage(services_.messages, msg::kOpenFailed, {}, style::error);
        return nullptr;
    case CreateResult::Created:
        break;
    }
    Node& doc = tree_.insert(folder, codec::fromUtf8(nameUtf8).text, false);
    folder.expanded = true;
    setModified(project_);
    return &doc;
}

DropDecision DocListOps::dropTarget(Node* hit, const std::vector<std::string>& paths) const
{
    if (!project_.isOpen())
        return {nullptr, msg::kNoProject};
    if (!hit)
        return {};
    if (hit->isRoot())
        return {nullptr, hit->children.empty() ? msg::kDropNeedsFolder : msg::kDropOnRoot};
    Node* folder = hit->isDocument() ? hit->parent : hit;
    if (folder->isRoot())
        return {nullptr, msg::kDropOnRoot};
    for (const std::string& p : paths)
        if (isDirectory(p))
            return {nullptr, msg::kDropFilesNotFolders};
    return {folder, 0};
}

bool DocListOps::isOpen(const Node& document) const
{
    const std::string full = diskPath(document);
    return std::find(project_.openDocuments.begin(), project_.openDocuments.end(), full) !=
           project_.openDocuments.end();
}

bool DocListOps::canOpen(const Node& document) const
{
    return document.isDocument() && !isOpen(document) &&
           static_cast<int>(project_.openDocuments.size()) < kMaxOpenDocuments;
}

bool DocListOps::open(Node& document)
{
    if (!document.isDocument())
        return false;
    const std::string full = diskPath(document);
    if (!isRegularFile(full)) {
        showMessage(services_.messages, msg::kPathNotFound, {}, style::error);
        return false;
    }
    if (!isOpen(document) && static_cast<int>(project_.openDocuments.size()) >= kMaxOpenDocuments) {
        showMessage(services_.messages, msg::kOpenLimit, {}, style::error);
        return false;
    }
    return windows_.openDocument(full);
}

int DocListOps::openAllIn(Node& folder)
{
    std::vector<Node*> documents;
    for (auto& c : folder.children)
        if (c->isDocument())
            documents.push_back(c.get());
    int opened = 0;
    for (Node* d : documents) {
        if (isOpen(*d))
            continue;
        if (!open(*d))
            break; // the limit message is shown once, not for every remaining document
        ++opened;
    }
    return opened;
}

DocumentProperties DocListOps::properties(const Node& document) const
{
    DocumentProperties p;
    p.diskPath = diskPath(document);
    struct statx sx
    {
    };
    if (::statx(AT_FDCWD, p.diskPath.c_str(), 0, STATX_BTIME | STATX_CTIME | STATX_SIZE, &sx) ==
        0) {
        char kb[64];
        std::snprintf(kb, sizeof kb, "%.1fKB (", static_cast<double>(sx.stx_size) / 1024.0);
        p.sizeText = kb + std::to_string(sx.stx_size) + "bytes)";
        const bool hasBirth = (sx.stx_mask & STATX_BTIME) && sx.stx_btime.tv_sec != 0;
        p.createdText = formatTime(hasBirth ? sx.stx_btime.tv_sec : sx.stx_ctime.tv_sec);
    }
    const SjisString relative = tree_.relativePath(document);
    p.markerCount = DocumentOps(project_, services_).countMarkers(relative, false);
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        const TextViewSettings& tv = project_.textView;
        if (tv.bookmarkPosition[slot] != -1 && fixedText(tv.bookmarkPath[slot]) == relative)
            p.bookmarkSlots.push_back(slot);
    }
    return p;
}

DocListOps::Node* DocListOps::findDocument(SjisView relativePath) const
{
    // The relative path uses "\" between folders; the item path "|" after the root.
    SjisString itemPath(kRootLabelSjis);
    itemPath += '|';
    for (std::size_t i = 0; i < relativePath.size();) {
        const std::size_t len = sjis::charLength(relativePath, i);
        if (len == 1 && relativePath[i] == '\\')
            itemPath += '|';
        else
            itemPath.append(relativePath.substr(i, len));
        i += len;
    }
    Node* node = tree_.find(itemPath);
    return node && node->isDocument() ? node : nullptr;
}

DocListOps::Node* DocListOps::setHasMarkers(SjisView relativePath, bool hasMarkers)
{
    Node* node = findDocument(relativePath);
    if (node)
        node->hasMarkers = hasMarkers;
    return node;
}

} // namespace corvane::doclist
