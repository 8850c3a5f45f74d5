// How the import treats a source file, decided from its name alone.
#pragma once

#include <string_view>

namespace corvane::doclist {

enum class ImportKind
{
    PlainText, ///< txt, csv, c, cpp: copied, then normalised
    Word,      ///< doc, docx: converted to text
    Other,     ///< anything else: accepted only when the content passes the text check
};

/// By the extension (after the last "."), compared case-insensitively; no dot means Other.
ImportKind classifyImport(std::string_view fileName);

/// The document name of a source file: the file name without its extension; a name without a
/// dot stays whole ("memo.TXT" -> "memo", "README" -> "README", "a.b.txt" -> "a.b").
std::string_view importBaseName(std::string_view fileName);

} // namespace corvane::doclist
