#include "panes/ui/CMyGridCtrl.h"

#include "base/Types.h"
#include "panes/ui/CMarkerColourButton.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QStyledItemDelegate>

#include <algorithm>

namespace corvane {

namespace {

constexpr int kGroupRole = Qt::UserRole;
constexpr int kPropertyRole = Qt::UserRole + 1; ///< -1 on group rows
/// The colour combo's item data of "その他...".
constexpr qint64 kOtherColour = -1;

QColor toQColor(Colour c)
{
    return QColor(int(colourRed(c)), int(colourGreen(c)), int(colourBlue(c)));
}

QIcon swatch(Colour c)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.setBrush(toQColor(c));
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

QString colourText(Colour c)
{
    return QStringLiteral("%1, %2, %3").arg(colourRed(c)).arg(colourGreen(c)).arg(colourBlue(c));
}

/// Creates the editor of a property's kind and reports what was entered through the grid.
class GridDelegate : public QStyledItemDelegate
{
public:
    explicit GridDelegate(CMyGridCtrl& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        const Property* p = propertyAt(index);
        if (!p || index.column() != 1)
            return nullptr;
        switch (p->kind) {
        case PropertyKind::Number: {
            auto* spin = new QSpinBox(parent);
            spin->setRange(p->minimum, p->maximum);
            spin->setFrame(false);
            return spin;
        }
        case PropertyKind::Flag:
        case PropertyKind::Choice: {
            auto* combo = new QComboBox(parent);
            if (p->kind == PropertyKind::Flag) {
                combo->addItem(QStringLiteral("する"), 1);
                combo->addItem(QStringLiteral("しない"), 0);
            } else {
                for (std::size_t i = 0; i < p->choices.size(); ++i)
                    combo->addItem(QString::fromStdString(p->choices[i]), qint64(i));
            }
            commitOnActivation(combo);
            return combo;
        }
        case PropertyKind::Colour: {
            auto* combo = new QComboBox(parent);
            for (Colour c : CMarkerColourButton::paletteColours())
                combo->addItem(swatch(c), colourText(c), qint64(c));
            combo->addItem(QStringLiteral("その他..."), kOtherColour);
            commitOnActivation(combo);
            return combo;
        }
        case PropertyKind::Font:
        case PropertyKind::Text: {
            auto* line = new QLineEdit(parent);
            line->setFrame(false);
            return line;
        }
        default:
            return nullptr;
        }
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const Property* p = propertyAt(index);
        if (!p)
            return;
        if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
            spin->setValue(int(p->number));
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            int at = combo->findData(qint64(p->number));
            if (at < 0 && p->kind == PropertyKind::Colour) {
                // A colour outside the list is offered first, so that the list opens on it.
                combo->insertItem(0, swatch(Colour(p->number)), colourText(Colour(p->number)),
                                  qint64(p->number));
                at = 0;
            }
            combo->setCurrentIndex(at);
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(QString::fromStdString(p->text));
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        // The grid's items are not the store: the pane routes the value and shows what the
        // project holds afterwards.
        const Property* p = propertyAt(index);
        if (!p)
            return;
        const PropertyKey key = p->key;
        if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
            spin->interpretText();
            grid_.commitNumber(key, spin->value());
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            qint64 value = combo->currentData().toLongLong();
            if (p->kind == PropertyKind::Colour && value == kOtherColour) {
                const std::optional<Colour> chosen =
                    grid_.colours().chooseColour(static_cast<Colour>(p->number));
                if (!chosen)
                    return;
                value = *chosen;
            }
            grid_.commitNumber(key, value);
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            grid_.commitText(key, line->text());
        }
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override
    {
        editor->setGeometry(option.rect);
    }

private:
    const Property* propertyAt(const QModelIndex& index) const
    {
        return grid_.propertyOf(grid_.itemFromIndex(index));
    }
    /// A choice takes effect when it is picked, as the user expects of a drop-down.
    void commitOnActivation(QComboBox* combo) const
    {
        auto* self = const_cast<GridDelegate*>(this);
        QObject::connect(combo, &QComboBox::activated, self, [self, combo] {
            emit self->commitData(combo);
            emit self->closeEditor(combo);
        });
    }

    CMyGridCtrl& grid_;
};

} // namespace

CMyGridCtrl::CMyGridCtrl(ColourChooser& colours, QWidget* parent)
    : QTreeWidget(parent), colours_(colours)
{
    setObjectName(QStringLiteral("propertyGrid"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Property"), QStringLiteral("Value")});
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIndentation(12);
    setUniformRowHeights(true);
    setAlternatingRowColors(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers); // editing starts on the value (below)
    setItemDelegate(new GridDelegate(*this));
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    header()->resizeSection(0, 130);
}

const Property* CMyGridCtrl::propertyOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const int g = item->data(0, kGroupRole).toInt();
    const int p = item->data(0, kPropertyRole).toInt();
    if (g < 0 || g >= int(groups_.size()) || p < 0 || p >= int(groups_[g].properties.size()))
        return nullptr;
    return &groups_[g].properties[p];
}

int CMyGridCtrl::groupOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, kGroupRole).toInt() : -1;
}

QString CMyGridCtrl::valueText(const Property& p)
{
    switch (p.kind) {
    case PropertyKind::Number:
        return QString::number(p.number);
    case PropertyKind::Flag:
        return p.number ? QStringLiteral("する") : QStringLiteral("しない");
    case PropertyKind::Choice:
        return p.number >= 0 && p.number < qint64(p.choices.size())
                   ? QString::fromStdString(p.choices[std::size_t(p.number)])
                   : QString::number(p.number);
    case PropertyKind::Colour:
        return colourText(Colour(p.number));
    default:
        return QString::fromStdString(p.text);
    }
}

