// markers: the rows of the marker list pane for a target and a colour filter, with the object ID
// of each, so that scripts can pass the markers they select to the other commands.
#include "Command.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "model/MarkerPalette.h"
#include "panes/MarkerRows.h"

#include <charconv>
#include <filesystem>
#include <iostream>

namespace corvane::cli {

namespace {

constexpr const char* kMarkersUsage =
    "markers PROJECT [--colour 0-6|--rgb 0xBBGGRR] [--folder NAME | --document PATH]";

int markersUsage()
{
    std::cerr << "usage: cvntool " << kMarkersUsage << '\n';
    return kExitUsage;
}

std::optional<std::int64_t> parseNumber(std::string_view digits)
{
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    std::int64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

int runMarkers(Context& context, const Args& args)
{
    MarkerColourFilter filter;
    MarkerTarget target{MarkerTarget::Kind::All, {}};
    std::optional<std::string> documentArgument;
    bool colourGiven = false;
    bool targetGiven = false;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return markersUsage();
        const std::string& option = args[i];
        const std::string& value = args[i + 1];
        if ((option == "--colour" || option == "--rgb") && !colourGiven) {
            const std::optional<std::int64_t> n = parseNumber(value);
            const std::int64_t limit = option == "--colour" ? 6 : 0xFFFFFF;
            if (!n || *n < 0 || *n > limit)
                return markersUsage();
            filter = option == "--colour" ? kMarkerPalette[std::size_t(*n)] : Colour(*n);
            colourGiven = true;
        } else if (option == "--folder" && !targetGiven) {
            const codec::Encoded name = codec::fromUtf8(value);
            if (!name.complete() || name.text.empty()) {
                std::cerr << "folder name has no Shift-JIS form: " << value << '\n';
                return kExitFailure;
            }
            target = {MarkerTarget::Kind::Folder, name.text};
            targetGiven = true;
        } else if (option == "--document" && !targetGiven) {
            documentArgument = value;
            targetGiven = true;
        } else {
            return markersUsage();
        }
    }

    ProjectData data;
    if (!loadProject(context, args[0], data))
        return kExitFailure;
    // The project's identity makes it "open" and gives its doc folder for --document.
    const std::filesystem::path path(absolutePath(args[0]));
    data.folder = path.parent_path().string() + "/";
    data.name = path.stem().string();

    std::vector<SjisString> documents;
    if (documentArgument) {
        const std::optional<SjisString> relative =
            docpath::toRelative(data.docFolder(), data.docFolder() + *documentArgument);
        if (!relative) {
            std::cerr << "not a document path inside doc/: " << *documentArgument << '\n';
            return kExitFailure;
        }
        target = {MarkerTarget::Kind::Current, {}};
        documents.push_back(*relative);
    }
    for (const MarkerRow& row : collectMarkerRows(data, target, filter, documents))
        std::cout << codec::toUtf8(row.text).text << '\t' << row.id << '\n';
    return std::cout.good() ? kExitOk : kExitFailure;
}

} // namespace

const std::vector<Command>& markerCommands()
{
    static const std::vector<Command> commands{
        {"markers", -1, kMarkersUsage + 8,
         "the marker list's rows for a colour and a target (all documents, a top-level folder or "
         "one document): row text, tab, object ID",
         runMarkers},
    };
    return commands;
}

} // namespace corvane::cli
