#include "textview/TextPainter.h"

#include "model/Bookmarks.h"
#include "textview/BookmarkImages.h"
#include "textview/GlyphSprites.h"
#include "textview/ViewFontCache.h"

#include <QGlyphRun>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace corvane {

namespace {

QColor toQColor(Colour c)
{
    return QColor(int(colourRed(c)), int(colourGreen(c)), int(colourBlue(c)));
}

constexpr std::uint16_t kDownArrowCode = 0x81AB;   ///< "↓" in Shift-JIS
constexpr int kLineEndMarkGap = 2;                 ///< pixels kept free right of the mark
constexpr std::uint16_t kWhiteSquareCode = 0x81A0; ///< "□" in Shift-JIS

/// Glyphs of one colour gathered per font and drawn with one call per font: far cheaper than a
/// text call per character or per line.
class GlyphBatch
{
public:
    void add(const GlyphRef& g, double x, double baseline)
    {
        if (g.kind != GlyphRef::Glyph)
            return;
        const auto slot = static_cast<std::size_t>(g.fontSlot);
        if (indexes_.size() <= slot) {
            indexes_.resize(slot + 1);
            positions_.resize(slot + 1);
        }
        indexes_[slot].push_back(g.glyphIndex);
        positions_[slot].push_back(QPointF(wholePixel(x), baseline));
    }
    /// Whole pixels: glyphs rendered at fractional offsets miss the glyph cache.
    static int wholePixel(double x) { return static_cast<int>(std::floor(x + 0.5)); }
    void draw(QPainter& p, const std::vector<QRawFont>& fonts, const QColor& colour)
    {
        p.setPen(colour);
        for (std::size_t slot = 0; slot < indexes_.size(); ++slot) {
            if (indexes_[slot].isEmpty() || slot >= fonts.size())
                continue;
            QGlyphRun run;
            run.setRawFont(fonts[slot]);
            run.setGlyphIndexes(indexes_[slot]);
            run.setPositions(positions_[slot]);
            p.drawGlyphRun(QPointF(0, 0), run);
            indexes_[slot].clear();
            positions_[slot].clear();
        }
    }

private:
    std::vector<QList<quint32>> indexes_;
    std::vector<QList<QPointF>> positions_;
};

/// Copies sprite with its top left at topLeft, within clip (which lies inside the surface).
void copySprite(const QImage& sprite, QPoint topLeft, const QRect& clip, uchar* bits,
                qsizetype bytesPerLine)
{
    const QRect target = QRect(topLeft, sprite.size()) & clip;
    if (target.isEmpty())
        return;
    const auto bytes = static_cast<std::size_t>(target.width()) * 4;
    const int sx = target.left() - topLeft.x();
    for (int y = target.top(); y <= target.bottom(); ++y)
        std::memcpy(bits + y * bytesPerLine + target.left() * 4,
                    sprite.constScanLine(y - topLeft.y()) + sx * 4, bytes);
}

} // namespace

std::optional<QPoint> TextPainter::positionToPoint(ByteOffset byteOffset) const
{
    const auto p =
        corvane::positionToPoint(byteOffset, text(), keys(), font_->widths(), geometry());
    if (!p)
        return std::nullopt;
    return QPoint(p->x, p->y);
}

const QImage& TextPainter::bookmarkImage(int slot)
{
    QImage& image = bookmarkImages_.at(static_cast<std::size_t>(slot));
    if (image.isNull())
        image = corvane::bookmarkImage(slot);
    return image;
}

