// The text view font with everything measured from it: the character-width table the layout pass
// reads, and for drawing the glyph of each Shift-JIS code in whichever installed font holds it
// (the face's own or a substitute). One cache, kept by the text view host, serves every text view,
// since all of them draw with the project's one text view font; a new one is made when that font
// changes and when a project is created or opened.
#pragma once

#include "model/Records.h"
#include "textview/CharWidthTable.h"
#include "textview/GlyphSprites.h"

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>

#include <memory>
#include <optional>
#include <vector>

namespace corvane {

/// What drawing needs of one character code.
struct GlyphRef
{
    enum Kind : std::int8_t
    {
        Unknown,
        Glyph,
        Blank,
        Invalid
    };
    Kind kind = Unknown;
    std::int8_t fontSlot = 0; ///< index into ViewFontCache::rawFonts(), for kind Glyph
    quint32 glyphIndex = 0;
    float advance = 0; ///< the glyph's own advance, for centring it in its cell
};

class ViewFontCache : public CharWidthSource
{
public:
    explicit ViewFontCache(const QFont& font);

    /// The view font as the settings describe it: pixel height = size x dpiY / 72 rounded.
    static QFont makeFont(const TextViewSettings& settings, int dpiY);
    /// Whether two fonts measure and draw alike (face, pixel size, weight, slant, anti-aliasing).
    static bool sameFont(const QFont& a, const QFont& b);

    const QFont& font() const { return font_; }
    const QFontMetrics& metrics() const { return metrics_; }
    CharWidthTable& widths() { return widths_; }
    const GlyphRef& glyph(std::uint16_t code)
    {
        GlyphRef& g = glyphs_[code];
        if (g.kind == GlyphRef::Unknown)
            resolve(code, g);
        return g;
    }
    const std::vector<QRawFont>& rawFonts() const { return rawFonts_; }
    /// Finished pixels of glyphs over cell colours, for the full-window repaint.
    GlyphSprites& sprites() { return sprites_; }
    /// Whether this font's text drawn on an off-screen image has exactly the pixels it has on a
    /// window (the window side finds out once and records it here); nullopt until then.
    std::optional<bool> imageTextMatches() const { return imageTextMatches_; }
    void setImageTextMatches(bool matches) { imageTextMatches_ = matches; }
    /// Code point of a Shift-JIS code, U+FFFD when it is not a character.
    static char32_t decode(std::uint16_t code);

    int measureCharWidth(std::uint16_t code) override;

private:
    void resolve(std::uint16_t code, GlyphRef& g);

    QFont font_;
    QFontMetrics metrics_;
    CharWidthTable widths_;
    std::unique_ptr<GlyphRef[]> glyphs_; ///< 65,536 entries, filled on demand
    std::vector<QRawFont> rawFonts_;
    GlyphSprites sprites_;
    std::optional<bool> imageTextMatches_;
};

} // namespace corvane
