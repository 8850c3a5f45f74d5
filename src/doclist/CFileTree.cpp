#include "doclist/CFileTree.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace corvane {

CFileTree::CFileTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setExpandsOnDoubleClick(false);
    setIconSize(QSize(16, 16));
}

bool CFileTree::isOnIcon(QTreeWidgetItem* item, const QPoint& pos) const
{
    if (!item)
        return false;
    const QRect rect = visualItemRect(item);
    // The decoration sits at the start of the item's rectangle, after a small margin.
    return pos.x() >= rect.left() && pos.x() < rect.left() + iconSize().width() + 4;
}

void CFileTree::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CFileTree::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CFileTree::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    emit filesDropped(itemAt(event->position().toPoint()), paths);
}

void CFileTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && item) {
        emit itemActivatedAt(item, isOnIcon(item, event->position().toPoint()));
        event->accept();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CFileTree::mousePressEvent(QMouseEvent* event)
{
    // A right click selects the item under the cursor and gives it the focus before its menu.
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) {
            setCurrentItem(item);
            setFocus();
        }
    }
    QTreeWidget::mousePressEvent(event);
}

namespace {

/// The list's own keys: the frame uses F2 for the operation guide, so while the tree has focus
/// these must win over the window's shortcuts.
bool isOwnKey(const QKeyEvent* key)
{
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    return key->key() == Qt::Key_F2 || key->key() == Qt::Key_Delete || key->key() == Qt::Key_F5;
}

} // namespace

bool CFileTree::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isOwnKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTreeWidget::event(event);
}

void CFileTree::keyPressEvent(QKeyEvent* event)
{
    if (isOwnKey(event)) {
        emit commandKeyPressed(event->key());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace corvane
