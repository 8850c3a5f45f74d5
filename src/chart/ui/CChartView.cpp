#include "chart/ui/CChartView.h"

#include "base/SettingsKeys.h"
#include "chart/ZoomConsole.h"
#include "chart/ui/AlignCommand.h"
#include "model/LinkOps.h"
#include "model/LinkTable.h"
#include "model/NodeDefaults.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QSvgGenerator>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace corvane {

using chart::Point;
using chart::Rect;

using namespace cmd;

namespace {

/// A move of the dragged node by less than this (canvas pixels, either way) is a click.
constexpr int kMoveThreshold = 5;
/// Chart width and height drags and the rubber band ignore a pointer that moved less.
constexpr int kDragThreshold = 2;
/// A wheel notch scrolls by this many pixels; with Ctrl it zooms by this many hundredths.
constexpr int kWheelStep = 10;

const QColor kOutsideCanvas(171, 171, 171);

chart::Align alignOf(int id)
{
    // Only the alignment commands are routed here.
    return chart::alignOfCommand(id).value_or(chart::Align::SameSize);
}

bool isAlignCommand(int id)
{
    return (id >= cmd::ID_TO_LEFT && id <= cmd::ID_TO_RIGHT) ||
           (id >= cmd::ID_TO_TOP && id <= cmd::ID_SAME_WH);
}

std::uint32_t seedFromClock()
{
    return static_cast<std::uint32_t>(std::random_device{}());
}

} // namespace

CChartView::CChartView(ProjectData& project, Services& services, QWidget* parent)
    : QAbstractScrollArea(parent), p_(project), s_(services),
      model_(project, services, seedFromClock())
{
    setObjectName(QStringLiteral("chartView"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(kWheelStep);
    verticalScrollBar()->setSingleStep(kWheelStep);
    pendingScroll_ = QPoint(p_.chartView.scrollX, p_.chartView.scrollY);
    // The console is taken down while a scroll bar is dragged, so it does not hide what scrolls
    // under it.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QScrollBar::sliderPressed, this, [this] {
            hiddenForScroll_ = true;
            updateConsole();
        });
        connect(bar, &QScrollBar::sliderReleased, this, [this] {
            hiddenForScroll_ = false;
            updateConsole();
        });
    }
    connect(&hoverTimer_, &QTimer::timeout, this, [this] { hoverTick(); });
}

CChartView::~CChartView() = default;

float CChartView::zoom() const
{
    return chart::zoomOf(p_.chartView);
}

QPoint CChartView::scroll() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

Point CChartView::canvasOf(const QPoint& v) const
{
    const QPoint s = scroll();
    return {v.x() + s.x(), v.y() + s.y()};
}

Point CChartView::chartOf(const QPoint& v) const
{
    return chart::toChart(canvasOf(v), zoom());
}

QPoint CChartView::viewportPointOf(Point c) const
{
    const QPoint s = scroll();
    return {chart::toCanvas(c.x, zoom()) - s.x(), chart::toCanvas(c.y, zoom()) - s.y()};
}

void CChartView::redrawChart()
{
    sceneStale_ = true;
    viewport()->update();
    emit chartChanged();
}

void CChartView::chartSizeChanged()
{
    updateScrollArea();
}

void CChartView::updateScrollArea()
{
    const chart::Size area = chart::scrollArea(p_.chartView);
    const QSize v = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, area.width - v.width()));
    verticalScrollBar()->setRange(0, std::max(0, area.height - v.height()));
    horizontalScrollBar()->setPageStep(v.width());
    verticalScrollBar()->setPageStep(v.height());
    redrawChart();
}

void CChartView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollArea();
}

void CChartView::scrollContentsBy(int, int)
{
    p_.chartView.scrollX = horizontalScrollBar()->value();
    p_.chartView.scrollY = verticalScrollBar()->value();
    redrawChart();
}

void CChartView::zoomTo(float z)
{
    model_.setZoom(z);
    updateScrollArea();
}

// --- Painting -----------------------------------------------------------------------------------

void CChartView::paintEvent(QPaintEvent* event)
{
    // The stored scroll position is applied at the first paint, when the tab area has given the
    // viewport its size (an earlier, smaller size would clamp it).
    if (pendingScroll_) {
        const QPoint stored = *pendingScroll_;
        pendingScroll_.reset();
        horizontalScrollBar()->setValue(stored.x());
        verticalScrollBar()->setValue(stored.y());
    }
    const qreal dpr = devicePixelRatioF();
    const QSize size = viewport()->size();
    if (sceneStale_ || scene_.size() != size * dpr) {
        // Placement is a model pass before painting: the painter skips unplaced nodes.
        const QPoint s = scroll();
        const Point centre =
            chart::toChart(Point{s.x() + size.width() / 2, s.y() + size.height() / 2}, zoom());
        model_.placeUnplaced(centre);
        sceneStale_ = false;
        if (scene_.size() != size * dpr) {
            scene_ = QPixmap(size * dpr);
            scene_.setDevicePixelRatio(dpr);
        }
        scene_.fill(kOutsideCanvas);
        QPainter sp(&scene_);
        sp.translate(-s.x(), -s.y());
        chart::PaintOptions options;
        options.zoom = zoom();
        options.mainId = model_.mainId();
        options.exposed = QRect(s, size);
        options.screenImages = true;
        painter_.paint(sp, p_, options);
        ++rebuilds_;
    }
    QPainter vp(viewport());
    const QRect r = event->rect();
    vp.drawPixmap(r, scene_, QRectF(r.topLeft() * dpr, r.size() * dpr));
    paintHover(vp);
    if (consoleVisible()) {
        const QPoint centre = consoleCentre();
        // A smaller window may have pushed the console inwards; the project keeps where it is.
        if (centre != QPoint(p_.chartView.consoleX, p_.chartView.consoleY)) {
            p_.chartView.consoleX = centre.x();
            p_.chartView.consoleY = centre.y();
        }
        console_.setPercent(chart::consolePercent(zoom()));
        console_.paint(vp, centre, consoleActive_);
    }
    paintFeedback(vp);
}

