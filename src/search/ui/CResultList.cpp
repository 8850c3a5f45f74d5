#include "search/ui/CResultList.h"

#include "base/qt/QtText.h"
#include "res/ui/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace corvane {

using namespace cmd;

CResultList::CResultList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Rows are read whole: the list scrolls sideways to the widest row instead of cutting them.
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    runMenu = [](QMenu& menu, const QPoint& global) { menu.exec(global); };
}

void CResultList::start(SjisView sentence)
{
    clearRows();
    addRows({SjisString(sentence)});
}

void CResultList::addRows(const std::vector<SjisString>& rows)
{
    QStringList texts;
    texts.reserve(int(rows.size()));
    for (const SjisString& r : rows) {
        rows_.push_back(r);
        texts.append(toQString(r));
    }
    addItems(texts);
}

void CResultList::clearRows()
{
    rows_.clear();
    clear();
}

int CResultList::hitCount() const
{
    return rows_.size() < 2 ? 0 : int(rows_.size()) - 2;
}

bool CResultList::openSelected()
{
    const int row = currentRow();
    if (!isHitRow(row))
        return false;
    const auto address = search::parseHitRow(rows_[std::size_t(row)]);
    if (!address)
        return false;
    if (openHit)
        openHit(*address);
    return true;
}

void CResultList::openStep(int step)
{
    const int hits = hitCount();
    if (hits < 2)
        return;
    int row = currentRow();
    if (!isHitRow(row))
        row = step > 0 ? 0 : int(rows_.size()) - 1;
    row += step;
    if (row < 1)
        row = hits;
    else if (row > hits)
        row = 1;
    setCurrentRow(row);
    scrollToItem(item(row));
    openSelected();
}

void CResultList::copySelected()
{
    const int row = currentRow();
    if (isHitRow(row))
        QApplication::clipboard()->setText(toQString(rows_[std::size_t(row)]));
}

bool CResultList::isCommandEnabled(int id) const
{
    switch (id) {
    case ID_RESULT_SHOW:
    case ID_COPY:
        return isHitRow(currentRow());
    case ID_RESULT_NEXT:
    case ID_RESULT_PREV:
        return hitCount() >= 2;
    case ID_RESULT_CLEAR:
        return !rows_.empty();
    case ID_RESULT_CLEAR_ALL:
        return true;
    default:
        return false;
    }
}

bool CResultList::handleCommand(int id)
{
    if (!isCommandEnabled(id))
        return false;
    switch (id) {
    case ID_RESULT_SHOW:
        return openSelected();
    case ID_RESULT_NEXT:
        openStep(1);
        return true;
    case ID_RESULT_PREV:
        openStep(-1);
        return true;
    case ID_COPY:
        copySelected();
        return true;
    case ID_RESULT_CLEAR:
        clearRows();
        return true;
    case ID_RESULT_CLEAR_ALL:
        if (clearAll)
            clearAll();
        return true;
    default:
        return false;
    }
}

std::unique_ptr<QMenu> CResultList::buildMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [&](int id, const QString& label) {
        QAction* a = menu->addAction(label);
        a->setData(id);
        a->setEnabled(isCommandEnabled(id));
        connect(a, &QAction::triggered, this, [this, id] { handleCommand(id); });
    };
    add(ID_RESULT_SHOW, QStringLiteral("選択行表示(&N)"));
    add(ID_RESULT_NEXT, QStringLiteral("下の行の位置表示(&D)"));
    add(ID_RESULT_PREV, QStringLiteral("上の行の位置表示(&U)"));
    menu->addSeparator();
    add(ID_COPY, QStringLiteral("コピー(&C)"));
    add(ID_RESULT_CLEAR, QStringLiteral("クリア(&C)"));
    return menu;
}

void CResultList::contextMenuEvent(QContextMenuEvent* event)
{
    QListWidgetItem* it = itemAt(event->pos());
    const int r = it ? row(it) : -1;
    if (!isHitRow(r))
        return; // the condition sentence and the summary have no menu
    setCurrentRow(r);
    std::unique_ptr<QMenu> menu = buildMenu();
    runMenu(*menu, event->globalPos());
}

void CResultList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (QListWidgetItem* it = itemAt(event->position().toPoint()); it && isHitRow(row(it))) {
        setCurrentItem(it);
        openSelected();
    }
}

void CResultList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openSelected();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copySelected();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace corvane
