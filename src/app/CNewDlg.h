// The new-project dialog: project name and save location, checked in order before it closes.
#pragma once

#include "base/MessageSink.h"

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace corvane {

class SettingsStore;

class CNewDlg : public QDialog
{
    Q_OBJECT
public:
    /// Field ids of the dialog, kept as object names so that tests and styles can find them.
    static constexpr int kNameId = 1000;
    static constexpr int kLocationId = 1007;
    static constexpr int kBrowseId = 1001;

    CNewDlg(const SettingsStore& settings, MessageSink& messages, QWidget* parent = nullptr);

    /// After acceptance: project folder (UTF-8, ending in "/") and project name.
    std::string folder() const { return folder_; }
    std::string name() const { return name_; }

    QLineEdit* nameEdit() const { return name_edit_; }
    QLineEdit* locationEdit() const { return location_edit_; }
    QPushButton* createButton() const { return create_; }

    /// The folder browser; tests replace it. Returns "" when cancelled.
    std::function<QString(const QString& start)> browseFolder;

private:
    void onCreate();
    void onBrowse();

    MessageSink& messages_;
    QLineEdit* name_edit_;
    QLineEdit* location_edit_;
    QPushButton* create_;
    std::string folder_;
    std::string name_;
};

} // namespace corvane
