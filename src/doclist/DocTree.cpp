#include "doclist/DocTree.h"

#include "base/Codec.h"
#include "base/FileWrite.h"
#include "base/Sjis.h"
#include "doclist/NameRules.h"

#include <algorithm>
#include <cassert>
#include <dirent.h>
#include <sys/stat.h>

namespace corvane::doclist {

namespace {

/// Deeper nesting than this is not descended into: a loop made of bind mounts or a hostile
/// tree must not exhaust the stack.
constexpr int kMaxDepth = 64;

} // namespace

bool foldedLabelLess(SjisView a, SjisView b)
{
    const SjisString fa = sjis::toUpperAscii(a);
    const SjisString fb = sjis::toUpperAscii(b);
    if (fa != fb)
        return fa < fb;
    return a < b; // a stable order for names that differ only in case
}

DocTree::DocTree(LabelLess less) : less_(less ? std::move(less) : LabelLess(&foldedLabelLess))
{
    clear();
}

void DocTree::clear()
{
    root_ = std::make_unique<Node>();
    root_->label = SjisString(kRootLabelSjis);
    root_->folder = true;
    skipped_ = 0;
}

bool DocTree::isStorableName(std::string_view nameUtf8)
{
    if (nameUtf8.empty() || nameUtf8 == "." || nameUtf8 == "..")
        return false;
    const codec::Encoded sjis = codec::fromUtf8(nameUtf8);
    if (!sjis.complete())
        return false;
    for (char c : kForbiddenNameChars)
        if (sjis::findSingleByte(sjis.text, c) != SjisString::npos)
            return false;
    return std::none_of(nameUtf8.begin(), nameUtf8.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

void DocTree::scan(const std::string& docFolder, const std::function<bool(SjisView)>& hasMarkers)
{
    clear();
    std::string folder = docFolder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    scanFolder(*root_, folder, {}, hasMarkers, 0);
}

void DocTree::scanFolder(Node& node, const std::string& path, const std::string& relativePrefix,
                         const std::function<bool(SjisView)>& hasMarkers, int depth)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return;
    struct Entry
    {
        std::string nameUtf8;
        std::unique_ptr<Node> node;
    };
    std::vector<Entry> entries;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        // A document being written, or left half-written by a killed import or save, is no
        // document of the project.
        if (name == "." || name == ".." || files::isTemporaryName(name))
            continue;
        const std::string full = path + "/" + name;
        struct stat st;
        // lstat: a symbolic link to a folder could lead back up the tree; links to files are
        // followed like the files themselves.
        if (::lstat(full.c_str(), &st) != 0)
            continue;
        bool folder = S_ISDIR(st.st_mode);
        if (S_ISLNK(st.st_mode)) {
            if (::stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                continue;
        } else if (!folder && !S_ISREG(st.st_mode)) {
            continue;
        }
        if (!isStorableName(name)) {
            ++skipped_;
            continue;
        }
        auto child = std::make_unique<Node>();
        child->label = codec::fromUtf8(name).text;
        child->folder = folder;
        child->parent = &node;
        entries.push_back({name, std::move(child)});
    }
    ::closedir(dir);

    std::stable_sort(entries.begin(), entries.end(), [this](const Entry& a, const Entry& b) {
        return less_(a.node->label, b.node->label);
    });
    node.children.reserve(entries.size());
    for (Entry& e : entries) {
        const SjisString relative =
            relativePrefix.empty() ? e.node->label : relativePrefix + "\\" + e.node->label;
        if (e.node->folder) {
            if (depth < kMaxDepth)
                scanFolder(*e.node, path + "/" + e.nameUtf8, relative, hasMarkers, depth + 1);
        } else if (hasMarkers) {
            e.node->hasMarkers = hasMarkers(relative);
        }
        node.children.push_back(std::move(e.node));
    }
}

DocTree::Node& DocTree::insert(Node& parent, SjisString label, bool folder)
{
    auto child = std::make_unique<Node>();
    child->label = std::move(label);
    child->folder = folder;
    child->parent = &parent;
    const auto at = std::upper_bound(
        parent.children.begin(), parent.children.end(), child->label,
        [this](const SjisString& l, const std::unique_ptr<Node>& n) { return less_(l, n->label); });
    return **parent.children.insert(at, std::move(child));
}

void DocTree::remove(Node& node)
{
    assert(!node.isRoot());
    auto& siblings = node.parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [&](const std::unique_ptr<Node>& n) { return n.get() == &node; }));
}

