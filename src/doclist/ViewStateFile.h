// The document list's view-state file (project name + ".toc" in the project folder): which
// folders are expanded and which item is scrolled to the top. Shift-JIS lines ending in CR LF:
//   line 1     item path of the first visible item
//   following  item paths of the expanded items, the root first when it is expanded, then the
//              folders depth first in tree order
#pragma once

#include "base/Types.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::doclist {

struct ViewState
{
    SjisString firstVisible;          ///< item path; empty when the tree is empty
    std::vector<SjisString> expanded; ///< item paths
};

std::string formatViewState(const ViewState& state);

/// Accepts CR LF, LF or CR line ends (the file may have been edited by hand); blank lines after
/// the first are skipped.
ViewState parseViewState(std::string_view bytes);

/// Writes the file whole through a temporary file in the same folder, so a failed write never
/// leaves half a file behind. False on any failure.
bool writeViewStateFile(const std::string& pathUtf8, const ViewState& state);

/// nullopt when the file is missing or unreadable (the tree then stays collapsed).
std::optional<ViewState> readViewStateFile(const std::string& pathUtf8);

} // namespace corvane::doclist
