// A project's documents as the model names them: the relative path stored in records, from the
// full disk path that text views and the document list use.
#pragma once

#include "model/ProjectData.h"

#include <optional>
#include <string_view>

namespace corvane {

/// The relative document path of fullDiskPath (a trailing "*" dropped), or nullopt when the path
/// is not a document below the project's doc folder.
std::optional<SjisString> relativeDocumentPath(const ProjectData& project,
                                               std::string_view fullDiskPath);

} // namespace corvane
