// The status bar: the operation guide at the left and four fixed-width panes (marker, link and
// node counts, position) whose widths come from their sample texts.
#pragma once

#include "base/Refresh.h"

#include <QStatusBar>

#include <array>

class QLabel;

namespace corvane {

class CMainStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit CMainStatusBar(QWidget* parent = nullptr);

    void setPaneText(StatusPane pane, const QString& text);
    QLabel* pane(StatusPane pane) const { return panes_[static_cast<int>(pane)]; }
    /// The guide text at the left; empty clears it.
    void setGuide(const QString& text);
    QString guide() const;

private:
    std::array<QLabel*, 4> panes_{};
    QLabel* guide_ = nullptr;
};

} // namespace corvane
