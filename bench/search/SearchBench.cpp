// Speed of search and replace on a generated project of 1,000 Shift-JIS documents (~200 KB
// each, CR LF lines, planted phrases): the count pass for a rare ASCII phrase and a common
// two-byte phrase against ripgrep, a 100-pair dictionary replace against sed -i with the same
// expressions, and find next to the farthest hit of a 20 MB document. The count pass is timed
// twice: the function alone, and the whole `cvntool search --count --case` process (start-up and
// project loading included) in runs interleaved with rg's. Tools that are not installed are
// skipped. Warm cache: every timed pass follows an untimed one.
//   build/bench/search/bench_search [folder]   (default: a folder under /tmp, removed after)
#include "model/ProjectData.h"
#include "search/FindInText.h"
#include "search/Replace.h"
#include "search/SearchRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace corvane;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kDocuments = 1000;
constexpr std::size_t kDocumentBytes = 200 * 1024;
const SjisString kCommon = "\x90\xbf\x8b\x81\x8d\x80"; // 請求項
const SjisString kRare = "ZQXJ42";

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F> double medianOf(int runs, F&& f)
{
    f(); // warm
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        f();
        ms.push_back(msSince(start));
    }
    return median(ms);
}

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

double timeCommand(const std::string& command)
{
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "failed: %s\n", command.c_str());
    return msSince(start);
}

/// A line of mixed two-byte and ASCII text, CR LF at its end.
void appendLine(std::string& out, std::mt19937& rng)
{
    static const char* words[] = {"\x92\x86\x96\x5f",
                                  "\x90\x4c\x8f\x6b", // 中棒 伸縮
                                  "\x83\x8d\x83\x62\x83\x4e",
                                  "\x8a\x50", // ロック 傘
                                  "\x8d\x5c\x91\xa2",
                                  "\x95\x94\x8d\xde", // 構造 部材
                                  "\x82\xcc",
                                  "\x82\xf0", // の を
                                  "\x81\x41",
                                  "abc ",
                                  "12 ",
                                  "\x82\xc6"};
    std::uniform_int_distribution<int> pick(0, 11);
    const int n = 30 + int(rng() % 20);
    for (int i = 0; i < n; ++i)
        out += words[pick(rng)];
    out += "\r\n";
}

std::vector<std::pair<SjisString, SjisString>> dictionaryPairs()
{
    std::vector<std::pair<SjisString, SjisString>> pairs;
    for (int i = 0; i < 100; ++i) {
        char before[16], after[16];
        std::snprintf(before, sizeof before, "KW%03dX", i);
        std::snprintf(after, sizeof after, "R%03d", i); // shorter: every file changes length
        pairs.emplace_back(before, after);
    }
    return pairs;
}

