#include "chart/Alignment.h"

#include "chart/ChartGeometry.h"
#include "res/MessageNumbers.h"

#include <algorithm>
#include <new>

namespace corvane::chart {

namespace {

/// Start and end of a rectangle along one axis.
struct Axis
{
    bool vertical;
    int start(const Rect& r) const { return vertical ? r.top : r.left; }
    int end(const Rect& r) const { return vertical ? r.bottom : r.right; }
    Rect moveStartTo(const Rect& r, int start) const
    {
        return vertical ? r.moved(0, start - r.top) : r.moved(start - r.left, 0);
    }
};

void alignEdges(ProjectData& p, Align c, const std::vector<int>& selected, int mainIndex)
{
    const Rect m = nodeRect(p.objects[mainIndex]);
    for (int i : selected) {
        if (i == mainIndex)
            continue;
        const Rect r = nodeRect(p.objects[i]);
        Rect moved = r;
        switch (c) {
        case Align::Left:
            moved = r.moved(m.left - r.left, 0);
            break;
        case Align::Right:
            moved = r.moved(m.right - r.right, 0);
            break;
        case Align::Top:
            moved = r.moved(0, m.top - r.top);
            break;
        default:
            moved = r.moved(0, m.bottom - r.bottom);
            break;
        }
        setNodeRect(p.objects[i], moved); // not clamped: an aligned node may leave the canvas
    }
}

void centre(ProjectData& p, const std::vector<int>& selected, Axis axis)
{
    int lo = axis.start(nodeRect(p.objects[selected.front()]));
    int hi = axis.end(nodeRect(p.objects[selected.front()]));
    for (int i : selected) {
        lo = std::min(lo, axis.start(nodeRect(p.objects[i])));
        hi = std::max(hi, axis.end(nodeRect(p.objects[i])));
    }
    const int length = axis.vertical ? chartHeight(p.chartView) : chartWidth(p.chartView);
    const int d = (length + lo - hi) / 2 - lo;
    for (int i : selected) {
        const Rect r = nodeRect(p.objects[i]);
        setNodeRect(p.objects[i], axis.moveStartTo(r, axis.start(r) + d));
    }
}

bool spread(ProjectData& p, const std::vector<int>& selected, Axis axis)
{
    std::vector<int> order;
    try {
        order = selected;
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Stable: among equal starts the earlier record comes first, as selected is in table order.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return axis.start(nodeRect(p.objects[a])) < axis.start(nodeRect(p.objects[b]));
    });
    const int n = static_cast<int>(order.size());
    long long minStart = axis.start(nodeRect(p.objects[order.front()]));
    long long maxStart = minStart;
    long long sizes = 0;
    for (int i : order) {
        const Rect r = nodeRect(p.objects[i]);
        minStart = std::min<long long>(minStart, axis.start(r));
        maxStart = std::max<long long>(maxStart, axis.start(r));
        sizes += axis.end(r) - axis.start(r);
    }
    const Rect last = nodeRect(p.objects[order.back()]);
    const long long gaps = axis.end(last) + maxStart - axis.start(last) - sizes - minStart;
    const int gap = static_cast<int>(double(gaps) / double(n - 1));
    for (int k = 1; k <= n - 2; ++k) {
        const int previousEnd = axis.end(nodeRect(p.objects[order[k - 1]]));
        const Rect r = nodeRect(p.objects[order[k]]);
        setNodeRect(p.objects[order[k]], axis.moveStartTo(r, previousEnd + gap));
    }
    return true;
}

void sameSize(ProjectData& p, Align c, const std::vector<int>& selected, int mainIndex)
{
    const Rect m = nodeRect(p.objects[mainIndex]);
    const int width = chartWidth(p.chartView);
    const int height = chartHeight(p.chartView);
    for (int i : selected) {
        if (i == mainIndex)
            continue;
        Rect r = nodeRect(p.objects[i]);
        if (c != Align::SameHeight)
            r.right = r.left + m.width();
        if (c != Align::SameWidth)
            r.bottom = r.top + m.height();
        setNodeRect(p.objects[i], keepInside(r, width, height));
    }
}

} // namespace

int refusalMessage(AlignRefusal refusal)
{
    switch (refusal) {
    case AlignRefusal::None:
        return 0;
    case AlignRefusal::NothingSelected:
        return msg::kAlignNeedsOneNode;
    case AlignRefusal::NeedsTwoAndMain:
        return msg::kAlignNeedsTwoNodes;
    case AlignRefusal::NeedsThree:
        return msg::kAlignNeedsThreeNodes;
    }
    return 0;
}

AlignRefusal alignPrecondition(Align command, const std::vector<int>& selected, int mainIndex)
{
    const std::size_t n = selected.size();
    switch (command) {
    case Align::CentreVertically:
    case Align::CentreHorizontally:
        return n >= 1 ? AlignRefusal::None : AlignRefusal::NothingSelected;
    case Align::SpreadVertically:
    case Align::SpreadHorizontally:
        return n >= 3 ? AlignRefusal::None : AlignRefusal::NeedsThree;
    default:
        break;
    }
    const bool mainSelected =
        mainIndex >= 0 && std::find(selected.begin(), selected.end(), mainIndex) != selected.end();
    return n >= 2 && mainSelected ? AlignRefusal::None : AlignRefusal::NeedsTwoAndMain;
}

bool applyAlign(ProjectData& project, Align command, const std::vector<int>& selected,
                int mainIndex)
{
    if (alignPrecondition(command, selected, mainIndex) != AlignRefusal::None)
        return false;
    switch (command) {
    case Align::Left:
    case Align::Right:
    case Align::Top:
    case Align::Bottom:
        alignEdges(project, command, selected, mainIndex);
        return true;
    case Align::CentreVertically:
        centre(project, selected, Axis{true});
        return true;
    case Align::CentreHorizontally:
        centre(project, selected, Axis{false});
        return true;
    case Align::SpreadVertically:
        return spread(project, selected, Axis{true});
    case Align::SpreadHorizontally:
        return spread(project, selected, Axis{false});
    default:
        sameSize(project, command, selected, mainIndex);
        return true;
    }
}

} // namespace corvane::chart
