#include "textview/ViewFontCache.h"

#include "base/Codec.h"
#include "base/qt/QtText.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <cstring>

namespace corvane {

namespace {
/// Characters that draw nothing: spaces of every kind and control characters.
bool isBlank(char32_t cp)
{
    return cp < 0x20 || cp == 0x7F || QChar::isSpace(cp);
}

} // namespace

bool ViewFontCache::sameFont(const QFont& a, const QFont& b)
{
    return a.family() == b.family() && a.pixelSize() == b.pixelSize() && a.bold() == b.bold() &&
           a.italic() == b.italic() && a.styleStrategy() == b.styleStrategy();
}

QFont ViewFontCache::makeFont(const TextViewSettings& settings, int dpiY)
{
    const std::size_t len = ::strnlen(settings.fontName, kFontNameBytes);
    QFont font(toQString(SjisView(settings.fontName, len)));
    const int points = settings.fontSize > 0 ? settings.fontSize : 11;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpiY / 72.0))));
    font.setWeight(settings.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(settings.italic != 0);
    // Widths are summed per character, so shaping must not move characters: no kerning.
    font.setKerning(false);
    font.setStyleStrategy(settings.antiAliasing ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

ViewFontCache::ViewFontCache(const QFont& font)
    : font_(font), metrics_(font), widths_(this), glyphs_(new GlyphRef[65536]),
      sprites_(metrics_.height(), font.styleStrategy() != QFont::NoAntialias)
{
}

char32_t ViewFontCache::decode(std::uint16_t code)
{
    if (code < 0x100)
        return codec::decodeChar(static_cast<unsigned char>(code));
    return codec::decodeChar(static_cast<unsigned char>(code >> 8),
                             static_cast<unsigned char>(code & 0xFF));
}

int ViewFontCache::measureCharWidth(std::uint16_t code)
{
    const char32_t cp = decode(code);
    if (cp == codec::kReplacementChar) {
        // The replacement box: as wide as a digit for a stray byte, as a full-width box for a
        // bad pair.
        return code < 0x100 ? metrics_.horizontalAdvance(QLatin1Char('0'))
                            : metrics_.horizontalAdvance(QChar(0x25A1));
    }
    if (cp < 0x20 || cp == 0x7F)
        return metrics_.horizontalAdvance(QLatin1Char(' '));
    return metrics_.horizontalAdvance(QString::fromUcs4(&cp, 1));
}

void ViewFontCache::resolve(std::uint16_t code, GlyphRef& g)
{
    const char32_t cp = decode(code);
    if (cp == codec::kReplacementChar) {
        g.kind = GlyphRef::Invalid;
        return;
    }
    if (isBlank(cp)) {
        g.kind = GlyphRef::Blank;
        return;
    }
    // Let the text engine pick the font that holds the character (substitutes included), then
    // draw that glyph directly at positions of our own.
    QTextLayout layout(QString::fromUcs4(&cp, 1), font_);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty() || runs.front().glyphIndexes().isEmpty() ||
        runs.front().glyphIndexes().front() == 0) {
        g.kind = GlyphRef::Blank; // no glyph anywhere: shown like a space
        return;
    }
    const QGlyphRun& run = runs.front();
    const QRawFont raw = run.rawFont();
    int slot = -1;
    for (std::size_t i = 0; i < rawFonts_.size(); ++i)
        if (rawFonts_[i] == raw)
            slot = static_cast<int>(i);
    if (slot < 0) {
        if (rawFonts_.size() >= 127) {
            g.kind = GlyphRef::Blank;
            return;
        }
        rawFonts_.push_back(raw);
        slot = static_cast<int>(rawFonts_.size()) - 1;
    }
    g.kind = GlyphRef::Glyph;
    g.fontSlot = static_cast<std::int8_t>(slot);
    g.glyphIndex = run.glyphIndexes().front();
    const QList<QPointF> adv = raw.advancesForGlyphIndexes(QList<quint32>{g.glyphIndex});
    g.advance = adv.isEmpty() ? 0.f : static_cast<float>(adv.front().x());
}

} // namespace corvane
