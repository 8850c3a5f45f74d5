// Automatic placement of unplaced nodes: sub-subjects on a grid of columns in the subject list's
// order, markers near the node they are linked to (or around a given centre), on a free spot when
// one of 50 random candidates with growing spreads is free.
#pragma once

#include "chart/ChartGeometry.h"
#include "model/ProjectData.h"

#include <cstdint>
#include <random>

namespace corvane::chart {

class Placer
{
public:
    /// The generator is seeded once: reseeding it from the clock on every try put most markers
    /// placed within one second on the same spot.
    explicit Placer(std::uint32_t seed) : random_(seed) {}

    /// Places every unplaced node of the project (the rectangle is stored at once). A marker
    /// without a placed linked node goes around fallbackCentre (chart units): the centre of the
    /// visible area in the view, the canvas centre where there is none. Returns the number
    /// placed; the caller resets the layout history when it is not 0. Runs in a model pass before
    /// painting, printing and the selection commands, never inside a paint.
    int placeUnplaced(ProjectData& project, Point fallbackCentre);

private:
    std::mt19937 random_;
};

/// The sub-subject grid cell of the k-th sub-subject (subject list order, from 0) on a canvas of
/// the given height (chart units, already clamped to 500-5000).
Rect subSubjectGridRect(int k, int chartHeight);

} // namespace corvane::chart
