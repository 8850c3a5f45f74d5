#include "base/Codec.h"
#include "base/Sjis.h"

#include <gtest/gtest.h>

#include <iconv.h>

using namespace corvane;

TEST(CodecDecode, MapsTheCharactersCp932DiffersOn)
{
    // 0x5C is a backslash (not a yen sign), 0x7E a tilde, 0x8160 the full-width tilde.
    EXPECT_EQ(codec::toUtf8("a\x5C~").text, "a\\~");
    EXPECT_EQ(codec::decodeChar(0x81, 0x60), U'\uFF5E');
    // Half-width katakana, hiragana, a kanji whose trail byte is 0x5C, a user-defined character.
    EXPECT_EQ(codec::toUtf8("\xB1\x82\xA0\x95\x5C").text, "ｱあ表");
    EXPECT_EQ(codec::decodeChar(0xF0, 0x40), U'\uE000');
    EXPECT_EQ(codec::decodeChar(0xB1), U'\uFF71');
    EXPECT_TRUE(codec::toUtf8("\xB1\x82\xA0\x95\x5C").valid);
}

TEST(CodecDecode, InvalidInputBecomesReplacementCharacters)
{
    struct Case
    {
        SjisString in;
        std::u16string out;
    };
    const Case cases[] = {
        {"a\x82", u"a\uFFFD"}, // lead byte at the end
        {"\x82\n"
         "b",
         u"\uFFFD\nb"},                          // bad trail byte: the line break survives
        {"\x82\x7F", u"\uFFFD\x7F"},             // 0x7F is never a trail byte
        {"\x85\x40", u"\uFFFD"},                 // well-formed pair that CP932 leaves unassigned
        {"\x80\xA0\xFF", u"\uFFFD\uFFFD\uFFFD"}, // single bytes CP932 does not assign
        {std::string("\0x", 2), std::u16string(u"\0x", 2)},
    };
    for (const Case& c : cases) {
        const auto decoded = codec::toUtf16(c.in);
        EXPECT_EQ(decoded.text, c.out) << c.in;
        EXPECT_EQ(decoded.valid, c.in[0] == '\0') << c.in;
    }
    EXPECT_EQ(codec::decodeChar(0x82), codec::kReplacementChar);
    EXPECT_EQ(codec::decodeChar(0x82, 0x20), codec::kReplacementChar);
    EXPECT_EQ(codec::decodeChar('A', 0x40), codec::kReplacementChar);
}

TEST(CodecEncode, AcceptsBothWaveDashForms)
{
    EXPECT_EQ(codec::fromUtf8("\xE3\x80\x9C").text, "\x81\x60"); // U+301C
    EXPECT_EQ(codec::fromUtf8("\xEF\xBD\x9E").text, "\x81\x60"); // U+FF5E
    EXPECT_EQ(codec::fromUtf16(u"\u2212\u00AC").text, "\x81\x7C\x81\xCA");
    EXPECT_TRUE(codec::fromUtf8("a\\b表ｱ").complete());
    EXPECT_EQ(codec::fromUtf8("a\\b表ｱ").text, "a\\b\x95\x5C\xB1");
}

TEST(CodecEncode, ReportsWhatCp932CannotHoldAndWritesGetaMark)
{
    // U+00E9 (é) and U+1F600 (an emoji, a surrogate pair in UTF-16) have no CP932 code.
    const auto fromUtf8 = codec::fromUtf8("x\xC3\xA9y\xF0\x9F\x98\x80");
    EXPECT_EQ(fromUtf8.text, "x\x81\xACy\x81\xAC");
    EXPECT_EQ(fromUtf8.unrepresentable, (std::vector<char32_t>{0xE9, 0x1F600}));

    const auto fromUtf16 = codec::fromUtf16(u"\U0001F600\xD800z");
    EXPECT_EQ(fromUtf16.text, "\x81\xAC\x81\xAC"
                              "z");
    EXPECT_EQ(fromUtf16.unrepresentable, (std::vector<char32_t>{0x1F600, 0xFFFD}));
}

TEST(CodecEncode, MalformedUtf8IsReportedNotPassedThrough)
{
    // Over-long "/" (0xC0 0xAF) must not come out as a "/"; a cut-off sequence and an encoded
    // surrogate are refused the same way.
    for (const std::string bad : {"\xC0\xAF", "\xE3\x81", "\xED\xA0\x80", "\xFF"}) {
        const auto encoded = codec::fromUtf8(bad);
        EXPECT_FALSE(encoded.complete()) << bad;
        EXPECT_EQ(encoded.text.find('/'), std::string::npos);
    }
}

TEST(CodecRoundTrip, EveryAssignedCharacterSurvivesEncodeAndDecode)
{
    // Codes that CP932 assigns twice (NEC and IBM rows) may come back as the other code, but
    // always as the same character.
    int assigned = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const char32_t cp = codec::decodeChar(static_cast<unsigned char>(lead),
                                                  static_cast<unsigned char>(trail));
            if (cp == codec::kReplacementChar)
                continue;
            ++assigned;
            std::string utf8;
            codec::appendUtf8(utf8, cp);
            const auto encoded = codec::fromUtf8(utf8);
            ASSERT_TRUE(encoded.complete()) << std::hex << lead << trail;
            ASSERT_EQ(encoded.text.size(), 2u) << std::hex << lead << trail;
            EXPECT_EQ(codec::decodeChar(static_cast<unsigned char>(encoded.text[0]),
                                        static_cast<unsigned char>(encoded.text[1])),
                      cp);
        }
    }
    // JIS X 0208 with the NEC, IBM and user-defined rows: well over 9000 characters.
    EXPECT_GT(assigned, 9000);
}

TEST(CodecEncode, EveryCodePointEncodesAsIconvDoes)
{
    // The encode table is built from the decoding tables and asks iconv only where a character
    // has several codes or none of its own; here iconv answers for every code point.
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (unsigned cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        const char16_t unit = static_cast<char16_t>(cp);
        char in[2] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8)};
        char out[8];
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 2, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1);
        const codec::Encoded e = codec::fromUtf16(std::u16string_view(&unit, 1));
        if (ok)
            ASSERT_EQ(e.text, std::string(out, sizeof out - outLeft)) << std::hex << cp;
        else
            ASSERT_FALSE(e.complete()) << std::hex << cp;
    }
    iconv_close(cd);
}

TEST(CodecDecode, EveryPairDecodesAsIconvDoes)
{
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[8];
            char* inPtr = in;
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t inLeft = 2, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            const bool ok =
                iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
                sizeof out - outLeft == 2;
            const char32_t expected = ok ? char32_t(out[0] | out[1] << 8) : codec::kReplacementChar;
            ASSERT_EQ(codec::decodeChar(static_cast<unsigned char>(lead),
                                        static_cast<unsigned char>(trail)),
                      expected)
                << std::hex << lead << ' ' << trail;
        }
    }
    iconv_close(cd);
}
