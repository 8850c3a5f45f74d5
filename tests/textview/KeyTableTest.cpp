#include "textview/KeyTable.h"

#include "FixedWidths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

struct KeyTableFixture : ::testing::Test
{
    test::FixedWidths source;
    CharWidthTable widths{&source};
    KeyTable keys;

    std::vector<ByteOffset> build(SjisView text, int breakWidthE)
    {
        keys.build(text, widths, breakWidthE);
        EXPECT_TRUE(keys.isConsistent(text));
        return keys.keys();
    }
};

using V = std::vector<ByteOffset>;

TEST_F(KeyTableFixture, DesignExampleWithEmptyLineBetween)
{
    EXPECT_EQ(build("abc\r\n\r\nx", 1000), (V{0, 5, 7, 8}));
    EXPECT_EQ(keys.lineCount(), 3);
}

TEST_F(KeyTableFixture, EmptyDocumentHasNoLines)
{
    EXPECT_EQ(build("", 1000), (V{0}));
    EXPECT_EQ(keys.lineCount(), 0);
    EXPECT_EQ(keys.lineOfByte(0), -1);
}

TEST_F(KeyTableFixture, FinalCrLfAddsNoEmptyLine)
{
    EXPECT_EQ(build("abc\r\n", 1000), (V{0, 5}));
    // An empty line before the final CR LF is the last display line, with nothing after it.
    EXPECT_EQ(build("abc\r\n\r\n", 1000), (V{0, 5, 7}));
    EXPECT_EQ(build("\r\n", 1000), (V{0, 2}));
}

TEST_F(KeyTableFixture, LineExactlyAsWideAsBreakWidthStaysOneLine)
{
    // Five characters of 10 pixels against E = 50.
    EXPECT_EQ(build("abcde\r\nx", 50), (V{0, 7, 8}));
}

TEST_F(KeyTableFixture, OneCharacterWiderThanBreakWidthIsCut)
{
    // "abcdef" is 60 pixels against E = 50: "abcde" then "f"... but the last character never
    // starts a display line of its own, so the cut comes before "f" only when a character follows.
    EXPECT_EQ(build("abcdefg\r\n", 50), (V{0, 5, 9}));
    EXPECT_EQ(build("abcdef\r\n", 50), (V{0, 8}));
}

TEST_F(KeyTableFixture, LongLineIsCutIntoPiecesAndOnlyTheLastHoldsTheLineBreak)
{
    // Twelve characters, E = 40: three pieces of four.
    EXPECT_EQ(build("abcdefghijkl\r\nz", 40), (V{0, 4, 8, 14, 15}));
    EXPECT_EQ(keys.widestLine(), 120);
}

TEST_F(KeyTableFixture, TwoByteCharactersAreNeverSplit)
{
    // Three two-byte characters (20 px each) against E = 30: one per piece, the last kept with
    // the one before it.
    const std::string text = "\x82\xa0"
                             "\x82\xa2"
                             "\x82\xa4";
    EXPECT_EQ(build(text, 30), (V{0, 2, 6}));
}

TEST_F(KeyTableFixture, SingleCharacterWiderThanBreakWidthIsOneLine)
{
    source.overrides['W'] = 500;
    EXPECT_EQ(build("W\r\nW", 50), (V{0, 3, 4}));
}

TEST_F(KeyTableFixture, UnwrappedLinesAreStillCutAtTheSurfaceWidth)
{
    const int e = breakWidthFor(3000, 17, false);
    EXPECT_EQ(e, 3000 - 3 * 17);
    const std::string line(400, 'a'); // 4000 pixels
    build(line, e);
    EXPECT_EQ(keys.lineCount(), 2);
    EXPECT_EQ(keys.lineStart(1), e / 10);
    EXPECT_EQ(breakWidthFor(900, 17, true), 900 - 17 - 20);
}

TEST_F(KeyTableFixture, InvalidShiftJisKeepsOffsetsInStep)
{
    // A lead byte before CR does not swallow the CR; a lead byte at the very end is one byte.
    EXPECT_EQ(build("a\x82\r\nb\x82", 1000), (V{0, 4, 6}));
    // A bad trail byte still travels with its lead byte as one (invalid) character.
    EXPECT_EQ(build("\x82\x20"
                    "a",
                    20),
              (V{0, 3}));
}

TEST_F(KeyTableFixture, LoneCrEndsItsLineWithoutTakingTheNextByte)
{
    EXPECT_EQ(build("ab\rcd", 1000), (V{0, 3, 5}));
    EXPECT_EQ(build("ab\r", 1000), (V{0, 3}));
}

TEST_F(KeyTableFixture, MegabyteLineWithoutLineBreakWraps)
{
    const std::string line(1 << 20, 'x');
    build(line, 1000);                  // 100 characters per piece
    EXPECT_EQ(keys.lineCount(), 10486); // 10485 full pieces and one of 76 characters
    EXPECT_EQ(keys.lineStart(1), 100);
    EXPECT_EQ(keys.lineEnd(keys.lineCount() - 1), 1 << 20);
}

TEST_F(KeyTableFixture, LineOfByteFindsTheLineHoldingAnOffset)
{
    build("abc\r\n\r\nx", 1000);
    EXPECT_EQ(keys.lineOfByte(0), 0);
    EXPECT_EQ(keys.lineOfByte(4), 0);
    EXPECT_EQ(keys.lineOfByte(5), 1);
    EXPECT_EQ(keys.lineOfByte(7), 2);
    EXPECT_EQ(keys.lineOfByte(8), 2); // the text length belongs to the last line
}

TEST_F(KeyTableFixture, WidthsAreMeasuredOncePerCode)
{
    build("aaaa\r\nabab", 1000);
    EXPECT_EQ(source.calls, 2);
    widths.clear();
    build("a", 1000);
    EXPECT_EQ(source.calls, 3);
}

TEST(LogicalLines, CountsCrTerminatedLinesAndTheRest)
{
    EXPECT_EQ(countLogicalLines(""), 0);
    EXPECT_EQ(countLogicalLines("a"), 1);
    EXPECT_EQ(countLogicalLines("a\r\n"), 1);
    EXPECT_EQ(countLogicalLines("a\r\nb"), 2);
    EXPECT_EQ(countLogicalLines("\r\n\r\n"), 2);
}

} // namespace
} // namespace corvane
