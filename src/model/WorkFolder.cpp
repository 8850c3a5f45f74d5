#include "model/WorkFolder.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace corvane::workfolder {

namespace {

constexpr std::string_view kRunPrefix = "run-";
constexpr std::string_view kLockSuffix = ".lock";

/// One claimed folder: its path and the descriptor whose lock marks it as this process's. The
/// descriptor stays open until the process ends.
struct Claim
{
    std::string folder;
    int lockFd = -1;
    pid_t owner = 0; ///< a forked child inherits the entry, not the folder
};

bool isOwnDirectory(const std::string& path)
{
    struct stat st
    {
    };
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

/// The user folder, made when missing and taken back to 0700 when it is ours but open to others.
bool ensureUserFolder(const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0700) == 0)
        return true;
    if (errno != EEXIST || !isOwnDirectory(folder))
        return false;
    struct stat st
    {
    };
    return ::lstat(folder.c_str(), &st) == 0 &&
           ((st.st_mode & 077) == 0 || ::chmod(folder.c_str(), 0700) == 0);
}

/// Opens lockPath and takes its lock without waiting. The lock is held only when the path still
/// names the locked file afterwards: a sweeper may have removed it between the open and the lock.
int lockFile(const std::string& lockPath, bool create)
{
    const int fd =
        ::open(lockPath.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0), 0600);
    if (fd < 0)
        return -1;
    struct stat held
    {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 ||
        ::lstat(lockPath.c_str(), &named) != 0 || held.st_ino != named.st_ino ||
        held.st_dev != named.st_dev) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::vector<std::string> lockFileNames(const std::string& userFolder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(userFolder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() > kRunPrefix.size() + kLockSuffix.size() && name.starts_with(kRunPrefix) &&
            name.ends_with(kLockSuffix))
            names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

/// Claims a fresh folder for this process: the lock first, then the folder, so that no sweeper
/// ever sees a folder of a live process without its lock held.
Claim claim(const std::string& userFolder)
{
    const std::string stem =
        userFolder + "/" + std::string(kRunPrefix) + std::to_string(::getpid());
    // Another process with the same id (another PID namespace sharing /tmp) may hold the plain
    // name; a suffix then tells the two apart.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder = attempt == 0 ? stem : stem + "-" + std::to_string(attempt);
        const int fd = lockFile(folder + std::string(kLockSuffix), true);
        if (fd < 0)
            continue;
        // A folder under our lock's name belongs to a process that has ended: start afresh.
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        if (::mkdir(folder.c_str(), 0700) != 0) {
            ::close(fd);
            return {};
        }
        return {folder, fd, ::getpid()};
    }
    return {};
}

} // namespace

std::string userFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder + "/Corvane-" + std::to_string(::getuid());
}

int removeOrphans(const std::string& userFolder)
{
    int removed = 0;
    for (const std::string& lockName : lockFileNames(userFolder)) {
        const std::string lockPath = userFolder + "/" + lockName;
        const int fd = lockFile(lockPath, false);
        if (fd < 0)
            continue; // its process still runs (or the file is not ours to judge)
        const std::string folder = lockPath.substr(0, lockPath.size() - kLockSuffix.size());
        std::error_code ec;
        // Only a real folder is emptied; a symlink of that name is removed, never followed.
        if (isOwnDirectory(folder))
            std::filesystem::remove_all(folder, ec);
        else
            std::filesystem::remove(folder, ec);
        ::unlink(lockPath.c_str());
        ::close(fd);
        ++removed;
    }
    return removed;
}

namespace {

/// Every folder this process claimed, by user folder (so a change of TMPDIR tells). At a normal
/// exit the process clears its own folders away; after a crash the next start does.
struct Claims
{
    std::mutex mutex;
    std::map<std::string, Claim> byUserFolder;

    ~Claims()
    {
        for (auto& [user, held] : byUserFolder) {
            // A forked child that exits normally must not take its parent's folders with it.
            if (held.lockFd < 0 || held.owner != ::getpid())
                continue;
            std::error_code ec;
            if (isOwnDirectory(held.folder))
                std::filesystem::remove_all(held.folder, ec);
            ::unlink((held.folder + std::string(kLockSuffix)).c_str());
            ::close(held.lockFd);
        }
    }
};

} // namespace

std::string processFolder()
{
    static Claims all;
    const std::lock_guard<std::mutex> guard(all.mutex);
    auto& claims = all.byUserFolder;

    const std::string user = userFolder();
    if (!ensureUserFolder(user))
        return {};
    Claim& held = claims[user];
    if (held.lockFd >= 0 && held.owner == ::getpid() && isOwnDirectory(held.folder))
        return held.folder;
    if (held.lockFd >= 0)
        ::close(held.lockFd);
    removeOrphans(user);
    held = claim(user);
    return held.folder;
}

} // namespace corvane::workfolder
