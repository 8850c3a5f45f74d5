// "置換語句の入力": one pair of a replacement dictionary, added (empty after-phrase) or
// modified. Storing checks the fields, asks, refuses a before-phrase already stored and puts a
// new pair before the first stored pair whose before-phrase it contains.
#pragma once

#include "base/MessageSink.h"
#include "base/Types.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

namespace corvane {

class CRepGokuDlg : public QDialog
{
    Q_OBJECT
public:
    /// folder: the dictionary folder (UTF-8); dictionary: the chosen one's file name (UTF-8).
    CRepGokuDlg(MessageSink& messages, std::string folder, const QString& dictionary,
                const QString& before, const QString& after, QWidget* parent = nullptr);

    /// Fills the dictionary list; false after 30099 when the folder or the chosen file is missing.
    bool prepare();
    bool modifying() const { return modifying_; }
    QComboBox* dictionaryCombo() const { return combo_; }
    QLineEdit* beforeEdit() const { return beforeEdit_; }
    QLineEdit* afterEdit() const { return afterEdit_; }

    /// "決定(&S)": the checks, the question and the rewrite; closes with Accepted when stored.
    void accept() override;

private:
    bool store();
    void refuse(int number, QLineEdit* focus, SjisView lead = {});

    MessageSink& messages_;
    std::string folder_;
    QString dictionary_;
    SjisString oldBefore_;
    SjisString oldAfter_;
    bool modifying_ = false;
    QComboBox* combo_ = nullptr;
    QLineEdit* beforeEdit_ = nullptr;
    QLineEdit* afterEdit_ = nullptr;
};

} // namespace corvane
