// The chart's logic at capacity: automatic placement of 5,000 new marker nodes on a 5,000 x 5,000
// canvas (targets: under 200 ms), and a layout history push of 5,000 selected nodes (under 2 ms
// and under 1 MB; the step's size is reported as the counter "bytes").
#include "chart/ChartModel.h"
#include "support/FakeServices.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace corvane {
namespace {

/// hubs placed sub-subjects in a row, the rest unplaced markers; with linked, marker k is linked
/// to hub k % hubs.
void fill(ProjectData& p, int hubs, bool linked)
{
    p.folder = "/p/";
    p.name = "bench";
    applyNewProjectValues(p.chartView);
    p.chartView.width = 5000;
    p.chartView.height = 5000;
    p.chartView.zoom = 1.0f;
    p.objectCount = 0;
    p.linkCount = 0;
    for (int i = 0; i < kMaxObjects; ++i) {
        ObjectRecord& r = p.objects[p.objectCount++];
        std::memset(&r, 0, sizeof r);
        r.id = i + 1;
        r.type = i < hubs ? ObjectType::SubSubject : ObjectType::Marker;
        if (i < hubs) {
            const int x = 100 + (i % 10) * 480;
            const int y = 100 + (i / 10) * 900;
            chart::setNodeRect(r, {x, y, x + 150, y + 50});
        } else if (linked && hubs > 0 && p.linkCount < kMaxLinks) {
            p.links[p.linkCount++] = {r.id, 1 + i % hubs};
        }
    }
}

void unplaceMarkers(ProjectData& p)
{
    for (int i = 0; i < p.objectCount; ++i)
        if (p.objects[i].type == ObjectType::Marker)
            std::memset(p.objects[i].nodeRect, 0, sizeof p.objects[i].nodeRect);
}

void placeAll(benchmark::State& state, int hubs, bool linked)
{
    ProjectData p;
    fill(p, hubs, linked);
    test::FakeServices fake;
    chart::ChartModel model(p, fake.services, 1);
    int placed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        unplaceMarkers(p);
        state.ResumeTiming();
        placed = model.placeUnplaced({2500, 2500});
    }
    state.counters["placed"] = placed;
}

void BM_PlaceMarkersAroundTheCentre(benchmark::State& state)
{
    placeAll(state, 0, false);
}
BENCHMARK(BM_PlaceMarkersAroundTheCentre)->Unit(benchmark::kMillisecond);

void BM_PlaceMarkersLinkedToFiftyHubs(benchmark::State& state)
{
    placeAll(state, 50, true);
}
BENCHMARK(BM_PlaceMarkersLinkedToFiftyHubs)->Unit(benchmark::kMillisecond);

void BM_HistoryPushOfEveryNode(benchmark::State& state)
{
    ProjectData p;
    fill(p, 0, false);
    for (int i = 0; i < p.objectCount; ++i) {
        chart::setNodeRect(p.objects[i], {i % 4000, i % 4000, i % 4000 + 150, i % 4000 + 50});
        p.objects[i].nodeSelected = 1;
    }
    std::vector<ObjectId> ids;
    for (int i = 0; i < p.objectCount; ++i)
        ids.push_back(p.objects[i].id);
    chart::LayoutHistory history;
    std::size_t bytes = 0;
    for (auto _ : state) {
        history.reset();
        history.push(p, ids);
        bytes = history.bytesHeld();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HistoryPushOfEveryNode)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace corvane
