// The dialog "題名の一括追加方法": how to prepare clipboard text for the batch add, with an
// example.
#pragma once

#include <QDialog>

namespace corvane {

class CBatchHelpDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CBatchHelpDlg(QWidget* parent = nullptr);
};

} // namespace corvane
