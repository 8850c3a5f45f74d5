// Save and load of a full project (5000 objects, 5000 links) against the command-line tools on
// the same data file: `gcab -c -z` after writing the data file, and `cabextract` followed by
// reading the extracted file. The tools' times include starting a process, as a user's would.
#include "model/CProjectIO.h"
#include "support/FakeServices.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>

namespace {

namespace fs = std::filesystem;
using namespace corvane;

/// Hiragana and kanji in Shift-JIS, for texts that compress like real ones.
const char* const kWords[] = {"\x93\xc1\x8b\x96",
                              "\x90\xbf\x8b\x81\x8d\x80",
                              "\x8e\xc0\x8e\x7b\x97\xe1",
                              "\x82\xcc",
                              "\x82\xf0",
                              "\x82\xc9",
                              "\x91\x95\x92\x75",
                              "\x90\xa7\x8c\xe4\x95\x94",
                              "\x8a\xee\x94\xc2",
                              "\x82\xc6\x82\xb7\x82\xe9",
                              "\x8c\x9f\x8f\x6f",
                              "\x90\x4d\x8d\x86",
                              "(1)",
                              "\x81\x41",
                              "\x81\x42"};

void fillText(char* field, std::size_t fieldBytes, std::mt19937& rng, std::size_t wanted)
{
    std::string s;
    while (s.size() < wanted)
        s += kWords[rng() % std::size(kWords)];
    std::size_t keep = std::min(wanted, fieldBytes - 1);
    if (keep < s.size() && keep > 0) {
        // Do not end inside a two-byte character.
        std::size_t i = 0;
        while (i < keep)
            i += (static_cast<unsigned char>(s[i]) >= 0x81 &&
                  static_cast<unsigned char>(s[i]) <= 0x9F) ||
                         static_cast<unsigned char>(s[i]) >= 0xE0
                     ? 2
                     : 1;
        if (i > keep)
            keep -= 1;
    }
    std::memset(field, 0, fieldBytes);
    std::memcpy(field, s.data(), keep);
}

std::unique_ptr<ProjectData> fullProject()
{
    auto p = std::make_unique<ProjectData>();
    std::mt19937 rng(2024);
    for (int i = 0; i < kMaxObjects; ++i) {
        ObjectRecord& r = p->objects[p->objectCount++];
        std::memset(&r, 0, sizeof r);
        r.id = i + 1;
        r.type = i % 5 == 0 ? ObjectType::SubSubject : ObjectType::Marker;
        if (r.type == ObjectType::Marker) {
            const std::string doc = "\x93\xc1\x8b\x96\\JP" +
                                    std::to_string(2000 + int(rng() % 200)) + "-" +
                                    std::to_string(rng() % 100000);
            std::strncpy(r.document, doc.c_str(), sizeof r.document - 1);
            r.position = std::int32_t(rng() % 200000);
            r.length = std::int32_t(10 + rng() % 90);
            r.markerColour = 0xBF8F6F;
            fillText(r.firstText, sizeof r.firstText, rng, rng() % 40);
            fillText(r.secondText, sizeof r.secondText, rng, 100);
        } else {
            fillText(r.firstText, sizeof r.firstText, rng, 20 + rng() % 30);
            fillText(r.secondText, sizeof r.secondText, rng, 20 + rng() % 60);
        }
        const std::int32_t x = std::int32_t(rng() % 4800), y = std::int32_t(rng() % 4800);
        r.nodeRect[0] = x;
        r.nodeRect[1] = y;
        r.nodeRect[2] = x + 120;
        r.nodeRect[3] = y + 60;
        std::strcpy(r.fontName, "Meiryo UI");
        r.fontSize = 9;
        r.alignV = 1;
        r.wordWrap = 1;
        r.background = 0xFFFFFF;
        r.lineThickness = 1;
    }
    for (int i = 0; i < kMaxLinks; ++i)
        p->links[p->linkCount++] =
            LinkRecord{std::int32_t(1 + rng() % 5000), std::int32_t(1 + rng() % 5000)};
    return p;
}

struct Fixture
{
    Fixture()
    {
        std::string pattern = (fs::temp_directory_path() / "cvbench.XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        ::setenv("TMPDIR", root.c_str(), 1);
        fake.settings.writeInt("KanSet", "MakeBackup", 0);
        project = fullProject();
        path = root + "/Bench.CVN";
        dataPath = root + "/data/Bench.CVN";
        fs::create_directories(root + "/data");
        fs::create_directories(root + "/x");
        CProjectIO(fake.services).saveProject(path, *project);
    }
    ~Fixture() { fs::remove_all(root); }

    std::string root, path, dataPath;
    test::FakeServices fake;
    std::unique_ptr<ProjectData> project;
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_SaveProject(benchmark::State& state)
{
    Fixture& f = fixture();
    CProjectIO io(f.fake.services);
    for (auto _ : state)
        if (!io.saveProject(f.path, *f.project))
            state.SkipWithError("save failed");
}

void BM_LoadProject(benchmark::State& state)
{
    Fixture& f = fixture();
    CProjectIO io(f.fake.services);
    auto into = std::make_unique<ProjectData>();
    for (auto _ : state)
        if (!io.loadProjectFile(f.path, *into))
            state.SkipWithError("load failed");
}

void BM_WriteDataFileAndGcab(benchmark::State& state)
{
    Fixture& f = fixture();
    if (std::system("command -v gcab >/dev/null 2>&1") != 0) {
        state.SkipWithError("gcab is not installed");
        return;
    }
    const std::string command = "cd '" + f.root + "/data' && gcab -c -z -n ../g.cab Bench.CVN";
    for (auto _ : state) {
        const std::string bytes = encodeDataFile(*f.project);
        std::ofstream(f.dataPath, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), std::streamsize(bytes.size()));
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("gcab failed");
    }
}

void BM_CabextractAndRead(benchmark::State& state)
{
    Fixture& f = fixture();
    if (std::system("command -v cabextract >/dev/null 2>&1") != 0) {
        state.SkipWithError("cabextract is not installed");
        return;
    }
    const std::string command = "cabextract -q -d '" + f.root + "/x' '" + f.path + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cabextract failed");
        std::ifstream in(f.root + "/x/Bench.CVN", std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), {}};
        benchmark::DoNotOptimize(bytes);
    }
}

#define CV_BENCH(fn)                                                                               \
    BENCHMARK(fn)                                                                                  \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()                                                                            \
        ->Repetitions(9)                                                                           \
        ->ReportAggregatesOnly(true)
CV_BENCH(BM_SaveProject);
CV_BENCH(BM_WriteDataFileAndGcab);
CV_BENCH(BM_LoadProject);
CV_BENCH(BM_CabextractAndRead);

} // namespace
