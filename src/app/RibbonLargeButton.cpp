#include "app/RibbonLargeButton.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace corvane {

namespace {

constexpr int kIcon = 32;
constexpr int kPadX = 5;   ///< between the label and the button's sides
constexpr int kPadTop = 3; ///< above the picture
constexpr int kGap = 3;    ///< between the picture and the label
constexpr int kPadBottom = 3;
constexpr int kArrowWidth = 7;
constexpr int kArrowHeight = 4;
constexpr int kArrowGap = 3; ///< between the last line and an arrow beside it

const QColor kHoverFill(0xdd, 0xe8, 0xf5);
const QColor kHoverBorder(0xa9, 0xc3, 0xe3);
const QColor kDownFill(0xc2, 0xd8, 0xf2);
const QColor kCheckedFill(0xcf, 0xe0, 0xf4);
const QColor kCheckedBorder(0x8f, 0xb2, 0xdc);
const QColor kDisabledText(0xa0, 0xa0, 0xa0);

} // namespace

RibbonLargeButton::RibbonLargeButton(QAction* action, QMenu* menu, MenuKind kind, QWidget* parent)
    : QToolButton(parent), kind_(menu ? kind : MenuKind::None)
{
    setDefaultAction(action);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(kIcon, kIcon));
    setAutoRaise(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    if (kind_ == MenuKind::Whole) {
        setMenu(menu);
        setPopupMode(QToolButton::InstantPopup);
    } else if (kind_ == MenuKind::Split) {
        // The menu stays ours: the tool button's own split layout puts the menu part at the
        // right edge and takes its width from the label.
        splitMenu_ = menu;
    }
}

QStringList RibbonLargeButton::lines() const
{
    return text().split(QLatin1Char('\n'));
}

int RibbonLargeButton::lineHeight() const
{
    const QFontMetrics fm = fontMetrics();
    int height = fm.height();
    for (const QString& line : lines())
        height = std::max(height, fm.boundingRect(line).height());
    return height;
}

int RibbonLargeButton::labelWidth() const
{
    const QFontMetrics fm = fontMetrics();
    const QStringList all = lines();
    int width = 0;
    for (int i = 0; i < all.size(); ++i) {
        int w = fm.horizontalAdvance(all[i]);
        if (kind_ != MenuKind::None && all.size() > 1 && i == all.size() - 1)
            w += kArrowGap + kArrowWidth;
        width = std::max(width, w);
    }
    return width;
}

int RibbonLargeButton::labelTop() const
{
    return kPadTop + kIcon + kGap;
}

QSize RibbonLargeButton::sizeHint() const
{
    const int lineCount = int(lines().size());
    int height = labelTop() + lineCount * lineHeight() + kPadBottom;
    // A one-line label has its arrow under it; a two-line label has it beside the last line.
    if (kind_ != MenuKind::None && lineCount == 1)
        height += kArrowHeight + 2;
    const int width = std::max(kIcon + 2 * kPadX, labelWidth() + 2 * kPadX);
    return {std::max(width, 52), height};
}

QSize RibbonLargeButton::minimumSizeHint() const
{
    return sizeHint();
}

QRect RibbonLargeButton::menuPartRect() const
{
    if (kind_ != MenuKind::Split)
        return {};
    return QRect(0, labelTop() - 1, width(), height() - labelTop() + 1);
}

void RibbonLargeButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const bool enabled = isEnabled();
    const bool hovered = enabled && underMouse();
    const bool down =
        isDown() || (menu() && menu()->isVisible()) || (splitMenu_ && splitMenu_->isVisible());
    const QRect frame = rect().adjusted(0, 0, -1, -1);

    if (isChecked() || hovered || down) {
        p.setPen(isChecked() || down ? kCheckedBorder : kHoverBorder);
        p.setBrush(down ? kDownFill : isChecked() ? kCheckedFill : kHoverFill);
        p.drawRect(frame);
        if (kind_ == MenuKind::Split && (hovered || down)) {
            // The half under the pointer shows darker, and a line parts the two halves.
            const QRect menuPart = menuPartRect().intersected(frame);
            const QRect commandPart(frame.left(), frame.top(), frame.width(),
                                    menuPart.top() - frame.top());
            p.fillRect((pointerOnMenuPart_ ? menuPart : commandPart).adjusted(1, 1, 0, 0),
                       kDownFill);
            p.setPen(kCheckedBorder);
            p.drawLine(frame.left(), menuPart.top(), frame.right(), menuPart.top());
        }
    }

    const QIcon::Mode mode = !enabled ? QIcon::Disabled : (hovered ? QIcon::Active : QIcon::Normal);
    const QPixmap pixmap =
        icon().pixmap(iconSize(), devicePixelRatio(), mode, isChecked() ? QIcon::On : QIcon::Off);
    p.drawPixmap(QRect((width() - kIcon) / 2, kPadTop, kIcon, kIcon), pixmap);

    const QColor ink = enabled ? palette().color(QPalette::ButtonText) : kDisabledText;
    p.setPen(ink);
    const QFontMetrics fm = fontMetrics();
    const QStringList all = lines();
    const int lh = lineHeight();
    int y = labelTop();
    for (int i = 0; i < all.size(); ++i) {
        const bool last = i == all.size() - 1;
        const bool arrowBeside = last && kind_ != MenuKind::None && all.size() > 1;
        const int textWidth = fm.horizontalAdvance(all[i]);
        const int blockWidth = textWidth + (arrowBeside ? kArrowGap + kArrowWidth : 0);
        const int x = (width() - blockWidth) / 2;
        p.drawText(QRect(x, y, textWidth + 1, lh), Qt::AlignLeft | Qt::AlignVCenter, all[i]);
        if (arrowBeside) {
            const int ax = x + textWidth + kArrowGap;
            const int ay = y + (lh - kArrowHeight) / 2;
            QPainterPath arrow;
            arrow.moveTo(ax, ay);
            arrow.lineTo(ax + kArrowWidth, ay);
            arrow.lineTo(ax + kArrowWidth / 2.0, ay + kArrowHeight);
            arrow.closeSubpath();
            p.setRenderHint(QPainter::Antialiasing, true);
            p.fillPath(arrow, ink);
            p.setRenderHint(QPainter::Antialiasing, false);
        }
        y += lh;
    }
    if (kind_ != MenuKind::None && all.size() == 1) {
        const int ax = (width() - kArrowWidth) / 2;
        QPainterPath arrow;
        arrow.moveTo(ax, y + 2);
        arrow.lineTo(ax + kArrowWidth, y + 2);
        arrow.lineTo(ax + kArrowWidth / 2.0, y + 2 + kArrowHeight);
        arrow.closeSubpath();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.fillPath(arrow, ink);
    }
}

void RibbonLargeButton::openSplitMenu()
{
    setDown(true);
    update();
    splitMenu_->exec(mapToGlobal(QPoint(0, height())));
    setDown(false);
    // The click that closed the menu may have left the button; hovering is looked at again.
    pointerOnMenuPart_ = false;
    update();
}

void RibbonLargeButton::mousePressEvent(QMouseEvent* event)
{
    if (kind_ == MenuKind::Split && event->button() == Qt::LeftButton &&
        menuPartRect().contains(event->position().toPoint()) && isEnabled()) {
        openSplitMenu();
        event->accept();
        return;
    }
    QToolButton::mousePressEvent(event);
}

void RibbonLargeButton::mouseMoveEvent(QMouseEvent* event)
{
    const bool onMenu =
        kind_ == MenuKind::Split && menuPartRect().contains(event->position().toPoint());
    if (onMenu != pointerOnMenuPart_) {
        pointerOnMenuPart_ = onMenu;
        update();
    }
    QToolButton::mouseMoveEvent(event);
}

void RibbonLargeButton::enterEvent(QEnterEvent* event)
{
    update();
    QToolButton::enterEvent(event);
}

void RibbonLargeButton::leaveEvent(QEvent* event)
{
    pointerOnMenuPart_ = false;
    update();
    QToolButton::leaveEvent(event);
}

} // namespace corvane
