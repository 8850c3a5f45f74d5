// Document list speed: rebuilding the tree of a large project (logic alone and the pane with its
// Japanese collation), and importing many text files.
#include "base/MemorySettings.h"
#include "doclist/CFileView.h"
#include "doclist/DocListOps.h"
#include "doclist/DocumentImporter.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace corvane;

namespace {

namespace fs = std::filesystem;

struct NullSink : MessageSink
{
    Answer present(int, const std::string&, MessageStyle) override { return Answer::No; }
};

struct Fakes
{
    class Colours : public ColourChooser
    {
    public:
        std::optional<Colour> chooseColour(Colour) override { return std::nullopt; }
    };
    MemorySettings settings;
    NullSink messages;
    Refresh refresh;
    ViewQueries views;
    Colours colours;
    Services services{settings, messages, refresh, views, colours};
};

/// A project of 100 folders with 50 documents each, some with markers, made once.
const std::string& bigProject()
{
    static const std::string folder = [] {
        const fs::path root = fs::temp_directory_path() / "cv_bench_doclist";
        fs::remove_all(root);
        for (int f = 0; f < 100; ++f) {
            const fs::path dir = root / "doc" / ("\xe5\x87\xba\xe9\xa1\x98" + std::to_string(f));
            fs::create_directories(dir);
            for (int d = 0; d < 50; ++d)
                std::ofstream(dir / ("JP" + std::to_string(2000000 + f * 50 + d) + "A")) << "x";
        }
        return root.string() + "/";
    }();
    return folder;
}

void fillMarkers(ProjectData& project)
{
    // 2,000 markers spread over the documents: the rebuild must not compare every document with
    // every marker.
    for (int i = 0; i < 2000; ++i) {
        ObjectRecord& r = project.objects[i];
        r = ObjectRecord{};
        r.id = i + 1;
        r.type = ObjectType::Marker;
        const int doc = (i * 7) % 5000;
        const std::string rel = "\x8f\x6f\x8a\xe8" + std::to_string(doc / 50) + "\\JP" +
                                std::to_string(2000000 + doc) + "A";
        std::snprintf(r.document, sizeof r.document, "%s", rel.c_str());
    }
    project.objectCount = 2000;
}

void BM_RebuildTreeLogic(benchmark::State& state)
{
    ProjectData project;
    project.folder = bigProject();
    project.name = "bench";
    fillMarkers(project);
    Fakes fakes;
    doclist::DocTree tree;
    doclist::DocumentWindows windows;
    doclist::DocListOps ops(project, fakes.services, tree, windows);
    for (auto _ : state) {
        ops.rebuild(false);
        benchmark::DoNotOptimize(tree.documentCount());
    }
    state.counters["documents"] = static_cast<double>(tree.documentCount());
}

void BM_RebuildPane(benchmark::State& state)
{
    ProjectData project;
    project.folder = bigProject();
    project.name = "bench";
    fillMarkers(project);
    Fakes fakes;
    doclist::DocumentWindows windows;
    CFileView view(project, fakes.services, windows);
    for (auto _ : state) {
        view.rebuildDocumentList(true);
        benchmark::DoNotOptimize(view.tree());
    }
    state.counters["documents"] = static_cast<double>(view.model().documentCount());
}

void BM_ImportTextFiles(benchmark::State& state)
{
    const fs::path root = fs::temp_directory_path() / "cv_bench_import";
    fs::remove_all(root);
    fs::create_directories(root / "src");
    // 1,000 files of 200 KB: Shift-JIS text with LF line ends and tabs, so normalisation and tab
    // expansion both have work to do.
    std::string content;
    std::mt19937 rng(1);
    while (content.size() < 200 * 1024) {
        for (int i = 0; i < 30; ++i)
            content += (rng() % 5 == 0) ? std::string("\x93\xfa\x96\x7b") : std::string("text ");
        content += (rng() % 3 == 0) ? "\t" : "";
        content += '\n';
    }
    content.resize(200 * 1024);
    std::vector<std::string> sources;
    for (int i = 0; i < 1000; ++i) {
        const fs::path p = root / "src" / ("file" + std::to_string(i) + ".txt");
        std::ofstream(p, std::ios::binary) << content;
        sources.push_back(p.string());
    }
    NullSink sink;
    doclist::WordConversion word;
    doclist::DocumentImporter importer(sink, word);
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(root / "doc");
        fs::create_directories(root / "doc");
        state.ResumeTiming();
        const auto results = importer.importFiles((root / "doc").string(), sources);
        bytes += sources.size() * content.size();
        benchmark::DoNotOptimize(results.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    for (auto& e : fs::recursive_directory_iterator(root))
        fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(root);
}

} // namespace

BENCHMARK(BM_RebuildTreeLogic)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RebuildPane)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ImportTextFiles)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / "cv_bench_doclist");
    return 0;
}
