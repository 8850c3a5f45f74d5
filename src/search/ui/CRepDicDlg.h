// "置換辞書管理": the dictionaries of the project's "dic" folder and the pairs of the chosen one;
// adds, renames and deletes dictionaries, opens the folder in the file manager, and adds,
// modifies and deletes pairs through CRepGokuDlg.
#pragma once

#include "base/MessageSink.h"
#include "base/Types.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace corvane {

class CRepGokuDlg;

class CRepDicDlg : public QDialog
{
    Q_OBJECT
public:
    /// folder: the dictionary folder (UTF-8); current: the pane's dictionary (Shift-JIS name).
    CRepDicDlg(MessageSink& messages, std::string folder, SjisView current,
               QWidget* parent = nullptr);

    /// Creates the folder when missing (30024 on failure: false) and fills the list.
    bool prepare();
    /// Something was added, renamed, deleted or stored: the pane refills its list.
    bool changed() const { return changed_; }
    /// The dictionary chosen when the dialog closed (Shift-JIS), empty for none.
    SjisString currentDictionary() const;

    QComboBox* dictionaryCombo() const { return combo_; }
    QTableWidget* pairTable() const { return table_; }
    QPushButton* button(const QString& objectName) const;

    void addDictionary();
    void renameDictionary();
    void deleteDictionary();
    void showFolder();
    void addPair();
    void modifyPair();
    void deletePair();

    /// Seams: the name dialog (returns the name or nothing when cancelled), the pair dialog
    /// (returns true when it stored) and the file manager; tests replace them.
    std::function<std::optional<QString>(const QString& initial)> askName;
    std::function<bool(CRepGokuDlg&)> runPairDialog;
    std::function<bool(const QString& folder)> openFolder;

private:
    void fillDictionaries(const QString& choose);
    void loadPairs();
    /// Selects the row of the pair with this before-phrase and scrolls to it.
    void selectPair(const QString& before);
    void updateButtons();
    std::string pathOf(const QString& name) const;
    /// Asks for a name until it is new (30013 Yes asks again); nullopt when given up.
    std::optional<QString> askNewName(const QString& initial);

    MessageSink& messages_;
    std::string folder_;
    QString initial_;
    bool changed_ = false;
    QComboBox* combo_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* addPair_ = nullptr;
    QPushButton* modifyPair_ = nullptr;
    QPushButton* deletePair_ = nullptr;
};

} // namespace corvane
