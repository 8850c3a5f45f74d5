#include "model/ProjectStatus.h"

#include "model/DocumentPath.h"
#include "model/ObjectTable.h"

#include <string>

namespace corvane {

void setModified(ProjectData& project)
{
    project.modified = true;
}

void refreshStatusCounts(const ProjectData& project, Services& services)
{
    std::string markerText;
    const ActiveView view = services.views.activeView();
    if (view.kind == ActiveView::Kind::Text) {
        const auto relative = relativeDocumentPath(project, view.fullPath);
        const int inDocument = relative ? countMarkersIn(project, *relative) : 0;
        markerText = std::to_string(inDocument) + " / " + std::to_string(countMarkers(project));
    }
    services.refresh.setStatusPane(StatusPane::Marker, markerText);
    services.refresh.setStatusPane(StatusPane::Link, std::to_string(project.linkCount));
    services.refresh.setStatusPane(StatusPane::Node, std::to_string(project.objectCount));
    if (!project.isOpen())
        services.refresh.setStatusPane(StatusPane::Position, std::string());
}

} // namespace corvane
