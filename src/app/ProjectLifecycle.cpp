#include "app/ProjectLifecycle.h"

#include "app/OpenDocumentsList.h"
#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/Services.h"
#include "base/SettingsKeys.h"
#include "model/Bookmarks.h"
#include "model/CProjectIO.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "model/ProjectData.h"
#include "model/ProjectStatus.h"
#include "res/AddedMessages.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace corvane {

namespace {

namespace fs = std::filesystem;

/// The path as an absolute, lexically normal UTF-8 path, so that one project file has one
/// spelling in the recent list and in the already-open test.
std::string absolutePath(const std::string& path)
{
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec);
    if (ec)
        return path;
    return p.lexically_normal().string();
}

bool isRegularFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

/// Disk paths (UTF-8) of the documents that markers name but that do not exist, each once, in
/// table order.
std::vector<std::string> missingMarkedDocuments(const ProjectData& data)
{
    std::vector<std::string> missing;
    std::vector<SjisString> seen;
    const std::string docFolder = data.docFolder();
    for (int i = 0; i < data.objectCount; ++i) {
        const ObjectRecord& r = data.objects[i];
        if (r.type != ObjectType::Marker)
            continue;
        SjisString relative(fixedText(r.document));
        if (std::find(seen.begin(), seen.end(), relative) != seen.end())
            continue;
        const std::optional<std::string> disk = docpath::toDiskPath(docFolder, relative);
        if (!disk || !isRegularFile(*disk))
            missing.push_back(disk ? *disk : docFolder + codec::toUtf8(relative).text);
        seen.push_back(std::move(relative));
    }
    return missing;
}

} // namespace

std::string windowTitle(const ProjectData& data)
{
    if (!data.isOpen())
        return kApplicationName;
    return data.name + " - " + kApplicationName;
}

ProjectLifecycle::ProjectLifecycle(ProjectData& data, Services& services, CProjectIO& io,
                                   LifecycleHooks& hooks)
    : data_(data), services_(services), io_(io), hooks_(hooks), recent_(services.settings)
{
}

bool ProjectLifecycle::isOpenProject(const std::string& path) const
{
    return data_.isOpen() && RecentProjects::samePath(absolutePath(path), data_.projectFilePath());
}

bool ProjectLifecycle::openProject(const std::string& path, bool addToRecent)
{
    if (path.empty())
        return false;
    const std::string full = absolutePath(path);
    if (isOpenProject(full))
        return true;
    if (data_.isOpen() && !closeProject(false))
        return false;
    if (!loadAndShow(full))
        return false;
    if (addToRecent) {
        recent_.add(full);
        hooks_.recentListChanged();
    }
    return true;
}

bool ProjectLifecycle::openRecent(int index)
{
    const std::string path = recent_.entry(index);
    if (path.empty())
        return false;
    if (!isRegularFile(path)) {
        const SjisString leading = codec::fromUtf8(path).text + "\n";
        if (showMessage(services_.messages, msg::kProjectFileNotFound, leading, style::yesNo) ==
            Answer::Yes) {
            recent_.remove(index);
            hooks_.recentListChanged();
        }
        return false;
    }
    return openProject(path, true);
}

