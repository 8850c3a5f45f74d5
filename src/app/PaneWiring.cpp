#include "app/PaneWiring.h"

#include "app/CMainFrame.h"
#include "app/CVantorApp.h"
#include "app/ChartWindow.h"
#include "app/DocumentWiring.h"
#include "app/PaneId.h"
#include "base/DocPath.h"
#include "chart/ui/CChartView.h"
#include "doclist/CFileView.h"
#include "panes/ui/CMarkerWnd.h"
#include "panes/ui/CPropertiesWnd.h"
#include "print/ui/OutputCommands.h"
#include "subjects/ui/CMySubjectCtrl.h"
#include "subjects/ui/CSubjectWnd.h"

#include <QDockWidget>

namespace corvane {

CSubjectWnd* installSubjectPane(CMainFrame& frame, CVantorApp& app)
{
    auto* subjects = new CSubjectWnd(app.data(), app.services());
    frame.setPaneWidget(PaneId::Subjects, subjects);
    frame.addPaneHooks(subjects);
    subjects->exportToSpreadsheet = [subjects, &app] {
        exportSubjectList(subjects, app.data(), app.services());
    };
    subjects->showInChart = [&frame, &app](ObjectId id) { ChartWindow::showNode(frame, app, id); };
    app.refresh().addTarget(subjects);
    Refresh* asRefresh = subjects;
    QObject::connect(subjects, &QObject::destroyed,
                     [&app, asRefresh] { app.refresh().removeTarget(asRefresh); });
    return subjects;
}

CMarkerWnd* installMarkerPane(CMainFrame& frame, CVantorApp& app, DocumentWiring& documents)
{
    auto* markers = new CMarkerWnd(app.data(), app.services());
    frame.setPaneWidget(PaneId::Markers, markers);
    markers->showPane = [&frame] {
        if (QDockWidget* dock = frame.pane(PaneId::Markers)) {
            dock->show();
            dock->raise();
        }
    };
    app.refresh().addTarget(markers);
    Refresh* asRefresh = markers;
    QObject::connect(markers, &QObject::destroyed,
                     [&app, asRefresh] { app.refresh().removeTarget(asRefresh); });
    if (CFileView* list = documents.fileView())
        list->showMarkerList = [&app, &documents, markers](const SjisString& relativePath) {
            const std::optional<std::string> disk =
                docpath::toDiskPath(app.data().docFolder(), relativePath);
            if (disk && documents.openDocument(*disk))
                markers->showMarkersOfCurrentDocument();
        };
    return markers;
}

CPropertiesWnd* installPropertiesPane(CMainFrame& frame, CVantorApp& app, CSubjectWnd* subjects)
{
    auto* properties = new CPropertiesWnd(app.data(), app.services());
    frame.setPaneWidget(PaneId::Properties, properties);
    properties->showPane = [&frame] {
        if (QDockWidget* dock = frame.pane(PaneId::Properties)) {
            dock->show();
            dock->raise();
        }
    };
    // The caption names the page shown.
    properties->captionChanged = [&frame](const QString& caption) {
        if (QDockWidget* dock = frame.pane(PaneId::Properties))
            dock->setWindowTitle(caption);
    };
    properties->chartModel = [&frame]() -> chart::ChartModel* {
        auto* window = qobject_cast<ChartWindow*>(frame.chartWindow());
        return window && window->view() ? &window->view()->model() : nullptr;
    };
    if (subjects)
        properties->model().showSubSubject = [&frame, subjects](ObjectId id) {
            if (QDockWidget* dock = frame.pane(PaneId::Subjects)) {
                dock->show();
                dock->raise();
            }
            subjects->grid()->selectObject(id);
        };
    app.refresh().addTarget(properties);
    Refresh* asRefresh = properties;
    QObject::connect(properties, &QObject::destroyed,
                     [&app, asRefresh] { app.refresh().removeTarget(asRefresh); });
    return properties;
}

} // namespace corvane
