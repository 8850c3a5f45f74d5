// Dragging an object (a marker or a sub-subject), or a bookmark, between the windows of this
// process: our own MIME type carrying the object ID and the process ID, so a drop names exactly the
// dragged object and a drag from another copy of the program (whose IDs mean other objects) is
// ignored.
#pragma once

#include "base/Types.h"

#include <optional>

class QMimeData;

namespace corvane {

inline constexpr const char* kObjectIdMimeType = "application/x-corvane-object-id";

/// New mime data for a drag of the object; the caller (the drag) owns it.
QMimeData* makeObjectDragData(ObjectId id);

/// The dragged object's ID when data is an object drag of this process; nullopt otherwise.
std::optional<ObjectId> draggedObjectId(const QMimeData* data);

/// A bookmark dragged from its image in a text view or from its set pin on the ribbon.
inline constexpr const char* kBookmarkMimeType = "application/x-corvane-bookmark";
struct BookmarkDrag
{
    int slot = 0;
    bool fromPin = false; ///< the ribbon's pin: setting asks before overwriting
};
QMimeData* makeBookmarkDragData(BookmarkDrag drag);
std::optional<BookmarkDrag> draggedBookmark(const QMimeData* data);

} // namespace corvane
