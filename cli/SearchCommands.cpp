// search and replace: the search pane's search, count pass and batch replace over a project's
// documents, for scripts. Phrases come in UTF-8 and are searched as Shift-JIS; output is UTF-8,
// with bytes that do not convert shown as U+F700 + byte, as dump shows them.
#include "Command.h"
#include "FieldText.h"

#include "base/Codec.h"
#include "model/CProjectIO.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "search/Dictionary.h"
#include "search/Replace.h"
#include "search/SearchRun.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

struct Options
{
    std::vector<std::string> positional;
    bool caseSensitive = false;
    bool count = false;
    bool reverse = false;
    std::optional<std::string> folder;
    std::optional<std::string> dictionary;
    bool bad = false;
};

Options parseOptions(const Args& args)
{
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--case")
            o.caseSensitive = true;
        else if (a == "--count")
            o.count = true;
        else if (a == "--reverse")
            o.reverse = true;
        else if ((a == "--folder" || a == "--dictionary") && i + 1 < args.size())
            (a == "--folder" ? o.folder : o.dictionary) = args[++i];
        else if (a.rfind("--", 0) == 0)
            o.bad = true;
        else
            o.positional.push_back(a);
    }
    return o;
}

void printLine(SjisView sjis)
{
    std::cout << sjisToUtf8Lossless(sjis) << '\n';
}

/// The project, its target documents and the target item's text; nullptr after a message.
struct Target
{
    std::unique_ptr<ProjectData> data;
    std::string projectPath;
    std::vector<search::TargetDocument> docs;
    SjisString itemText;
};

std::optional<Target> loadTarget(Context& context, const std::string& project,
                                 const std::optional<std::string>& folder)
{
    Target t;
    t.projectPath = absolutePath(project);
    t.data = std::make_unique<ProjectData>();
    if (!loadProject(context, project, *t.data))
        return std::nullopt;
    const fs::path p(t.projectPath);
    t.data->folder = p.parent_path().string() + "/";
    t.data->name = p.stem().string();
    t.data->fileExtension = p.extension().string();
    search::TargetKey key;
    t.itemText = search::allDocumentsItemText();
    if (folder) {
        key.kind = search::TargetKey::Kind::Folder;
        key.folder = codec::fromUtf8(*folder).text;
        t.itemText = search::folderItemText(key.folder);
    }
    auto docs = search::targetDocuments(t.data->docFolder(), nullptr, {}, key);
    if (!docs) {
        std::cerr << "no top-level folder named " << *folder << " in the document folder\n";
        return std::nullopt;
    }
    t.docs = std::move(*docs);
    return t;
}

/// The phrase in Shift-JIS, or nullopt after 30055 when code page 932 cannot hold it.
std::optional<SjisString> phraseOf(Context& context, const std::string& utf8)
{
    const codec::Encoded e = codec::fromUtf8(search::withoutLineBreaks(utf8));
    if (!e.complete()) {
        showMessage(context.messages, msg::kSearchConditionFailed, {}, style::error);
        return std::nullopt;
    }
    return e.text;
}

int runSearchCommand(Context& context, const Args& args)
{
    const Options o = parseOptions(args);
    if (o.bad || o.reverse || o.dictionary || o.positional.size() != 2)
        return std::cerr << "usage: cvntool search PROJECT PHRASE [--case] [--folder NAME] "
                            "[--count]\n",
               kExitUsage;
    auto target = loadTarget(context, o.positional[0], o.folder);
    if (!target)
        return kExitFailure;
    const auto phrase = phraseOf(context, o.positional[1]);
    if (!phrase)
        return kExitFailure;
    const search::Matcher matcher(*phrase, o.caseSensitive);
    if (!matcher.valid()) {
        showMessage(context.messages, msg::kSearchConditionFailed, {}, style::error);
        return kExitFailure;
    }
    if (o.count) {
        const auto r = search::runSearch(matcher, target->docs, 0, false);
        printLine(search::searchSummary(r.documentsSearched, r.hits));
        return kExitOk;
    }
    printLine(search::conditionSentence(target->itemText, *phrase, std::nullopt, o.caseSensitive));
    const auto r = search::runSearch(matcher, target->docs, search::kHitLimit, true);
    std::int64_t number = 0;
    for (const auto& row : r.rows)
        printLine(search::hitRowText(++number, row));
    if (r.limitReached)
        showMessage(context.messages, msg::kTooManyHits, {}, style::information);
    printLine(search::searchSummary(r.documentsSearched, r.hits));
    return kExitOk;
}

