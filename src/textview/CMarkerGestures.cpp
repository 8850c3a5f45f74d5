#include "textview/CMarkerGestures.h"

#include "base/Check.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"
#include "model/Bookmarks.h"
#include "model/FixedText.h"
#include "model/LinkOps.h"
#include "model/LinkTable.h"
#include "model/MarkerOps.h"
#include "model/MarkerPalette.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "textview/BookmarkImages.h"
#include "textview/CVantorView.h"
#include "textview/MarkerEdit.h"
#include "textview/ObjectDrag.h"
#include "textview/TextViewHost.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace corvane {

using namespace cmd;

namespace {

constexpr int kTooltipDelayMs = 100;
constexpr int kTooltipShownMs = 3000;

/// The colour a marker command asks for; nullopt for commands that are not colour commands.
std::optional<MarkerColourChoice> colourChoiceOfCommand(int id)
{
    if (id == ID_ADD_MARKER || id == ID_ADD_MARKER_INITIAL)
        return MarkerColourChoice::Initial;
    if (id >= ID_ADD_MARKER_1 && id <= ID_ADD_MARKER_7)
        return paletteColourChoice(static_cast<std::size_t>(id - ID_ADD_MARKER_1));
    if (id == ID_ADD_MARKER_ETC)
        return MarkerColourChoice::Dialog;
    return std::nullopt;
}

QIcon swatch(Colour c)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::gray);
    p.setBrush(QColor(int(colourRed(c)), int(colourGreen(c)), int(colourBlue(c))));
    p.drawRect(1, 1, 13, 13);
    return QIcon(pm);
}

} // namespace

CMarkerGestures::CMarkerGestures(CVantorView& view, ProjectData& project, Services& services)
    : QObject(&view), view_(view), p_(project), s_(services), tooltipTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("markerGestures"));
    view_.viewport()->installEventFilter(this);
    view_.viewport()->setMouseTracking(true);
    view_.viewport()->setAcceptDrops(true);
    runMenu = [](QMenu& m, const QPoint& at) { m.exec(at); };
    runDrag = [this](ObjectId id) {
        auto* drag = new QDrag(&view_);
        drag->setMimeData(makeObjectDragData(id));
        drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
    };
    runBookmarkDrag = [this](int slot) {
        auto* drag = new QDrag(&view_);
        drag->setMimeData(makeBookmarkDragData({slot, false}));
        drag->setPixmap(QPixmap::fromImage(bookmarkImage(slot)));
        drag->setHotSpot(QPoint(8, 30));
        drag->exec(Qt::MoveAction, Qt::MoveAction);
    };
    tooltipTimer_->setSingleShot(true);
    connect(tooltipTimer_, &QTimer::timeout, this, [this] {
        // By ID: a deletion elsewhere during the delay compacts the table.
        const int index = findObjectIndex(p_, tooltipMarker_);
        if (index < 0)
            return;
        const SjisView comment = fixedText(p_.objects[index].firstText);
        if (comment.empty())
            return;
        if (!tooltip_) {
            tooltip_ = new QLabel(&view_, Qt::ToolTip);
            // White ground, text 0x663300 (0x00BBGGRR), margins 2, 1, 2, 1.
            tooltip_->setStyleSheet(
                QStringLiteral("QLabel { background: white; color: #003366; "
                               "border: 1px solid #808080; padding: 1px 2px; }"));
        }
        tooltip_->setText(toQString(comment));
        tooltip_->adjustSize();
        tooltip_->move(tooltipPos_ + QPoint(12, 16));
        tooltip_->show();
        QTimer::singleShot(kTooltipShownMs, tooltip_, &QWidget::hide);
    });
}

CMarkerGestures::~CMarkerGestures() = default;

CMarkerGestures* CMarkerGestures::of(const CVantorView* view)
{
    return view ? view->findChild<CMarkerGestures*>(QStringLiteral("markerGestures"),
                                                    Qt::FindDirectChildrenOnly)
                : nullptr;
}

bool CMarkerGestures::selectionMarkable() const
{
    return p_.isOpen() && !view_.relativePath().empty() && !view_.selection().empty();
}