// --- Zoom console -------------------------------------------------------------------------------

QPoint CChartView::consoleCentre() const
{
    const Point c = chart::clampConsoleCentre({p_.chartView.consoleX, p_.chartView.consoleY},
                                              viewport()->width(), viewport()->height());
    return {c.x, c.y};
}

bool CChartView::consoleVisible() const
{
    return !hiddenForScroll_ && (consoleShown_ || p_.chartView.consoleAlwaysShown != 0);
}

QRect CChartView::consoleArea() const
{
    const QPoint c = consoleCentre();
    const int r = chart::kDialOuterRadius + 4;
    return QRect(c.x() - r, c.y() - r, 2 * r + 1, 2 * r + 1);
}

void CChartView::updateConsole()
{
    viewport()->update(consoleArea());
}

QPoint CChartView::movedConsoleCentre(const QPoint& pointer) const
{
    const QPoint moved = consoleCentre() + (pointer - press_);
    const Point c = chart::clampConsoleCentre({moved.x(), moved.y()}, viewport()->width(),
                                              viewport()->height());
    return {c.x, c.y};
}

void CChartView::setConsoleCentre(QPoint centre)
{
    updateConsole();
    p_.chartView.consoleX = centre.x();
    p_.chartView.consoleY = centre.y();
    p_.modified = true;
    updateConsole();
}

bool CChartView::consoleHover(const QPoint& v)
{
    const QPoint c = consoleCentre();
    const chart::ConsolePart part =
        chart::consolePartAt({v.x(), v.y()}, {c.x(), c.y()}, consoleActive_ && consoleVisible());
    switch (part) {
    case chart::ConsolePart::None:
        return false;
    case chart::ConsolePart::Ring:
        viewport()->setCursor(Qt::CrossCursor);
        guide(v.y() % 2 != 0 ? "回転円に沿ってドラッグして表示倍率を変更することができます。"
                             : "回転円上でマウスホィールを操作して回転させることができます。Ctrl"
                               "キー押下時は、1ポイント変わります。");
        return true;
    case chart::ConsolePart::Plus:
    case chart::ConsolePart::Minus:
    case chart::ConsolePart::Body:
        break;
    }
    if (!consoleShown_) {
        consoleShown_ = true;
        updateConsole();
    }
    stopHover();
    QToolTip::hideText();
    if (part == chart::ConsolePart::Body)
        viewport()->setCursor(consoleActive_ ? Qt::SizeAllCursor : Qt::PointingHandCursor);
    else
        viewport()->setCursor(Qt::PointingHandCursor);
    return true;
}

void CChartView::wheelOnDial(int step)
{
    zoomTo(zoom() + static_cast<float>(step) / 100.0f);
}

Rect CChartView::moveOutline() const
{
    const int m = model_.mainIndex();
    if (m < 0)
        return {};
    const float z = zoom();
    const Rect hit = chart::toCanvas(chart::hitRect(p_.objects[m]), z);
    const Point c = canvasOf(pointer_);
    const int right = chart::toCanvas(chart::chartWidth(p_.chartView), z);
    const int bottom = chart::toCanvas(chart::chartHeight(p_.chartView), z);
    const int cx = std::clamp(c.x - grab_.x, 0, std::max(0, right - 1));
    const int cy = std::clamp(c.y - grab_.y, 0, std::max(0, bottom - 1));
    const int left = cx - hit.width() / 2;
    const int top = cy - hit.height() / 2;
    return {left, top, left + hit.width(), top + hit.height()};
}

int CChartView::widthBarX() const
{
    return chart::toCanvas(model_.widthForDrag(canvasOf(pointer_).x), zoom());
}

int CChartView::heightBarY() const
{
    return chart::toCanvas(model_.heightForDrag(canvasOf(pointer_).y), zoom());
}

QRect CChartView::feedbackRect() const
{
    const QPoint s = scroll();
    auto toView = [&s](const Rect& r) {
        return QRect(QPoint(r.left - s.x(), r.top - s.y()), QSize(r.width(), r.height()));
    };
    switch (gesture_) {
    case Gesture::Band: {
        const QRect band = QRect(press_, pointer_).normalized();
        if (band.width() < 10 && band.height() < 10)
            return {};
        return band.adjusted(-1, -1, 1, 1);
    }
    case Gesture::Move:
        return toView(moveOutline()).adjusted(-1, -1, 1, 1);
    case Gesture::Resize: {
        const Rect target = model_.resizeTarget(handle_, chartOf(pointer_));
        return toView(chart::toCanvas(target, zoom())).adjusted(-2, -2, 2, 2);
    }
    case Gesture::Rotate: {
        const Point c = circleCentre();
        return QRect(QPoint(c.x - s.x(), c.y - s.y()), pointer_)
            .normalized()
            .adjusted(-2, -2, 2, 2);
    }
    case Gesture::Width:
        return QRect(widthBarX() - s.x() - 2, 0, 64, viewport()->height());
    case Gesture::Height:
        return QRect(0, heightBarY() - s.y() - 2, viewport()->width(), 40);
    case Gesture::ConsoleMove: {
        const QPoint c = movedConsoleCentre(pointer_);
        return QRect(c - QPoint(chart::kConsoleRadius, chart::kConsoleRadius),
                     QSize(chart::kConsoleSize, chart::kConsoleSize))
            .adjusted(-1, -1, 1, 1);
    }
    case Gesture::Radius:
    case Gesture::Dial:
    case Gesture::None:
        break;
    }
    return {};
}

