// The properties pane's grid: a two-column tree of groups and properties without a header. Values
// are edited in place through an item delegate (spin boxes with the property's range, choice
// lists, "する"/"しない", colour lists with "その他...", a line for the font "name(size)" and
// for the comment); values changed since the page was shown are drawn in bold. The grid only
// shows what the pane gives it and reports edits; it stores nothing.
#pragma once

#include "base/ColourChooser.h"
#include "panes/PropertyPages.h"

#include <QTreeWidget>

#include <optional>

namespace corvane {

class CMyGridCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CMyGridCtrl(ColourChooser& colours, QWidget* parent = nullptr);

    /// Empties the grid and shows the groups, every group expanded.
    void setGroups(const std::vector<PropertyGroup>& groups);
    /// The same page with new values: texts and bold marks are updated in place, so the current
    /// row and an open editor stay. Falls back to setGroups when the layout differs.
    void updateValues(const std::vector<PropertyGroup>& groups);

    /// The property of a row, null for a group row or none.
    const Property* propertyOf(const QTreeWidgetItem* item) const;
    /// The group index of a group row or of a property row's group; -1 for none.
    int groupOf(const QTreeWidgetItem* item) const;
    /// The first row with key (for Link rows: the one naming link), or null.
    QTreeWidgetItem* itemOf(PropertyKey key) const;
    QTreeWidgetItem* itemOf(LinkEnds link) const;
    /// Every property row in display order.
    std::vector<QTreeWidgetItem*> propertyItems() const;

    /// The value as the grid shows it (UTF-8 texts are converted already).
    static QString valueText(const Property& property);
    /// Reports what an editor entered (numberEdited or textEdited); for the delegate.
    void commitNumber(PropertyKey key, qint64 value);
    void commitText(PropertyKey key, const QString& text);
    ColourChooser& colours() const { return colours_; }
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

signals:
    /// A number, flag, choice index or colour was entered for the property with key.
    void numberEdited(PropertyKey key, qint64 value);
    /// A font field or comment was entered.
    void textEdited(PropertyKey key, const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillItem(QTreeWidgetItem* item, const Property& property);
    void editValue(QTreeWidgetItem* item);
    void fitLabelColumn();

    ColourChooser& colours_;
    std::vector<PropertyGroup> groups_;
    /// An editor's value is being reported: its row may take the stored value. Otherwise a
    /// refresh leaves the row being edited alone, since writing it would reset the editor.
    bool committing_ = false;
};

} // namespace corvane
