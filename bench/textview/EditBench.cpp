// Speed of editing an open document, logic only: one two-byte character typed in the middle of
// a 20 MB document with the key table updated from the changed line on, against the whole-table
// rebuild it replaces; undo and redo of the same keystrokes; resident memory after 1,000 edits.
// Widths are fixed (10 / 20 pixels) and the break width is that of a 1920-pixel view, so the
// figures leave out the font engine, re-layout of the visible lines and the repaint.
//   build/bench/textview/bench_editing
#include "base/Codec.h"
#include "textview/TextDocument.h"

#include "BenchFigures.h"
#include "support/FakeServices.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>
#include <vector>

using namespace corvane;
using corvane::bench::percentile;
using corvane::bench::residentBytes;
using Clock = std::chrono::steady_clock;

namespace {

class FixedWidths : public CharWidthSource
{
public:
    int measureCharWidth(std::uint16_t code) override { return code < 256 ? 10 : 20; }
};

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

/// CPU time of this thread in milliseconds: on a loaded machine the wall-clock tail is mostly
/// time spent waiting for a core, which this leaves out.
double threadCpuMs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

/// Wall-clock and CPU milliseconds of each run.
struct Samples
{
    std::vector<double> wall, cpu;
    template <typename F> void time(F&& f)
    {
        const auto start = Clock::now();
        const double cpuStart = threadCpuMs();
        f();
        cpu.push_back(threadCpuMs() - cpuStart);
        wall.push_back(msSince(start));
    }
};

/// Shift-JIS text of about `bytes` bytes: patent-like lines of 40-400 bytes with CR LF.
std::string makeDocument(std::size_t bytes)
{
    static const char* const phrases[] = {"本発明は、",
                                          "折り畳み傘の中棒に関し、",
                                          "前記外管に摺動自在に挿入された内管と、",
                                          "を備えることを特徴とする。",
                                          "図１に示すように、",
                                          "外径 25mm の",
                                          "ＡＢＣ樹脂製の",
                                          "（請求項３）"};
    std::vector<std::string> sjis;
    for (const char* p : phrases)
        sjis.push_back(codec::fromUtf8(p).text);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> lineLength(40, 400);
    std::uniform_int_distribution<std::size_t> pick(0, sjis.size() - 1);
    std::string text;
    text.reserve(bytes + 512);
    while (text.size() < bytes) {
        const std::size_t target = static_cast<std::size_t>(lineLength(rng));
        std::string line;
        while (line.size() < target)
            line += sjis[pick(rng)];
        text += line;
        text += "\r\n";
    }
    return text;
}

void print(const char* what, const std::vector<double>& ms);

void print(const char* what, const Samples& s)
{
    print(what, s.wall);
    print("  (thread CPU time)", s.cpu);
}

void print(const char* what, const std::vector<double>& ms)
{
    const auto slow = std::count_if(ms.begin(), ms.end(), [](double t) { return t > 3.0; });
    std::printf("%-44s p50 %8.3f ms   p99 %8.3f ms   max %8.3f ms   over 3 ms: %d of %zu\n", what,
                percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1.0),
                static_cast<int>(slow), ms.size());
}

} // namespace

int main()
{
    constexpr int kKeystrokes = 1000;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("cvedit-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "doc").string();
    std::ofstream(path, std::ios::binary) << makeDocument(20u * 1024 * 1024);

    test::FakeServices fakes;
    auto project = std::make_unique<ProjectData>();
    project->folder = dir.string() + "/";
    project->name = "bench";
    for (int slot = 0; slot < kBookmarkCount; ++slot)
        project->textView.bookmarkPosition[slot] = -1;
    FixedWidths source;
    CharWidthTable widths(&source);
    const int breakWidth = breakWidthFor(1920, 17, true);

    const long before = residentBytes();
    TextDocument document(*project, fakes.services, "doc");
    if (!document.open(path, dir.string()))
        return 1;
    document.setLayout(&widths, breakWidth);
    const long opened = residentBytes();
    std::printf("document: %d bytes, %d display lines\n", document.length(),
                document.keyTable().lineCount());

    const SjisString kanji = "\x88\x9f"; // "亜"
    ByteOffset caret = document.length() / 2;
    while (static_cast<unsigned char>(document.text()[static_cast<std::size_t>(caret) - 1]) != '\n')
        ++caret; // a line start: a character boundary
    Samples insert, undo, redo, rebuild;
    for (int i = 0; i < kKeystrokes; ++i)
        insert.time([&] { caret = document.insert(caret, kanji).caret; });
    const long edited = residentBytes();
    // The undo lists hold 99 records at most; undo and redo what they hold, ten times over.
    for (int round = 0; round < 10; ++round) {
        while (document.undoStore().canUndo())
            undo.time([&] { document.undo(); });
        while (document.undoStore().canRedo())
            redo.time([&] { document.redo(); });
    }
    for (int i = 0; i < 20; ++i) {
        KeyTable whole;
        rebuild.time([&] { whole.build(document.text(), widths, breakWidth); });
    }

    print("insert 2-byte char, incremental key table", insert);
    print("whole key-table rebuild (for comparison)", rebuild);
    print("undo", undo);
    print("redo", redo);
    std::printf("resident: %.1f MB before open, %.1f MB open, %.1f MB after %d edits "
                "(%.2fx the document)\n",
                before / 1048576.0, opened / 1048576.0, edited / 1048576.0, kKeystrokes,
                static_cast<double>(edited - before) / document.length());
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return 0;
}