bool CMarkerGestures::isCommandEnabled(int id) const
{
    const bool current = p_.currentObject >= 0 && p_.currentObject < p_.objectCount &&
                         p_.objects[p_.currentObject].type == ObjectType::Marker;
    if (colourChoiceOfCommand(id))
        return selectionMarkable();
    if (id >= ID_SET_BOOKMARK1 && id <= ID_SET_BOOKMARK4)
        return view_.isLoaded() && !view_.relativePath().empty();
    switch (id) {
    case ID_DEL_MARKER:
    case ID_MARKER_DELETE:
    case ID_MARKER_SET_INITIAL:
    case ID_CARET_INTO_MARKER:
    case ID_MARKER_TO_LIST:
        return current;
    case ID_PROPERTY_LINK:
        // The ribbon lists the links of any current marker; the marker menu's item also needs
        // links (see markerMenu).
        return current;
    case ID_VIEW_FULLSCREEN:
        return bool(runFrameCommand);
    case ID_SHOW_NODE_CENTRE:
        return current && bool(runFrameCommand);
    case ID_MARKER_TO_SEARCH:
    case ID_MARKER_TO_REPLACE:
        return current && bool(toSearch);
    case ID_SELECTION_TO_SEARCH:
    case ID_SELECTION_TO_REPLACE:
    case ID_SELECTION_TO_FIND:
    case ID_DIC_REGISTER:
        return !view_.selection().empty() && bool(toSearch);
    case ID_NEXT_MARKER:
    case ID_PREV_MARKER:
    case ID_TOP_MARKER:
    case ID_TAIL_MARKER:
        return p_.isOpen();
    case ID_COPY:
        return !view_.selection().empty();
    case ID_CLEAR_BOOKMARK:
        return menuBookmark_ >= 0;
    case ID_BOOKMARK_LARGEST:
        return p_.textView.bookmarkImageSize != 32;
    case ID_BOOKMARK_SMALLEST:
        return p_.textView.bookmarkImageSize != 16;
    case ID_SELECT_ALL:
    case ID_LINE_NUMBERS:
    case ID_VIEW_REFRESH:
    case ID_PROP_TVIEW:
        return true;
    default:
        // Editing belongs to the view; search, marker list, chart and dictionaries come with
        // their panes.
        return view_.isCommandEnabled(id);
    }
}

bool CMarkerGestures::handleCommand(int id)
{
    if (!isCommandEnabled(id))
        return false;
    if (const std::optional<MarkerColourChoice> choice = colourChoiceOfCommand(id)) {
        markFromSelection(*choice);
        return true;
    }
    if (id >= ID_SET_BOOKMARK1 && id <= ID_SET_BOOKMARK4) {
        view_.setBookmarkAtCaret(id - ID_SET_BOOKMARK1, true);
        return true;
    }
    switch (id) {
    case ID_DEL_MARKER:
    case ID_MARKER_DELETE:
        if (MarkerOps(p_, s_).deleteMarker(p_.currentObject, true))
            view_.redraw();
        return true;
    case ID_MARKER_SET_INITIAL:
        MarkerEdit(p_, s_).setInitialColour(p_.currentObject);
        return true;
    case ID_PROPERTY_LINK:
        s_.refresh.showLinksOfObject(p_.objects[p_.currentObject].id);
        return true;
    case ID_MARKER_TO_LIST:
        s_.refresh.showMarkerColourInList(p_.objects[p_.currentObject].markerColour);
        return true;
    case ID_VIEW_FULLSCREEN:
    case ID_SHOW_NODE_CENTRE:
        runFrameCommand(id);
        return true;
    case ID_MARKER_TO_SEARCH:
    case ID_MARKER_TO_REPLACE:
        toSearch(id, fixedText(p_.objects[p_.currentObject].secondText));
        return true;
    case ID_SELECTION_TO_SEARCH:
    case ID_SELECTION_TO_REPLACE:
    case ID_SELECTION_TO_FIND:
    case ID_DIC_REGISTER: {
        const ByteRange sel = view_.selection();
        const SjisView text = view_.textStore().text();
        toSearch(id, text.substr(std::size_t(sel.start), std::size_t(sel.end - sel.start)));
        return true;
    }
    case ID_NEXT_MARKER:
    case ID_PREV_MARKER:
    case ID_TOP_MARKER:
    case ID_TAIL_MARKER: {
        const MarkerStep step = id == ID_NEXT_MARKER   ? MarkerStep::Next
                                : id == ID_PREV_MARKER ? MarkerStep::Previous
                                : id == ID_TOP_MARKER  ? MarkerStep::First
                                                       : MarkerStep::Last;
        const int index = MarkerOps(p_, s_).navigate(step);
        if (index >= 0 && MarkerOps(p_, s_).showMarker(index, true))
            showSpanOf(index);
        return true;
    }
    case ID_CARET_INTO_MARKER:
        if (const auto offset = view_.pointToOffset(menuPoint_)) {
            view_.clearSelection();
            view_.setCaret(*offset);
            view_.setSelection(*offset, *offset, *offset);
        }
        return true;
    case ID_COPY:
        return view_.copy();
    case ID_CLEAR_BOOKMARK:
        clearBookmark(menuBookmark_);
        return true;
    case ID_BOOKMARK_LARGEST:
    case ID_BOOKMARK_SMALLEST:
        p_.textView.bookmarkImageSize = id == ID_BOOKMARK_LARGEST ? 32 : 16;
        setModified(p_);
        for (CVantorView* v : view_.host().views())
            v->redraw();
        return true;
    case ID_SELECT_ALL:
        view_.selectAll();
        return true;
    case ID_LINE_NUMBERS:
        p_.textView.lineNumbersShown = p_.textView.lineNumbersShown ? 0 : 1;
        p_.modified = true;
        view_.host().relayoutAll();
        return true;
    case ID_VIEW_REFRESH:
        view_.relayout();
        return true;
    case ID_PROP_TVIEW:
        s_.refresh.showTextViewProperties();
        return true;
    default:
        return view_.handleCommand(id);
    }
}

