#include "model/DataFile.h"

#include "ProjectFileSupport.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace corvane::test {
namespace {

std::uint32_t bigEndianAt(const std::string& b, std::size_t at)
{
    return (std::uint32_t(std::uint8_t(b[at])) << 24) |
           (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

std::int32_t littleEndianAt(const std::string& b, std::size_t at)
{
    std::int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

void setBigEndian(std::string& b, std::size_t at, std::uint32_t v)
{
    b[at] = char(v >> 24);
    b[at + 1] = char(v >> 16);
    b[at + 2] = char(v >> 8);
    b[at + 3] = char(v);
}

class DataFileTest : public ::testing::Test
{
protected:
    std::unique_ptr<ProjectData> project = std::make_unique<ProjectData>();
    std::unique_ptr<ProjectData> staging = std::make_unique<ProjectData>();
    ScriptedMessages messages;
};

TEST_F(DataFileTest, EmptyProjectIs2090BytesWithMagicBlocksAndZeroCounts)
{
    const std::string bytes = encodeDataFile(*project);
    ASSERT_EQ(bytes.size(), 2090u);
    EXPECT_EQ(bytes.substr(0, 10), "CVN001    ");
    EXPECT_EQ(bytes.substr(10, 10), std::string("Meiryo UI\0", 10)); // text view font name
    EXPECT_EQ(std::uint8_t(bytes[10 + 32]), 11);                     // font size
    EXPECT_EQ(littleEndianAt(bytes, 10 + 1132), -1);                 // bookmark 1 not set
    float zoom;
    std::memcpy(&zoom, bytes.data() + 2010 + 12, 4);
    EXPECT_EQ(zoom, 1.0f);
    EXPECT_EQ(std::uint8_t(bytes[2010 + 30]), 1500 & 0xFF); // chart width, little-endian
    EXPECT_EQ(bytes.substr(2082), std::string(8, '\0'));
}

TEST_F(DataFileTest, TinyProjectGoldenOffsets)
{
    ObjectRecord& marker = addObject(*project, 7, ObjectType::Marker, "A\\doc1", "text");
    marker.position = 0x01020304;
    marker.length = 5;
    marker.markerColour = 0x00BF8F6F;
    marker.nodeRect[0] = 10;
    marker.lineStyle = 3;
    addObject(*project, 9, ObjectType::SubSubject, "", "title");
    addLink(*project, 7, 9);

    const std::string b = encodeDataFile(*project);
    ASSERT_EQ(b.size(), 2090u + 2 * 580 + 8);
    EXPECT_EQ(b.substr(2082, 4), std::string("\0\0\0\2", 4)); // object count, big-endian
    // First object record at 2086.
    EXPECT_EQ(littleEndianAt(b, 2086), 7);
    EXPECT_EQ(b[2086 + 4], 2);
    EXPECT_EQ(b.substr(2086 + 6, 7), std::string("A\\doc1\0", 7));
    EXPECT_EQ(littleEndianAt(b, 2086 + 268), 0x01020304);
    EXPECT_EQ(b.substr(2086 + 268, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(littleEndianAt(b, 2086 + 272), 5);
    EXPECT_EQ(b.substr(2086 + 276, 4), std::string("\x6f\x8f\xbf\0", 4));
    EXPECT_EQ(b.substr(2086 + 381, 5), std::string("text\0", 5));
    EXPECT_EQ(littleEndianAt(b, 2086 + 484), 10);
    EXPECT_EQ(b[2086 + 578], 3);
    // Second record at 2666, link count at 2086 + 2 * 580 = 3246, link at 3250.
    EXPECT_EQ(littleEndianAt(b, 2666), 9);
    EXPECT_EQ(b.substr(2666 + 381, 6), std::string("title\0", 6));
    EXPECT_EQ(bigEndianAt(b, 3246), 1u);
    EXPECT_EQ(littleEndianAt(b, 3250), 7);
    EXPECT_EQ(littleEndianAt(b, 3254), 9);
}

TEST_F(DataFileTest, OneObjectCountIsStoredBigEndian)
{
    addObject(*project, 1, ObjectType::SubSubject);
    const std::string b = encodeDataFile(*project);
    EXPECT_EQ(b.substr(2082, 4), std::string("\0\0\0\1", 4));
}

TEST_F(DataFileTest, DecodeRoundTripKeepsPaddingReservedAndBytesAfterTerminators)
{
    ObjectRecord& r = addObject(*project, 3, ObjectType::Marker, "d", "ab");
    r.pad1[0] = 'P';
    r.pad2[1] = 'Q';
    r.pad3[0] = 'R';
    r.secondText[5] = 'z'; // after the terminating zero
    project->textView.reserved = 0x11223344;
    project->textView.pad3[1] = 'T';
    project->chartView.reserved = -5;
    project->chartView.reservedTail[11] = 0xEE;
    addLink(*project, 3, 3);

    const std::string bytes = encodeDataFile(*project);
    ASSERT_TRUE(decodeDataFile(bytes, *staging, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(encodeDataFile(*staging), bytes);
}

struct MagicCase
{
    const char* magic;
    int message; ///< 0: accepted
};

class DataFileMagicTest : public DataFileTest, public ::testing::WithParamInterface<MagicCase>
{
};

TEST_P(DataFileMagicTest, MagicAndVersion)
{
    std::string bytes = encodeDataFile(*project);
    std::memcpy(bytes.data(), GetParam().magic, 10);
    EXPECT_EQ(decodeDataFile(bytes, *staging, messages), GetParam().message == 0);
    if (GetParam().message == 0) {
        EXPECT_TRUE(messages.shown.empty());
    } else {
        ASSERT_EQ(messages.numbers(), std::vector<int>{GetParam().message});
        EXPECT_EQ(messages.shown[0].style.icon, MessageIcon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Magic, DataFileMagicTest,
    ::testing::Values(MagicCase{"CVN001    ", 0}, MagicCase{"CVN001\xff\0ab", 0},
                      MagicCase{"CVN002    ", 30020}, MagicCase{"CVN100    ", 30020},
                      MagicCase{"XYZ001    ", 30019}, MagicCase{"cvn001    ", 30019}));

TEST_F(DataFileTest, CountLimits)
{
    // 5000 objects and 5000 links are the limit and load; one more of either is refused.
    for (int i = 0; i < kMaxObjects; ++i)
        addObject(*project, i + 1, ObjectType::SubSubject);
    for (int i = 0; i < kMaxLinks; ++i)
        addLink(*project, 1, 2);
    const std::string full = encodeDataFile(*project);
    ASSERT_EQ(full.size(), kMaxDataFileBytes);
    ASSERT_TRUE(decodeDataFile(full, *staging, messages));
    EXPECT_EQ(staging->objectCount, 5000);
    EXPECT_EQ(staging->linkCount, 5000);

    // 5001 objects: the count field says so and the records are there.
    std::string tooManyObjects = full.substr(0, 2086 + 580 * 5000);
    tooManyObjects.append(full.substr(2086, 580));
    tooManyObjects.append(std::string(4, '\0'));
    setBigEndian(tooManyObjects, 2082, 5001);
    EXPECT_FALSE(decodeDataFile(tooManyObjects, *staging, messages));
    ASSERT_EQ(messages.numbers(), std::vector<int>{30043});
    EXPECT_EQ(messages.shown[0].textUtf8.rfind("5001 > 5000\n\xe3\x82\xaa", 0), 0u)
        << messages.shown[0].textUtf8;

    messages.shown.clear();
    std::string tooManyLinks = full + std::string(8, '\0');
    setBigEndian(tooManyLinks, 2086 + 580 * 5000, 5001);
    EXPECT_FALSE(decodeDataFile(tooManyLinks, *staging, messages));
    ASSERT_EQ(messages.numbers(), std::vector<int>{30043});
    EXPECT_EQ(messages.shown[0].textUtf8.rfind("5001 > 5000\n\xe3\x83\xaa", 0), 0u)
        << messages.shown[0].textUtf8;

    // A count far beyond the limit is shown as the unsigned number it is.
    messages.shown.clear();
    std::string huge = encodeDataFile(ProjectData());
    setBigEndian(huge, 2082, 0xFFFFFFFF);
    EXPECT_FALSE(decodeDataFile(huge, *staging, messages));
    EXPECT_EQ(messages.shown.at(0).textUtf8.rfind("4294967295 > 5000\n", 0), 0u);
}

TEST_F(DataFileTest, ShortFilesAreRefusedAtEveryBoundary)
{
    addObject(*project, 1, ObjectType::SubSubject);
    addObject(*project, 2, ObjectType::Marker);
    addLink(*project, 1, 2);
    const std::string full = encodeDataFile(*project);
    // Cuts inside the settings, inside each count, inside each record and inside the link.
    for (std::size_t size :
         {std::size_t(10), std::size_t(2081), std::size_t(2085), std::size_t(2086 + 579),
          std::size_t(2086 + 580 * 2 + 3), full.size() - 1}) {
        messages.shown.clear();
        EXPECT_FALSE(decodeDataFile(full.substr(0, size), *staging, messages)) << size;
        EXPECT_EQ(messages.numbers(), std::vector<int>{30027}) << size;
    }
    // Too short even for the magic: judged by what there is.
    messages.shown.clear();
    EXPECT_FALSE(decodeDataFile("CVN", *staging, messages));
    EXPECT_EQ(messages.numbers(), std::vector<int>{30027});
    messages.shown.clear();
    EXPECT_FALSE(decodeDataFile("PK", *staging, messages));
    EXPECT_EQ(messages.numbers(), std::vector<int>{30019});
    messages.shown.clear();
    EXPECT_FALSE(decodeDataFile("", *staging, messages));
    EXPECT_EQ(messages.numbers(), std::vector<int>{30027});
}

TEST_F(DataFileTest, UnterminatedTextFieldsAreCutInsideTheirField)
{
    ObjectRecord& r = addObject(*project, 1, ObjectType::Marker);
    std::memset(r.document, 'd', sizeof r.document);
    std::memset(r.firstText, 'f', sizeof r.firstText);
    // Second text: 99 ASCII bytes, then a lead byte whose character would cross the field end.
    std::memset(r.secondText, 'a', sizeof r.secondText);
    r.secondText[99] = '\x82';
    r.secondText[100] = '\xa0';
    std::memset(r.fontName, 'n', sizeof r.fontName);
    std::memset(project->textView.fontName, 'F', sizeof project->textView.fontName);
    std::memset(project->textView.bookmarkSample[3], 's',
                sizeof project->textView.bookmarkSample[3]);

    ASSERT_TRUE(decodeDataFile(encodeDataFile(*project), *staging, messages));
    const ObjectRecord& got = staging->objects[0];
    EXPECT_EQ(std::strlen(got.document), sizeof got.document - 1);
    EXPECT_EQ(std::strlen(got.firstText), sizeof got.firstText - 1);
    EXPECT_EQ(std::string(got.secondText), std::string(99, 'a')); // the split character dropped
    EXPECT_EQ(std::strlen(got.fontName), sizeof got.fontName - 1);
    EXPECT_EQ(std::strlen(staging->textView.fontName), sizeof staging->textView.fontName - 1);
    EXPECT_EQ(std::strlen(staging->textView.bookmarkSample[3]), 200u);
}

} // namespace
} // namespace corvane::test
