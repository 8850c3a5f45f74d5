// The chart painter at capacity: 5,000 nodes and 5,000 links on a 5,000 x 5,000 canvas, drawn
// into a 1920 x 1080 image as the window's full repaint: at zoom 1 (target under 16 ms, nodes
// and links culled to the view) and at zoom 0.2 (everything visible, target under 40 ms), with
// links running across the canvas (the worst case) and with links between neighbours.
#include "CapacityChart.h"
#include "base/qt/ShellFonts.h"
#include "chart/paint/ChartPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>

namespace corvane {
namespace {

/// How the 5,000 links run: between nodes far apart across the canvas (the worst case: some
/// two thousand long lines cross any view), or from each marker to a sub-subject nearby, as
/// users' charts are built.
enum class Links
{
    Random,
    Local
};

void fill(ProjectData& p, Links links)
{
    bench::fillCapacityChart(p);
    if (links == Links::Random)
        return;
    for (int i = 0; i < kMaxLinks; ++i) {
        if (i % 10 != 0)
            p.links[i] = {1 + i, 1 + i - i % 10}; // marker -> its sub-subject
        else
            p.links[i] = {1 + i, 1 + (i + 70) % kMaxObjects}; // to the one below
    }
}

void repaint(benchmark::State& state, float zoom, Links links = Links::Random)
{
    ProjectData p;
    fill(p, links);
    p.chartView.zoom = zoom;
    QImage frame(1920, 1080, QImage::Format_RGB32);
    chart::PaintOptions options;
    options.zoom = zoom;
    // Scrolled into the middle at zoom 1; at 0.2 the whole canvas (1000 x 1000) is in view.
    options.exposed = zoom >= 1.0f ? QRect(1000, 1000, 1920, 1080) : QRect(0, 0, 1920, 1080);
    options.screenImages = true;      // as the window draws
    chart::ChartPainter chartPainter; // kept as the window keeps it, with its laid-out texts
    for (auto _ : state) {
        QPainter painter(&frame);
        painter.fillRect(frame.rect(), Qt::white);
        painter.translate(-options.exposed.topLeft());
        chartPainter.paint(painter, p, options);
    }
}

void BM_RepaintAtZoomOne(benchmark::State& state)
{
    repaint(state, 1.0f);
}
BENCHMARK(BM_RepaintAtZoomOne)->Unit(benchmark::kMillisecond);

void BM_RepaintAtZoomPointTwo(benchmark::State& state)
{
    // At 0.2 the whole canvas is 1000 x 1000 pixels: everything is drawn.
    repaint(state, 0.2f);
}
BENCHMARK(BM_RepaintAtZoomPointTwo)->Unit(benchmark::kMillisecond);

void BM_RepaintAtZoomOneLocalLinks(benchmark::State& state)
{
    repaint(state, 1.0f, Links::Local);
}
BENCHMARK(BM_RepaintAtZoomOneLocalLinks)->Unit(benchmark::kMillisecond);

void BM_RepaintAtZoomPointTwoLocalLinks(benchmark::State& state)
{
    repaint(state, 0.2f, Links::Local);
}
BENCHMARK(BM_RepaintAtZoomPointTwoLocalLinks)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace corvane

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    corvane::registerFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
