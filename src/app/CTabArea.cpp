#include "app/CTabArea.h"

#include "app/DocumentWindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

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

/// Tab bar that reports right clicks and double clicks with the tab under the pointer.
class GroupTabBar : public QTabBar
{
public:
    explicit GroupTabBar(CTabGroup* group) : QTabBar(group), group_(group) {}

protected:
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        const int index = tabAt(e->pos());
        if (index >= 0) {
            setCurrentIndex(index);
            emit group_->tabMenuRequested(index, e->globalPos());
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        const int index = tabAt(e->position().toPoint());
        if (index >= 0)
            emit group_->doubleClickedTab(index);
        QTabBar::mouseDoubleClickEvent(e);
    }

private:
    CTabGroup* group_;
};

} // namespace

CTabGroup::CTabGroup(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new GroupTabBar(this));
    setDocumentMode(true);
    setTabsClosable(true);
    setMovable(true);
    setElideMode(Qt::ElideRight);
    setUsesScrollButtons(true);
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
    auto* g = new CTabGroup(splitter_);
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

void CTabArea::moveWindow(DocumentWindow* window, int toGroup)
{
    CTabGroup* from = group(groupOf(window));
    CTabGroup* to = group(toGroup);
    from->removeTab(from->indexOf(window));
    const int index = to->addTab(window, window->title());
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
