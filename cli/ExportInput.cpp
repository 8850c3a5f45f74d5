#include "ExportInput.h"

#include "base/DocPath.h"
#include "base/FileRead.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "search/SearchRun.h"

#include <filesystem>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

/// The document DOCUMENT ("/" separators inside doc) read from disk; messages on failure.
std::optional<DocumentText> readDocument(Context& context, const ProjectData& data,
                                         const std::string& document)
{
    const std::string full = data.docFolder() + document;
    std::optional<SjisString> relative = docpath::toRelative(data.docFolder(), full);
    std::error_code ec;
    if (!relative || !fs::is_regular_file(full, ec)) {
        showMessage(context.messages, msg::kPathNotFound, document + "\n", style::error);
        return std::nullopt;
    }
    DocumentText out{*relative, {}};
    if (files::readWholeFile(full, out.text, search::kMaxDocumentBytes) != files::ReadStatus::Ok) {
        showMessage(context.messages, msg::kReadFailed, document + "\n", style::error);
        return std::nullopt;
    }
    return out;
}

/// Parses "[--no-markers]" after the three fixed arguments; nullopt for anything else.
std::optional<bool> withMarkers(const Args& args)
{
    if (args.size() == 3)
        return true;
    if (args.size() == 4 && args[3] == "--no-markers")
        return false;
    return std::nullopt;
}

} // namespace

int finish(Context& context, output::OutputStatus status, const std::string& path)
{
    if (status == output::OutputStatus::Ok)
        return kExitOk;
    showMessage(context.messages, msg::kSaveFailed, path + "\n", style::error);
    return kExitFailure;
}

std::optional<ExportInput> loadExportInput(Context& context, const Args& args, const char* usage,
                                           int& exitCode)
{
    const std::optional<bool> markers = withMarkers(args);
    if (!markers) {
        exitCode = badUsage(usage);
        return std::nullopt;
    }
    exitCode = kExitFailure;
    ExportInput in;
    in.data = openProject(context, args[0]);
    if (!in.data)
        return std::nullopt;
    std::optional<DocumentText> document = readDocument(context, *in.data, args[1]);
    if (!document)
        return std::nullopt;
    in.document = std::move(*document);
    if (*markers)
        in.shading = output::documentShading(*in.data, in.document.relativePath, in.document.text);
    return in;
}

} // namespace corvane::cli
