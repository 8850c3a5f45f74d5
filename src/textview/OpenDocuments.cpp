#include "textview/OpenDocuments.h"

#include "base/DocPath.h"
#include "res/MessageCatalogue.h"

#include <algorithm>
#include <filesystem>

namespace corvane {

namespace {

constexpr int kMsgTooMany = 30007;
constexpr int kMsgPathNotFound = 30014;

} // namespace

TextDocument* OpenDocuments::find(SjisView relativePath) const
{
    for (const auto& d : documents_)
        if (d->relativePath() == relativePath)
            return d.get();
    return nullptr;
}

TextDocument* OpenDocuments::open(SjisView relativePath, const std::string& diskPath,
                                  const std::string& workFolder)
{
    if (TextDocument* already = find(relativePath))
        return already;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(diskPath, ec)) {
        showMessage(s_.messages, kMsgPathNotFound, {}, style::error);
        return nullptr;
    }
    if (count() >= kMaxOpenDocuments) {
        showMessage(s_.messages, kMsgTooMany, {}, style::error);
        return nullptr;
    }
    auto document = std::make_unique<TextDocument>(p_, s_, SjisString(relativePath));
    if (!document->open(diskPath, workFolder))
        return nullptr;
    documents_.push_back(std::move(document));
    return documents_.back().get();
}

bool OpenDocuments::close(SjisView relativePath)
{
    const auto it = std::find_if(documents_.begin(), documents_.end(),
                                 [&](const auto& d) { return d->relativePath() == relativePath; });
    if (it == documents_.end())
        return false;
    documents_.erase(it);
    return true;
}

void OpenDocuments::closeAll()
{
    documents_.clear();
}

void OpenDocuments::documentMoved(SjisView oldRelativePath, SjisView newRelativePath,
                                  const std::string& newDiskPath)
{
    if (TextDocument* d = find(oldRelativePath))
        d->moved(SjisString(newRelativePath), newDiskPath);
}

int OpenDocuments::folderMoved(SjisView oldFolder, SjisView newFolder, const std::string& docFolder)
{
    int moved = 0;
    for (const auto& d : documents_) {
        const SjisView path = d->relativePath();
        // Below the folder: its path, then a "\" separator. oldFolder is a whole path and ends
        // on a character boundary, so the byte after it starts a character of its own.
        if (path.size() <= oldFolder.size() || path.substr(0, oldFolder.size()) != oldFolder ||
            path[oldFolder.size()] != '\\')
            continue;
        SjisString renamed(newFolder);
        renamed += path.substr(oldFolder.size());
        const std::optional<std::string> disk = docpath::toDiskPath(docFolder, renamed);
        d->moved(renamed, disk ? *disk : d->store().documentPath());
        ++moved;
    }
    return moved;
}

std::vector<TextDocument*> OpenDocuments::inOpeningOrder() const
{
    std::vector<TextDocument*> out;
    out.reserve(documents_.size());
    for (const auto& d : documents_)
        out.push_back(d.get());
    return out;
}

} // namespace corvane
