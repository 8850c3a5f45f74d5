// The environment settings dialog "環境設定": three pages (general, text view, chart view) over
// the preferences and the application object's animation and guide values.
#pragma once

#include "app/KanSetValues.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace corvane {

class CMainSheet : public QDialog
{
    Q_OBJECT
public:
    CMainSheet(const KanSetValues& values, QWidget* parent = nullptr);

    /// The values as the pages show them now.
    KanSetValues values() const;

    QTabWidget* pages() const { return pages_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Controls, for tests.
    QCheckBox* firstOpen = nullptr;
    QCheckBox* makeMes = nullptr;
    QCheckBox* delMes = nullptr;
    QCheckBox* synchro = nullptr;
    QSpinBox* saveCnt = nullptr;
    QCheckBox* makeBackup = nullptr;
    QCheckBox* dspGuide = nullptr;
    QCheckBox* searchMes = nullptr;
    QCheckBox* newGroup = nullptr;
    QCheckBox* anime = nullptr;
    QSpinBox* animeCount = nullptr;
    QButtonGroup* speed = nullptr;

private:
    QWidget* generalPage(const KanSetValues& v);
    QWidget* textViewPage(const KanSetValues& v);
    QWidget* chartViewPage(const KanSetValues& v);

    QTabWidget* pages_;
    QPushButton* save_;
    QPushButton* cancel_;
};

/// Runs the dialog; on save writes the preferences, updates the application object's values and
/// recolours marker nodes when colour sync was switched on. Returns true when saved.
class CVantorApp;
bool runEnvironmentSettings(CVantorApp& app, QWidget* parent);

} // namespace corvane
