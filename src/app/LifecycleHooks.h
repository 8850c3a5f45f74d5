// What opening and closing a project need from the windows. The shell implements it; every call
// has an empty default so that tests fake only what they watch and windows that do not exist yet
// are simply skipped. Paths here are UTF-8 disk paths with "/" separators.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The chart view's scroll position in canvas pixels.
struct ChartScroll
{
    int x = 0;
    int y = 0;
};

/// The user's answer to the save confirmation of changed documents.
struct SaveConfirmation
{
    bool cancelled = false;
    /// Documents the user unchecked: their windows close without saving. Documents not listed
    /// are saved when their windows close.
    std::vector<std::string> doNotSave;
};

class LifecycleHooks
{
public:
    virtual ~LifecycleHooks() = default;

    // --- panes ---------------------------------------------------------------------------
    /// Document list: rebuild from the doc folder; newProject: a fresh tree without reading the
    /// view-state file (".toc").
    virtual void rebuildDocumentList(bool /*newProject*/) {}
    /// Document list: write its view state (".toc") and empty the tree.
    virtual void closeDocumentList() {}
    /// Subject list: rebuild from the object table (reads its ".soc" state).
    virtual void rebuildSubjectList() {}
    /// Subject list: write its state (".soc") and empty the list.
    virtual void closeSubjectList() {}
    /// Search pane: rebuild the target lists, select target (Search/Target), use the replacement
    /// dictionary repDicSjis (Search/RepDic, Shift-JIS) and refresh.
    virtual void refreshSearchPane(int /*target*/, const std::string& /*repDicSjis*/) {}
    /// Ribbon bookmark buttons: set[i] shows the set image for slot i, else the unset image.
    virtual void showBookmarkButtons(const std::array<bool, 4>& /*set*/) {}
    /// Restart the caret blink timer with this interval when it is running.
    virtual void restartCaretTimer(int /*intervalMs*/) {}
    virtual void setWindowTitle(const std::string& /*titleUtf8*/) {}
    /// The recent projects list changed: rebuild the recent entries of the menu.
    virtual void recentListChanged() {}

    // --- document windows ----------------------------------------------------------------
    /// Open the document (full disk path) in a text view. False when it cannot be opened (missing
    /// file, 20 documents open, load failure). The view adds itself to data.openDocuments.
    virtual bool openDocument(const std::string& /*fullPath*/) { return false; }
    /// Full disk paths (without the unsaved mark "*") of the open text views whose document has
    /// unsaved changes, in window order.
    virtual std::vector<std::string> changedDocuments() const { return {}; }
    /// Run the save confirmation dialog over paths (never empty).
    virtual SaveConfirmation askWhichDocumentsToSave(const std::vector<std::string>& /*paths*/)
    {
        return {};
    }
    /// Save the text view's document now (tab commands, and the project close before any
    /// window closes). False on failure (message shown); the view keeps its unsaved text.
    virtual bool saveDocument(const std::string& /*fullPath*/) { return true; }
    /// Close every text view (and the chart view if still open). Views of documents in
    /// doNotSave close without saving; the others were saved just before (closeProject stops
    /// when such a save fails), so closing them cannot lose text.
    virtual void closeAllDocumentWindows(const std::vector<std::string>& /*doNotSave*/) {}

    // --- chart window --------------------------------------------------------------------
    /// Open the chart window (tab "チャートビュー"); true when it exists afterwards.
    virtual bool openChartWindow() { return false; }
    /// Close the chart window. The chart frame clears data.chartShown as it closes.
    virtual void closeChartWindow() {}
    /// The chart view's current scroll position; nullopt when no chart view exists.
    virtual std::optional<ChartScroll> chartScrollPosition() const { return std::nullopt; }
};

} // namespace corvane
