// The byte images of the records: the project file stores them raw, so a field that lands one byte
// off corrupts every project. The static_asserts check offsets; these tests check what a record
// written field by field actually holds, byte by byte.
#include "model/Records.h"
#include "model/FixedText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace corvane {
namespace {

template <typename T> std::string hexAt(const T& record, std::size_t offset, std::size_t n)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, i ? " %02x" : "%02x", bytes[offset + i]);
        out += buf;
    }
    return out;
}

struct Expect
{
    std::size_t offset;
    const char* hex;
};

TEST(RecordImage, ObjectRecordFieldsLandAtTheirOffsets)
{
    ObjectRecord r;
    std::memset(&r, 0xEE, sizeof r); // anything not written below stays visible as ee
    r.id = 0x11223344;
    r.type = ObjectType::Marker;
    setFixedText(r.document, "a\\b");
    r.position = 0x01020304;
    r.length = 5;
    r.markerColour = 0xC9AEFF;
    setFixedText(r.firstText, "c");
    setFixedText(r.secondText, "\x82\xa0");
    r.nodeRect[0] = 1;
    r.nodeRect[1] = 2;
    r.nodeRect[2] = 3;
    r.nodeRect[3] = -1;
    r.nodeSelected = 1;
    setFixedText(r.fontName, "F");
    r.fontSize = 11;
    r.bold = 1;
    r.italic = 2;
    r.textColour = 0xABCDEF;
    r.alignV = 2;
    r.alignH = 1;
    r.wordWrap = 1;
    r.marginLeft = 6;
    r.marginRight = 7;
    r.marginTop = 8;
    r.marginBottom = 9;
    r.background = 0x112233;
    r.lineColour = 0x445566;
    r.lineThickness = 20;
    r.lineStyle = 5;

    const Expect expected[] = {
        {0, "44 33 22 11"},
        {4, "02 00"},
        {6, "61 5c 62 00 00"},
        {264, "00 00 ee ee"},
        {268, "04 03 02 01"},
        {272, "05 00 00 00"},
        {276, "ff ae c9 00"},
        {280, "63 00 00"},
        {380, "00 82 a0 00"},
        {481, "00 ee ee"},
        {484, "01 00 00 00 02 00 00 00 03 00 00 00"},
        {496, "ff ff ff ff"},
        {500, "01 00 00 00"},
        {504, "46 00"},
        {535, "00 0b 00 ee ee"},
        {540, "01 00 00 00"},
        {544, "02 00 00 00"},
        {548, "ef cd ab 00"},
        {552, "02 00 01 00"},
        {556, "01 00 00 00"},
        {560, "06 00 07 00 08 00 09 00"},
        {568, "33 22 11 00"},
        {572, "66 55 44 00"},
        {576, "14 00 05 00"},
    };
    for (const Expect& e : expected) {
        const std::size_t n = (std::strlen(e.hex) + 1) / 3;
        EXPECT_EQ(hexAt(r, e.offset, n), e.hex) << "offset " << e.offset;
    }
}

TEST(RecordImage, LinkRecordIsFromThenTo)
{
    const LinkRecord l{0x0A0B0C0D, 7};
    EXPECT_EQ(hexAt(l, 0, 8), "0d 0c 0b 0a 07 00 00 00");
}

TEST(RecordImage, NewProjectSettingsImagesAndReservedFieldsKept)
{
    TextViewSettings t;
    std::memset(&t, 0xEE, sizeof t);
    applyNewProjectValues(t);
    EXPECT_EQ(hexAt(t, 0, 10), "4d 65 69 72 79 6f 20 55 49 00"); // "Meiryo UI"
    EXPECT_EQ(hexAt(t, 32, 2), "0b 00");
    EXPECT_EQ(hexAt(t, 68, 8), "00 40 80 00 f7 df ff 00");
    EXPECT_EQ(hexAt(t, 90, 1), "00");
    EXPECT_EQ(hexAt(t, 1132, 16), "ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff");
    EXPECT_EQ(hexAt(t, 1148, 1), "00");
    EXPECT_EQ(hexAt(t, 1952, 4), "50 00 18 00");
    EXPECT_EQ(hexAt(t, 1992, 4), "ff 00 80 00");
    EXPECT_EQ(hexAt(t, 1996, 4), "ee ee ee ee"); // reserved: left as it was

    ChartViewSettings c;
    std::memset(&c, 0xEE, sizeof c);
    applyNewProjectValues(c);
    EXPECT_EQ(hexAt(c, 0, 4), "ee ee ee ee");
    EXPECT_EQ(hexAt(c, 12, 4), "00 00 80 3f"); // 1.0f
    EXPECT_EQ(hexAt(c, 28, 6), "46 00 dc 05 dc 05");
    EXPECT_EQ(hexAt(c, 36, 4), "f7 df ff 00");
    EXPECT_EQ(hexAt(c, 56, 4), "01 00 00 00");
    EXPECT_EQ(hexAt(c, 60, 12), "ee ee ee ee ee ee ee ee ee ee ee ee");
}

TEST(FixedText, LongTextIsCutToTheFieldAtACharacterBoundary)
{
    char field[kObjectTextBytes];
    // 150 single-byte characters: the first 100 are kept.
    EXPECT_EQ(setFixedText(field, std::string(150, 'a')), 100u);
    EXPECT_EQ(fixedText(field), std::string(100, 'a'));
    EXPECT_EQ(field[100], '\0');

    // Bytes 99 and 100 form one two-byte character: it is left out whole, 99 bytes remain.
    std::string text = std::string(99, 'a');
    for (int i = 0; i < 25; ++i)
        text += "\x95\x5c"; // "表", whose trail byte is "\"
    ASSERT_EQ(text.size(), 149u);
    EXPECT_EQ(setFixedText(field, text), 99u);
    EXPECT_EQ(fixedText(field), std::string(99, 'a'));

    // One byte earlier, the character ends exactly at byte 100 and is kept.
    text = std::string(98, 'a') + "\x95\x5c" + std::string(50, 'b');
    EXPECT_EQ(setFixedText(field, text), 100u);
    EXPECT_EQ(fixedText(field).substr(98), "\x95\x5c");
}

TEST(FixedText, ShortTextZeroFillsTheRestAndReadingStopsAtTheFieldEnd)
{
    char field[8];
    std::memset(field, 'x', sizeof field);
    setFixedText(field, "ab");
    EXPECT_EQ(std::string(field, sizeof field), std::string("ab\0\0\0\0\0\0", 8));

    // A damaged field without a terminating zero is read up to its end, never beyond.
    struct
    {
        char field[4];
        char next[4];
    } damaged;
    std::memcpy(damaged.field, "abcd", 4);
    std::memcpy(damaged.next, "efg", 4);
    EXPECT_EQ(fixedText(damaged.field), "abcd");
}

} // namespace
} // namespace corvane
