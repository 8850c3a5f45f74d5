#include "base/FileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::files {

namespace {
struct Fd
{
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};
} // namespace

ReadStatus readWholeFile(const std::string& path, std::string& out, std::size_t maxBytes,
                         struct stat* info)
{
    const Fd file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::OpenFailed;
    struct stat st
    {
    };
    if (::fstat(file.fd, &st) != 0)
        return ReadStatus::NoInfo;
    if (info)
        *info = st;
    if (!S_ISREG(st.st_mode))
        return ReadStatus::NotRegular;
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > maxBytes)
        return ReadStatus::TooLarge;

    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        return ReadStatus::TooLarge;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return ReadStatus::ReadFailed;
        done += static_cast<std::size_t>(n);
    }
    out = std::move(bytes);
    return ReadStatus::Ok;
}

} // namespace corvane::files
