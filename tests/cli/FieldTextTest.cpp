#include "FieldText.h"

#include "base/Sjis.h"

#include <gtest/gtest.h>

namespace corvane::cli {
namespace {

std::string roundTrip(std::string_view sjis)
{
    std::string back, error;
    EXPECT_TRUE(utf8ToSjisLossless(sjisToUtf8Lossless(sjis), back, error)) << error;
    return back;
}

TEST(FieldText, EveryTwoByteCodeAndEverySingleByteComesBackUnchanged)
{
    // Includes CP932's duplicate codes (NEC row 13 and the two IBM extension blocks), which a
    // plain conversion would fold onto one code each, and unassigned pairs.
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string s{char(lead), char(trail), 'x'};
            ASSERT_EQ(roundTrip(s), s) << std::hex << lead << ' ' << trail;
        }
    }
    for (int b = 1; b <= 0xFF; ++b) {
        const std::string s{char(b)};
        ASSERT_EQ(roundTrip(s), s) << std::hex << b;
    }
}

TEST(FieldText, ReadableCharactersStayReadable)
{
    EXPECT_EQ(sjisToUtf8Lossless("\x82\xa0"
                                 "b\\"),
              "\xe3\x81\x82"
              "b\\");
    EXPECT_EQ(sjisToUtf8Lossless("\xb1"), "\xef\xbd\xb1"); // half-width katakana
    // A lead byte cut off at the end of a field is kept as an escaped byte.
    EXPECT_EQ(sjisToUtf8Lossless("a\x82"), "a\xef\x9e\x82");
}

TEST(FieldText, FieldsAreTerminatedAndLimited)
{
    char field[6];
    std::string error;
    ASSERT_TRUE(utf8ToField("\xe3\x81\x82\xe3\x81\x82"
                            "a",
                            field, sizeof field, error));
    EXPECT_EQ(std::string(field, 6), std::string("\x82\xa0\x82\xa0"
                                                 "a\0",
                                                 6));
    EXPECT_FALSE(utf8ToField("abcdef", field, sizeof field, error));
    EXPECT_NE(error.find("longer than 5 bytes"), std::string::npos);
    EXPECT_FALSE(utf8ToField("\xf0\x9f\x98\x80", field, sizeof field, error)) << "emoji";
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(fieldToUtf8(unterminated, 3), "abc");
}

} // namespace
} // namespace corvane::cli
