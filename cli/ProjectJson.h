// The JSON form of a project's data file, as `cvntool dump` writes it and `cvntool build` reads
// it. Field names and order are a stable interface (docs/cvntool.md).
#pragma once

#include "Json.h"
#include "model/ProjectData.h"

#include <string>

namespace corvane::cli {

Json projectToJson(const ProjectData& data);

/// Fills data from json. Fields that are missing keep the new-project values (settings) or zero
/// (records). False with a reason naming the field when a value has the wrong kind, is out of
/// its field's range or a text does not fit.
bool projectFromJson(const Json& json, ProjectData& data, std::string& error);

} // namespace corvane::cli
