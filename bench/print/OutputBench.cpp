// Output at size: a 20 MB document (with 5,000 markers) to .docx and to PDF, and a 5,000-node
// chart with 5,000 links on a 5,000 x 5,000 canvas printed tiled to PDF at 1,200 dpi (A4, the
// dialog's default margins). Each is one run of the whole job; times in seconds.
#include "../chart/CapacityChart.h"
#include "base/qt/ShellFonts.h"
#include "model/FixedText.h"
#include "model/NodeDefaults.h"
#include "print/CharIndexMap.h"
#include "print/DocxWriter.h"
#include "print/paint/ChartPages.h"
#include "print/paint/DocumentPdf.h"

#include <QGuiApplication>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>

namespace corvane {
namespace {

constexpr std::size_t kDocumentBytes = 20u * 1024 * 1024;

/// Patent-like lines: kanji, kana, digits and ASCII, CR LF ends; markers every 4 KB.
struct Document
{
    std::string text;
    std::unique_ptr<ProjectData> project = std::make_unique<ProjectData>();
    std::vector<output::ColourRun> shading;
    Document()
    {
        const std::string line = "\x81\x79\x82\x4f\x82\x4f\x82\x51\x82\x53\x81\x7a\x96\x7b"
                                 "\x8a\xe8\x82\xcc\x8d\x6c\x88\xc4\x82\xcd 123 abc "
                                 "\x88\xea\x93\xfa\x8c\x8e\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8"
                                 "\x89\xc1\x8d\x48\x95\x94\x8d\xde\x82\xf0\x97\x70\x82\xa2\x82\xe9"
                                 "\x81\x42\r\n";
        text.reserve(kDocumentBytes + line.size());
        while (text.size() < kDocumentBytes)
            text += line;
        for (int i = 0; i < kMaxObjects; ++i) {
            ObjectRecord& r = project->objects[project->objectCount++];
            std::memset(&r, 0, sizeof r);
            r.id = i + 1;
            r.type = ObjectType::Marker;
            setFixedText(r.document, "d");
            r.position = static_cast<ByteOffset>(i) * 4096 / line.size() * line.size();
            r.length = 40;
            r.markerColour = 0x80C0FF;
        }
        shading = output::documentShading(*project, "d", text);
    }
};

Document& document()
{
    static Document d;
    return d;
}

std::string outPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void DocumentToDocx(benchmark::State& state)
{
    Document& d = document();
    for (auto _ : state) {
        if (output::writeDocx(outPath("bench.docx"), d.text, d.shading) != output::OutputStatus::Ok)
            state.SkipWithError("write failed");
    }
    state.counters["MB"] = double(std::filesystem::file_size(outPath("bench.docx"))) / 1e6;
    std::filesystem::remove(outPath("bench.docx"));
}

void DocumentToPdf(benchmark::State& state)
{
    Document& d = document();
    for (auto _ : state) {
        if (output::writeDocumentPdf(outPath("bench.pdf"), d.text, d.shading) !=
            output::OutputStatus::Ok)
            state.SkipWithError("write failed");
    }
    state.counters["MB"] = double(std::filesystem::file_size(outPath("bench.pdf"))) / 1e6;
    std::filesystem::remove(outPath("bench.pdf"));
}

void ChartTiledToPdf(benchmark::State& state)
{
    auto p = std::make_unique<ProjectData>();
    bench::fillCapacityChart(*p);
    const QPageLayout layout = print::fullPageLayout(9, print::Orientation::Portrait);
    const print::PageGrid grid =
        print::computePageGrid(print::sheetOf(layout, 1200), {}, 5000, 5000, false);
    for (auto _ : state) {
        QPdfWriter pdf(QString::fromStdString(outPath("chart.pdf")));
        pdf.setPageLayout(layout);
        pdf.setResolution(1200);
        print::printChartPages(pdf, *p, grid,
                               print::pagesToPrint(grid, false, print::Range::All, 1, 1, 1), false);
    }
    state.counters["pages"] = grid.pageCount();
    state.counters["MB"] = double(std::filesystem::file_size(outPath("chart.pdf"))) / 1e6;
    std::filesystem::remove(outPath("chart.pdf"));
}

BENCHMARK(DocumentToDocx)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(DocumentToPdf)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(ChartTiledToPdf)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace corvane

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    corvane::registerFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
