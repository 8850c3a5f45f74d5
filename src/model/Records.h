// The records of a project exactly as the project file stores them: raw little-endian images
// with fixed offsets. Padding is spelled out as fields so that it is kept through load and save.
#pragma once

#include "base/Types.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace corvane {

static_assert(std::endian::native == std::endian::little,
              "records are stored as raw little-endian images");

enum ObjectType : std::int16_t
{
    SubSubject = 1,
    Marker = 2
};

inline constexpr int kMaxObjects = 5000;
inline constexpr int kMaxLinks = 5000;
/// Room allocated for each table: the limit plus one spare record.
inline constexpr int kTableCapacity = 5001;

inline constexpr std::size_t kDocumentPathBytes = 260; ///< incl. terminating zero
inline constexpr std::size_t kObjectTextBytes = 101;   ///< 100 bytes of text + zero
inline constexpr std::size_t kFontNameBytes = 32;
inline constexpr std::size_t kBookmarkSampleBytes = 201;
inline constexpr int kBookmarkCount = 4;

/// One sub-subject or marker (580 bytes).
struct ObjectRecord
{
    std::int32_t id;                   ///< never 0 for a live object
    std::int16_t type;                 ///< ObjectType
    char document[kDocumentPathBytes]; ///< marker: relative document path; sub-subject: empty
    char pad1[2];
    std::int32_t position; ///< marker: first byte
    std::int32_t length;   ///< marker: length in bytes
    std::uint32_t markerColour;
    char firstText[kObjectTextBytes];  ///< marker: comment; sub-subject: main subject text
    char secondText[kObjectTextBytes]; ///< marker: marker text; sub-subject: title
    char pad2[2];
    std::int32_t nodeRect[4]; ///< left, top, right, bottom at zoom 100 %; all 0: not placed
    std::int32_t nodeSelected;
    // Node style (offsets 504-579).
    char fontName[kFontNameBytes];
    std::int16_t fontSize;
    char pad3[2];
    std::int32_t bold;
    std::int32_t italic;
    std::uint32_t textColour;
    std::int16_t alignV; ///< 0 top, 1 centre, 2 bottom
    std::int16_t alignH; ///< 0 left, 1 centre, 2 right
    std::int32_t wordWrap;
    std::int16_t marginLeft;
    std::int16_t marginRight;
    std::int16_t marginTop;
    std::int16_t marginBottom;
    std::uint32_t background;
    std::uint32_t lineColour;
    std::int16_t lineThickness; ///< 0-20 pixels
    std::int16_t lineStyle;     ///< 0 solid .. 5 double
};

static_assert(sizeof(ObjectRecord) == 580);
static_assert(offsetof(ObjectRecord, id) == 0);
static_assert(offsetof(ObjectRecord, type) == 4);
static_assert(offsetof(ObjectRecord, document) == 6);
static_assert(offsetof(ObjectRecord, pad1) == 266);
static_assert(offsetof(ObjectRecord, position) == 268);
static_assert(offsetof(ObjectRecord, length) == 272);
static_assert(offsetof(ObjectRecord, markerColour) == 276);
static_assert(offsetof(ObjectRecord, firstText) == 280);
static_assert(offsetof(ObjectRecord, secondText) == 381);
static_assert(offsetof(ObjectRecord, pad2) == 482);
static_assert(offsetof(ObjectRecord, nodeRect) == 484);
static_assert(offsetof(ObjectRecord, nodeSelected) == 500);
static_assert(offsetof(ObjectRecord, fontName) == 504);
static_assert(offsetof(ObjectRecord, fontSize) == 536);
static_assert(offsetof(ObjectRecord, bold) == 540);
static_assert(offsetof(ObjectRecord, italic) == 544);
static_assert(offsetof(ObjectRecord, textColour) == 548);
static_assert(offsetof(ObjectRecord, alignV) == 552);
static_assert(offsetof(ObjectRecord, alignH) == 554);
static_assert(offsetof(ObjectRecord, wordWrap) == 556);
static_assert(offsetof(ObjectRecord, marginLeft) == 560);
static_assert(offsetof(ObjectRecord, marginRight) == 562);
static_assert(offsetof(ObjectRecord, marginTop) == 564);
static_assert(offsetof(ObjectRecord, marginBottom) == 566);
static_assert(offsetof(ObjectRecord, background) == 568);
static_assert(offsetof(ObjectRecord, lineColour) == 572);
static_assert(offsetof(ObjectRecord, lineThickness) == 576);
static_assert(offsetof(ObjectRecord, lineStyle) == 578);

/// A directed link between two objects (8 bytes).
struct LinkRecord
{
    std::int32_t from;
    std::int32_t to;
};
static_assert(sizeof(LinkRecord) == 8);
static_assert(offsetof(LinkRecord, to) == 4);

/// Text view settings of a project (2000 bytes), including the four bookmarks.
struct TextViewSettings
{
    char fontName[kFontNameBytes];
    std::int16_t fontSize;
    char pad1[2];
    std::int32_t bold;
    std::int32_t italic;
    std::uint32_t textColour;
    std::int32_t antiAliasing;
    std::int16_t lineSpacing; ///< 0-35 pixels
    char pad2[2];
    std::int32_t wordWrap;
    std::int16_t leftMargin;
    std::int16_t topMargin;
    std::int32_t lineNumbersShown;
    std::uint32_t lineNumberColour;
    std::uint32_t lineNumberBackground;
    std::int16_t lineNumberAlignment; ///< 0 left, 1 centre, 2 right
    std::int16_t lineNumberPadding;   ///< 0-35 pixels
    std::uint32_t borderColour;
    std::int16_t borderStyle; ///< as the node line style
    std::int16_t caretWidth;  ///< 1-5 pixels
    std::int16_t caretBlink;  ///< 1-9, in 100 ms
    char bookmarkPath[kBookmarkCount][kDocumentPathBytes];
    char pad3[2];
    std::int32_t bookmarkPosition[kBookmarkCount]; ///< -1: not set
    char bookmarkSample[kBookmarkCount][kBookmarkSampleBytes];
    std::int16_t bookmarkSampleLength; ///< 40-200 bytes
    std::int16_t bookmarkImageSize;    ///< 16-32 pixels
    std::int32_t linkLineShown;
    std::uint32_t linkLineColour;
    std::int32_t linkCountShown;
    std::uint32_t linkCountColour;
    std::uint32_t background;
    std::uint32_t selectionColour;
    std::int32_t whiteSpaceShown;
    std::uint32_t whiteSpaceColour;
    std::int32_t lineBreaksShown;
    std::uint32_t lineBreakColour;
    std::int32_t reserved;
};

