// The tab area's window around the chart view: it registers the view for the chart's redraws,
// routes the ribbon's commands (undo and redo, alignment) to it and passes its guide texts and
// double-click actions on to the frame.
#pragma once

#include "app/DocumentWindow.h"
#include "base/Types.h"

namespace corvane {

class CChartView;
class CVantorApp;
class CMainFrame;

class ChartWindow : public DocumentWindow
{
    Q_OBJECT
public:
    ChartWindow(CVantorApp& app, CMainFrame& frame);
    ~ChartWindow() override;

    CChartView* view() const { return view_; }

    /// Opens the chart when it is closed, brings it forward and centres the node of id in it
    /// (513 from the text view's marker menu and the subject list).
    static void showNode(CMainFrame& frame, CVantorApp& app, ObjectId id);

    Kind kind() const override { return Kind::Chart; }
    QString title() const override;
    bool handleCommand(int id) override;
    bool isCommandEnabled(int id) const override;
    bool isCommandChecked(int id) const override;

private:
    CVantorApp& app_;
    CChartView* view_;
};

} // namespace corvane
