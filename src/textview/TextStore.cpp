#include "textview/TextStore.h"

#include "base/FileRead.h"
#include "res/MessageCatalogue.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

// Message numbers of the catalogue used by the store.
constexpr int kMsgMemory = 30001;
constexpr int kMsgTempFile = 30015;
constexpr int kMsgSaveFailed = 30018;
constexpr int kMsgOpenFailed = 30039;
constexpr int kMsgFileInfo = 30057;

bool writeAll(int fd, const char* data, std::size_t size, off_t at)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        at += n;
    }
    return true;
}

// Byte offsets are int32 throughout (records, key table); leave room for an insertion.
constexpr std::size_t kMaxDocumentBytes = INT_MAX / 2;
constexpr std::size_t kEditHeadroomBytes = 1024 * 1024;

} // namespace

std::string withoutModifiedMark(const std::string& path)
{
    if (!path.empty() && path.back() == '*')
        return path.substr(0, path.size() - 1);
    return path;
}

TextStore::TextStore(MessageSink& messages) : messages_(messages) {}

TextStore::~TextStore()
{
    close();
}

bool TextStore::open(const std::string& documentPath, const std::string& workFolder)
{
    close();
    const std::string path = withoutModifiedMark(documentPath);
    SjisString image;
    switch (files::readWholeFile(path, image, kMaxDocumentBytes)) {
    case files::ReadStatus::Ok:
        break;
    case files::ReadStatus::Missing:
        return false;
    case files::ReadStatus::NoInfo:
        showMessage(messages_, kMsgFileInfo, {}, style::error);
        return false;
    case files::ReadStatus::TooLarge:
        showMessage(messages_, kMsgMemory, {}, style::error);
        return false;
    case files::ReadStatus::OpenFailed:
    case files::ReadStatus::NotRegular:
    case files::ReadStatus::ReadFailed:
        showMessage(messages_, kMsgOpenFailed, {}, style::error);
        return false;
    }

    if (workFolder.empty()) {
        showMessage(messages_, kMsgTempFile, {}, style::error);
        return false;
    }
    std::string name = workFolder + "/docXXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC); // mode 0600: never read-only, never shared
    if (fd < 0) {
        showMessage(messages_, kMsgTempFile, {}, style::error);
        return false;
    }
    // The working copy starts equal to the document; its bytes are written only when someone
    // reads the file (flushWorkingCopy), so opening a large document costs one read, not a copy.
    fd_ = fd;
    workingPath_ = std::move(name);
    documentPath_ = path;
    // Room for typing: without it the first insertion reallocates and copies the whole text,
    // a pause of tens of milliseconds on a large document.
    image_.clear();
    image_.shrink_to_fit();
    image_.reserve(image.size() + kEditHeadroomBytes);
    image_.append(image.data(), image.size());
    workingCopyStale_ = true;
    modified_ = false;
    return true;
}

void TextStore::close()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    ::unlink(workingPath_.c_str());
    fd_ = -1;
    workingPath_.clear();
    workingCopyStale_ = false;
}

SjisString TextStore::readRange(ByteOffset start, std::int32_t count, bool stripNewlines) const
{
    if (start < 0 || count <= 0 || start >= length())
        return {};
    const std::size_t from = static_cast<std::size_t>(start);
    const std::size_t n = std::min(static_cast<std::size_t>(count), image_.size() - from);
    SjisView range(image_.data() + from, n);
    const std::size_t nul = range.find('\0');
    if (nul != SjisView::npos)
        range = range.substr(0, nul);
    SjisString out;
    out.reserve(range.size());
    for (char c : range)
        if (!stripNewlines || (c != '\r' && c != '\n'))
            out.push_back(c);
    return out;
}

bool TextStore::replaceContent(SjisString newImage)
{
    if (fd_ < 0)
        return false;
    if (newImage.size() > static_cast<std::size_t>(INT_MAX / 2)) {
        showMessage(messages_, kMsgMemory, {}, style::error);
        return false;
    }
    image_ = std::move(newImage);
    workingCopyStale_ = true;
    return true;
}

bool TextStore::replaceBytes(ByteOffset at, std::int32_t byteCount, SjisView bytes)
{
    if (fd_ < 0 || at < 0 || byteCount < 0 ||
        std::size_t(at) + std::size_t(byteCount) > image_.size())
        return false;
    if (image_.size() - std::size_t(byteCount) + bytes.size() > kMaxDocumentBytes) {
        showMessage(messages_, kMsgMemory, {}, style::error);
        return false;
    }
    image_.replace(std::size_t(at), std::size_t(byteCount), bytes.data(), bytes.size());
    workingCopyStale_ = true;
    return true;
}

bool TextStore::overwriteBytes(ByteOffset at, SjisView bytes)
{
    if (fd_ < 0 || at < 0 || std::size_t(at) + bytes.size() > image_.size())
        return false;
    std::copy(bytes.begin(), bytes.end(), image_.begin() + at);
    workingCopyStale_ = true;
    return true;
}

bool TextStore::flushWorkingCopy()
{
    if (fd_ < 0)
        return false;
    if (!workingCopyStale_)
        return true;
    if (!writeAll(fd_, image_.data(), image_.size(), 0) ||
        ::ftruncate(fd_, static_cast<off_t>(image_.size())) != 0) {
        showMessage(messages_, kMsgOpenFailed, {}, style::error);
        return false;
    }
    workingCopyStale_ = false;
    return true;
}

std::string TextStore::pathName() const
{
    return modified_ ? documentPath_ + "*" : documentPath_;
}

bool TextStore::save()
{
    if (fd_ < 0 || !flushWorkingCopy())
        return false;
    mode_t mode = 0444;
    struct stat st
    {
    };
    if (::stat(documentPath_.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else if (errno != ENOENT) {
        showMessage(messages_, kMsgFileInfo, {}, style::error);
        return false;
    }
    mode &= ~mode_t(0222);

    const std::size_t slash = documentPath_.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : documentPath_.substr(0, slash);
    std::string temp = dir + "/.cvsaveXXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        showMessage(messages_, kMsgSaveFailed, {}, style::error);
        return false;
    }
    const bool ok = writeAll(fd, image_.data(), image_.size(), 0) && ::fsync(fd) == 0 &&
                    ::fchmod(fd, mode) == 0;
    ::close(fd);
    if (!ok || ::rename(temp.c_str(), documentPath_.c_str()) != 0) {
        ::unlink(temp.c_str());
        showMessage(messages_, kMsgSaveFailed, {}, style::error);
        return false;
    }
    modified_ = false;
    return true;
}

} // namespace corvane
