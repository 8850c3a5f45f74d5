// A document written as a word-processor file (.docx): the smallest package a word processor
// opens, one paragraph per line of the text, each marker piece a run shaded in the marker's
// colour. Built in memory with pugixml and libzip, then written through the safe writer, so an
// older file of the same name survives any failure.
#pragma once

#include "base/FileWrite.h"
#include "base/Types.h"
#include "print/CharIndexMap.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::output {

struct DocxOptions
{
    /// The East Asian and Latin font the runs declare (UTF-8).
    std::string fontName = "IPAGothic";
    /// Font size in half points, as the format counts it.
    int halfPoints = 21;
};

/// The body of word/document.xml for text (Shift-JIS) with shading (sorted, non-overlapping runs
/// as documentShading gives them; empty for text only). A CR LF, a lone CR or a lone LF ends a
/// paragraph; runs are cut where the shading changes; TAB becomes <w:tab/>; other control
/// characters are left out (a character reference to them is not well-formed XML 1.0).
std::string documentXml(SjisView text, const std::vector<ColourRun>& shading,
                        const DocxOptions& options = {});

/// The whole package as bytes; nullopt when the archive could not be built (out of memory).
std::optional<std::string> buildDocx(SjisView text, const std::vector<ColourRun>& shading,
                                     const DocxOptions& options = {});

/// "RRGGBB" of a record colour 0x00BBGGRR.
std::string hexRgb(Colour colour);

enum class OutputStatus
{
    Ok,
    BuildFailed, ///< the file's content could not be made
    WriteFailed, ///< the file could not be written (disk full, no rights); an older file is kept
};

/// Builds the package and writes it to path, replacing a file of that name in one step.
OutputStatus writeDocx(const std::string& path, SjisView text,
                       const std::vector<ColourRun>& shading, const DocxOptions& options = {});

} // namespace corvane::output
