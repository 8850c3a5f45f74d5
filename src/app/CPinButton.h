// A set pin of the ribbon's bookmark panel: a click sets or clears its bookmark through the
// command, and a drag carries the bookmark onto a text view, which sets it at the drop point
// (asking before it overwrites). A drag released without a drop over the button itself counts as
// a click.
#pragma once

#include <QPoint>
#include <QToolButton>

namespace corvane {

class CPinButton : public QToolButton
{
    Q_OBJECT
public:
    CPinButton(int slot, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int slot_;
    QPoint pressPoint_;
    bool pressed_ = false;
};

} // namespace corvane
