// A batch replace over closed documents runs off the user-interface thread behind a modal
// progress dialog (documents done / total); Cancel stops the run between two documents, so no
// document is left half-written.
#pragma once

#include "search/Replace.h"

#include <functional>

class QWidget;

namespace corvane {

/// Runs job on a worker thread and returns its totals once it ended; the dialog shows the
/// progress job reports and asks it to stop when cancelled.
search::ReplaceTotals
runReplaceJob(QWidget* parent, const std::function<search::ReplaceTotals(search::Progress*)>& job);

} // namespace corvane
