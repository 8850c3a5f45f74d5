#include "chart/ChartModel.h"

#include "base/SettingsKeys.h"
#include "model/FixedText.h"
#include "model/LinkOps.h"
#include "model/MarkerOps.h"
#include "model/ObjectTable.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "subjects/SubjectOps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>
#include <string>

namespace corvane::chart {

ChartModel::ChartModel(ProjectData& project, Services& services, std::uint32_t placementSeed)
    : p_(project), s_(services), placer_(placementSeed)
{
}

int ChartModel::indexOf(ObjectId id) const
{
    return id == 0 ? -1 : findObjectIndex(p_, id);
}

int ChartModel::mainIndex() const
{
    return indexOf(main_);
}

void ChartModel::setMain(int index)
{
    if (index < 0 || index >= p_.objectCount) {
        main_ = 0;
        s_.refresh.resetPropertiesPane(); // "nothing selected", never an index of -1
        return;
    }
    main_ = p_.objects[index].id;
    s_.refresh.showNodeProperties(p_.objects[index].id);
}

void ChartModel::setHover(int index)
{
    hover_ = (index >= 0 && index < p_.objectCount) ? p_.objects[index].id : 0;
}

std::vector<int> ChartModel::selectedIndexes() const
{
    std::vector<int> out;
    for (int i = 0; i < p_.objectCount; ++i)
        if (p_.objects[i].nodeSelected)
            out.push_back(i);
    return out;
}

int ChartModel::selectedCount() const
{
    int n = 0;
    for (int i = 0; i < p_.objectCount; ++i)
        n += p_.objects[i].nodeSelected ? 1 : 0;
    return n;
}

void ChartModel::clearSelection()
{
    for (int i = 0; i < p_.objectCount; ++i)
        p_.objects[i].nodeSelected = 0;
    if (main_ != 0)
        setMain(-1);
    s_.refresh.redrawChart();
}

bool ChartModel::pressOnNode(int index, Modifiers keys)
{
    if (index < 0 || index >= p_.objectCount)
        return false;
    ObjectRecord& node = p_.objects[index];
    if (mainIndex() < 0) {
        for (int i = 0; i < p_.objectCount; ++i)
            p_.objects[i].nodeSelected = 0;
        node.nodeSelected = 1;
        setMain(index);
        s_.refresh.redrawChart();
        return true;
    }
    if (node.nodeSelected) {
        if (keys.shift && !keys.ctrl) {
            node.nodeSelected = 0;
            if (main_ == node.id) {
                const std::vector<int> still = selectedIndexes();
                if (!still.empty())
                    setMain(still.front());
            }
            s_.refresh.redrawChart();
            return false;
        }
        setMain(index);
        s_.refresh.redrawChart();
        return true;
    }
    if (keys.ctrl) {
        node.nodeSelected = 1;
        setMain(index);
        s_.refresh.redrawChart();
        return false;
    }
    for (int i = 0; i < p_.objectCount; ++i)
        p_.objects[i].nodeSelected = 0;
    node.nodeSelected = 1;
    setMain(index);
    s_.refresh.redrawChart();
    return true;
}

bool ChartModel::selectInside(const Rect& band)
{
    const Rect b{std::min(band.left, band.right), std::min(band.top, band.bottom),
                 std::max(band.left, band.right), std::max(band.top, band.bottom)};
    if (b.width() < 11 || b.height() < 11)
        return false;
    const float zoom = zoomOf(p_.chartView);
    int last = -1;
    for (int i = 0; i < p_.objectCount; ++i) {
        const Rect r = toCanvas(nodeRect(p_.objects[i]), zoom);
        if (r.left >= b.left && r.right <= b.right && r.top >= b.top && r.bottom <= b.bottom) {
            p_.objects[i].nodeSelected = 1;
            last = i;
        }
    }
    if (last < 0)
        return false;
    setMain(last);
    s_.refresh.redrawChart();
    return true;
}

void ChartModel::cycleMain(bool forward)
{
    const int n = p_.objectCount;
    if (n == 0)
        return;
    const int current = mainIndex();
    if (n == 1 && current == 0)
        return;
    const int next = current < 0 ? (forward ? 0 : n - 1) : (current + (forward ? 1 : n - 1)) % n;
    if (current >= 0)
        p_.objects[current].nodeSelected = 0;
    p_.objects[next].nodeSelected = 1;
    setMain(next);
    s_.refresh.redrawChart();
}

void ChartModel::selectAll(NodeFilter filter)
{
    int last = -1;
    for (int i = 0; i < p_.objectCount; ++i) {
        ObjectRecord& r = p_.objects[i];
        const bool match =
            filter == NodeFilter::All ||
            (filter == NodeFilter::SubSubjects && r.type == ObjectType::SubSubject) ||
            (filter == NodeFilter::Markers && r.type == ObjectType::Marker);
        r.nodeSelected = match ? 1 : 0;
        if (match)
            last = i;
    }
    setMain(last);
    s_.refresh.redrawChart();
}

void ChartModel::selectSameMainSubject()
{
    const int m = mainIndex();
    if (m < 0)
        return;
    const ObjectRecord& main = p_.objects[m];
    for (int i = 0; i < p_.objectCount; ++i) {
        ObjectRecord& r = p_.objects[i];
        if (r.type == ObjectType::SubSubject)
            r.nodeSelected =
                std::strncmp(r.firstText, main.firstText, kObjectTextBytes) == 0 ? 1 : 0;
    }
    s_.refresh.redrawChart();
}

void ChartModel::selectSameBackground()
{
    const int m = mainIndex();
    if (m < 0)
        return;
    const Colour background = p_.objects[m].background;
    for (int i = 0; i < p_.objectCount; ++i) {
        ObjectRecord& r = p_.objects[i];
        r.nodeSelected = (r.type == ObjectType::Marker && r.background == background) ? 1 : 0;
    }
    s_.refresh.redrawChart();
}

int ChartModel::nodeAt(Point p) const
{
    for (int i = p_.objectCount - 1; i >= 0; --i)
        if (hitRect(p_.objects[i]).contains(p))
            return i;
    return -1;
}

ChartModel::HandleHit ChartModel::handleAt(Point p) const
{
    for (int i = 0; i < p_.objectCount; ++i) {
        if (!p_.objects[i].nodeSelected)
            continue;
        const Rect r = hitRect(p_.objects[i]);
        for (int h = 0; h < 8; ++h)
            if (handleRect(r, h, 3).contains(p))
                return {i, h};
    }
    return {};
}

bool ChartModel::rotationCircleShown() const
{
    return p_.chartView.rotationCircleShown && mainIndex() >= 0 && !linkedToMain().empty();
}

int ChartModel::placeUnplaced(Point fallbackCentre)
{
    const int placed = placer_.placeUnplaced(p_, fallbackCentre);
    if (placed > 0) {
        history_.reset();
        p_.modified = true;
    }
    return placed;
}

bool ChartModel::push(const std::vector<ObjectId>& ids, bool withMarkerColours)
{
    if (history_.push(p_, ids, withMarkerColours))
        return true;
    showMessage(s_.messages, msg::kMemoryFailed, {}, style::error);
    return false;
}

bool ChartModel::pushSelected(bool withMarkerColours)
{
    std::vector<ObjectId> ids;
    for (int i : selectedIndexes())
        ids.push_back(p_.objects[i].id);
    return push(ids, withMarkerColours);
}

void ChartModel::changed()
{
    p_.modified = true;
    s_.refresh.redrawChart();
}

bool ChartModel::moveSelected(int dxCanvas, int dyCanvas)
{
    const std::vector<int> selected = selectedIndexes();
    if (selected.empty() || !pushSelected())
        return false;
    const float zoom = zoomOf(p_.chartView);
    const int dx = stepToChart(dxCanvas, zoom);
    const int dy = stepToChart(dyCanvas, zoom);
    const int width = chartWidth(p_.chartView);
    const int height = chartHeight(p_.chartView);
    for (int i : selected) {
        Rect r = nodeRect(p_.objects[i]).moved(dx, dy);
        if (r.right >= width)
            r = r.moved(width - 1 - r.right, 0);
        if (r.bottom >= height)
            r = r.moved(0, height - 1 - r.bottom);
        if (r.left < 2)
            r = r.moved(2 - r.left, 0);
        if (r.top < 2)
            r = r.moved(0, 2 - r.top);
        setNodeRect(p_.objects[i], r);
    }
    changed();
    return true;
}

Rect ChartModel::resizeTarget(int handle, Point pointer) const
{
    const int m = mainIndex();
    if (m < 0)
        return {};
    Rect r = nodeRect(p_.objects[m]);
    const int x = std::clamp(pointer.x, 0, chartWidth(p_.chartView));
    const int y = std::clamp(pointer.y, 0, chartHeight(p_.chartView));
    const bool movesLeft = handle == 0 || handle == 3 || handle == 7;
    const bool movesRight = handle == 1 || handle == 2 || handle == 5;
    const bool movesTop = handle == 0 || handle == 1 || handle == 4;
    const bool movesBottom = handle == 2 || handle == 3 || handle == 6;
    if (movesLeft)
        r.left = std::min(x, r.right - kMinNodeWidth);
    if (movesRight)
        r.right = std::max(x, r.left + kMinNodeWidth);
    if (movesTop)
        r.top = std::min(y, r.bottom - kMinNodeHeight);
    if (movesBottom)
        r.bottom = std::max(y, r.top + kMinNodeHeight);
    return r;
}

bool ChartModel::resizeSelected(int handle, const Rect& target)
{
    const int m = mainIndex();
    if (m < 0 || handle < 0 || handle > 7)
        return false;
    const Rect before = nodeRect(p_.objects[m]);
    if (before.width() <= 0 || before.height() <= 0 || !pushSelected())
        return false;
    const double sx = double(target.width()) / before.width();
    const double sy = double(target.height()) / before.height();
    const bool scalesWidth = handle != 4 && handle != 6;
    const bool scalesHeight = handle != 5 && handle != 7;
    const bool keepsRight = handle == 0 || handle == 3 || handle == 7;
    const bool keepsBottom = handle == 0 || handle == 1 || handle == 4;
    const int width = chartWidth(p_.chartView);
    const int height = chartHeight(p_.chartView);
    for (int i : selectedIndexes()) {
        const Rect r = nodeRect(p_.objects[i]);
        Rect out = r;
        if (i == m) {
            out = target;
        } else {
            const int w = scalesWidth ? std::max(kMinNodeWidth, int(r.width() * sx)) : r.width();
            const int h =
                scalesHeight ? std::max(kMinNodeHeight, int(r.height() * sy)) : r.height();
            if (keepsRight)
                out.left = r.right - w;
            else
                out.right = r.left + w;
            if (keepsBottom)
                out.top = r.bottom - h;
            else
                out.bottom = r.top + h;
        }
        setNodeRect(p_.objects[i], keepInside(out, width, height));
    }
    changed();
    return true;
}

int ChartModel::dropOnto(int targetIndex)
{
    if (targetIndex < 0 || targetIndex >= p_.objectCount)
        return 0;
    const ObjectId target = p_.objects[targetIndex].id;
    std::vector<ObjectId> sources;
    for (int i : selectedIndexes())
        sources.push_back(p_.objects[i].id);
    LinkOps links(p_, s_);
    int made = 0;
    for (ObjectId source : sources) {
        if (source == target)
            continue;
        // Looked up again each time: the answers to the questions are the user's, and nothing
        // should be assumed about the table across them.
        const int from = findObjectIndex(p_, source);
        const int to = findObjectIndex(p_, target);
        if (from < 0 || to < 0 || !links.toggle(from, to))
            break;
        ++made;
    }
    if (made > 0)
        s_.refresh.redrawChart();
    return made;
}

std::vector<int> ChartModel::linkedToMain() const
{
    std::vector<int> out;
    const int m = mainIndex();
    if (m < 0)
        return out;
    std::vector<char> taken(static_cast<std::size_t>(p_.objectCount), 0);
    taken[static_cast<std::size_t>(m)] = 1;
    for (int l = 0; l < p_.linkCount; ++l) {
        const LinkRecord& link = p_.links[l];
        ObjectId other = 0;
        if (link.from == main_)
            other = link.to;
        else if (link.to == main_)
            other = link.from;
        const int i = other == 0 ? -1 : findObjectIndex(p_, other);
        // A node linked both ways is moved once.
        if (i >= 0 && !taken[static_cast<std::size_t>(i)]) {
            taken[static_cast<std::size_t>(i)] = 1;
            out.push_back(i);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool ChartModel::rotateLinked(Point p0, Point p1)
{
    const int m = mainIndex();
    if (m < 0)
        return false;
    const float zoom = zoomOf(p_.chartView);
    const Rect mr = nodeRect(p_.objects[m]);
    const Point c{toCanvas((mr.left + mr.right) / 2, zoom),
                  toCanvas((mr.top + mr.bottom) / 2, zoom)};
    const double releaseDistance = std::hypot(double(p1.x) - c.x, double(p1.y) - c.y);
    // A release on the centre would collapse every linked node onto it.
    constexpr double kDeadRadius = 4.0;
    if (releaseDistance < kDeadRadius)
        return false;
    const std::vector<int> linked = linkedToMain();
    if (linked.empty())
        return false;
    std::vector<ObjectId> ids;
    for (int i : linked)
        ids.push_back(p_.objects[i].id);
    if (!push(ids))
        return false;
    const double radius = rotationRadius(p_.chartView);
    const double turn = std::atan2(double(p1.y) - c.y, double(p1.x) - c.x) -
                        std::atan2(double(p0.y) - c.y, double(p0.x) - c.x);
    const double spread = (std::trunc(releaseDistance) - radius) / radius;
    const int width = chartWidth(p_.chartView);
    const int height = chartHeight(p_.chartView);
    for (int i : linked) {
        const Rect chartRect = nodeRect(p_.objects[i]);
        const Point q = toCanvas(chartRect, zoom).centre();
        const double phi = std::atan2(double(q.y) - c.y, double(q.x) - c.x);
        const double rho = std::trunc(std::hypot(double(q.x) - c.x, double(q.y) - c.y));
        const Point r{c.x + int(std::cos(phi + turn) * rho), c.y + int(std::sin(phi + turn) * rho)};
        const Point centre{r.x + int((r.x - c.x) * spread), r.y + int((r.y - c.y) * spread)};
        // Only the origin goes through the pixel conversion: the size stays in chart units, so a
        // rotation never shrinks a node.
        const Point origin = toChart(Point{centre.x - toCanvas(chartRect.width(), zoom) / 2,
                                           centre.y - toCanvas(chartRect.height(), zoom) / 2},
                                     zoom);
        const Rect moved{origin.x, origin.y, origin.x + chartRect.width(),
                         origin.y + chartRect.height()};
        setNodeRect(p_.objects[i], keepInside(moved, width, height));
    }
    changed();
    return true;
}

/// The right-most and bottom-most edges of the placed nodes.
Point nodesExtent(const ProjectData& p)
{
    Point extent{0, 0};
    for (int i = 0; i < p.objectCount; ++i) {
        if (!isPlaced(p.objects[i]))
            continue;
        extent.x = std::max(extent.x, p.objects[i].nodeRect[2]);
        extent.y = std::max(extent.y, p.objects[i].nodeRect[3]);
    }
    return extent;
}

/// At least the extent and 500, at most 5000: alignment may have pushed the extent past 5000,
/// so the upper bound is applied last.
int clampChartSize(int value, int extent)
{
    return std::min(kMaxChartSize, std::max({kMinChartSize, extent, value}));
}

int ChartModel::widthForDrag(int canvasX) const
{
    return clampChartSize(toChart(canvasX, zoomOf(p_.chartView)), nodesExtent(p_).x);
}

int ChartModel::heightForDrag(int canvasY) const
{
    return clampChartSize(toChart(canvasY, zoomOf(p_.chartView)), nodesExtent(p_).y);
}

void ChartModel::setChartWidth(int width)
{
    p_.chartView.width = static_cast<std::int16_t>(clampChartSize(width, nodesExtent(p_).x));
    changed();
}

void ChartModel::setChartHeight(int height)
{
    p_.chartView.height = static_cast<std::int16_t>(clampChartSize(height, nodesExtent(p_).y));
    changed();
}

void ChartModel::setZoom(float zoom)
{
    p_.chartView.zoom = clampZoom(zoom);
    changed();
}

void ChartModel::setRadiusFromDrag(int canvasX)
{
    const int m = mainIndex();
    if (m < 0)
        return;
    const Rect r = nodeRect(p_.objects[m]);
    const int centreX = toCanvas((r.left + r.right) / 2, zoomOf(p_.chartView));
    p_.chartView.rotationRadius =
        static_cast<std::int16_t>(std::clamp(canvasX - centreX, kMinRadius, kMaxRadius));
    changed();
}

AlignRefusal ChartModel::align(Align command)
{
    const std::vector<int> selected = selectedIndexes();
    const int m = mainIndex();
    const AlignRefusal refusal = alignPrecondition(command, selected, m);
    if (refusal != AlignRefusal::None)
        return refusal;
    if (!pushSelected())
        return AlignRefusal::None;
    if (!applyAlign(p_, command, selected, m)) {
        showMessage(s_.messages, msg::kMemoryFailed, {}, style::error);
        return AlignRefusal::None;
    }
    changed();
    return AlignRefusal::None;
}

namespace {

struct FieldBytes
{
    std::size_t offset;
    std::size_t size;
};

/// The bytes of one style field, with the font size travelling with the font name.
bool fieldBytes(StyleField f, FieldBytes& out)
{
    switch (f) {
    case StyleField::FontNameAndSize:
        out = {offsetof(ObjectRecord, fontName),
               offsetof(ObjectRecord, pad3) - offsetof(ObjectRecord, fontName)};
        return true;
    case StyleField::Bold:
        out = {offsetof(ObjectRecord, bold), 4};
        return true;
    case StyleField::Italic:
        out = {offsetof(ObjectRecord, italic), 4};
        return true;
    case StyleField::TextColour:
        out = {offsetof(ObjectRecord, textColour), 4};
        return true;
    case StyleField::AlignV:
        out = {offsetof(ObjectRecord, alignV), 2};
        return true;
    case StyleField::AlignH:
        out = {offsetof(ObjectRecord, alignH), 2};
        return true;
    case StyleField::WordWrap:
        out = {offsetof(ObjectRecord, wordWrap), 4};
        return true;
    case StyleField::MarginLeft:
        out = {offsetof(ObjectRecord, marginLeft), 2};
        return true;
    case StyleField::MarginRight:
        out = {offsetof(ObjectRecord, marginRight), 2};
        return true;
    case StyleField::MarginTop:
        out = {offsetof(ObjectRecord, marginTop), 2};
        return true;
    case StyleField::MarginBottom:
        out = {offsetof(ObjectRecord, marginBottom), 2};
        return true;
    case StyleField::Background:
        out = {offsetof(ObjectRecord, background), 4};
        return true;
    case StyleField::LineColour:
        out = {offsetof(ObjectRecord, lineColour), 4};
        return true;
    case StyleField::LineThickness:
        out = {offsetof(ObjectRecord, lineThickness), 2};
        return true;
    case StyleField::LineStyle:
        out = {offsetof(ObjectRecord, lineStyle), 2};
        return true;
    }
    return false;
}

} // namespace

bool ChartModel::copyStyleField(StyleField field)
{
    const int m = mainIndex();
    FieldBytes bytes{};
    if (m < 0 || !fieldBytes(field, bytes) || selectedCount() < 2 || !pushSelected())
        return false;
    const auto* from = reinterpret_cast<const unsigned char*>(&p_.objects[m]) + bytes.offset;
    for (int i : selectedIndexes())
        if (i != m)
            std::memcpy(reinterpret_cast<unsigned char*>(&p_.objects[i]) + bytes.offset, from,
                        bytes.size);
    changed();
    return true;
}

void ChartModel::markerColoursChanged(const std::vector<int>& indexes)
{
    for (int i : indexes)
        s_.refresh.redrawTextViewsOf(p_.objects[i].document);
    if (!indexes.empty())
        s_.refresh.rebuildMarkerList();
}

bool ChartModel::copyWholeStyle()
{
    const int m = mainIndex();
    if (m < 0 || selectedCount() < 2)
        return false;
    const bool synchro = read(s_.settings, keys::Synchro) == 1;
    if (!pushSelected(synchro))
        return false;
    const auto* from = reinterpret_cast<const unsigned char*>(&p_.objects[m]) + kNodeStyleOffset;
    std::vector<int> recoloured;
    for (int i : selectedIndexes()) {
        if (i == m)
            continue;
        ObjectRecord& r = p_.objects[i];
        std::memcpy(reinterpret_cast<unsigned char*>(&r) + kNodeStyleOffset, from, kNodeStyleBytes);
        if (synchro && r.type == ObjectType::Marker && r.background != kNoFill &&
            r.markerColour != r.background) {
            r.markerColour = r.background;
            recoloured.push_back(i);
        }
    }
    markerColoursChanged(recoloured);
    changed();
    return true;
}

bool ChartModel::backgroundFromMarkerColour()
{
    std::vector<ObjectId> ids;
    for (int i : selectedIndexes())
        if (p_.objects[i].type == ObjectType::Marker)
            ids.push_back(p_.objects[i].id);
    if (ids.empty() || !push(ids))
        return false;
    for (int i : selectedIndexes())
        if (p_.objects[i].type == ObjectType::Marker)
            p_.objects[i].background = p_.objects[i].markerColour;
    changed();
    return true;
}

bool ChartModel::restack(Stacking how)
{
    const std::vector<int> selected = selectedIndexes();
    if (selected.empty() || (how == Stacking::SwapTwo && selected.size() != 2))
        return false;
    const int n = p_.objectCount;
    std::vector<int> order;            // new position -> old index
    std::vector<ObjectRecord> records; // the table before
    try {
        order.reserve(static_cast<std::size_t>(n));
        records.assign(p_.objects.get(), p_.objects.get() + n);
    } catch (const std::bad_alloc&) {
        showMessage(s_.messages, msg::kMemoryFailed, {}, style::error);
        return false;
    }
    if (how == Stacking::SwapTwo) {
        for (int i = 0; i < n; ++i)
            order.push_back(i);
        std::swap(order[static_cast<std::size_t>(selected[0])],
                  order[static_cast<std::size_t>(selected[1])]);
    } else {
        const bool selectedFirst = how == Stacking::Back;
        for (int pass = 0; pass < 2; ++pass) {
            const bool takeSelected = (pass == 0) == selectedFirst;
            for (int i = 0; i < n; ++i)
                if ((p_.objects[i].nodeSelected != 0) == takeSelected)
                    order.push_back(i);
        }
    }
    if (static_cast<int>(order.size()) != n) {
        showMessage(s_.messages, msg::kSwapFailed, {}, style::error);
        return false;
    }
    int current = -1;
    for (int k = 0; k < n; ++k) {
        p_.objects[k] = records[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])];
        if (order[static_cast<std::size_t>(k)] == p_.currentObject)
            current = k;
    }
    // The current object follows its record; the main selection and the hover object are IDs
    // and follow by themselves.
    p_.currentObject = current;
    history_.reset();
    changed();
    return true;
}

namespace {

constexpr SjisView kOpenBracket = "\x81y";  // "【"
constexpr SjisView kCloseBracket = "\x81z"; // "】"
// "\n====================\nこのノードおよび副題を" and "...マーカを"
constexpr SjisView kThisNodeAndSubSubject =
    "\n====================\n\x82\xb1\x82\xcc\x83m\x81[\x83h\x82\xa8\x82\xe6\x82\xd1\x95\x9b"
    "\x91\xe8\x82\xf0";
constexpr SjisView kThisNodeAndMarker =
    "\n====================\n\x82\xb1\x82\xcc\x83m\x81[\x83h\x82\xa8\x82\xe6\x82\xd1\x83}"
    "\x81[\x83J\x82\xf0";
// "選択された 副題ノード %d, マーカノード %d を\n"
constexpr SjisView kSelected =
    "\x91I\x91\xf0\x82\xb3\x82\xea\x82\xbd \x95\x9b\x91\xe8\x83m\x81[\x83h ";
constexpr SjisView kMarkerNodes = ", \x83}\x81[\x83J\x83m\x81[\x83h ";
constexpr SjisView kParticle = " \x82\xf0\n";

} // namespace

bool ChartModel::deleteSelected()
{
    const std::vector<int> selected = selectedIndexes();
    if (selected.empty())
        return false;
    int subSubjects = 0;
    int markers = 0;
    for (int i : selected)
        (p_.objects[i].type == ObjectType::SubSubject ? subSubjects : markers) += 1;
    SjisString leading;
    const ObjectRecord& first = p_.objects[selected.front()];
    if (subSubjects == 1 && markers == 0) {
        leading += kOpenBracket;
        leading += fixedText(first.firstText);
        leading += kCloseBracket;
        leading += '\n';
        leading += fixedText(first.secondText);
        leading += kThisNodeAndSubSubject;
    } else if (subSubjects == 0 && markers == 1) {
        leading += fixedText(first.secondText);
        leading += kThisNodeAndMarker;
    } else {
        leading += kSelected;
        leading += std::to_string(subSubjects);
        leading += kMarkerNodes;
        leading += std::to_string(markers);
        leading += kParticle;
    }
    if (showMessage(s_.messages, msg::kConfirmDeleteWithLinks, leading, style::yesNo) !=
        Answer::Yes)
        return false;
    std::vector<ObjectId> ids;
    for (int i : selected)
        ids.push_back(p_.objects[i].id);
    MarkerOps markerOps(p_, s_);
    SubjectOps subjectOps(p_, s_);
    for (ObjectId id : ids) {
        const int i = findObjectIndex(p_, id);
        if (i < 0)
            continue;
        if (p_.objects[i].type == ObjectType::SubSubject)
            subjectOps.deleteSubSubject(id, false);
        else
            markerOps.deleteMarker(i, false);
    }
    history_.reset();
    main_ = 0;
    hover_ = 0;
    s_.refresh.resetPropertiesPane();
    changed();
    return true;
}

bool ChartModel::undo()
{
    std::vector<int> recoloured;
    if (!history_.undo(p_, &recoloured))
        return false;
    markerColoursChanged(recoloured);
    clearSelection();
    changed();
    return true;
}

bool ChartModel::redo()
{
    std::vector<int> recoloured;
    if (!history_.redo(p_, &recoloured))
        return false;
    markerColoursChanged(recoloured);
    clearSelection();
    changed();
    return true;
}

float fitZoom(int clientWidth, int clientHeight, const ChartViewSettings& s)
{
    const float zx = float(clientWidth) / float(chartWidth(s));
    const float zy = float(clientHeight) / float(chartHeight(s));
    return clampZoom(std::min(zx, zy));
}

float dialZoomDelta(double theta0, double theta1)
{
    double d = theta1 - theta0;
    constexpr double pi = std::numbers::pi;
    while (d > pi)
        d -= 2 * pi;
    while (d <= -pi)
        d += 2 * pi;
    return static_cast<float>(std::trunc(d * 100) / 100);
}

} // namespace corvane::chart
