// The alignment commands: line up edges with the main selection, centre or spread the selected
// nodes as a group, give them the main selection's size. Plain rectangle arithmetic on the
// selected nodes in chart units; the caller pushes the layout history when the preconditions hold.
#pragma once

#include "model/ProjectData.h"

#include <vector>

namespace corvane::chart {

enum class Align
{
    Left,
    Right,
    Top,
    Bottom,
    CentreVertically,
    CentreHorizontally,
    SpreadVertically,
    SpreadHorizontally,
    SameWidth,
    SameHeight,
    SameSize
};

/// Why a command cannot run; None when it can.
enum class AlignRefusal
{
    None,
    NothingSelected, ///< the centring commands need one selected node
    NeedsTwoAndMain, ///< the edge and size commands need two and a main selection
    NeedsThree       ///< spreading needs three
};

/// The message that says why (res/MessageNumbers.h), 0 for None.
int refusalMessage(AlignRefusal refusal);

/// selected: indexes of the selected nodes in table order; mainIndex: -1 for none.
AlignRefusal alignPrecondition(Align command, const std::vector<int>& selected, int mainIndex);

/// Runs the command on the records (no history, no refresh). False, with nothing changed, when
/// the precondition fails or memory for the spreading order runs out.
bool applyAlign(ProjectData& project, Align command, const std::vector<int>& selected,
                int mainIndex);

} // namespace corvane::chart
