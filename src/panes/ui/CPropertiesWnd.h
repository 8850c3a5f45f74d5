// The properties pane "プロパティ": the grid of the page shown, its five-line description area
// and the link page's commands. The caption names the page. It follows the refresh calls: the
// objects picked in the text view, the chart and the marker list, the view settings pages, and
// every change of the tables, after which the page shows what the project holds.
#pragma once

#include "base/Refresh.h"
#include "base/Services.h"
#include "model/ProjectData.h"
#include "panes/PropertiesModel.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QTreeWidgetItem;

namespace corvane {

namespace chart {
class ChartModel;
}

class CMyGridCtrl;

class CPropertiesWnd : public QWidget, public Refresh
{
    Q_OBJECT
public:
    CPropertiesWnd(ProjectData& project, Services& services, QWidget* parent = nullptr);

    PropertiesModel& model() { return model_; }
    CMyGridCtrl* grid() const { return grid_; }
    QLabel* descriptionArea() const { return description_; }
    QString caption() const;

    /// Shows a page (empties and rebuilds the grid) and sets the caption.
    void showPage(PropertyPage page, ObjectId id = 0);
    /// Builds the page again from the project, keeping the current row.
    void refreshPage();

    /// The link page's commands (409-412, 528, 529) and refresh (313); false when disabled.
    bool runCommand(int id);
    bool isCommandEnabled(int id) const;
    /// The link page's context menu for the current row ("LINK"), group ("MAIN") or none
    /// ("ETC"); null on the other pages.
    std::unique_ptr<QMenu> buildContextMenu();

    // Seams to the frame; unset in tests that do not need them.
    /// Shows the pane when it is hidden.
    std::function<void()> showPane;
    /// The caption changed (the dock's title).
    std::function<void(const QString&)> captionChanged;
    /// The chart view's model while the chart view exists.
    std::function<chart::ChartModel*()> chartModel;
    /// Runs a context menu at a global point (tests replace it).
    std::function<void(QMenu&, const QPoint&)> runMenu;

    // Refresh
    void resetPropertiesPane() override;
    void showPropertiesOfObject(ObjectId id) override;
    void showNodeProperties(ObjectId id) override;
    void showTextViewProperties() override;
    void showChartViewProperties() override;
    void showLinksOfObject(ObjectId id) override;
    void textViewSettingsChanged() override;
    void redrawChart() override;
    void rebuildMarkerList() override;
    void updateLinkMark(ObjectId subSubject) override;
    void redrawTextViewsOf(SjisView relativePath) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCurrentDescription();
    void numberEdited(PropertyKey key, qint64 value);
    void textEdited(PropertyKey key, const QString& text);
    /// Refreshes the page once the events in hand are done (the tables may change again in the
    /// same operation).
    void scheduleRefresh();
    /// The link of the current row, or none.
    std::optional<LinkEnds> currentLink() const;
    /// Commands 410 and 411: the next or previous row over all groups, wrapping.
    bool stepRow(bool forward);
    void contextMenu(const QPoint& pos);

    ProjectData& p_;
    Services& s_;
    PropertiesModel model_;
    CMyGridCtrl* grid_ = nullptr;
    QLabel* description_ = nullptr;
    bool refreshPending_ = false;
};

} // namespace corvane
