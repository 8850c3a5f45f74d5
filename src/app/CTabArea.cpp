#include "app/CTabArea.h"

#include "app/DocumentWindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace corvane {

ChartPlaceholderWindow::ChartPlaceholderWindow(QWidget* parent) : DocumentWindow(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

QString ChartPlaceholderWindow::title() const
{
    return QStringLiteral("チャートビュー");
}

namespace {

/// Tab bar that reports right clicks and double clicks with the tab under the pointer, and
/// starts the drag of a tab onto another group: with the left button once the pointer leaves
/// the bar (inside it the tabs only change their order), with the right button at once.
class GroupTabBar : public QTabBar
{
public:
    explicit GroupTabBar(CTabGroup* group) : QTabBar(group), group_(group) {}

    /// Readable labels before scrolling: Qt's own minimum keeps three characters, which for
    /// document names like "特開2019-123456" says nothing. Shorter labels keep their own size.
    static constexpr int kMinimumLabelCharacters = 12;

protected:
    QSize minimumTabSizeHint(int index) const override
    {
        const QSize full = tabSizeHint(index);
        const QString text = tabText(index);
        if (text.size() <= kMinimumLabelCharacters)
            return full;
        // What the tab adds around its label (margins, icon, close button) stays whole.
        const int chrome = full.width() - fontMetrics().horizontalAdvance(text);
        const int elided =
            fontMetrics().horizontalAdvance(text.left(kMinimumLabelCharacters) + QChar(0x2026));
        return QSize(std::min(full.width(), chrome + elided), full.height());
    }
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        // The right button's menu comes with its release (below): its press may begin a drag
        // of the tab instead. Only the keyboard's menu key is answered here.
        if (e->reason() == QContextMenuEvent::Mouse || currentIndex() < 0)
            return;
        showMenu(currentIndex(), mapToGlobal(tabRect(currentIndex()).center()));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint pos = e->position().toPoint();
        if ((e->button() == Qt::LeftButton || e->button() == Qt::RightButton) && tabAt(pos) >= 0) {
            pressButton_ = e->button();
            pressIndex_ = tabAt(pos);
            pressPos_ = pos;
        }
        if (e->button() == Qt::RightButton) {
            e->accept();
            return;
        }
        QTabBar::mousePressEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint pos = e->position().toPoint();
        if (pressIndex_ >= 0 && (e->buttons() & pressButton_) && otherGroupsExist()) {
            const bool far =
                (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance();
            const int margin = QApplication::startDragDistance();
            const bool outside = !rect().adjusted(-margin, -margin, margin, margin).contains(pos);
            if ((pressButton_ == Qt::RightButton && far) ||
                (pressButton_ == Qt::LeftButton && outside)) {
                startDrag(e);
                return;
            }
        }
        if (pressButton_ != Qt::RightButton)
            QTabBar::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const bool right = e->button() == Qt::RightButton && pressButton_ == Qt::RightButton;
        const int index = pressIndex_;
        pressButton_ = Qt::NoButton;
        pressIndex_ = -1;
        if (right) {
            showMenu(index, e->globalPosition().toPoint());
            return;
        }
        QTabBar::mouseReleaseEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        const int index = tabAt(e->position().toPoint());
        if (index >= 0)
            emit group_->doubleClickedTab(index);
        QTabBar::mouseDoubleClickEvent(e);
    }

private:
    void showMenu(int index, QPoint globalPos)
    {
        if (index >= 0 && index < count()) {
            setCurrentIndex(index);
            emit group_->tabMenuRequested(index, globalPos);
        }
    }
    bool otherGroupsExist() const { return group_->area()->groupCount() > 1; }

    void startDrag(QMouseEvent* e)
    {
        const bool right = pressButton_ == Qt::RightButton;
        auto* window = qobject_cast<DocumentWindow*>(group_->widget(pressIndex_));
        if (!right) {
            // The bar is in the middle of moving the tab within itself; end that first so the
            // tab goes back to its place while it is dragged elsewhere.
            QMouseEvent release(QEvent::MouseButtonRelease, e->position(), e->globalPosition(),
                                Qt::LeftButton, Qt::NoButton, e->modifiers());
            QTabBar::mouseReleaseEvent(&release);
        }
        pressButton_ = Qt::NoButton;
        pressIndex_ = -1;
        if (!window)
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(CTabArea::tabMimeData(window, right));
        drag->setPixmap(tabPixmap(tabAt(pressPos_)));
        drag->exec(Qt::MoveAction);
    }
    QPixmap tabPixmap(int index)
    {
        const QRect r = tabRect(index);
        return r.isValid() ? grab(r) : QPixmap();
    }

    CTabGroup* group_;
    Qt::MouseButton pressButton_ = Qt::NoButton;
    int pressIndex_ = -1;
    QPoint pressPos_;
};

} // namespace

CTabGroup::CTabGroup(CTabArea* area, QWidget* parent) : QTabWidget(parent), area_(area)
{
    setTabBar(new GroupTabBar(this));
    setAcceptDrops(true);
    setDocumentMode(true);
    setTabsClosable(true);
    setMovable(true);
    // Publications of one kind share their beginning ("特開2019-..."): the end tells them apart.
    setElideMode(Qt::ElideMiddle);
    setUsesScrollButtons(true);
}

void CTabGroup::dragEnterEvent(QDragEnterEvent* event)
{
    if (area_->acceptsDrop(event->mimeData(), this))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CTabGroup::dragMoveEvent(QDragMoveEvent* event)
{
    if (area_->acceptsDrop(event->mimeData(), this))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CTabGroup::dropEvent(QDropEvent* event)
{
    if (!area_->acceptsDrop(event->mimeData(), this)) {
        event->ignore();
        return;
    }
    const QPoint onBar = tabBar()->mapFrom(this, event->position().toPoint());
    const int index = tabBar()->tabAt(onBar);
    event->acceptProposedAction();
    area_->dropTab(event->mimeData(), this, index, mapToGlobal(event->position().toPoint()));
}

CTabArea::CTabArea(QWidget* parent)
    : QWidget(parent), splitter_(new QSplitter(Qt::Horizontal, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    splitter_->setChildrenCollapsible(false);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xAB, 0xAB, 0xAB));
    setPalette(p);
    setActiveGroup(makeGroup());

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QWidget* w = now; w; w = w->parentWidget()) {
            if (auto* g = qobject_cast<CTabGroup*>(w); g && g->parentWidget() == splitter_) {
                if (g != activeGroup_)
                    setActiveGroup(g);
                return;
            }
        }
    });
}

