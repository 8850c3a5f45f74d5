#include "textview/CellColours.h"

#include <gtest/gtest.h>

#include <cstring>

namespace corvane {
namespace {

constexpr Colour kBack = 0xFFFFFF;
constexpr Colour kSel = 0x808080;
constexpr Colour kPink = 0xC9AEFF;
constexpr Colour kGreen = 0x1DE6B5;

std::vector<Colour> colours(const std::vector<CellStyle>& cells)
{
    std::vector<Colour> out;
    for (const auto& c : cells)
        out.push_back(c.colour);
    return out;
}

struct CellFixture : ::testing::Test
{
    // Characters at 0, 1, 2, 3 (one byte each) and a two-byte one at 4-5; the line is [0, 8)
    // with its CR LF.
    std::vector<ByteOffset> starts{0, 1, 2, 3, 4, 6};
    CellColourInputs in{kBack, kSel, true};
    std::vector<CellStyle> out;

    MarkerSpan marker(ByteOffset pos, int len, Colour c, bool current = false, int links = 0)
    {
        MarkerSpan m;
        m.position = pos;
        m.length = len;
        m.colour = c;
        m.current = current;
        m.linkCount = links;
        return m;
    }
};

TEST(CurrentMarkerColour, NeverReadsWorseThanTheMarkerItselfUpToTheReadableContrast)
{
    // Whatever colour a user picks, making the marker current must not make black text on it
    // (or white text, for a user with a dark scheme) harder to read than it was, unless the
    // text stays readable anyway.
    for (const Colour text : {Colour(0x000000), Colour(0xFFFFFF)})
        for (unsigned r = 0; r < 256; r += 15)
            for (unsigned g = 0; g < 256; g += 15)
                for (unsigned b = 0; b < 256; b += 15) {
                    const Colour marker = rgbColour(r, g, b);
                    const double before = contrastRatio(marker, text);
                    const double after = contrastRatio(currentMarkerColour(marker, text), text);
                    ASSERT_GE(after, std::min(4.5, before))
                        << "marker " << r << "," << g << "," << b << " text " << text;
                }
    // A dark custom colour is lightened, a light one darkened as before.
    EXPECT_EQ(currentMarkerColour(rgbColour(60, 60, 120), 0), rgbColour(110, 110, 170));
    EXPECT_EQ(currentMarkerColour(kPink, 0), darkened(kPink));
}

TEST(Darkened, TakesFiftyFromEachChannelNeverBelowZero)
{
    EXPECT_EQ(darkened(rgbColour(255, 174, 201)), rgbColour(205, 124, 151));
    EXPECT_EQ(darkened(rgbColour(30, 50, 51)), rgbColour(0, 0, 1));
}

TEST_F(CellFixture, SelectionAndMarkersColourTheirCharacters)
{
    cellStyles(starts, 0, 8, {1, 3}, {marker(4, 3, kPink)}, in, out);
    // The marker [4, 7) covers the two-byte character at 4 and the one at 6.
    EXPECT_EQ(colours(out), (std::vector<Colour>{kBack, kSel, kSel, kBack, kPink, kPink}));
    EXPECT_FALSE(out[4].linkLine);
}

TEST_F(CellFixture, CurrentMarkerIsDarkenedButKeepsTheSelectionColourWhereSelected)
{
    cellStyles(starts, 0, 8, {0, 2}, {marker(1, 3, kPink, true)}, in, out);
    const Colour dark = darkened(kPink);
    EXPECT_EQ(colours(out), (std::vector<Colour>{kSel, kSel, dark, dark, kBack, kBack}));
}

TEST_F(CellFixture, SelectedCharactersOfOtherMarkersTakeTheDarkenedColour)
{
    cellStyles(starts, 0, 8, {0, 2}, {marker(1, 3, kGreen)}, in, out);
    EXPECT_EQ(colours(out),
              (std::vector<Colour>{kSel, darkened(kGreen), kGreen, kGreen, kBack, kBack}));
}

TEST_F(CellFixture, MarkerColouredLikeTheSelectionIsNotTakenForSelected)
{
    cellStyles(starts, 0, 8, {}, {marker(0, 2, kSel)}, in, out);
    EXPECT_EQ(out[0].colour, kSel);
}

TEST_F(CellFixture, LinkedMarkersCarryTheLinkLineWhenShown)
{
    cellStyles(starts, 0, 8, {}, {marker(2, 2, kPink, false, 1)}, in, out);
    EXPECT_FALSE(out[1].linkLine);
    EXPECT_TRUE(out[2].linkLine);
    EXPECT_TRUE(out[3].linkLine);
    in.linkLinesShown = false;
    cellStyles(starts, 0, 8, {}, {marker(2, 2, kPink, false, 1)}, in, out);
    EXPECT_FALSE(out[2].linkLine);
}

TEST_F(CellFixture, SpansAreClippedToTheDisplayLine)
{
    // Second piece of a wrapped line: characters at 10, 11, 12 in [10, 13).
    const std::vector<ByteOffset> piece{10, 11, 12};
    cellStyles(piece, 10, 13, {5, 11}, {marker(12, 40, kPink)}, in, out);
    EXPECT_EQ(colours(out), (std::vector<Colour>{kSel, kBack, kPink}));
}

TEST(MarkerSpans, ReadsMarkersOfTheDocumentWithTheirLinkCounts)
{
    ProjectData project;
    auto addMarker = [&](ObjectId id, const char* doc, ByteOffset pos) {
        ObjectRecord& o = project.objects[static_cast<std::size_t>(project.objectCount++)];
        o = ObjectRecord{};
        o.id = id;
        o.type = ObjectType::Marker;
        std::strcpy(o.document, doc);
        o.position = pos;
        o.length = 4;
        o.markerColour = kPink;
    };
    addMarker(1, "A\\doc", 0);
    addMarker(2, "A\\doc2", 0);
    ObjectRecord& sub = project.objects[static_cast<std::size_t>(project.objectCount++)];
    sub = ObjectRecord{};
    sub.id = 3;
    sub.type = ObjectType::SubSubject;
    addMarker(4, "A\\doc", 10);
    project.links[0] = {1, 3};
    project.links[1] = {4, 1};
    project.links[2] = {3, 4};
    project.linkCount = 3;
    project.currentObject = 3;

    const auto spans = markerSpansOf(project, "A\\doc");
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].objectIndex, 0);
    EXPECT_EQ(spans[0].linkCount, 2);
    EXPECT_FALSE(spans[0].current);
    EXPECT_EQ(spans[1].objectIndex, 3);
    EXPECT_EQ(spans[1].position, 10);
    EXPECT_EQ(spans[1].linkCount, 2);
    EXPECT_TRUE(spans[1].current);
    EXPECT_TRUE(markerSpansOf(project, "A\\do").empty());
}

} // namespace
} // namespace corvane
