// What export-docx and export-pdf start from: the project, one document's text and its marker
// shading; and how a written file's outcome is reported.
#pragma once

#include "Command.h"
#include "print/CharIndexMap.h"
#include "print/DocxWriter.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

/// The document's relative path and text, read from its file.
struct DocumentText
{
    SjisString relativePath;
    std::string text;
};

struct ExportInput
{
    std::unique_ptr<ProjectData> data;
    DocumentText document;
    std::vector<output::ColourRun> shading; ///< empty with --no-markers
};

/// Reads "PROJECT DOCUMENT OUT [--no-markers]". Nothing when a step failed: exitCode is then
/// kExitUsage after the usage text, or kExitFailure after the message.
std::optional<ExportInput> loadExportInput(Context& context, const Args& args, const char* usage,
                                           int& exitCode);

/// The outcome of a write, reported as the window reports it (30018 with the path).
int finish(Context& context, output::OutputStatus status, const std::string& path);

} // namespace corvane::cli