CTabGroup* CTabArea::makeGroup()
{
    auto* g = new CTabGroup(this, splitter_);
    g->setTabPosition(tabsAtTop_ ? QTabWidget::North : QTabWidget::South);
    splitter_->addWidget(g);
    connect(g, &QTabWidget::currentChanged, this, [this, g](int) {
        if (g == activeGroup_)
            emit activeWindowChanged(activeWindow());
    });
    connect(g->tabBar(), &QTabBar::tabBarClicked, this, [this, g](int) { setActiveGroup(g); });
    connect(g, &QTabWidget::tabCloseRequested, this, [this, g](int index) {
        if (auto* w = qobject_cast<DocumentWindow*>(g->widget(index)))
            emit closeRequested(w);
    });
    connect(g, &CTabGroup::tabMenuRequested, this, [this, g](int index, QPoint pos) {
        setActiveGroup(g);
        if (auto* w = qobject_cast<DocumentWindow*>(g->widget(index)))
            emit tabMenuRequested(w, pos);
    });
    return g;
}

void CTabArea::setActiveGroup(CTabGroup* group)
{
    if (activeGroup_ == group)
        return;
    activeGroup_ = group;
    emit activeWindowChanged(activeWindow());
}

CTabGroup* CTabArea::activeGroup() const
{
    return activeGroup_;
}

void CTabArea::addWindow(DocumentWindow* window)
{
    CTabGroup* g = activeGroup();
    const int index = g->addTab(window, window->title());
    connect(window, &DocumentWindow::stateChanged, this, [this, window] { updateTab(window); });
    updateTab(window);
    g->setCurrentIndex(index);
    emit activeWindowChanged(activeWindow());
}

