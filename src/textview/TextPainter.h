// The drawing of a text view: background, cells with marker and selection colours and link
// bands, glyphs, whitespace and line-end marks, line numbers and the border, link counts,
// bookmark images and the input method's composition. It needs only QtGui (a QPainter and an open
// document), so the window, printing and PDF output draw with the same code.
#pragma once

#include "model/ProjectData.h"
#include "textview/CellColours.h"
#include "textview/TextDocument.h"
#include "textview/ViewGeometry.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace corvane {

class ViewFontCache;
struct GlyphRef;

/// A marker's link-count label as last drawn: its box and the marker's object index.
struct LinkCountBox
{
    QRect box;
    int objectIndex = -1;
};

/// What one paint draws.
struct TextPaintInput
{
    const ProjectData& project;
    const TextDocument* document; ///< null: the background only
    const ViewGeometry& geometry;
    QSize size;          ///< the drawing area, from (0, 0)
    ByteRange selection; ///< [start, end), empty for none
    ByteOffset caret = 0;
    QString preedit; ///< the input method's composition at the caret
    int preeditCursor = 0;
};

/// Pixels of an off-screen surface that the painter draws into, where glyph sprites are copied.
struct SurfaceBits
{
    uchar* bits = nullptr;
    qsizetype bytesPerLine = 0;
    QRect bounds;
};

class TextPainter
{
public:
    /// Draws everything but the caret onto p; with a surface (p paints on it), glyphs that allow
    /// it are copied as sprites instead of blended.
    void paint(QPainter& p, const TextPaintInput& input, ViewFontCache& font,
               const SurfaceBits* surface = nullptr);

    /// Of the last paint, for hit tests.
    const std::vector<LinkCountBox>& linkCountBoxes() const { return linkCountBoxes_; }
    const std::array<QRect, 4>& bookmarkRects() const { return bookmarkRects_; }

    /// The 32 x 32 image of bookmark slot, made once.
    const QImage& bookmarkImage(int slot);

private:
    const ViewGeometry& geometry() const { return in_->geometry; }
    const TextViewSettings& settings() const { return in_->project.textView; }
    SjisView text() const { return in_->document->text(); }
    const KeyTable& keys() const { return in_->document->keyTable(); }
    std::optional<QPoint> positionToPoint(ByteOffset byteOffset) const;

    void paintText(QPainter& p, const VisibleBytes& shown, const std::vector<MarkerSpan>& markers,
                   const SurfaceBits* surface);
    /// Keeps the sprite of each placed glyph only where copying it gives the blended pixels.
    void placeSprites(bool inkUnknown);
    void paintGutter(QPainter& p, const VisibleBytes& shown);
    void paintLinkCounts(QPainter& p, const VisibleBytes& shown,
                         const std::vector<MarkerSpan>& markers);
    void paintBorder(QPainter& p);
    void paintBookmarks(QPainter& p, const VisibleBytes& shown);
    void paintPreedit(QPainter& p);

    const TextPaintInput* in_ = nullptr; ///< valid during paint
    ViewFontCache* font_ = nullptr;      ///< valid during paint

    std::vector<LinkCountBox> linkCountBoxes_;
    std::array<QRect, 4> bookmarkRects_; ///< empty where none was drawn
    std::array<QImage, 4> bookmarkImages_;
    // Buffers reused by every paint, so drawing does not allocate per line.
    std::vector<ByteOffset> charStarts_;
    std::vector<int> charWidths_;
    std::vector<std::uint16_t> charCodes_;
    std::vector<CellStyle> cells_;
    /// A glyph of the text being drawn: where, and the sprite that stands in for blending it.
    struct PlacedGlyph
    {
        const GlyphRef* glyph;
        QPoint pen;
        int cellLeft; ///< the character cell's span [cellLeft, cellRight) in x
        int cellRight;
        QRect ink;            ///< pixels the glyph touches; empty when unknown
        const QImage* sprite; ///< nullptr: blended as a glyph run
    };
    std::vector<PlacedGlyph> placed_;
    std::vector<std::size_t> rowStarts_; ///< index into placed_ of each shown row's first glyph
};

} // namespace corvane
