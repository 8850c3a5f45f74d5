// The object table of a project as a table: IDs, lookups, counting, removal and appending of
// object records.
// No messages and no refreshes here; the operations that the user's commands reach (MarkerOps,
// SubSubjectOps, DocumentOps) add those.
#pragma once

#include "model/ProjectData.h"

#include <string>

namespace corvane {

/// 1 + the largest object ID, 1 for an empty table, so the ID of a deleted last-created object
/// is given again. Should the largest ID be the largest int32 (only a damaged file can get there),
/// the smallest unused positive ID is given instead of an overflowing one.
ObjectId newObjectId(const ProjectData& project);
/// Index of the first record with id, -1 if none.
int findObjectIndex(const ProjectData& project, ObjectId id);
/// As findObjectIndex, and copies both texts of the record found (left alone when none is found).
int findObjectTexts(const ProjectData& project, ObjectId id, SjisString& firstText,
                    SjisString& secondText);
/// Number of markers whose document equals relativePath byte for byte.
int countMarkersIn(const ProjectData& project, SjisView relativePath);
/// Number of markers in the project.
int countMarkers(const ProjectData& project);

/// Removal and appending of object records.
class ObjectTable
{
public:
    explicit ObjectTable(ProjectData& project) : p_(project) {}

    /// Removes every record with id and every link with id at either end; order of the rest is
    /// kept. The current object index follows its object (-1 when it was removed). False when no
    /// record had the id.
    bool remove(ObjectId id);
    /// Removes every record for which drop(record) holds and the links at either end of each;
    /// order kept, current object index adjusted as above. Returns the number removed.
    template <typename Drop> int removeIf(Drop drop);

    /// A zeroed record appended at the end (count + 1), or nullptr when the table is full.
    ObjectRecord* appendZeroed();

private:
    int removeMatching(bool (*drop)(const ObjectRecord&, const void*), const void* context);

    ProjectData& p_;
};

template <typename Drop> int ObjectTable::removeIf(Drop drop)
{
    return removeMatching(
        [](const ObjectRecord& r, const void* ctx) { return (*static_cast<const Drop*>(ctx))(r); },
        &drop);
}

} // namespace corvane
