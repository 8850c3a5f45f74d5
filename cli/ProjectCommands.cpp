// new, info, dump, build: whole project files.
#include "Command.h"
#include "ProjectJson.h"

#include "model/CProjectIO.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

int runNew(Context& context, const Args& args)
{
    MessageSink& sink = context.messages;
    const std::string& location = args[0];
    const std::string& name = args[1];
    if (name.empty()) {
        showMessage(sink, msg::kNoProjectName, {}, style::error);
        return kExitFailure;
    }
    std::error_code ec;
    if (location.empty() || !fs::is_directory(location, ec)) {
        showMessage(sink, location.empty() ? msg::kNoSaveLocation : msg::kSaveLocationMissing, {},
                    style::error);
        return kExitFailure;
    }
    const std::string folder = absolutePath(location) + "/" + name;
    fs::create_directory(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        showMessage(sink, msg::kProjectFolderFailed, {}, style::error);
        return kExitFailure;
    }
    fs::create_directory(folder + "/doc", ec);
    if (ec || !fs::is_directory(folder + "/doc")) {
        showMessage(sink, msg::kFolderCreateFailed, {}, style::error);
        return kExitFailure;
    }
    const std::string path = folder + "/" + name + ".CVN";
    if (fs::exists(path, ec)) {
        // The application asks before overwriting; a script gets the question as a refusal.
        showMessage(sink, msg::kProjectFileExists, {}, style::error);
        return kExitFailure;
    }
    auto data = std::make_unique<ProjectData>();
    if (!CProjectIO(context.services).saveProject(path, *data))
        return kExitFailure;
    std::cout << path << '\n';
    return kExitOk;
}

int runInfo(Context& context, const Args& args)
{
    auto data = std::make_unique<ProjectData>();
    if (!loadProject(context, args[0], *data))
        return kExitFailure;
    int subSubjects = 0, markers = 0;
    for (int i = 0; i < data->objectCount; ++i) {
        subSubjects += data->objects[i].type == ObjectType::SubSubject;
        markers += data->objects[i].type == ObjectType::Marker;
    }
    const fs::path p(args[0]);
    std::cout << "name: " << p.stem().string() << '\n'
              << "objects: " << data->objectCount << '\n'
              << "subSubjects: " << subSubjects << '\n'
              << "markers: " << markers << '\n'
              << "links: " << data->linkCount << '\n';
    return kExitOk;
}

int runDump(Context& context, const Args& args)
{
    auto data = std::make_unique<ProjectData>();
    if (!loadProject(context, args[0], *data))
        return kExitFailure;
    std::cout << writeDump(projectToJson(*data));
    return std::cout.good() ? kExitOk : kExitFailure;
}

int runBuild(Context& context, const Args& args)
{
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
        showMessage(context.messages, msg::kFileNotFound, args[0] + "\n", style::error);
        return kExitFailure;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    std::string error;
    auto data = std::make_unique<ProjectData>();
    if (!projectFromJsonText(text, *data, error)) {
        std::cerr << args[0] << ": " << error << '\n';
        showMessage(context.messages, msg::kReadFailed, {}, style::error);
        return kExitFailure;
    }
    return CProjectIO(context.services).saveProject(absolutePath(args[1]), *data) ? kExitOk
                                                                                  : kExitFailure;
}

} // namespace

const std::vector<Command>& projectCommands()
{
    static const std::vector<Command> commands{
        {"new", 2, "FOLDER NAME", "create FOLDER/NAME/ with doc/ and an empty NAME.CVN", runNew},
        {"info", 1, "PROJECT", "name, object counts (sub-subjects, markers) and link count",
         runInfo},
        {"dump", 1, "PROJECT", "the project's settings and tables as JSON", runDump},
        {"build", 2, "JSON PROJECT", "write a project file from a JSON dump", runBuild},
    };
    return commands;
}

} // namespace corvane::cli
