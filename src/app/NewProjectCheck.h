// The checks of the new-project dialog, in the dialog's order, with their messages and the field
// that gets the focus; and the dialog's starting values.
#pragma once

#include "base/MessageSink.h"
#include "base/Settings.h"

#include <string>

namespace corvane {

enum class NewProjectField
{
    None,
    Name,
    Location
};

struct NewProjectCheckResult
{
    enum class Outcome
    {
        Accepted,  ///< folder and name are set; the dialog closes
        StayOpen,  ///< a message was shown; focus goes to field and the dialog stays open
        Cancelled, ///< the user declined to overwrite an existing project file
    };
    Outcome outcome = Outcome::StayOpen;
    NewProjectField focus = NewProjectField::None;
    std::string folder; ///< project folder, UTF-8, ending in "/"
    std::string name;   ///< project name, UTF-8
};

/// Runs the checks 30002, 30003, 30004, 30005, 30024 and 30006 in order. Creates the project
/// folder and its doc folder when missing (as the dialog does, before the overwrite question).
/// nameUtf8 and locationUtf8 come from the dialog's fields.
NewProjectCheckResult checkNewProject(const std::string& nameUtf8, const std::string& locationUtf8,
                                      MessageSink& messages);

struct NewProjectDefaults
{
    std::string nameUtf8;     ///< Last/ProName
    std::string locationUtf8; ///< the parent folder of Last/ProPath, or currentFolder
};

/// Starting values of the dialog: the name from Last/ProName; the location is the parent of the
/// last project folder (Last/ProPath, stored with its trailing "/"), or currentFolder when that
/// value is empty, has no trailing separator or no parent.
NewProjectDefaults newProjectDefaults(const SettingsStore& settings,
                                      const std::string& currentFolder);

} // namespace corvane
