// Creating and changing markers from a text view's selection: which markers a selection
// overlaps, the questions before a marker's span and colour change, and the colour a choice
// stands for. Plain logic; the view reads the selected text and applies the outcome (selection
// cleared, redraw, its undo lists emptied).
//
// A marker's span for these rules is p = position and e = position + length - 1 (its last byte).
// Its interior for hit tests is p <= offset < e, so a click on its last byte does not hit it.
#pragma once

#include "base/Services.h"
#include "model/MarkerPalette.h"
#include "model/ProjectData.h"

#include <optional>
#include <vector>

namespace corvane {

/// The longest marker text in bytes; a longer selection is cut at a character boundary.
inline constexpr std::size_t kMarkerTextBytes = 100;

/// True when the marker at position with length overlaps the selection [selStart, selEnd): the
/// selection lies within [p, e], or starts inside (p, e) and runs to e or beyond, or starts at or
/// before p and ends inside (p, e), or covers [p, e] whole.
bool markerOverlapsSelection(ByteOffset position, std::int32_t length, ByteOffset selStart,
                             ByteOffset selEnd);

/// Indexes of the markers of the document (relative path) that overlap [selStart, selEnd), in
/// object-table order.
std::vector<int> overlappingMarkers(const ProjectData& project, SjisView relativePath,
                                    ByteOffset selStart, ByteOffset selEnd);

/// The first marker of the document in object-table order whose interior holds byteOffset, or -1.
int markerAt(const ProjectData& project, SjisView relativePath, ByteOffset byteOffset);

/// The initial colour: MARKER/refDef, 0xBF8F6F when it is empty or not a number.
Colour initialMarkerColour(const SettingsStore& settings);

enum class MarkerEditOutcome
{
    Nothing,   ///< empty selection or empty selected text
    Created,   ///< a new marker (the last object) became the current object
    Changed,   ///< the overlapped marker got the new span (and colour) and became current
    Refused,   ///< over several markers (30047), or at the object limit
    Cancelled, ///< No or Cancel in a question, or Cancel in the colour dialog
};

struct MarkerEditResult
{
    MarkerEditOutcome outcome = MarkerEditOutcome::Nothing;
    int objectIndex = -1; ///< the marker created or changed
};

class MarkerEdit
{
public:
    MarkerEdit(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// Create or change from the selection [selStart, selEnd) of the document (relative path)
    /// whose selected bytes are selectedText, in the colour chosen. With one marker overlapped,
    /// that marker is changed after 30054 and 30092; with none, a marker is made; with more, 30047.
    MarkerEditResult createOrChange(SjisView relativePath, ByteOffset selStart, ByteOffset selEnd,
                                    SjisView selectedText, MarkerColourChoice colourChoice);

    /// Asks 30031 and on Yes makes the colour of the marker at index the initial colour, then
    /// reports 30091. False when index is not a marker or the user says No.
    bool setInitialColour(int index);

private:
    MarkerEditResult change(int index, ByteOffset selStart, ByteOffset selEnd,
                            SjisView selectedText, MarkerColourChoice colourChoice);
    /// The colour for a choice; nullopt when the colour dialog was cancelled.
    std::optional<Colour> colourOf(MarkerColourChoice colourChoice, Colour dialogInitial);
    /// The marker at index became the current object after a change or a creation.
    void madeCurrent(int index);

    ProjectData& p_;
    Services& s_;
};

} // namespace corvane