void CChartView::paintFeedback(QPainter& painter) const
{
    const QPoint s = scroll();
    switch (gesture_) {
    case Gesture::Band: {
        const QRect band = QRect(press_, pointer_).normalized();
        if (band.width() < 10 && band.height() < 10)
            return;
        painter.setPen(QPen(QColor(70, 70, 70), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band.adjusted(0, 0, -1, -1));
        return;
    }
    case Gesture::Move: {
        const Rect o = moveOutline();
        QRect r(o.left - s.x(), o.top - s.y(), o.width(), o.height());
        r.adjust(3, 3, -3, -3);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(243, 247, 250), 3));
        painter.drawRect(r);
        painter.setPen(QPen(QColor(229, 235, 242), 2));
        painter.drawRect(r);
        painter.setPen(QPen(QColor(215, 223, 234), 1));
        painter.drawRect(r);
        return;
    }
    case Gesture::Resize: {
        const Rect t = chart::toCanvas(model_.resizeTarget(handle_, chartOf(pointer_)), zoom());
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(100, 100, 180), 1));
        painter.drawRect(QRect(t.left - s.x(), t.top - s.y(), t.width() - 1, t.height() - 1));
        return;
    }
    case Gesture::Rotate: {
        const Point c = circleCentre();
        painter.setPen(QPen(QColor(100, 100, 180), 1));
        painter.drawLine(QPoint(c.x - s.x(), c.y - s.y()), pointer_);
        return;
    }
    case Gesture::Width:
    case Gesture::Height: {
        const bool width = gesture_ == Gesture::Width;
        const int value = width ? model_.widthForDrag(canvasOf(pointer_).x)
                                : model_.heightForDrag(canvasOf(pointer_).y);
        const int at = (width ? widthBarX() - s.x() : heightBarY() - s.y());
        const QRect bar = width ? QRect(at - 2, 0, 4, viewport()->height())
                                : QRect(0, at - 2, viewport()->width(), 4);
        painter.fillRect(bar, QColor(128, 128, 128));
        QFont f(QStringLiteral("Meiryo UI"));
        f.setPointSize(8);
        painter.setFont(f);
        painter.setPen(QColor(224, 85, 78));
        const QPoint label =
            width ? QPoint(at + 4, std::clamp(pointer_.y(), 12, viewport()->height() - 4))
                  : QPoint(std::clamp(pointer_.x(), 0, viewport()->width() - 40), at - 4);
        painter.drawText(label, QString::number(value));
        return;
    }
    case Gesture::ConsoleMove: {
        const QPoint c = movedConsoleCentre(pointer_);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 128), 1));
        painter.drawRect(QRect(c - QPoint(chart::kConsoleRadius, chart::kConsoleRadius),
                               QSize(chart::kConsoleSize - 1, chart::kConsoleSize - 1)));
        return;
    }
    case Gesture::Radius:
    case Gesture::Dial:
    case Gesture::None:
        return;
    }
}

void CChartView::setFeedbackPoint(const QPoint& v)
{
    pointer_ = v;
    const QRect now = feedbackRect();
    viewport()->update(lastFeedback_.united(now));
    lastFeedback_ = now;
}

// --- Pointer ------------------------------------------------------------------------------------

void CChartView::guide(const char* utf8)
{
    if (showGuide)
        showGuide(QString::fromUtf8(utf8));
}

Point CChartView::circleCentre() const
{
    const Point c = chart::nodeRect(p_.objects[model_.mainIndex()]).centre();
    return {chart::toCanvas(c.x, zoom()), chart::toCanvas(c.y, zoom())};
}

bool CChartView::onRadiusHandle(Point cv) const
{
    if (!model_.rotationCircleShown())
        return false;
    const Point c = circleCentre();
    const int hx = c.x + chart::rotationRadius(p_.chartView);
    return cv.x >= hx - 5 && cv.x < hx + 5 && cv.y >= c.y - 5 && cv.y < c.y + 5;
}

bool CChartView::onCircleLine(Point cv) const
{
    if (!model_.rotationCircleShown())
        return false;
    const Point c = circleCentre();
    const double d = std::hypot(double(cv.x) - c.x, double(cv.y) - c.y);
    return std::abs(d - chart::rotationRadius(p_.chartView)) < 6.0;
}

