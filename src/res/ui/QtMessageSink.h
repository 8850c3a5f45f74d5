// Shows a catalogue message as a modal message box with the caption "Corvane".
#pragma once

#include "base/MessageSink.h"

#include <QPointer>

class QMessageBox;
class QWidget;

namespace corvane {

class QtMessageSink : public MessageSink
{
public:
    /// owner: the window the boxes are modal over; may be null or change with setOwner.
    explicit QtMessageSink(QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { owner_ = owner; }

    /// Runs the box and returns the button pressed; closing the box with Escape or the title bar
    /// counts as Cancel where there is one, else as No, else as Ok.
    Answer present(int number, const std::string& fullTextUtf8, MessageStyle style) override;

    /// The box present() would show, not yet run (for tests and for callers that need to adjust
    /// it). The caller owns it.
    static QMessageBox* createBox(QWidget* owner, const std::string& fullTextUtf8,
                                  MessageStyle style);
    /// The answer of a standard button of a box made by createBox.
    static Answer answerOf(int standardButton, MessageButtons buttons);

private:
    QPointer<QWidget> owner_;
};

} // namespace corvane
