// import: documents into a project from the command line, through the same import as the
// document list, so that bulk imports can be scripted.
#include "Command.h"
#include "res/AddedMessages.h"

#include "base/Codec.h"
#include "doclist/DocumentImporter.h"
#include "doclist/FileUtil.h"
#include "doclist/NameRules.h"
#include "doclist/Report.h"
#include "res/MessageNumbers.h"

#include <iostream>
#include <sys/stat.h>

namespace corvane::cli {

namespace {

/// Swallows the importer's messages: the command prints one line per file itself.
class SilentMessages : public MessageSink
{
public:
    Answer present(int, const std::string&, MessageStyle) override { return Answer::No; }
};

/// The folder's components, each one a name the records can hold. number is 0 when FOLDER is
/// a "/"-separated path strictly inside doc; else the catalogue number of the reason.
struct FolderPath
{
    std::vector<std::string> parts;
    int number = 0;
};

FolderPath folderComponents(const std::string& folder)
{
    FolderPath path;
    if (folder.starts_with('/')) {
        path.number = msg::kForbiddenNameChar;
        return path;
    }
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t slash = folder.find('/', start);
        if (slash == std::string::npos)
            slash = folder.size();
        const std::string part = folder.substr(start, slash - start);
        if (!part.empty()) {
            if (const doclist::NameVerdict v = doclist::checkName(part, 0); !v) {
                path.number = v.number;
                return path;
            }
            path.parts.push_back(part);
        }
        start = slash + 1;
    }
    if (path.parts.empty())
        path.number = msg::kDropOnRoot; // the doc folder itself
    return path;
}

} // namespace

int runImport(Context&, const Args& args)
{
    const std::string project = absolutePath(args[0]);
    if (!doclist::isRegularFile(project)) {
        std::cerr << args[0] << ": " << doclist::catalogueLine(msg::kFileNotFound) << '\n';
        return kExitFailure;
    }
    std::string folder = project.substr(0, project.rfind('/')) + "/doc";
    if (!doclist::isDirectory(folder)) {
        std::cerr << folder << ": " << doclist::catalogueLine(msg::kPathNotFound) << '\n';
        return kExitFailure;
    }
    const FolderPath target = folderComponents(args[1]);
    if (target.number != 0) {
        std::cerr << args[1] << ": " << doclist::catalogueLine(target.number) << '\n';
        return kExitFailure;
    }
    std::string shown;
    for (const std::string& part : target.parts) {
        folder += "/" + part;
        shown += (shown.empty() ? "" : "/") + part;
        if (::mkdir(folder.c_str(), 0777) != 0 && !doclist::isDirectory(folder)) {
            std::cerr << folder << ": " << doclist::catalogueLine(msg::kFolderCreateFailed) << '\n';
            return kExitFailure;
        }
    }

    SilentMessages silent;
    const doclist::WordConversion word;
    doclist::DocumentImporter importer(silent, word);
    const std::vector<std::string> sources(args.begin() + 2, args.end());
    int skipped = 0;
    for (const doclist::ImportResult& r : importer.importFiles(folder, sources)) {
        if (r.added()) {
            std::cout << r.sourcePath << " -> " << shown << '/'
                      << codec::toUtf8(r.documentName).text;
            if (r.replacedCharacters > 0)
                std::cout << " (" << doclist::catalogueLine(msg::kCharactersReplaced) << ": "
                          << r.replacedCharacters << ')';
            std::cout << '\n';
        } else {
            ++skipped;
            std::cout << r.sourcePath << ": " << doclist::catalogueLine(r.number) << '\n';
        }
    }
    return skipped == 0 ? kExitOk : kExitFailure;
}

} // namespace corvane::cli
