// The link table of a project as a table: lookups, appending and removal of link records. No
// messages and no refreshes here; LinkOps adds those for the user's link toggle.
#pragma once

#include "model/ProjectData.h"

namespace corvane {

/// True when (from, to) is stored, or, when directed is false, also (to, from).
bool linkExists(const ProjectData& project, ObjectId from, ObjectId to, bool directed);
/// Number of link records with id at either end.
int countLinksOfObject(const ProjectData& project, ObjectId id);

/// Appending and removal of link records.
class LinkTable
{
public:
    explicit LinkTable(ProjectData& project) : p_(project) {}

    /// Appends (from, to); false (nothing changed) when the table holds kMaxLinks already.
    bool append(ObjectId from, ObjectId to);
    /// Removes the record at linkIndex; false when the index is out of range.
    bool removeAt(int linkIndex);
    /// Removes every record equal to (from, to); false when none matched.
    bool removeBetween(ObjectId from, ObjectId to);
    /// Removes every record with id at either end; false when none matched.
    bool removeOfObject(ObjectId id);

private:
    template <typename Drop> bool removeIf(Drop drop);

    ProjectData& p_;
};

} // namespace corvane
