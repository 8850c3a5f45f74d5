// The few POSIX file operations the document list needs, with the guarantees it relies on:
// whole-file reads, writes that never overwrite a document, and the read-only state that marks a
// document as belonging to a project. Paths are UTF-8 disk paths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::doclist {

/// The whole file; nullopt when it cannot be opened or read, or is not a regular file.
std::optional<std::string> readWholeFile(const std::string& path);

enum class CreateResult
{
    Created,
    Exists,
    Failed
};

/// Creates path holding exactly bytes, flushed to the disk; never replaces an existing file, and
/// the name appears only once the whole file is written. With readOnly the file is made without
/// write permission (0444), so there is no moment at which a finished document is writable.
CreateResult createFileExclusive(const std::string& path, std::string_view bytes,
                                 bool readOnly = false);

/// Writes path whole through a flushed temporary file beside it that is renamed over it, keeping
/// the permissions of the file it replaces (a new file gets those the umask allows).
bool writeFileReplacing(const std::string& path, std::string_view bytes);

/// Read-only on Linux: all write permission bits removed; writable: the owner's write bit set.
bool setReadOnly(const std::string& path, bool readOnly);

bool isDirectory(const std::string& path);
bool isRegularFile(const std::string& path);
bool pathExists(const std::string& path);

/// Renames without replacing: fails (false) when to exists, for files and folders alike.
bool renameNoReplace(const std::string& from, const std::string& to);

/// The part after the last "/" of a disk path.
std::string_view fileNamePart(std::string_view path);

} // namespace corvane::doclist
