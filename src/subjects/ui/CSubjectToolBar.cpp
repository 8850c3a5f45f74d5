#include "subjects/ui/CSubjectToolBar.h"

#include "subjects/ui/LinkIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace corvane {

namespace {

/// A small drawn icon: a rounded card with a mark on it.
QIcon cardIcon(QChar mark, QColor colour)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour.lighter(160));
    p.drawRoundedRect(QRectF(1.5, 3.5, 17, 13), 2, 2);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(colour.darker(160));
    p.drawText(QRectF(1, 3, 18, 14), Qt::AlignCenter, QString(mark));
    return QIcon(pm);
}

} // namespace

CSubjectToolBar::CSubjectToolBar(QWidget* parent) : QToolBar(parent)
{
    setIconSize(QSize(20, 20));
    setMovable(false);
    addAction_ =
        addAction(cardIcon(u'+', QColor(0x2E, 0x46, 0xA5)), QStringLiteral("題名の追加(&A)"));
    changeAction =
        addAction(cardIcon(u'✎', QColor(0x21, 0x66, 0x31)), QStringLiteral("題名の変更(&U)"));
    deleteAction =
        addAction(cardIcon(u'×', QColor(0xB0, 0x20, 0x20)), QStringLiteral("題名の削除(&D)"));
    addSeparator();
    helpAction = addAction(cardIcon(u'?', QColor(0x80, 0x60, 0x00)),
                           QStringLiteral("※ 題名の一括追加方法(&H)"));
    addSeparator();
    linkAction = addAction(linkToIcon(), QStringLiteral("リンク表示"));
    for (QAction* a : actions())
        a->setToolTip(QString(a->text())
                          .remove(QStringLiteral("(&A)"))
                          .remove(QStringLiteral("(&U)"))
                          .remove(QStringLiteral("(&D)"))
                          .remove(QStringLiteral("(&H)")));
}

} // namespace corvane
