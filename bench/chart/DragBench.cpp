// One frame of a drag in the chart view at capacity: 5,000 nodes and 5,000 links on a
// 5,000 x 5,000 canvas in a 1920 x 1080 view, 50 nodes selected, the pointer moving a selected
// node (target under 8 ms). The frame draws the outline over the cached scene; a full repaint
// (the scene rebuilt, as after a scroll) is measured alongside for comparison.
#include "CapacityChart.h"
#include "base/qt/ShellFonts.h"
#include "chart/ui/CChartView.h"
#include "model/FixedText.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

namespace corvane {
namespace {

struct Scene
{
    Scene()
    {
        bench::fillCapacityChart(project);
        project.chartView.zoom = 1.0f;
        project.chartView.scrollX = 0;
        project.chartView.scrollY = 0;
        for (int i = 0; i < 50; ++i)
            project.objects[i].nodeSelected = 1;
        view = std::make_unique<CChartView>(project, fake.services);
        view->resize(1920 + 20, 1080 + 20);
        view->show();
        // repaint() paints nothing until the platform has exposed the window.
        for (int i = 0; i < 1000 && !(view->windowHandle() && view->windowHandle()->isExposed());
             ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        view->viewport()->repaint();
        if (view->sceneRebuilds() == 0)
            std::abort(); // the figures would measure nothing
    }
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), button, buttons, {});
        QApplication::sendEvent(view->viewport(), &e);
    }
    ProjectData project;
    test::FakeServices fake;
    std::unique_ptr<CChartView> view;
};

void BM_DragFrame(benchmark::State& state)
{
    Scene s;
    // Press on the first selected node (10..70 x 10..50): it becomes main and a move starts.
    s.send(QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton, Qt::LeftButton);
    int x = 30;
    for (auto _ : state) {
        x = x == 30 ? 400 : 30;
        s.send(QEvent::MouseMove, {x, 300}, Qt::NoButton, Qt::LeftButton);
        s.view->viewport()->repaint();
    }
    state.counters["scene_rebuilds"] = s.view->sceneRebuilds(); // 1: frames reuse the scene
}
BENCHMARK(BM_DragFrame)->Unit(benchmark::kMillisecond);

void BM_SceneRebuild(benchmark::State& state)
{
    Scene s;
    const int before = s.view->sceneRebuilds();
    for (auto _ : state) {
        s.view->redrawChart();
        s.view->viewport()->repaint();
    }
    state.counters["rebuilt"] = s.view->sceneRebuilds() - before;
}
BENCHMARK(BM_SceneRebuild)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace corvane

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    corvane::registerFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
