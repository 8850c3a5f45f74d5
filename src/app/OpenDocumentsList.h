// The open documents list beside the project file (project name + ".opn"): one full document path
// per line, Shift-JIS, CR LF, in the order the text views were opened. Written at close, read at
// open to reopen the same documents.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvane {

struct ProjectData;

namespace opn {

/// folder + name + ".opn"
std::string listPath(const ProjectData& data);

/// Writes data.openDocuments to the list, or removes the list when none is open. False when the
/// file could not be written (the close goes on; the list is a convenience).
bool write(const ProjectData& data);

/// The paths named by the list's bytes, resolved for this project: a line whose path exists
/// inside the doc folder is taken as it is; otherwise the part after its last "doc" folder
/// component ("\\doc\\" or "/doc/") is taken relative to this project's doc folder (then the part
/// after an earlier one, should the documents sit in a folder named "doc"), so a project that was
/// moved, copied or made on Windows still finds its documents. A line that names no existing
/// document of this project is skipped (appended to missing, as UTF-8, when given); empty lines
/// and repeats are skipped silently; nothing outside the doc folder is named.
std::vector<std::string> resolve(const std::string& listBytes, const ProjectData& data,
                                 std::vector<std::string>* missing = nullptr);

/// Reads the list and opens its documents in order through openDocument, stopping at the first
/// that the text view refuses (it has said why). Lines naming documents that are gone are
/// skipped and appended to missing when given. Returns the number opened. A missing list opens
/// nothing.
int read(const ProjectData& data, const std::function<bool(const std::string&)>& openDocument,
         std::vector<std::string>* missing = nullptr);

} // namespace opn
} // namespace corvane
