// Brings files into a folder of the project's doc directory as documents: Shift-JIS text with
// CR LF line ends, no TAB bytes, no final CR LF, read-only on disk. Used by the file dialog,
// drag and drop, the clipboard import and the command-line tool alike.
#pragma once

#include "base/MessageSink.h"
#include "base/Types.h"
#include "doclist/WordConversion.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::doclist {

/// What became of one source file.
struct ImportResult
{
    std::string sourcePath;  ///< UTF-8, as given
    SjisString documentName; ///< name of the new document; empty when skipped
    int number = 0;          ///< catalogue number of the reason it was skipped; 0 when added
    std::string leadingUtf8; ///< text shown in front of the message
    /// Characters of the source that Shift-JIS cannot hold, written as "〓" in the document.
    std::size_t replacedCharacters = 0;
    bool added() const { return number == 0; }
};

class DocumentImporter
{
public:
    /// Sources larger than this are refused with 30022 rather than read into memory.
    static constexpr std::uint64_t kMaxSourceBytes = 1024ull * 1024 * 1024;

    DocumentImporter(MessageSink& messages, const WordConversion& word);

    /// Imports every source in order into folderPath (a UTF-8 disk path of an existing folder
    /// below doc, without trailing "/"). Each failure is reported through the sink and skips only
    /// that file; files already added stay. forceOther treats every source as a file of unknown
    /// kind (the clipboard import), so it must pass the text check; so must a plain-text file
    /// holding NUL bytes that are not UTF-16. A file added with characters replaced by "〓" is
    /// reported (information) with the number of those characters.
    std::vector<ImportResult> importFiles(const std::string& folderPath,
                                          const std::vector<std::string>& sourcePaths,
                                          bool forceOther = false);

    /// The document bytes of a text source: converted to Shift-JIS when it is UTF-8 or UTF-16,
    /// line ends normalised, tabs expanded, the final CR LF dropped.
    static SjisString documentFromText(std::string_view sourceBytes);
    /// The same for converted word-processor text (UTF-8, "\n" line ends): no normalisation,
    /// which the conversion already gave, but tab expansion. replacedCharacters, when given,
    /// receives how many characters became "〓".
    static SjisString documentFromWordText(std::string_view utf8,
                                           std::size_t* replacedCharacters = nullptr);

private:
    ImportResult importOne(const std::string& folderPath, std::size_t folderSjisBytes,
                           const std::string& sourcePath, bool forceOther);

    MessageSink& messages_;
    const WordConversion& word_;
};

} // namespace corvane::doclist
