#include "doclist/WordConversion.h"

#include "doclist/DocxText.h"
#include "doclist/FileUtil.h"
#include "doclist/ImportKind.h"
#include "res/MessageNumbers.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace corvane::doclist {

namespace {

bool startsLikeZip(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char magic[4] = {};
    const ssize_t n = ::read(fd, magic, sizeof magic);
    ::close(fd);
    return n == 4 && magic[0] == 'P' && magic[1] == 'K' && magic[2] == 3 && magic[3] == 4;
}

/// Runs argv with stdout to outPath (when not empty) and stdin/stderr on /dev/null; true when it
/// exits with status 0.
bool runProgram(const std::vector<std::string>& argv, const std::string& outPath)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.empty() ? "/dev/null" : outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/// A private folder for one conversion, removed with everything in it when done.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::error_code ec;
        std::string pattern =
            (std::filesystem::temp_directory_path(ec) / "corvane-doc-XXXXXX").string();
        if (!ec && ::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ScratchFolder()
    {
        if (!path_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(path_, ec);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

WordText textFromBytes(std::optional<std::string> bytes)
{
    if (!bytes)
        return {{}, msg::kReadFailed};
    // Converters write UTF-8 (asked for) but may add a byte-order mark or CR LF line ends.
    std::string_view text(*bytes);
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            lines += text[i];
        }
    }
    return {std::move(lines), 0};
}

} // namespace

WordConversion::WordConversion(ProgramFinder findProgram)
    : findProgram_(findProgram ? std::move(findProgram)
                               : ProgramFinder(&WordConversion::searchPath))
{
}

std::string WordConversion::searchPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    if (!path)
        return {};
    std::string_view rest(path);
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        if (dir.empty())
            continue;
        const std::string candidate = std::string(dir) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0 && isRegularFile(candidate))
            return candidate;
    }
    return {};
}

WordText WordConversion::toText(const std::string& sourcePath) const
{
    if (!isRegularFile(sourcePath))
        return {{}, msg::kReadFailed};
    if (startsLikeZip(sourcePath)) {
        std::optional<std::string> text = extractDocxText(sourcePath);
        if (!text)
            return {{}, msg::kReadFailed};
        return {std::move(*text), 0};
    }
    if (const std::string antiword = findProgram_("antiword"); !antiword.empty())
        return throughAntiword(antiword, sourcePath);
    for (const char* office : {"soffice", "libreoffice"}) {
        if (const std::string program = findProgram_(office); !program.empty())
            return throughOffice(program, sourcePath);
    }
    return {{}, msg::kWordStartFailed};
}

WordText WordConversion::throughAntiword(const std::string& antiword,
                                         const std::string& source) const
{
    ScratchFolder scratch;
    if (scratch.path().empty())
        return {{}, msg::kReadFailed};
    const std::string out = scratch.path() + "/out.txt";
    // -w 0: no wrapping, one line per paragraph; UTF-8 mapping so every character survives.
    if (!runProgram({antiword, "-w", "0", "-m", "UTF-8.txt", source}, out))
        return {{}, msg::kReadFailed};
    return textFromBytes(readWholeFile(out));
}

WordText WordConversion::throughOffice(const std::string& office, const std::string& source) const
{
    ScratchFolder scratch;
    if (scratch.path().empty())
        return {{}, msg::kReadFailed};
    // A profile of its own, so a running office session of the user neither blocks nor absorbs
    // the conversion.
    const std::string profile = "-env:UserInstallation=file://" + scratch.path() + "/profile";
    if (!runProgram({office, profile, "--headless", "--convert-to", "txt:Text (encoded):UTF8",
                     "--outdir", scratch.path(), source},
                    {}))
        return {{}, msg::kReadFailed};
    // The suite names its output after the source, with the extension replaced.
    const std::string stem(importBaseName(fileNamePart(source)));
    return textFromBytes(readWholeFile(scratch.path() + "/" + stem + ".txt"));
}

} // namespace corvane::doclist
