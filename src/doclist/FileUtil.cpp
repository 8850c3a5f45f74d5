#include "doclist/FileUtil.h"

#include "base/FileRead.h"
#include "base/FileWrite.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::doclist {

std::optional<std::string> readWholeFile(const std::string& path)
{
    std::string bytes;
    if (files::readWholeFile(path, bytes, std::numeric_limits<std::size_t>::max()) !=
        files::ReadStatus::Ok)
        return std::nullopt;
    return bytes;
}

CreateResult createFileExclusive(const std::string& path, std::string_view bytes, bool readOnly)
{
    switch (files::writeFileSafely(path, bytes, readOnly ? 0444 : files::ordinaryFileMode(),
                                   files::Existing::Keep)) {
    case files::WriteStatus::Ok:
        return CreateResult::Created;
    case files::WriteStatus::Exists:
        return CreateResult::Exists;
    default:
        return CreateResult::Failed;
    }
}

bool writeFileReplacing(const std::string& path, std::string_view bytes)
{
    const mode_t mode = files::permissionsOr(path, files::ordinaryFileMode());
    return files::writeFileSafely(path, bytes, mode) == files::WriteStatus::Ok;
}

bool setReadOnly(const std::string& path, bool readOnly)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
}

bool isDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool pathExists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool renameNoReplace(const std::string& from, const std::string& to)
{
    // renameat2(RENAME_NOREPLACE) is atomic but not supported by every file system; fall back to
    // a check first, which leaves only a tiny window on such file systems.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (pathExists(to))
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string_view fileNamePart(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace corvane::doclist
