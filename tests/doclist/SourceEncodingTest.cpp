#include "doclist/SourceEncoding.h"

#include <gtest/gtest.h>

using namespace corvane::doclist;

TEST(SourceEncoding, DetectionByMarkAndValidity)
{
    EXPECT_EQ(detectSourceEncoding("plain ascii\r\n"), SourceEncoding::ShiftJis);
    EXPECT_EQ(detectSourceEncoding("\xe3\x81\x82"), SourceEncoding::Utf8); // あ
    EXPECT_EQ(detectSourceEncoding("\xEF\xBB\xBF"
                                   "abc"),
              SourceEncoding::Utf8Bom);
    EXPECT_EQ(detectSourceEncoding("\xFF\xFE"
                                   "a\0"),
              SourceEncoding::Utf16Le);
    EXPECT_EQ(detectSourceEncoding("\xFE\xFF\0a"), SourceEncoding::Utf16Be);
    // Shift-JIS あ is not valid UTF-8 and stays as it is.
    EXPECT_EQ(detectSourceEncoding("\x82\xa0"), SourceEncoding::ShiftJis);
}

TEST(SourceEncoding, Utf8ValidityRefusesOverlongAndSurrogates)
{
    EXPECT_TRUE(isValidUtf8("a\xc3\xa9\xe3\x81\x82\xf0\x9f\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xe3\x81"));         // truncated
}

TEST(SourceEncoding, Utf8SourceBecomesShiftJis)
{
    // "あ表" in UTF-8 -> 82 A0 95 5C; the trail byte 0x5C is part of the character.
    EXPECT_EQ(sourceToSjis("\xe3\x81\x82\xe8\xa1\xa8\r\n"), "\x82\xa0\x95\x5c\r\n");
    EXPECT_EQ(sourceToSjis("\xEF\xBB\xBF"
                           "a\xe3\x81\x82"),
              "a\x82\xa0");
    // WAVE DASH, as other converters write it, is the CP932 wave dash, not "〓".
    EXPECT_EQ(sourceToSjis("\xe3\x80\x9c"), "\x81\x60");
}

TEST(SourceEncoding, UnrepresentableCharacterBecomesGeta)
{
    // An emoji and a Korean syllable have no CP932 form.
    EXPECT_EQ(sourceToSjis("a\xf0\x9f\x98\x80"
                           "b\xea\xb0\x80"),
              "a\x81\xac"
              "b\x81\xac");
}

TEST(SourceEncoding, Utf16BothByteOrders)
{
    // "aあ\r\n", U+3042 little-endian is 42 30.
    const std::string leFixed("\xFF\xFE"
                              "a\0\x42\x30\x0d\0\x0a\0",
                              10);
    EXPECT_EQ(sourceToSjis(leFixed), "a\x82\xa0\r\n");
    const std::string be("\xFE\xFF\0a\x30\x42", 6);
    EXPECT_EQ(sourceToSjis(be), "a\x82\xa0");
    // A surrogate pair (U+1F600) has no CP932 form; a lone surrogate is malformed: both "〓".
    const std::string pair("\xFF\xFE\x3D\xD8\x00\xDE", 6);
    EXPECT_EQ(sourceToSjis(pair), "\x81\xac");
}

TEST(SourceEncoding, Utf16WithoutMarkIsToldByItsNulBytes)
{
    EXPECT_EQ(detectSourceEncoding(std::string("a\0\r\0\n\0", 6)), SourceEncoding::Utf16LeNoMark);
    EXPECT_EQ(detectSourceEncoding(std::string("\0a\0\r\0\n", 6)), SourceEncoding::Utf16BeNoMark);
    // NUL bytes at both parities, or an odd length, is not UTF-16 text.
    EXPECT_EQ(detectSourceEncoding(std::string("a\0\0b", 4)), SourceEncoding::ShiftJis);
    EXPECT_EQ(detectSourceEncoding(std::string("a\0b", 3)), SourceEncoding::ShiftJis);
    // Japanese text without ASCII has no NUL bytes and is not guessed at.
    EXPECT_EQ(detectSourceEncoding("\x42\x30\x44\x30"), SourceEncoding::ShiftJis);

    std::size_t replaced = 9;
    // A Korean syllable (U+D55C) has no CP932 form.
    EXPECT_EQ(sourceToSjis(std::string("\x5C\xD5"
                                       "a\0",
                                       4),
                           &replaced),
              "\x81\xac"
              "a");
    EXPECT_EQ(replaced, 1u);
}

TEST(SourceEncoding, ShiftJisSourceUnchanged)
{
    const std::string sjis = "\x93\xfa\x96\x7b\x8c\xea\r\n\xb1"; // 日本語, half-width katakana
    EXPECT_EQ(sourceToSjis(sjis), sjis);
}
