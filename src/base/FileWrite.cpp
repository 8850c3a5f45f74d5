#include "base/FileWrite.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::files {

namespace {

constexpr std::string_view kTemporaryMark = ".cvtmp.";
/// mkostemp's six random letters and digits.
constexpr std::size_t kSuffixBytes = 6;
/// The longest file name ext4, XFS, btrfs and tmpfs accept, in bytes.
constexpr std::size_t kMaxNameBytes = 255;

struct Fd
{
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool isSuffixByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isSuffix(std::string_view s)
{
    if (s.size() != kSuffixBytes)
        return false;
    for (char c : s)
        if (!isSuffixByte(c))
            return false;
    return true;
}

/// A disk path as its folder ("." for a bare name) and its file name.
struct PathParts
{
    std::string folder;
    std::string fileName;
};

PathParts splitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {std::string(1, '.'), path};
    return {slash == 0 ? std::string(1, '/') : path.substr(0, slash), path.substr(slash + 1)};
}

std::string joinPath(const std::string& folder, std::string_view name)
{
    std::string full = folder;
    if (full.back() != '/')
        full += '/';
    full += name;
    return full;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

/// Makes a finished rename in folder durable.
void syncFolder(const std::string& folder)
{
    const Fd dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0)
        ::fsync(dir.fd);
}

/// Creates and locks a new temporary for the target, returning its descriptor (-1 on failure)
/// and its path in temp.
int createLockedTemporary(const std::string& folder, std::string_view fileName, std::string& temp)
{
    // A remover in another process may take the new file's lock between its creation and ours
    // and remove it; the name then no longer leads to our file, and a fresh name is tried.
    for (int attempt = 0; attempt < 8; ++attempt) {
        temp = joinPath(folder, temporaryPrefix(fileName)) + "XXXXXX";
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        // A file system without flock still gets safe writes, only no removal of leftovers.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        struct stat opened
        {
        }, named{};
        if (::fstat(fd, &opened) == 0 && ::lstat(temp.c_str(), &named) == 0 &&
            sameFile(opened, named))
            return fd;
        ::close(fd);
    }
    return -1;
}

/// Gives temp the name path without ever replacing a file there.
WriteStatus linkWithoutReplacing(const std::string& temp, const std::string& path)
{
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return WriteStatus::Ok;
    if (errno == EEXIST)
        return WriteStatus::Exists;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return WriteStatus::RenameFailed;
    // No RENAME_NOREPLACE here (some network and FUSE file systems): a hard link also fails
    // when the name exists, atomically.
    if (::link(temp.c_str(), path.c_str()) == 0) {
        ::unlink(temp.c_str());
        return WriteStatus::Ok;
    }
    if (errno == EEXIST)
        return WriteStatus::Exists;
    if (errno != EPERM && errno != ENOTSUP && errno != EMLINK)
        return WriteStatus::RenameFailed;
    // Neither (FAT and similar): check, then rename, leaving a small window that no better
    // primitive can close on such a file system.
    struct stat st
    {
    };
    if (::lstat(path.c_str(), &st) == 0)
        return WriteStatus::Exists;
    return ::rename(temp.c_str(), path.c_str()) == 0 ? WriteStatus::Ok : WriteStatus::RenameFailed;
}

} // namespace

std::string temporaryPrefix(std::string_view fileName)
{
    const std::size_t room = kMaxNameBytes - 1 - kTemporaryMark.size() - kSuffixBytes;
    const std::string_view kept = fileName.substr(0, room);
    std::string prefix(1 + kept.size() + kTemporaryMark.size(), '.');
    kept.copy(prefix.data() + 1, kept.size());
    kTemporaryMark.copy(prefix.data() + 1 + kept.size(), kTemporaryMark.size());
    return prefix;
}

bool isTemporaryName(std::string_view fileName)
{
    if (fileName.size() < 2 + kTemporaryMark.size() + kSuffixBytes || fileName.front() != '.')
        return false;
    const std::size_t suffixAt = fileName.size() - kSuffixBytes;
    return isSuffix(fileName.substr(suffixAt)) &&
           fileName.substr(suffixAt - kTemporaryMark.size(), kTemporaryMark.size()) ==
               kTemporaryMark;
}

int removeLeftoverTemporaries(const std::string& path)
{
    const auto [folder, fileName] = splitPath(path);
    if (fileName.empty())
        return 0;
    const std::string prefix = temporaryPrefix(fileName);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name.size() != prefix.size() + kSuffixBytes ||
            name.substr(0, prefix.size()) != prefix || !isSuffix(name.substr(prefix.size())))
            continue;
        const std::string full = joinPath(folder, name);
        const Fd file{::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
        struct stat opened
        {
        }, named{};
        // Only a temporary whose writer is gone can be locked. Once locked, the name must still
        // lead to it: a writer may have finished and renamed it away meanwhile.
        if (file.fd < 0 || ::flock(file.fd, LOCK_EX | LOCK_NB) != 0 ||
            ::fstat(file.fd, &opened) != 0 || !S_ISREG(opened.st_mode) ||
            ::lstat(full.c_str(), &named) != 0 || !sameFile(opened, named))
            continue;
        if (::unlink(full.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

WriteStatus writeFileSafely(const std::string& path, std::string_view bytes, mode_t mode,
                            Existing existing)
{
    const auto [folder, fileName] = splitPath(path);
    if (fileName.empty())
        return WriteStatus::TempFailed;
    removeLeftoverTemporaries(path);

    std::string temp;
    const Fd file{createLockedTemporary(folder, fileName, temp)};
    if (file.fd < 0)
        return WriteStatus::TempFailed;
    // The descriptor, and with it the lock, stays open until the temporary is renamed or removed.
    WriteStatus status = WriteStatus::Ok;
    if (!writeAll(file.fd, bytes) || ::fchmod(file.fd, mode & 07777) != 0 || ::fsync(file.fd) != 0)
        status = WriteStatus::WriteFailed;
    else if (existing == Existing::Replace)
        status =
            ::rename(temp.c_str(), path.c_str()) == 0 ? WriteStatus::Ok : WriteStatus::RenameFailed;
    else
        status = linkWithoutReplacing(temp, path);

    if (status != WriteStatus::Ok) {
        ::unlink(temp.c_str());
        return status;
    }
    syncFolder(folder);
    return WriteStatus::Ok;
}

mode_t ordinaryFileMode()
{
    // Linux reports the umask without changing it; elsewhere it can only be read by setting it.
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr)
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return mode_t(0666) & ~mode_t(mask);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mode_t(0666) & ~mask;
}

mode_t permissionsOr(const std::string& path, mode_t fallback)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : fallback;
}

} // namespace corvane::files
