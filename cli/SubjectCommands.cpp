// add-subjects, mark, link, subjects: the subject list, markers and links of a project file, by
// the same rules as the windows, with every question answered the way a script means it.
#include "Command.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/Sjis.h"
#include "model/CProjectIO.h"
#include "model/FixedText.h"
#include "model/LinkOps.h"
#include "model/ObjectTable.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "subjects/BatchAdd.h"
#include "subjects/SubjectGroups.h"
#include "textview/MarkerEdit.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

/// Input larger than this is no list of titles (5000 pairs of 2 x 100 bytes fit many times).
constexpr std::size_t kMaxInputBytes = 64u * 1024 * 1024;

/// Prints every message on standard error and answers questions Yes, except the numbers given
/// their own answer.
class ScriptAnswers : public MessageSink
{
public:
    Answer present(int, const std::string& fullTextUtf8, MessageStyle style) override;
    std::map<int, Answer> answers;
};

Answer ScriptAnswers::present(int number, const std::string& fullTextUtf8, MessageStyle style)
{
    std::cerr << fullTextUtf8 << '\n';
    if (style.buttons == MessageButtons::Ok)
        return Answer::Ok;
    const auto it = answers.find(number);
    return it != answers.end() ? it->second : Answer::Yes;
}

/// The colour the user gave on the command line, as the colour dialog's answer.
class GivenColour : public ColourChooser
{
public:
    std::optional<Colour> chooseColour(Colour) override { return colour; }
    std::optional<Colour> colour;
};

/// A loaded project with its identity, so that paths and the "project open" test work.
struct OpenProject
{
    std::string path;
    std::unique_ptr<ProjectData> data = std::make_unique<ProjectData>();
};

bool openProject(Context& context, const std::string& argument, OpenProject& project)
{
    project.path = absolutePath(argument);
    if (!loadProject(context, argument, *project.data))
        return false;
    const fs::path p(project.path);
    project.data->folder = p.parent_path().string() + "/";
    project.data->name = p.stem().string();
    project.data->fileExtension = p.extension().string();
    return true;
}

bool save(Services& services, OpenProject& project)
{
    return CProjectIO(services).saveProject(project.path, *project.data);
}

std::optional<std::int64_t> parseInteger(const std::string& text)
{
    std::int64_t value = 0;
    int base = 10;
    std::string_view digits(text);
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

/// Input text as Shift-JIS: UTF-8 (with or without a byte order mark) is converted, anything
/// else must be well-formed Shift-JIS. nullopt for neither (a binary file, say).
std::optional<SjisString> inputAsSjis(std::string bytes)
{
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    if (bytes.find('\0') != std::string::npos)
        return std::nullopt;
    const codec::Encoded fromUtf8 = codec::fromUtf8(bytes);
    // Malformed UTF-8 shows up as U+FFFD among the characters CP932 cannot hold.
    bool validUtf8 = true;
    for (char32_t c : fromUtf8.unrepresentable)
        validUtf8 = validUtf8 && c != codec::kReplacementChar;
    if (validUtf8)
        return fromUtf8.text;
    if (sjis::isWellFormed(bytes))
        return bytes;
    return std::nullopt;
}

constexpr const char* kMarkUsage = "mark PROJECT DOCUMENT START END [--colour 0-6|--rgb 0xBBGGRR]";

int runAddSubjects(Context& context, const Args& args)
{
    if (args.size() > 2)
        return badUsage("add-subjects PROJECT [FILE]");
    std::string bytes;
    if (args.size() > 1) {
        std::ifstream in(args[1], std::ios::binary);
        if (!in) {
            showMessage(context.messages, msg::kPathNotFound, args[1] + "\n", style::error);
            return kExitFailure;
        }
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    } else {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), {});
    }
    const std::optional<SjisString> text =
        bytes.size() <= kMaxInputBytes ? inputAsSjis(std::move(bytes)) : std::nullopt;
    if (!text) {
        showMessage(context.messages, msg::kNotText, {}, style::error);
        return kExitFailure;
    }
    OpenProject project;
    if (!openProject(context, args[0], project))
        return kExitFailure;
    ScriptAnswers answers;
    Services services{context.settings, answers, context.refresh, context.views, context.colours};
    const int added = BatchAdd(*project.data, services).run(*text);
    if (added > 0 && !save(services, project))
        return kExitFailure;
    std::cout << added << '\n';
    return added > 0 ? kExitOk : kExitFailure;
}

