// The marker gestures and commands of one text view: creating or changing a marker from the
// selection, deleting it, stepping between markers, picking one with the mouse, dragging it to
// other panes, taking drops of sub-subjects and markers onto a marker (links), the context menus
// by place, the cursors and the comment tooltip. It watches the view's viewport, so the view
// itself only creates it.
#pragma once

#include "base/Services.h"
#include "model/MarkerPalette.h"
#include "model/ProjectData.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace corvane {

class CVantorView;

class CMarkerGestures : public QObject
{
    Q_OBJECT
public:
    CMarkerGestures(CVantorView& view, ProjectData& project, Services& services);
    ~CMarkerGestures() override;

    /// The gestures of a view; null for a view made without them.
    static CMarkerGestures* of(const CVantorView* view);

    /// Marker commands routed to this view (command ids); false when not handled or disabled.
    bool handleCommand(int id);
    bool isCommandEnabled(int id) const;
    /// The selection may be marked: not empty.
    bool selectionMarkable() const;

    /// The marker (object index) at a viewport point, -1 for none.
    int markerAtPoint(const QPoint& viewportPoint) const;
    /// The link-count box at a viewport point: the marker's object index, -1 for none.
    int linkCountBoxAt(const QPoint& viewportPoint) const;
    /// An object dropped at a viewport point: a sub-subject or another marker dropped on a marker
    /// toggles the link dragged -> marker. True when the link table changed.
    bool dropObject(ObjectId dragged, const QPoint& viewportPoint);
    /// A bookmark dropped at a viewport point: the caret goes there and the bookmark is set,
    /// after asking 30106 when it came from a ribbon pin and is set already.
    bool dropBookmark(int slot, bool fromPin, const QPoint& viewportPoint);
    /// Makes the marker at index the current object with its span selected and shown.
    void pickMarker(int index);

    /// The context menu of a viewport point, as the right button opens it.
    std::unique_ptr<QMenu> buildContextMenu(const QPoint& viewportPoint);

    // Seams: menus and drags run modally; tests replace them.
    std::function<void(QMenu&, const QPoint&)> runMenu;
    std::function<void(ObjectId)> runDrag;
    std::function<void(int slot)> runBookmarkDrag;
    /// Empties the view's undo and redo lists after a marker was made or changed (the editing
    /// of the view sets it).
    std::function<void()> emptyUndoLists;
    /// Runs a command of the main frame (full screen from the view menu); unset, such items are
    /// disabled.
    std::function<void(int)> runFrameCommand;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void markFromSelection(MarkerColourChoice colourChoice);
    void afterMarkerChange();
    void showSpanOf(int index);
    void updateCursor(const QPoint& viewportPoint);
    void showTooltipSoon(int markerIndex, const QPoint& globalPos);
    void hideTooltip();
    std::unique_ptr<QMenu> markerMenu();
    std::unique_ptr<QMenu> selectionMenu();
    std::unique_ptr<QMenu> viewMenu();
    std::unique_ptr<QMenu> bookmarkMenu();
    /// Clears bookmark slot after asking 30107.
    void clearBookmark(int slot);

    QAction* addItem(QMenu& menu, int id, const QString& label);
    bool inSelection(const QPoint& viewportPoint) const;

    CVantorView& view_;
    ProjectData& p_;
    Services& s_;
    QPoint menuPoint_;                ///< where the last context menu opened (viewport)
    QPoint pressPoint_;               ///< left press on a marker (viewport)
    int pressedMarker_ = -1;          ///< the marker a drag would carry; valid for one press
    int pressedBookmark_ = -1;        ///< the bookmark image pressed; valid for one press
    int menuBookmark_ = -1;           ///< the bookmark under the last right click
    bool selectingText_ = false;      ///< left held after a press on plain text
    ByteOffset selectionAnchor_ = -1; ///< where that press put the caret
    QTimer* tooltipTimer_;
    QPointer<QLabel> tooltip_;
    ObjectId tooltipMarker_ = 0; ///< the marker whose comment shows after the delay, 0 none
    QPoint tooltipPos_;
};

} // namespace corvane
