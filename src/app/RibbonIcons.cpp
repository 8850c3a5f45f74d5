#include "app/RibbonIcons.h"

#include "res/ui/CommandIds.h"
#include "textview/BookmarkImages.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace corvane {

using namespace cmd;

namespace {

// Every picture is drawn on a 32 x 32 grid and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

class PaintedIconEngine : public QIconEngine
{
public:
    explicit PaintedIconEngine(Drawing draw) : draw_(std::move(draw)) {}
    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(rect.topLeft());
        p->scale(rect.width() / 32.0, rect.height() / 32.0);
        if (mode == QIcon::Disabled)
            p->setOpacity(0.35);
        draw_(*p);
        p->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        if (size.isEmpty())
            return {};
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine* clone() const override { return new PaintedIconEngine(draw_); }

private:
    Drawing draw_;
};

QIcon painted(Drawing d)
{
    return QIcon(new PaintedIconEngine(std::move(d)));
}

const QColor kInk(0x3a, 0x3a, 0x3a);
const QColor kBlue(0x2b, 0x57, 0x9a);

void page(QPainter& p, QColor fill = Qt::white)
{
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(20, 3);
    path.lineTo(26, 9);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void textLines(QPainter& p, int from = 13, int to = 26)
{
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1.5));
    for (int y = from; y <= to; y += 4)
        p.drawLine(QPointF(10, y), QPointF(23, y));
}

void badge(QPainter& p, const QString& text, QColor colour, QRectF r = QRectF(2, 15, 22, 13))
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(r, 2, 2);
    QFont f = p.font();
    f.setPixelSize(int(r.height() - 2));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, text);
}

void floppy(QPainter& p, QPointF at = {4, 4}, double size = 24)
{
    p.save();
    p.translate(at);
    p.scale(size / 24.0, size / 24.0);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(0, 0, 24, 24), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 0, 14, 9));
    p.setBrush(QColor(0xd8, 0xd8, 0xd8));
    p.drawRect(QRectF(4, 14, 16, 10));
    p.restore();
}

void arrow(QPainter& p, QPointF from, QPointF to, QColor c = kBlue, double width = 3)
{
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::max(1.0, std::hypot(d.x(), d.y()));
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << to + u * 2 << to - u * 6 + n * 5 << to - u * 6 - n * 5;
    p.setBrush(c);
    p.drawPolygon(head);
}

void curvedArrow(QPainter& p, bool back)
{
    p.save();
    if (!back) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath path;
    path.moveTo(26, 26);
    path.cubicTo(28, 12, 16, 6, 8, 14);
    p.setPen(QPen(kBlue, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    QPolygonF head;
    head << QPointF(3, 9) << QPointF(13, 19) << QPointF(2, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(head);
    p.restore();
}

QColor markerColour(int index)
{
    static const QColor colours[] = {QColor(0xff, 0xb6, 0xc1), QColor(0xff, 0xd0, 0x9a),
                                     QColor(0xff, 0xf3, 0x8a), QColor(0xb4, 0xec, 0xa8),
                                     QColor(0xa8, 0xec, 0xf0), QColor(0xa8, 0xb8, 0xf0),
                                     QColor(0xd8, 0xb0, 0xf0)};
    return colours[index];
}

QColor pinColour(int index)
{
    return bookmarkColour(index);
}

/// A pin; with plus a green "+" (sets the bookmark), with minus a red "-" (clears it).
void pin(QPainter& p, int index, bool plus, bool minus = false)
{
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(9, 4), QPointF(9, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(pinColour(index));
    QPolygonF flag;
    flag << QPointF(10, 4) << QPointF(27, 9) << QPointF(10, 15);
    p.drawPolygon(flag);
    QFont f = p.font();
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(13, 15, 16, 15), Qt::AlignCenter, QString::number(index + 1));
    if (plus) {
        p.setPen(QPen(QColor(0x20, 0x80, 0x20), 2.5));
        p.drawLine(QPointF(20, 3), QPointF(20, 11));
        p.drawLine(QPointF(16, 7), QPointF(24, 7));
    }
    if (minus) {
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.5));
        p.drawLine(QPointF(16, 7), QPointF(24, 7));
    }
}

void highlighter(QPainter& p, QColor band)
{
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(3, 22, 26, 7));
    p.save();
    p.translate(19, 13);
    p.rotate(40);
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(QColor(0xf4, 0xd0, 0x3f));
    p.drawRoundedRect(QRectF(-4, -12, 8, 18), 1.5, 1.5);
    p.setBrush(kInk);
    QPolygonF tip;
    tip << QPointF(-4, 6) << QPointF(4, 6) << QPointF(0, 11);
    p.drawPolygon(tip);
    p.restore();
}

void swatch(QPainter& p, QColor c)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
}

