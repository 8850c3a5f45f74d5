// The version information dialog.
#pragma once

#include <QDialog>

namespace corvane {

class CVersionDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CVersionDlg(QWidget* parent = nullptr);
};

} // namespace corvane
