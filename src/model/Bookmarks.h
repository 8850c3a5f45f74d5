// The four bookmarks of a project: a document, a byte position in it and a sample of the text
// found there, kept in the text view settings. Setting, clearing, the samples shown in menus and
// the ribbon's tooltips; how edits move bookmarks is in MarkerShift.
#pragma once

#include "model/ProjectData.h"

#include <optional>
#include <string>

namespace corvane::bookmarks {

/// Bytes read from the position for a sample, and the most a sample keeps (CR and LF removed).
inline constexpr std::size_t kSampleReadBytes = 203;
inline constexpr std::size_t kSampleMaxBytes = 200;

/// The bookmark names a document and a position (it may still lie beyond its document: see
/// positionIn).
bool isSet(const ProjectData& project, int slot);
/// The bookmark's position when it is set in the document relativePath of length bytes and lies
/// within it (0 <= position <= length); a bookmark beyond its document shows as unset, and its
/// record is left alone.
std::optional<ByteOffset> positionIn(const ProjectData& project, int slot, SjisView relativePath,
                                     ByteOffset length);

/// Whether a set bookmark names the document relativePath.
bool anyIn(const ProjectData& project, SjisView relativePath);

/// The sample of text at position: up to 203 bytes from there (whole characters), every CR and
/// LF removed, cut to at most 200 bytes at a character boundary.
SjisString sampleAt(SjisView text, ByteOffset position);

/// Sets the bookmark to position in the document relativePath whose text is text, and sets the
/// project's modified flag. False (nothing changed) for a slot or position out of range.
bool set(ProjectData& project, int slot, SjisView relativePath, ByteOffset position, SjisView text);
/// Clears the bookmark (path and sample emptied, position -1) and sets the modified flag.
void clear(ProjectData& project, int slot);

/// A sample as menus and tooltips show it: cut to the sample length setting (40-200) at a
/// character boundary, with "..." when it was longer.
SjisString shownSample(const ProjectData& project, int slot);

/// The view menu's item for the bookmark: "(未セット)", or its shown sample with every "&" doubled
/// (a menu would take it for a mnemonic). UTF-8.
std::string menuText(const ProjectData& project, int slot);
/// The ribbon tooltip of set pin slot (UTF-8).
std::string setPinTooltip(const ProjectData& project, int slot);
/// The ribbon tooltip of show pin slot (UTF-8).
std::string showPinTooltip(const ProjectData& project, int slot);

} // namespace corvane::bookmarks