static_assert(sizeof(TextViewSettings) == 2000);
static_assert(offsetof(TextViewSettings, fontSize) == 32);
static_assert(offsetof(TextViewSettings, bold) == 36);
static_assert(offsetof(TextViewSettings, italic) == 40);
static_assert(offsetof(TextViewSettings, textColour) == 44);
static_assert(offsetof(TextViewSettings, antiAliasing) == 48);
static_assert(offsetof(TextViewSettings, lineSpacing) == 52);
static_assert(offsetof(TextViewSettings, wordWrap) == 56);
static_assert(offsetof(TextViewSettings, leftMargin) == 60);
static_assert(offsetof(TextViewSettings, topMargin) == 62);
static_assert(offsetof(TextViewSettings, lineNumbersShown) == 64);
static_assert(offsetof(TextViewSettings, lineNumberColour) == 68);
static_assert(offsetof(TextViewSettings, lineNumberBackground) == 72);
static_assert(offsetof(TextViewSettings, lineNumberAlignment) == 76);
static_assert(offsetof(TextViewSettings, lineNumberPadding) == 78);
static_assert(offsetof(TextViewSettings, borderColour) == 80);
static_assert(offsetof(TextViewSettings, borderStyle) == 84);
static_assert(offsetof(TextViewSettings, caretWidth) == 86);
static_assert(offsetof(TextViewSettings, caretBlink) == 88);
static_assert(offsetof(TextViewSettings, bookmarkPath) == 90);
static_assert(offsetof(TextViewSettings, pad3) == 1130);
static_assert(offsetof(TextViewSettings, bookmarkPosition) == 1132);
static_assert(offsetof(TextViewSettings, bookmarkSample) == 1148);
static_assert(offsetof(TextViewSettings, bookmarkSampleLength) == 1952);
static_assert(offsetof(TextViewSettings, bookmarkImageSize) == 1954);
static_assert(offsetof(TextViewSettings, linkLineShown) == 1956);
static_assert(offsetof(TextViewSettings, linkLineColour) == 1960);
static_assert(offsetof(TextViewSettings, linkCountShown) == 1964);
static_assert(offsetof(TextViewSettings, linkCountColour) == 1968);
static_assert(offsetof(TextViewSettings, background) == 1972);
static_assert(offsetof(TextViewSettings, selectionColour) == 1976);
static_assert(offsetof(TextViewSettings, whiteSpaceShown) == 1980);
static_assert(offsetof(TextViewSettings, whiteSpaceColour) == 1984);
static_assert(offsetof(TextViewSettings, lineBreaksShown) == 1988);
static_assert(offsetof(TextViewSettings, lineBreakColour) == 1992);
static_assert(offsetof(TextViewSettings, reserved) == 1996);

/// Chart view settings of a project (72 bytes).
struct ChartViewSettings
{
    std::int32_t reserved;
    std::int32_t scrollX;
    std::int32_t scrollY;
    float zoom; ///< 1.0 = 100 %
    std::int32_t consoleX;
    std::int32_t consoleY;
    std::int32_t consoleAlwaysShown;
    std::int16_t rotationRadius; ///< kept within 40-140
    std::int16_t width;          ///< 500-5000 pixels
    std::int16_t height;         ///< 500-5000 pixels
    char pad1[2];
    std::uint32_t background;
    std::uint32_t lineColour;
    std::int32_t rotationCircleShown;
    std::int32_t mainSubjectShown;
    std::int32_t subjectNodesRound;
    std::int32_t markerNodesRound;
    unsigned char reservedTail[12];
};

static_assert(sizeof(ChartViewSettings) == 72);
static_assert(offsetof(ChartViewSettings, scrollX) == 4);
static_assert(offsetof(ChartViewSettings, zoom) == 12);
static_assert(offsetof(ChartViewSettings, consoleX) == 16);
static_assert(offsetof(ChartViewSettings, consoleAlwaysShown) == 24);
static_assert(offsetof(ChartViewSettings, rotationRadius) == 28);
static_assert(offsetof(ChartViewSettings, width) == 30);
static_assert(offsetof(ChartViewSettings, height) == 32);
static_assert(offsetof(ChartViewSettings, background) == 36);
static_assert(offsetof(ChartViewSettings, lineColour) == 40);
static_assert(offsetof(ChartViewSettings, rotationCircleShown) == 44);
static_assert(offsetof(ChartViewSettings, mainSubjectShown) == 48);
static_assert(offsetof(ChartViewSettings, subjectNodesRound) == 52);
static_assert(offsetof(ChartViewSettings, markerNodesRound) == 56);
static_assert(offsetof(ChartViewSettings, reservedTail) == 60);

/// Sets every field that a new project defines; reserved fields are left as they are.
void applyNewProjectValues(TextViewSettings& s);
void applyNewProjectValues(ChartViewSettings& s);

} // namespace corvane
