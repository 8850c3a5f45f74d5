#include "subjects/ui/CMySubjectCtrl.h"

#include "base/qt/QtText.h"
#include "textview/ObjectDrag.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int kNameColumnWidth = 45; ///< the name cell itself, after the row's indentation
constexpr int kIndentation = 12;
constexpr int kDescriptionRows = 10;
constexpr int kIdRole = Qt::UserRole + 1; ///< set on sub-subject rows only

QColor qcolour(Colour c)
{
    return QColor(int(colourRed(c)), int(colourGreen(c)), int(colourBlue(c)));
}

const QString kEmptyHelp = QStringLiteral(
    "【説明】\n"
    "　上部の「題名の追加」アイコンをクリックして主題および副題を追加してください。\n"
    "　(例)　エネルギー問題\n"
    "　　　　　風力発電の利点について\n\n"
    "　※ Ｅｘｃｅｌ等でまとめて作成し、一括追加することもできます。\n"
    "　上部の「題名の一括追加方法」アイコンをクリックして追加方法を確認できます。\n");

/// Grid lines in the subject line colour under each row and between the two cells.
class GridLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    Colour lines = kSubjectColourDefaults[6];
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(p, option, index);
        p->save();
        p->setPen(qcolour(lines));
        p->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        if (index.column() == 0 && index.parent().isValid())
            p->drawLine(option.rect.topRight(), option.rect.bottomRight());
        p->restore();
    }
};

} // namespace

/// The tree: drags of sub-subject rows out, drops of markers onto sub-subject rows.
class CSubjectTree : public QTreeWidget
{
public:
    explicit CSubjectTree(CMySubjectCtrl* owner) : QTreeWidget(owner), owner_(owner)
    {
        setDragEnabled(true);
        setAcceptDrops(true);
        setDropIndicatorShown(false);
        setDragDropMode(QAbstractItemView::DragDrop);
    }

protected:
    void startDrag(Qt::DropActions) override
    {
        QTreeWidgetItem* item = currentItem();
        if (!item || !item->data(0, kIdRole).isValid())
            return;
        const auto id = objectIdOfNameCell(toSjis(item->text(0)));
        if (!id)
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(makeObjectDragData(*id));
        drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
    }
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (draggedObjectId(event->mimeData()))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        // A marker over a sub-subject row selects that row: the drop will link to it.
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        if (draggedObjectId(event->mimeData()) && item && item->data(0, kIdRole).isValid()) {
            setCurrentItem(item);
            event->acceptProposedAction();
        } else {
            event->ignore();
        }
    }
    void dropEvent(QDropEvent* event) override
    {
        const auto dragged = draggedObjectId(event->mimeData());
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        const auto target = item && item->data(0, kIdRole).isValid()
                                ? objectIdOfNameCell(toSjis(item->text(0)))
                                : std::nullopt;
        if (!dragged || !target) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
        emit owner_->objectDropped(*dragged, *target);
    }

private:
    CMySubjectCtrl* owner_;
};

/// The description area: the selected row's description, or the help text of an empty list.
class CSubjectDescription : public QWidget
{
public:
    using QWidget::QWidget;
    QString text;
    bool help = false;
    std::array<Colour, 7> colours = kSubjectColourDefaults;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(qcolour(colours[6]));
        p.setBrush(qcolour(colours[4]));
        p.drawRect(r);
        p.setPen(qcolour(colours[5]));
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        // Inset 5 pixels left and right, 2 top and bottom.
        p.drawText(QRectF(r.adjusted(5, 2, -5, -2)), help ? kEmptyHelp : text, option);
    }
};

CMySubjectCtrl::CMySubjectCtrl(QWidget* parent)
    : QWidget(parent), tree_(new CSubjectTree(this)), description_(new CSubjectDescription(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(tree_, 1);
    layout->addWidget(description_);

    tree_->setColumnCount(2);
    tree_->setHeaderHidden(true);
    tree_->header()->setStretchLastSection(true);
    // A sub-subject row sits two indentation steps in (the branch mark and its group): the column
    // is wider by that much so that its name cell keeps its full width.
    tree_->setIndentation(kIndentation);
    tree_->setColumnWidth(0, kNameColumnWidth + 2 * kIndentation);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setUniformRowHeights(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setRootIsDecorated(true);
    tree_->setItemDelegate(new GridLineDelegate(tree_));
    tree_->setContextMenuPolicy(Qt::NoContextMenu);
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    description_->setFixedHeight(fontMetrics().lineSpacing() * kDescriptionRows + 4);
    description_->setContextMenuPolicy(Qt::NoContextMenu);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { updateDescription(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item && item->data(0, kIdRole).isValid())
            emit editRequested();
    });
    setColours(kSubjectColourDefaults);
}

QTreeWidget* CMySubjectCtrl::tree() const
{
    return tree_;
}

QWidget* CMySubjectCtrl::descriptionArea() const
{
    return description_;
}

void CMySubjectCtrl::setGroups(const std::vector<SubjectGroup>& groups)
{
    // Hidden while filled: thousands of rows are inserted without a repaint each. Items get
    // their data before they join the tree, so no change is signalled per row.
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    QList<QTreeWidgetItem*> top;
    top.reserve(int(groups.size()));
    for (const SubjectGroup& g : groups) {
        auto* group = new QTreeWidgetItem(QStringList{toQString(g.mainTitle)});
        group->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        styleGroupRow(group);
        QList<QTreeWidgetItem*> rows;
        rows.reserve(int(g.rows.size()));
        for (const SubjectRow& row : g.rows) {
            const QString title = toQString(row.title);
            auto* item = new QTreeWidgetItem(QStringList{toQString(row.nameCell()), title});
            item->setData(0, kIdRole, row.id);
            item->setToolTip(1, title);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
            rows.append(item);
        }
        group->addChildren(rows);
        top.append(group);
    }
    tree_->addTopLevelItems(top);
    for (int i = 0; i < top.size(); ++i) {
        top[i]->setFirstColumnSpanned(true);
        top[i]->setExpanded(groups[std::size_t(i)].expanded);
    }
    tree_->setUpdatesEnabled(true);
    updateDescription();
}

void CMySubjectCtrl::styleGroupRow(QTreeWidgetItem* group) const
{
    const QBrush back(qcolour(colours_[2])), text(qcolour(colours_[3]));
    for (int c = 0; c < 2; ++c) {
        group->setBackground(c, back);
        group->setForeground(c, text);
    }
    QFont bold = tree_->font();
    bold.setBold(true);
    group->setFont(0, bold);
}

void CMySubjectCtrl::clearRows()
{
    tree_->clear();
    updateDescription();
}

void CMySubjectCtrl::setColours(const std::array<Colour, 7>& colours)
{
    colours_ = colours;
    description_->colours = colours;
    static_cast<GridLineDelegate*>(tree_->itemDelegate())->lines = colours[6];
    // Sub-subject rows draw with the tree's palette; only group rows carry colours of their own.
    QPalette pal = tree_->palette();
    pal.setColor(QPalette::Base, qcolour(colours[0]));
    pal.setColor(QPalette::Text, qcolour(colours[1]));
    tree_->setPalette(pal);
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        styleGroupRow(tree_->topLevelItem(i));
    description_->update();
    tree_->viewport()->update();
}

void CMySubjectCtrl::setEmptyHelpShown(bool shown)
{
    description_->help = shown;
    description_->update();
}

bool CMySubjectCtrl::emptyHelpShown() const
{
    return description_->help;
}

std::optional<ObjectId> CMySubjectCtrl::selectedObjectId() const
{
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || !item->data(0, kIdRole).isValid())
        return std::nullopt;
    return objectIdOfNameCell(toSjis(item->text(0)));
}

