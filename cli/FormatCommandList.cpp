// The table of the commands that read or write other formats. Both programs compile it:
// cvntool-formats with the functions that run them, cvntool with none, so that it can list them
// and hand them over without linking their libraries.
#include "Command.h"

#ifdef CORVANE_CLI_FORMATS
#define CORVANE_FORMAT_RUN(function) function
#else
#define CORVANE_FORMAT_RUN(function) nullptr
#endif

namespace corvane::cli {

const std::vector<Command>& formatCommands()
{
    static const std::vector<Command> commands{
        {"import", -3, "PROJECT FOLDER FILE...",
         "import FILEs as documents into doc/FOLDER (created when missing); one line per file, "
         "exit status 1 when any was skipped",
         CORVANE_FORMAT_RUN(runImport)},
        {"export-docx", -3, "PROJECT DOCUMENT OUT.docx [--no-markers]",
         "writes a document as a .docx file, markers shaded in their colours",
         CORVANE_FORMAT_RUN(runExportDocx)},
        {"export-xlsx", 2, "PROJECT OUT.xlsx",
         "writes the subject list as an .xlsx file: main title in A, title in B",
         CORVANE_FORMAT_RUN(runExportXlsx)},
        {"chart-png", -2, "PROJECT OUT.png [--zoom Z]",
         "renders the whole chart canvas as a PNG image at zoom Z (default 1, 0.08-4.0)",
         CORVANE_FORMAT_RUN(runChartPng)},
        {"export-pdf", -3, "PROJECT DOCUMENT OUT.pdf [--no-markers]",
         "writes a document as a PDF file (A4, 20 mm margins), markers shaded",
         CORVANE_FORMAT_RUN(runExportPdf)},
        {"print-chart", -3,
         "PROJECT --pdf OUT.pdf [--one-page] [--paper CODE] [--landscape] [--margins L,R,T,B]",
         "prints the chart into a PDF file, one page per tile; prints the page grid",
         CORVANE_FORMAT_RUN(runPrintChart)},
    };
    return commands;
}

} // namespace corvane::cli
