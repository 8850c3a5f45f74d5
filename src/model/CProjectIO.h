// Writes and reads the project file (the data file packed as the single member of a cabinet,
// both in memory) and the backup copy beside it; provides the private work folder that the
// documents' working copies and the clipboard import use.
#pragma once

#include "base/Services.h"
#include "model/DataFile.h"
#include "model/ProjectData.h"

#include <string>

namespace corvane {

class CProjectIO
{
public:
    explicit CProjectIO(Services& services);

    /// This process's private work folder (workfolder::processFolder: a folder of its own inside
    /// TMPDIR or /tmp + "/Corvane-" + the user's numeric id). Refused with 30021 when the user's
    /// folder exists but is not a directory owned by this user (a shared /tmp invites a planted
    /// symlink). Returns "" after a failure, once the message has been shown. No trailing "/".
    std::string workFolder();

    /// Saves data to projectFilePath (a UTF-8 disk path with "/"): the data file is packed in
    /// memory, the previous project file is copied to the backup "(back).CVN" when
    /// KanSet/MakeBackup is 1, and the cabinet replaces the project file through a flushed
    /// temporary beside it (files::writeFileSafely), keeping the old file's permissions. Any
    /// failure leaves the previous project file byte-identical. On success Last/FilePath is
    /// written and data.modified cleared.
    bool saveProject(const std::string& projectFilePath, ProjectData& data);

    /// Loads the project file's settings blocks and tables into data, expanding the cabinet in
    /// memory. The extension must be "CVN"
    /// in any case (30070, checked before anything is read); the file must exist (30077) and not
    /// be a folder (30066). The file is read into staging: data changes only when the whole file
    /// was valid. Identity (folder, name) and run-time state are left to the caller.
    bool loadProjectFile(const std::string& projectFilePath, ProjectData& data);

private:
    Services& services_;
};

/// projectFilePath with everything from its last "." replaced by "(back).CVN"; "" when the file
/// name has no ".".
std::string backupPathFor(const std::string& projectFilePath);

/// True when the last three characters of path, in upper case, are "CVN".
bool hasProjectExtension(const std::string& path);

} // namespace corvane
