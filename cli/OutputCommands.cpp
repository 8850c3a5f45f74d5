// export-docx, export-pdf, export-xlsx, print-chart: the text view's word-processor and PDF
// output, the subject list's spreadsheet export and the chart's print job into a PDF file, by
// the same code as the window.
#include "Command.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/FileRead.h"
#include "base/qt/ShellFonts.h"
#include "chart/ChartGeometry.h"
#include "chart/ChartModel.h"
#include "model/FixedText.h"
#include "print/CharIndexMap.h"
#include "print/DocxWriter.h"
#include "print/PageGrid.h"
#include "print/PaperTable.h"
#include "print/XlsxWriter.h"
#include "print/paint/ChartPages.h"
#include "print/paint/DocumentPdf.h"
#include "print/paint/PdfFaces.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "search/SearchRun.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kDocxUsage = "export-docx PROJECT DOCUMENT OUT.docx [--no-markers]";
constexpr const char* kPdfUsage = "export-pdf PROJECT DOCUMENT OUT.pdf [--no-markers]";
constexpr const char* kXlsxUsage = "export-xlsx PROJECT OUT.xlsx";
constexpr const char* kChartUsage = "print-chart PROJECT --pdf OUT.pdf [--one-page] [--paper CODE] "
                                    "[--landscape] [--margins L,R,T,B]";
/// The resolution of print-chart's PDF pages: the one a PDF printer of the print dialog has.
constexpr int kChartPdfDpi = 1200;

int badUsage(const char* usage)
{
    std::cerr << "usage: cvntool " << usage << '\n';
    return kExitUsage;
}

std::optional<int> parseInt(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::unique_ptr<ProjectData> openProject(Context& context, const std::string& argument)
{
    auto data = std::make_unique<ProjectData>();
    if (!loadProject(context, argument, *data))
        return nullptr;
    const fs::path p(absolutePath(argument));
    data->folder = p.parent_path().string() + "/";
    data->name = p.stem().string();
    data->fileExtension = p.extension().string();
    return data;
}

/// The document's relative path and text, read from its file; messages on failure.
struct DocumentText
{
    SjisString relativePath;
    std::string text;
};

std::optional<DocumentText> readDocument(Context& context, const ProjectData& data,
                                         const std::string& document)
{
    const std::string full = data.docFolder() + document;
    std::optional<SjisString> relative = docpath::toRelative(data.docFolder(), full);
    std::error_code ec;
    if (!relative || !fs::is_regular_file(full, ec)) {
        showMessage(context.messages, msg::kPathNotFound, document + "\n", style::error);
        return std::nullopt;
    }
    DocumentText out{*relative, {}};
    if (files::readWholeFile(full, out.text, search::kMaxDocumentBytes) != files::ReadStatus::Ok) {
        showMessage(context.messages, msg::kReadFailed, document + "\n", style::error);
        return std::nullopt;
    }
    return out;
}

/// The outcome of a write, reported as the window reports it (30018 with the path).
int finish(Context& context, output::OutputStatus status, const std::string& path)
{
    if (status == output::OutputStatus::Ok)
        return kExitOk;
    showMessage(context.messages, msg::kSaveFailed, path + "\n", style::error);
    return kExitFailure;
}

/// Parses "[--no-markers]" after the three fixed arguments; nullopt for anything else.
std::optional<bool> withMarkers(const Args& args)
{
    if (args.size() == 3)
        return true;
    if (args.size() == 4 && args[3] == "--no-markers")
        return false;
    return std::nullopt;
}

/// A GUI application without a display, for fonts and painting.
struct OffscreenGui
{
    OffscreenGui()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
        registerFontSubstitutions();
    }
    int argc = 1;
    char name[8] = "cvntool";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> application;
};

/// What both document exports start from: the project, the document's text and, unless
/// --no-markers was given, its marker shading. Nothing when a step failed (already reported).
struct ExportInput
{
    std::unique_ptr<ProjectData> data;
    DocumentText document;
    std::vector<output::ColourRun> shading;
};

std::optional<ExportInput> loadExportInput(Context& context, const Args& args, const char* usage,
                                           int& exitCode)
{
    const std::optional<bool> markers = withMarkers(args);
    if (!markers) {
        exitCode = badUsage(usage);
        return std::nullopt;
    }
    exitCode = kExitFailure;
    ExportInput in;
    in.data = openProject(context, args[0]);
    if (!in.data)
        return std::nullopt;
    std::optional<DocumentText> document = readDocument(context, *in.data, args[1]);
    if (!document)
        return std::nullopt;
    in.document = std::move(*document);
    if (*markers)
        in.shading = output::documentShading(*in.data, in.document.relativePath, in.document.text);
    return in;
}

int runExportDocx(Context& context, const Args& args)
{
    int exitCode = 0;
    const std::optional<ExportInput> in = loadExportInput(context, args, kDocxUsage, exitCode);
    if (!in)
        return exitCode;
    const std::string out = absolutePath(args[2]);
    return finish(context, output::writeDocx(out, in->document.text, in->shading), out);
}