void DocTree::relabel(Node& node, SjisString label)
{
    assert(!node.isRoot());
    auto& siblings = node.parent->children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const std::unique_ptr<Node>& n) { return n.get() == &node; });
    std::unique_ptr<Node> owned = std::move(*it);
    siblings.erase(it);
    owned->label = std::move(label);
    const auto at = std::upper_bound(
        siblings.begin(), siblings.end(), owned->label,
        [this](const SjisString& l, const std::unique_ptr<Node>& n) { return less_(l, n->label); });
    siblings.insert(at, std::move(owned));
}

DocTree::Node* DocTree::child(const Node& parent, SjisView label) const
{
    for (const auto& c : parent.children)
        if (c->label == label)
            return c.get();
    return nullptr;
}

DocTree::Node* DocTree::find(SjisView itemPath) const
{
    // Split character-aware: a "|" that is the trail byte of a two-byte character is no separator.
    std::size_t bar = sjis::findSingleByte(itemPath, '|');
    if (itemPath.substr(0, bar) != root_->label)
        return nullptr;
    Node* node = root_.get();
    while (bar != SjisView::npos && node) {
        const std::size_t start = bar + 1;
        bar = sjis::findSingleByte(itemPath, '|', start);
        const SjisView label =
            itemPath.substr(start, bar == SjisView::npos ? SjisView::npos : bar - start);
        node = child(*node, label);
    }
    return node;
}

SjisString DocTree::itemPath(const Node& node) const
{
    if (node.isRoot())
        return node.label;
    return itemPath(*node.parent) + "|" + node.label;
}

SjisString DocTree::relativePath(const Node& node) const
{
    if (node.isRoot())
        return {};
    if (node.parent->isRoot())
        return node.label;
    return relativePath(*node.parent) + "\\" + node.label;
}

std::string DocTree::diskPath(const Node& node, const std::string& docFolder) const
{
    if (node.isRoot()) {
        std::string folder = docFolder;
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        return folder;
    }
    return diskPath(*node.parent, docFolder) + "/" + codec::toUtf8(node.label).text;
}

std::vector<DocTree::Node*> DocTree::documentsBelow(Node& node)
{
    std::vector<Node*> out;
    std::function<void(Node&)> walk = [&](Node& n) {
        if (n.isDocument()) {
            out.push_back(&n);
            return;
        }
        for (auto& c : n.children)
            walk(*c);
    };
    walk(node);
    return out;
}

ViewState DocTree::viewState(SjisView firstVisibleItemPath) const
{
    ViewState state;
    state.firstVisible.assign(firstVisibleItemPath);
    std::function<void(const Node&, const SjisString&)> walk = [&](const Node& n,
                                                                   const SjisString& path) {
        if (!n.folder)
            return;
        // A folder keeps its expanded state while its parent is collapsed, as a tree control
        // does, so every expanded folder is listed.
        if (n.expanded)
            state.expanded.push_back(path);
        for (const auto& c : n.children)
            walk(*c, path + "|" + c->label);
    };
    walk(*root_, root_->label);
    return state;
}

void DocTree::applyViewState(const ViewState& state)
{
    for (const SjisString& path : state.expanded)
        if (Node* n = find(path); n && n->folder)
            n->expanded = true;
}

std::size_t DocTree::documentCount() const
{
    std::size_t count = 0;
    std::function<void(const Node&)> walk = [&](const Node& n) {
        if (n.isDocument())
            ++count;
        for (const auto& c : n.children)
            walk(*c);
    };
    walk(*root_);
    return count;
}

} // namespace corvane::doclist
