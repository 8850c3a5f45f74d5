#include "panes/ui/CMarkerList.h"

#include "base/qt/QtText.h"
#include "model/ObjectTable.h"
#include "res/ui/CommandIds.h"
#include "textview/ObjectDrag.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>

namespace corvane {

using namespace cmd;

namespace {
constexpr int kIdRole = Qt::UserRole + 1;
} // namespace

CMarkerList::CMarkerList(ProjectData& project, Services& services, QWidget* parent)
    : QListWidget(parent), p_(project), model_(project, services)
{
    setObjectName(QStringLiteral("markerList"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    runMenu = [](QMenu& menu, const QPoint& at) { menu.exec(at); };
    runDrag = [this](ObjectId id) {
        auto* drag = new QDrag(this);
        drag->setMimeData(makeObjectDragData(id));
        drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
    };

    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::Key_D), ID_MARKERLIST_NEXT},
        {QKeySequence(Qt::Key_U), ID_MARKERLIST_PREV},
        {QKeySequence(Qt::Key_Delete), ID_MARKERLIST_DELETE},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_COPY},
        {QKeySequence(Qt::Key_F5), ID_VIEW_REFRESH},
    };
    for (const auto& [key, id] : keys) {
        auto* shortcut = new QShortcut(key, this, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { runCommand(id); });
    }
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this] { runCommand(ID_MARKERLIST_SHOW); });
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.selectRow(row);
        emit commandStatesChanged();
    });
}

MarkerListModel::Rebuilt CMarkerList::rebuild(bool userChoice, SjisView itemText)
{
    const MarkerListModel::Rebuilt result = model_.rebuild(userChoice, itemText);
    showRows();
    return result;
}

void CMarkerList::showRows()
{
    {
        // The rows' own selection signals would report rows the model has already replaced.
        const QSignalBlocker block(this);
        clear();
        for (const MarkerRow& row : model_.rows()) {
            auto* item = new QListWidgetItem(toQString(row.text), this);
            item->setData(kIdRole, row.id);
        }
        setCurrentRow(model_.selectedRow());
    }
    // Outside the blocker, which silences this signal too: the toolbar follows the new rows.
    emit commandStatesChanged();
}

bool CMarkerList::isCommandEnabled(int id) const
{
    if (!p_.isOpen())
        return false;
    switch (id) {
    case ID_MARKERLIST_SHOW:
    case ID_MARKERLIST_NEXT:
    case ID_MARKERLIST_PREV:
    case ID_MARKERLIST_DELETE:
    case ID_COPY:
        return model_.rowCommandsEnabled();
    case ID_MARKERLIST_DELETE_ALL:
        return !model_.rows().empty();
    case ID_VIEW_REFRESH:
        return true;
    default:
        return false;
    }
}

bool CMarkerList::runCommand(int id)
{
    if (!isCommandEnabled(id))
        return false;
    switch (id) {
    case ID_MARKERLIST_SHOW:
        model_.showRow(MarkerListModel::Step::Selected);
        break;
    case ID_MARKERLIST_NEXT:
    case ID_MARKERLIST_PREV:
        if (model_.showRow(id == ID_MARKERLIST_NEXT ? MarkerListModel::Step::Next
                                                    : MarkerListModel::Step::Previous)) {
            const QSignalBlocker block(this);
            setCurrentRow(model_.selectedRow());
        }
        break;
    case ID_COPY: {
        const int row = model_.rows().size() == 1 ? 0 : model_.selectedRow();
        QApplication::clipboard()->setText(toQString(model_.rows()[std::size_t(row)].text));
        break;
    }
    case ID_MARKERLIST_DELETE:
        // The model rebuilt its rows after a deletion; a refusal leaves them as they were.
        model_.deleteSelected();
        showRows();
        break;
    case ID_MARKERLIST_DELETE_ALL:
        model_.deleteAllListed();
        showRows();
        break;
    case ID_VIEW_REFRESH:
        rebuild();
        break;
    default:
        return false;
    }
    emit commandStatesChanged();
    return true;
}

std::unique_ptr<QMenu> CMarkerList::buildContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    auto add = [&](int id, const QString& label, const QString& key = {}) {
        QAction* a = menu->addAction(key.isEmpty() ? label : label + QLatin1Char('\t') + key);
        a->setData(id);
        a->setEnabled(isCommandEnabled(id));
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    };
    add(ID_MARKERLIST_SHOW, QStringLiteral("選択行のマーカ位置表示(&N)"));
    add(ID_MARKERLIST_NEXT, QStringLiteral("下の行のマーカ位置表示(&D)"), QStringLiteral("D"));
    add(ID_MARKERLIST_PREV, QStringLiteral("上の行のマーカ位置表示(&U)"), QStringLiteral("U"));
    menu->addSeparator();
    add(ID_COPY, QStringLiteral("クリップボードへコピー(&C)"), QStringLiteral("Ctrl+C"));
    menu->addSeparator();
    add(ID_MARKERLIST_DELETE, QStringLiteral("このマーカを削除(&E)"), QStringLiteral("Delete"));
    add(ID_MARKERLIST_DELETE_ALL, QStringLiteral("リスト内のすべてのマーカ削除(&A)"));
    menu->addSeparator();
    add(ID_VIEW_REFRESH, QStringLiteral("最新の情報に更新(&R)"), QStringLiteral("F5"));
    return menu;
}

void CMarkerList::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::RightButton || count() == 0)
        return;
    if (QListWidgetItem* item = itemAt(event->position().toPoint()))
        setCurrentItem(item);
    std::unique_ptr<QMenu> menu = buildContextMenu();
    runMenu(*menu, event->globalPosition().toPoint());
}

void CMarkerList::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (event->reason() != QContextMenuEvent::Keyboard || count() == 0)
        return;
    QListWidgetItem* item = currentItem() ? currentItem() : this->item(0);
    std::unique_ptr<QMenu> menu = buildContextMenu();
    runMenu(*menu, viewport()->mapToGlobal(visualItemRect(item).center()));
}

void CMarkerList::startDrag(Qt::DropActions)
{
    // Our own drag, not the item view's: the drop sides know the marker by its ID.
    QListWidgetItem* item = currentItem();
    if (!item || !item->data(kIdRole).isValid())
        return;
    const auto id = ObjectId(item->data(kIdRole).toLongLong());
    const int index = findObjectIndex(p_, id);
    if (index >= 0 && p_.objects[index].type == ObjectType::Marker)
        runDrag(id);
}

int CMarkerList::droppedMarkerIndex(const QMimeData* data) const
{
    const std::optional<ObjectId> id = draggedObjectId(data);
    if (!id)
        return -1;
    const int index = findObjectIndex(p_, *id);
    return index >= 0 && p_.objects[index].type == ObjectType::Marker ? index : -1;
}

void CMarkerList::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() != this && droppedMarkerIndex(event->mimeData()) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMarkerList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() != this && droppedMarkerIndex(event->mimeData()) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMarkerList::dropEvent(QDropEvent* event)
{
    // A row let go over its own list is no colour choice: the drag was meant for elsewhere.
    const int index = event->source() == this ? -1 : droppedMarkerIndex(event->mimeData());
    if (index < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (markerDropped)
        markerDropped(p_.objects[index].markerColour);
}

} // namespace corvane
