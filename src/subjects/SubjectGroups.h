// The subject list as rows: sub-subjects grouped under their main subjects in the order the grid
// shows them. A main subject has no record of its own; it is the main title its sub-subjects
// share, compared byte for byte (so letter case matters).
#pragma once

#include "model/ProjectData.h"

#include <optional>
#include <vector>

namespace corvane {

/// One sub-subject row: its object ID, the name cell shown ("*" + ID while linked) and its title.
struct SubjectRow
{
    ObjectId id = 0;
    bool linked = false; ///< at least one link has id at either end
    SjisString title;
    /// "%ld" of the ID, with the link mark "*" in front while linked.
    SjisString nameCell() const;
};

/// One group row: a main title and its sub-subjects in object-table order.
struct SubjectGroup
{
    SjisString mainTitle;
    std::vector<SubjectRow> rows;
    bool expanded = true;
};

/// The groups in order of the first appearance of their main title in the object table; within a
/// group, object-table order. Empty when no project is open. One pass over each table.
std::vector<SubjectGroup> buildSubjectGroups(const ProjectData& project);

/// The object ID named by a name cell: a leading "*" stripped, the rest decimal. nullopt for
/// anything else, so a row is never matched by position.
std::optional<ObjectId> objectIdOfNameCell(SjisView nameCell);

/// Each distinct main title of the project once, in order of first appearance (the main title
/// list of the subject dialog).
std::vector<SjisString> distinctMainTitles(const ProjectData& project);

/// True when the project holds at least one sub-subject.
bool hasSubSubjects(const ProjectData& project);

} // namespace corvane
