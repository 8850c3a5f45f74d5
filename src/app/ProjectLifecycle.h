// The procedures that create, open, save and close a project and tie the project data to the
// windows: the logic behind the commands new, open, save, close, the recent entries, the chart
// view command and the tab commands that close windows. Dialogs stay with the shell; it asks
// them first and hands the answers in, or answers through LifecycleHooks.
#pragma once

#include "app/LifecycleHooks.h"
#include "app/RecentProjects.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

class CProjectIO;
struct ProjectData;
struct Services;

/// "Corvane": window title, message box caption.
inline constexpr const char* kApplicationName = "Corvane";

/// project name + " - " + "Corvane" while a project is open, "Corvane" otherwise.
std::string windowTitle(const ProjectData& data);

class ProjectLifecycle
{
public:
    ProjectLifecycle(ProjectData& data, Services& services, CProjectIO& io, LifecycleHooks& hooks);

    /// Open command, recent entry and start-up. When path names the open project (the same file by
    /// RecentProjects::samePath) nothing happens and the result is true. Otherwise the open project
    /// is closed first (false when that was cancelled or its save failed), then the file is loaded
    /// and every pane brought up to date. A failed load leaves no project open and returns false.
    /// addToRecent: put the path first in the recent projects on success (not at start-up).
    bool openProject(const std::string& path, bool addToRecent);

    /// Recent entry index (0-9). An empty entry does nothing (false). A missing file asks 30017
    /// and removes the entry on Yes (false). Otherwise as openProject(path, true).
    bool openRecent(int index);

    /// Close project. Asks the save confirmation (false when cancelled), saves the changed
    /// documents the user kept, then a modified project without asking; when a document's save
    /// fails the close is abandoned and false is returned, the project, its windows and their
    /// unsaved text staying as they were (the failed save told the user why). When the project's
    /// save fails, the user is asked whether to close without saving (default No; No abandons
    /// the close as above). Then writes the
    /// open documents list, closes every window and empties the tables. forExit: the ribbon's
    /// bookmark buttons are left alone. Without an open project: true.
    bool closeProject(bool forExit);

    /// Save command: the project file, whether or not anything changed. The chart's scroll
    /// position is taken into the chart settings first when the chart is shown.
    bool save();

    /// New project after the dialog accepted folder (ending in "/") and name: remembers them in
    /// Last/ProName and Last/ProPath, closes the open project (false when cancelled), writes an
    /// empty project with new-project values and makes it the open project. A failed save leaves
    /// no project open.
    bool createProject(const std::string& folder, const std::string& name);

    /// Save confirmation: lists changed documents that hold no marker and asks the user through
    /// the hooks. nullopt when cancelled; otherwise the documents not to save (possibly none).
    std::optional<std::vector<std::string>> confirmDocumentSaves();

    /// Chart view command: invert the chart shown flag, open or close the chart window and write
    /// the result to Last/ShowChart. Returns the flag afterwards. A project opens (or is created)
    /// with the chart window exactly when Last/ShowChart is 1, so the choice carries over.
    bool toggleChart();

    /// The chart frame tells that its window closed. Outside a project close this is the user's
    /// choice to hide the chart and is remembered in Last/ShowChart like the chart view command.
    void chartWindowClosed();

    /// True when path names the open project's file (RecentProjects::samePath).
    bool isOpenProject(const std::string& path) const;

    RecentProjects& recent() { return recent_; }

private:
    bool loadAndShow(const std::string& path);
    void showNoProject();
    void showChartByPreference();

    ProjectData& data_;
    Services& services_;
    CProjectIO& io_;
    LifecycleHooks& hooks_;
    RecentProjects recent_;
    bool closing_ = false; ///< true while closeProject closes the windows
};

} // namespace corvane
