// pack, unpack: the cabinet layer of a project file on its own.
#include "Command.h"

#include "model/Cabinet.h"

#include <filesystem>
#include <iostream>

namespace corvane::cli {

namespace {

int runPack(Context& context, const Args& args)
{
    // As in a project file, the member is named after the cabinet's own file name.
    const std::string cabinet = absolutePath(args[1]);
    const std::string member = std::filesystem::path(cabinet).filename().string();
    return Cabinet(context.messages).pack(args[0], member, cabinet) ? kExitOk : kExitFailure;
}

int runUnpack(Context& context, const Args& args)
{
    std::string member;
    if (!Cabinet(context.messages).unpack(args[0], args[1], member))
        return kExitFailure;
    std::cout << member << '\n';
    return kExitOk;
}

} // namespace

const std::vector<Command>& cabinetCommands()
{
    static const std::vector<Command> commands{
        {"pack", 2, "DATAFILE CABINET",
         "pack a data file as the single member of CABINET, named after CABINET", runPack},
        {"unpack", 2, "CABINET FOLDER", "expand the member of CABINET into FOLDER", runUnpack},
    };
    return commands;
}

} // namespace corvane::cli