void CMarkerGestures::markFromSelection(MarkerColourChoice colourChoice)
{
    const ByteRange sel = view_.selection();
    if (sel.empty())
        return;
    const SjisString text = view_.textStore().readRange(sel.start, sel.end - sel.start, false);
    const MarkerEditResult r = MarkerEdit(p_, s_).createOrChange(view_.relativePath(), sel.start,
                                                                 sel.end, text, colourChoice);
    if (r.outcome != MarkerEditOutcome::Created && r.outcome != MarkerEditOutcome::Changed)
        return;
    view_.clearSelection();
    afterMarkerChange();
}

void CMarkerGestures::afterMarkerChange()
{
    if (emptyUndoLists)
        emptyUndoLists();
    view_.redraw();
    // Other views of the same document show the marker too.
    s_.refresh.redrawTextViewsOf(view_.relativePath());
}

void CMarkerGestures::showSpanOf(int index)
{
    const ObjectRecord& r = p_.objects[index];
    if (fixedText(r.document) != view_.relativePath())
        return; // another document's view shows it
    view_.setSelection(r.position, r.position + r.length, r.position);
    view_.setCaret(r.position + r.length);
    view_.scrollToCaret();
    view_.redraw();
}

void CMarkerGestures::pickMarker(int index)
{
    // Every caller has just found the index by a hit test on the current table.
    CV_CHECK(index >= 0 && index < p_.objectCount, return );
    if (p_.currentObject != index) {
        const int previous = p_.currentObject;
        if (previous >= 0 && previous < p_.objectCount &&
            p_.objects[previous].type == ObjectType::Marker &&
            fixedText(p_.objects[previous].document) != view_.relativePath())
            s_.refresh.dropCurrentMarkerHighlight(fixedText(p_.objects[previous].document));
        p_.currentObject = index;
        showSpanOf(index);
        s_.refresh.showPropertiesOfObject(p_.objects[index].id);
        if (p_.chartShown)
            s_.refresh.redrawChart();
    }
}

int CMarkerGestures::markerAtPoint(const QPoint& viewportPoint) const
{
    if (view_.relativePath().empty())
        return -1;
    const auto offset = view_.pointToOffset(viewportPoint);
    return offset ? markerAt(p_, view_.relativePath(), *offset) : -1;
}

int CMarkerGestures::linkCountBoxAt(const QPoint& viewportPoint) const
{
    if (!p_.textView.linkCountShown)
        return -1;
    for (const CVantorView::LinkCountBox& b : view_.linkCountBoxes())
        if (b.box.contains(viewportPoint) && b.objectIndex < p_.objectCount)
            return b.objectIndex;
    return -1;
}

bool CMarkerGestures::dropObject(ObjectId dragged, const QPoint& viewportPoint)
{
    const int target = markerAtPoint(viewportPoint);
    const int from = findObjectIndex(p_, dragged);
    if (target < 0 || from < 0 || from == target)
        return false;
    if (!LinkOps(p_, s_).toggle(from, target))
        return false;
    view_.redraw();
    return true;
}

bool CMarkerGestures::inSelection(const QPoint& viewportPoint) const
{
    const ByteRange sel = view_.selection();
    const auto offset = view_.pointToOffset(viewportPoint);
    return !sel.empty() && offset && *offset >= sel.start && *offset < sel.end;
}

