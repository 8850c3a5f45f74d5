// The marker list's colour button: a drop-down of the marker colours in seven columns, an
// automatic entry "指定なし" (no colour filter) and "その他" (the colour dialog).
#pragma once

#include "base/ColourChooser.h"
#include "panes/MarkerRows.h"

#include <QToolButton>

class QMenu;

namespace corvane {

class CMarkerColourButton : public QToolButton
{
    Q_OBJECT
public:
    explicit CMarkerColourButton(ColourChooser& colours, QWidget* parent = nullptr);

    /// Shows the colour (or "指定なし") on the button; emits nothing.
    void setColour(MarkerColourFilter colour);
    MarkerColourFilter colour() const { return colour_; }

    /// The palette's colours in their rows of seven.
    static const std::vector<Colour>& paletteColours();

    /// Chooses as the user would from the drop-down (index into paletteColours; -1 "指定なし").
    void choosePaletteEntry(int index);
    /// "その他": the colour dialog; nothing changes when it is cancelled.
    void chooseOther();

signals:
    void colourChosen(qint64 colourOrMinusOne);

private:
    void choose(MarkerColourFilter colour);

    ColourChooser& colours_;
    MarkerColourFilter colour_;
    QMenu* menu_ = nullptr;
};

} // namespace corvane
