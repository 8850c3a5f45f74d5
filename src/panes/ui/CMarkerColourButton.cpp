#include "panes/ui/CMarkerColourButton.h"

#include "model/MarkerPalette.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QWidgetAction>

namespace corvane {

namespace {

constexpr int kColumns = 7;

QColor toQColor(Colour c)
{
    return QColor(int(colourRed(c)), int(colourGreen(c)), int(colourBlue(c)));
}

QIcon swatchIcon(MarkerColourFilter colour, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    if (colour)
        painter.setBrush(toQColor(*colour));
    painter.drawRect(QRect(QPoint(0, 0), size - QSize(1, 1)));
    return QIcon(pixmap);
}

} // namespace

const std::vector<Colour>& CMarkerColourButton::paletteColours()
{
    // The marker colours first, then stronger colours of the same hues and greys, so that
    // markers made with "その他の色" in common colours can be picked without the dialog.
    static const std::vector<Colour> colours = [] {
        std::vector<Colour> c(kMarkerPalette.begin(), kMarkerPalette.end());
        for (Colour extra :
             {0x0000FFu, 0x0080FFu, 0x00FFFFu, 0x00FF00u, 0xFFFF00u, 0xFF0000u, 0xFF00FFu,
              0xFFFFFFu, 0xC0C0C0u, 0x808080u, 0x404040u, 0x000000u, 0x000080u, 0x008000u})
            c.push_back(extra);
        return c;
    }();
    return colours;
}

CMarkerColourButton::CMarkerColourButton(ColourChooser& colours, QWidget* parent)
    : QToolButton(parent), colours_(colours)
{
    setObjectName(QStringLiteral("markerColourButton"));
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    menu_ = new QMenu(this);
    auto* panel = new QWidget(menu_);
    auto* grid = new QGridLayout(panel);
    grid->setSpacing(2);
    grid->setContentsMargins(4, 4, 4, 4);
    auto* none = new QPushButton(QStringLiteral("指定なし"), panel);
    none->setObjectName(QStringLiteral("colourNone"));
    grid->addWidget(none, 0, 0, 1, kColumns);
    connect(none, &QPushButton::clicked, this, [this] { choosePaletteEntry(-1); });
    const std::vector<Colour>& palette = paletteColours();
    for (int i = 0; i < int(palette.size()); ++i) {
        auto* cell = new QToolButton(panel);
        cell->setAutoRaise(true);
        cell->setIcon(swatchIcon(palette[std::size_t(i)], QSize(16, 16)));
        cell->setToolTip(i < int(kMarkerPaletteLabels.size())
                             ? QString::fromUtf8(kMarkerPaletteLabels[std::size_t(i)])
                             : QStringLiteral("RGB(%1, %2, %3)")
                                   .arg(colourRed(palette[std::size_t(i)]))
                                   .arg(colourGreen(palette[std::size_t(i)]))
                                   .arg(colourBlue(palette[std::size_t(i)])));
        grid->addWidget(cell, 1 + i / kColumns, i % kColumns);
        connect(cell, &QToolButton::clicked, this, [this, i] { choosePaletteEntry(i); });
    }
    auto* other = new QPushButton(QStringLiteral("その他..."), panel);
    other->setObjectName(QStringLiteral("colourOther"));
    grid->addWidget(other, 2 + (int(palette.size()) - 1) / kColumns, 0, 1, kColumns);
    connect(other, &QPushButton::clicked, this, [this] { chooseOther(); });
    auto* action = new QWidgetAction(menu_);
    action->setDefaultWidget(panel);
    menu_->addAction(action);
    setMenu(menu_);
    setColour(std::nullopt);
}

void CMarkerColourButton::setColour(MarkerColourFilter colour)
{
    colour_ = colour;
    setIcon(swatchIcon(colour, QSize(28, 14)));
    setText(colour ? QString() : QStringLiteral("指定なし"));
}

void CMarkerColourButton::choosePaletteEntry(int index)
{
    menu_->close();
    const std::vector<Colour>& palette = paletteColours();
    if (index < 0)
        choose(std::nullopt);
    else if (index < int(palette.size()))
        choose(palette[std::size_t(index)]);
}

void CMarkerColourButton::chooseOther()
{
    menu_->close();
    if (const std::optional<Colour> c = colours_.chooseColour(colour_.value_or(0xFFFFFF)))
        choose(*c);
}

void CMarkerColourButton::choose(MarkerColourFilter colour)
{
    setColour(colour);
    emit colourChosen(colour ? qint64(*colour) : -1);
}

} // namespace corvane
