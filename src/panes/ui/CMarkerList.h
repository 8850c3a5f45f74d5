// The marker list's list box: one row per listed marker, each carrying its object ID; its
// accelerators (D, U, Delete, Ctrl+C, F5), double-click, context menu and the commands behind
// them. Markers dragged from a text view onto it set the colour filter to their colour; a row
// dragged out carries its marker, as a marker dragged from its text view does.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "panes/MarkerListModel.h"

#include <QListWidget>

#include <functional>
#include <memory>

class QMenu;

namespace corvane {

class CMarkerList : public QListWidget
{
    Q_OBJECT
public:
    CMarkerList(ProjectData& project, Services& services, QWidget* parent = nullptr);

    MarkerListModel& model() { return model_; }
    const MarkerListModel& model() const { return model_; }

    /// Rows from the object table; userChoice and itemText as MarkerListModel::rebuild.
    MarkerListModel::Rebuilt rebuild(bool userChoice = false, SjisView itemText = {});
    bool runCommand(int id);
    bool isCommandEnabled(int id) const;
    std::unique_ptr<QMenu> buildContextMenu();

    /// Runs the context menu modally; tests replace it.
    std::function<void(QMenu&, const QPoint&)> runMenu;
    /// A marker was dropped on the list: set the colour filter to its colour.
    std::function<void(Colour)> markerDropped;
    /// Runs the drag of a row's marker; tests replace it.
    std::function<void(ObjectId)> runDrag;

signals:
    /// Rows, selection or enable states changed (the toolbar follows).
    void commandStatesChanged();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    /// The keyboard's menu key opens the context menu at the selected row; the mouse's menu
    /// opens with the button's release (mouseReleaseEvent), so its press event is only taken.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    /// Writes the model's rows into the list widget.
    void showRows();
    int droppedMarkerIndex(const QMimeData* data) const;

    ProjectData& p_;
    MarkerListModel model_;
};

} // namespace corvane