std::optional<SjisString> CMySubjectCtrl::selectedMainTitle() const
{
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item)
        return std::nullopt;
    if (item->parent())
        item = item->parent();
    return toSjis(item->text(0));
}

bool CMySubjectCtrl::selectedIsGroup() const
{
    QTreeWidgetItem* item = tree_->currentItem();
    return item && !item->parent();
}

QTreeWidgetItem* CMySubjectCtrl::rowOf(ObjectId id) const
{
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* g = tree_->topLevelItem(i);
        for (int k = 0; k < g->childCount(); ++k)
            if (objectIdOfNameCell(toSjis(g->child(k)->text(0))) == id)
                return g->child(k);
    }
    return nullptr;
}

bool CMySubjectCtrl::selectObject(ObjectId id)
{
    QTreeWidgetItem* item = rowOf(id);
    if (!item)
        return false;
    item->parent()->setExpanded(true);
    tree_->setCurrentItem(item);
    tree_->scrollToItem(item);
    return true;
}

void CMySubjectCtrl::setLinkMark(ObjectId id, bool linked)
{
    if (QTreeWidgetItem* item = rowOf(id))
        item->setText(0, toQString(SubjectRow{id, linked, {}}.nameCell()));
}

std::vector<SubjectGroup> CMySubjectCtrl::groupStates() const
{
    std::vector<SubjectGroup> out;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* g = tree_->topLevelItem(i);
        out.push_back({toSjis(g->text(0)), {}, g->isExpanded()});
    }
    return out;
}

int CMySubjectCtrl::groupCount() const
{
    return tree_->topLevelItemCount();
}

CMySubjectCtrl::~CMySubjectCtrl()
{
    // The tree is deleted by QWidget's destructor, after this class is gone: its last events
    // must not reach our filter.
    tree_->viewport()->removeEventFilter(this);
    tree_->removeEventFilter(this);
}

SubjectMenuKind CMySubjectCtrl::kindAt(const QPoint& point) const
{
    const QPoint inDescription = description_->mapFrom(this, point);
    if (description_->rect().contains(inDescription))
        return SubjectMenuKind::Description;
    const QPoint inViewport = tree_->viewport()->mapFrom(this, point);
    if (!tree_->viewport()->rect().contains(inViewport))
        return SubjectMenuKind::None;
    QTreeWidgetItem* item = tree_->itemAt(inViewport);
    if (!item)
        return SubjectMenuKind::None;
    return item->parent() ? SubjectMenuKind::SubSubject : SubjectMenuKind::MainSubject;
}

void CMySubjectCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const SubjectMenuKind kind = kindAt(event->pos());
    // The row under the pointer is the one the menu's commands act on.
    if (kind == SubjectMenuKind::SubSubject || kind == SubjectMenuKind::MainSubject)
        tree_->setCurrentItem(tree_->itemAt(tree_->viewport()->mapFrom(this, event->pos())));
    emit contextMenuRequested(kind, event->globalPos());
    event->accept();
}

bool CMySubjectCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            emit pasteRequested();
            return true;
        }
        if (key->key() == Qt::Key_F5) {
            emit refreshRequested();
            return true;
        }
    }
    if (watched == tree_->viewport() && event->type() == QEvent::ContextMenu) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        // The viewport is our descendant: map from it upwards (mapFrom walks to an ancestor).
        QContextMenuEvent forwarded(menu->reason(), tree_->viewport()->mapTo(this, menu->pos()),
                                    menu->globalPos());
        contextMenuEvent(&forwarded);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CMySubjectCtrl::updateDescription()
{
    QTreeWidgetItem* item = tree_->currentItem();
    description_->text = item && item->parent() ? item->text(1) : QString();
    description_->update();
}

} // namespace corvane
