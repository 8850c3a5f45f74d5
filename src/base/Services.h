// The small set of interfaces through which logic reaches the user and the preferences. The
// application object owns the real implementations; tests pass fakes.
#pragma once

#include "base/ColourChooser.h"
#include "base/MessageSink.h"
#include "base/Refresh.h"
#include "base/Settings.h"

namespace corvane {

struct Services
{
    SettingsStore& settings;
    MessageSink& messages;
    Refresh& refresh;
    ViewQueries& views;
    ColourChooser& colours;
};

} // namespace corvane
