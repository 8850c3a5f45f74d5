// Glyphs of the text view font drawn once over a solid cell colour and kept as finished pixels.
// Blending a glyph's coverage into the surface is most of the cost of a repaint (the CJK faces are
// blended with gamma correction, a table walk per pixel and channel), while a glyph whose ink stays
// inside its own character cell lands on nothing but that cell's colour: its pixels are then a
// function of glyph, text colour and cell colour alone, and copying the pixels the blend produced
// once gives exactly what blending again would.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QRect>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace corvane {

class GlyphSprites
{
public:
    /// cellHeight: pixel height of the font's lines, which bounds how far a glyph's ink may reach
    /// from its pen position. antialiased: whether glyphs are drawn with text antialiasing (the
    /// painter's hint must match the one the view draws with).
    GlyphSprites(int cellHeight, bool antialiased);
    ~GlyphSprites();
    GlyphSprites(const GlyphSprites&) = delete;
    GlyphSprites& operator=(const GlyphSprites&) = delete;

    /// Where a glyph touches pixels, relative to its pen position (left end of its baseline).
    struct Ink
    {
        QRect box;          ///< empty when the glyph draws nothing
        bool known = false; ///< false: the ink reaches past the measured area (never a sprite)
    };
    /// Ink of glyph glyphIndex of fonts[fontSlot], measured on first use.
    const Ink& ink(const QRawFont& font, int fontSlot, quint32 glyphIndex);

    /// The pixels of ink.box with the glyph drawn in text over background (Format_RGB32,
    /// box-sized). ink must be the glyph's known, non-empty ink.
    const QImage& sprite(const QRawFont& font, int fontSlot, quint32 glyphIndex, const Ink& ink,
                         QRgb text, QRgb background);

    std::size_t spriteCount() const { return sprites_.size(); }
    /// Drops the sprites (not the measured ink); pointers to sprites are invalid afterwards.
    void clear() { sprites_.clear(); }
    /// Sprites kept at most between repaints; past it the owner clears the cache (a document
    /// rarely shows more than a few thousand distinct glyph and colour combinations).
    static constexpr std::size_t kMaxSprites = 8192;

private:
    struct SpriteKey
    {
        std::uint32_t glyph;
        QRgb text;
        QRgb background;
        bool operator==(const SpriteKey&) const = default;
    };
    struct SpriteKeyHash
    {
        std::size_t operator()(const SpriteKey& k) const
        {
            const std::uint64_t colours = (std::uint64_t(k.text) << 32) | k.background;
            return std::hash<std::uint64_t>()(colours * 0x9E3779B97F4A7C15ull ^ k.glyph);
        }
    };
    static std::uint32_t glyphKey(int fontSlot, quint32 glyphIndex)
    {
        return (std::uint32_t(fontSlot) << 24) | (glyphIndex & 0xFFFFFF);
    }
    /// The painter open on the canvas, both made on first use.
    QPainter& canvasPainter();
    /// Draws the glyph in text with its pen at the canvas centre.
    void drawOnCanvas(const QRawFont& font, quint32 glyphIndex, QRgb text);

    int reach_; ///< pixels measured on each side of the pen position
    bool antialiased_;
    QImage canvas_; ///< where glyphs are measured and drawn, (2 x reach_) square
    std::unique_ptr<QPainter> painter_; ///< open on canvas_ from its first use (ends before it)
    std::unordered_map<std::uint32_t, Ink> inks_;
    std::unordered_map<SpriteKey, QImage, SpriteKeyHash> sprites_;
};

} // namespace corvane
