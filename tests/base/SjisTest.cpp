#include "base/Sjis.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(Sjis, TrailByteBackslashIsNotASeparator)
{
    // 0x95 0x5C is one two-byte character whose second byte is "\".
    const SjisString s = "a\x95\x5C"
                         "b\\c";
    EXPECT_EQ(sjis::findSingleByte(s, '\\'), 4u);
    EXPECT_EQ(sjis::findLastSingleByte(s, '\\'), 4u);
    EXPECT_EQ(sjis::countChars(s), 5u);
}

TEST(Sjis, CutNeverSplitsATwoByteCharacter)
{
    const SjisString s = "ab\x82\xa0"
                         "c";
    EXPECT_EQ(sjis::cut(s, 3), "ab");
    EXPECT_EQ(sjis::cut(s, 4), "ab\x82\xa0");
    EXPECT_EQ(sjis::cut(s, 100), s);
}

TEST(Sjis, PreviousCharScansFromAKnownBoundary)
{
    // 0x82 0x82 looks like a lead byte twice; only a forward scan finds the real boundary.
    const SjisString s = "\x82\x82\x82\x82"
                         "a";
    EXPECT_EQ(sjis::previousChar(s, 4), 2u);
    EXPECT_EQ(sjis::previousChar(s, 2), 0u);
    EXPECT_EQ(sjis::previousChar(s, 0), 0u);
}

TEST(Sjis, UpperCaseFoldingLeavesTwoByteCharactersAlone)
{
    // 0x82 0x61 is a two-byte character whose trail byte is "a".
    EXPECT_EQ(sjis::toUpperAscii("ab\x82\x61"
                                 "c"),
              "AB\x82\x61"
              "C");
}

TEST(Sjis, LeadByteAtTheEndCountsAsOneByte)
{
    const SjisString s = "a\x82";
    EXPECT_EQ(sjis::nextChar(s, 1), 2u);
    EXPECT_FALSE(sjis::isWellFormed(s));
    EXPECT_TRUE(sjis::isWellFormed("a\x82\xa0"));
}
