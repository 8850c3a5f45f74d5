// The panes that live in the main frame besides the document list, each put into its dock and
// onto the routes it needs (lifecycle hooks, refresh calls). The running application and the
// widget tests build the frame through the same calls.
#pragma once

namespace corvane {

class CMainFrame;
class CSubjectWnd;
class CVantorApp;

/// The subject list pane: rebuilt by the lifecycle, told of every link change. Owned by its dock.
CSubjectWnd* installSubjectPane(CMainFrame& frame, CVantorApp& app);

} // namespace corvane
