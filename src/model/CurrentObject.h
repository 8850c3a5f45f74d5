// The project's current object: the one the properties pane shows and the text view darkens.
// Every route that makes an object current (picking a marker, stepping to one, creating or
// changing one) goes through makeCurrent, so the highlight of the previous marker is always
// dropped and the panes always hear of it the same way.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

namespace corvane {

/// What else the caller wants besides the change of the current object.
struct MakeCurrentRequest
{
    bool showSpan = false;      ///< open the object's document and show its span
    bool showProperties = true; ///< show its page in the properties pane
    /// The object itself is new or changed (span, colour): the marker list rebuilds and the chart
    /// redraws even when it was current already.
    bool objectChanged = false;
};

/// Makes the object with id the current object. The text views of the previous current marker's
/// document drop its highlight; the chart redraws when shown. Nothing changes for an id that no
/// object has (false). Making the current object current again only repeats the requested shows.
bool makeCurrent(ProjectData& project, Services& services, ObjectId id,
                 const MakeCurrentRequest& request);

/// ID of the current object, 0 when there is none (or the index is stale).
ObjectId currentObjectId(const ProjectData& project);

} // namespace corvane
