#include "textview/CFileIO.h"

#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "textview/TextStore.h"

#include <algorithm>
#include <sys/stat.h>

namespace corvane {

CFileIO::CFileIO(ProjectData& project, MessageSink& messages)
    : project_(project), messages_(messages)
{
}

bool CFileIO::checkCanOpen(const std::string& fullPath)
{
    const std::string path = withoutModifiedMark(fullPath);
    struct stat st
    {
    };
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        showMessage(messages_, msg::kPathNotFound, {}, style::error);
        return false;
    }
    if (static_cast<int>(project_.openDocuments.size()) >= kMaxOpenDocuments) {
        showMessage(messages_, msg::kOpenLimit, {}, style::error);
        return false;
    }
    return true;
}

bool CFileIO::openDocument(const std::string& fullPath, const std::function<bool()>& createAndLoad)
{
    if (!checkCanOpen(fullPath))
        return false;
    if (!createAndLoad || !createAndLoad())
        return false;
    documentOpened(fullPath);
    return true;
}

void CFileIO::documentOpened(const std::string& fullPath)
{
    const std::string path = withoutModifiedMark(fullPath);
    if (indexOfOpen(path) >= 0 ||
        static_cast<int>(project_.openDocuments.size()) >= kMaxOpenDocuments)
        return;
    project_.openDocuments.push_back(path);
}

void CFileIO::documentClosed(const std::string& fullPath)
{
    const std::string path = withoutModifiedMark(fullPath);
    auto& docs = project_.openDocuments;
    docs.erase(std::remove(docs.begin(), docs.end(), path), docs.end());
}

int CFileIO::indexOfOpen(const std::string& fullPath) const
{
    const std::string path = withoutModifiedMark(fullPath);
    const auto& docs = project_.openDocuments;
    const auto it = std::find(docs.begin(), docs.end(), path);
    return it == docs.end() ? -1 : static_cast<int>(it - docs.begin());
}

} // namespace corvane
