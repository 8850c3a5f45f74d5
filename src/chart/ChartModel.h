// What the chart view does to the project, without a window: the selection model and the main
// selection, hit tests, placement, moves, resizes, rotation, chart width and height, alignment,
// stacking order, style copies and the layout history. The window translates gestures into these
// calls and paints; everything here is in chart units or canvas pixels (client pixels plus the
// scroll position), never client pixels.
//
// The main selection and the hover object are kept as object IDs, so they follow their objects
// through every reordering of the table and become none when their object is deleted.
#pragma once

#include "base/Services.h"
#include "chart/Alignment.h"
#include "chart/ChartGeometry.h"
#include "chart/LayoutHistory.h"
#include "chart/Placement.h"
#include "model/ProjectData.h"

#include <cstdint>
#include <vector>

namespace corvane::chart {

struct Modifiers
{
    bool ctrl = false;
    bool shift = false;
};

enum class NodeFilter
{
    All,
    SubSubjects,
    Markers
};

/// Stacking-order commands: selected nodes to the front or the back, or the two selected nodes
/// swapped.
enum class Stacking
{
    Front,
    Back,
    SwapTwo
};

/// One node style field copied from the main selection to the other selected nodes.
enum class StyleField
{
    FontNameAndSize = 1,
    Bold = 3,
    Italic = 4,
    TextColour = 5,
    AlignV = 11,
    AlignH = 12,
    WordWrap = 13,
    MarginLeft = 21,
    MarginRight = 22,
    MarginTop = 23,
    MarginBottom = 24,
    Background = 31,
    LineColour = 41,
    LineThickness = 42,
    LineStyle = 43
};

/// The background value meaning "no fill"; it is no marker colour.
inline constexpr Colour kNoFill = 0xFFFFFFFFu;

class ChartModel
{
public:
    ChartModel(ProjectData& project, Services& services, std::uint32_t placementSeed);

    // Selection --------------------------------------------------------------------------------

    /// Index of the main selection, -1 for none (also when its object has gone).
    int mainIndex() const;
    ObjectId mainId() const { return main_; }
    /// Makes the object at index (-1: none) the main selection and tells the properties pane:
    /// the object's page, or "nothing selected" for none.
    void setMain(int index);
    /// Indexes of the selected nodes in table order.
    std::vector<int> selectedIndexes() const;
    int selectedCount() const;
    /// Every node unselected and the main selection none (redraws).
    void clearSelection();
    /// A left press on the node at index with these keys. True when a move starts.
    bool pressOnNode(int index, Modifiers keys);
    /// A rubber band released over canvasRect (canvas pixels): every node entirely inside is
    /// selected and the last becomes main. False when the band is under 11 pixels either way or
    /// holds no node.
    bool selectInside(const Rect& canvasRect);
    /// Tab and Shift+Tab: the next (previous) node in table order becomes the only selected one.
    void cycleMain(bool forward);
    /// Select every node (of one type); the last becomes main.
    void selectAll(NodeFilter filter);
    /// Sub-subject nodes with the main selection's main subject selected, the others unselected.
    void selectSameMainSubject();
    /// Only the marker nodes with the main selection's background colour selected.
    void selectSameBackground();
    ObjectId hoverId() const { return hover_; }
    void setHover(int index);

    // Hit tests (chart units) -------------------------------------------------------------------

    /// The topmost node whose hit rectangle holds the point, -1 for none.
    int nodeAt(Point chartPoint) const;
    struct HandleHit
    {
        int index = -1;
        int handle = -1;
    };
    /// The first selection handle (of a selected node, table order) holding the point.
    HandleHit handleAt(Point chartPoint) const;
    /// True when the rotation circle is shown: a main selection with a link and the setting on.
    bool rotationCircleShown() const;

    // Changes of the layout -------------------------------------------------------------------

