// What a sub-subject is linked with, for the link target menu and the link list dialog: one entry
// per link with the sub-subject at either end, in link-table order, naming the object at the
// other end.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

#include <vector>

namespace corvane {

struct LinkTarget
{
    enum class Direction
    {
        To,
        From
    };
    Direction direction = Direction::To; ///< To: the sub-subject is the link's from
    SjisString text;                     ///< the other object's second text (marker text)
    int objectIndex = -1;                ///< the other object in the object table
    int linkIndex = -1;                  ///< the link in the link table when the list was built
    LinkRecord link{};                   ///< the link itself, so a row can find it again
};

/// Entries of the links of id: for each link in table order a To entry when its from is id, then
/// a From entry when its to is id. Ends whose object is missing (a damaged file) give no entry.
std::vector<LinkTarget> buildLinkTargetList(const ProjectData& project, ObjectId id);

/// "%d " + text: the label of the n-th (1-based) entry of the link target menu and of a link list
/// row in the deletion question.
SjisString numberedTargetText(int number, SjisView text);

/// The rows of the link list dialog over a link target list. Each row names its own link: after a
/// row's link is deleted, the rows after it follow the link table's renumbering, so later
/// deletions and "show" act on the link the row shows.
class LinkListRows
{
public:
    LinkListRows(ProjectData& project, Services& services, std::vector<LinkTarget> targets)
        : p_(project), s_(services), rows_(std::move(targets))
    {
    }

    const std::vector<LinkTarget>& rows() const { return rows_; }

    /// Asks 30010 with "%d " + the row's text (its number is row + 1) and, on Yes, deletes the
    /// row's link and the row. False when the row is out of range, the user says No, or its link
    /// is no longer in the table (the row is dropped then).
    bool deleteRow(int row);

    /// The object a row shows, or -1 when it no longer exists.
    int objectIndexOf(int row) const;

private:
    /// The row's link index now: the remembered one when it still holds the row's link, else the
    /// first record equal to it; -1 when none.
    int currentLinkIndex(const LinkTarget& t) const;

    ProjectData& p_;
    Services& s_;
    std::vector<LinkTarget> rows_;
};

} // namespace corvane
