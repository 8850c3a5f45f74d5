#include "model/CProjectIO.h"

#include "base/Codec.h"
#include "base/FileRead.h"
#include "base/FileWrite.h"
#include "base/SettingsKeys.h"
#include "model/Cabinet.h"
#include "model/WorkFolder.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
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

bool readWholeFile(const std::string& path, std::string& out, std::size_t limit)
{
    return files::readWholeFile(path, out, limit) == files::ReadStatus::Ok;
}

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
    std::string folder = workfolder::processFolder();
    if (folder.empty())
        showMessage(services_.messages, msg::kWorkFolderFailed, {}, style::error);
    return folder;
}

bool CProjectIO::saveProject(const std::string& projectFilePath, ProjectData& data)
{
    const std::size_t slash = projectFilePath.rfind('/');
    if (slash == std::string::npos || slash + 1 == projectFilePath.size())
        return false;
    const std::string fileName = projectFilePath.substr(slash + 1);

    // The data file is packed in memory: no copy of it ever lies in the work folder, so a save
    // that is killed leaves nothing there, and the member is dated now, as a data file just
    // written would be.
    std::string cabinet;
    if (!Cabinet(services_.messages)
             .packData(encodeDataFile(data), fileName, std::time(nullptr), false, cabinet))
        return false;

    struct stat previous
    {
    };
    const bool hadPrevious = ::stat(projectFilePath.c_str(), &previous) == 0;
    const mode_t mode = hadPrevious ? (previous.st_mode & 07777) : files::ordinaryFileMode();

    if (hadPrevious && read(services_.settings, keys::MakeBackup) == 1) {
        const std::string backup = backupPathFor(projectFilePath);
        std::string previousBytes;
        if (backup.empty() ||
            !readWholeFile(projectFilePath, previousBytes, std::size_t(previous.st_size)) ||
            files::writeFileSafely(backup, previousBytes, mode) != files::WriteStatus::Ok) {
            showMessage(services_.messages, msg::kBackupFailed, {}, style::error);
            return false;
        }
    }

    // The previous project file is replaced only by a complete cabinet already on the disk.
    if (files::writeFileSafely(projectFilePath, cabinet, mode) != files::WriteStatus::Ok) {
        showMessage(services_.messages, msg::kNoWriteAccess, {}, style::information);
        return false;
    }

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

    // Expanded in memory, as it is packed: no copy of the data file lies in the work folder.
    std::string bytes;
    CabinetMember member;
    if (!Cabinet(sink).unpackData(projectFilePath, bytes, member))
        return false;

    // Read into staging so that a file that fails half-way leaves the open tables untouched.
    auto staging = std::make_unique<ProjectData>();
    if (!decodeDataFile(bytes, *staging, sink))
        return false;
    data.copyContentFrom(*staging);
    return true;
}

} // namespace corvane
