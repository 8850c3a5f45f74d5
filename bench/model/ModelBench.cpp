// The table operations at capacity: 5000 objects and 5000 links. Lookups are linear scans and
// removals move the rest of the table down, so these are the worst cases the user can reach.
#include "base/SettingsKeys.h"
#include "model/LinkOps.h"
#include "model/LinkTable.h"
#include "model/ObjectTable.h"
#include "support/FakeServices.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace corvane {
namespace {

// Objects with IDs 1..5000 (markers and sub-subjects alternating) and, when withLinks, 5000
// links between them, none of which touches object 1.
void fill(ProjectData& p, bool withLinks)
{
    p.folder = "/p/";
    p.name = "bench";
    for (int i = 0; i < kMaxObjects; ++i) {
        ObjectRecord& r = p.objects[i];
        std::memset(&r, 0, sizeof r);
        r.id = i + 1;
        r.type = (i % 2) ? ObjectType::SubSubject : ObjectType::Marker;
        std::memcpy(r.document, "doc", 4);
    }
    p.objectCount = kMaxObjects;
    p.linkCount = 0;
    if (withLinks)
        for (int i = 0; i < kMaxLinks; ++i)
            p.links[p.linkCount++] = {2 + i % (kMaxObjects - 1),
                                      2 + (i * 7 + 3) % (kMaxObjects - 1)};
}

void BM_FindObjectIndexLast(benchmark::State& state)
{
    ProjectData p;
    fill(p, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(findObjectIndex(p, kMaxObjects));
}
BENCHMARK(BM_FindObjectIndexLast);

// Toggle on and off through the link operation (no confirmations) with a table of 4999 links, so
// every add scans the full table for an existing link first.
void BM_AddAndDeleteLinkByToggle(benchmark::State& state)
{
    ProjectData p;
    fill(p, true);
    --p.linkCount;
    test::FakeServices fake;
    write(fake.settings, keys::MakeMes, 0);
    write(fake.settings, keys::DelMes, 0);
    LinkOps ops(p, fake.services);
    for (auto _ : state) {
        ops.toggle(0, 2); // adds 1 -> 3, appended at the end
        ops.toggle(0, 2); // removes it again
    }
    if (p.linkCount != kMaxLinks - 1)
        state.SkipWithError("toggle did not restore the table");
}
BENCHMARK(BM_AddAndDeleteLinkByToggle);

// Removing the first link moves the other 4999 down.
void BM_DeleteFirstLinkAndAppend(benchmark::State& state)
{
    ProjectData p;
    fill(p, true);
    LinkTable table(p);
    for (auto _ : state) {
        const LinkRecord first = p.links[0];
        table.removeAt(0);
        table.append(first.from, first.to);
    }
}
BENCHMARK(BM_DeleteFirstLinkAndAppend);

// Deleting an object from the middle of a full table with 5000 links: the scan for its links, the
// link compaction and the move of 2500 object records (1.45 MB). The timed part is the deletion
// only; putting the object back is excluded.
void BM_DeleteObjectInTheMiddle(benchmark::State& state)
{
    ProjectData p;
    fill(p, true);
    ProjectData pristine;
    fill(pristine, true);
    const ObjectId id = kMaxObjects / 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ObjectTable(p).remove(id));
        state.PauseTiming();
        p.copyContentFrom(pristine);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteObjectInTheMiddle);

// The worst case: the first object, so all 4999 others move (2.9 MB).
void BM_DeleteObjectFirst(benchmark::State& state)
{
    ProjectData p;
    fill(p, true);
    ProjectData pristine;
    fill(pristine, true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ObjectTable(p).remove(1));
        state.PauseTiming();
        p.copyContentFrom(pristine);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteObjectFirst);

} // namespace
} // namespace corvane
