// A large ribbon button: a 32-pixel picture with its label of one or two lines centred under it,
// sized from the label's real glyphs, so that no label is cut whatever font the system picks for
// Japanese text. A button with a menu shows a small arrow after its label; a split button runs
// its command from the picture and opens the menu from the label.
#pragma once

#include <QToolButton>

class QAction;
class QMenu;

namespace corvane {

class RibbonLargeButton : public QToolButton
{
    Q_OBJECT
public:
    enum class MenuKind
    {
        None,  ///< a plain command button
        Whole, ///< the whole button opens the menu
        Split, ///< the picture runs the command, the label opens the menu
    };

    /// action: the command (picture, label from its icon text with "\n" between the lines,
    /// enabled and checked state). menu: shown as kind says; may be null with MenuKind::None.
    RibbonLargeButton(QAction* action, QMenu* menu, MenuKind kind, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    MenuKind menuKind() const { return kind_; }
    /// The part of the button that opens the menu of a split button (the label and its arrow).
    QRect menuPartRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QStringList lines() const;
    /// Height of one label line: the font's line height or the tallest glyph drawn, whichever
    /// is more (a fallback font for Japanese can reach beyond the first font's metrics).
    int lineHeight() const;
    int labelWidth() const;
    /// Top of the label: below the picture.
    int labelTop() const;
    void openSplitMenu();

    QMenu* splitMenu_ = nullptr;
    MenuKind kind_;
    bool pointerOnMenuPart_ = false;
};

} // namespace corvane
