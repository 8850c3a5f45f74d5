// The subject list's state file (project name + ".soc" beside the project file): which group rows
// are expanded, kept across rebuilds and runs. Two lines per group row in grid order: the main
// title (Shift-JIS), then "1" (expanded) or "0" (collapsed). Written with CR LF line ends, as the
// files of earlier versions of this system are; read with either line end.
#pragma once

#include "subjects/SubjectGroups.h"

#include <string>
#include <vector>

namespace corvane {

/// The state file's contents for groups.
std::string formatSubjectState(const std::vector<SubjectGroup>& groups);

/// Applies a state file's contents to freshly built groups (all expanded): for the i-th group the
/// title line must equal its main title and the next line be "0" (collapse) or "1" (leave it);
/// the first mismatch, odd line or end of the text stops the restore and leaves the remaining
/// groups expanded. Returns the number of groups whose line pair matched.
int applySubjectState(std::vector<SubjectGroup>& groups, std::string_view contents);

/// The state file's disk path: folder + name + ".soc"; empty when no project is open.
std::string subjectStatePath(const ProjectData& project);

/// Reads the state file (when it exists) and applies it; a missing or unreadable file leaves
/// every group expanded.
void restoreSubjectState(std::vector<SubjectGroup>& groups, const std::string& path);

/// Creates or truncates the state file with groups' state. False when it cannot be written.
bool writeSubjectState(const std::vector<SubjectGroup>& groups, const std::string& path);

} // namespace corvane
