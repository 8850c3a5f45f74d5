#include "model/DocumentPath.h"

#include "base/DocPath.h"

namespace corvane {

std::optional<SjisString> relativeDocumentPath(const ProjectData& project,
                                               std::string_view fullDiskPath)
{
    if (!project.isOpen())
        return std::nullopt;
    return docpath::toRelative(project.docFolder(), fullDiskPath);
}

} // namespace corvane
