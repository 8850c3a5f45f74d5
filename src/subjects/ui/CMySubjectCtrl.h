// The subject list's grid: a two-column tree (group rows per main subject, sub-subject rows with
// the object ID and the title) above a description area of ten rows. It draws with the seven
// subject colours, starts drags of sub-subjects and takes drops of markers onto their rows.
#pragma once

#include "subjects/SubjectColours.h"
#include "subjects/SubjectGroups.h"

#include <QTreeWidget>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>

namespace corvane {

class CSubjectTree;
class CSubjectDescription;

class CMySubjectCtrl : public QWidget
{
    Q_OBJECT
public:
    explicit CMySubjectCtrl(QWidget* parent = nullptr);
    ~CMySubjectCtrl() override;

    /// Replaces every row. Group rows are expanded or collapsed as the groups say.
    void setGroups(const std::vector<SubjectGroup>& groups);
    void clearRows();
    /// The seven colours, indexed as SubjectColour.
    void setColours(const std::array<Colour, 7>& colours);
    /// Draw the help text in the description area instead of the selected row's description.
    void setEmptyHelpShown(bool shown);
    bool emptyHelpShown() const;

    /// The object of the selected sub-subject row (read from its name cell); nullopt otherwise.
    std::optional<ObjectId> selectedObjectId() const;
    /// The main title of the selected row's group (for a group row, its own title).
    std::optional<SjisString> selectedMainTitle() const;
    bool selectedIsGroup() const;
    /// The row of a sub-subject, found by its name cell.
    QTreeWidgetItem* rowOf(ObjectId id) const;
    /// Expands the row's group and selects it; false when there is no such row.
    bool selectObject(ObjectId id);
    /// Sets or removes the link mark "*" of the sub-subject's name cell, in place.
    void setLinkMark(ObjectId id, bool linked);
    /// Main title and expanded state of each group row, in grid order.
    std::vector<SubjectGroup> groupStates() const;
    int groupCount() const;

    /// What lies under a point of this control (widget coordinates).
    SubjectMenuKind kindAt(const QPoint& point) const;

    QTreeWidget* tree() const;
    QWidget* descriptionArea() const;

signals:
    void editRequested();
    void contextMenuRequested(SubjectMenuKind kind, const QPoint& globalPos);
    void pasteRequested();
    void refreshRequested();
    /// A dragged object (a marker from a text view) was dropped on a sub-subject row.
    void objectDropped(ObjectId dragged, ObjectId subSubject);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateDescription();
    void styleGroupRow(QTreeWidgetItem* group) const;

    CSubjectTree* tree_;
    CSubjectDescription* description_;
    std::array<Colour, 7> colours_ = kSubjectColourDefaults;
};

} // namespace corvane
