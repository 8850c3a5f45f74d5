#include "model/CurrentObject.h"

#include "model/FixedText.h"
#include "model/ObjectTable.h"

namespace corvane {

ObjectId currentObjectId(const ProjectData& project)
{
    const int i = project.currentObject;
    return i >= 0 && i < project.objectCount ? project.objects[i].id : 0;
}

bool makeCurrent(ProjectData& project, Services& services, ObjectId id,
                 const MakeCurrentRequest& request)
{
    const int index = findObjectIndex(project, id);
    if (index < 0)
        return false;
    const int previous = project.currentObject;
    const bool changed = previous != index;
    if (changed && previous >= 0 && previous < project.objectCount &&
        project.objects[previous].type == ObjectType::Marker)
        services.refresh.dropCurrentMarkerHighlight(fixedText(project.objects[previous].document));
    project.currentObject = index;
    if (request.showSpan)
        services.refresh.showSpanOfObject(project.objects[index].id);
    if (request.showProperties)
        services.refresh.showPropertiesOfObject(project.objects[index].id);
    if (request.objectChanged)
        services.refresh.rebuildMarkerList();
    if ((changed || request.objectChanged) && project.chartShown)
        services.refresh.redrawChart();
    return true;
}

} // namespace corvane
