#include "res/ui/QtMessageSink.h"

#include <QMessageBox>
#include <QPointer>

namespace corvane {

namespace {

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::Warning;
}

QMessageBox::StandardButtons buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

QtMessageSink::QtMessageSink(QWidget* owner) : owner_(owner) {}

QMessageBox* QtMessageSink::createBox(QWidget* owner, const std::string& fullTextUtf8,
                                      MessageStyle style)
{
    auto* box =
        new QMessageBox(iconOf(style.icon), QStringLiteral("Corvane"),
                        QString::fromStdString(fullTextUtf8), buttonsOf(style.buttons), owner);
    // Messages contain "【", "※" and the like; never let them be taken for rich text.
    box->setTextFormat(Qt::PlainText);
    if (style.defaultNo && style.buttons != MessageButtons::Ok &&
        style.buttons != MessageButtons::OkCancel)
        box->setDefaultButton(QMessageBox::No);
    return box;
}

Answer QtMessageSink::answerOf(int standardButton, MessageButtons buttons)
{
    switch (standardButton) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        break;
    }
    // Closed without a button (Escape, title bar, owner gone).
    switch (buttons) {
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        return Answer::Cancel;
    case MessageButtons::YesNo:
        return Answer::No;
    case MessageButtons::Ok:
        break;
    }
    return Answer::Ok;
}

Answer QtMessageSink::present(int /*number*/, const std::string& fullTextUtf8, MessageStyle style)
{
    // Guarded: the owner window may be destroyed while the box runs, taking the box with it.
    QPointer<QMessageBox> box = createBox(owner_.data(), fullTextUtf8, style);
    const int pressed = box->exec();
    if (!box)
        return answerOf(-1, style.buttons);
    delete box.data();
    return answerOf(pressed, style.buttons);
}

} // namespace corvane
