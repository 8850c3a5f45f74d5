// Which colour each character cell of a display line gets: background, selection, marker colours
// (the current object's marker darkened), and which cells carry the link-line band. Also the
// markers of a document with their link counts, read from the project tables once per drawing.
#pragma once

#include "base/Types.h"
#include "model/ProjectData.h"

#include <vector>

namespace corvane {

/// A marker of the shown document as drawing needs it.
struct MarkerSpan
{
    ByteOffset position = 0;
    std::int32_t length = 0;
    Colour colour = 0;
    int linkCount = 0;    ///< links with the marker's object ID at either end
    bool current = false; ///< the project's current object
    int objectIndex = -1; ///< index into the object table
    ByteOffset end() const { return position + length; }
};

/// Markers of the document (relative path, compared byte for byte) in object-table order, with
/// their link counts. One pass over each table.
std::vector<MarkerSpan> markerSpansOf(const ProjectData& project, SjisView relativePath);

/// colour with 50 taken from each of red, green and blue, never below 0.
Colour darkened(Colour colour);

/// WCAG contrast ratio of two colours, 1 (same luminance) to 21 (black on white).
double contrastRatio(Colour a, Colour b);

/// The colour the current object's marker is drawn in: darkened, unless that leaves text of
/// textColour below a readable contrast (a dark custom marker colour); then lightened by the same
/// step, whichever of the two reads better when neither reaches it.
Colour currentMarkerColour(Colour marker, Colour textColour);

/// Selection as a half-open byte range; empty (start == end, or -1) means none.
struct ByteRange
{
    ByteOffset start = -1;
    ByteOffset end = -1;
    bool empty() const { return start < 0 || end <= start; }
};

struct CellStyle
{
    Colour colour = 0;
    bool linkLine = false;
};

struct CellColourInputs
{
    Colour background = 0;
    Colour selection = 0;
    bool linkLinesShown = true;
    Colour text = 0; ///< the text's colour, which marker colours must keep readable
};

/// Cell styles of one display line [lineStart, lineEnd) whose characters start at the byte
/// offsets charStarts (ascending). A character belongs to a span when its first byte does.
/// Selected cells take the selection colour; cells of a marker take its colour, or its current
/// colour (currentMarkerColour) for the current object; a selected cell of another marker takes
/// that marker's current colour, while a selected cell of the current object's marker keeps the
/// selection colour. Markers later in the table paint over earlier ones.
void cellStyles(const std::vector<ByteOffset>& charStarts, ByteOffset lineStart, ByteOffset lineEnd,
                ByteRange selection, const std::vector<MarkerSpan>& markers,
                const CellColourInputs& in, std::vector<CellStyle>& out);

} // namespace corvane