QAction* CMarkerGestures::addItem(QMenu& menu, int id, const QString& label)
{
    QAction* a = menu.addAction(label);
    a->setData(id);
    a->setEnabled(isCommandEnabled(id));
    connect(a, &QAction::triggered, this, [this, id] { handleCommand(id); });
    return a;
}

std::unique_ptr<QMenu> CMarkerGestures::markerMenu()
{
    auto menu = std::make_unique<QMenu>(&view_);
    addItem(*menu, ID_MARKER_DELETE, QStringLiteral("削除(&D)"));
    addItem(*menu, ID_MARKER_SET_INITIAL, QStringLiteral("マーカ初期色に設定(&C)"));
    menu->addSeparator();
    addItem(*menu, ID_PROPERTY_LINK, QStringLiteral("このマーカのリンク一覧(&L)"))
        ->setEnabled(isCommandEnabled(ID_PROPERTY_LINK) &&
                     countLinksOfObject(p_, p_.objects[p_.currentObject].id) > 0);
    addItem(*menu, ID_SHOW_NODE_CENTRE,
            QStringLiteral("マーカノードをチャートビューの中央に表示(&O)"));
    menu->addSeparator();
    addItem(*menu, ID_MARKER_TO_SEARCH, QStringLiteral("マーカテキストを検索語句に設定(&S)"));
    addItem(*menu, ID_MARKER_TO_REPLACE, QStringLiteral("マーカテキストを置換語句に設定(&R)"));
    addItem(*menu, ID_MARKER_TO_LIST, QStringLiteral("このマーカ色をマーカリストに表示(&M)"));
    menu->addSeparator();
    addItem(*menu, ID_CARET_INTO_MARKER, QStringLiteral("マーカ内のこの位置にカーソルを挿入(&I)"));
    return menu;
}

std::unique_ptr<QMenu> CMarkerGestures::selectionMenu()
{
    auto menu = std::make_unique<QMenu>(&view_);
    QMenu* create = menu->addMenu(QStringLiteral("マーカ作成・変更(&M)"));
    addItem(*create, ID_ADD_MARKER_INITIAL, QStringLiteral("マーカ初期色"))
        ->setIcon(swatch(initialMarkerColour(s_.settings)));
    for (int i = 0; i < 7; ++i)
        addItem(*create, ID_ADD_MARKER_1 + i, QString::fromUtf8(kMarkerPaletteLabels[i]))
            ->setIcon(swatch(kMarkerPalette[std::size_t(i)]));
    QAction* other = addItem(*create, ID_ADD_MARKER_ETC, QStringLiteral("その他の色"));
    QPixmap rainbow(16, 16);
    rainbow.fill(Qt::transparent);
    {
        QPainter p(&rainbow);
        QLinearGradient g(0, 0, 14, 0);
        g.setColorAt(0, Qt::red);
        g.setColorAt(0.5, Qt::green);
        g.setColorAt(1, Qt::blue);
        p.setPen(Qt::gray);
        p.setBrush(g);
        p.drawRect(1, 1, 13, 13);
    }
    other->setIcon(QIcon(rainbow));
    menu->addSeparator();
    addItem(*menu, ID_COPY, QStringLiteral("コピー(&C)"));
    addItem(*menu, ID_SELECTION_TO_SEARCH, QStringLiteral("選択テキストを検索語句に設定(&S)"));
    addItem(*menu, ID_SELECTION_TO_REPLACE, QStringLiteral("選択テキストを置換語句に設定(&R)"));
    addItem(*menu, ID_SELECTION_TO_FIND, QStringLiteral("選択テキストで後を検索(&F)"));
    menu->addSeparator();
    addItem(*menu, ID_TO_UPPER, QStringLiteral("大文字へ(&U)"));
    addItem(*menu, ID_TO_LOWER, QStringLiteral("小文字へ(&L)"));
    menu->addSeparator();
    QAction* word = addItem(*menu, ID_WORD_REGISTER, QStringLiteral("単語登録(&D)"));
    word->setToolTip(QStringLiteral("単語の登録には、入力メソッドの辞書ツールを使ってください"));
    addItem(*menu, ID_DIC_REGISTER, QStringLiteral("置換辞書に登録(&D)"));
    menu->setToolTipsVisible(true);
    return menu;
}

