// Where the exports of a project go: the project's "work" folder beside the project file, one
// file per document named after its relative path, so two documents of one name in different
// folders never overwrite each other's output.
#pragma once

#include "base/Types.h"
#include "model/ProjectData.h"

#include <optional>
#include <string>

namespace corvane::output {

/// project folder + "work" (UTF-8, no trailing "/"); empty when no project is open.
std::string outputFolder(const ProjectData& project);

/// Creates the output folder when it does not exist; false when it cannot be made.
bool makeOutputFolder(const std::string& folder);

/// The output file name (UTF-8) of the document relativePath (Shift-JIS, "\" separated, a
/// trailing modified mark "*" ignored): its components joined with "_", then extension (".pdf").
/// nullopt for a path that is not a safe document path.
std::optional<std::string> outputFileName(SjisView relativePath, std::string_view extension);

/// folder + "/" + outputFileName; nullopt as there.
std::optional<std::string> outputPath(const std::string& folder, SjisView relativePath,
                                      std::string_view extension);

} // namespace corvane::output
