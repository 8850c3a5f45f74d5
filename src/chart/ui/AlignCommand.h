// The alignment commands of the ribbon and the chart's menus (469, 470, 473-481) as the chart
// logic's own alignments; the view and cvntool take the same numbers.
#pragma once

#include "chart/Alignment.h"
#include "res/ui/CommandIds.h"

#include <optional>

namespace corvane::chart {

inline std::optional<Align> alignOfCommand(int id)
{
    switch (id) {
    case cmd::ID_TO_LEFT:
        return Align::Left;
    case cmd::ID_TO_RIGHT:
        return Align::Right;
    case cmd::ID_TO_TOP:
        return Align::Top;
    case cmd::ID_TO_BOTTOM:
        return Align::Bottom;
    case cmd::ID_TO_V_CEN:
        return Align::CentreVertically;
    case cmd::ID_TO_H_CEN:
        return Align::CentreHorizontally;
    case cmd::ID_TO_V_KIN:
        return Align::SpreadVertically;
    case cmd::ID_TO_H_KIN:
        return Align::SpreadHorizontally;
    case cmd::ID_SAME_W:
        return Align::SameWidth;
    case cmd::ID_SAME_H:
        return Align::SameHeight;
    case cmd::ID_SAME_WH:
        return Align::SameSize;
    default:
        return std::nullopt;
    }
}

} // namespace corvane::chart