void CTabArea::removeWindow(DocumentWindow* window)
{
    const int gi = groupOf(window);
    if (gi < 0)
        return;
    CTabGroup* g = group(gi);
    g->removeTab(g->indexOf(window));
    window->deleteLater();
    window->setParent(nullptr);
    dropEmptyGroups();
    emit activeWindowChanged(activeWindow());
}

QList<DocumentWindow*> CTabArea::windows() const
{
    QList<DocumentWindow*> out;
    for (int gi = 0; gi < groupCount(); ++gi) {
        CTabGroup* g = group(gi);
        for (int i = 0; i < g->count(); ++i)
            if (auto* w = qobject_cast<DocumentWindow*>(g->widget(i)))
                out.append(w);
    }
    return out;
}

DocumentWindow* CTabArea::activeWindow() const
{
    return activeGroup_ ? qobject_cast<DocumentWindow*>(activeGroup_->currentWidget()) : nullptr;
}

void CTabArea::activate(DocumentWindow* window)
{
    const int gi = groupOf(window);
    if (gi < 0)
        return;
    CTabGroup* g = group(gi);
    g->setCurrentWidget(window);
    setActiveGroup(g);
    emit activeWindowChanged(activeWindow());
}

int CTabArea::groupCount() const
{
    return splitter_->count();
}

CTabGroup* CTabArea::group(int index) const
{
    return qobject_cast<CTabGroup*>(splitter_->widget(index));
}

int CTabArea::groupOf(const DocumentWindow* window) const
{
    for (int gi = 0; gi < groupCount(); ++gi)
        if (group(gi)->indexOf(const_cast<DocumentWindow*>(window)) >= 0)
            return gi;
    return -1;
}

Qt::Orientation CTabArea::groupOrientation() const
{
    return splitter_->orientation();
}

bool CTabArea::canNewGroup(Qt::Orientation orientation) const
{
    // A new group takes the active tab away from its group, which must keep at least one tab;
    // and groups are all side by side or all stacked.
    CTabGroup* g = activeGroup();
    if (!g || g->count() < 2)
        return false;
    return groupCount() == 1 || splitter_->orientation() == orientation;
}

bool CTabArea::canMoveToNextGroup() const
{
    const int gi = splitter_->indexOf(activeGroup());
    return activeWindow() && gi >= 0 && gi + 1 < groupCount();
}

bool CTabArea::canMoveToPreviousGroup() const
{
    const int gi = splitter_->indexOf(activeGroup());
    return activeWindow() && gi > 0;
}

bool CTabArea::newGroup(Qt::Orientation orientation)
{
    if (!canNewGroup(orientation))
        return false;
    DocumentWindow* w = activeWindow();
    splitter_->setOrientation(orientation);
    const int from = splitter_->indexOf(activeGroup());
    CTabGroup* g = makeGroup();
    splitter_->insertWidget(from + 1, g);
    moveWindow(w, from + 1);
    // Share the room evenly among the groups.
    QList<int> sizes;
    const int total = orientation == Qt::Horizontal ? splitter_->width() : splitter_->height();
    for (int i = 0; i < groupCount(); ++i)
        sizes.append(std::max(1, total / groupCount()));
    splitter_->setSizes(sizes);
    emit windowsMovedBetweenGroups();
    return true;
}

bool CTabArea::moveToNextGroup()
{
    if (!canMoveToNextGroup())
        return false;
    moveWindow(activeWindow(), splitter_->indexOf(activeGroup()) + 1);
    emit windowsMovedBetweenGroups();
    return true;
}

bool CTabArea::moveToPreviousGroup()
{
    if (!canMoveToPreviousGroup())
        return false;
    moveWindow(activeWindow(), splitter_->indexOf(activeGroup()) - 1);
    emit windowsMovedBetweenGroups();
    return true;
}

QMimeData* CTabArea::tabMimeData(const DocumentWindow* window, bool rightButton)
{
    // The window's address identifies it only within this process; the process id keeps a tab
    // of another running copy from being taken for one of ours.
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kTabMimeType),
                  QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
                      QByteArray::number(quintptr(window)) + ' ' +
                      (rightButton ? "right" : "left"));
    return data;
}

