// How an edit of a document's text moves the markers and bookmarks in it. An edit replaces the
// bytes [at, at + removed) by inserted new bytes; markers are byte spans and bookmarks byte
// positions in the same text, so every edit first checks the markers and then moves both. The
// check is separate from the moves so that an edit is settled completely (refusal, the question
// about covered markers) before anything changes.
//
// For a marker, p is its position and E = p + length, one past its last byte.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

#include <vector>

namespace corvane {

/// One edit of a document's text in byte offsets: [at, at + removedBytes) replaced by
/// insertedBytes new bytes. A deletion has insertedBytes 0, an insertion removedBytes 0.
struct TextEdit
{
    ByteOffset at = 0;
    std::int32_t removedBytes = 0;
    std::int32_t insertedBytes = 0;

    ByteOffset removedEnd() const { return at + removedBytes; }
};

/// What the markers of a document say about an edit.
struct MarkerCheck
{
    /// The edit would cut into a marker: an insertion with p < at < E, or a deletion that starts
    /// inside a marker longer than one byte (p <= at < E) or ends inside one (p < end < E).
    bool refused = false;
    /// Markers the deletion covers whole (at <= p and E <= end): removed with their links when
    /// the edit goes ahead. A one-byte marker starting at end is not covered.
    std::vector<ObjectId> covered;
};

/// Checks the markers of the document (relative path) for edit: first the deletion, then the
/// insertion at `at` against the markers as the deletion leaves them.
MarkerCheck checkMarkers(const ProjectData& project, SjisView relativePath, const TextEdit& edit);

/// Moves the markers of the document for an edit that was checked (covered markers already
/// removed): a marker at or after the end of the removed range moves by inserted - removed; one
/// inside the removed range (only undo and redo, which do not ask, can leave one there) moves to
/// at. Positions never go negative. True when a marker moved.
bool shiftMarkers(ProjectData& project, SjisView relativePath, const TextEdit& edit);

enum class BookmarkRule
{
    /// A user's deletion: a bookmark with at <= position <= end is cleared (the end offset too).
    ClearInRange,
    /// Undo and redo: a bookmark inside the removed range moves to at, never below it.
    MoveToEditPoint,
};

/// Moves or clears the bookmarks of the document for edit. Only bookmarks that are valid for the
/// text before the edit (0 <= position <= oldLength) move; one beyond its document is left alone.
/// A bookmark at `at` of an insertion is pushed along, as a marker is. Returns the slots cleared.
std::vector<int> shiftBookmarks(ProjectData& project, SjisView relativePath, const TextEdit& edit,
                                std::int32_t oldLength, BookmarkRule rule);

/// Removes the markers with ids (all of the document) and every link at either end of them,
/// then refreshes what shows them: the document list icon when the document has no marker left,
/// the subject list link mark of sub-subjects and the text views of markers at the other end of a
/// removed link, the marker list, the chart, the properties pane when the current object went.
/// Sets the modified flag and the status counts.
void removeCoveredMarkers(ProjectData& project, Services& services, SjisView relativePath,
                          const std::vector<ObjectId>& ids);

} // namespace corvane
