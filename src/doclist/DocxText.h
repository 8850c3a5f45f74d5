// Plain text out of a word-processing document in the Office Open XML format (.docx): the
// paragraphs of the main body in order, with tabs and line breaks, tables row by row.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::doclist {

/// The body text of the .docx file at path as UTF-8 with "\n" between paragraphs; table cells are
/// separated by TAB, each table row is a line. nullopt when the file is not a readable .docx
/// (no zip, no word/document.xml, damaged XML, or an unreasonably large part).
std::optional<std::string> extractDocxText(const std::string& path);

/// The same from the bytes of a .docx file held in memory.
std::optional<std::string> extractDocxTextFromBytes(std::string_view bytes);

/// The same from the XML of word/document.xml, for callers that have the part in memory.
std::optional<std::string> docxBodyText(std::string_view documentXml);

} // namespace corvane::doclist
