#include "app/CVantorApp.h"

#include "app/ProjectLifecycle.h"
#include "base/SettingsKeys.h"
#include "model/WorkFolder.h"
#include "textview/TextViewHost.h"

#include <cassert>

namespace corvane {

CVantorApp::CVantorApp(std::unique_ptr<SettingsStore> settings,
                       std::unique_ptr<MessageSink> messages)
    : settings_(std::move(settings)),
      messages_(std::move(messages)), services_{*settings_, *messages_, refresh_, views_, colours_},
      io_(services_), textViews_(std::make_unique<TextViewHost>(data_, services_))
{
    playAnime = read(*settings_, keys::PlayAnime);
    speedAnime = read(*settings_, keys::SpeedAnime);
    dspGuide = read(*settings_, keys::DspGuide) != 0;
    // Claiming this process's work folder at start-up clears away the working copies of runs
    // that crashed; a failure is reported when a command first needs the folder.
    workfolder::processFolder();
}

CVantorApp::~CVantorApp() = default;

void CVantorApp::attachWindows(LifecycleHooks* hooks, const ViewQueries* views)
{
    views_.setTarget(views);
    if (hooks)
        lifecycle_ = std::make_unique<ProjectLifecycle>(data_, services_, io_, *hooks);
    else
        lifecycle_.reset();
}

ProjectLifecycle& CVantorApp::lifecycle()
{
    assert(lifecycle_);
    return *lifecycle_;
}

std::string CVantorApp::projectToOpenAtStart(const std::vector<std::string>& arguments) const
{
    for (const std::string& a : arguments)
        if (!a.empty() && a.front() != '-')
            return a;
    if (read(*settings_, keys::FirstOpen) == 1)
        return RecentProjects(*settings_).entry(0);
    return {};
}

void CVantorApp::writeFrameSettings()
{
    write(*settings_, keys::PlayAnime, playAnime);
    write(*settings_, keys::SpeedAnime, speedAnime);
    write(*settings_, keys::DspGuide, dspGuide ? 1 : 0);
}

} // namespace corvane
