// chart-png, export-pdf, print-chart: the commands that draw with the chart's and the text
// view's painters, so the only ones that need QtGui. cvntool-formats runs them.
#include "Command.h"
#include "ExportInput.h"

#include "base/Codec.h"
#include "base/qt/QtText.h"
#include "base/qt/ShellFonts.h"
#include "chart/ChartGeometry.h"
#include "chart/ChartModel.h"
#include "chart/paint/ChartPainter.h"
#include "model/FixedText.h"
#include "print/PageGrid.h"
#include "print/PaperTable.h"
#include "print/paint/ChartPages.h"
#include "print/paint/DocumentPdf.h"
#include "print/paint/PdfFaces.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

namespace corvane::cli {

namespace {

constexpr const char* kPngUsage = "chart-png PROJECT OUT.png [--zoom Z]";
constexpr const char* kPdfUsage = "export-pdf PROJECT DOCUMENT OUT.pdf [--no-markers]";
constexpr const char* kChartUsage = "print-chart PROJECT --pdf OUT.pdf [--one-page] [--paper CODE] "
                                    "[--landscape] [--margins L,R,T,B]";
/// The resolution of print-chart's PDF pages: the one a PDF printer of the print dialog has.
constexpr int kChartPdfDpi = 1200;

/// A GUI application without a display, for the fonts the painters need.
struct OffscreenGui
{
    OffscreenGui()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
        registerFontSubstitutions();
    }
    int argc = 1;
    char name[16] = "cvntool-formats";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> application;
};

/// Places every unplaced node around the canvas centre (there is no visible area outside the
/// window, as when printing with the chart closed), for the output only: the project file is not
/// written.
void placeForOutput(Context& context, ProjectData& data)
{
    chart::ChartModel(data, context.services, 1)
        .placeUnplaced(
            {chart::chartWidth(data.chartView) / 2, chart::chartHeight(data.chartView) / 2});
}

/// "L,R,T,B" in millimetres.
std::optional<print::MarginsMm> parseMargins(std::string_view text)
{
    int values[4];
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',') : text.size();
        if (comma == std::string_view::npos)
            return std::nullopt;
        const auto value = parseNumber<int>(text.substr(0, comma));
        if (!value || *value < 0 || *value > print::kMaxMarginMm)
            return std::nullopt;
        values[i] = *value;
        text.remove_prefix(std::min(text.size(), comma + 1));
    }
    return print::MarginsMm{values[0], values[1], values[2], values[3]};
}

} // namespace

int runChartPng(Context& context, const Args& args)
{
    float zoom = 1.0f;
    if (args.size() == 4 && args[2] == "--zoom") {
        try {
            std::size_t used = 0;
            zoom = std::stof(args[3], &used);
            if (used != args[3].size())
                return badUsage(kPngUsage);
        } catch (const std::exception&) {
            return badUsage(kPngUsage);
        }
    } else if (args.size() != 2) {
        return badUsage(kPngUsage);
    }
    zoom = chart::clampZoom(zoom);
    const auto project = openProject(context, args[0]);
    if (!project)
        return kExitFailure;
    ProjectData& data = *project;
    placeForOutput(context, data);

    OffscreenGui gui;
    const int width = chart::toCanvas(chart::chartWidth(data.chartView), zoom);
    const int height = chart::toCanvas(chart::chartHeight(data.chartView), zoom);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        chart::PaintOptions options;
        options.zoom = zoom;
        options.selectionMarks = false;
        chart::ChartPainter().paint(painter, data, options);
    }
    // The outline's right and bottom edges are drawn one pixel inside the image.
    {
        QPainter painter(&image);
        const ChartViewSettings& s = data.chartView;
        painter.setPen(QColor(int(colourRed(s.lineColour)), int(colourGreen(s.lineColour)),
                              int(colourBlue(s.lineColour))));
        painter.drawRect(0, 0, width - 1, height - 1);
    }
    if (!image.save(pathToQString(absolutePath(args[1])), "PNG")) {
        std::cerr << "cannot write " << args[1] << '\n';
        return kExitFailure;
    }
    return kExitOk;
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
            const auto code = parseNumber<int>(args[++i]);
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
    placeForOutput(context, *data);

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

} // namespace corvane::cli
