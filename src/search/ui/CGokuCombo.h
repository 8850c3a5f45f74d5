// A phrase box of the search pane: an editable drop-down with the phrase history. Enter runs
// the pane's command when the box holds text; a marker dragged from a text view drops its text
// in.
#pragma once

#include "base/Types.h"

#include <QComboBox>

#include <functional>
#include <vector>

namespace corvane {

class CGokuCombo : public QComboBox
{
    Q_OBJECT
public:
    /// what: "検索語句" or "置換語句" (the tooltip names it and its menu item).
    CGokuCombo(const QString& what, const QString& menuItem, QWidget* parent = nullptr);

    /// Clears the list and adds the entries in order (an unset entry gives an empty item); the
    /// box shows entry 1.
    void loadHistory(const std::vector<SjisString>& entries);
    /// The phrase as typed, line breaks removed.
    QString phrase() const;
    void setPhrase(const QString& text);

    /// Whether a dragged object is a marker, so that a sub-subject is not offered a drop it
    /// would only ignore; unset accepts every object.
    std::function<bool(ObjectId)> acceptsObject;
    /// The object ID carried by a dropped marker: the pane looks up its text.
    std::function<void(ObjectId)> markerDropped;

signals:
    /// Enter in a non-empty box.
    void entered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// Enter or Return: emits entered() unless the box is empty; false for other keys.
    bool enterPressed(QKeyEvent* event);
};

} // namespace corvane