void TextPainter::paint(QPainter& p, const TextPaintInput& input, ViewFontCache& font,
                        const SurfaceBits* surface)
{
    in_ = &input;
    font_ = &font;
    const TextViewSettings& s = settings();
    const QRect client(QPoint(0, 0), in_->size);
    const bool numbers = s.lineNumbersShown != 0;
    if (numbers)
        p.fillRect(QRect(0, 0, geometry().gutterWidth, client.height()),
                   toQColor(s.lineNumberBackground));
    p.fillRect(QRect(numbers ? geometry().gutterWidth : 0, 0, client.width(), client.height()),
               toQColor(s.background));
    linkCountBoxes_.clear();
    if (in_->document) {
        const VisibleBytes shown = visibleBytes(keys(), geometry());
        const std::vector<MarkerSpan> markers =
            markerSpansOf(in_->project, in_->document->relativePath());
        paintText(p, shown, markers, surface);
        if (numbers)
            paintGutter(p, shown);
        if (s.linkCountShown)
            paintLinkCounts(p, shown, markers);
    }
    if (numbers)
        paintBorder(p);
    bookmarkRects_.fill(QRect());
    if (in_->document) {
        paintBookmarks(p, visibleBytes(keys(), geometry()));
        paintPreedit(p);
    }
}

void TextPainter::paintBookmarks(QPainter& p, const VisibleBytes& shown)
{
    if (shown.lastRow < 0)
        return;
    const int lh = geometry().lineHeight;
    const int d = lh / 10;
    const int size = std::clamp<int>(settings().bookmarkImageSize, 16, 32);
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        const auto position = bookmarks::positionIn(
            in_->project, slot, in_->document->relativePath(), in_->document->length());
        if (!position || *position < shown.first || *position > shown.last)
            continue;
        const auto at = positionToPoint(*position);
        if (!at)
            continue;
        const QRect square(at->x() - 6 * d, 4 * d + at->y() - lh - size, size, size);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(square, bookmarkImage(slot));
        bookmarkRects_[static_cast<std::size_t>(slot)] = square;
    }
}

void TextPainter::paintPreedit(QPainter& p)
{
    if (in_->preedit.isEmpty())
        return;
    const auto at = positionToPoint(in_->caret);
    if (!at)
        return;
    // The composition is drawn over the text at the caret on the background, underlined, with its
    // own cursor; it becomes text only when the input method commits it.
    const QFont& font = (*font_).font();
    const QFontMetrics metrics(font);
    const int lh = geometry().lineHeight;
    const QRect box(at->x(), at->y() - lh, metrics.horizontalAdvance(in_->preedit) + 2, lh);
    p.fillRect(box, toQColor(settings().background));
    p.setFont(font);
    p.setPen(toQColor(settings().textColour));
    const int baseline = box.top() + geometry().lineSpacing / 2 + metrics.ascent();
    p.drawText(QPoint(box.left(), baseline), in_->preedit);
    p.drawLine(box.left(), baseline + 2, box.right(), baseline + 2);
    const int cursorX =
        box.left() + metrics.horizontalAdvance(in_->preedit.left(in_->preeditCursor));
    p.drawLine(cursorX, box.top() + 1, cursorX, box.bottom() - 1);
}

