// The project data file: the bytes a project's settings blocks and tables take inside the project
// file's single cabinet member. Pure functions over byte strings, so the reader can be tested and
// fuzzed without touching the disk.
#pragma once

#include "base/MessageSink.h"
#include "model/ProjectData.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

/// "CVN" + version "001" + four spaces. Only the first six bytes are checked on reading.
inline constexpr std::string_view kDataFileMagic{"CVN001    ", 10};
inline constexpr std::size_t kDataFileMagicBytes = 10;
inline constexpr std::size_t kObjectCountOffset = 2082;
inline constexpr std::size_t kObjectsOffset = 2086;
/// Size of a data file with no objects and no links: magic, both blocks and both counts.
inline constexpr std::size_t kEmptyDataFileBytes = 2090;
/// The largest data file a valid project can have; anything announcing more is refused before
/// it is read or extracted.
inline constexpr std::size_t kMaxDataFileBytes =
    kEmptyDataFileBytes + sizeof(ObjectRecord) * kMaxObjects + sizeof(LinkRecord) * kMaxLinks;

/// Size of the data file of a project with objectCount objects and linkCount links.
constexpr std::size_t dataFileBytes(std::size_t objectCount, std::size_t linkCount)
{
    return kEmptyDataFileBytes + sizeof(ObjectRecord) * objectCount +
           sizeof(LinkRecord) * linkCount;
}

/// The data file of data: magic, text view block, chart view block, big-endian object count,
/// object records, big-endian link count, link records. Padding and reserved bytes are written as
/// they are in memory.
std::string encodeDataFile(const ProjectData& data);

/// Reads a data file into staging (settings blocks and tables only). Checks, in this order: magic
/// "CVN" (30019), version "001" (30020), object count <= 5000 (30043, leading "%d > %d\n..."), link
/// count <= 5000 (30043), and that the bytes announced by the header and counts are all there
/// (30027). Every message uses the error icon. Every fixed text field read is forced to end
/// inside its field. Bytes after the last link are ignored. On failure staging may hold part of
/// the file: callers read into a staging project and copy it in only on success.
bool decodeDataFile(std::string_view bytes, ProjectData& staging, MessageSink& sink);

/// Forces every fixed text field of the record to end within its field: a field without a
/// terminating zero is cut at a character boundary before its last byte. Returns true when a
/// field had to be cut.
bool terminateTextFields(ObjectRecord& record);
bool terminateTextFields(TextViewSettings& settings);

} // namespace corvane
