#include "search/ui/DictionaryFiles.h"

#include "base/qt/QtText.h"

#include <filesystem>

namespace corvane {

std::optional<QStringList> dictionaryNames(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return std::nullopt;
    QStringList names;
    for (const auto& entry : it)
        if (!entry.is_symlink(ec) && entry.is_regular_file(ec))
            names.append(pathToQString(entry.path().filename().string()));
    names.sort();
    return names;
}

} // namespace corvane
