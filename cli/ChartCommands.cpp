// place, align: the chart's automatic placement and alignment commands on a project file, by the
// same logic as the chart view.
#include "Command.h"

#include "chart/ChartModel.h"
#include "chart/ui/AlignCommand.h"
#include "model/CProjectIO.h"
#include "model/ObjectTable.h"
#include "res/MessageCatalogue.h"
#include "res/ui/CommandIds.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <random>

namespace corvane::cli {

namespace {

constexpr const char* kPlaceUsage = "place PROJECT [--seed N]";
constexpr const char* kAlignUsage = "align PROJECT COMMAND --select ID,ID,... [--main ID]";

/// "1,2,3" as IDs; nullopt for anything else (an empty item included).
std::optional<std::vector<ObjectId>> parseIdList(std::string_view text)
{
    std::vector<ObjectId> ids;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto id = parseNumber<ObjectId>(text.substr(0, comma));
        if (!id)
            return std::nullopt;
        ids.push_back(*id);
        if (comma == std::string_view::npos)
            return ids;
        text.remove_prefix(comma + 1);
    }
}

/// The canvas centre: there is no visible area outside the window, as when printing with the
/// chart closed.
chart::Point canvasCentre(const ProjectData& data)
{
    return {chart::chartWidth(data.chartView) / 2, chart::chartHeight(data.chartView) / 2};
}

int runPlace(Context& context, const Args& args)
{
    std::uint32_t seed = std::random_device{}();
    if (args.size() == 3 && args[1] == "--seed") {
        const auto given = parseNumber<std::uint32_t>(args[2]);
        if (!given)
            return badUsage(kPlaceUsage);
        seed = *given;
    } else if (args.size() != 1) {
        return badUsage(kPlaceUsage);
    }
    const auto project = openProject(context, args[0]);
    if (!project)
        return kExitFailure;
    chart::ChartModel model(*project, context.services, seed);
    const int placed = model.placeUnplaced(canvasCentre(*project));
    if (placed > 0 &&
        !CProjectIO(context.services).saveProject(project->projectFilePath(), *project))
        return kExitFailure;
    std::cout << placed << '\n';
    return kExitOk;
}

std::optional<chart::Align> alignCommand(std::string_view text)
{
    const auto id = parseNumber<int>(text);
    if (!id)
        return std::nullopt;
    return chart::alignOfCommand(*id);
}

bool needsMain(chart::Align c)
{
    using chart::Align;
    return c != Align::CentreVertically && c != Align::CentreHorizontally &&
           c != Align::SpreadVertically && c != Align::SpreadHorizontally;
}

int runAlign(Context& context, const Args& args)
{
    const auto command = alignCommand(args[1]);
    std::optional<std::vector<ObjectId>> selection;
    std::optional<ObjectId> mainId;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return badUsage(kAlignUsage);
        if (args[i] == "--select" && !selection)
            selection = parseIdList(args[i + 1]);
        else if (args[i] == "--main" && !mainId)
            mainId = parseNumber<ObjectId>(args[i + 1]);
        else
            return badUsage(kAlignUsage);
        if ((args[i] == "--select" && !selection) || (args[i] == "--main" && !mainId))
            return badUsage(kAlignUsage);
    }
    if (!command || !selection || (needsMain(*command) && !mainId))
        return badUsage(kAlignUsage);
    if (mainId && std::find(selection->begin(), selection->end(), *mainId) == selection->end()) {
        std::cerr << "--main must be one of --select\n";
        return kExitUsage;
    }

    const auto project = openProject(context, args[0]);
    if (!project)
        return kExitFailure;
    ProjectData& data = *project;
    for (ObjectId id : *selection) {
        if (findObjectIndex(data, id) < 0) {
            std::cerr << "no object with ID " << id << '\n';
            return kExitFailure;
        }
    }
    // The selection is for this run only: the stored selected flags are saved as they were.
    std::vector<std::int32_t> storedFlags(static_cast<std::size_t>(data.objectCount));
    for (int i = 0; i < data.objectCount; ++i) {
        storedFlags[static_cast<std::size_t>(i)] = data.objects[i].nodeSelected;
        data.objects[i].nodeSelected = 0;
    }
    for (ObjectId id : *selection)
        data.objects[findObjectIndex(data, id)].nodeSelected = 1;
    chart::ChartModel model(data, context.services, 0);
    model.setMain(mainId ? findObjectIndex(data, *mainId) : -1);
    const chart::AlignRefusal refusal = model.align(*command);
    for (int i = 0; i < data.objectCount; ++i)
        data.objects[i].nodeSelected = storedFlags[static_cast<std::size_t>(i)];
    if (refusal != chart::AlignRefusal::None) {
        showMessage(context.messages, chart::refusalMessage(refusal), {}, style::information);
        return kExitFailure;
    }
    return CProjectIO(context.services).saveProject(data.projectFilePath(), data) ? kExitOk
                                                                                  : kExitFailure;
}

} // namespace

const std::vector<Command>& chartCommands()
{
    static const std::vector<Command> commands{
        {"place", -1, "PROJECT [--seed N]",
         "places every unplaced node as the chart does and saves; prints the number placed",
         runPlace},
        {"align", -4, "PROJECT COMMAND --select ID,ID,... [--main ID]",
         "runs alignment command 469, 470 or 473-481 on those nodes and saves", runAlign},
    };
    return commands;
}

} // namespace corvane::cli