std::unique_ptr<QMenu> CMarkerGestures::viewMenu()
{
    auto menu = std::make_unique<QMenu>(&view_);
    QMenu* here = menu->addMenu(QStringLiteral("ここにブックマークをセット(&B)"));
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        QAction* a = addItem(*here, ID_SET_BOOKMARK1 + slot,
                             QString::fromStdString(bookmarks::menuText(p_, slot)));
        a->setIcon(bookmarkMenuIcon(slot, bookmarks::isSet(p_, slot)));
    }
    menu->addSeparator();
    addItem(*menu, ID_EDIT_PASTE, QStringLiteral("貼り付け(&P)"));
    addItem(*menu, ID_SELECT_ALL, QStringLiteral("すべて選択(&A)"));
    QAction* numbers = addItem(*menu, ID_LINE_NUMBERS, QStringLiteral("行番号の表示(&N)"));
    numbers->setCheckable(true);
    numbers->setChecked(p_.textView.lineNumbersShown != 0);
    QAction* fullScreen = addItem(*menu, ID_VIEW_FULLSCREEN, QStringLiteral("全画面(&F)\tF11"));
    fullScreen->setCheckable(true);
    fullScreen->setChecked(view_.window()->isFullScreen());
    addItem(*menu, ID_VIEW_REFRESH, QStringLiteral("最新の情報に更新(&R)"));
    menu->addSeparator();
    addItem(*menu, ID_PROP_TVIEW, QStringLiteral("プロパティ(&P)"));
    return menu;
}

std::unique_ptr<QMenu> CMarkerGestures::bookmarkMenu()
{
    auto menu = std::make_unique<QMenu>(&view_);
    addItem(*menu, ID_CLEAR_BOOKMARK, QStringLiteral("このブックマークを解除(&D)"));
    menu->addSeparator();
    addItem(*menu, ID_BOOKMARK_LARGEST, QStringLiteral("ブックマークを最大表示(&B)"));
    addItem(*menu, ID_BOOKMARK_SMALLEST, QStringLiteral("ブックマークを最小表示(&S)"));
    return menu;
}

void CMarkerGestures::clearBookmark(int slot)
{
    if (!bookmarks::isSet(p_, slot) ||
        showMessage(s_.messages, msg::kConfirmRemoveBookmark, {}, style::yesNo) != Answer::Yes)
        return;
    const SjisString document(fixedText(p_.textView.bookmarkPath[slot]));
    bookmarks::clear(p_, slot);
    s_.refresh.redrawTextViewsOf(document);
    s_.refresh.bookmarksChanged();
    view_.redraw();
}

bool CMarkerGestures::dropBookmark(int slot, bool fromPin, const QPoint& viewportPoint)
{
    const auto offset = view_.pointToOffset(viewportPoint);
    if (!offset || !view_.isLoaded() || view_.relativePath().empty())
        return false;
    view_.clearSelection();
    view_.setCaret(*offset);
    // A bookmark carried from a view moves without a question; a pin sets it as its click
    // would, asking before it overwrites.
    return view_.setBookmarkAtCaret(slot, fromPin);
}

std::unique_ptr<QMenu> CMarkerGestures::buildContextMenu(const QPoint& viewportPoint)
{
    menuPoint_ = viewportPoint;
    if (!p_.isOpen())
        return nullptr;
    menuBookmark_ = view_.bookmarkAt(viewportPoint);
    if (menuBookmark_ >= 0)
        return bookmarkMenu();
    const int marker = markerAtPoint(viewportPoint);
    if (marker >= 0) {
        pickMarker(marker);
        return markerMenu();
    }
    if (inSelection(viewportPoint))
        return selectionMenu();
    view_.clearSelection();
    if (const auto offset = view_.pointToOffset(viewportPoint))
        view_.setCaret(*offset);
    return viewMenu();
}

void CMarkerGestures::updateCursor(const QPoint& at)
{
    QWidget* vp = view_.viewport();
    if (p_.textView.lineNumbersShown && at.x() < view_.gutterWidth()) {
        vp->setCursor(Qt::ArrowCursor);
        hideTooltip();
        return;
    }
    if (linkCountBoxAt(at) >= 0) {
        vp->setCursor(Qt::PointingHandCursor);
        hideTooltip();
        return;
    }
    const int marker = markerAtPoint(at);
    if (marker >= 0) {
        vp->setCursor(Qt::OpenHandCursor);
        if (p_.objects[marker].id != tooltipMarker_)
            showTooltipSoon(marker, vp->mapToGlobal(at));
        return;
    }
    vp->setCursor(Qt::IBeamCursor);
    hideTooltip();
}