namespace {

struct TabDrag
{
    quintptr window = 0;
    bool rightButton = false;
};

std::optional<TabDrag> decodeTabDrag(const QMimeData* data)
{
    if (!data || !data->hasFormat(QString::fromLatin1(kTabMimeType)))
        return std::nullopt;
    const QList<QByteArray> parts = data->data(QString::fromLatin1(kTabMimeType)).split(' ');
    if (parts.size() != 3)
        return std::nullopt;
    bool pidOk = false;
    bool windowOk = false;
    const qint64 pid = parts[0].toLongLong(&pidOk);
    const quintptr window = parts[1].toULongLong(&windowOk);
    if (!pidOk || !windowOk || pid != QCoreApplication::applicationPid())
        return std::nullopt;
    return TabDrag{window, parts[2] == "right"};
}

} // namespace

DocumentWindow* CTabArea::draggedWindow(const QMimeData* data) const
{
    const std::optional<TabDrag> drag = decodeTabDrag(data);
    if (!drag)
        return nullptr;
    // Only an address found among our own windows is ever used.
    for (DocumentWindow* w : windows())
        if (quintptr(w) == drag->window)
            return w;
    return nullptr;
}

bool CTabArea::acceptsDrop(const QMimeData* data, const CTabGroup* target) const
{
    const DocumentWindow* w = draggedWindow(data);
    const int to = splitter_->indexOf(const_cast<CTabGroup*>(target));
    return w && to >= 0 && groupOf(w) != to;
}

void CTabArea::dropTab(const QMimeData* data, CTabGroup* target, int atIndex, QPoint globalPos)
{
    if (!acceptsDrop(data, target))
        return;
    const bool right = decodeTabDrag(data)->rightButton;
    QPointer<DocumentWindow> window = draggedWindow(data);
    QPointer<CTabGroup> to = target;
    // The drag is still running while its drop is delivered; the move (which may remove the
    // group the drag began in) and the menu wait until it has ended.
    QMetaObject::invokeMethod(
        this,
        [this, window, to, atIndex, right, globalPos] {
            if (!window || !to || splitter_->indexOf(to) < 0)
                return;
            if (right) {
                activate(window);
                emit tabDropMenuRequested(window, globalPos);
            } else {
                moveWindowToGroup(window, splitter_->indexOf(to), atIndex);
            }
        },
        Qt::QueuedConnection);
}

bool CTabArea::moveWindowToGroup(DocumentWindow* window, int toGroup, int atIndex)
{
    const int from = groupOf(window);
    if (from < 0 || toGroup < 0 || toGroup >= groupCount() || from == toGroup)
        return false;
    moveWindow(window, toGroup, atIndex);
    emit windowsMovedBetweenGroups();
    return true;
}

void CTabArea::moveWindow(DocumentWindow* window, int toGroup, int atIndex)
{
    CTabGroup* from = group(groupOf(window));
    CTabGroup* to = group(toGroup);
    from->removeTab(from->indexOf(window));
    const int index = to->insertTab(atIndex, window, window->title());
    updateTab(window);
    to->setCurrentIndex(index);
    activeGroup_ = to;
    dropEmptyGroups();
    emit activeWindowChanged(activeWindow());
}

void CTabArea::dropEmptyGroups()
{
    for (int gi = groupCount() - 1; gi >= 0 && groupCount() > 1; --gi) {
        CTabGroup* g = group(gi);
        if (g->count() == 0) {
            if (g == activeGroup_)
                activeGroup_ = nullptr;
            g->hide();
            g->setParent(nullptr);
            g->deleteLater();
        }
    }
    if (!activeGroup_)
        activeGroup_ = group(0);
}

void CTabArea::setTabsAtTop(bool top)
{
    tabsAtTop_ = top;
    for (int gi = 0; gi < groupCount(); ++gi)
        group(gi)->setTabPosition(top ? QTabWidget::North : QTabWidget::South);
}

void CTabArea::updateTab(DocumentWindow* window)
{
    const int gi = groupOf(window);
    if (gi < 0)
        return;
    CTabGroup* g = group(gi);
    const int index = g->indexOf(window);
    g->setTabText(index,
                  window->title() + (window->isModified() ? QStringLiteral("*") : QString()));
    g->setTabToolTip(index, QString::fromStdString(window->documentPath()));
}

} // namespace corvane
