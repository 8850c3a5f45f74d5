// The modified flag and the status bar counts, which every change of the tables updates.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

namespace corvane {

void setModified(ProjectData& project);

/// Rewrites the status bar panes: MARKER "markers in the active text view's document / markers in
/// the project" (empty unless a text view is active), LINK and NODE counts, and POSITION emptied
/// when no project is open.
void refreshStatusCounts(const ProjectData& project, Services& services);

} // namespace corvane
