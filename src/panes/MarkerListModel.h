// The marker list's state and commands without widgets: the target and colour filter, the rows,
// rebuilding them, showing a row's marker, deleting one or every listed marker. The pane draws
// the rows and turns gestures into these calls.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "panes/MarkerRows.h"

#include <vector>

namespace corvane {

class MarkerListModel
{
public:
    MarkerListModel(ProjectData& project, Services& services);

    const MarkerTarget& target() const { return target_; }
    void setTarget(MarkerTarget target) { target_ = std::move(target); }
    MarkerColourFilter colourFilter() const { return filter_; }
    /// Sets the filter and stores it in Last/refMarker; the rows change at the next rebuild.
    void setColourFilter(MarkerColourFilter filter);

    const std::vector<MarkerRow>& rows() const { return rows_; }
    int selectedRow() const { return selected_; }
    /// -1 for none; out of range reads as none.
    void selectRow(int row);

    /// Why a rebuild listed nothing for a target that needs an active text view.
    enum class Rebuilt
    {
        Ran,
        NoActiveView,
        ChartActive
    };
    /// Recomputes the rows and selects the first. userChoice: the user chose the target in the
    /// combo, so a chart view as the current document (30108) and an empty list (30085, led by
    /// itemText) are reported; automatic rebuilds after table changes stay silent.
    Rebuilt rebuild(bool userChoice = false, SjisView itemText = {});

    enum class Step
    {
        Selected,
        Next,
        Previous
    };
    /// Commands 400-402: the row taken (one row: that row whatever is selected; Next and Previous
    /// wrap) is shown in its text view and, for Next and Previous, becomes the selected row.
    /// False when no row was taken or its marker no longer exists.
    bool showRow(Step step);
    /// Command 403: deletes the selected row's marker after confirmation 30083 and rebuilds.
    bool deleteSelected();
    /// Command 462: after one confirmation deletes exactly the listed markers (by ID); stops at
    /// a marker that is gone or a failed deletion, and always rebuilds. Returns the number gone.
    int deleteAllListed();

    /// Commands 400-403 need rows and, with two or more, a selected one.
    bool rowCommandsEnabled() const;

private:
    /// Index of the row's marker now, -1 when it no longer exists.
    int indexOfRow(int row) const;

    ProjectData& p_;
    Services& s_;
    MarkerTarget target_;
    MarkerColourFilter filter_;
    std::vector<MarkerRow> rows_;
    int selected_ = -1;
};

} // namespace corvane
