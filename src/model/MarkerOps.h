// The marker operations the text view, the marker list and the chart reach: creating a marker
// from a selection, deleting one, stepping from marker to marker in the active document and
// making one the current object. Each keeps the tables consistent, sets the modified flag,
// rewrites the status counts and names what the windows must refresh.
#pragma once

#include "base/Services.h"
#include "model/MarkerPalette.h"
#include "model/ProjectData.h"

namespace corvane {

enum class MarkerStep
{
    First,
    Previous,
    Next,
    Last
};

class MarkerOps
{
public:
    MarkerOps(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// Appends a marker of [startByte, endByte) of the document (relative path) with the marked
    /// text cut to 100 bytes, in the colour chosen. False, with nothing changed, at the object
    /// limit (after its message), when the colour dialog is cancelled, for an empty or negative
    /// span and for a document path that a record cannot hold.
    bool addMarker(SjisView relativePath, ByteOffset startByte, ByteOffset endByte,
                   SjisView markerText, MarkerColourChoice colourChoice);

    /// Deletes the marker at index and its links, after message 30083 when ask is set. False for
    /// an index that is out of range or not a marker, and when the user says No.
    bool deleteMarker(int index, bool ask);

    /// Index of the marker to show in the active text view's document, -1 when there is none.
    /// Previous and next wrap around to the last and the first.
    int navigate(MarkerStep step) const;

    /// Makes the marker at index the current object and shows its span (and its properties when
    /// withProperties is set). False for an index out of range or not a marker.
    bool showMarker(int index, bool withProperties);

private:
    ProjectData& p_;
    Services& s_;
};

} // namespace corvane
