#include "doclist/ImportKind.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace corvane::doclist {

ImportKind classifyImport(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return ImportKind::Other;
    std::string ext(fileName.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "txt" || ext == "csv" || ext == "c" || ext == "cpp")
        return ImportKind::PlainText;
    if (ext == "doc" || ext == "docx")
        return ImportKind::Word;
    return ImportKind::Other;
}

std::string_view importBaseName(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

} // namespace corvane::doclist
