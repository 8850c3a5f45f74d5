// The drawing commands' table. Both programs compile it: cvntool-draw with the functions that run
// them, cvntool with none, so that it can list them and hand them over without linking QtGui.
#include "Command.h"

#ifdef CORVANE_CLI_DRAWING
#define CORVANE_DRAWING_RUN(function) function
#else
#define CORVANE_DRAWING_RUN(function) nullptr
#endif

namespace corvane::cli {

const std::vector<Command>& drawingCommands()
{
    static const std::vector<Command> commands{
        {"chart-png", -2, "PROJECT OUT.png [--zoom Z]",
         "renders the whole chart canvas as a PNG image at zoom Z (default 1, 0.08-4.0)",
         CORVANE_DRAWING_RUN(runChartPng)},
        {"export-pdf", -3, "PROJECT DOCUMENT OUT.pdf [--no-markers]",
         "writes a document as a PDF file (A4, 20 mm margins), markers shaded",
         CORVANE_DRAWING_RUN(runExportPdf)},
        {"print-chart", -3,
         "PROJECT --pdf OUT.pdf [--one-page] [--paper CODE] [--landscape] [--margins L,R,T,B]",
         "prints the chart into a PDF file, one page per tile; prints the page grid",
         CORVANE_DRAWING_RUN(runPrintChart)},
    };
    return commands;
}

} // namespace corvane::cli
