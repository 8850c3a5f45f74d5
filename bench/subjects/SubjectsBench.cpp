// The subject list with 5,000 sub-subjects in 200 main subjects: grouping alone, and the pane's
// whole rebuild (rows made and shown); batch adding 5,000 pairs of clipboard text. Goal: under
// 200 ms each.
#include "subjects/BatchAdd.h"
#include "subjects/SubjectGroups.h"
#include "subjects/ui/CSubjectWnd.h"
#include "support/FakeServices.h"

#include "model/FixedText.h"
#include "model/ObjectTable.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace corvane;

namespace {

constexpr int kSubSubjects = 5000;
constexpr int kMainSubjects = 200;

/// 5,000 sub-subjects whose main titles cycle through 200, every fifth one linked.
std::unique_ptr<ProjectData> fullProject()
{
    auto p = std::make_unique<ProjectData>();
    p->folder = "/nonexistent/";
    p->name = "bench";
    for (int i = 0; i < kSubSubjects; ++i) {
        ObjectRecord* r = ObjectTable(*p).appendZeroed();
        r->id = i + 1;
        r->type = ObjectType::SubSubject;
        // "主題" + number, "副題" + number
        setFixedText(r->firstText, "\x8e\xe5\x91\xe8 " + std::to_string(i % kMainSubjects));
        setFixedText(r->secondText, "\x95\x9b\x91\xe8 " + std::to_string(i));
    }
    for (int i = 0; i < kSubSubjects; i += 5)
        p->links[p->linkCount++] = {i + 1, (i + 2) % kSubSubjects + 1};
    return p;
}

SjisString fivethousandPairs()
{
    SjisString text;
    for (int i = 0; i < kSubSubjects; ++i)
        text += "\x8e\xe5\x91\xe8 " + std::to_string(i % kMainSubjects) + ",\x95\x9b\x91\xe8 " +
                std::to_string(i) + "\r\n";
    return text;
}

void BM_GroupSubSubjects(benchmark::State& state)
{
    const auto project = fullProject();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildSubjectGroups(*project));
}
BENCHMARK(BM_GroupSubSubjects)->Unit(benchmark::kMillisecond);

void BM_RebuildSubjectPane(benchmark::State& state)
{
    const auto project = fullProject();
    test::FakeServices fake;
    CSubjectWnd pane(*project, fake.services);
    pane.resize(300, 600);
    pane.show();
    for (auto _ : state) {
        pane.rebuild();
        QApplication::processEvents(); // the rows are laid out and painted
    }
}
BENCHMARK(BM_RebuildSubjectPane)->Unit(benchmark::kMillisecond);

void BM_BatchAdd5000Pairs(benchmark::State& state)
{
    const SjisString text = fivethousandPairs();
    for (auto _ : state) {
        state.PauseTiming();
        auto project = std::make_unique<ProjectData>();
        project->folder = "/nonexistent/";
        project->name = "bench";
        test::FakeServices fake;
        state.ResumeTiming();
        const int added = BatchAdd(*project, fake.services).run(text);
        if (added != kSubSubjects)
            state.SkipWithError("not every pair was added");
    }
}
BENCHMARK(BM_BatchAdd5000Pairs)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