void TextPainter::paintText(QPainter& p, const VisibleBytes& shown,
                            const std::vector<MarkerSpan>& markers, const SurfaceBits* surface)
{
    if (shown.lastRow < 0)
        return;
    const TextViewSettings& s = settings();
    ViewFontCache& font = *font_;
    CharWidthTable& widths = font.widths();
    const SjisView text = this->text();
    const int lh = geometry().lineHeight;
    const int sp = geometry().lineSpacing;
    const int ascent = font.metrics().ascent();
    const int left = geometry().textLeft() - geometry().horizontalPosition;
    const int clipLeft = geometry().textLeft();
    const QRect textArea(clipLeft, geometry().topMargin, in_->size.width() - clipLeft,
                         in_->size.height() - geometry().topMargin);
    p.save();
    p.setClipRect(textArea);
    p.setRenderHint(QPainter::TextAntialiasing, s.antiAliasing != 0);
    p.setFont(font.font());

    const CellColourInputs inputs{s.background, s.selectionColour, s.linkLineShown != 0,
                                  s.textColour};
    const QColor linkColour = toQColor(s.linkLineColour);
    const QColor spaceColour = toQColor(s.whiteSpaceColour);
    const QColor textColour = toQColor(s.textColour);
    const QColor breakColour = toQColor(s.lineBreakColour);
    const int band = sp / 2; // the link line fills the lower half of the line spacing
    const int lastLine = keys().lineCount() - 1;
    const int visibleRight = geometry().horizontalPosition + textArea.width();

    GlyphBatch glyphs;
    GlyphBatch breakMarks;
    struct Outline
    {
        QRect rect;
        bool invalid;
    };
    std::vector<Outline> outlines;
    const GlyphRef& down = font.glyph(kDownArrowCode);
    const GlyphRef& square = font.glyph(kWhiteSquareCode);
    const int markBaseline = (sp - sp / 2) + ascent;
    GlyphSprites& sprites = font.sprites();
    if (sprites.spriteCount() > GlyphSprites::kMaxSprites)
        sprites.clear(); // here, not during the drawing: placed glyphs point at sprites
    const QRgb textRgb = textColour.rgb();
    bool inkUnknown = false; // a glyph reaching past its measured area may touch any pixel
    placed_.clear();
    rowStarts_.clear();

    for (int line = geometry().firstLine; line <= shown.lastRow; ++line) {
        const int rowTop = geometry().topMargin + (line - geometry().firstLine) * lh;
        rowStarts_.push_back(placed_.size());
        const ByteOffset start = keys().lineStart(line);
        const ByteOffset end = keys().lineEnd(line);
        const ByteOffset charsEnd = contentEnd(text, start, end);
        charStarts_.clear();
        charWidths_.clear();
        charCodes_.clear();
        int lineWidth = 0;
        for (auto i = static_cast<std::size_t>(start); i < static_cast<std::size_t>(charsEnd);) {
            const SjisChar c = sjisCharAt(text.data(), i, static_cast<std::size_t>(charsEnd));
            const int w = widths.width(c.code);
            charStarts_.push_back(static_cast<ByteOffset>(i));
            charWidths_.push_back(w);
            charCodes_.push_back(c.code);
            lineWidth += w;
            i += static_cast<std::size_t>(c.byteLength);
            // Beyond the right edge nothing more shows (a 1 MB line is cut long before this).
            if (lineWidth > visibleRight + 64)
                break;
        }
        const bool endsWithBreak = charsEnd < end;
        const bool lastDisplayLine = line == lastLine;
        if (charStarts_.empty()) {
            if (s.lineBreaksShown)
                breakMarks.add(lastDisplayLine ? square : down, left, rowTop + markBaseline);
            continue;
        }
        cellStyles(charStarts_, start, end, in_->selection, markers, inputs, cells_);

        // Cell backgrounds, one rectangle per run of equal style.
        int x = left;
        std::size_t k = 0;
        while (k < cells_.size()) {
            std::size_t e = k;
            int runWidth = 0;
            while (e < cells_.size() && cells_[e].colour == cells_[k].colour &&
                   cells_[e].linkLine == cells_[k].linkLine) {
                runWidth += charWidths_[e];
                ++e;
            }
            if (cells_[k].colour != s.background || cells_[k].linkLine) {
                const QColor c = toQColor(cells_[k].colour);
                if (cells_[k].linkLine && band > 0) {
                    p.fillRect(QRect(x, rowTop, runWidth, lh - band), c);
                    p.fillRect(QRect(x, rowTop + lh - band, runWidth, band), linkColour);
                } else {
                    p.fillRect(QRect(x, rowTop, runWidth, lh), c);
                }
            }
            x += runWidth;
            k = e;
        }

        // Glyphs, collected per font and drawn in a few runs below.
        x = left;
        const int baseline = rowTop + (sp - sp / 2) + ascent;
        for (std::size_t c = 0; c < charCodes_.size(); ++c) {
            const int w = charWidths_[c];
            if (x + w >= clipLeft) {
                const GlyphRef& g = font.glyph(charCodes_[c]);
                if (g.kind == GlyphRef::Glyph && surface) {
                    PlacedGlyph placed{
                        &g,
                        QPoint(GlyphBatch::wholePixel(x + (w - g.advance) / 2.0), baseline),
                        x,
                        x + w,
                        QRect(),
                        nullptr};
                    const QRawFont& raw = font.rawFonts()[std::size_t(g.fontSlot)];
                    const GlyphSprites::Ink& ink = sprites.ink(raw, g.fontSlot, g.glyphIndex);
                    if (!ink.known)
                        inkUnknown = true;
                    if (!ink.known || !ink.box.isEmpty()) {
                        placed.ink = ink.box.translated(placed.pen);
                        // A sprite only where the ink stays on the cell's own solid colour.
                        const int solidBottom =
                            rowTop + (cells_[c].linkLine && band > 0 ? lh - band : lh);
                        if (ink.known && placed.ink.left() >= x && placed.ink.right() < x + w &&
                            placed.ink.top() >= rowTop && placed.ink.bottom() < solidBottom)
                            placed.sprite =
                                &sprites.sprite(raw, g.fontSlot, g.glyphIndex, ink, textRgb,
                                                toQColor(cells_[c].colour).rgb());
                        placed_.push_back(placed);
                    }
                } else if (g.kind == GlyphRef::Glyph) {
                    glyphs.add(g, x + (w - g.advance) / 2.0, baseline);
                } else if (g.kind == GlyphRef::Blank && s.whiteSpaceShown && w > 2) {
                    outlines.push_back(
                        {QRect(x + 1, rowTop + sp / 2, w - 3, lh - 2 * (sp / 2) - 1), false});
                } else if (g.kind == GlyphRef::Invalid && w > 4) {
                    const int top = rowTop + (sp - sp / 2);
                    const int h = font.metrics().height();
                    outlines.push_back({QRect(x + 2, top + h / 6, w - 5, h - h / 3 - 1), true});
                }
            }
            x += w;
        }
        if (s.lineBreaksShown && (endsWithBreak || lastDisplayLine))
            breakMarks.add(endsWithBreak ? down : square, left + lineWidth, rowTop + markBaseline);
    }

    if (surface) {
        placeSprites(inkUnknown);
        const QRect clip = textArea & surface->bounds;
        for (const PlacedGlyph& g : placed_) {
            if (g.sprite)
                copySprite(*g.sprite, g.ink.topLeft(), clip, surface->bits, surface->bytesPerLine);
            else
                glyphs.add(*g.glyph, g.pen.x(), g.pen.y());
        }
    }

    // The text layer over the cells.
    glyphs.draw(p, font.rawFonts(), textColour);
    p.setBrush(Qt::NoBrush);
    for (const Outline& o : outlines) {
        p.setPen(o.invalid ? textColour : spaceColour);
        p.drawRect(o.rect);
        if (o.invalid) {
            p.drawLine(o.rect.topLeft(), o.rect.bottomRight());
            p.drawLine(o.rect.topRight(), o.rect.bottomLeft());
        }
    }
    breakMarks.draw(p, font.rawFonts(), breakColour);
    p.restore();
}

