// cvntool: project files from the command line, for users' scripts and for tests.
#include "Command.h"

#include "model/CProjectIO.h"

#include <cstdio>
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

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> all;
    for (const auto* group :
         {&projectCommands(), &cabinetCommands(), &checkCommands(), &importCommands(),
          &subjectCommands(), &editCommands(), &markerCommands(), &chartCommands(),
          &searchCommands(), &outputCommands()})
        all.insert(all.end(), group->begin(), group->end());
    return all;
}

int usage(const std::vector<Command>& commands)
{
    std::cerr << "usage: cvntool COMMAND ARGUMENTS\n";
    for (const Command& c : commands)
        std::cerr << "  cvntool " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
    return kExitUsage;
}

} // namespace
} // namespace corvane::cli

int main(int argc, char** argv)
{
    using namespace corvane::cli;
    const std::vector<Command> commands = allCommands();
    if (argc < 2)
        return usage(commands);
    const std::string name = argv[1];
    for (const Command& c : commands) {
        if (name != c.name)
            continue;
        const int given = argc - 2;
        if (c.argumentCount >= 0 ? given != c.argumentCount : given < -c.argumentCount)
            return usage({c});
        Context context;
        return c.run(context, Args(argv + 2, argv + argc));
    }
    return usage(commands);
}