void window(QPainter& p, QRectF highlight)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 5, 26, 22));
    p.setBrush(kBlue);
    p.drawRect(QRectF(3, 5, 26, 4));
    if (!highlight.isNull()) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x6f, 0x9c, 0xd8));
        p.drawRect(highlight);
    }
}

void nodes(QPainter& p)
{
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(QColor(0xff, 0xf3, 0x8a));
    p.drawRoundedRect(QRectF(2, 3, 13, 9), 2, 2);
    p.setBrush(QColor(0xb4, 0xec, 0xa8));
    p.drawRoundedRect(QRectF(17, 20, 13, 9), 2, 2);
    p.setBrush(QColor(0xa8, 0xec, 0xf0));
    p.drawRoundedRect(QRectF(2, 20, 11, 9), 2, 2);
    arrow(p, QPointF(10, 12), QPointF(20, 19), kInk, 1.5);
    arrow(p, QPointF(8, 12), QPointF(8, 18), kInk, 1.5);
}

void bars(QPainter& p, int id)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    auto box = [&](double x, double y, double w, double h) { p.drawRect(QRectF(x, y, w, h)); };
    p.setPen(QPen(kInk, 1.5));
    switch (id) {
    case ID_TO_LEFT:
        p.drawLine(4, 3, 4, 29);
        p.setPen(Qt::NoPen);
        box(6, 6, 20, 7);
        box(6, 18, 12, 7);
        break;
    case ID_TO_RIGHT:
        p.drawLine(28, 3, 28, 29);
        p.setPen(Qt::NoPen);
        box(6, 6, 20, 7);
        box(14, 18, 12, 7);
        break;
    case ID_TO_TOP:
        p.drawLine(3, 4, 29, 4);
        p.setPen(Qt::NoPen);
        box(6, 6, 7, 20);
        box(18, 6, 7, 12);
        break;
    case ID_TO_BOTTOM:
        p.drawLine(3, 28, 29, 28);
        p.setPen(Qt::NoPen);
        box(6, 6, 7, 20);
        box(18, 14, 7, 12);
        break;
    case ID_TO_V_CEN:
        p.drawLine(3, 16, 29, 16);
        p.setPen(Qt::NoPen);
        box(6, 5, 7, 22);
        box(18, 10, 7, 12);
        break;
    case ID_TO_H_CEN:
        p.drawLine(16, 3, 16, 29);
        p.setPen(Qt::NoPen);
        box(5, 6, 22, 7);
        box(10, 18, 12, 7);
        break;
    case ID_TO_H_KIN:
        p.setPen(Qt::NoPen);
        box(3, 10, 6, 12);
        box(13, 10, 6, 12);
        box(23, 10, 6, 12);
        break;
    case ID_TO_V_KIN:
        p.setPen(Qt::NoPen);
        box(10, 3, 12, 6);
        box(10, 13, 12, 6);
        box(10, 23, 12, 6);
        break;
    case ID_SAME_W:
        p.setPen(Qt::NoPen);
        box(6, 5, 20, 8);
        box(6, 19, 20, 8);
        break;
    case ID_SAME_H:
        p.setPen(Qt::NoPen);
        box(5, 6, 8, 20);
        box(19, 6, 8, 20);
        break;
    case ID_SAME_WH:
        p.setPen(Qt::NoPen);
        box(4, 4, 11, 11);
        box(17, 17, 11, 11);
        break;
    default:
        p.setPen(Qt::NoPen);
        box(4, 5, 24, 5);
        box(4, 14, 16, 5);
        box(4, 23, 20, 5);
        break;
    }
}

void circleGlyph(QPainter& p, const QString& glyph, QColor c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    QFont f = p.font();
    f.setPixelSize(19);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, glyph);
}

void folder(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xf2, 0xc2, 0x4f));
    QPainterPath path;
    path.moveTo(3, 8);
    path.lineTo(12, 8);
    path.lineTo(15, 11);
    path.lineTo(29, 11);
    path.lineTo(29, 27);
    path.lineTo(3, 27);
    path.closeSubpath();
    p.drawPath(path);
}

} // namespace

