// The dialog "リンク一覧": every link of one sub-subject, with the object at its other end; a row
// shows that object or deletes its own link.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "subjects/LinkTargets.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace corvane {

class CLinkListDlg : public QDialog
{
    Q_OBJECT
public:
    /// showTarget(objectIndex) shows a row's object (opens its document and scrolls to it).
    CLinkListDlg(ProjectData& project, Services& services, ObjectId subSubject,
                 std::function<void(int)> showTarget, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QLabel* header() const { return header_; }
    QPushButton* showButton() const { return show_; }
    QPushButton* deleteButton() const { return delete_; }
    const LinkListRows& rows() const { return rows_; }

    /// The buttons' actions on the selected row.
    void showSelected();
    void deleteSelected();

private:
    void fill(int selectRow);

    LinkListRows rows_;
    std::function<void(int)> showTarget_;
    QLabel* header_;
    QTreeWidget* list_;
    QPushButton* show_;
    QPushButton* delete_;
};

} // namespace corvane
