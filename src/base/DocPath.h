// Conversion between a record's relative document path and a path on disk.
//
// Records name a document by its path relative to the project's doc folder, in Shift-JIS with "\"
// separators ("Folder A\Doc 1"), as the project file stores it. On disk the same document is
// docFolder + "Folder A/Doc 1" in UTF-8. Record paths come from project files, which may be
// damaged or hostile, so a relative path that could name anything outside the doc folder is
// refused; callers treat a refused path like a missing document.
#pragma once

#include "base/Types.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane::docpath {

/// True when relativeSjis names something strictly inside the doc folder: not empty, no NUL,
/// well-formed Shift-JIS, every character known to CP932, not absolute ("\" or "/" first), no
/// drive letter ("C:"), and no component that is empty, "." or "..", or that holds a "/" (a Unix
/// separator inside a Windows name). "\" is a separator only as a character of its own; a 0x5C
/// that is the trail byte of a two-byte character belongs to that character.
bool isSafeRelative(SjisView relativeSjis);

/// The relative path in UTF-8 with "/" separators, or nullopt when it is not safe.
std::optional<std::string> toUtf8Relative(SjisView relativeSjis);

/// docFolder (UTF-8 disk path, with or without a trailing "/") + the converted relative path;
/// nullopt when the relative path is not safe or docFolder is empty.
std::optional<std::string> toDiskPath(std::string_view docFolder, SjisView relativeSjis);

/// The relative Shift-JIS path of a full disk path (UTF-8). A trailing "*" (the text view's mark
/// of unsaved changes) is dropped first. Refused (nullopt) when the path is not below docFolder,
/// names the doc folder itself, has an empty, "." or ".." component, or has a name that cannot be
/// stored in a record: a character CP932 cannot hold, or one that becomes a "\" in Shift-JIS
/// (a "\" or "¥" in a Linux file name would turn into a separator).
std::optional<SjisString> toRelative(std::string_view docFolder, std::string_view fullDiskPath);

} // namespace corvane::docpath
