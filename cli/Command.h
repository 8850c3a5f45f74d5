// The command table of cvntool: each command group lives in its own file and registers its
// entries here, so adding a command is one table line and one function.
#pragma once

#include "base/MemorySettings.h"
#include "base/Services.h"
#include "model/ProjectData.h"

#include <charconv>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

/// Prints every message's text (UTF-8) on standard error; questions are answered No.
class StderrMessages : public MessageSink
{
public:
    Answer present(int number, const std::string& fullTextUtf8, MessageStyle style) override;
};

class NoColours : public ColourChooser
{
public:
    std::optional<Colour> chooseColour(Colour) override { return std::nullopt; }
};

/// What a command runs with: services that never touch the user's preferences.
struct Context
{
    Context();
    MemorySettings settings;
    StderrMessages messages;
    Refresh refresh;
    ViewQueries views;
    NoColours colours;
    Services services{settings, messages, refresh, views, colours};
};

using Args = std::vector<std::string>;

struct Command
{
    const char* name;
    int argumentCount;   ///< exact count; a negative -n means at least n
    const char* usage;   ///< arguments, for the usage text
    const char* summary; ///< one line
    /// Null for a command that cvntool-formats runs.
    int (*run)(Context& context, const Args& args);
};

/// Exit statuses: 0 success, 1 failure (message on standard error), 2 wrong usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Command groups.
const std::vector<Command>& projectCommands(); ///< new, info, dump, build
const std::vector<Command>& cabinetCommands(); ///< pack, unpack
const std::vector<Command>& checkCommands();   ///< check
const std::vector<Command>& subjectCommands(); ///< add-subjects, mark, link, subjects
const std::vector<Command>& editCommands();    ///< edit
const std::vector<Command>& markerCommands();  ///< markers
const std::vector<Command>& chartCommands();   ///< place, align
const std::vector<Command>& searchCommands();  ///< search, replace
/// import, export-docx, export-xlsx, chart-png, export-pdf, print-chart: run by
/// cvntool-formats. In cvntool their run is null.
const std::vector<Command>& formatCommands();
int runImport(Context& context, const Args& args);
int runExportDocx(Context& context, const Args& args);
int runExportXlsx(Context& context, const Args& args);
int runChartPng(Context& context, const Args& args);
int runExportPdf(Context& context, const Args& args);
int runPrintChart(Context& context, const Args& args);

/// An absolute disk path with "/" separators (CProjectIO splits paths at the last "/").
std::string absolutePath(const std::string& path);
/// Loads a project file into data (messages on standard error); false on failure.
bool loadProject(Context& context, const std::string& path, ProjectData& data);
/// Loads a project file with its folder, name and extension set; nullptr after a message.
std::unique_ptr<ProjectData> openProject(Context& context, const std::string& argument);
/// Prints "usage: cvntool " + usage on standard error; returns kExitUsage.
int badUsage(const char* usage);

/// A decimal number that is the whole of text; nullopt for anything else.
template <typename T> std::optional<T> parseNumber(std::string_view text)
{
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace corvane::cli