int runMark(Context& context, const Args& args)
{
    const std::optional<std::int64_t> start = parseInteger(args[2]);
    const std::optional<std::int64_t> end = parseInteger(args[3]);
    std::optional<MarkerColourChoice> colourChoice;
    GivenColour given;
    if (args.size() == 6 && args[4] == "--colour") {
        const auto index = parseInteger(args[5]);
        if (!index || *index < 0 || *index > 6)
            return badUsage(kMarkUsage);
        colourChoice = paletteColourChoice(static_cast<std::size_t>(*index));
    } else if (args.size() == 6 && args[4] == "--rgb") {
        const auto rgb = parseInteger(args[5]);
        if (!rgb || *rgb < 0 || *rgb > 0xFFFFFF)
            return badUsage(kMarkUsage);
        given.colour = static_cast<Colour>(*rgb);
        colourChoice = MarkerColourChoice::Dialog;
    } else if (args.size() != 4) {
        return badUsage(kMarkUsage);
    }
    if (!start || !end)
        return badUsage(kMarkUsage);

    OpenProject project;
    if (!openProject(context, args[0], project))
        return kExitFailure;
    ProjectData& data = *project.data;
    const std::string full = data.docFolder() + args[1];
    const std::optional<SjisString> relative = docpath::toRelative(data.docFolder(), full);
    std::error_code ec;
    if (!relative || !fs::is_regular_file(full, ec)) {
        showMessage(context.messages, msg::kPathNotFound, args[1] + "\n", style::error);
        return kExitFailure;
    }
    std::ifstream in(full, std::ios::binary);
    const std::string document{std::istreambuf_iterator<char>(in), {}};
    // A selection in a text view is a span of whole characters inside the text.
    const auto boundary = [&](std::int64_t offset) {
        return offset == static_cast<std::int64_t>(document.size()) ||
               sjis::cutLength(document, static_cast<std::size_t>(offset)) ==
                   static_cast<std::size_t>(offset);
    };
    if (in.bad()) {
        showMessage(context.messages, msg::kReadFailed, args[1] + "\n", style::error);
        return kExitFailure;
    }
    if (*start < 0 || *end <= *start || *end > static_cast<std::int64_t>(document.size()) ||
        !boundary(*start) || !boundary(*end)) {
        std::cerr << "START and END must be character boundaries with 0 <= START < END <= "
                  << document.size() << '\n';
        return kExitUsage;
    }

    ScriptAnswers answers;
    // The colour of a marker being changed is kept unless one was given.
    answers.answers[msg::kAskColourChange] = colourChoice ? Answer::Yes : Answer::No;
    Services services{context.settings, answers, context.refresh, context.views, given};
    const SjisView selected = SjisView(document).substr(static_cast<std::size_t>(*start),
                                                        static_cast<std::size_t>(*end - *start));
    const MarkerEditResult result =
        MarkerEdit(data, services)
            .createOrChange(*relative, static_cast<ByteOffset>(*start),
                            static_cast<ByteOffset>(*end), selected,
                            colourChoice.value_or(MarkerColourChoice::Initial));
    if (result.outcome != MarkerEditOutcome::Created &&
        result.outcome != MarkerEditOutcome::Changed)
        return kExitFailure;
    if (!save(services, project))
        return kExitFailure;
    std::cout << data.objects[result.objectIndex].id << '\n';
    return kExitOk;
}

int runLink(Context& context, const Args& args)
{
    const auto fromId = parseInteger(args[1]);
    const auto toId = parseInteger(args[2]);
    if (!fromId || !toId)
        return badUsage("link PROJECT FROM_ID TO_ID");
    if (*fromId != static_cast<ObjectId>(*fromId) || *toId != static_cast<ObjectId>(*toId))
        return badUsage("link PROJECT FROM_ID TO_ID");
    OpenProject project;
    if (!openProject(context, args[0], project))
        return kExitFailure;
    ProjectData& data = *project.data;
    const int from = findObjectIndex(data, static_cast<ObjectId>(*fromId));
    const int to = findObjectIndex(data, static_cast<ObjectId>(*toId));
    if (from < 0 || to < 0) {
        std::cerr << "no object with ID " << (from < 0 ? args[1] : args[2]) << '\n';
        return kExitFailure;
    }
    if (from == to) {
        std::cerr << "an object cannot be linked to itself\n";
        return kExitFailure;
    }
    ScriptAnswers answers;
    Services services{context.settings, answers, context.refresh, context.views, context.colours};
    LinkOps links(data, services);
    const bool existed = links.exists(from, to, true);
    if (!links.toggle(from, to))
        return kExitFailure;
    if (!save(services, project))
        return kExitFailure;
    std::cout << (existed ? "unlinked" : "linked") << '\n';
    return kExitOk;
}

int runSubjects(Context& context, const Args& args)
{
    OpenProject project;
    if (!openProject(context, args[0], project))
        return kExitFailure;
    for (const SubjectGroup& g : buildSubjectGroups(*project.data)) {
        const std::string mainTitle = codec::toUtf8(g.mainTitle).text;
        for (const SubjectRow& r : g.rows)
            std::cout << mainTitle << '\t' << codec::toUtf8(r.title).text << '\t' << r.id << '\t'
                      << (r.linked ? "*" : "") << '\n';
    }
    return std::cout.good() ? kExitOk : kExitFailure;
}

} // namespace

const std::vector<Command>& subjectCommands()
{
    static const std::vector<Command> commands{
        {"add-subjects", -1, "PROJECT [FILE]",
         "batch add main subject, title pairs (comma or tab, UTF-8 or Shift-JIS) from FILE or "
         "standard input; prints the number added",
         runAddSubjects},
        {"mark", -4, kMarkUsage + 5,
         "mark bytes [START, END) of DOCUMENT (path inside doc/) or change the marker they "
         "overlap; prints its object ID",
         runMark},
        {"link", 3, "PROJECT FROM_ID TO_ID",
         "toggle the link FROM_ID -> TO_ID; prints linked or "
         "unlinked",
         runLink},
        {"subjects", 1, "PROJECT",
         "the subject list in grid order: main title, title, object ID, link mark (tab-separated)",
         runSubjects},
    };
    return commands;
}

} // namespace corvane::cli
