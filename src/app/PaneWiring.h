// The panes that live in the main frame besides the document list, each put into its dock and
// onto the routes it needs (lifecycle hooks, refresh calls). The running application and the
// widget tests build the frame through the same calls.
#pragma once

namespace corvane {

class CMainFrame;
class CMarkerWnd;
class CPropertiesWnd;
class CSubjectWnd;
class CVantorApp;
class DocumentWiring;

/// The subject list pane: rebuilt by the lifecycle, told of every link change. Owned by its dock.
CSubjectWnd* installSubjectPane(CMainFrame& frame, CVantorApp& app);
/// The marker list pane: rebuilt after every change of the object table, reached from the
/// document list's "この文献のマーカリスト" and the text view's marker colour. Owned by its dock.
CMarkerWnd* installMarkerPane(CMainFrame& frame, CVantorApp& app, DocumentWiring& documents);
/// The properties pane: told of the objects picked in the text views, the chart and the marker
/// list, reaches the chart's selection and history while the chart view exists, and shows a
/// link's sub-subject in the subject list (when given). Owned by its dock.
CPropertiesWnd* installPropertiesPane(CMainFrame& frame, CVantorApp& app, CSubjectWnd* subjects);

} // namespace corvane