void TextPainter::placeSprites(bool inkUnknown)
{
    // A sprite is copied before the blended glyphs are drawn, so it must not share a pixel with
    // any of them: a blended glyph reaching into a sprite's cell sends that glyph to blending
    // too, keeping the order in which overlapping glyphs meet the surface.
    if (inkUnknown) {
        for (PlacedGlyph& g : placed_)
            g.sprite = nullptr;
        return;
    }
    const int rows = static_cast<int>(rowStarts_.size());
    const int lh = geometry().lineHeight;
    auto rowOf = [&](int y) {
        return std::clamp(y < geometry().topMargin ? -1 : (y - geometry().topMargin) / lh, 0,
                          rows - 1);
    };
    for (const PlacedGlyph& blended : placed_) {
        if (blended.sprite)
            continue;
        for (int row = rowOf(blended.ink.top()); row <= rowOf(blended.ink.bottom()); ++row) {
            const auto rowBegin = placed_.begin() + std::ptrdiff_t(rowStarts_[std::size_t(row)]);
            const auto rowEnd =
                row + 1 < rows ? placed_.begin() + std::ptrdiff_t(rowStarts_[std::size_t(row) + 1])
                               : placed_.end();
            // Cells run left to right within a row.
            auto it = std::partition_point(rowBegin, rowEnd, [&](const PlacedGlyph& g) {
                return g.cellRight <= blended.ink.left();
            });
            for (; it != rowEnd && it->cellLeft <= blended.ink.right(); ++it)
                if (it->sprite && it->ink.intersects(blended.ink))
                    it->sprite = nullptr;
        }
    }
}

