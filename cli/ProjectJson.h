// The JSON form of a project's data file, as `cvntool dump` writes it and `cvntool build` reads
// it. Field names and order, and the layout of the text, are a stable interface (docs/cvntool.md).
#pragma once

#include "model/ProjectData.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace corvane::cli {

/// Objects keep their members in the order they were written or read.
using JsonValue = nlohmann::ordered_json;

JsonValue projectToJson(const ProjectData& data);

/// The dump's text: two-space indentation; an array of scalars, and an object whose members are
/// scalars or such arrays, on one line ("a, b"); floats with nine significant digits; strings
/// with only '"', '\' and control characters escaped (UTF-8 as it is); a final line end.
std::string writeDump(const JsonValue& json);

/// Fills data from json. Fields that are missing or null keep the new-project values (settings)
/// or zero (records). False with a reason naming the field when a value has the wrong kind, is
/// out of its field's range or a text does not fit.
bool projectFromJson(const JsonValue& json, ProjectData& data, std::string& error);

/// The same from JSON text; malformed text is refused with the parser's reason (line, column).
bool projectFromJsonText(std::string_view text, ProjectData& data, std::string& error);

} // namespace corvane::cli
