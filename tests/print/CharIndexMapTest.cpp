// The character index map and marker pieces: where a word processor sees each byte, and which
// stretches a marker shades.
#include "print/CharIndexMap.h"
#include "ProjectFileSupport.h"
#include "base/Sjis.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace corvane::output {
namespace {

TEST(CharIndexMap, CrLfIsOneCharacterAndTwoByteCharactersOne)
{
    // "a" CR LF "あ" (0x82 0xA0) "b"
    const std::string text = "a\r\n\x82\xa0"
                             "b";
    EXPECT_EQ(buildCharIndexMap(text), (std::vector<std::int32_t>{0, 1, 2, 2, 2, 3, 4}));
}

TEST(CharIndexMap, LeadByteAtTheEndCountsAsOneAndTheMapHasAnEndEntry)
{
    EXPECT_EQ(buildCharIndexMap("\x82"), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(buildCharIndexMap(""), (std::vector<std::int32_t>{0}));
}

TEST(CharIndexMap, PropertyCountsCharactersAndParagraphMarksOnRandomTexts)
{
    // The end entry equals the number of characters less the LFs that follow a CR... in general:
    // every non-LF character counts one. The map never decreases and steps by at most one.
    std::mt19937 rng(7);
    const char alphabet[] = {'a', '\r', '\n', '\t', '\x82', '\xa0', '\x88', '\xea', ' '};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i)
            text.push_back(alphabet[rng() % sizeof alphabet]);
        const auto map = buildCharIndexMap(text);
        ASSERT_EQ(map.size(), text.size() + 1);
        std::int32_t expected = 0;
        for (std::size_t i = 0; i < text.size(); i += sjis::charLength(text, i))
            expected += text[i] == '\n' ? 0 : 1;
        EXPECT_EQ(map.back(), expected) << round;
        for (std::size_t i = 1; i < map.size(); ++i)
            ASSERT_TRUE(map[i] - map[i - 1] == 0 || map[i] - map[i - 1] == 1);
    }
}

TEST(MarkerPieces, CutAtEachLineEndSoTheParagraphMarkStaysUnshaded)
{
    const std::string text = "ab\r\ncd\r\n\r\nef";
    EXPECT_EQ(markerPieces(text, 1, 10), (std::vector<BytePiece>{{1, 2}, {4, 6}, {10, 11}}));
    // A span starting on the CR gives nothing for that line.
    EXPECT_EQ(markerPieces(text, 2, 4), (std::vector<BytePiece>{{4, 6}}));
}

TEST(MarkerPieces, EndingAtTheLastByteAndClampedToTheText)
{
    const std::string text = "x\x82\xa0";
    EXPECT_EQ(markerPieces(text, 1, 2), (std::vector<BytePiece>{{1, 3}}));
    const auto map = buildCharIndexMap(text);
    EXPECT_EQ(map[1], 1);
    EXPECT_EQ(map[3], 2); // the end entry: a marker ending at the last byte maps
    EXPECT_EQ(markerPieces(text, 1, 100), (std::vector<BytePiece>{{1, 3}}));
    EXPECT_TRUE(markerPieces(text, 5, 2).empty());
    EXPECT_TRUE(markerPieces(text, -3, 2).empty());
}

TEST(DocumentShading, OnlyThisDocumentsMarkersAndTheLaterOneWinsWhereTheyOverlap)
{
    auto project = std::make_unique<ProjectData>();
    const std::string text = "0123456789";
    auto& a = test::addObject(*project, 1, ObjectType::Marker, "F\\d");
    a.position = 1;
    a.length = 5;
    a.markerColour = 0x0000FF;
    auto& b = test::addObject(*project, 2, ObjectType::Marker, "F\\d");
    b.position = 4;
    b.length = 4;
    b.markerColour = 0x00FF00;
    auto& other = test::addObject(*project, 3, ObjectType::Marker, "G\\d");
    other.position = 0;
    other.length = 10;
    test::addObject(*project, 4, ObjectType::SubSubject);
    EXPECT_EQ(documentShading(*project, "F\\d", text),
              (std::vector<ColourRun>{{1, 4, 0x0000FF}, {4, 8, 0x00FF00}}));
    // Table order decides, not position: b first in the table lets a show over it.
    std::swap(project->objects[0], project->objects[1]);
    EXPECT_EQ(documentShading(*project, "F\\d", text),
              (std::vector<ColourRun>{{1, 6, 0x0000FF}, {6, 8, 0x00FF00}}));
}

} // namespace
} // namespace corvane::output