QIcon commandIcon(int id)
{
    if (id >= ID_ADD_MARKER_1 && id <= ID_ADD_MARKER_7) {
        const QColor c = markerColour(id - ID_ADD_MARKER_1);
        return painted([c](QPainter& p) { swatch(p, c); });
    }
    if (id >= ID_SET_PIN1 && id <= ID_SET_PIN4)
        return painted([i = id - ID_SET_PIN1](QPainter& p) { pin(p, i, true); });
    if (id >= ID_DSP_PIN1 && id <= ID_DSP_PIN4)
        return painted([i = id - ID_DSP_PIN1](QPainter& p) { pin(p, i, false); });
    if ((id >= ID_TO_LEFT && id <= ID_TO_RIGHT) || (id >= ID_TO_TOP && id <= ID_SAME_WH) ||
        id == ID_SEIRETU_BTN)
        return painted([id](QPainter& p) { bars(p, id); });

    switch (id) {
    case ID_PROJECT_NEW:
        return painted([](QPainter& p) {
            page(p);
            p.setPen(QPen(QColor(0x20, 0x90, 0x30), 3));
            p.drawLine(QPointF(16, 14), QPointF(16, 26));
            p.drawLine(QPointF(10, 20), QPointF(22, 20));
        });
    case ID_PROJECT_OPEN:
        return painted([](QPainter& p) { folder(p); });
    case ID_PROJECT_SAVE:
    case ID_TVIEW_SAVE:
    case ID_TAB_SAVE:
        return painted([](QPainter& p) { floppy(p); });
    case ID_ALL_DOC_SAVE:
        return painted([](QPainter& p) {
            floppy(p, {2, 2}, 19);
            floppy(p, {11, 11}, 19);
        });
    case ID_PROJECT_CLOSE:
        return painted([](QPainter& p) {
            page(p);
            p.setPen(QPen(QColor(0xc0, 0x30, 0x30), 3));
            p.drawLine(QPointF(11, 14), QPointF(22, 25));
            p.drawLine(QPointF(22, 14), QPointF(11, 25));
        });
    case ID_INSATU:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 3, 14, 10));
            p.setBrush(QColor(0x88, 0x88, 0x88));
            p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 20, 14, 9));
        });
    case ID_SETTEI_BTN:
    case ID_KAN_SET:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::FlatCap));
            for (int a = 0; a < 360; a += 45) {
                p.save();
                p.translate(16, 16);
                p.rotate(a);
                p.drawLine(QPointF(0, 8), QPointF(0, 13));
                p.restore();
            }
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(0xa0, 0xa0, 0xa0));
            p.drawEllipse(QPointF(16, 16), 9, 9);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
        });
    case ID_RECENT_KANRI:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 1.8));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(3, 3, 26, 26));
            p.drawLine(QPointF(16, 16), QPointF(16, 8));
            p.drawLine(QPointF(16, 16), QPointF(22, 19));
        });
    case ID_APP_ABOUT:
        return painted([](QPainter& p) { circleGlyph(p, QStringLiteral("i"), kBlue); });
    case ID_HELP_DSP:
        return painted([](QPainter& p) { circleGlyph(p, QStringLiteral("?"), kBlue); });
    case ID_APP_EXIT:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(0xc8, 0xa0, 0x70));
            p.drawRect(QRectF(4, 3, 14, 26));
            arrow(p, QPointF(14, 16), QPointF(28, 16), QColor(0xc0, 0x30, 0x30));
        });
    case ID_UNDO:
        return painted([](QPainter& p) { curvedArrow(p, true); });
    case ID_REDO:
        return painted([](QPainter& p) { curvedArrow(p, false); });
    case ID_SHOW_MENU:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF() << QPointF(8, 20) << QPointF(16, 12) << QPointF(24, 20));
        });
    case ID_TVIEW_WORD:
        return painted([](QPainter& p) {
            page(p);
            badge(p, QStringLiteral("W"), QColor(0x2b, 0x57, 0x9a));
        });
    case ID_TVIEW_PDF:
        return painted([](QPainter& p) {
            page(p);
            badge(p, QStringLiteral("PDF"), QColor(0xc0, 0x30, 0x30));
        });
    case ID_TO_DOC_TOP:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 3));
            p.drawLine(QPointF(6, 5), QPointF(26, 5));
            arrow(p, QPointF(16, 28), QPointF(16, 10));
        });
    case ID_TO_DOC_TAIL:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 3));
            p.drawLine(QPointF(6, 27), QPointF(26, 27));
            arrow(p, QPointF(16, 4), QPointF(16, 22));
        });
    case ID_PROP_TVIEW:
    case ID_VIEW_PROP_PANE:
        return painted([](QPainter& p) {
            page(p);
            textLines(p);
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            for (int y = 13; y <= 25; y += 4)
                p.drawRect(QRectF(10, y - 1, 3, 3));
        });
    case ID_SEARCH_PREV:
    case ID_SEARCH_NEXT:
        return painted([id](QPainter& p) {
            p.setPen(QPen(kInk, 2.5));
            p.setBrush(QColor(0xe0, 0xf0, 0xff));
            p.drawEllipse(QRectF(9, 3, 14, 14));
            p.drawLine(QPointF(20, 15), QPointF(25, 20));
            if (id == ID_SEARCH_PREV)
                arrow(p, QPointF(20, 26), QPointF(5, 26));
            else
                arrow(p, QPointF(6, 26), QPointF(24, 26));
        });
    case ID_SEARCH_CLS:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(0xf0, 0x90, 0xa0));
            p.save();
            p.translate(16, 16);
            p.rotate(-35);
            p.drawRoundedRect(QRectF(-11, -6, 22, 12), 2, 2);
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(-11, -6, 8, 12), 2, 2);
            p.restore();
        });
    case ID_ADD_MARKER:
        return painted([](QPainter& p) { highlighter(p, markerColour(2)); });
    case ID_ADD_MARKER_ETC:
        return painted([](QPainter& p) {
            for (int i = 0; i < 4; ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(markerColour(i * 2));
                p.drawPie(QRectF(4, 4, 24, 24), i * 90 * 16, 90 * 16);
            }
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(4, 4, 24, 24));
        });
    case ID_TOP_MARKER:
    case ID_TAIL_MARKER:
    case ID_NEXT_MARKER:
    case ID_PREV_MARKER:
        return painted([id](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(markerColour(2));
            p.drawRect(QRectF(10, 8, 12, 16));
            const bool forward = id == ID_NEXT_MARKER || id == ID_TAIL_MARKER;
            const double x = forward ? 24 : 8;
            p.setPen(QPen(kInk, 2.5));
            if (id == ID_TOP_MARKER || id == ID_TAIL_MARKER)
                p.drawLine(QPointF(x + (forward ? 3 : -3), 6), QPointF(x + (forward ? 3 : -3), 26));
            if (forward)
                arrow(p, QPointF(4, 16), QPointF(x, 16));
            else
                arrow(p, QPointF(28, 16), QPointF(x, 16));
        });
    case ID_DEL_MARKER:
        return painted([](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(markerColour(0));
            p.drawRect(QRectF(3, 10, 26, 12));
            p.setPen(QPen(QColor(0xc0, 0x30, 0x30), 3));
            p.drawLine(QPointF(9, 8), QPointF(23, 24));
            p.drawLine(QPointF(23, 8), QPointF(9, 24));
        });
    case ID_PROPERTY_LINK:
        return painted([](QPainter& p) {
            p.setPen(QPen(kBlue, 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(3, 11, 15, 10), 5, 5);
            p.drawRoundedRect(QRectF(14, 11, 15, 10), 5, 5);
        });
    case ID_PANE_DSP:
        return painted([](QPainter& p) { window(p, QRectF(4, 10, 7, 16)); });
    case ID_VIEW_LIST_PANE:
        return painted([](QPainter& p) { window(p, QRectF(4, 10, 8, 16)); });
    case ID_VIEW_SUBJECT_PANE:
        return painted([](QPainter& p) { window(p, QRectF(20, 10, 8, 16)); });
    case ID_VIEW_MARKER_PANE:
        return painted([](QPainter& p) { window(p, QRectF(4, 20, 24, 6)); });
    case ID_VIEW_SEARCH_PANE:
        return painted([](QPainter& p) { window(p, QRectF(4, 20, 12, 6)); });
    case ID_VIEW_STATUS_BAR:
        return painted([](QPainter& p) { window(p, QRectF(4, 23, 24, 3)); });
    case ID_VIEW_FULLSCREEN:
        return painted([](QPainter& p) {
            arrow(p, QPointF(12, 12), QPointF(4, 4), kInk, 2.2);
            arrow(p, QPointF(20, 12), QPointF(28, 4), kInk, 2.2);
            arrow(p, QPointF(12, 20), QPointF(4, 28), kInk, 2.2);
            arrow(p, QPointF(20, 20), QPointF(28, 28), kInk, 2.2);
        });
    case ID_VIEW_CHART:
        return painted([](QPainter& p) { nodes(p); });
    default:
        return {};
    }
}

QIcon setPinIcon(int slot, bool set)
{
    return painted([slot, set](QPainter& p) { pin(p, slot, !set, set); });
}

QIcon bookmarkIcon(int slot, bool set)
{
    if (set)
        return painted([slot](QPainter& p) { pin(p, slot, false); });
    return painted([slot](QPainter& p) {
        p.setOpacity(0.45);
        pin(p, slot, false);
    });
}

QIcon applicationIcon()
{
    return painted([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 6, 14, 20));
        p.setBrush(markerColour(2));
        p.drawRect(QRectF(9, 10, 10, 3));
        p.setBrush(markerColour(0));
        p.drawRect(QRectF(9, 17, 7, 3));
        p.setPen(QPen(QColor(0xff, 0xd0, 0x40), 2));
        p.drawLine(QPointF(19, 11.5), QPointF(26, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xd0, 0x40));
        p.drawEllipse(QPointF(26, 21), 3.5, 3.5);
    });
}

} // namespace corvane
