// cvntool: project files from the command line, for users' scripts and for tests.
//
// The commands that draw (chart-png, export-pdf, print-chart) need QtGui, whose libraries take
// longer to load than a search over a whole project takes to run. They live in a second program,
// cvntool-draw, built beside this one: cvntool runs it in its own place for those commands, so
// every other command starts without Qt. The same source builds both; CORVANE_CLI_DRAWING marks
// the drawing one.
#include "Command.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace corvane::cli {

namespace {

std::vector<Command> allCommands()
{
#ifdef CORVANE_CLI_DRAWING
    return drawingCommands();
#else
    std::vector<Command> all;
    for (const auto* group :
         {&projectCommands(), &cabinetCommands(), &checkCommands(), &importCommands(),
          &subjectCommands(), &editCommands(), &markerCommands(), &chartCommands(),
          &searchCommands(), &outputCommands(), &drawingCommands()})
        all.insert(all.end(), group->begin(), group->end());
    return all;
#endif
}

int usage(const std::vector<Command>& commands)
{
    std::cerr << "usage: cvntool COMMAND ARGUMENTS\n";
    for (const Command& c : commands)
        std::cerr << "  cvntool " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
    return kExitUsage;
}

/// Replaces this process with cvntool-draw from this program's own folder, same arguments.
int runDrawingTool(char** argv)
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string();
    path = path.substr(0, path.rfind('/') + 1) + "cvntool-draw";
    argv[0] = path.data();
    ::execv(path.c_str(), argv);
    std::cerr << "cvntool: cannot run " << path << ": " << std::strerror(errno) << '\n';
    return kExitFailure;
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
        if (!c.run)
            return runDrawingTool(argv);
        Context context;
        return c.run(context, Args(argv + 2, argv + argc));
    }
    return usage(commands);
}