bool ProjectLifecycle::loadAndShow(const std::string& path)
{
    // Identity first from the path alone: a name the rest of the system cannot use is refused
    // before anything is read.
    const std::size_t slash = path.rfind('/');
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    if (fileName.size() <= 4) {
        showMessage(services_.messages, msg::kCannotOpenFile, codec::fromUtf8(path).text + "\n",
                    style::error);
        return false;
    }

    if (!io_.loadProjectFile(path, data_))
        return false;

    data_.folder = path.substr(0, slash + 1);
    data_.name = fileName.substr(0, fileName.size() - 4);
    data_.fileExtension = fileName.substr(fileName.size() - 4);
    data_.modified = false;
    data_.currentObject = -1;
    data_.openDocuments.clear();

    std::array<bool, 4> bookmarksSet{};
    for (int i = 0; i < kBookmarkCount; ++i)
        bookmarksSet[static_cast<std::size_t>(i)] = data_.textView.bookmarkPosition[i] != -1;
    hooks_.showBookmarkButtons(bookmarksSet);

    hooks_.rebuildDocumentList(false);
    services_.refresh.resetPropertiesPane();
    services_.refresh.rebuildMarkerList();
    hooks_.rebuildSubjectList();
    hooks_.refreshSearchPane(read(services_.settings, keys::SearchTarget),
                             read(services_.settings, keys::SearchRepDic));

    // Documents that markers or the open documents list name but that are gone (moved or deleted
    // outside the program, or by a run that ended before its save) are told once, not silently
    // passed over.
    std::vector<std::string> missing = missingMarkedDocuments(data_);
    opn::read(
        data_, [this](const std::string& document) { return hooks_.openDocument(document); },
        &missing);

    showChartByPreference();
    hooks_.restartCaretTimer(data_.textView.caretBlink * 100);
    hooks_.setWindowTitle(windowTitle(data_));
    refreshStatusCounts(data_, services_);
    std::vector<std::string> gone; // each document once, though markers and the list name it
    for (std::string& path : missing) {
        if (std::find(gone.begin(), gone.end(), path) == gone.end())
            gone.push_back(std::move(path));
    }
    if (!gone.empty()) {
        const std::string leading = "見つからない文書: " + std::to_string(gone.size()) +
                                    " 件\n最初の文書: " + gone.front() + "\n\n";
        showMessage(services_.messages, msg::kMarkedDocumentsMissing, codec::fromUtf8(leading).text,
                    style::warning);
    }
    return true;
}

void ProjectLifecycle::showChartByPreference()
{
    // Last/ShowChart is the user's last choice through the chart view command; a project opens
    // with the chart window when that choice was "shown", and the flag says whether the window
    // really exists.
    data_.chartShown = read(services_.settings, keys::ShowChart) == 1 && hooks_.openChartWindow();
}

std::optional<std::vector<std::string>> ProjectLifecycle::confirmDocumentSaves()
{
    std::vector<std::string> listed;
    for (const std::string& path : hooks_.changedDocuments()) {
        // Documents with markers or bookmarks are saved when their windows close whatever the
        // user says, so that neither ever points past a text that was thrown away.
        const std::optional<SjisString> relative = docpath::toRelative(data_.docFolder(), path);
        if (relative &&
            (countMarkersIn(data_, *relative) > 0 || bookmarks::anyIn(data_, *relative)))
            continue;
        listed.push_back(path);
    }
    if (listed.empty())
        return std::vector<std::string>{};

    SaveConfirmation answer = hooks_.askWhichDocumentsToSave(listed);
    if (answer.cancelled)
        return std::nullopt;
    return std::move(answer.doNotSave);
}

bool ProjectLifecycle::closeProject(bool forExit)
{
    if (!data_.isOpen())
        return true;

    const std::optional<std::vector<std::string>> doNotSave = confirmDocumentSaves();
    if (!doNotSave)
        return false;

    // Documents are written before anything closes. A document that cannot be written stops
    // the close as if cancelled: its window keeps the unsaved text and its "*", and the project
    // stays open, so nothing is lost and the user can make room or fix permissions and retry.
    for (const std::string& path : hooks_.changedDocuments()) {
        const bool discard =
            std::find(doNotSave->begin(), doNotSave->end(), path) != doNotSave->end();
        if (!discard && !hooks_.saveDocument(path))
            return false;
    }

    // A failed save never empties the tables unasked: that would throw away every change since
    // the last save. After the save's own message the user decides (No, the default, keeps the
    // project open so room can be made or permissions fixed); without this question a project
    // folder that has become unwritable would leave no way to close but killing the process.
    if (data_.modified && !save() &&
        showMessage(services_.messages, msg::kCloseWithoutSaving, {}, style::yesNoDefaultNo) !=
            Answer::Yes)
        return false;

    closing_ = true;
    if (data_.chartShown) {
        hooks_.closeChartWindow();
        data_.chartShown = false;
    }
    if (!forExit)
        hooks_.showBookmarkButtons({});

    opn::write(data_);
    hooks_.closeAllDocumentWindows(*doNotSave);
    closing_ = false;

    hooks_.closeDocumentList();
    hooks_.closeSubjectList();
    services_.refresh.resetPropertiesPane();
    data_.clearTables();
    data_.openDocuments.clear();
    data_.modified = false;
    services_.refresh.rebuildMarkerList();
    showNoProject();
    return true;
}

