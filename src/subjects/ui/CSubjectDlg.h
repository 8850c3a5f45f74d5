// The dialog "題名" of a sub-subject: the main title (chosen from the project's main titles or
// typed) and the title, each with its byte counter. It closes only with texts the record can
// hold.
#pragma once

#include "base/MessageSink.h"
#include "base/Types.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class CSubjectDlg : public QDialog
{
    Q_OBJECT
public:
    /// mainTitles: the distinct main titles of the project; the main title field is preset with
    /// mainTitle only when that list is not empty. The caption is
    /// "題名の変更" when title is not empty, else "題名の追加".
    CSubjectDlg(MessageSink& messages, const std::vector<SjisString>& mainTitles,
                SjisView mainTitle, SjisView title, QWidget* parent = nullptr);

    SjisString mainTitle() const;
    SjisString title() const;

    QComboBox* mainTitleBox() const { return main_; }
    QLineEdit* titleEdit() const { return title_; }
    QLabel* mainCounter() const { return mainCounter_; }
    QLabel* titleCounter() const { return titleCounter_; }
    QPushButton* okButton() const { return ok_; }

    void accept() override;

private:
    void updateCounters();

    MessageSink& messages_;
    QComboBox* main_;
    QLineEdit* title_;
    QLabel* mainCounter_;
    QLabel* titleCounter_;
    QPushButton* ok_;
};

} // namespace corvane