void CMarkerGestures::showTooltipSoon(int markerIndex, const QPoint& globalPos)
{
    hideTooltip();
    tooltipMarker_ = p_.objects[markerIndex].id;
    tooltipPos_ = globalPos;
    tooltipTimer_->start(kTooltipDelayMs);
}

void CMarkerGestures::hideTooltip()
{
    tooltipMarker_ = 0;
    tooltipTimer_->stop();
    if (tooltip_)
        tooltip_->hide();
}

bool CMarkerGestures::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != view_.viewport() || !p_.isOpen())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint at = e->position().toPoint();
        pressedMarker_ = -1;
        pressedBookmark_ = -1;
        selectingText_ = false;
        if (e->button() != Qt::LeftButton)
            return false;
        view_.setFocus(Qt::MouseFocusReason);
        if (const int bookmark = view_.bookmarkAt(at); bookmark >= 0) {
            pressedBookmark_ = bookmark;
            pressPoint_ = at;
            return true;
        }
        if (const int boxed = linkCountBoxAt(at); boxed >= 0) {
            pickMarker(boxed);
            view_.redraw();
            s_.refresh.showLinksOfObject(p_.objects[boxed].id);
            return true;
        }
        if (const int marker = markerAtPoint(at); marker >= 0) {
            pickMarker(marker);
            pressedMarker_ = marker;
            pressPoint_ = at;
            return true;
        }
        const auto offset = view_.pointToOffset(at);
        selectingText_ = offset.has_value();
        selectionAnchor_ = offset.value_or(-1);
        return false; // the view puts the caret there
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint at = e->position().toPoint();
        if (!(e->buttons() & Qt::LeftButton)) {
            updateCursor(at);
            return false;
        }
        if (pressedBookmark_ >= 0 &&
            (at - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            const int slot = pressedBookmark_;
            pressedBookmark_ = -1;
            hideTooltip();
            runBookmarkDrag(slot);
            return true;
        }
        if (pressedMarker_ >= 0 && pressedMarker_ < p_.objectCount &&
            (at - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            const ObjectId id = p_.objects[pressedMarker_].id;
            pressedMarker_ = -1;
            hideTooltip();
            runDrag(id);
            return true;
        }
        if (selectingText_) {
            const QRect shown = view_.viewport()->rect();
            const QPoint clamped(std::clamp(at.x(), 0, shown.width() - 1),
                                 std::clamp(at.y(), 0, shown.height() - 1));
            if (const auto offset = view_.pointToOffset(clamped)) {
                view_.setSelection(std::min(selectionAnchor_, *offset),
                                   std::max(selectionAnchor_, *offset), selectionAnchor_);
                view_.setCaret(*offset);
                if (!shown.contains(at))
                    view_.scrollToCaret();
            }
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        pressedMarker_ = -1;
        pressedBookmark_ = -1;
        selectingText_ = false;
        return false;
    case QEvent::Leave:
        hideTooltip();
        view_.viewport()->unsetCursor();
        view_.viewport()->setCursor(Qt::IBeamCursor);
        return false;
    case QEvent::ContextMenu: {
        auto* e = static_cast<QContextMenuEvent*>(event);
        hideTooltip();
        if (std::unique_ptr<QMenu> menu = buildContextMenu(e->pos()))
            runMenu(*menu, e->globalPos());
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (draggedBookmark(e->mimeData())) {
            if (view_.pointToOffset(e->position().toPoint()))
                e->acceptProposedAction();
            else if (event->type() == QEvent::DragEnter)
                e->acceptProposedAction(); // entered: moves over text decide
            else
                e->ignore();
            return true;
        }
        const std::optional<ObjectId> id = draggedObjectId(e->mimeData());
        const int target = id ? markerAtPoint(e->position().toPoint()) : -1;
        if (event->type() == QEvent::DragEnter && id) {
            e->acceptProposedAction(); // entered: moves over markers decide
            return true;
        }
        if (target >= 0 && p_.objects[target].id != *id)
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        if (const auto bookmark = draggedBookmark(e->mimeData())) {
            e->acceptProposedAction();
            dropBookmark(bookmark->slot, bookmark->fromPin, e->position().toPoint());
            return true;
        }
        const std::optional<ObjectId> id = draggedObjectId(e->mimeData());
        if (!id)
            return false;
        e->acceptProposedAction();
        const QPoint at = e->position().toPoint();
        dropObject(*id, at);
        return true;
    }
    default:
        return false;
    }
}

} // namespace corvane
