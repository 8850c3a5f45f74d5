// The text view widget driven as a user drives it: opening, scrolling by bar, keys and wheel,
// Ctrl+wheel font sizes, the modified mark in the tab, the marker colour commands, and what the
// drawing shows.
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"

#include "TempDir.h"
#include "model/MarkerPalette.h"
#include "res/ui/CommandIds.h"
#include "support/FakeServices.h"
#include "textview/CMarkerGestures.h"
#include "textview/ViewFontCache.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <cstring>
#include <memory>

using namespace corvane;

namespace {

std::string lines(int count, const std::string& line = "abc")
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += line;
        if (i + 1 < count)
            text += "\r\n";
    }
    return text;
}

void sendWheel(QWidget* target, int delta, Qt::KeyboardModifiers mods)
{
    const QPointF pos(10, 10);
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

QColor toQColor(Colour c)
{
    return QColor(int(colourRed(c)), int(colourGreen(c)), int(colourBlue(c)));
}

} // namespace

class CVantorViewTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir;
    std::unique_ptr<test::FakeServices> fakes;
    std::unique_ptr<ProjectData> project;
    std::unique_ptr<TextViewHost> host;

    std::string writeDoc(const std::string& relative, const std::string& bytes)
    {
        std::filesystem::create_directories((dir->path / "doc" / relative).parent_path());
        return dir->file("doc/" + relative, bytes);
    }

    std::unique_ptr<CVantorView> openView(const std::string& bytes, QSize size = {600, 400})
    {
        const std::string path = writeDoc("A/doc1", bytes);
        auto view = std::make_unique<CVantorView>(*project, fakes->services, *host);
        view->resize(size);
        if (!view->load(path))
            return nullptr;
        view->show();
        return view;
    }

    /// One marker of doc1 (object 1, colour 0x1DE6B5) with one link.
    void addLinkedMarker(ByteOffset position, std::int32_t length)
    {
        ObjectRecord& m = project->objects[0];
        m = ObjectRecord{};
        m.id = 1;
        m.type = ObjectType::Marker;
        std::strcpy(m.document, "A\\doc1");
        m.position = position;
        m.length = length;
        m.markerColour = 0x1DE6B5;
        project->objectCount = 1;
        project->links[0] = {1, 1};
        project->linkCount = 1;
    }