void ProjectLifecycle::showNoProject()
{
    data_.folder.clear();
    data_.name.clear();
    data_.fileExtension = ".CVN";
    hooks_.setWindowTitle(windowTitle(data_));
    refreshStatusCounts(data_, services_);
}

bool ProjectLifecycle::save()
{
    if (!data_.isOpen())
        return false;
    if (data_.chartShown) {
        if (const std::optional<ChartScroll> scroll = hooks_.chartScrollPosition()) {
            data_.chartView.scrollX = scroll->x;
            data_.chartView.scrollY = scroll->y;
        }
    }
    return io_.saveProject(data_.projectFilePath(), data_);
}

bool ProjectLifecycle::createProject(const std::string& folder, const std::string& name)
{
    if (folder.empty() || name.empty())
        return false;
    std::string projectFolder = folder;
    if (projectFolder.back() != '/')
        projectFolder.push_back('/');

    write(services_.settings, keys::ProName, codec::fromUtf8(name).text);
    write(services_.settings, keys::ProPath, codec::fromUtf8(projectFolder).text);

    if (data_.isOpen() && !closeProject(false))
        return false;

    // Fresh blocks: reserved bytes of the previous project must not travel into the new one.
    data_.textView = TextViewSettings{};
    data_.chartView = ChartViewSettings{};
    applyNewProjectValues(data_.textView);
    applyNewProjectValues(data_.chartView);
    data_.clearTables();
    data_.chartShown = false;
    data_.openDocuments.clear();

    const std::string path = projectFolder + name + ".CVN";
    if (!io_.saveProject(path, data_))
        return false;

    data_.folder = projectFolder;
    data_.name = name;
    data_.fileExtension = ".CVN";
    data_.modified = false;

    hooks_.showBookmarkButtons({});
    hooks_.rebuildDocumentList(true);
    recent_.add(path);
    hooks_.recentListChanged();
    services_.refresh.resetPropertiesPane();
    services_.refresh.rebuildMarkerList();
    hooks_.rebuildSubjectList();
    hooks_.refreshSearchPane(read(services_.settings, keys::SearchTarget),
                             read(services_.settings, keys::SearchRepDic));
    showChartByPreference();
    hooks_.restartCaretTimer(data_.textView.caretBlink * 100);
    hooks_.setWindowTitle(windowTitle(data_));
    refreshStatusCounts(data_, services_);
    return true;
}

bool ProjectLifecycle::toggleChart()
{
    if (!data_.isOpen())
        return false;
    if (!data_.chartShown) {
        data_.chartShown = hooks_.openChartWindow();
    } else {
        hooks_.closeChartWindow();
        data_.chartShown = false;
    }
    write(services_.settings, keys::ShowChart, data_.chartShown ? 1 : 0);
    return data_.chartShown;
}

void ProjectLifecycle::chartWindowClosed()
{
    const bool wasShown = data_.chartShown;
    data_.chartShown = false;
    if (wasShown && !closing_ && data_.isOpen())
        write(services_.settings, keys::ShowChart, 0);
}

} // namespace corvane
