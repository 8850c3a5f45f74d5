#include "app/PaneWiring.h"

#include "app/CMainFrame.h"
#include "app/CVantorApp.h"
#include "app/PaneId.h"
#include "subjects/ui/CSubjectWnd.h"

namespace corvane {

CSubjectWnd* installSubjectPane(CMainFrame& frame, CVantorApp& app)
{
    auto* subjects = new CSubjectWnd(app.data(), app.services());
    frame.setPaneWidget(PaneId::Subjects, subjects);
    frame.addPaneHooks(subjects);
    app.refresh().addTarget(subjects);
    Refresh* asRefresh = subjects;
    QObject::connect(subjects, &QObject::destroyed,
                     [&app, asRefresh] { app.refresh().removeTarget(asRefresh); });
    return subjects;
}

} // namespace corvane
