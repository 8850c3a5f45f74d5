#include "app/OpenDocumentsList.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/FileWrite.h"
#include "base/Sjis.h"
#include "model/ProjectData.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace corvane::opn {

namespace {

namespace fs = std::filesystem;

// The list names at most 20 documents of at most 260 bytes each; anything far beyond that is not
// a list we wrote, and reading stops there rather than taking in an arbitrary file.
constexpr std::size_t kMaxListBytes = 64 * 1024;

bool isRegularFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isDocName(SjisView text, std::size_t at)
{
    if (at + 3 > text.size())
        return false;
    const SjisString word = sjis::toLowerAscii(text.substr(at, 3));
    return word == "doc";
}

/// Every part of lineSjis that follows a "doc" folder component ("\doc\" or "/doc/", any letter
/// case), the part after the last such component first, in record form ("\" separators). Walks
/// by characters, so a 0x5C trail byte of a two-byte character is never taken for a separator.
std::vector<SjisString> partsAfterDocFolders(SjisView lineSjis)
{
    std::vector<std::size_t> restStarts;
    std::size_t previousSeparator = SjisView::npos;
    for (std::size_t i = 0; i < lineSjis.size(); i = sjis::nextChar(lineSjis, i)) {
        if (!isSeparator(lineSjis[i]))
            continue;
        // A component "doc" sits between two separators exactly three single bytes apart.
        if (previousSeparator != SjisView::npos && i == previousSeparator + 4 &&
            isDocName(lineSjis, previousSeparator + 1))
            restStarts.push_back(i + 1);
        previousSeparator = i;
    }

    std::vector<SjisString> parts;
    for (auto start = restStarts.rbegin(); start != restStarts.rend(); ++start) {
        SjisString rest;
        const SjisView tail = lineSjis.substr(*start);
        for (std::size_t i = 0; i < tail.size(); i = sjis::nextChar(tail, i)) {
            const std::size_t length = sjis::charLength(tail, i);
            if (length == 1 && tail[i] == '/')
                rest.push_back('\\');
            else
                rest.append(tail.substr(i, length));
        }
        parts.push_back(std::move(rest));
    }
    return parts;
}

/// The document this project's list line names, or nullopt when it names none.
std::optional<std::string> resolveLine(SjisView lineSjis, const ProjectData& data)
{
    if (lineSjis.empty())
        return std::nullopt;
    const std::string docFolder = data.docFolder();

    // The path as written, when it is a document of this project.
    const codec::Decoded<std::string> decoded = codec::toUtf8(lineSjis);
    if (decoded.valid && isRegularFile(decoded.text)) {
        if (const auto relative = docpath::toRelative(docFolder, decoded.text)) {
            if (auto disk = docpath::toDiskPath(docFolder, *relative))
                return disk;
        }
    }

    // Otherwise the same document under this project's doc folder: the project was moved or
    // copied, or the list was written on another system. The last "doc" component is the
    // project's own unless the documents sit in a folder of that name inside it, so earlier ones
    // are tried after it.
    for (const SjisString& relative : partsAfterDocFolders(lineSjis)) {
        std::optional<std::string> disk = docpath::toDiskPath(docFolder, relative);
        if (disk && isRegularFile(*disk))
            return disk;
    }
    return std::nullopt;
}

} // namespace

std::string listPath(const ProjectData& data)
{
    return data.folder + data.name + ".opn";
}

bool write(const ProjectData& data)
{
    const fs::path path = fs::path(listPath(data));
    if (data.openDocuments.empty()) {
        std::error_code ec;
        fs::remove(path, ec);
        return true;
    }
    SjisString list;
    for (const std::string& document : data.openDocuments) {
        list += codec::fromUtf8(document).text;
        list += "\r\n";
    }
    const std::string target = path.string();
    const mode_t mode = files::permissionsOr(target, files::ordinaryFileMode());
    return files::writeFileSafely(target, list, mode) == files::WriteStatus::Ok;
}

std::vector<std::string> resolve(const std::string& listBytes, const ProjectData& data,
                                 std::vector<std::string>* missing)
{
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start < listBytes.size()) {
        std::size_t end = listBytes.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = listBytes.size();
        SjisView line(listBytes.data() + start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // A document that has gone since the list was written costs only its own line.
        if (std::optional<std::string> path = resolveLine(line, data)) {
            if (std::find(paths.begin(), paths.end(), *path) == paths.end())
                paths.push_back(std::move(*path));
        } else if (!line.empty() && missing != nullptr)
            missing->push_back(codec::toUtf8(line).text);
        if (last)
            break;
        start = end + 1;
    }
    return paths;
}

int read(const ProjectData& data, const std::function<bool(const std::string&)>& openDocument,
         std::vector<std::string>* missing)
{
    std::ifstream in(fs::path(listPath(data)), std::ios::binary);
    if (!in)
        return 0;
    std::string bytes(kMaxListBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));

    int opened = 0;
    for (const std::string& path : resolve(bytes, data, missing)) {
        if (!openDocument(path))
            break;
        ++opened;
    }
    return opened;
}

} // namespace corvane::opn
