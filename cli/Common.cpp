// What every cvntool command shares: the services it runs with, paths and loading a project.
#include "Command.h"

#include "model/CProjectIO.h"

#include <filesystem>
#include <iostream>

namespace corvane::cli {

Answer StderrMessages::present(int, const std::string& fullTextUtf8, MessageStyle style)
{
    std::cerr << fullTextUtf8 << '\n';
    return style.buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
}

Context::Context()
{
    // The tool never keeps a backup copy: scripts rebuild their files and want exactly one.
    settings.writeInt("KanSet", "MakeBackup", 0);
}

std::string absolutePath(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec);
    std::string out = ec ? path : p.lexically_normal().string();
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return out;
}

bool loadProject(Context& context, const std::string& path, ProjectData& data)
{
    return CProjectIO(context.services).loadProjectFile(absolutePath(path), data);
}

std::unique_ptr<ProjectData> openProject(Context& context, const std::string& argument)
{
    auto data = std::make_unique<ProjectData>();
    if (!loadProject(context, argument, *data))
        return nullptr;
    const std::filesystem::path p(absolutePath(argument));
    data->folder = p.parent_path().string() + "/";
    data->name = p.stem().string();
    data->fileExtension = p.extension().string();
    return data;
}

int badUsage(const char* usage)
{
    std::cerr << "usage: cvntool " << usage << '\n';
    return kExitUsage;
}

} // namespace corvane::cli
