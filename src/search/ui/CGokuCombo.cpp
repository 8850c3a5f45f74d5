#include "search/ui/CGokuCombo.h"

#include "base/qt/QtText.h"
#include "textview/ObjectDrag.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

namespace corvane {

CGokuCombo::CGokuCombo(const QString& what, const QString& menuItem, QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    setToolTip(what +
               QStringLiteral("を入力してください\n① ビューの選択文字列のセット⇒右クリック"
                              "メニューの「") +
               menuItem +
               QStringLiteral("」\n② ビューのマーカ文字のセット⇒マーカをここへドラッグ＆ドロップ\n"
                              "でもセットすることができます。"));
    // Drops land on the line edit; it would take only plain text.
    lineEdit()->installEventFilter(this);
    lineEdit()->setAcceptDrops(true);
}

void CGokuCombo::loadHistory(const std::vector<SjisString>& entries)
{
    const QString typed = currentText();
    clear();
    for (const SjisString& e : entries)
        addItem(toQString(e));
    if (count() > 0)
        setCurrentIndex(0);
    else
        setEditText(typed);
}

QString CGokuCombo::phrase() const
{
    QString text = currentText();
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

void CGokuCombo::setPhrase(const QString& text)
{
    QString one = text;
    one.remove(QLatin1Char('\r'));
    one.remove(QLatin1Char('\n'));
    setEditText(one);
}

bool CGokuCombo::enterPressed(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    // An empty box does nothing; the key is eaten either way so the dock does not pass it on.
    if (!phrase().isEmpty())
        emit entered();
    event->accept();
    return true;
}

void CGokuCombo::keyPressEvent(QKeyEvent* event)
{
    // The combo box holds the focus for its line edit and hands keys to it directly, past the
    // line edit's event filters: Enter typed by a user arrives here.
    if (!enterPressed(event))
        QComboBox::keyPressEvent(event);
}

bool CGokuCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != lineEdit())
        return QComboBox::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (const auto id = draggedObjectId(e->mimeData())) {
            if (!acceptsObject || acceptsObject(*id))
                e->acceptProposedAction();
            else
                e->ignore();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        if (const auto id = draggedObjectId(e->mimeData());
            id && (!acceptsObject || acceptsObject(*id))) {
            e->acceptProposedAction();
            if (markerDropped)
                markerDropped(*id);
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        if (enterPressed(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    default:
        break;
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace corvane
