// The subject list as a spreadsheet file (.xlsx): one row per sub-subject in the grid's order,
// the main title in column A and the title in column B, no header, every cell a string, so the
// two columns can be copied back into the subject list's batch add.
#pragma once

#include "model/ProjectData.h"
#include "print/DocxWriter.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane::output {

/// (main title, title) of every sub-subject, group by group as the subject list shows them; a
/// group without sub-subjects gives no row. Shift-JIS.
std::vector<std::pair<SjisString, SjisString>> subjectExportRows(const ProjectData& project);

/// Column width in character units for texts (Shift-JIS): the widest text's display width
/// (a two-byte character counts two, a single-byte one, half-width katakana included) plus one,
/// at most 255. 0 when every text is empty (the column keeps its default width).
double columnWidth(const std::vector<SjisView>& texts);

/// Writes rows as an .xlsx at path: into a temporary file in the same folder, flushed, then
/// renamed over path, so a failure (a full disk) leaves an older file of that name whole.
OutputStatus writeSubjectXlsx(const std::string& path,
                              const std::vector<std::pair<SjisString, SjisString>>& rows);

} // namespace corvane::output
