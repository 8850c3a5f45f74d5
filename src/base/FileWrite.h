// Writing a whole file safely, the one way every writer does it: the bytes go to a temporary file
// beside the target, are flushed to the disk, and only then take the target's name, so a crash or
// a full disk at any moment leaves either the old file or the new one, never a mix.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace corvane::files {

enum class WriteStatus
{
    Ok,
    Exists,       ///< the target exists and was to be kept (Existing::Keep); nothing was written
    TempFailed,   ///< no temporary file could be made in the target's folder (missing, no rights)
    WriteFailed,  ///< writing, flushing or setting the mode of the temporary failed (disk full)
    RenameFailed, ///< the finished temporary could not take the target's name
};

/// What happens to a file already at the target path.
enum class Existing
{
    Replace, ///< replaced in one step (rename)
    Keep,    ///< the write fails with WriteStatus::Exists; no moment where the target is replaced
};

/// Writes bytes as the whole file at path (a UTF-8 disk path):
/// 1. removes temporaries of the same target left by a writer that was killed (see below);
/// 2. creates a temporary in the target's folder, named after the target (temporaryPrefix);
/// 3. writes the bytes, sets exactly the permission bits mode (no umask applied: documents are
///    created read-only, 0444), and flushes the file to the disk (fsync);
/// 4. renames it to path (Existing::Replace), or links it there without replacing anything
///    (Existing::Keep: renameat2 RENAME_NOREPLACE; link and unlink where that is unsupported);
/// 5. flushes the folder, so the new name itself survives a power cut.
/// On any failure the temporary is removed and the target is as it was. A failed flush of the
/// folder after the rename is not reported: the new file is in place by then.
///
/// Each temporary is locked (flock) by its writer for as long as it exists, and the lock dies
/// with the writer's process; step 1 removes only temporaries whose lock it can take, so two
/// writers of one file never remove each other's temporaries.
WriteStatus writeFileSafely(const std::string& path, std::string_view bytes, mode_t mode,
                            Existing existing = Existing::Replace);

/// The start of the names of path's temporaries, within its folder: "." + file name + ".cvtmp.",
/// the file name shortened (bytewise) so that a temporary's name fits the file system's limit. A
/// random suffix of six letters and digits completes each name.
std::string temporaryPrefix(std::string_view fileName);

/// True for a name (without folder) that this module gives to temporaries of some target.
bool isTemporaryName(std::string_view fileName);

/// Removes the temporaries of path that no running writer holds; returns how many were removed.
int removeLeftoverTemporaries(const std::string& path);

/// 0666 without the bits the process's umask removes: the mode an ordinary new file gets.
mode_t ordinaryFileMode();

/// The permission bits of the file at path (following symlinks), or fallback when it has none.
mode_t permissionsOr(const std::string& path, mode_t fallback);

} // namespace corvane::files