void TextPainter::paintGutter(QPainter& p, const VisibleBytes& shown)
{
    if (shown.lastRow < 0)
        return;
    const TextViewSettings& s = settings();
    const int padding = std::clamp<int>(s.lineNumberPadding, 0, 35);
    const int lh = geometry().lineHeight;
    p.save();
    p.setClipRect(QRect(0, geometry().topMargin, geometry().gutterWidth,
                        in_->size.height() - geometry().topMargin));
    ViewFontCache& font = *font_;
    const int ascent = font.metrics().ascent();
    const int textTop = (lh - font.metrics().height()) / 2; // vertically centred in the row
    const int inner = geometry().gutterWidth - 2 * padding;
    GlyphBatch digits;
    char number[16];
    for (int line = geometry().firstLine; line <= shown.lastRow; ++line) {
        const int top = geometry().topMargin + (line - geometry().firstLine) * lh;
        const int n = std::snprintf(number, sizeof number, "%d", line + 1);
        int width = 0;
        for (int i = 0; i < n; ++i)
            width += font.widths().width(static_cast<unsigned char>(number[i]));
        int x = padding;
        if (s.lineNumberAlignment == 1)
            x += (inner - width) / 2;
        else if (s.lineNumberAlignment == 2)
            x += inner - width;
        for (int i = 0; i < n; ++i) {
            const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(number[i]));
            digits.add(font.glyph(code), x, top + textTop + ascent);
            x += font.widths().width(code);
        }
    }
    digits.draw(p, font.rawFonts(), toQColor(s.lineNumberColour));
    p.restore();
}

void TextPainter::paintLinkCounts(QPainter& p, const VisibleBytes& shown,
                                  const std::vector<MarkerSpan>& markers)
{
    const TextViewSettings& s = settings();
    // The count sits on the marker's end, in the gap between this line's glyphs and the next
    // line's: in the text's own size it would cover both lines' glyphs, so it is drawn smaller,
    // on the view's background, and ends where the next line's glyphs begin.
    QFont small = (*font_).font();
    small.setPixelSize(std::max(8, (*font_).metrics().height() * 3 / 5));
    const QFontMetrics fm(small);
    const int sp = geometry().lineSpacing;
    const QColor background = toQColor(s.background);
    p.save();
    p.setFont(small);
    p.setPen(toQColor(s.linkCountColour));
    for (const MarkerSpan& m : markers) {
        if (m.linkCount <= 0 || m.end() < shown.first || m.end() > shown.last)
            continue;
        const auto at = positionToPoint(m.end());
        if (!at)
            continue;
        const QString label = QString::number(m.linkCount);
        const QSize size(fm.horizontalAdvance(label) + 2, fm.height());
        const int bottom = at->y() + (sp - sp / 2); // first row of the next line's glyphs
        const QRect box(at->x() - size.width() / 2, bottom - size.height(), size.width(),
                        size.height());
        p.fillRect(box, background);
        p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, label);
        linkCountBoxes_.push_back({box, m.objectIndex});
    }
    p.restore();
}

void TextPainter::paintBorder(QPainter& p)
{
    const TextViewSettings& s = settings();
    const int x = geometry().gutterWidth - 2;
    const int bottom = in_->size.height();
    const QColor colour = toQColor(s.borderColour);
    p.save();
    p.setClipping(false);
    if (s.borderStyle == 5) {
        // Double: a 3-pixel line in the border colour with a 1-pixel line of the gutter colour
        // down its middle.
        p.fillRect(QRect(x - 1, 0, 3, bottom), colour);
        p.fillRect(QRect(x, 0, 1, bottom), toQColor(s.lineNumberBackground));
    } else {
        static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                   Qt::DashDotLine, Qt::DashDotDotLine};
        const int index = std::clamp<int>(s.borderStyle, 0, 4);
        QPen pen(colour, 1, kStyles[index]);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(x, 0, x, bottom);
    }
    p.restore();
}

} // namespace corvane