private slots:
    void init()
    {
        dir = std::make_unique<test::TempDir>();
        fakes = std::make_unique<test::FakeServices>();
        project = std::make_unique<ProjectData>();
        project->folder = dir->path.string();
        project->folder.push_back('/');
        project->name = std::string(1, 'T');
        host = std::make_unique<TextViewHost>(*project, fakes->services);
    }

    void cleanup()
    {
        host.reset();
        project.reset();
        fakes.reset();
        dir.reset();
    }

    void openDocumentRegistersAndUnregistersTheDocument()
    {
        const std::string path = writeDoc("A/doc1", "text");
        CVantorView* view = CVantorView::openDocument(path, *project, fakes->services, *host);
        QVERIFY(view);
        QCOMPARE(project->openDocuments, std::vector<std::string>{path});
        QCOMPARE(view->relativePath(), SjisString("A\\doc1"));
        const std::string working = view->textStore().workingPath();
        QVERIFY(std::filesystem::exists(working));
        delete view;
        QVERIFY(project->openDocuments.empty());
        QVERIFY(!std::filesystem::exists(working));

        QVERIFY(!CVantorView::openDocument(path + "x", *project, fakes->services, *host));
        QCOMPARE(fakes->messages.numbers(), std::vector<int>{30014});
    }

    void verticalScrollingStopsAtTheLimits()
    {
        auto view = openView(lines(100));
        QVERIFY(view);
        const int perPage = view->scrollModel().linesPerPage();
        QVERIFY(perPage > 5 && perPage < 100);
        QVERIFY(view->verticalScrollBar()->isVisible());
        for (int i = 0; i < 30; ++i)
            sendWheel(view->viewport(), -120, Qt::NoModifier);
        QCOMPARE(view->viewGeometry().firstLine, 30);
        sendWheel(view->viewport(), -120, Qt::ShiftModifier);
        QCOMPARE(view->viewGeometry().firstLine, 30 + perPage);
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(view.get(), Qt::Key_PageDown);
        QCOMPARE(view->viewGeometry().firstLine, 100 - perPage);
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(view->viewGeometry().firstLine, 99);
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(view->viewGeometry().firstLine, 99);
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(view.get(), Qt::Key_PageUp);
        QCOMPARE(view->viewGeometry().firstLine, 0);
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(view->viewGeometry().firstLine, 0);
    }

    void shortDocumentHasNoVerticalBar()
    {
        auto view = openView(lines(3));
        QVERIFY(view);
        QVERIFY(!view->verticalScrollBar()->isVisible());
        sendWheel(view->viewport(), -360, Qt::NoModifier);
        QCOMPARE(view->viewGeometry().firstLine, 0);
    }

    void scaledBarReachesTheLastLine()
    {
        auto view = openView(lines(40000, "x"));
        QVERIFY(view);
        QCOMPARE(view->keyTable().lineCount(), 40000);
        QScrollBar* bar = view->verticalScrollBar();
        QCOMPARE(bar->maximum(), 32767);
        bar->setValue(32767);
        QCOMPARE(view->viewGeometry().firstLine, 39999);
        QVERIFY(view->positionToPoint(view->textStore().length()).has_value());
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(view->viewGeometry().firstLine, 0);
        // A line step of a scaled bar is still one line.
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(view->viewGeometry().firstLine, 1);
    }

    void ctrlWheelChangesTheFontSizeWithin8To36()
    {
        auto view = openView(lines(10));
        QVERIFY(view);
        project->textView.fontSize = 35;
        view->relayout();
        const int before = view->lineHeight();
        QSignalSpy spy(view.get(), &CVantorView::textViewSettingsChanged);
        sendWheel(view->viewport(), 120, Qt::ControlModifier);
        QCOMPARE(int(project->textView.fontSize), 36);
        QVERIFY(project->modified);
        QVERIFY(view->lineHeight() > before);
        sendWheel(view->viewport(), 120, Qt::ControlModifier);
        QCOMPARE(int(project->textView.fontSize), 36);
        QCOMPARE(spy.count(), 1);

        project->textView.fontSize = 9;
        view->relayout();
        sendWheel(view->viewport(), -120, Qt::ControlModifier);
        QCOMPARE(int(project->textView.fontSize), 8);
        sendWheel(view->viewport(), -240, Qt::ControlModifier);
        QCOMPARE(int(project->textView.fontSize), 8);
        QCOMPARE(view->viewGeometry().firstLine, 0); // Ctrl+wheel does not scroll
    }

    void modifiedMarkAppearsInTheTabTitle()
    {
        const std::string path = writeDoc("A/doc1", "text");
        QTabWidget tabs;
        CVantorView* view = CVantorView::openDocument(path, *project, fakes->services, *host);
        QVERIFY(view);
        tabs.addTab(view, view->title());
        connect(view, &QWidget::windowTitleChanged, &tabs,
                [&](const QString& t) { tabs.setTabText(tabs.indexOf(view), t); });
        QCOMPARE(tabs.tabText(0), QStringLiteral("doc1"));
        QTest::keyClicks(view, "new "); // typed at the caret, which starts at the top
        QCOMPARE(tabs.tabText(0), QStringLiteral("doc1*"));
        QCOMPARE(view->pathName(), path + "*");
        QVERIFY(view->save());
        QCOMPARE(tabs.tabText(0), QStringLiteral("doc1"));
        QCOMPARE(test::TempDir::read(path), std::string("new text"));
    }

    void horizontalScrollingOnlyWithoutWordWrap()
    {
        project->textView.wordWrap = 0;
        auto view = openView(std::string(400, 'a'));
        QVERIFY(view);
        QVERIFY(view->horizontalScrollBar()->isVisible());
        // Cut at 3000 - 3 S pixels even without wrap.
        QVERIFY(view->keyTable().lineCount() >= 1);
        view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(view->viewGeometry().horizontalPosition, view->scrollModel().horizontalRange());
        project->textView.wordWrap = 1;
        view->relayout();
        QVERIFY(!view->horizontalScrollBar()->isVisible());
        QCOMPARE(view->viewGeometry().horizontalPosition, 0);
    }

    void narrowWindowsKeepTheirWrapping()
    {
        auto view = openView(std::string(2000, 'a'));
        QVERIFY(view);
        const int lines = view->keyTable().lineCount();
        view->resize(90, 400);
        QCOMPARE(view->keyTable().lineCount(), lines); // under 100 pixels: no new layout
        view->resize(300, 400);
        QVERIFY(view->keyTable().lineCount() > lines);
    }

    void megabyteLineOpensWrapsAndScrolls()
    {
        auto view = openView(std::string(1 << 20, 'x'));
        QVERIFY(view);
        QVERIFY(view->keyTable().lineCount() > 1000);
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(view->viewGeometry().firstLine, view->keyTable().lineCount() - 1);
        QVERIFY(!view->grab().isNull());
    }

    void drawingShowsSelectionAndTheCurrentMarkerDarkened()
    {
        project->textView.lineSpacing = 8;
        auto view = openView("abcdefghij\r\nklmnop");
        QVERIFY(view);
        addLinkedMarker(4, 4);
        project->currentObject = 0;
        view->setSelection(0, 2, 0);
        view->setCaret(14);

        const QImage image = view->viewport()->grab().toImage();
        auto cellColour = [&](ByteOffset at) {
            const QPoint p = *view->positionToPoint(at);
            return image.pixelColor(p.x() + 2, p.y() - view->lineHeight() + 1);
        };
        QCOMPARE(cellColour(0), toQColor(project->textView.selectionColour));
        QCOMPARE(cellColour(5), toQColor(darkened(0x1DE6B5)));
        QCOMPARE(cellColour(9), toQColor(project->textView.background));
        // The link line lies under the marker's characters, at the bottom of the line.
        const QPoint p5 = *view->positionToPoint(5);
        QCOMPARE(image.pixelColor(p5.x() + 2, p5.y() - 1),
                 toQColor(project->textView.linkLineColour));
        // One link-count label, centred on the marker's end.
        QCOMPARE(view->linkCountBoxes().size(), std::size_t(1));
        const QPoint end = *view->positionToPoint(8);
        QVERIFY(view->linkCountBoxes()[0].box.contains(end));
        QCOMPARE(view->linkCountBoxes()[0].objectIndex, 0);
    }

    void colourCommandsMarkTheSelectionInTheirColour()
    {
        auto view = openView("abcdefghijklmnopqrstuvwxyz");
        QVERIFY(view);
        CMarkerGestures* gestures = CMarkerGestures::of(view.get());
        QVERIFY(gestures);
        fakes->colours.next = 0x123456;
        const Colour initial = 0xBF8F6F; // no MARKER/refDef stored
        const std::pair<int, Colour> cases[] = {
            {cmd::ID_ADD_MARKER_1, kMarkerPalette[0]}, {cmd::ID_ADD_MARKER_4, kMarkerPalette[3]},
            {cmd::ID_ADD_MARKER_7, kMarkerPalette[6]}, {cmd::ID_ADD_MARKER, initial},
            {cmd::ID_ADD_MARKER_INITIAL, initial},     {cmd::ID_ADD_MARKER_ETC, 0x123456},
        };
        ByteOffset at = 0;
        int made = 0;
        for (const auto& [command, colour] : cases) {
            view->setSelection(at, at + 2, at);
            QVERIFY(gestures->isCommandEnabled(command));
            QVERIFY(gestures->handleCommand(command));
            QCOMPARE(project->objectCount, ++made);
            QCOMPARE(project->objects[project->objectCount - 1].position, at);
            QCOMPARE(project->objects[project->objectCount - 1].markerColour, colour);
            at += 3;
        }
        // The number after the palette is no colour command.
        view->setSelection(at, at + 2, at);
        QVERIFY(!gestures->isCommandEnabled(cmd::ID_ADD_MARKER_7 + 1));
    }

    void linkCountStaysClearOfTheNextLine()
    {
        // Default line spacing: the count must not cover the next line's glyphs.
        auto view = openView("abcdefghij\r\nklmnopqrst");
        QVERIFY(view);
        addLinkedMarker(2, 4);
        view->redraw();
        view->viewport()->grab();
        QCOMPARE(view->linkCountBoxes().size(), std::size_t(1));
        const QRect box = view->linkCountBoxes()[0].box;
        const int sp = project->textView.lineSpacing;
        const QPoint end = *view->positionToPoint(6);
        QVERIFY(box.contains(QPoint(end.x(), end.y() - 1)));
        QVERIFY2(box.bottom() < end.y() + (sp - sp / 2),
                 qPrintable(QStringLiteral("box %1..%2, next line's glyphs from %3")
                                .arg(box.top())
                                .arg(box.bottom())
                                .arg(end.y() + (sp - sp / 2))));
    }

    void lineEndMarkFitsBesideEveryWrappedLine()
    {
        // The largest font, full-width characters: at some width a line fits the break width
        // exactly, and its "↓" must still lie inside the window.
        project->textView.fontSize = 36;
        project->textView.lineBreaksShown = 1;
        project->textView.wordWrap = 1;
        std::string line;
        for (int i = 0; i < 40; ++i)
            line += "\x82\xa0";
        auto view = openView(lines(20, line), QSize(400, 300));
        QVERIFY(view);
        CharWidthTable& widths = host->fontFor(project->textView, view->logicalDpiY()).widths();
        const int charWidth = widths.width(0x82a0);
        const int arrowWidth = widths.width(0x81ab);
        for (int width = 300; width < 700; width += 3) {
            view->resize(width, 300);
            QApplication::processEvents();
            const KeyTable& keys = view->keyTable();
            const SjisView text = view->textStore().text();
            int widest = 0;
            for (int l = 0; l < keys.lineCount(); ++l) {
                ByteOffset end = keys.lineEnd(l);
                if (end - keys.lineStart(l) >= 2 && text[std::size_t(end) - 1] == '\n')
                    end -= 2; // CR LF
                widest = std::max(widest, ((end - keys.lineStart(l)) / 2) * charWidth);
            }
            const int right = view->viewGeometry().textLeft() + widest + arrowWidth;
            QVERIFY2(right <= view->viewport()->width(),
                     qPrintable(QStringLiteral("width %1: mark ends at %2 of %3")
                                    .arg(width)
                                    .arg(right)
                                    .arg(view->viewport()->width())));
        }
    }

    void invalidShiftJisDrawsWithoutLosingStep()
    {
        auto view = openView("a\x82\r\n\x82\x20"
                             "b\r\n\x81");
        QVERIFY(view);
        QCOMPARE(view->keyTable().lineCount(), 3);
        QVERIFY(!view->viewport()->grab().isNull());
        const QPoint b = *view->positionToPoint(6);
        QCOMPARE(view->pointToOffset(QPoint(b.x() + 1, b.y() - 2)), std::optional<ByteOffset>(6));
    }

    void caretBlinksOnlyWhenPlaced()
    {
        auto view = openView("abc");
        QVERIFY(view);
        view->setCaret(1);
        const QRect r = view->caretRect();
        QCOMPARE(r.width(), 3); // caret width 3: [x - 2, x + 1)
        QCOMPARE(r.left(), view->positionToPoint(1)->x() - 2);
        view->blinkCaret();
        QVERIFY(view->caretShown());
        view->blinkCaret();
        QVERIFY(!view->caretShown());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("Meiryo UI"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
    CVantorViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CVantorViewTest.moc"
