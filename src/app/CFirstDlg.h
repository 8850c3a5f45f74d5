// The start dialog shown when start-up ends without an open project.
#pragma once

#include <QDialog>

class QCheckBox;

namespace corvane {

class CFirstDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CFirstDlg(QWidget* parent = nullptr);
    /// "起動時、このメッセージを表示しない。" is checked.
    bool dontShowAgain() const;
    QCheckBox* dontShowBox() const { return dontShow_; }

private:
    QCheckBox* dontShow_;
};

} // namespace corvane
