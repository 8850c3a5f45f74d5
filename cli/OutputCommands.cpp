// export-docx, export-xlsx: the text view's word-processor output and the subject list's
// spreadsheet export, by the same code as the window.
#include "Command.h"
#include "ExportInput.h"

#include "print/XlsxWriter.h"

#include <optional>
#include <string>

namespace corvane::cli {

namespace {

constexpr const char* kDocxUsage = "export-docx PROJECT DOCUMENT OUT.docx [--no-markers]";

int runExportDocx(Context& context, const Args& args)
{
    int exitCode = 0;
    const std::optional<ExportInput> in = loadExportInput(context, args, kDocxUsage, exitCode);
    if (!in)
        return exitCode;
    const std::string out = absolutePath(args[2]);
    return finish(context, output::writeDocx(out, in->document.text, in->shading), out);
}

int runExportXlsx(Context& context, const Args& args)
{
    const auto data = openProject(context, args[0]);
    if (!data)
        return kExitFailure;
    const std::string out = absolutePath(args[1]);
    return finish(context, output::writeSubjectXlsx(out, output::subjectExportRows(*data)), out);
}

} // namespace

const std::vector<Command>& outputCommands()
{
    static const std::vector<Command> commands{
        {"export-docx", -3, "PROJECT DOCUMENT OUT.docx [--no-markers]",
         "writes a document as a .docx file, markers shaded in their colours", runExportDocx},
        {"export-xlsx", 2, "PROJECT OUT.xlsx",
         "writes the subject list as an .xlsx file: main title in A, title in B", runExportXlsx},
    };
    return commands;
}

} // namespace corvane::cli
