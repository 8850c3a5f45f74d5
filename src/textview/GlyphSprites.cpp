#include "textview/GlyphSprites.h"

#include <QGlyphRun>
#include <QPainter>

#include <algorithm>

namespace corvane {

GlyphSprites::GlyphSprites(int cellHeight, bool antialiased)
    : reach_(std::max(8, 2 * cellHeight)), antialiased_(antialiased)
{
}

GlyphSprites::~GlyphSprites() = default;

QPainter& GlyphSprites::canvasPainter()
{
    if (!painter_) {
        canvas_ = QImage(2 * reach_, 2 * reach_, QImage::Format_RGB32);
        painter_ = std::make_unique<QPainter>(&canvas_);
        painter_->setRenderHint(QPainter::TextAntialiasing, antialiased_);
    }
    return *painter_;
}

void GlyphSprites::drawOnCanvas(const QRawFont& font, quint32 glyphIndex, QRgb text)
{
    // The same call, pen position and hint as the view's own glyph runs, so the raster engine
    // takes the same path and the same cached coverage.
    painter_->setPen(QColor::fromRgb(text));
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes({glyphIndex});
    run.setPositions({QPointF(reach_, reach_)});
    painter_->drawGlyphRun(QPointF(0, 0), run);
}

const GlyphSprites::Ink& GlyphSprites::ink(const QRawFont& font, int fontSlot, quint32 glyphIndex)
{
    const std::uint32_t key = glyphKey(fontSlot, glyphIndex);
    auto it = inks_.find(key);
    if (it != inks_.end())
        return it->second;
    Ink ink;
    if (glyphIndex <= 0xFFFFFF) {
        // White on black: any coverage at all leaves a pixel that is no longer black.
        canvasPainter().fillRect(canvas_.rect(), QColor(Qt::black));
        drawOnCanvas(font, glyphIndex, qRgb(255, 255, 255));
        const int side = 2 * reach_;
        int left = side, right = -1, top = side, bottom = -1;
        for (int y = 0; y < side; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(canvas_.constScanLine(y));
            for (int x = 0; x < side; ++x) {
                if ((row[x] & 0xFFFFFF) == 0)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        const bool touchesEdge =
            right >= 0 && (left == 0 || top == 0 || right == side - 1 || bottom == side - 1);
        ink.known = !touchesEdge;
        if (right >= 0 && ink.known)
            ink.box =
                QRect(QPoint(left - reach_, top - reach_), QPoint(right - reach_, bottom - reach_));
    }
    return inks_.emplace(key, ink).first->second;
}

const QImage& GlyphSprites::sprite(const QRawFont& font, int fontSlot, quint32 glyphIndex,
                                   const Ink& ink, QRgb text, QRgb background)
{
    const SpriteKey key{glyphKey(fontSlot, glyphIndex), text, background};
    auto it = sprites_.find(key);
    if (it != sprites_.end())
        return it->second;
    // Outside the ink box the glyph has no coverage, so the box's pixels are all it changes.
    const QRect onCanvas = ink.box.translated(reach_, reach_);
    canvasPainter().fillRect(onCanvas, QColor::fromRgb(background));
    drawOnCanvas(font, glyphIndex, text);
    return sprites_.emplace(key, canvas_.copy(onCanvas)).first->second;
}

} // namespace corvane