int runReplaceCommand(Context& context, const Args& args)
{
    const Options o = parseOptions(args);
    const bool withDictionary = o.dictionary.has_value();
    if (o.bad || o.count ||
        (withDictionary ? o.positional.size() != 1 : o.positional.size() != 3) ||
        (o.reverse && !withDictionary))
        return std::cerr << "usage: cvntool replace PROJECT BEFORE AFTER [--case] [--folder NAME]\n"
                            "       cvntool replace PROJECT --dictionary FILE [--reverse] [--case] "
                            "[--folder NAME]\n",
               kExitUsage;
    auto target = loadTarget(context, o.positional[0], o.folder);
    if (!target)
        return kExitFailure;

    std::vector<search::ReplacePair> pairs;
    SjisString sentence;
    if (withDictionary) {
        auto read = search::readDictionary(*o.dictionary);
        if (!read) {
            showMessage(context.messages, msg::kDictionaryReadFailed, {}, style::error);
            return kExitFailure;
        }
        pairs = o.reverse ? search::reversed(std::move(*read)) : std::move(*read);
        sentence = search::dictionaryConditionSentence(
            target->itemText, codec::fromUtf8(fs::path(*o.dictionary).filename().string()).text,
            o.caseSensitive);
    } else {
        const auto before = phraseOf(context, o.positional[1]);
        const auto after = phraseOf(context, o.positional[2]);
        if (!before || !after)
            return kExitFailure;
        if (*before == *after) {
            showMessage(context.messages, msg::kSamePhrases, {}, style::error);
            return kExitFailure;
        }
        const search::Matcher matcher(*before, o.caseSensitive);
        if (!matcher.valid()) {
            showMessage(context.messages, msg::kSearchConditionFailed, {}, style::error);
            return kExitFailure;
        }
        // The count pass: nothing to replace is an error here, as in the pane.
        if (search::runSearch(matcher, target->docs, 0, false).hits == 0) {
            showMessage(context.messages, msg::kPhraseToReplaceNotFound, {}, style::information);
            return kExitFailure;
        }
        pairs.push_back({*before, *after});
        sentence = search::conditionSentence(target->itemText, *before, *after, o.caseSensitive);
    }
    const auto totals = search::runReplace(*target->data, target->docs, pairs, o.caseSensitive);
    bool saved = true;
    if (totals.documentsWritten > 0)
        saved = CProjectIO(context.services).saveProject(target->projectPath, *target->data);
    printLine(sentence);
    std::cout << sjisToUtf8Lossless(search::replaceSummary(totals));
    if (totals.failure != 0) {
        showMessage(context.messages, totals.failure,
                    codec::fromUtf8(totals.failedPath + "\n").text, style::error);
        return kExitFailure;
    }
    if (!saved)
        return kExitFailure;
    std::cout << catalogueText(msg::kBatchReplaceDone) << '\n';
    return kExitOk;
}

} // namespace

const std::vector<Command>& searchCommands()
{
    static const std::vector<Command> commands{
        {"search", -2, "PROJECT PHRASE [--case] [--folder NAME] [--count]",
         "the search pane's search: condition, hit rows and summary (or the count only)",
         runSearchCommand},
        {"replace", -3,
         "PROJECT (BEFORE AFTER | --dictionary FILE [--reverse]) [--case] [--folder NAME]",
         "batch replace without questions; markers and bookmarks move, the project is saved",
         runReplaceCommand},
    };
    return commands;
}

} // namespace corvane::cli
