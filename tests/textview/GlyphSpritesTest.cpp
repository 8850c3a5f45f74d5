// Glyph sprites stand in for blending only where they give the very same pixels: a sprite copied
// over its cell equals the glyph blended there, and a full repaint (sprites) equals the same
// picture painted in pieces (every glyph blended), with glyphs that overflow their cells,
// selections, markers with link lines, whitespace marks, a page scroll and a horizontal scroll.
// ctest runs it a second time with subpixel (LCD) text configured, where windows and images draw
// text apart.
#include "textview/GlyphSprites.h"

#include "TempDir.h"
#include "base/Codec.h"
#include "support/FakeServices.h"
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"
#include "textview/ViewFontCache.h"

#include <QApplication>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <cstring>
#include <memory>

using namespace corvane;

namespace {

/// The viewport painted whole (one paint event over the full area) and painted as two bands
/// (paint events of part of the area), joined.
std::pair<QImage, QImage> wholeAndInPieces(CVantorView& view)
{
    QWidget* vp = view.viewport();
    const QImage whole = vp->grab().toImage();
    const int split = vp->height() / 2 + 3;
    QImage pieces(whole.size(), whole.format());
    pieces.fill(Qt::black);
    QPainter p(&pieces);
    p.drawImage(0, 0, vp->grab(QRect(0, 0, vp->width(), split)).toImage());
    p.drawImage(0, split, vp->grab(QRect(0, split, vp->width(), vp->height() - split)).toImage());
    return {whole, pieces};
}

} // namespace

class GlyphSpritesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir;
    std::unique_ptr<test::FakeServices> fakes;
    std::unique_ptr<ProjectData> project;
    std::unique_ptr<TextViewHost> host;

    std::unique_ptr<CVantorView> openView(const std::string& bytes, QSize size)
    {
        std::filesystem::create_directories(dir->path / "doc" / "A");
        const std::string path = dir->file("doc/A/doc1", bytes);
        auto view = std::make_unique<CVantorView>(*project, fakes->services, *host);
        view->resize(size);
        if (!view->load(path))
            return nullptr;
        view->show();
        return view;
    }

    /// Patent-like lines with Latin words, ideographic spaces and a CR LF each.
    static std::string sampleText(int lines)
    {
        std::string text;
        for (int i = 0; i < lines; ++i) {
            text +=
                codec::fromUtf8("【" + std::to_string(i) + "】本発明は、折り畳み傘の中棒に関し、")
                    .text;
            text += "fjord (WAVY) ffi jumps; ";
            text += codec::fromUtf8("ばね部材\u3000により付勢されたロックレバー。").text;
            text += "\r\n";
        }
        return text;
    }

    void addMarker(int index, ByteOffset position, std::int32_t length, Colour colour)
    {
        ObjectRecord& m = project->objects[std::size_t(index)];
        m = ObjectRecord{};
        m.id = index + 1;
        m.type = ObjectType::Marker;
        std::strcpy(m.document, "A\\doc1");
        m.position = position;
        m.length = length;
        m.markerColour = colour;
        project->objectCount = std::max(project->objectCount, index + 1);
    }

