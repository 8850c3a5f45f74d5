#include "app/CPinButton.h"

#include "textview/BookmarkImages.h"
#include "textview/ObjectDrag.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>

namespace corvane {

CPinButton::CPinButton(int slot, QWidget* parent) : QToolButton(parent), slot_(slot)
{
    setObjectName(QStringLiteral("pin%1").arg(slot + 1));
}

void CPinButton::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    pressPoint_ = event->position().toPoint();
    QToolButton::mousePressEvent(event);
}

void CPinButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_ || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressPoint_).manhattanLength() <
            QApplication::startDragDistance()) {
        QToolButton::mouseMoveEvent(event);
        return;
    }
    pressed_ = false;
    setDown(false);
    auto* drag = new QDrag(this);
    drag->setMimeData(makeBookmarkDragData({slot_, true}));
    drag->setPixmap(QPixmap::fromImage(bookmarkImage(slot_)));
    drag->setHotSpot(QPoint(8, 30));
    const Qt::DropAction done = drag->exec(Qt::MoveAction, Qt::MoveAction);
    // Let go over the button itself without a drop: the press was a click after all.
    if (done == Qt::IgnoreAction && rect().contains(mapFromGlobal(QCursor::pos())))
        click();
}

} // namespace corvane
