// Character widths in pixels for the layout pass and the drawing, keyed by Shift-JIS character
// code (a one-byte character is its byte value, a two-byte one lead * 256 + trail).
#pragma once

#include <cstdint>
#include <memory>

namespace corvane {

/// Where widths come from on a cache miss: the font engine in the widgets, a fixed table in tests.
class CharWidthSource
{
public:
    virtual ~CharWidthSource() = default;
    /// Width in pixels (>= 0) of the character with this Shift-JIS code. Codes that are not
    /// characters (a lone lead byte, a bad trail byte) get the width of the replacement box.
    virtual int measureCharWidth(std::uint16_t code) = 0;
};

/// A direct table over all 65,536 codes, filled on demand. The layout pass looks up every
/// character of a document, so a lookup is one load and one compare.
class CharWidthTable
{
public:
    explicit CharWidthTable(CharWidthSource* source = nullptr);

    /// Changing the source empties the table (a new face or size gives new widths).
    void setSource(CharWidthSource* source);
    /// Forget every width; the next lookups ask the source again.
    void clear();

    int width(std::uint16_t code)
    {
        const int w = widths_[code];
        return w >= 0 ? w : fill(code);
    }

    /// Number of codes measured since the last clear (for tests and benchmarks).
    int measuredCount() const { return measured_; }

private:
    int fill(std::uint16_t code);

    CharWidthSource* source_ = nullptr;
    /// invariant: -1 for "not measured yet", else the width the source gave.
    std::unique_ptr<std::int16_t[]> widths_;
    int measured_ = 0;
};

/// The character starting at byteIndex inside [.., lineEnd): its code and byte length. A lead
/// byte takes the next byte with it only when that byte is still inside the line, so a stray lead
/// byte before a line break or at the end of the text is a one-byte (invalid) character and never
/// swallows the break.
struct SjisChar
{
    std::uint16_t code;
    int byteLength; ///< 1 or 2
};

inline SjisChar sjisCharAt(const char* text, std::size_t byteIndex, std::size_t lineEnd)
{
    const auto b = static_cast<unsigned char>(text[byteIndex]);
    if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFE)) && byteIndex + 1 < lineEnd)
        return {
            static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(text[byteIndex + 1])),
            2};
    return {b, 1};
}

} // namespace corvane
