// Typing into the text view as a user does: a two-byte character sent as a key event to a
// 1920x1080 view of a 20 MB document, caret in the middle, each keystroke followed by a full
// repaint of the view, with the system's real fonts. Prints p50 / p99 over 1,000 keystrokes, the
// same for Ctrl+Z and Ctrl+Y, the old route (the whole key table rebuilt after each keystroke)
// timed in the same run, and the growth of resident memory.
//   QT_QPA_PLATFORM=offscreen build/bench/textview/bench_typing [--quick]
#include "base/Codec.h"
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"

#include "BenchFigures.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <unistd.h>
#include <vector>

using namespace corvane;
using corvane::bench::percentile;
using corvane::bench::residentBytes;
using Clock = std::chrono::steady_clock;

namespace {

std::string makeDocument(std::size_t bytes)
{
    static const char* const phrases[] = {"本発明は、", "折り畳み傘の中棒に関し、",
                                          "前記外管に摺動自在に挿入された内管と、",
                                          "を備えることを特徴とする。", "外径 25mm の"};
    std::vector<std::string> sjis;
    for (const char* p : phrases)
        sjis.push_back(codec::fromUtf8(p).text);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> lineLength(40, 400);
    std::uniform_int_distribution<std::size_t> pick(0, sjis.size() - 1);
    std::string text;
    text.reserve(bytes + 512);
    while (text.size() < bytes) {
        const auto target = static_cast<std::size_t>(lineLength(rng));
        std::string line;
        while (line.size() < target)
            line += sjis[pick(rng)];
        text += line + "\r\n";
    }
    return text;
}

/// One keystroke delivered as the window system delivers it, then the repaint it causes.
template <typename Step> std::vector<double> timeKeys(CVantorView& view, int count, Step step)
{
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        step();
        view.viewport()->render(&image);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return ms;
}

void sendKey(QWidget* to, int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(to, &release);
}

void print(const char* what, const std::vector<double>& ms)
{
    std::printf("%-46s p50 %7.2f ms   p99 %7.2f ms   max %7.2f ms\n", what, percentile(ms, 0.5),
                percentile(ms, 0.99), percentile(ms, 1.0));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("Meiryo UI"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    const int keystrokes = quick ? 100 : 1000;
    QTemporaryDir dir;
    test::FakeServices fakes;
    ProjectData project;
    applyNewProjectValues(project.textView);
    TextViewHost host(project, fakes.services);

    const std::string path = dir.filePath(QStringLiteral("doc20")).toStdString();
    const std::string text = makeDocument(std::size_t(20) << 20);
    std::ofstream(path, std::ios::binary) << text;

    CVantorView view(project, fakes.services, host);
    view.resize(1920, 1080);
    view.show();
    if (!view.load(path))
        return 1;
    const long before = residentBytes();
    view.setCaret(static_cast<ByteOffset>(text.size() / 2) & ~1);
    view.setCaret(view.caret());
    std::printf("document: %zu bytes, %d display lines, view 1920x1080\n", text.size(),
                view.keyTable().lineCount());

    const QString a = QStringLiteral("あ");
    const auto typed = timeKeys(view, keystrokes, [&] { sendKey(&view, Qt::Key_A, {}, a); });
    print("type one two-byte character + repaint", typed);
    const auto undone = timeKeys(
        view, keystrokes, [&] { sendKey(&view, Qt::Key_Z, Qt::ControlModifier, QString()); });
    print("Ctrl+Z + repaint", undone);
    const auto redone = timeKeys(
        view, keystrokes, [&] { sendKey(&view, Qt::Key_Y, Qt::ControlModifier, QString()); });
    print("Ctrl+Y + repaint", redone);
    const long after = residentBytes();
    std::printf("resident growth after %d edits, undos and redos: %.1f MB (%.2f x the document)\n",
                3 * keystrokes, double(after - before) / 1048576.0,
                double(after - before) / double(text.size()));

    // The old route: the whole key table built again after every keystroke.
    const int old = std::min(keystrokes, 100);
    const auto rebuilt = timeKeys(view, old, [&] {
        sendKey(&view, Qt::Key_A, {}, a);
        view.relayout();
    });
    print("type + whole key table rebuild + repaint", rebuilt);
    return 0;
}
