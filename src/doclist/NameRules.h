// The rules a document or folder name must pass before it is used on disk and in the records:
// the name dialog applies them on OK, the rename and new-file commands rely on them.
#pragma once

#include "base/Types.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::doclist {

/// Why a name was refused: a catalogue number and the text shown before it (UTF-8: the offending
/// character may be one Shift-JIS cannot hold). number 0 means the name is acceptable.
struct NameVerdict
{
    int number = 0;
    std::string leadingUtf8;
    explicit operator bool() const { return number == 0; }
};

/// Largest UTF-8 byte length of one name on a Linux file system.
inline constexpr std::size_t kMaxNameUtf8Bytes = 255;

/// The characters a name may not contain, in the order they are searched for; the hint line of
/// the name dialog lists them.
inline constexpr std::string_view kForbiddenNameChars = "\\/:*?\"<>|";

/// Checks a name typed in the name dialog (UTF-8). folderPathSjisBytes is the byte length of the
/// target folder's disk path counted in Shift-JIS; the name must stay below
/// 255 - folderPathSjisBytes bytes. In order:
///   empty -> 30045; too long (Shift-JIS bytes, or more than 255 UTF-8 bytes) -> 30044;
///   a character Shift-JIS cannot hold -> 30053 with that character on its own line;
///   a forbidden character, searched character-aware in kForbiddenNameChars order -> 30053 with
///   that character on its own line; a control character, "." or ".." -> 30053.
NameVerdict checkName(std::string_view nameUtf8, std::size_t folderPathSjisBytes);

/// The name of a new folder: "新しいフォルダ" when free, else the base name followed by 1, 2, ...
/// up to 999. nullopt when all are taken. exists is asked with Shift-JIS names.
std::optional<SjisString> newFolderName(const std::function<bool(SjisView)>& exists);

/// "新しいフォルダ", "新しいファイル" and "無題" in Shift-JIS.
inline constexpr std::string_view kNewFolderSjis =
    "\x90\x56\x82\xb5\x82\xa2\x83\x74\x83\x48\x83\x8b\x83\x5f";
inline constexpr std::string_view kNewFileSjis =
    "\x90\x56\x82\xb5\x82\xa2\x83\x74\x83\x40\x83\x43\x83\x8b";
inline constexpr std::string_view kUntitledSjis = "\x96\xb3\x91\xe8";

} // namespace corvane::doclist
