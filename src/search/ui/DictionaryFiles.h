// The replacement dictionaries of a project: the regular files of its "dic" folder.
#pragma once

#include <QStringList>

#include <optional>
#include <string>

namespace corvane {

/// The file names in folder (UTF-8), sorted; nullopt when the folder cannot be read.
std::optional<QStringList> dictionaryNames(const std::string& folder);

} // namespace corvane