void CChartView::hoverCursor(const QPoint& v)
{
    const Point c = chartOf(v);
    const Point cv = canvasOf(v);
    const float z = zoom();
    const int right = chart::toCanvas(chart::chartWidth(p_.chartView), z);
    const int bottom = chart::toCanvas(chart::chartHeight(p_.chartView), z);
    if (model_.nodeAt(c) < 0)
        stopHover();
    if (onRadiusHandle(cv)) {
        viewport()->setCursor(Qt::SizeHorCursor);
        guide("←左へドラッグすると回転円の半径が小さく、→右へドラッグすると大きくなります");
        return;
    }
    if (onCircleLine(cv)) {
        viewport()->setCursor(Qt::CrossCursor);
        guide(
            "回転円に沿ってドラッグするとアークで繋がったオブジェクトを回転させることができます。");
        return;
    }
    const chart::ChartModel::HandleHit h = model_.handleAt(c);
    if (h.index >= 0) {
        static const Qt::CursorShape shapes[] = {
            Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor, Qt::SizeBDiagCursor,
            Qt::SizeVerCursor,   Qt::SizeHorCursor,   Qt::SizeVerCursor,   Qt::SizeHorCursor};
        viewport()->setCursor(shapes[h.handle & 7]);
        guide("ドラッグ＆ドロップしてオブジェクトのサイズ変更ができます");
        return;
    }
    const int n = model_.nodeAt(c);
    if (n >= 0) {
        const bool selected = p_.objects[n].nodeSelected != 0;
        if (selected)
            stopHover();
        else if (hoverId_ != p_.objects[n].id)
            startHover(n);
        viewport()->setCursor(selected ? Qt::SizeAllCursor : Qt::PointingHandCursor);
        guide(selected ? "ドラッグ＆ドロップして、このオブジェクトを移動できます"
                       : "クリックするとこのオブジェクトを選択します。右クリックすると操作メニュー"
                         "を表示します");
        return;
    }
    if (std::abs(cv.x - right) < 4 && cv.y < bottom) {
        viewport()->setCursor(Qt::SplitHCursor);
        guide("左右にドラッグ＆ドロップしてビューの幅を変更することができます");
        QToolTip::showText(mapToGlobal(v),
                           QStringLiteral("Width=%1\nmin:%2\nmax:%3")
                               .arg(chart::chartWidth(p_.chartView))
                               .arg(chart::kMinChartSize)
                               .arg(chart::kMaxChartSize),
                           viewport());
        return;
    }
    if (cv.x < right && std::abs(cv.y - bottom) <= 3) {
        viewport()->setCursor(Qt::SplitVCursor);
        guide("上下にドラッグ＆ドロップしてビューの高さを変更することができます");
        QToolTip::showText(mapToGlobal(v),
                           QStringLiteral("Height=%1\nmin:%2\nmax:%3")
                               .arg(chart::chartHeight(p_.chartView))
                               .arg(chart::kMinChartSize)
                               .arg(chart::kMaxChartSize),
                           viewport());
        return;
    }
    QToolTip::hideText();
    viewport()->unsetCursor();
}

void CChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    stopHover();
    const QPoint v = event->position().toPoint();
    press_ = pointer_ = v;
    lastFeedback_ = {};
    const Point c = chartOf(v);
    const Point cv = canvasOf(v);
    const float z = zoom();

    const QPoint cc = consoleCentre();
    switch (chart::consolePartAt({v.x(), v.y()}, {cc.x(), cc.y()},
                                 consoleActive_ && consoleVisible())) {
    case chart::ConsolePart::Ring:
        dialPrevious_ = v;
        gesture_ = Gesture::Dial;
        return;
    case chart::ConsolePart::Plus:
        zoomTo(zoom() + 0.01f);
        gesture_ = Gesture::ConsoleMove;
        return;
    case chart::ConsolePart::Minus:
        zoomTo(zoom() - 0.01f);
        gesture_ = Gesture::ConsoleMove;
        return;
    case chart::ConsolePart::Body:
        consoleShown_ = true;
        consoleActive_ = true;
        updateConsole();
        gesture_ = Gesture::ConsoleMove;
        return;
    case chart::ConsolePart::None:
        break;
    }

    if (onRadiusHandle(cv)) {
        gesture_ = Gesture::Radius;
        return;
    }
    if (onCircleLine(cv)) {
        gesture_ = Gesture::Rotate;
        return;
    }
    const chart::ChartModel::HandleHit h = model_.handleAt(c);
    if (h.index >= 0) {
        model_.setMain(h.index);
        handle_ = h.handle;
        gesture_ = Gesture::Resize;
        return;
    }
    const int n = model_.nodeAt(c);
    if (n >= 0) {
        const chart::Modifiers keys{(event->modifiers() & Qt::ControlModifier) != 0,
                                    (event->modifiers() & Qt::ShiftModifier) != 0};
        if (model_.pressOnNode(n, keys)) {
            const int m = model_.mainIndex();
            const Point centre = chart::nodeRect(p_.objects[m]).centre();
            grab_ = {cv.x - chart::toCanvas(centre.x, z), cv.y - chart::toCanvas(centre.y, z)};
            gesture_ = Gesture::Move;
        }
        return;
    }
    const int right = chart::toCanvas(chart::chartWidth(p_.chartView), z);
    const int bottom = chart::toCanvas(chart::chartHeight(p_.chartView), z);
    if (std::abs(cv.x - right) < 4 && cv.y < bottom) {
        gesture_ = Gesture::Width;
    } else if (cv.x < right && std::abs(cv.y - bottom) <= 3) {
        gesture_ = Gesture::Height;
    } else {
        gesture_ = Gesture::Band;
        if (p_.chartView.consoleAlwaysShown)
            consoleActive_ = false;
        else
            consoleShown_ = false;
        updateConsole();
        model_.clearSelection();
        s_.refresh.showChartViewProperties();
    }
    setFeedbackPoint(v);
}

void CChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint v = event->position().toPoint();
    const float z = zoom();
    const Point c = chartOf(v);
    const bool overCanvas = c.x >= 0 && c.y >= 0 && c.x < chart::chartWidth(p_.chartView) &&
                            c.y < chart::chartHeight(p_.chartView);
    s_.refresh.setStatusPane(StatusPane::Position,
                             overCanvas ? std::to_string(c.x) + ", " + std::to_string(c.y)
                                        : std::string());
    if (gesture_ == Gesture::None) {
        if (!consoleHover(v))
            hoverCursor(v);
        return;
    }
    if (gesture_ == Gesture::Move) {
        const Point cv = canvasOf(v);
        const bool inside = cv.x >= 0 && cv.y >= 0 &&
                            cv.x < chart::toCanvas(chart::chartWidth(p_.chartView), z) &&
                            cv.y < chart::toCanvas(chart::chartHeight(p_.chartView), z);
        viewport()->setCursor(inside ? Qt::SizeAllCursor : Qt::ForbiddenCursor);
    }
    if (gesture_ == Gesture::Radius) {
        model_.setRadiusFromDrag(canvasOf(v).x);
        return;
    }
    if (gesture_ == Gesture::Dial) {
        const QPoint cc = consoleCentre();
        const float change = chart::dialZoomChange({dialPrevious_.x(), dialPrevious_.y()},
                                                   {v.x(), v.y()}, {cc.x(), cc.y()});
        dialPrevious_ = v;
        if (change != 0.0f)
            zoomTo(zoom() + change);
        return;
    }
    setFeedbackPoint(v);
}

void CChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    if (gesture_ == Gesture::None)
        return; // the press made no gesture (Ctrl or Shift on a node)
    const QPoint v = event->position().toPoint();
    pointer_ = v;
    const Gesture g = gesture_;
    gesture_ = Gesture::None;
    viewport()->update(lastFeedback_);
    lastFeedback_ = {};
    const float z = zoom();
    const bool moved = std::abs(v.x() - press_.x()) >= kDragThreshold ||
                       std::abs(v.y() - press_.y()) >= kDragThreshold;
    switch (g) {
    case Gesture::Band: {
        const Point a = canvasOf(press_);
        const Point b = canvasOf(v);
        model_.selectInside(
            {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
        break;
    }
    case Gesture::Move: {
        const int m = model_.mainIndex();
        if (m < 0)
            break;
        const Point centre = chart::nodeRect(p_.objects[m]).centre();
        const Rect o = moveOutline();
        const int dx = o.centre().x - chart::toCanvas(centre.x, z);
        const int dy = o.centre().y - chart::toCanvas(centre.y, z);
        if (std::abs(dx) < kMoveThreshold && std::abs(dy) < kMoveThreshold)
            break;
        const int target = model_.nodeAt(chartOf(v));
        if (target >= 0 && target != m)
            model_.dropOnto(target);
        else
            model_.moveSelected(dx, dy);
        break;
    }
    case Gesture::Resize:
        if (moved)
            model_.resizeSelected(handle_, model_.resizeTarget(handle_, chartOf(v)));
        break;
    case Gesture::Width:
        if (moved) {
            model_.setChartWidth(model_.widthForDrag(canvasOf(v).x));
            updateScrollArea();
        }
        break;
    case Gesture::Height:
        if (moved) {
            model_.setChartHeight(model_.heightForDrag(canvasOf(v).y));
            updateScrollArea();
        }
        break;
    case Gesture::Rotate:
        model_.rotateLinked(canvasOf(press_), canvasOf(v));
        break;
    case Gesture::ConsoleMove:
        if (moved)
            setConsoleCentre(movedConsoleCentre(v));
        break;
    case Gesture::Radius:
    case Gesture::Dial:
    case Gesture::None:
        break;
    }
    if (!consoleHover(v))
        hoverCursor(v);
}

void CChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int n = model_.nodeAt(chartOf(event->position().toPoint()));
    if (n < 0)
        return;
    if (p_.objects[n].type == ObjectType::Marker)
        s_.refresh.showSpanOfObject(p_.objects[n].id);
    else if (showSubSubject)
        showSubSubject(p_.objects[n].id);
}

void CChartView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const int notches = std::abs(delta / 120);
    if (notches == 0) {
        event->ignore();
        return;
    }
    const chart::WheelKeys keys{(event->modifiers() & Qt::ControlModifier) != 0,
                                (event->modifiers() & Qt::ShiftModifier) != 0,
                                (event->buttons() & Qt::RightButton) != 0};
    const int step = chart::wheelStep(delta, keys) * notches;
    const QPoint v = event->position().toPoint();
    const QPoint cc = consoleCentre();
    if (consoleActive_ && consoleVisible() &&
        chart::consolePartAt({v.x(), v.y()}, {cc.x(), cc.y()}, true) == chart::ConsolePart::Ring) {
        wheelOnDial(step);
    } else if (verticalScrollBar()->maximum() > 0) {
        QScrollBar* bar =
            chart::wheelScrollsHorizontally(keys) ? horizontalScrollBar() : verticalScrollBar();
        bar->setValue(bar->value() + step);
    }
    event->accept();
}

// --- Keyboard -----------------------------------------------------------------------------------

