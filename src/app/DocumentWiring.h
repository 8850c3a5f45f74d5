// Puts the document list and the text views into the main frame and ties them together: the
// document list opens, closes and renames text views through the tab area; the frame makes text
// views through TextWindow; refresh calls about documents reach the list's icons and the views;
// the active tab selects its document in the list and rewrites the status bar counts.
#pragma once

#include "app/LifecycleHooks.h"
#include "base/Refresh.h"
#include "doclist/CFileView.h"
#include "doclist/DocumentWindows.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

namespace corvane {

class CMainFrame;
class CVantorApp;
class DocumentWindow;
class TextWindow;

class DocumentWiring : public QObject,
                       public doclist::DocumentWindows,
                       public LifecycleHooks,
                       public Refresh
{
    Q_OBJECT
public:
    /// Installs the document list pane, the text view factory and the routes; the object lives
    /// as a child of the frame.
    static DocumentWiring* install(CMainFrame& frame, CVantorApp& app);
    ~DocumentWiring() override;

    CFileView* fileView() const { return fileView_; }
    /// The text views' phrase commands (460, 542, 405, 428, 522, 537) with the marker's or the
    /// selection's text; set by the search pane's wiring.
    std::function<void(int id, const SjisString& text)> searchCommand;
    /// The text window of the document (full disk path), or null.
    TextWindow* windowOf(const std::string& fullPath) const;

    // --- doclist::DocumentWindows ------------------------------------------------------------
    bool openDocument(const std::string& fullPath) override;
    void closeView(const std::string& fullPath) override;
    void closeDocument(const std::string& fullPath) override;
    void documentRenamed(const std::string& oldFullPath, const std::string& newFullPath) override;

    // --- LifecycleHooks: a project was created or opened ------------------------------------
    void rebuildDocumentList(bool newProject) override;

    // --- Refresh -----------------------------------------------------------------------------
    void documentMarkersChanged(SjisView relativePath, bool hasMarkers) override;
    void redrawTextViewsOf(SjisView relativePath) override;
    /// Every text view lays out again with the project's new text view settings.
    void textViewSettingsChanged() override;
    void dropCurrentMarkerHighlight(SjisView relativePath) override;
    void showSpanOfObject(ObjectId id) override;

private:
    DocumentWiring(CMainFrame& frame, CVantorApp& app);
    void activeWindowChanged(DocumentWindow* window);
    void saveProject();

    CMainFrame& frame_;
    CVantorApp& app_;
    QPointer<CFileView> fileView_;
};

} // namespace corvane
