// Ribbon customisation: which commands the quick-access area shows, and in which order. The
// choice is kept in the preferences (section "Ribbon", value "QuickAccess", ids separated by ",").
#pragma once

#include <QDialog>

#include <vector>

class QListWidget;

namespace corvane {

class SettingsStore;

namespace quickaccess {
/// The stored choice, or undo and redo when nothing (or nothing valid) is stored.
std::vector<int> load(const SettingsStore& settings);
void store(SettingsStore& settings, const std::vector<int>& ids);
/// Commands that may be put in the quick-access area: plain buttons of the command table.
std::vector<int> candidates();
} // namespace quickaccess

class CRibbonCustomDlg : public QDialog
{
    Q_OBJECT
public:
    CRibbonCustomDlg(const std::vector<int>& current, QWidget* parent = nullptr);
    std::vector<int> chosen() const;

    QListWidget* available() const { return available_; }
    QListWidget* shown() const { return shown_; }
    void addSelected();
    void removeSelected();
    void moveSelected(int delta);

private:
    QListWidget* available_;
    QListWidget* shown_;
};

} // namespace corvane
