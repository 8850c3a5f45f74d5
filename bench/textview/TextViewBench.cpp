// Speed of the text view on generated Shift-JIS documents of 1 MB and 20 MB with patent-like
// lines (40-400 bytes, CR LF), under the real font engine: open + first layout + first paint at
// 900 pixels, re-layout after a width change, full repaint at 1920x1080, one page of scrolling,
// memory, and the same text in a QPlainTextEdit until its layout is complete.
#include "base/Codec.h"
#include "textview/CVantorView.h"
#include "textview/TextStore.h"
#include "textview/TextViewHost.h"
#include "textview/ViewFontCache.h"

#include "support/FakeServices.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <unistd.h>
#include <vector>

using namespace corvane;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

/// Shift-JIS text of about `bytes` bytes: numbered paragraphs and claim-like sentences.
std::string makeDocument(std::size_t bytes, unsigned seed)
{
    static const char* const phrases[] = {"本発明は、",
                                          "折り畳み傘の中棒に関し、",
                                          "特に伸縮位置を保持するロック機構に関する。",
                                          "前記外管に摺動自在に挿入された内管と、",
                                          "ばね部材により付勢されたロックレバーと、",
                                          "を備えることを特徴とする。",
                                          "図１に示すように、",
                                          "第１の実施形態では、",
                                          "係止溝に入り込むことで",
                                          "ＡＢＣ樹脂製の",
                                          "約１２ｍｍの",
                                          "（請求項３）",
                                          "従来の構成では",
                                          "しかしながら、",
                                          "ワイヤを介して解除される。",
                                          "ハンドル部１０は、",
                                          "Ｆターム３Ｂ１０４",
                                          "外径 25mm の",
                                          "図面の簡単な説明",
                                          "上記のとおり、"};
    std::vector<std::string> sjis;
    for (const char* p : phrases)
        sjis.push_back(codec::fromUtf8(p).text);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> lineLength(40, 400);
    std::uniform_int_distribution<std::size_t> pick(0, sjis.size() - 1);
    std::string text;
    text.reserve(bytes + 512);
    int paragraph = 1;
    while (text.size() < bytes) {
        const std::size_t target = static_cast<std::size_t>(lineLength(rng));
        std::string line = codec::fromUtf8("【" + std::to_string(paragraph++) + "】").text;
        while (line.size() < target)
            line += sjis[pick(rng)];
        // Cut at a character boundary near the target.
        std::size_t cut = 0;
        while (cut < line.size() && cut < target)
            cut += (static_cast<unsigned char>(line[cut]) >= 0x81 &&
                    static_cast<unsigned char>(line[cut]) <= 0x9F) ||
                           static_cast<unsigned char>(line[cut]) >= 0xE0
                       ? 2
                       : 1;
        line.resize(std::min(cut, line.size()));
        text += line;
        text += "\r\n";
    }
    return text;
}

struct Figures
{
    double openMedianCold = 0, openMedianWarm = 0, relayout = 0, repaint = 0, scroll = 0;
    double memoryRatio = 0, plainTextEdit = 0, storeOpen = 0, keyTable = 0;
    int lines = 0;
};

