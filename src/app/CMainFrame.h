// The main window: ribbon, five dockable panes around the tab area of document windows, the
// status bar, the caret timer and the command table's actions. It is the windows' side of the
// project lifecycle (LifecycleHooks) and answers the logic's questions about the active view.
#pragma once

#include "app/LifecycleHooks.h"
#include "app/PaneId.h"
#include "app/ProjectLifecycle.h"
#include "base/Refresh.h"

#include <QAction>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QDockWidget;
class QMenu;

namespace corvane {

class CVantorApp;
class CMainStatusBar;
class CRibbonBar;
class CTabArea;
class DocumentWindow;
struct CommandContext;

class CMainFrame : public QMainWindow, public LifecycleHooks, public ViewQueries
{
    Q_OBJECT
public:
    explicit CMainFrame(CVantorApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// Where the frame first appears on a screen whose free area is available: 85 % of it on a
    /// large screen, never less than 1280 x 800 where that fits, centred. A screen smaller than
    /// 1280 x 800 gets the whole area (maximised is true: start maximised).
    struct StartGeometry
    {
        QRect rect;
        bool maximised = false;
    };
    static StartGeometry startGeometry(const QRect& available);
    /// Resizes and places the frame for the screen it is on, before it is first shown.
    void placeOnScreen();

    /// Pane sizes on a first start, from the frame's size: the side panes wide enough for
    /// subject titles on a large screen, the bottom panes and the properties pane tall enough to
    /// show some rows on a small one.
    struct PaneSizes
    {
        int sideWidth = 200;
        int bottomHeight = 100;
        int subjectsHeight = 200;   ///< right column: subject list above ...
        int propertiesHeight = 200; ///< ... the properties pane
    };
    static PaneSizes paneSizesFor(const QSize& frameSize);

    CVantorApp& app() { return app_; }
    CRibbonBar* ribbon() const { return ribbon_; }
    CTabArea* tabArea() const { return tabs_; }
    CMainStatusBar* mainStatusBar() const { return status_; }
    QDockWidget* pane(PaneId id) const;
    QAction* action(int id) const;

    // --- for the subsystems that plug in ---------------------------------------------------
    /// Puts the pane's real contents in place of the placeholder.
    void setPaneWidget(PaneId id, QWidget* widget);
    /// A frame-level handler for a command; enabled/checked add to the table's rule.
    void setCommandHandler(int id, std::function<void()> handler,
                           std::function<bool()> enabled = {}, std::function<bool()> checked = {});
    /// Makes the text view of a document (full disk path); null when it cannot be opened.
    void setTextWindowFactory(std::function<DocumentWindow*(const std::string& fullPath)> factory);
    /// Makes the chart view; by default an empty window titled "チャートビュー".
    void setChartWindowFactory(std::function<DocumentWindow*()> factory);
    /// Panes that take part in opening and closing a project (document list, subject list, ...).
    void addPaneHooks(LifecycleHooks* hooks);
    /// Operation guide text at the left of the status bar; shown only while the guide is on.
    void setGuideText(const QString& text);

    // --- commands ----------------------------------------------------------------------------
    /// Runs a command as the ribbon would: only when it is enabled.
    bool runCommand(int id);
    void updateCommandStates();
    /// The tab context menu for window, with the items that do not apply left out.
    std::unique_ptr<QMenu> buildTabMenu(DocumentWindow* window);
    /// The menu offered when a tab is dropped on another group with the right button: the tab
    /// group commands that apply to window, and cancel.
    std::unique_ptr<QMenu> buildTabDropMenu(DocumentWindow* window);
    /// The project file to open; tests replace the file dialog.
    std::function<QString()> askProjectFile;

    // --- document windows ------------------------------------------------------------------
    void addDocumentWindow(DocumentWindow* window);
    /// The window's standard close; false when it refused.
    bool closeDocumentWindow(DocumentWindow* window);
    DocumentWindow* chartWindow() const;
    int caretInterval() const { return caretTimer_.interval(); }
    bool caretTimerRunning() const { return caretTimer_.isActive(); }

    /// Start-up after the frame is shown: opens the project of the command line or of the recent
    /// list, then shows the start dialog when none is open and KanSet/FirstDsp is 1.
    void openAtStart(const std::string& path);
    /// Runs the start dialog when its rule says so.
    void showFirstDialogIfAsked();

    // --- LifecycleHooks ----------------------------------------------------------------------
    void rebuildDocumentList(bool newProject) override;
    void closeDocumentList() override;
    void rebuildSubjectList() override;
    void closeSubjectList() override;
    void refreshSearchPane(int target, const std::string& repDicSjis) override;
    void showBookmarkButtons(const std::array<bool, 4>& set) override;
    void restartCaretTimer(int intervalMs) override;
    void setWindowTitle(const std::string& titleUtf8) override;
    void recentListChanged() override;
    bool openDocument(const std::string& fullPath) override;
    std::vector<std::string> changedDocuments() const override;
    SaveConfirmation askWhichDocumentsToSave(const std::vector<std::string>& paths) override;
    bool saveDocument(const std::string& fullPath) override;
    void closeAllDocumentWindows(const std::vector<std::string>& doNotSave) override;
    bool openChartWindow() override;
    void closeChartWindow() override;

    // --- ViewQueries -------------------------------------------------------------------------
    ActiveView activeView() const override;
    bool isDocumentOpen(SjisView relativePath) const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    /// Offers through add each tab-group command the tab area allows at this moment, in the
    /// order both tab menus show them.
    void addAllowedTabGroupCommands(const std::function<void(int)>& add) const;
    class StatusRefresh;

    void createActions();
    void createPanes();
    /// The user's pane layout of the last session, or sizes from the frame's size.
    void arrangePanes();
    void savePaneLayout();
    void registerFrameHandlers();
    void onCommand(int id);
    CommandContext commandContext() const;
    bool isEnabled(int id) const;
    bool isChecked(int id) const;
    void togglePane(PaneId id);
    void applyTabLocation();
    void toggleGuide();
    void toggleFullScreen();
    void showHelp();
    void newProject();
    void openProjectCommand();
    void recentKanri();
    void customiseRibbon();
    /// Close all (keep == null) or all but keep, after the save confirmation.
    void closeWindowsAfterConfirmation(DocumentWindow* keep);
    void onWindowsMovedBetweenGroups();
    void removeWindow(DocumentWindow* window);

    CVantorApp& app_;
    CRibbonBar* ribbon_ = nullptr;
    CTabArea* tabs_ = nullptr;
    CMainStatusBar* status_ = nullptr;
    std::map<PaneId, QDockWidget*> panes_;
    std::map<int, QAction*> actions_;
    struct Handler
    {
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
    };
    std::map<int, Handler> handlers_;
    QList<QAction*> recentActions_;
    std::vector<LifecycleHooks*> paneHooks_;
    std::function<DocumentWindow*(const std::string&)> textFactory_;
    std::function<DocumentWindow*()> chartFactory_;
    std::unique_ptr<StatusRefresh> statusRefresh_;
    QTimer caretTimer_;
    QTimer stateTimer_;
    QTimer guideTimer_;
    QPointer<DocumentWindow> menuWindow_; ///< the tab whose menu is open
    bool closingWindowsForProject_ = false;
    bool panesArranged_ = false;
};

} // namespace corvane
