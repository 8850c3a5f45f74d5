#include "panes/ui/CPropertiesWnd.h"

#include "base/qt/QtText.h"
#include "panes/ui/CMyGridCtrl.h"
#include "res/ui/CommandIds.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

using namespace cmd;

CPropertiesWnd::CPropertiesWnd(ProjectData& project, Services& services, QWidget* parent)
    : QWidget(parent), p_(project), s_(services), model_(project, services)
{
    setObjectName(QStringLiteral("propertiesPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    grid_ = new CMyGridCtrl(services.colours, this);
    layout->addWidget(grid_, 1);

    description_ = new QLabel(this);
    description_->setObjectName(QStringLiteral("propertyDescription"));
    description_->setWordWrap(true);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setFrameShape(QFrame::StyledPanel);
    description_->setTextFormat(Qt::RichText);
    description_->setMargin(3);
    // Five lines of description under the grid, as the page's texts are written for.
    description_->setFixedHeight(description_->fontMetrics().lineSpacing() * 5 + 8);
    layout->addWidget(description_);

    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->installEventFilter(this);
    connect(grid_, &CMyGridCtrl::customContextMenuRequested, this, &CPropertiesWnd::contextMenu);
    connect(grid_, &QTreeWidget::currentItemChanged, this, [this] { showCurrentDescription(); });
    connect(grid_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (model_.page() == PropertyPage::Links && grid_->propertyOf(item))
            runCommand(ID_PROPLINK_SHOW);
    });
    connect(grid_, &CMyGridCtrl::numberEdited, this, &CPropertiesWnd::numberEdited);
    connect(grid_, &CMyGridCtrl::textEdited, this, &CPropertiesWnd::textEdited);
    runMenu = [](QMenu& menu, const QPoint& at) { menu.exec(at); };
    showPage(PropertyPage::Empty);
}

QString CPropertiesWnd::caption() const
{
    return QString::fromUtf8(propertyPageTitle(model_.page()));
}

void CPropertiesWnd::showPage(PropertyPage page, ObjectId id)
{
    model_.setChart(chartModel ? chartModel() : nullptr);
    model_.show(page, id);
    grid_->setGroups(model_.groups());
    showCurrentDescription();
    if (captionChanged)
        captionChanged(caption());
}

void CPropertiesWnd::refreshPage()
{
    refreshPending_ = false;
    const PropertyPage before = model_.page();
    model_.refreshValues();
    if (model_.page() != before) {
        showPage(model_.page(), model_.objectId());
        return;
    }
    const std::optional<LinkEnds> link = currentLink();
    grid_->updateValues(model_.groups());
    if (link && !grid_->currentItem())
        if (QTreeWidgetItem* again = grid_->itemOf(*link))
            grid_->setCurrentItem(again);
    showCurrentDescription();
}

void CPropertiesWnd::scheduleRefresh()
{
    if (refreshPending_ || model_.page() == PropertyPage::Empty)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (refreshPending_)
            refreshPage();
    });
}

void CPropertiesWnd::showCurrentDescription()
{
    QTreeWidgetItem* item = grid_->currentItem();
    const Property* p = grid_->propertyOf(item);
    if (!p) {
        description_->setText(item ? QStringLiteral("<b>%1</b>").arg(item->text(0).toHtmlEscaped())
                                   : QString());
        return;
    }
    QString text = QString::fromStdString(p->description).toHtmlEscaped();
    text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    description_->setText(QStringLiteral("<b>%1</b><br>%2")
                              .arg(QString::fromStdString(p->label).toHtmlEscaped(), text));
}

void CPropertiesWnd::numberEdited(PropertyKey key, qint64 value)
{
    model_.setChart(chartModel ? chartModel() : nullptr);
    model_.edit(key, value);
    grid_->updateValues(model_.groups());
    showCurrentDescription();
}

void CPropertiesWnd::textEdited(PropertyKey key, const QString& text)
{
    model_.setChart(chartModel ? chartModel() : nullptr);
    model_.editText(key, toSjis(text));
    grid_->updateValues(model_.groups());
    showCurrentDescription();
}

// Refresh --------------------------------------------------------------------------------------

void CPropertiesWnd::resetPropertiesPane()
{
    showPage(PropertyPage::Empty);
}

void CPropertiesWnd::showPropertiesOfObject(ObjectId id)
{
    model_.showObject(id);
    showPage(model_.page(), model_.objectId());
    if (showPane && model_.page() != PropertyPage::Empty)
        showPane();
}

void CPropertiesWnd::showNodeProperties(ObjectId id)
{
    model_.showNode(id);
    showPage(model_.page(), model_.objectId());
    if (showPane && model_.page() != PropertyPage::Empty)
        showPane();
}

void CPropertiesWnd::showTextViewProperties()
{
    showPage(PropertyPage::TextView);
    if (showPane)
        showPane();
}

void CPropertiesWnd::showChartViewProperties()
{
    showPage(PropertyPage::ChartView);
    if (showPane)
        showPane();
}

void CPropertiesWnd::showLinksOfObject(ObjectId id)
{
    showPage(PropertyPage::Links, id);
    if (showPane && model_.page() == PropertyPage::Links)
        showPane();
}

void CPropertiesWnd::textViewSettingsChanged()
{
    if (model_.page() == PropertyPage::TextView)
        scheduleRefresh();
}

void CPropertiesWnd::redrawChart()
{
    scheduleRefresh();
}

void CPropertiesWnd::rebuildMarkerList()
{
    scheduleRefresh();
}

void CPropertiesWnd::updateLinkMark(ObjectId)
{
    scheduleRefresh();
}

