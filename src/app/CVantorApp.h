// The application object: owns the open project's data, the preferences, the message sink, the
// routes from logic to the windows and the lifecycle procedures, for the life of the process.
// There is no other mutable global state; windows reach it through the reference they are given.
#pragma once

#include "app/ShellRouting.h"
#include "base/Services.h"
#include "model/CProjectIO.h"
#include "model/ProjectData.h"

#include <memory>
#include <string>
#include <vector>

namespace corvane {

class LifecycleHooks;
class TextViewHost;
class ProjectLifecycle;

class CVantorApp
{
public:
    CVantorApp(std::unique_ptr<SettingsStore> settings, std::unique_ptr<MessageSink> messages);
    ~CVantorApp();
    CVantorApp(const CVantorApp&) = delete;
    CVantorApp& operator=(const CVantorApp&) = delete;

    ProjectData& data() { return data_; }
    SettingsStore& settings() { return *settings_; }
    MessageSink& messages() { return *messages_; }
    Services& services() { return services_; }
    CProjectIO& projectIO() { return io_; }
    RefreshRouter& refresh() { return refresh_; }
    ViewRouter& views() { return views_; }
    /// The open documents and what the text views share; outlives every view.
    TextViewHost& textViews() { return *textViews_; }

    /// The frame hands itself in as the windows' side of the lifecycle; null detaches.
    void attachWindows(LifecycleHooks* hooks, const ViewQueries* views);
    /// Valid while windows are attached.
    ProjectLifecycle& lifecycle();
    bool hasLifecycle() const { return lifecycle_ != nullptr; }

    /// The project to open at start-up: the command line's path, else with KanSet/FirstOpen 1 the
    /// newest recent entry, else "".
    std::string projectToOpenAtStart(const std::vector<std::string>& arguments) const;

    // Settings the frame keeps while it lives and writes back when it is destroyed.
    int playAnime = 3;  ///< hover animations, 0 = none
    int speedAnime = 0; ///< 0 fast .. 4 slow
    bool dspGuide = true;
    void writeFrameSettings();

private:
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<MessageSink> messages_;
    RefreshRouter refresh_;
    ViewRouter views_;
    QtColourChooser colours_;
    Services services_;
    ProjectData data_;
    CProjectIO io_;
    std::unique_ptr<TextViewHost> textViews_;
    std::unique_ptr<ProjectLifecycle> lifecycle_;
};

} // namespace corvane