void generate(const fs::path& doc)
{
    std::mt19937 rng(13);
    const auto pairs = dictionaryPairs();
    for (int d = 0; d < kDocuments; ++d) {
        const fs::path folder = doc / ("f" + std::to_string(d / 100));
        fs::create_directories(folder);
        std::string text;
        text.reserve(kDocumentBytes + 512);
        int line = 0;
        while (text.size() < kDocumentBytes) {
            appendLine(text, rng);
            if (++line % 7 == 0)
                text += kCommon + "\x82\xcc\x94\xad\x96\xbe\r\n"; // 請求項の発明
            if (line % 97 == 0)
                text += pairs[std::size_t(rng() % pairs.size())].first + " ";
        }
        if (d % 50 == 0)
            text += kRare + "\r\n";
        std::ofstream(folder / ("d" + std::to_string(d)), std::ios::binary) << text;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const fs::path root =
        argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "cv_search_bench";
    fs::remove_all(root);
    fs::create_directories(root);
    const fs::path docA = root / "a" / "doc";
    const fs::path docB = root / "b" / "doc";
    const std::string cvntool = CORVANE_CVNTOOL;
    // The project file the whole-process runs load: a new project whose doc folder is docA.
    const bool haveProject =
        std::system(("\"" + cvntool + "\" new " + root.string() + " a >/dev/null").c_str()) == 0;
    std::printf("generating %d documents of ~%zu KB...\n", kDocuments, kDocumentBytes / 1024);
    generate(docA);
    fs::create_directories(docB.parent_path());
    fs::copy(docA, docB, fs::copy_options::recursive);

    auto docs = search::targetDocuments(docA.string() + "/", nullptr, {}, search::TargetKey{});
    if (!docs || docs->size() != std::size_t(kDocuments)) {
        std::fprintf(stderr, "walk found %zu documents\n", docs ? docs->size() : 0);
        return 1;
    }
    const bool rg = haveTool("rg");
    for (const SjisString* phrase : {&kRare, &kCommon}) {
        const search::Matcher matcher(*phrase, true);
        std::int64_t hits = 0;
        const double ours =
            medianOf(5, [&] { hits = search::runSearch(matcher, *docs, 0, false).hits; });
        std::printf("count pass %-8s %8lld hits  %8.1f ms", phrase == &kRare ? "ASCII" : "kanji",
                    static_cast<long long>(hits), ours);
        if (rg) {
            const std::string pattern =
                phrase == &kRare ? kRare : "'(?-u)\\x90\\xBF\\x8B\\x81\\x8D\\x80'";
            const std::string rgCommand =
                "rg -a -j1 --count-matches " + pattern + " " + docA.string() + " >/dev/null";
            // The phrase as cvntool takes it: UTF-8.
            const std::string utf8 =
                phrase == &kRare ? kRare : "\xe8\xab\x8b\xe6\xb1\x82\xe9\xa0\x85";
            const std::string ourCommand = "\"" + cvntool + "\" search " +
                                           (root / "a" / "a.CVN").string() + " " + utf8 +
                                           " --count --case >/dev/null";
            std::vector<double> rgMs, ourMs;
            timeCommand(rgCommand);
            if (haveProject)
                timeCommand(ourCommand);
            for (int i = 0; i < 9; ++i) {
                rgMs.push_back(timeCommand(rgCommand));
                if (haveProject)
                    ourMs.push_back(timeCommand(ourCommand));
            }
            std::printf("   rg -j1 %8.1f ms", median(rgMs));
            if (haveProject)
                std::printf("   cvntool process %8.1f ms", median(ourMs));
        } else {
            std::printf("   (rg not installed)");
        }
        std::printf("\n");
    }

    // The 100-pair dictionary over the whole project, once, in our walk (one read and one write
    // per changed document) and with sed -i on the copy.
    std::vector<search::ReplacePair> pairs;
    for (const auto& [before, after] : dictionaryPairs())
        pairs.push_back({before, after});
    auto project = std::make_unique<ProjectData>();
    project->folder = (root / "a").string() + "/";
    project->name = "Bench";
    auto start = Clock::now();
    const search::ReplaceTotals totals = search::runReplace(*project, *docs, pairs, true);
    const double replaceMs = msSince(start);
    std::printf("dictionary 100 pairs: %d documents written, %lld replacements  %8.1f ms\n",
                totals.documentsWritten, static_cast<long long>(totals.hits - totals.refused),
                replaceMs);
    if (haveTool("sed")) {
        const fs::path script = root / "pairs.sed";
        {
            std::ofstream out(script);
            for (const auto& p : dictionaryPairs())
                out << "s/" << p.first << "/" << p.second << "/g\n";
        }
        const std::string cmd = "cd " + docB.string() +
                                " && find . -type f -print0 | LC_ALL=C xargs -0 sed -i -f " +
                                script.string();
        const double sedMs = timeCommand(cmd);
        std::printf("sed -i -f (100 expressions)                        %8.1f ms  (%.1fx ours)\n",
                    sedMs, sedMs / replaceMs);
    }

    // Find next to the farthest hit of a 20 MB document: the phrase only at its end.
    std::string big;
    std::mt19937 rng(7);
    while (big.size() < (20u << 20))
        appendLine(big, rng);
    big += kRare + kCommon;
    struct FindCase
    {
        const char* name;
        SjisString phrase;
        bool caseSensitive;
    };
    for (const FindCase& c : {FindCase{"ASCII, case respected", kRare, true},
                              FindCase{"ASCII, case ignored  ", kRare, false},
                              FindCase{"kanji               ", kCommon, false}}) {
        const double ms = medianOf(5, [&] {
            const auto r = search::findInText(
                big, search::FindRequest{c.phrase, c.caseSensitive, search::FindDirection::Forward,
                                         0, 0, 0});
            if (!r.hit)
                std::fprintf(stderr, "find: no hit\n");
        });
        std::printf("find next in 20 MB, %s               %8.1f ms\n", c.name, ms);
    }
    if (argc <= 1)
        fs::remove_all(root);
    return 0;
}
