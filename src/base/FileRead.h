// Reading a whole file into memory, the one way every subsystem does it: regular files only,
// the size limit applied before anything is allocated, interrupted reads resumed.
#pragma once

#include <cstddef>
#include <string>

struct stat;

namespace corvane::files {

enum class ReadStatus
{
    Ok,
    Missing,    ///< no such file
    OpenFailed, ///< exists but cannot be opened (permissions, ...)
    NoInfo,     ///< its size and kind could not be read
    NotRegular, ///< a folder, device or pipe
    TooLarge,   ///< over maxBytes, or memory for it could not be had
    ReadFailed  ///< a read failed or the file shrank while it was read
};

/// Reads the regular file at path (a UTF-8 disk path) into out. Files over maxBytes are refused
/// before memory is allocated. When info is given it receives the file's status. out is left
/// unchanged on failure.
ReadStatus readWholeFile(const std::string& path, std::string& out, std::size_t maxBytes,
                         struct stat* info = nullptr);

} // namespace corvane::files
