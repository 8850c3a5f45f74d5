#include "model/CProjectIO.h"

#include "base/Codec.h"
#include "base/FileRead.h"
#include "base/SettingsKeys.h"
#include "model/Cabinet.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

/// A path as a message's leading text: Shift-JIS, followed by a line break.
SjisString leadingPath(const std::string& utf8Path)
{
    return codec::fromUtf8(utf8Path).text + "\n";
}

/// Creates a new empty file from pattern (ending in "XXXXXX") and returns its path, "" on failure.
std::string makeUniqueFile(const std::string& prefix)
{
    std::string pattern = prefix + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return {};
    ::close(fd);
    return pattern;
}

bool writeWholeFile(const std::string& path, std::string_view bytes, int flags, mode_t mode)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | flags, mode);
    if (fd < 0)
        return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += std::size_t(n);
    }
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool readWholeFile(const std::string& path, std::string& out, std::size_t limit)
{
    return files::readWholeFile(path, out, limit) == files::ReadStatus::Ok;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

/// Makes a rename in folder durable; a failure here does not undo a rename that happened.
void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// Removes a file when the object goes out of scope, so no exit path leaves one behind.
struct RemoveOnExit
{
    std::string path;
    ~RemoveOnExit()
    {
        if (!path.empty())
            ::unlink(path.c_str());
    }
};

} // namespace

bool hasProjectExtension(const std::string& path)
{
    if (path.size() < 3)
        return false;
    std::string tail = path.substr(path.size() - 3);
    for (char& c : tail)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return tail == "CVN";
}

std::string backupPathFor(const std::string& projectFilePath)
{
    const std::size_t slash = projectFilePath.rfind('/');
    const std::size_t dot = projectFilePath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return projectFilePath.substr(0, dot) + "(back).CVN";
}

CProjectIO::CProjectIO(Services& services) : services_(services) {}

std::string CProjectIO::workFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    folder += "/Corvane-" + std::to_string(::getuid());

    bool ok = ::mkdir(folder.c_str(), 0700) == 0;
    if (!ok && errno == EEXIST) {
        // Someone else may have made it first in a shared temporary folder: only a real folder
        // that this user owns is used, never a symlink to somewhere else.
        struct stat st
        {
        };
        ok = ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
        if (ok && (st.st_mode & 077) != 0)
            ok = ::chmod(folder.c_str(), 0700) == 0;
    }
    if (!ok) {
        showMessage(services_.messages, msg::kWorkFolderFailed, {}, style::error);
        return {};
    }
    return folder;
}

bool CProjectIO::saveProject(const std::string& projectFilePath, ProjectData& data)
{
    const std::size_t slash = projectFilePath.rfind('/');
    if (slash == std::string::npos || slash + 1 == projectFilePath.size())
        return false;
    const std::string folder = projectFilePath.substr(0, slash + 1);
    const std::string fileName = projectFilePath.substr(slash + 1);

    const std::string work = workFolder();
    if (work.empty())
        return false;

    // The data file: a unique name, so two saves (or two users of one account) never collide.
    RemoveOnExit dataFile{makeUniqueFile(work + "/" + fileName)};
    if (dataFile.path.empty()) {
        showMessage(services_.messages, msg::kOpenFailed, leadingPath(work + "/" + fileName),
                    style::error);
        return false;
    }
    if (!writeWholeFile(dataFile.path, encodeDataFile(data), O_TRUNC, 0600)) {
        showMessage(services_.messages, msg::kSaveFailed, leadingPath(dataFile.path), style::error);
        return false;
    }

    // Pack beside the project file, so the final rename stays within one file system and the
    // previous project file is replaced only by a complete, flushed cabinet.
    struct stat previous
    {
    };
    const bool hadPrevious = ::stat(projectFilePath.c_str(), &previous) == 0;
    RemoveOnExit packed{makeUniqueFile(folder + "." + fileName)};
    Cabinet cabinet(services_.messages);
    if (packed.path.empty()) {
        showMessage(services_.messages, msg::kNoWriteAccess, {}, style::information);
        return false;
    }
    if (!cabinet.pack(dataFile.path, fileName, packed.path))
        return false;
    const mode_t mode = hadPrevious ? (previous.st_mode & 07777) : (0666 & ~currentUmask());
    ::chmod(packed.path.c_str(), mode);

    if (hadPrevious && read(services_.settings, keys::MakeBackup) == 1) {
        const std::string backup = backupPathFor(projectFilePath);
        std::string previousBytes;
        if (backup.empty() ||
            !readWholeFile(projectFilePath, previousBytes, std::size_t(previous.st_size)) ||
            !writeWholeFile(backup, previousBytes, O_CREAT | O_TRUNC, mode)) {
            showMessage(services_.messages, msg::kBackupFailed, {}, style::error);
            return false;
        }
    }

    if (::rename(packed.path.c_str(), projectFilePath.c_str()) != 0) {
        showMessage(services_.messages, msg::kNoWriteAccess, {}, style::information);
        return false;
    }
    packed.path.clear();
    syncFolder(folder);

    write(services_.settings, keys::FilePath, codec::fromUtf8(projectFilePath).text);
    data.modified = false;
    return true;
}

bool CProjectIO::loadProjectFile(const std::string& projectFilePath, ProjectData& data)
{
    MessageSink& sink = services_.messages;
    if (!hasProjectExtension(projectFilePath)) {
        showMessage(sink, msg::kCannotOpenFile, leadingPath(projectFilePath), style::error);
        return false;
    }
    struct stat st
    {
    };
    if (::stat(projectFilePath.c_str(), &st) != 0 || ::access(projectFilePath.c_str(), R_OK) != 0) {
        showMessage(sink, msg::kFileNotFound, leadingPath(projectFilePath), style::error);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        showMessage(sink, msg::kFolderCannotOpen, {}, style::error);
        return false;
    }
    const std::size_t slash = projectFilePath.rfind('/');
    if (slash == std::string::npos || slash + 1 == projectFilePath.size())
        return false;
    const std::string fileName = projectFilePath.substr(slash + 1);

    const std::string work = workFolder();
    if (work.empty())
        return false;
    RemoveOnExit dataFile{makeUniqueFile(work + "/" + fileName)};
    if (dataFile.path.empty()) {
        showMessage(sink, msg::kExpandFailed, "[File Copy]\n", style::error);
        return false;
    }
    std::string memberName;
    if (!Cabinet(sink).unpackTo(projectFilePath, dataFile.path, memberName))
        return false;
    std::string bytes;
    if (!readWholeFile(dataFile.path, bytes, kMaxDataFileBytes)) {
        showMessage(sink, msg::kOpenFailed, leadingPath(projectFilePath), style::error);
        return false;
    }

    // Read into staging so that a file that fails half-way leaves the open tables untouched.
    auto staging = std::make_unique<ProjectData>();
    if (!decodeDataFile(bytes, *staging, sink))
        return false;
    data.copyContentFrom(*staging);
    return true;
}

} // namespace corvane
