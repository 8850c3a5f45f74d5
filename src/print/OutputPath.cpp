#include "print/OutputPath.h"

#include "base/DocPath.h"

#include <cerrno>
#include <sys/stat.h>

namespace corvane::output {

std::string outputFolder(const ProjectData& project)
{
    if (project.folder.empty())
        return {};
    return project.folder + "work";
}

bool makeOutputFolder(const std::string& folder)
{
    if (folder.empty())
        return false;
    struct stat info
    {
    };
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

std::optional<std::string> outputFileName(SjisView relativePath, std::string_view extension)
{
    if (!relativePath.empty() && relativePath.back() == '*')
        relativePath.remove_suffix(1);
    // The safe form has "/" only as the separator: a 0x5C trail byte stays inside its character.
    std::optional<std::string> name = docpath::toUtf8Relative(relativePath);
    if (!name)
        return std::nullopt;
    for (char& c : *name) {
        if (c == '/')
            c = '_';
    }
    return *name + std::string(extension);
}

std::optional<std::string> outputPath(const std::string& folder, SjisView relativePath,
                                      std::string_view extension)
{
    std::optional<std::string> name = outputFileName(relativePath, extension);
    if (!name || folder.empty())
        return std::nullopt;
    return folder + "/" + *name;
}

} // namespace corvane::output
