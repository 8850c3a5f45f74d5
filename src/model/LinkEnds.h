// When objects are removed, every link with one of them at either end goes too. The objects left
// at the other ends show those links (a sub-subject's link mark, a marker's link count and line in
// its text views), so they are collected before the removal and refreshed after it.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

#include <vector>

namespace corvane {

/// IDs of the objects that are not in removedIds but share a link with one that is; each once,
/// in link table order.
std::vector<ObjectId> farEndsOfLinks(const ProjectData& project,
                                     const std::vector<ObjectId>& removedIds);

/// After the removal: the link mark of every far-end sub-subject is updated, and the text views
/// of every far-end marker's document are redrawn once (when open), except the documents listed
/// in redrawnDocuments, which the caller redraws itself; the documents redrawn here are added to
/// it. Far ends that no longer exist are skipped.
void refreshFarEnds(const ProjectData& project, Services& services,
                    const std::vector<ObjectId>& farEnds,
                    std::vector<SjisString>& redrawnDocuments);

} // namespace corvane