void CPropertiesWnd::redrawTextViewsOf(SjisView)
{
    scheduleRefresh();
}

// The link page --------------------------------------------------------------------------------

std::optional<LinkEnds> CPropertiesWnd::currentLink() const
{
    const Property* p = grid_->propertyOf(grid_->currentItem());
    if (!p || p->kind != PropertyKind::LinkRow)
        return std::nullopt;
    return p->link;
}

bool CPropertiesWnd::isCommandEnabled(int id) const
{
    if (id == ID_VIEW_REFRESH)
        return model_.page() != PropertyPage::Empty;
    if (model_.page() != PropertyPage::Links)
        return false;
    switch (id) {
    case ID_PROPLINK_SHOW:
    case ID_PROPLINK_DELETE:
        return currentLink().has_value();
    case ID_PROPLINK_NEXT:
    case ID_PROPLINK_PREV:
    case ID_PROPLINK_DELETE_ALL:
        return !grid_->propertyItems().empty();
    case ID_PROPLINK_DELETE_GROUP:
        return grid_->groupOf(grid_->currentItem()) >= 0;
    default:
        return false;
    }
}

bool CPropertiesWnd::stepRow(bool forward)
{
    const std::vector<QTreeWidgetItem*> rows = grid_->propertyItems();
    if (rows.empty())
        return false;
    const auto at = std::find(rows.begin(), rows.end(), grid_->currentItem());
    int next = 0;
    if (at == rows.end())
        next = forward ? 0 : int(rows.size()) - 1;
    else
        next = (int(at - rows.begin()) + (forward ? 1 : -1) + int(rows.size())) % int(rows.size());
    grid_->setCurrentItem(rows[std::size_t(next)]);
    const std::optional<LinkEnds> link = currentLink();
    return link && model_.showLinkTarget(*link);
}

bool CPropertiesWnd::runCommand(int id)
{
    if (!isCommandEnabled(id))
        return false;
    switch (id) {
    case ID_VIEW_REFRESH:
        refreshPage();
        return true;
    case ID_PROPLINK_SHOW: {
        const bool shown = model_.showLinkTarget(*currentLink());
        if (!shown)
            refreshPage();
        return shown;
    }
    case ID_PROPLINK_NEXT:
        return stepRow(true);
    case ID_PROPLINK_PREV:
        return stepRow(false);
    case ID_PROPLINK_DELETE: {
        const bool deleted = model_.deleteLink(*currentLink());
        grid_->setGroups(model_.groups());
        return deleted;
    }
    case ID_PROPLINK_DELETE_ALL:
    case ID_PROPLINK_DELETE_GROUP: {
        const int n = model_.deleteLinks(
            id == ID_PROPLINK_DELETE_ALL ? -1 : grid_->groupOf(grid_->currentItem()));
        grid_->setGroups(model_.groups());
        return n > 0;
    }
    default:
        return false;
    }
}

std::unique_ptr<QMenu> CPropertiesWnd::buildContextMenu()
{
    if (model_.page() != PropertyPage::Links)
        return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    auto add = [&](int id, const char* label) {
        QAction* a = menu->addAction(QString::fromUtf8(label));
        a->setEnabled(isCommandEnabled(id));
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    };
    QTreeWidgetItem* item = grid_->currentItem();
    if (grid_->propertyOf(item)) { // "LINK"
        add(ID_PROPLINK_SHOW, "選択行のリンク先表示(&N)\tWクリック");
        add(ID_PROPLINK_NEXT, "下の行のリンク先表示(&D)\tD");
        add(ID_PROPLINK_PREV, "上の行のリンク先表示(&U)\tU");
        menu->addSeparator();
        add(ID_PROPLINK_DELETE, "このリンクを削除(&E)\tDelete");
        add(ID_PROPLINK_DELETE_GROUP, "この項目内のすべてのリンクを削除(&S)");
        add(ID_PROPLINK_DELETE_ALL, "この一覧内のすべてのリンクを削除(&A)");
    } else if (item) { // "MAIN"
        add(ID_PROPLINK_DELETE_GROUP, "この項目内のすべてのリンクを削除(&S)");
        add(ID_PROPLINK_DELETE_ALL, "この一覧内のすべてのリンクを削除(&A)");
    } else { // "ETC"
        add(ID_PROPLINK_DELETE_ALL, "この一覧内のすべてのリンクを削除(&A)");
    }
    menu->addSeparator();
    add(ID_VIEW_REFRESH, "最新の情報に更新(&R)\tF5");
    return menu;
}

void CPropertiesWnd::contextMenu(const QPoint& pos)
{
    if (!grid_->itemAt(pos))
        grid_->setCurrentItem(nullptr);
    if (std::unique_ptr<QMenu> menu = buildContextMenu())
        runMenu(*menu, grid_->viewport()->mapToGlobal(pos));
}

bool CPropertiesWnd::eventFilter(QObject* watched, QEvent* event)
{
    // The link page's keys (accelerator table 323); the other pages type into their editors.
    if (watched == grid_ && event->type() == QEvent::KeyPress && !grid_->isEditing()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F5 && key->modifiers() == Qt::NoModifier)
            return runCommand(ID_VIEW_REFRESH) || true;
        if (model_.page() == PropertyPage::Links && key->modifiers() == Qt::NoModifier) {
            switch (key->key()) {
            case Qt::Key_D:
                runCommand(ID_PROPLINK_NEXT);
                return true;
            case Qt::Key_U:
                runCommand(ID_PROPLINK_PREV);
                return true;
            case Qt::Key_Delete:
                runCommand(ID_PROPLINK_DELETE);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                runCommand(ID_PROPLINK_SHOW);
                return true;
            default:
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace corvane
