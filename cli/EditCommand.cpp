// edit: one insertion or deletion in a document of a project, by the same checks and shifts as
// the text view, for scripts. The document is written first, then the project file with the
// moved markers and bookmarks, so a failure between the two leaves the text saved and the
// markers where they were (cvntool check reports the difference).
#include "Command.h"

#include "base/DocPath.h"
#include "model/CProjectIO.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "textview/CharMotion.h"
#include "textview/InputText.h"
#include "textview/TextDocument.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kEditUsage =
    "edit PROJECT DOCUMENT (--insert OFFSET TEXT | --delete OFFSET COUNT) [--yes]";

/// Prints every message on standard error; the question about covered markers is answered Yes
/// only with --yes, every other question No.
class EditAnswers : public MessageSink
{
public:
    explicit EditAnswers(bool yes) : yes_(yes) {}
    Answer present(int number, const std::string& fullTextUtf8, MessageStyle style) override
    {
        std::cerr << fullTextUtf8 << '\n';
        if (style.buttons == MessageButtons::Ok)
            return Answer::Ok;
        return number == msg::kRangeHoldsMarkers && yes_ ? Answer::Yes : Answer::No;
    }

private:
    bool yes_;
};

/// Removes the private folder of the working copy when the command ends.
struct ScratchFolder
{
    std::string path;
    ~ScratchFolder()
    {
        std::error_code ec;
        if (!path.empty())
            fs::remove_all(path, ec);
    }
};

int runEdit(Context& context, const Args& args)
{
    const bool yes = args.size() == 6 && args[5] == "--yes";
    if (args.size() != 5 && !yes)
        return std::cerr << "usage: cvntool " << kEditUsage << '\n', kExitUsage;
    const bool inserting = args[2] == "--insert";
    if (!inserting && args[2] != "--delete")
        return std::cerr << "usage: cvntool " << kEditUsage << '\n', kExitUsage;
    const std::optional<std::int64_t> offset = parseNumber<std::int64_t>(args[3]);
    const std::optional<std::int64_t> count =
        inserting ? std::int64_t(0) : parseNumber<std::int64_t>(args[4]);
    if (!offset || !count)
        return std::cerr << "usage: cvntool " << kEditUsage << '\n', kExitUsage;

    const std::string projectPath = absolutePath(args[0]);
    auto data = std::make_unique<ProjectData>();
    if (!loadProject(context, args[0], *data))
        return kExitFailure;
    const fs::path p(projectPath);
    data->folder = p.parent_path().string() + "/";
    data->name = p.stem().string();
    data->fileExtension = p.extension().string();

    const std::string full = data->docFolder() + args[1];
    const std::optional<SjisString> relative = docpath::toRelative(data->docFolder(), full);
    std::error_code ec;
    if (!relative || !fs::is_regular_file(full, ec)) {
        showMessage(context.messages, msg::kPathNotFound, args[1] + "\n", style::error);
        return kExitFailure;
    }

    EditAnswers answers(yes);
    Services services{context.settings, answers, context.refresh, context.views, context.colours};
    ScratchFolder scratch;
    std::string work = CProjectIO(services).workFolder();
    if (!work.empty()) {
        std::string tmpl = work + "/editXXXXXX";
        if (::mkdtemp(tmpl.data()))
            scratch.path = tmpl;
    }
    TextDocument document(*data, services, *relative);
    if (!document.open(full, scratch.path))
        return kExitFailure;

    const SjisView text = document.text();
    const auto onBoundary = [&](std::int64_t at) {
        return at >= 0 && at <= std::int64_t(text.size()) &&
               motion::isCaretPosition(text, static_cast<ByteOffset>(at));
    };
    if (*count < 0 || !onBoundary(*offset) || !onBoundary(*offset + *count)) {
        std::cerr << "offset or count off a character boundary, inside a CR LF or outside the "
                     "text (length "
                  << text.size() << ")\n";
        return kExitUsage;
    }

    EditResult result;
    if (inserting) {
        const input::DocumentText insertion = input::fromUtf8(args[4]);
        if (insertion.unrepresentableCount > 0)
            std::cerr << insertion.unrepresentableCount
                      << " character(s) not in code page 932 written as \xe3\x80\x93\n";
        result = document.insert(static_cast<ByteOffset>(*offset), insertion.text);
    } else {
        result = document.erase(static_cast<ByteOffset>(*offset),
                                static_cast<ByteOffset>(*offset + *count));
    }
    switch (result.status) {
    case EditStatus::Done:
        break;
    case EditStatus::Nothing:
        std::cout << document.length() << '\n';
        return kExitOk;
    case EditStatus::Invalid:
        return kExitUsage;
    case EditStatus::Refused:
    case EditStatus::Cancelled:
    case EditStatus::Failed:
        return kExitFailure;
    }
    if (!document.store().save())
        return kExitFailure;
    if (!CProjectIO(services).saveProject(projectPath, *data))
        return kExitFailure;
    std::cout << document.length() << '\n';
    return kExitOk;
}

} // namespace

const std::vector<Command>& editCommands()
{
    static const std::vector<Command> commands{
        {"edit", -5, "PROJECT DOCUMENT (--insert OFFSET TEXT | --delete OFFSET COUNT) [--yes]",
         "inserts UTF-8 text at a byte offset or deletes bytes, moving markers and bookmarks",
         runEdit},
    };
    return commands;
}

} // namespace corvane::cli
