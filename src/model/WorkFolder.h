// The private work folder: where working copies of open documents, the data file on its way into
// or out of the project file and other scratch files live while a process runs. Each process
// works in a folder of its own, marked as its own by a lock it holds for its whole life, so that
// the leftovers of a process that crashed can be told from those of one still running.
#pragma once

#include <string>

namespace corvane::workfolder {

/// The folder shared by this user's processes: the system temporary folder (TMPDIR, else /tmp) +
/// "/Corvane-" + the user's numeric id. No trailing "/".
std::string userFolder();

/// This process's folder inside userFolder(): "run-<pid>", claimed by holding an exclusive lock
/// on "run-<pid>.lock" beside it until the process ends (the system releases it even after a
/// crash). Creates what is missing (modes 0700) and, when it claims a folder, first removes the
/// folders of processes that no longer run. Returns "" when the user folder exists but is not a
/// directory owned by this user (a shared /tmp invites a planted symlink) or cannot be made.
/// Later calls return the same folder while it exists; a change of TMPDIR claims anew. A normal
/// exit of the process removes the folders it claimed.
std::string processFolder();

/// Removes, inside userFolder, every "run-*" folder whose lock file no process holds, with its
/// lock file; folders that are locked, and every other name, are left alone. Returns how many
/// folders were removed.
int removeOrphans(const std::string& userFolder);

} // namespace corvane::workfolder
