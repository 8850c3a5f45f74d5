// The save confirmation: changed documents without markers, all checked; unchecked ones are not
// saved when their windows close. Cancelling cancels the close and the command that asked.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QTableWidget;
class QPushButton;

namespace corvane {

class CCloseDlg : public QDialog
{
    Q_OBJECT
public:
    /// paths: full disk paths (UTF-8).
    CCloseDlg(const std::vector<std::string>& paths, QWidget* parent = nullptr);

    /// After "終了(&S)": the paths the user unchecked.
    std::vector<std::string> uncheckedPaths() const;

    QTableWidget* table() const { return table_; }
    QPushButton* uncheckAllButton() const { return uncheckAll_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    std::vector<std::string> paths_;
    QTableWidget* table_;
    QPushButton* uncheckAll_;
    QPushButton* close_;
    QPushButton* cancel_;
};

} // namespace corvane