    /// Automatic placement of every unplaced node (see Placer); resets the history when any was
    /// placed.
    int placeUnplaced(Point fallbackCentre);
    /// Moves the selected nodes by a step in canvas pixels (keyboard or drag), held inside the
    /// canvas. False when nothing is selected.
    bool moveSelected(int dxCanvas, int dyCanvas);
    /// The main node's rectangle with handle's edges at the pointer (chart units), the pointer
    /// held inside the canvas and at least 60 x 20 from the fixed edges.
    Rect resizeTarget(int handle, Point chartPointer) const;
    /// Scales every selected node as the main node goes to newMainRect (chart units), keeping
    /// the edges opposite the handle, at least 60 x 20 and inside the canvas.
    bool resizeSelected(int handle, const Rect& newMainRect);
    /// A move released on the node at targetIndex: the link toggle from every selected node to
    /// it, in table order, with its questions. A selected target is skipped rather than linked to
    /// itself, and the drop goes on; any refusal or No ends the drop. Returns the toggles made.
    int dropOnto(int targetIndex);
    /// Rotates the nodes linked to the main selection by the angle from press to release around
    /// its centre, spread by how far outside the circle the release is (canvas pixels). A release
    /// within a few pixels of the centre does nothing (false).
    bool rotateLinked(Point pressCanvas, Point releaseCanvas);
    /// The chart width a drag to pointer x (canvas pixels) gives: at least the nodes' right-most
    /// edge and 500, at most 5000. Likewise the height.
    int widthForDrag(int canvasX) const;
    int heightForDrag(int canvasY) const;
    /// Stores a chart width or height (as from a drag or the properties pane), clamped as above.
    void setChartWidth(int width);
    void setChartHeight(int height);
    /// Zoom clamped to 0.08-4.0; sets modified and redraws.
    void setZoom(float zoom);
    /// Rotation radius from a radius drag: pointer x minus the main node's centre x (canvas).
    void setRadiusFromDrag(int canvasX);

    /// An alignment command; the history is pushed only when the preconditions hold, so a
    /// command that does nothing leaves no undo step.
    AlignRefusal align(Align command);
    /// Copies one style field from the main selection to the other selected nodes.
    bool copyStyleField(StyleField field);
    /// Copies the whole node style (519); with KanSet/Synchro 1 the marker nodes take the new
    /// background as marker colour (except "no fill").
    bool copyWholeStyle();
    /// Every selected marker node's background becomes its marker colour (508).
    bool backgroundFromMarkerColour();
    /// Reorders the table (32819-32821); resets the history. False (30087 for a failed
    /// reordering, 30001 for memory) with the table unchanged.
    bool restack(Stacking how);

    /// Deletes the selected nodes with their objects and links after 30083 (517), which cannot
    /// be undone: the layout history is reset. False when nothing is selected or the user says
    /// No.
    bool deleteSelected();

    /// Layout history; both clear the selection and set the modified flag.
    bool undo();
    bool redo();
    LayoutHistory& history() { return history_; }

    /// Table index of the object of id, -1 when it does not exist.
    int indexOf(ObjectId id) const;

private:
    bool pushSelected(bool withMarkerColours = false);
    bool push(const std::vector<ObjectId>& ids, bool withMarkerColours = false);
    void changed();
    void markerColoursChanged(const std::vector<int>& indexes);
    std::vector<int> linkedToMain() const;

    ProjectData& p_;
    Services& s_;
    Placer placer_;
    LayoutHistory history_;
    ObjectId main_ = 0;  ///< 0: none
    ObjectId hover_ = 0; ///< 0: none
};

/// The right-most and bottom-most edges of the placed nodes (chart units).
Point nodesExtent(const ProjectData& p);
/// A chart width or height: at least the nodes' extent and 500, at most 5000 (alignment may have
/// pushed the extent past 5000, so the upper bound is applied last).
int clampChartSize(int value, int extent);

/// Zoom that fits the canvas into the client area (32818).
float fitZoom(int clientWidth, int clientHeight, const ChartViewSettings& s);
/// Zoom change of a dial drag from angle theta0 to theta1 (radians): the difference wrapped into
/// (-pi, pi] (crossing the seam of atan2 would jump to a bound), truncated to hundredths.
float dialZoomDelta(double theta0, double theta1);

} // namespace corvane::chart