bool CChartView::event(QEvent* event)
{
    // The chart's own Ctrl keys (select all, sub-subjects, markers) win over the frame's
    // shortcuts while the chart has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier &&
            (key->key() == Qt::Key_A || key->key() == Qt::Key_S || key->key() == Qt::Key_M)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool CChartView::focusNextPrevChild(bool)
{
    // Tab and Shift+Tab walk the main selection through the nodes instead of the focus chain.
    return false;
}

void CChartView::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        model_.cycleMain(!(event->modifiers() & Qt::ShiftModifier));
        return;
    case Qt::Key_Backtab:
        model_.cycleMain(false);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (model_.mainIndex() < 0)
            return;
        const int step = ctrl ? 1 : 10;
        const int dx = event->key() == Qt::Key_Left    ? -step
                       : event->key() == Qt::Key_Right ? step
                                                       : 0;
        const int dy = event->key() == Qt::Key_Up ? -step : event->key() == Qt::Key_Down ? step : 0;
        model_.moveSelected(dx, dy);
        return;
    }
    case Qt::Key_Delete:
        handleCommand(ID_DELETE_NODES);
        return;
    default:
        break;
    }
    if (ctrl) {
        switch (event->key()) {
        case Qt::Key_A:
            handleCommand(ID_SELECT_ALL_NODES);
            return;
        case Qt::Key_S:
            handleCommand(ID_SELECT_SUB_SUBJECTS);
            return;
        case Qt::Key_M:
            handleCommand(ID_SELECT_MARKERS);
            return;
        case Qt::Key_Z:
            handleCommand(cmd::ID_EDIT_UNDO);
            return;
        case Qt::Key_Y:
            handleCommand(cmd::ID_EDIT_REDO);
            return;
        default:
            break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

// --- Commands -----------------------------------------------------------------------------------

bool CChartView::deleteAllLinksOfMain()
{
    const int m = model_.mainIndex();
    if (m < 0)
        return false;
    if (showMessage(s_.messages, msg::kConfirmDeleteAllLinks, {}, style::yesNo) != Answer::Yes)
        return false;
    const ObjectId id = p_.objects[m].id;
    LinkOps links(p_, s_);
    bool any = false;
    for (int i = p_.linkCount - 1; i >= 0; --i)
        if (p_.links[i].from == id || p_.links[i].to == id)
            any = links.deleteAt(i) || any;
    redrawChart();
    return any;
}

bool CChartView::handleCommand(int id)
{
    if (isAlignCommand(id)) {
        const chart::AlignRefusal refusal = model_.align(alignOf(id));
        if (refusal != chart::AlignRefusal::None)
            showMessage(s_.messages, chart::refusalMessage(refusal), {}, style::information);
        return true;
    }
    if (id >= ID_ZOOM_100 && id <= ID_ZOOM_400) {
        zoomTo(static_cast<float>(id - ID_ZOOM_100 + 1));
        return true;
    }
    switch (id) {
    case cmd::ID_UNDO:
    case cmd::ID_EDIT_UNDO:
        model_.undo();
        return true;
    case cmd::ID_REDO:
    case cmd::ID_EDIT_REDO:
        model_.redo();
        return true;
    case ID_ZOOM_FIT:
        zoomTo(chart::fitZoom(viewport()->width(), viewport()->height(), p_.chartView));
        return true;
    case ID_SELECT_ALL_NODES:
        model_.selectAll(chart::NodeFilter::All);
        return true;
    case ID_SELECT_SUB_SUBJECTS:
        model_.selectAll(chart::NodeFilter::SubSubjects);
        return true;
    case ID_SELECT_MARKERS:
        model_.selectAll(chart::NodeFilter::Markers);
        return true;
    case ID_SELECT_SAME_MAIN_SUBJECT:
        model_.selectSameMainSubject();
        return true;
    case ID_SELECT_SAME_BACKGROUND:
        model_.selectSameBackground();
        return true;
    case ID_DELETE_NODES:
        model_.deleteSelected();
        return true;
    case ID_WHOLE_STYLE:
        model_.copyWholeStyle();
        return true;
    case ID_BACKGROUND_FROM_MARKER:
        model_.backgroundFromMarkerColour();
        return true;
    case ID_MAIN_SUBJECT_SHOWN:
        p_.chartView.mainSubjectShown = p_.chartView.mainSubjectShown ? 0 : 1;
        p_.modified = true;
        redrawChart();
        return true;
    case ID_SWAP_TWO:
        model_.restack(chart::Stacking::SwapTwo);
        return true;
    case ID_TO_FRONT:
        model_.restack(chart::Stacking::Front);
        return true;
    case ID_TO_BACK:
        model_.restack(chart::Stacking::Back);
        return true;
    case ID_DELETE_NODE_LINKS:
        deleteAllLinksOfMain();
        return true;
    case ID_SHOW_MARKER:
        if (model_.mainIndex() >= 0)
            s_.refresh.showSpanOfObject(p_.objects[model_.mainIndex()].id);
        return true;
    case ID_CHART_PROPERTIES:
        s_.refresh.showChartViewProperties();
        return true;
    case ID_CONSOLE_HOME:
        consoleShown_ = true;
        setConsoleCentre({chart::kConsoleHome.x, chart::kConsoleHome.y});
        return true;
    case ID_CONSOLE_ALWAYS_SHOWN:
        updateConsole();
        p_.chartView.consoleAlwaysShown = p_.chartView.consoleAlwaysShown ? 0 : 1;
        consoleShown_ = p_.chartView.consoleAlwaysShown != 0;
        p_.modified = true;
        updateConsole();
        return true;
    case ID_SUBJECT_NODE_DEFAULTS:
    case ID_MARKER_NODE_DEFAULTS:
        storeNodeDefaults(id == ID_SUBJECT_NODE_DEFAULTS);
        return true;
    case ID_CHART_SAVE_PNG:
    case ID_CHART_SAVE_SVG:
        saveImageCommand(id == ID_CHART_SAVE_SVG);
        return true;
    default:
        return false;
    }
}

void CChartView::storeNodeDefaults(bool subSubject)
{
    const int m = model_.mainIndex();
    if (m < 0 || (p_.objects[m].type == ObjectType::SubSubject) != subSubject)
        return;
    if (showMessage(s_.messages, msg::kConfirmNodeDefaults, {}, style::yesNo) != Answer::Yes)
        return;
    corvane::storeNodeDefaults(p_.objects[m], s_.settings);
    showMessage(s_.messages, msg::kInitialValuesSet, {}, style::information);
}

void CChartView::saveImageCommand(bool svg)
{
    if (!chooseImagePath)
        return;
    const QString path = chooseImagePath(svg);
    if (path.isEmpty())
        return;
    if (!saveImage(path, svg))
        showMessage(s_.messages, msg::kSaveFailed, path.toStdString() + "\n", style::warning);
}

bool CChartView::saveImage(const QString& path, bool svg)
{
    model_.placeUnplaced(
        Point{chart::chartWidth(p_.chartView) / 2, chart::chartHeight(p_.chartView) / 2});
    const int w = chart::chartWidth(p_.chartView);
    const int h = chart::chartHeight(p_.chartView);
    chart::PaintOptions options;
    options.zoom = 1.0f;
    options.selectionMarks = false;
    // Written whole into memory, then to the file in one go: an older image of that name
    // survives a failed write.
    QByteArray bytes;
    if (svg) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(w + 1, h + 1));
        generator.setViewBox(QRect(0, 0, w + 1, h + 1));
        generator.setTitle(QStringLiteral("チャートビュー"));
        QPainter painter;
        if (!painter.begin(&generator))
            return false;
        painter_.paint(painter, p_, options);
        painter.end();
    } else {
        QImage image(w + 1, h + 1, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter_.paint(painter, p_, options);
        painter.end();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return false;
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool CChartView::showNodeInCentre(ObjectId id)
{
    const int index = model_.indexOf(id);
    if (index < 0)
        return false;
    model_.placeUnplaced(
        Point{chart::chartWidth(p_.chartView) / 2, chart::chartHeight(p_.chartView) / 2});
    const Point centre = chart::nodeRect(p_.objects[index]).centre();
    const float z = zoom();
    const QSize v = viewport()->size();
    // Only the axes that scroll: a window larger than the canvas keeps it where it is.
    if (horizontalScrollBar()->maximum() > 0)
        horizontalScrollBar()->setValue(chart::toCanvas(centre.x, z) - v.width() / 2);
    if (verticalScrollBar()->maximum() > 0)
        verticalScrollBar()->setValue(chart::toCanvas(centre.y, z) - v.height() / 2);
    pendingScroll_.reset();
    model_.clearSelection();
    p_.objects[index].nodeSelected = 1;
    model_.setMain(index);
    redrawChart();
    return true;
}

// --- Hover popup
// ----------------------------------------------------------------------------------

void CChartView::startHover(int index)
{
    stopHover();
    const int count = read(s_.settings, keys::PlayAnime);
    if (count <= 0)
        return;
    hoverId_ = p_.objects[index].id;
    hoverFrame_ = 0;
    const int speed = std::clamp(read(s_.settings, keys::SpeedAnime), 0, 4);
    hoverTimer_.start(speed * 10 + 5);
}

void CChartView::stopHover()
{
    if (hoverId_ == 0)
        return;
    hoverId_ = 0;
    hoverTimer_.stop();
    viewport()->update(lastHover_);
    lastHover_ = {};
}

void CChartView::hoverTick()
{
    if (model_.indexOf(hoverId_) < 0) {
        stopHover();
        return;
    }
    ++hoverFrame_;
    const QRect now = hoverArea();
    viewport()->update(lastHover_.united(now));
    lastHover_ = now;
}

QRect CChartView::hoverArea() const
{
    const int index = model_.indexOf(hoverId_);
    if (index < 0)
        return {};
    const Rect r = chart::toCanvas(chart::nodeRect(p_.objects[index]), zoom());
    const QPoint s = scroll();
    return QRect(r.left - s.x(), r.top - s.y(), r.width(), r.height()).adjusted(-16, -16, 16, 16);
}

void CChartView::paintHover(QPainter& painter) const
{
    if (hoverId_ == 0)
        return;
    const QRect area = hoverArea();
    if (area.isEmpty())
        return;
    // Sparks running round the node's border, spread evenly, each with its own size.
    const int count = std::clamp(read(s_.settings, keys::PlayAnime), 1, 10);
    const QRectF track = QRectF(area).adjusted(10, 10, -10, -10);
    const double perimeter = 2 * (track.width() + track.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        double d = std::fmod(hoverFrame_ * 1.5 + perimeter * i / count, perimeter);
        QPointF at;
        if (d < track.width()) {
            at = {track.left() + d, track.top()};
        } else if ((d -= track.width()) < track.height()) {
            at = {track.right(), track.top() + d};
        } else if ((d -= track.height()) < track.width()) {
            at = {track.right() - d, track.bottom()};
        } else {
            d -= track.width();
            at = {track.left(), track.bottom() - d};
        }
        const double size = 2.5 + (i * 37 + hoverFrame_ / 4) % 4;
        painter.setBrush(QColor(224, 85, 78, 170));
        painter.drawEllipse(at, size, size);
    }
    painter.restore();
}

void CChartView::leaveEvent(QEvent* event)
{
    stopHover();
    if (!p_.chartView.consoleAlwaysShown && consoleShown_ && !consoleActive_) {
        consoleShown_ = false;
        updateConsole();
    }
    QAbstractScrollArea::leaveEvent(event);
}

bool CChartView::isCommandEnabled(int id) const
{
    if (isAlignCommand(id))
        return chart::alignPrecondition(alignOf(id), model_.selectedIndexes(),
                                        model_.mainIndex()) == chart::AlignRefusal::None;
    switch (id) {
    case cmd::ID_UNDO:
    case cmd::ID_EDIT_UNDO:
        return const_cast<chart::ChartModel&>(model_).history().undoDepth() > 0;
    case cmd::ID_REDO:
    case cmd::ID_EDIT_REDO:
        return const_cast<chart::ChartModel&>(model_).history().redoDepth() > 0;
    case ID_SWAP_TWO:
        return model_.selectedCount() == 2;
    default:
        return true;
    }
}

bool CChartView::isCommandChecked(int id) const
{
    if (id == ID_CONSOLE_ALWAYS_SHOWN)
        return p_.chartView.consoleAlwaysShown != 0;
    return id == ID_MAIN_SUBJECT_SHOWN && p_.chartView.mainSubjectShown != 0;
}

std::unique_ptr<QMenu> CChartView::buildContextMenu(const QPoint& v)
{
    auto menu = std::make_unique<QMenu>(this);
    auto add = [this, &menu](int id, const char* text) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setData(id);
        a->setEnabled(isCommandEnabled(id));
        connect(a, &QAction::triggered, this, [this, id] {
            if (!handleCommand(id) && runFrameCommand)
                runFrameCommand(id);
        });
        return a;
    };
    stopHover();
    const QPoint cc = consoleCentre();
    if (consoleVisible() &&
        chart::consolePartAt({v.x(), v.y()}, {cc.x(), cc.y()}, false) != chart::ConsolePart::None) {
        menu->setObjectName(QStringLiteral("ZOOM"));
        QAction* always = add(ID_CONSOLE_ALWAYS_SHOWN, "ズームコンソールを常に表示する");
        always->setCheckable(true);
        always->setChecked(isCommandChecked(ID_CONSOLE_ALWAYS_SHOWN));
        add(ID_CONSOLE_HOME, "ズームコンソールを左上に移動");
        return menu;
    }
    const int n = model_.nodeAt(chartOf(v));
    if (n < 0) {
        menu->setObjectName(QStringLiteral("View"));
        add(ID_SELECT_ALL_NODES, "すべてのノードを選択");
        add(ID_SELECT_SUB_SUBJECTS, "すべての副題ノードを選択");
        add(ID_SELECT_MARKERS, "すべてのマーカノードを選択");
        menu->addSeparator();
        add(ID_ZOOM_100, "表示倍率 100%");
        add(ID_ZOOM_100 + 1, "表示倍率 200%");
        add(ID_ZOOM_100 + 2, "表示倍率 300%");
        add(ID_ZOOM_400, "表示倍率 400%");
        add(ID_ZOOM_FIT, "ウィンドウに合わせる");
        menu->addSeparator();
        add(ID_CONSOLE_HOME, "ズームコンソールを左上に移動");
        menu->addSeparator();
        add(ID_CHART_SAVE_PNG, "チャートを画像として保存 (PNG)...");
        add(ID_CHART_SAVE_SVG, "チャートを画像として保存 (SVG)...");
        menu->addSeparator();
        QAction* full = add(ID_FULL_SCREEN, "全画面表示");
        full->setCheckable(true);
        full->setChecked(window()->isFullScreen());
        menu->addSeparator();
        add(ID_CHART_PROPERTIES, "プロパティ");
        return menu;
    }
    if (!p_.objects[n].nodeSelected) {
        model_.clearSelection();
        p_.objects[n].nodeSelected = 1;
    }
    model_.setMain(n);
    redrawChart();
    const bool subject = p_.objects[n].type == ObjectType::SubSubject;
    menu->setObjectName(subject ? QStringLiteral("Subject") : QStringLiteral("Marker"));
    if (subject) {
        QAction* shown = add(ID_MAIN_SUBJECT_SHOWN, "副題ノードに主題を表示");
        shown->setCheckable(true);
        shown->setChecked(isCommandChecked(ID_MAIN_SUBJECT_SHOWN));
        add(ID_SELECT_SAME_MAIN_SUBJECT, "同じ主題の副題ノードをすべて選択");
    } else {
        add(ID_SHOW_MARKER, "テキストビューでマーカを表示");
        if (read(s_.settings, keys::Synchro) != 1)
            add(ID_BACKGROUND_FROM_MARKER, "背景色をマーカ色にする");
        add(ID_SELECT_SAME_BACKGROUND, "同じ背景色のマーカノードをすべて選択");
    }
    menu->addSeparator();
    if (model_.selectedCount() >= 2)
        add(ID_WHOLE_STYLE, "選択ノードのスタイルをこのノードに合わせる");
    add(ID_TO_FRONT, "最前面へ移動");
    add(ID_TO_BACK, "最背面へ移動");
    add(ID_SWAP_TWO, "2つのノードの重なり順を入れ替え");
    menu->addSeparator();
    add(subject ? ID_SUBJECT_NODE_DEFAULTS : ID_MARKER_NODE_DEFAULTS,
        subject ? "このノードの設定を副題ノードの初期値にする"
                : "このノードの設定をマーカノードの初期値にする");
    menu->addSeparator();
    if (countLinksOfObject(p_, p_.objects[n].id) > 0)
        add(ID_DELETE_NODE_LINKS, "このノードのリンクをすべて削除");
    add(ID_DELETE_NODES, "削除");
    return menu;
}

void CChartView::contextMenuEvent(QContextMenuEvent* event)
{
    if (gesture_ != Gesture::None)
        return;
    std::unique_ptr<QMenu> menu = buildContextMenu(viewport()->mapFrom(this, event->pos()));
    menu->exec(event->globalPos());
}

} // namespace corvane
