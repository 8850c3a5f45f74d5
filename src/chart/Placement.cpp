#include "chart/Placement.h"

#include "subjects/SubjectGroups.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <vector>

namespace corvane::chart {

namespace {

/// Placed node rectangles bucketed in square cells, so that an overlap test looks at the nodes
/// near the candidate only. Rectangles outside the canvas fall into the border cells.
class NodeGrid
{
public:
    NodeGrid(int width, int height)
        : columns_(width / kCell + 1), rows_(height / kCell + 1),
          cells_(static_cast<std::size_t>(columns_ * rows_))
    {
    }

    void add(const Rect& r)
    {
        const int id = static_cast<int>(rects_.size());
        rects_.push_back(r);
        forCells(r, [&](std::vector<int>& cell) { cell.push_back(id); });
    }

    /// Number of stored rectangles that overlap r.
    int overlaps(const Rect& r, bool stopAtFirst)
    {
        ++stamp_;
        if (seen_.size() < rects_.size())
            seen_.resize(rects_.size(), 0);
        int count = 0;
        bool done = false;
        forCells(r, [&](std::vector<int>& cell) {
            for (int id : cell) {
                if (done || seen_[id] == stamp_)
                    continue;
                seen_[id] = stamp_;
                if (rects_[id].overlaps(r)) {
                    ++count;
                    done = stopAtFirst;
                }
            }
        });
        return count;
    }

private:
    static constexpr int kCell = 256;

    template <typename F> void forCells(const Rect& r, F f)
    {
        const int c0 = std::clamp(r.left / kCell, 0, columns_ - 1);
        const int c1 = std::clamp(r.right / kCell, 0, columns_ - 1);
        const int r0 = std::clamp(r.top / kCell, 0, rows_ - 1);
        const int r1 = std::clamp(r.bottom / kCell, 0, rows_ - 1);
        for (int row = r0; row <= r1; ++row)
            for (int col = c0; col <= c1; ++col)
                f(cells_[static_cast<std::size_t>(row * columns_ + col)]);
    }

    int columns_;
    int rows_;
    std::vector<std::vector<int>> cells_;
    std::vector<Rect> rects_;
    std::vector<unsigned> seen_;
    unsigned stamp_ = 0;
};

Rect centredOn(Point c, int width, int height)
{
    return {c.x - width / 2, c.y - height / 2, c.x - width / 2 + width, c.y - height / 2 + height};
}

} // namespace

Rect subSubjectGridRect(int k, int chartHeight)
{
    const int rows = (chartHeight - 60) / 70;
    const int c = k / rows;
    const int r = k % rows;
    return {170 * c + 30, 70 * r + 30, 170 * c + 180, 70 * r + 80};
}

int Placer::placeUnplaced(ProjectData& project, Point fallbackCentre)
{
    bool any = false;
    for (int i = 0; i < project.objectCount && !any; ++i)
        any = !isPlaced(project.objects[i]);
    if (!any)
        return 0;

    const int width = chartWidth(project.chartView);
    const int height = chartHeight(project.chartView);
    NodeGrid grid(width, height);
    std::unordered_map<ObjectId, int> indexById;
    indexById.reserve(static_cast<std::size_t>(project.objectCount));
    for (int i = project.objectCount - 1; i >= 0; --i)
        indexById[project.objects[i].id] = i;
    for (int i = 0; i < project.objectCount; ++i)
        if (isPlaced(project.objects[i]))
            grid.add(nodeRect(project.objects[i]));

    int placed = 0;
    // Sub-subjects first: their cells do not depend on anything else, and a marker linked to a
    // new sub-subject can then be placed beside it.
    std::unordered_map<ObjectId, int> subjectOrder;
    int k = 0;
    for (const SubjectGroup& g : buildSubjectGroups(project))
        for (const SubjectRow& row : g.rows)
            subjectOrder.emplace(row.id, k++);
    for (int i = 0; i < project.objectCount; ++i) {
        ObjectRecord& r = project.objects[i];
        if (isPlaced(r) || r.type != ObjectType::SubSubject)
            continue;
        const auto it = subjectOrder.find(r.id);
        const Rect rect = keepInside(
            subSubjectGridRect(it == subjectOrder.end() ? k++ : it->second, height), width, height);
        setNodeRect(r, rect);
        grid.add(rect);
        ++placed;
    }

    // The first link (in table order) at either end of each object.
    std::unordered_map<ObjectId, ObjectId> firstLinked;
    for (int l = project.linkCount - 1; l >= 0; --l) {
        firstLinked[project.links[l].from] = project.links[l].to;
        firstLinked[project.links[l].to] = project.links[l].from;
    }

    for (int i = 0; i < project.objectCount; ++i) {
        ObjectRecord& r = project.objects[i];
        if (isPlaced(r))
            continue;
        Point base = fallbackCentre;
        const auto link = firstLinked.find(r.id);
        if (link != firstLinked.end()) {
            const auto other = indexById.find(link->second);
            if (other != indexById.end() && isPlaced(project.objects[other->second]))
                base = nodeRect(project.objects[other->second]).centre();
        }
        const int w = kDefaultNodeWidth;
        const int h = kDefaultNodeHeight;
        Rect best = keepInside(centredOn(base, w, h), width, height);
        int bestOverlaps = std::numeric_limits<int>::max();
        for (int attempt = 0; attempt < 50 && bestOverlaps > 0; ++attempt) {
            const int s = 50 * attempt + 50;
            const int dx = static_cast<int>(random_() % static_cast<unsigned>(2 * s)) - s;
            const int dy = static_cast<int>(random_() % static_cast<unsigned>(2 * s)) - s;
            // Clamped before the test: a free spot outside the canvas is no free spot.
            const Rect candidate =
                keepInside(centredOn({base.x + dx, base.y + dy}, w, h), width, height);
            const int n = grid.overlaps(candidate, false);
            if (n < bestOverlaps) {
                best = candidate;
                bestOverlaps = n;
            }
        }
        // When every candidate overlaps, the one overlapping fewest nodes is kept; never one
        // exactly on the node it is linked to.
        if (bestOverlaps > 0 && best.centre() == base) {
            const Rect below = keepInside(best.moved(0, h), width, height);
            best = below.centre() == base ? keepInside(best.moved(0, -h), width, height) : below;
        }
        setNodeRect(r, best);
        grid.add(best);
        ++placed;
    }
    return placed;
}

} // namespace corvane::chart