void CMyGridCtrl::commitNumber(PropertyKey key, qint64 value)
{
    committing_ = true;
    emit numberEdited(key, value);
    committing_ = false;
}

void CMyGridCtrl::commitText(PropertyKey key, const QString& text)
{
    committing_ = true;
    emit textEdited(key, text);
    committing_ = false;
}

void CMyGridCtrl::fillItem(QTreeWidgetItem* item, const Property& p)
{
    if (isEditing() && !committing_ && item == currentItem())
        return;
    item->setText(0, QString::fromStdString(p.label));
    item->setText(1, valueText(p));
    item->setIcon(1, p.kind == PropertyKind::Colour ? swatch(Colour(p.number)) : QIcon());
    QFont font = this->font();
    font.setBold(p.changed);
    item->setFont(1, font);
    const bool readOnly = p.kind == PropertyKind::ReadOnly || p.kind == PropertyKind::LinkRow;
    item->setFlags(readOnly ? item->flags() & ~Qt::ItemIsEditable
                            : item->flags() | Qt::ItemIsEditable);
    item->setForeground(1, readOnly ? palette().color(QPalette::Disabled, QPalette::Text)
                                    : palette().color(QPalette::Text));
    if (p.kind == PropertyKind::LinkRow)
        item->setForeground(1, palette().color(QPalette::Text));
    item->setToolTip(1, valueText(p));
}

void CMyGridCtrl::setGroups(const std::vector<PropertyGroup>& groups)
{
    clear();
    groups_ = groups;
    QFont bold = font();
    bold.setBold(true);
    for (int g = 0; g < int(groups_.size()); ++g) {
        auto* group = new QTreeWidgetItem(this);
        group->setText(0, QString::fromStdString(groups_[g].name));
        group->setData(0, kGroupRole, g);
        group->setData(0, kPropertyRole, -1);
        group->setFont(0, bold);
        group->setFirstColumnSpanned(true);
        group->setBackground(0, palette().brush(QPalette::Button));
        for (int i = 0; i < int(groups_[g].properties.size()); ++i) {
            auto* row = new QTreeWidgetItem(group);
            row->setData(0, kGroupRole, g);
            row->setData(0, kPropertyRole, i);
            fillItem(row, groups_[g].properties[i]);
        }
        group->setExpanded(true);
    }
    fitLabelColumn();
}

void CMyGridCtrl::fitLabelColumn()
{
    // Labels whole where the pane allows it, but never so wide that values have no room. Group
    // rows span both columns and do not count.
    int widest = 0;
    const QFontMetrics metrics(font());
    for (QTreeWidgetItem* item : propertyItems())
        widest = std::max(widest, metrics.horizontalAdvance(item->text(0)));
    const int wanted = widest + 2 * indentation() + 16;
    const int most = std::max(80, viewport()->width() * 3 / 5);
    header()->resizeSection(0, std::clamp(wanted, 60, most));
}

void CMyGridCtrl::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    fitLabelColumn();
}

void CMyGridCtrl::updateValues(const std::vector<PropertyGroup>& groups)
{
    bool sameLayout = groups.size() == groups_.size();
    for (std::size_t g = 0; sameLayout && g < groups.size(); ++g) {
        sameLayout = groups[g].name == groups_[g].name &&
                     groups[g].properties.size() == groups_[g].properties.size();
        for (std::size_t i = 0; sameLayout && i < groups[g].properties.size(); ++i)
            sameLayout = groups[g].properties[i].key == groups_[g].properties[i].key &&
                         groups[g].properties[i].link == groups_[g].properties[i].link;
    }
    if (!sameLayout) {
        setGroups(groups);
        return;
    }
    groups_ = groups;
    for (int g = 0; g < topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i)
            fillItem(group->child(i), groups_[std::size_t(g)].properties[std::size_t(i)]);
    }
}

QTreeWidgetItem* CMyGridCtrl::itemOf(PropertyKey key) const
{
    for (QTreeWidgetItem* item : propertyItems())
        if (propertyOf(item)->key == key)
            return item;
    return nullptr;
}

QTreeWidgetItem* CMyGridCtrl::itemOf(LinkEnds link) const
{
    for (QTreeWidgetItem* item : propertyItems())
        if (propertyOf(item)->kind == PropertyKind::LinkRow && propertyOf(item)->link == link)
            return item;
    return nullptr;
}

std::vector<QTreeWidgetItem*> CMyGridCtrl::propertyItems() const
{
    std::vector<QTreeWidgetItem*> out;
    for (int g = 0; g < topLevelItemCount(); ++g)
        for (int i = 0; i < topLevelItem(g)->childCount(); ++i)
            out.push_back(topLevelItem(g)->child(i));
    return out;
}

void CMyGridCtrl::editValue(QTreeWidgetItem* item)
{
    const Property* p = propertyOf(item);
    if (!p || p->kind == PropertyKind::ReadOnly || p->kind == PropertyKind::LinkRow)
        return;
    setCurrentItem(item, 1);
    editItem(item, 1);
}

void CMyGridCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    // As in a property grid, one click on a row's value starts editing it.
    if (event->button() == Qt::LeftButton) {
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        if (item && columnAt(event->position().toPoint().x()) == 1)
            editValue(item);
    }
}

void CMyGridCtrl::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState && propertyOf(currentItem())) {
        const Property* p = propertyOf(currentItem());
        if (p->kind != PropertyKind::ReadOnly && p->kind != PropertyKind::LinkRow) {
            editValue(currentItem());
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace corvane
