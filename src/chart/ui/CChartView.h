// The chart view: a hand-drawn scroll area over the chart model. The scene (canvas, links, nodes)
// is painted once into a pixmap of the viewport and kept until the model, the zoom or the scroll
// position changes; drag feedback and the rubber band are drawn over that pixmap, so a frame of
// a drag repaints only the feedback's rectangles.
#pragma once

#include "base/Refresh.h"
#include "base/Services.h"
#include "chart/ChartModel.h"
#include "chart/paint/ChartPainter.h"
#include "chart/paint/ZoomConsoleImage.h"
#include "model/ProjectData.h"

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace corvane {

class CChartView : public QAbstractScrollArea, public Refresh
{
    Q_OBJECT
public:
    CChartView(ProjectData& project, Services& services, QWidget* parent = nullptr);
    ~CChartView() override;

    chart::ChartModel& model() { return model_; }

    /// Marks the cached scene stale and schedules a repaint (markers or links changed elsewhere,
    /// or the model changed the layout).
    void redrawChart() override;
    /// The chart's width or height changed elsewhere (the properties pane): new scroll range.
    void chartSizeChanged() override;

    /// Commands of the chart (ribbon, context menus, keys); false when not the chart's.
    bool handleCommand(int id);
    bool isCommandEnabled(int id) const;
    bool isCommandChecked(int id) const;

    /// The context menu for a right click at a viewport point (selects the node under it as the
    /// click would).
    std::unique_ptr<QMenu> buildContextMenu(const QPoint& viewportPoint);

    /// Scrolls the node of id to the middle of the window (on the axes that scroll) and makes it
    /// the only selected node and the main selection (513 from the text view and subject list).
    /// False when id is not an object.
    bool showNodeInCentre(ObjectId id);

    /// Saves the whole chart as a PNG or SVG image at zoom 1, drawn by the same painter without
    /// selection marks. False with nothing written when the file cannot be written.
    bool saveImage(const QString& path, bool svg);

    /// Viewport point of a chart point (for callers that aim at a node).
    QPoint viewportPointOf(chart::Point chartPoint) const;
    /// The zoom console's centre in viewport pixels, held inside the window.
    QPoint consoleCentre() const;
    bool consoleVisible() const;
    bool consoleActive() const { return consoleActive_; }
    /// The object whose hover popup plays (0 none).
    ObjectId hoverObject() const { return hoverId_; }
    /// How many times the scene has been painted into the cache.
    int sceneRebuilds() const { return rebuilds_; }

    /// Commands the frame carries out (full screen), given by the frame.
    std::function<void(int id)> runFrameCommand;
    /// Double-click on a sub-subject node (502): its row in the subject list, given by the frame.
    std::function<void(ObjectId)> showSubSubject;
    /// Asks where to save the chart image (a file dialog; tests answer it). Empty: cancelled.
    std::function<QString(bool svg)> chooseImagePath;
    /// The operation guide in the status bar (the frame shows it only while the guide is on).
    std::function<void(const QString&)> showGuide;

signals:
    /// The layout, the selection or the zoom changed (the frame updates its command states).
    void chartChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Gesture
    {
        None,
        Band,
        Move,
        Resize,
        Width,
        Height,
        Rotate,
        Radius,
        ConsoleMove,
        Dial
    };
    /// The rotation circle's centre (the main node's centre) in canvas pixels.
    chart::Point circleCentre() const;
    bool onRadiusHandle(chart::Point canvas) const;
    bool onCircleLine(chart::Point canvas) const;

    float zoom() const;
    QPoint scroll() const;
    chart::Point canvasOf(const QPoint& viewportPoint) const;
    chart::Point chartOf(const QPoint& viewportPoint) const;
    void updateScrollArea();
    void zoomTo(float zoom);
    /// The drag feedback's rectangle in viewport pixels (empty when there is none).
    QRect feedbackRect() const;
    void paintFeedback(QPainter& painter) const;
    void setFeedbackPoint(const QPoint& viewportPoint);
    void hoverCursor(const QPoint& viewportPoint);
    void guide(const char* utf8);
    chart::Rect moveOutline() const; ///< canvas pixels
    int widthBarX() const;           ///< canvas pixels
    int heightBarY() const;
    bool deleteAllLinksOfMain();
    void storeNodeDefaults(bool subSubject);
    void saveImageCommand(bool svg);

    /// The console's picture and ring area in viewport pixels (for partial repaints).
    QRect consoleArea() const;
    void updateConsole();
    /// The console's place during a console move (clamped), viewport pixels.
    QPoint movedConsoleCentre(const QPoint& pointer) const;
    void setConsoleCentre(QPoint centre);
    bool consoleHover(const QPoint& viewportPoint);
    void wheelOnDial(int step);

    void startHover(int index);
    void stopHover();
    void hoverTick();
    QRect hoverArea() const;
    void paintHover(QPainter& painter) const;
    ProjectData& p_;
    Services& s_;
    chart::ChartModel model_;
    chart::ChartPainter painter_;
    QPixmap scene_;
    bool sceneStale_ = true;
    int rebuilds_ = 0;

    Gesture gesture_ = Gesture::None;
    QPoint press_;       ///< viewport pixels
    QPoint pointer_;     ///< viewport pixels, latest of the gesture
    chart::Point grab_;  ///< move: pointer minus the main node's centre, canvas pixels
    int handle_ = -1;    ///< resize
    QRect lastFeedback_; ///< viewport pixels, what the last overlay covered
    /// The stored scroll position, applied once the viewport has its size.
    std::optional<QPoint> pendingScroll_;

    chart::ZoomConsoleImage console_;
    /// Shown now: while it is not always shown, the pointer coming near shows it and a rubber
    /// band hides it.
    bool consoleShown_ = true;
    bool consoleActive_ = false;
    bool hiddenForScroll_ = false;
    QPoint dialPrevious_;

    /// The hover popup: a light animation around an unselected node under the pointer.
    QTimer hoverTimer_;
    ObjectId hoverId_ = 0;
    int hoverFrame_ = 0;
    QRect lastHover_;
};

} // namespace corvane
