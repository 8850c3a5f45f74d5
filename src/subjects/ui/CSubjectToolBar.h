// The subject list's toolbar: add, change and delete a title, the batch add help, and the link
// target menu of the selected sub-subject.
#pragma once

#include <QToolBar>

namespace corvane {

class CSubjectToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit CSubjectToolBar(QWidget* parent = nullptr);

    QAction* addAction_ = nullptr;   ///< 361
    QAction* changeAction = nullptr; ///< 362
    QAction* deleteAction = nullptr; ///< 363
    QAction* helpAction = nullptr;   ///< 455
    QAction* linkAction = nullptr;   ///< 366
};

} // namespace corvane
