#include "model/LinkEnds.h"

#include "model/FixedText.h"
#include "model/ObjectTable.h"

#include <algorithm>

namespace corvane {

namespace {

bool contains(const std::vector<ObjectId>& ids, ObjectId id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

std::vector<ObjectId> farEndsOfLinks(const ProjectData& project,
                                     const std::vector<ObjectId>& removedIds)
{
    std::vector<ObjectId> ends;
    for (int i = 0; i < project.linkCount; ++i) {
        const LinkRecord& link = project.links[i];
        const bool fromGoes = contains(removedIds, link.from);
        const bool toGoes = contains(removedIds, link.to);
        if (fromGoes == toGoes)
            continue;
        const ObjectId far = fromGoes ? link.to : link.from;
        if (!contains(ends, far))
            ends.push_back(far);
    }
    return ends;
}

void refreshFarEnds(const ProjectData& project, Services& services,
                    const std::vector<ObjectId>& farEnds, std::vector<SjisString>& redrawnDocuments)
{
    for (ObjectId id : farEnds) {
        const int index = findObjectIndex(project, id);
        if (index < 0)
            continue;
        const ObjectRecord& r = project.objects[index];
        if (r.type == ObjectType::SubSubject) {
            services.refresh.updateLinkMark(id);
        } else if (r.type == ObjectType::Marker) {
            SjisString document(fixedText(r.document));
            if (std::find(redrawnDocuments.begin(), redrawnDocuments.end(), document) !=
                redrawnDocuments.end())
                continue;
            if (services.views.isDocumentOpen(document))
                services.refresh.redrawTextViewsOf(document);
            redrawnDocuments.push_back(std::move(document));
        }
    }
}

} // namespace corvane
