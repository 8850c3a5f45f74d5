// The recent projects dialog: the recent entries with check boxes; checked rows or all of them
// are removed from the list (never from the disk); a double-click shows the file's folder.
#pragma once

#include <QDialog>

#include <functional>

class QTableWidget;
class QPushButton;

namespace corvane {

class MessageSink;
class RecentProjects;

class CRecentDlg : public QDialog
{
    Q_OBJECT
public:
    CRecentDlg(RecentProjects& recent, MessageSink& messages, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QPushButton* removeCheckedButton() const { return removeChecked_; }
    QPushButton* removeAllButton() const { return removeAll_; }

    /// Opens a folder in the file manager; false when that failed. Tests replace it.
    std::function<bool(const QString& folder)> showFolder;
    /// Called after the recent list changed, so the menu can follow.
    std::function<void()> changed;

private:
    void fill();
    void onRemoveChecked();
    void onRemoveAll();
    void onDoubleClick(int row);

    RecentProjects& recent_;
    MessageSink& messages_;
    QTableWidget* table_;
    QPushButton* removeChecked_;
    QPushButton* removeAll_;
};

} // namespace corvane