int runExportPdf(Context& context, const Args& args)
{
    int exitCode = 0;
    const std::optional<ExportInput> in = loadExportInput(context, args, kPdfUsage, exitCode);
    if (!in)
        return exitCode;
    OffscreenGui gui;
    output::PdfDocumentOptions options;
    options.family = output::pdfFaceFor(
        QString::fromStdString(codec::toUtf8(fixedText(in->data->textView.fontName)).text));
    options.title = QString::fromStdString(codec::toUtf8(in->document.relativePath).text);
    const std::string out = absolutePath(args[2]);
    return finish(context, output::writeDocumentPdf(out, in->document.text, in->shading, options),
                  out);
}

int runExportXlsx(Context& context, const Args& args)
{
    const auto data = openProject(context, args[0]);
    if (!data)
        return kExitFailure;
    const std::string out = absolutePath(args[1]);
    return finish(context, output::writeSubjectXlsx(out, output::subjectExportRows(*data)), out);
}

/// "L,R,T,B" in millimetres.
std::optional<print::MarginsMm> parseMargins(std::string_view text)
{
    int values[4];
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',') : text.size();
        if (comma == std::string_view::npos)
            return std::nullopt;
        const auto value = parseInt(text.substr(0, comma));
        if (!value || *value < 0 || *value > print::kMaxMarginMm)
            return std::nullopt;
        values[i] = *value;
        text.remove_prefix(std::min(text.size(), comma + 1));
    }
    return print::MarginsMm{values[0], values[1], values[2], values[3]};
}

int runPrintChart(Context& context, const Args& args)
{
    std::optional<std::string> pdfPath;
    bool onePage = false;
    int paper = print::kDefaultPaperCode;
    auto orientation = print::Orientation::Portrait;
    print::MarginsMm margins;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--pdf" && hasValue) {
            pdfPath = args[++i];
        } else if (a == "--one-page") {
            onePage = true;
        } else if (a == "--landscape") {
            orientation = print::Orientation::Landscape;
        } else if (a == "--paper" && hasValue) {
            const auto code = parseInt(args[++i]);
            if (!code)
                return badUsage(kChartUsage);
            paper = *code;
        } else if (a == "--margins" && hasValue) {
            const auto parsed = parseMargins(args[++i]);
            if (!parsed)
                return badUsage(kChartUsage);
            margins = *parsed;
        } else {
            return badUsage(kChartUsage);
        }
    }
    if (!pdfPath)
        return badUsage(kChartUsage);
    const auto data = openProject(context, args[0]);
    if (!data)
        return kExitFailure;
    // Placement for these pages only; the project file is not written.
    chart::ChartModel(*data, context.services, 1)
        .placeUnplaced(
            {chart::chartWidth(data->chartView) / 2, chart::chartHeight(data->chartView) / 2});

    OffscreenGui gui;
    const QPageLayout layout = print::fullPageLayout(paper, orientation);
    const print::ChartSize size = print::chartSizeOf(*data);
    const print::PageGrid grid = print::computePageGrid(print::sheetOf(layout, kChartPdfDpi),
                                                        margins, size.width, size.height, onePage);
    if (!grid.valid) {
        std::cerr << "the margins leave no printable area on this paper\n";
        return kExitFailure;
    }
    char text[64];
    std::snprintf(text, sizeof text,
                  "(\xe6\xa8\xaa %d \xc3\x97 \xe7\xb8\xa6 %d \xe3\x83\x9a\xe3\x83\xbc\xe3\x82\xb8)",
                  grid.across, grid.down);
    std::cout << text << '\n';

    const std::string out = absolutePath(*pdfPath);
    QSaveFile file(QString::fromStdString(out));
    bool printed = false;
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(layout);
        pdf.setResolution(kChartPdfDpi);
        pdf.setCreator(QStringLiteral("Corvane"));
        printed = print::printChartPages(
            pdf, *data, grid, print::pagesToPrint(grid, onePage, print::Range::All, 1, 1, 1),
            onePage);
    }
    if (!printed)
        file.cancelWriting();
    return finish(context,
                  printed && file.commit() ? output::OutputStatus::Ok
                                           : output::OutputStatus::WriteFailed,
                  out);
}

} // namespace

const std::vector<Command>& outputCommands()
{
    static const std::vector<Command> commands{
        {"export-docx", -3, "PROJECT DOCUMENT OUT.docx [--no-markers]",
         "writes a document as a .docx file, markers shaded in their colours", runExportDocx},
        {"export-pdf", -3, "PROJECT DOCUMENT OUT.pdf [--no-markers]",
         "writes a document as a PDF file (A4, 20 mm margins), markers shaded", runExportPdf},
        {"export-xlsx", 2, "PROJECT OUT.xlsx",
         "writes the subject list as an .xlsx file: main title in A, title in B", runExportXlsx},
        {"print-chart", -3,
         "PROJECT --pdf OUT.pdf [--one-page] [--paper CODE] [--landscape] [--margins L,R,T,B]",
         "prints the chart into a PDF file, one page per tile; prints the page grid",
         runPrintChart},
    };
    return commands;
}

} // namespace corvane::cli