private slots:
    void init()
    {
        dir = std::make_unique<test::TempDir>();
        fakes = std::make_unique<test::FakeServices>();
        project = std::make_unique<ProjectData>();
        project->folder = dir->path.string() + "/";
        project->name = "T";
        host = std::make_unique<TextViewHost>(*project, fakes->services);
    }

    void cleanup()
    {
        host.reset();
        project.reset();
        fakes.reset();
        dir.reset();
    }

    void spriteEqualsTheGlyphBlendedInPlace_data()
    {
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("antialiased");
        QTest::newRow("upright") << false << true;
        QTest::newRow("italic") << true << true;
        QTest::newRow("aliased") << false << false;
    }

    void spriteEqualsTheGlyphBlendedInPlace()
    {
        QFETCH(bool, italic);
        QFETCH(bool, antialiased);
        project->textView.italic = italic;
        project->textView.antiAliasing = antialiased;
        ViewFontCache& font = host->fontFor(project->textView, 96);
        const QRgb pairs[][2] = {{qRgb(0, 0, 0), qRgb(255, 255, 255)},
                                 {qRgb(20, 40, 200), qRgb(181, 230, 29)},
                                 {qRgb(250, 250, 250), qRgb(30, 30, 30)}};
        // Ideographs, kana, a full-width bracket, Latin letters that reach past their advance.
        for (const char* utf8 : {"本", "ば", "【", "f", "j", "W", "g"}) {
            const SjisString sjis = codec::fromUtf8(utf8).text;
            const auto code = static_cast<std::uint16_t>(
                sjis.size() == 2 ? (static_cast<unsigned char>(sjis[0]) << 8) |
                                       static_cast<unsigned char>(sjis[1])
                                 : static_cast<unsigned char>(sjis[0]));
            const GlyphRef& g = font.glyph(code);
            QCOMPARE(g.kind, GlyphRef::Glyph);
            const QRawFont& raw = font.rawFonts()[std::size_t(g.fontSlot)];
            const GlyphSprites::Ink& ink = font.sprites().ink(raw, g.fontSlot, g.glyphIndex);
            QVERIFY(ink.known);
            QVERIFY(!ink.box.isEmpty());
            for (const auto& pair : pairs) {
                const QPoint pen(31, 40);
                QImage blended(96, 80, QImage::Format_RGB32);
                blended.fill(pair[1]);
                {
                    QPainter p(&blended);
                    p.setRenderHint(QPainter::TextAntialiasing, antialiased);
                    p.setPen(QColor::fromRgb(pair[0]));
                    QGlyphRun run;
                    run.setRawFont(raw);
                    run.setGlyphIndexes({g.glyphIndex});
                    run.setPositions({QPointF(pen)});
                    p.drawGlyphRun(QPointF(0, 0), run);
                }
                QImage copied(96, 80, QImage::Format_RGB32);
                copied.fill(pair[1]);
                {
                    QPainter p(&copied);
                    p.drawImage(pen + ink.box.topLeft(),
                                font.sprites().sprite(raw, g.fontSlot, g.glyphIndex, ink, pair[0],
                                                      pair[1]));
                }
                QVERIFY2(blended == copied, utf8);
            }
        }
        // A glyph whose ink is nothing at all (the space of a Latin face) draws nothing.
        const GlyphRef& space = font.glyph(' ');
        if (space.kind == GlyphRef::Glyph) {
            const GlyphSprites::Ink& ink = font.sprites().ink(
                font.rawFonts()[std::size_t(space.fontSlot)], space.fontSlot, space.glyphIndex);
            QVERIFY(ink.known && ink.box.isEmpty());
        }
    }

    void fullRepaintEqualsPaintingInPieces_data()
    {
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("lineSpacing");
        QTest::addColumn<bool>("wrap");
        QTest::newRow("upright, spaced, wrapped") << false << 8 << true;
        QTest::newRow("bold italic, tight, wrapped") << true << 0 << true;
        QTest::newRow("italic, unwrapped, scrolled right") << true << 4 << false;
        QTest::newRow("large bold italic, overlapping glyphs") << true << 0 << true;
    }

    void fullRepaintEqualsPaintingInPieces()
    {
        QFETCH(bool, italic);
        QFETCH(int, lineSpacing);
        QFETCH(bool, wrap);
        TextViewSettings& s = project->textView;
        s.italic = italic;
        s.bold = italic;
        s.lineSpacing = static_cast<std::int16_t>(lineSpacing);
        s.wordWrap = wrap;
        s.whiteSpaceShown = 1;
        s.lineBreaksShown = 1;
        std::string text = sampleText(120);
        if (QByteArray(QTest::currentDataTag()).startsWith("large")) {
            // Italic Latin at a large size: ink of neighbouring letters overlaps.
            s.fontSize = 30;
            std::strcpy(s.fontName, "DejaVu Serif");
            text.clear();
            for (int i = 0; i < 60; ++i)
                text += "ffffjjjj//VVWWvvwwAVAVyyyy fff fj fy jf yj Vf fV ;f f; \r\n";
        }
        auto view = openView(text, {640, 420});
        QVERIFY(view);
        addMarker(0, 10, 30, 0x1DE6B5);
        addMarker(1, 300, 90, 0xC9AEFF);
        addMarker(2, 60, 8, 0x0000FF); // over the first one
        project->links[0] = {1, 2};
        project->links[1] = {2, 3};
        project->linkCount = 2;
        project->currentObject = 1;
        view->setSelection(20, 400, 20);
        if (!wrap)
            view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);

        auto [whole, pieces] = wholeAndInPieces(*view);
        QVERIFY(whole == pieces);

        // A page further down: every shown line is new.
        QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &pageDown);
        auto [nextWhole, nextPieces] = wholeAndInPieces(*view);
        QVERIFY(nextWhole == nextPieces);
        QVERIFY(nextWhole != whole);
    }

    void colourChangesReachSpritedGlyphs()
    {
        auto view = openView(sampleText(5), {500, 200});
        QVERIFY(view);
        const QImage before = view->viewport()->grab().toImage();
        project->textView.textColour = 0x0000FF; // red (colours are stored as 0x00BBGGRR)
        view->redraw();
        const QImage after = view->viewport()->grab().toImage();
        QVERIFY(before != after);
        auto [whole, pieces] = wholeAndInPieces(*view);
        QVERIFY(whole == after);
        QVERIFY(whole == pieces);
    }
};

QTEST_MAIN(GlyphSpritesTest)
#include "GlyphSpritesTest.moc"
