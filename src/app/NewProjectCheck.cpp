#include "app/NewProjectCheck.h"

#include "base/Codec.h"
#include "base/SettingsKeys.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <filesystem>
#include <system_error>

namespace corvane {

namespace {

namespace fs = std::filesystem;

NewProjectCheckResult stayOpen(NewProjectField focus)
{
    NewProjectCheckResult r;
    r.outcome = NewProjectCheckResult::Outcome::StayOpen;
    r.focus = focus;
    return r;
}

/// A project name becomes one folder name and one file name. A "/" would make it a path that
/// reaches into other folders, "." and ".." name folders that exist already; none of them can
/// be the folder of a new project, just as the system refuses such a name on Windows.
bool isUsableFolderName(const std::string& name)
{
    return name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool ensureDirectory(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return true;
    if (fs::exists(path, ec))
        return false; // a file of that name is in the way
    return fs::create_directory(path, ec) && !ec;
}

} // namespace

NewProjectCheckResult checkNewProject(const std::string& nameUtf8, const std::string& locationUtf8,
                                      MessageSink& messages)
{
    if (nameUtf8.empty()) {
        showMessage(messages, msg::kNoProjectName);
        return stayOpen(NewProjectField::Name);
    }
    if (locationUtf8.empty()) {
        showMessage(messages, msg::kNoSaveLocation);
        return stayOpen(NewProjectField::Location);
    }

    std::error_code ec;
    const fs::path location = fs::absolute(fs::path(locationUtf8), ec).lexically_normal();
    if (ec || !fs::is_directory(location, ec)) {
        showMessage(messages, msg::kSaveLocationMissing);
        return stayOpen(NewProjectField::Location);
    }

    if (!isUsableFolderName(nameUtf8)) {
        showMessage(messages, msg::kProjectFolderFailed, {}, style::error);
        return stayOpen(NewProjectField::Name);
    }
    const fs::path folder = location / fs::path(nameUtf8);
    if (!ensureDirectory(folder)) {
        showMessage(messages, msg::kProjectFolderFailed, {}, style::error);
        return stayOpen(NewProjectField::Location);
    }
    if (!ensureDirectory(folder / "doc")) {
        showMessage(messages, msg::kFolderCreateFailed, {}, style::error);
        return stayOpen(NewProjectField::Location);
    }

    NewProjectCheckResult result;
    result.folder = folder.string();
    if (result.folder.back() != '/')
        result.folder.push_back('/');
    result.name = nameUtf8;

    const fs::path projectFile = fs::path(result.folder + nameUtf8 + ".CVN");
    if (fs::exists(projectFile, ec)) {
        if (showMessage(messages, msg::kProjectFileExists, {}, style::yesNo) != Answer::Yes) {
            result.outcome = NewProjectCheckResult::Outcome::Cancelled;
            return result;
        }
    }
    result.outcome = NewProjectCheckResult::Outcome::Accepted;
    return result;
}

NewProjectDefaults newProjectDefaults(const SettingsStore& settings,
                                      const std::string& currentFolder)
{
    NewProjectDefaults d;
    d.nameUtf8 = codec::toUtf8(read(settings, keys::ProName)).text;
    d.locationUtf8 = currentFolder;

    // Last/ProPath holds the last project folder with its trailing separator; its parent is
    // where the last project was made.
    std::string last = codec::toUtf8(read(settings, keys::ProPath)).text;
    if (last.empty() || last.back() != '/')
        return d;
    last.pop_back();
    const std::size_t slash = last.rfind('/');
    if (slash == std::string::npos || last.empty())
        return d;
    d.locationUtf8 = slash == 0 ? std::string("/") : last.substr(0, slash);
    return d;
}

} // namespace corvane