/// Paints the view's drawing area into an image of its size, as a window paint would.
void paintOnce(CVantorView* view)
{
    static QImage image;
    if (image.size() != view->viewport()->size())
        image = QImage(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    view->viewport()->render(&image);
}

Figures measure(const std::string& path, std::size_t size, ProjectData& project,
                test::FakeServices& fakes, const QTemporaryDir& dir, bool withPlainTextEdit)
{
    Figures f;
    TextViewHost host(project, fakes.services);
    auto openOnce = [&](bool cold) {
        if (cold)
            host.resetFonts();
        const auto start = Clock::now();
        auto* view = new CVantorView(project, fakes.services, host);
        view->resize(900, 700);
        view->show();
        view->load(path);
        paintOnce(view);
        const double ms = msSince(start);
        f.lines = view->keyTable().lineCount();
        delete view;
        return ms;
    };
    // Memory first, before other views have grown the heap: the resident growth of one open view.
    {
        QApplication::processEvents();
        const long before = residentBytes();
        auto* view = new CVantorView(project, fakes.services, host);
        view->resize(900, 700);
        view->show();
        view->load(path);
        paintOnce(view);
        f.memoryRatio = double(residentBytes() - before) / double(size);
        delete view;
    }
    {
        // The parts of opening, for the record.
        TextStore store(fakes.messages);
        auto start = Clock::now();
        store.open(path, dir.path().toStdString());
        f.storeOpen = msSince(start);
        ViewFontCache& cache = host.fontFor(project.textView, 96);
        KeyTable keys;
        start = Clock::now();
        keys.build(store.text(), cache.widths(), 900 - 40 - 17 - 17 - 20);
        f.keyTable = msSince(start);
    }
    std::vector<double> cold, warm;
    for (int i = 0; i < 5; ++i)
        cold.push_back(openOnce(true));
    for (int i = 0; i < 5; ++i)
        warm.push_back(openOnce(false));
    f.openMedianCold = median(cold);
    f.openMedianWarm = median(warm);

    auto* view = new CVantorView(project, fakes.services, host);
    view->resize(900, 700);
    view->show();
    view->load(path);
    paintOnce(view);

    std::vector<double> relayouts;
    for (int i = 0; i < 6; ++i) {
        const auto start = Clock::now();
        view->resize(i % 2 ? 900 : 800, 700);
        relayouts.push_back(msSince(start));
    }
    f.relayout = median(relayouts);

    view->resize(1920, 1080);
    paintOnce(view);
    std::vector<double> repaints;
    for (int i = 0; i < 50; ++i) {
        const auto start = Clock::now();
        paintOnce(view);
        repaints.push_back(msSince(start));
    }
    f.repaint = median(repaints);

    std::vector<double> scrolls;
    for (int i = 0; i < 50; ++i) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        const auto start = Clock::now();
        QApplication::sendEvent(view, &key);
        paintOnce(view);
        scrolls.push_back(msSince(start));
    }
    f.scroll = median(scrolls);
    const QFont font = ViewFontCache::makeFont(project.textView, view->logicalDpiY());
    delete view;

    if (withPlainTextEdit) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const std::u16string utf16 = codec::toUtf16(bytes).text;
        const auto start = Clock::now();
        QPlainTextEdit edit;
        edit.setFont(font);
        edit.resize(900, 700);
        edit.show();
        edit.setPlainText(QString(reinterpret_cast<const QChar*>(utf16.data()),
                                  static_cast<qsizetype>(utf16.size())));
        // Complete the layout: the plain text layout lays out a block when asked for its rect.
        QAbstractTextDocumentLayout* layout = edit.document()->documentLayout();
        for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
            layout->blockBoundingRect(b);
        QImage image(edit.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        edit.viewport()->render(&image);
        f.plainTextEdit = msSince(start);
    }
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("Meiryo UI"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    QTemporaryDir dir;
    test::FakeServices fakes;
    ProjectData project;

    for (const std::size_t mb : {std::size_t(1), std::size_t(20)}) {
        const std::size_t size = mb << 20;
        const std::string path = dir.filePath(QString("doc%1").arg(mb)).toStdString();
        const std::string text = makeDocument(size, 7);
        std::ofstream(path, std::ios::binary) << text;
        const Figures f = measure(path, text.size(), project, fakes, dir, !quick || mb == 1);
        std::printf("%2zu MB (%d display lines at 900 px)\n", mb, f.lines);
        std::printf("  open + first layout + first paint: %.1f ms median (empty width cache), "
                    "%.1f ms (warm)\n",
                    f.openMedianCold, f.openMedianWarm);
        std::printf("  of which: working copy %.1f ms, key table %.1f ms\n", f.storeOpen,
                    f.keyTable);
        std::printf("  re-layout after a width change:    %.1f ms median\n", f.relayout);
        std::printf("  full repaint 1920x1080:            %.2f ms median\n", f.repaint);
        std::printf("  scroll one page (Page Down):       %.2f ms median\n", f.scroll);
        std::printf("  memory beyond baseline:            %.2f x document size\n", f.memoryRatio);
        if (f.plainTextEdit > 0)
            std::printf("  QPlainTextEdit until laid out:     %.0f ms, ratio %.1fx (ours cold)\n",
                        f.plainTextEdit, f.plainTextEdit / f.openMedianCold);
        std::fflush(stdout);
    }
    return 0;
}
