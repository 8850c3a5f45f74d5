// The rows of the marker list as plain data: which markers a target and a colour filter select,
// the row texts, the target combo's items and the texts that lead the list's messages. Rows carry
// the object ID: an index read back from a row text names another object as soon as a deletion
// elsewhere has compacted the table.
#pragma once

#include "base/Types.h"
#include "model/ProjectData.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// Which documents the list covers. None (a pane that has not chosen yet) lists nothing.
struct MarkerTarget
{
    enum class Kind
    {
        None,
        All,
        Open,
        Current,
        Folder
    } kind = Kind::None;
    SjisString folder; ///< Folder: a top-level folder name of the document list

    bool operator==(const MarkerTarget&) const = default;
};

/// The colour filter: nullopt for none ("指定なし"), any colour otherwise.
using MarkerColourFilter = std::optional<Colour>;

struct MarkerRow
{
    ObjectId id = 0;
    SjisString text; ///< "%04d %s[%d]"
};

/// Combo items 0-2 (all, open, current documents).
inline constexpr int kFirstFolderItem = 3;

/// "%04d %s[%d]": row number from 1, the marker text with CR, LF and TAB shown as spaces (a row
/// is one line), the object index.
SjisString markerRowText(int rowNumber, SjisView markerText, int objectIndex);

/// The top-level folder of a relative document path: the part before the first "\" that is a
/// character of its own (a trail byte 0x5C of "ソ" or "表" is not a separator); nullopt for a
/// document directly below the document list root.
std::optional<SjisView> topLevelFolder(SjisView relativePath);

/// Rows of the markers (table order) that match the target and the filter. documents: the
/// relative paths the target Open or Current collected; compared byte for byte.
std::vector<MarkerRow> collectMarkerRows(const ProjectData& project, const MarkerTarget& target,
                                         MarkerColourFilter filter,
                                         const std::vector<SjisString>& documents);

/// The target combo's item texts: the three fixed items, then "『" + folder + "』内の全文献".
std::vector<SjisString> markerTargetItems(const std::vector<SjisString>& topLevelFolders);
/// The target of combo item index with its text; a folder item whose text has no
/// "『...』内の" falls back to all documents.
MarkerTarget markerTargetOfItem(int index, SjisView itemText);
/// The leading text of message 30085 for an empty list after the user chose itemText.
SjisString emptyListLeadingText(SjisView itemText, bool colourFiltered);

/// The filter as Last/refMarker stores it ("%ld" of the colour, "-1" for none), and back; a
/// value that is no colour reads as none.
SjisString colourFilterSetting(MarkerColourFilter filter);
MarkerColourFilter colourFilterFromSetting(SjisView text);

} // namespace corvane
