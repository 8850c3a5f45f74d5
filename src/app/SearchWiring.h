// The search pane in the main frame and the finding in the text view: the pane's dock, its hits
// opened in text views, the document list's "search in this folder", the text view's phrase
// commands and marker drags, and the ribbon's search box with find next and previous.
#pragma once

#include "search/FindInText.h"

namespace corvane {

class CMainFrame;
class CSearchWnd;
class CVantorApp;
class DocumentWiring;

/// Installs the search pane and the find commands (532-535, 537); the pane is owned by its dock.
CSearchWnd* installSearchPane(CMainFrame& frame, CVantorApp& app, DocumentWiring& documents);

/// Find next or previous in the active text view with the ribbon box's phrase; false when
/// nothing was selected.
bool findInActiveView(CMainFrame& frame, CVantorApp& app, const CSearchWnd* pane,
                      search::FindDirection direction);

} // namespace corvane
