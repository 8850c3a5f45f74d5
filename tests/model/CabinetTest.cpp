#include "model/Cabinet.h"

#include "ProjectFileSupport.h"
#include "model/DataFile.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <utime.h>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

std::uint32_t le32(const std::string& b, std::size_t at)
{
    return std::uint32_t(std::uint8_t(b[at])) | (std::uint32_t(std::uint8_t(b[at + 1])) << 8) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 3])) << 24);
}
void putLe32(std::string& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = char(v >> (8 * i));
}

/// Sample data: a data file with enough varied content for several MS-ZIP blocks.
std::string sampleData(std::size_t bytes)
{
    std::string s;
    std::mt19937 rng(42);
    while (s.size() < bytes)
        s += "CVN001 \x82\xa0\x82\xa2 marker " + std::to_string(rng() % 1000) + '\0';
    s.resize(bytes);
    return s;
}

std::string packed(std::string_view data, const std::string& name = "Case1.CVN")
{
    std::string cab;
    EXPECT_TRUE(packCabinetBytes(data, name, (45 << 9) | (3 << 5) | 14, (10 << 11) | (20 << 5) | 15,
                                 0x20, cab));
    return cab;
}

/// Offsets of the checksum field of every data block of a cabinet with one folder and no reserve.
std::vector<std::size_t> blockOffsets(const std::string& cab)
{
    std::vector<std::size_t> out;
    std::size_t block = le32(cab, 36);
    const std::size_t count = std::uint8_t(cab[40]) | (std::uint8_t(cab[41]) << 8);
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(block);
        block += 8 + (std::uint8_t(cab[block + 4]) | (std::uint8_t(cab[block + 5]) << 8));
    }
    return out;
}

/// Offset of the member name of the single file entry.
std::size_t nameOffset(const std::string& cab)
{
    return le32(cab, 16) + 16;
}

TEST(CabinetBytes, RoundTripKeepsBytesNameDateAndAttributes)
{
    const std::string data = sampleData(100000);
    const std::string cab = packed(data);
    EXPECT_EQ(cab.substr(0, 4), "MSCF");
    EXPECT_GT(blockOffsets(cab).size(), 1u);
    std::string out;
    CabinetMember member;
    ASSERT_EQ(extractCabinetBytes(cab, out, member), CabinetError::None);
    EXPECT_EQ(out, data);
    EXPECT_EQ(member.name, "Case1.CVN");
    EXPECT_EQ(member.byteSize, data.size());
    EXPECT_EQ(member.dosDate, (45 << 9) | (3 << 5) | 14);
    EXPECT_EQ(member.dosTime, (10 << 11) | (20 << 5) | 15);
    EXPECT_EQ(member.attributes, 0x20);
}

TEST(CabinetBytes, EmptyDataFileRoundTrips)
{
    std::string out = "x";
    CabinetMember member;
    ASSERT_EQ(extractCabinetBytes(packed(""), out, member), CabinetError::None);
    EXPECT_EQ(out, "");
}

TEST(CabinetBytes, ChecksumZeroMeansNoChecksumButAWrongOneIsRefused)
{
    const std::string data = sampleData(70000);
    const std::string cab = packed(data);
    std::string unchecked = cab;
    for (std::size_t at : blockOffsets(cab)) {
        ASSERT_NE(le32(cab, at), 0u) << "the library writes checksums";
        putLe32(unchecked, at, 0);
    }
    std::string out;
    CabinetMember member;
    ASSERT_EQ(extractCabinetBytes(unchecked, out, member), CabinetError::None);
    EXPECT_EQ(out, data);

    std::string wrong = cab;
    const std::size_t last = blockOffsets(cab).back();
    putLe32(wrong, last, le32(cab, last) ^ 0x100);
    EXPECT_EQ(extractCabinetBytes(wrong, out, member), CabinetError::BadChecksum);

    // Damaged compressed data behind a zero checksum is caught by the expansion, not a crash.
    std::string damaged = unchecked;
    damaged[blockOffsets(cab)[0] + 8 + 40] ^= 0x5A;
    EXPECT_NE(extractCabinetBytes(damaged, out, member), CabinetError::None);
}

TEST(CabinetBytes, HostileMemberNamesAreRefused)
{
    const std::string cab = packed("data", "XXXXXX");
    const std::size_t at = nameOffset(cab);
    for (const char* hostile :
         {"../x\0\0", "/tmp/x", "a\\b\0\0\0", "C:x\0\0\0", "..\0\0\0\0", "sub/x\0",
          // A lead byte does not hide a "/" after it; a malformed Shift-JIS name is not guessed at.
          "\x9f/x\0\0\0", "\x85 x\0\0\0"}) {
        std::string bad = cab;
        bad.replace(at, 6, hostile, 6);
        std::string out;
        CabinetMember member;
        EXPECT_EQ(extractCabinetBytes(bad, out, member), CabinetError::UnsafeName) << hostile;
    }
}

TEST(CabinetBytes, ShiftJisNameWithBackslashTrailByteIsAccepted)
{
    // "表.CVN": the trail byte of 表 is 0x5C, which is not a separator inside the character.
    const std::string cab = packed("data", "XX.CVN");
    std::string sjis = cab;
    sjis.replace(nameOffset(cab), 2, "\x95\x5c");
    std::string out;
    CabinetMember member;
    ASSERT_EQ(extractCabinetBytes(sjis, out, member), CabinetError::None);
    EXPECT_EQ(member.name, "\xe8\xa1\xa8.CVN");
    EXPECT_TRUE(isSafeMemberName("\x95\x5c.CVN", true));
    EXPECT_FALSE(isSafeMemberName("\x95\x5c.CVN", false));
}

TEST(CabinetBytes, OversizedMembersAreRefusedBeforeExpanding)
{
    const std::string cab = packed("data");
    const std::size_t entry = le32(cab, 16);
    std::string bad = cab;
    putLe32(bad, entry, std::uint32_t(kMaxDataFileBytes + 1));
    std::string out;
    CabinetMember member;
    EXPECT_EQ(extractCabinetBytes(bad, out, member), CabinetError::TooLarge);
    // A small member placed far into its folder would need a long expansion to reach.
    bad = cab;
    putLe32(bad, entry + 4, 0x7FFFFFFF);
    EXPECT_EQ(extractCabinetBytes(bad, out, member), CabinetError::TooLarge);
    EXPECT_EQ(extractCabinetBytes(std::string(kMaxCabinetBytes + 1, 'M'), out, member),
              CabinetError::TooLarge);
}

TEST(CabinetBytes, TruncatedAndForeignInputIsRefused)
{
    const std::string cab = packed(sampleData(5000));
    std::string out;
    CabinetMember member;
    for (std::size_t size : {std::size_t(0), std::size_t(4), std::size_t(36), std::size_t(60),
                             cab.size() / 2, cab.size() - 1})
        EXPECT_NE(extractCabinetBytes(cab.substr(0, size), out, member), CabinetError::None)
            << size;
    EXPECT_EQ(
        extractCabinetBytes("PK\3\4 not a cabinet at all, but long enough......", out, member),
        CabinetError::NotACabinet);
}

/// A cabinet whose coffFiles points at a decoy copy of its file entry appended at the end, while
/// the entry every reader takes (right after the folder table) stays where it was.
std::string withDecoyEntry(std::string cab, std::string_view decoyName)
{
    const std::size_t entry = le32(cab, 16);
    std::string decoy = cab.substr(entry, 16) + std::string(decoyName) + '\0';
    putLe32(cab, 16, std::uint32_t(cab.size()));
    cab += decoy;
    putLe32(cab, 8, std::uint32_t(cab.size()));
    return cab;
}

TEST(CabinetBytes, FileEntriesAnywhereButAfterTheFolderTableAreRefused)
{
    // The vetted entry would name the output while the library expands the other entry's bytes.
    const std::string normal = packed("normal text", "normal.txt");
    const std::string renamed = withDecoyEntry(normal, "hidden.txt");
    std::string out;
    CabinetMember member;
    EXPECT_EQ(extractCabinetBytes(renamed, out, member), CabinetError::NotACabinet);
    EXPECT_NE(member.name, "hidden.txt");

    // The decoy passes the size bounds while the real entry sits far into its folder, so the
    // expansion limit would be applied to the wrong entry.
    std::string far = withDecoyEntry(normal, "normal.txt");
    putLe32(far, le32(normal, 16) + 4, 0x7FFF0000);
    EXPECT_EQ(extractCabinetBytes(far, out, member), CabinetError::NotACabinet);

    // The same cabinets with coffFiles pointing at the real entry are read as before.
    std::string honest = renamed;
    putLe32(honest, 16, le32(normal, 16));
    ASSERT_EQ(extractCabinetBytes(honest, out, member), CabinetError::None);
    EXPECT_EQ(member.name, "normal.txt");
    EXPECT_EQ(out, "normal text");
}

class CabinetFileTest : public TempFolderTest
{
protected:
    ScriptedMessages messages;
    Cabinet cabinet{messages};
};

TEST_F(CabinetFileTest, PackUsesModificationTimeAsLocalDosTimeAndUnpackRestoresIt)
{
    const std::string dataPath = root + "/Case1.CVN";
    const std::string data = sampleData(3000);
    writeFileBytes(dataPath, data);
    const std::int64_t when = fromDosDateTime((44 << 9) | (7 << 5) | 9, (13 << 11) | (5 << 5) | 21);
    const struct utimbuf times
    {
        time_t(when), time_t(when)
    };
    ASSERT_EQ(::utime(dataPath.c_str(), &times), 0);
    ::chmod(dataPath.c_str(), 0444);

    ASSERT_TRUE(cabinet.pack(dataPath, "Case1.CVN", root + "/out.cab"));
    fs::create_directory(root + "/x");
    std::string member;
    ASSERT_TRUE(cabinet.unpack(root + "/out.cab", root + "/x", member));
    EXPECT_EQ(member, "Case1.CVN");
    EXPECT_EQ(readFileBytes(root + "/x/Case1.CVN"), data);
    struct stat st
    {
    };
    ASSERT_EQ(::stat((root + "/x/Case1.CVN").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, when);
    EXPECT_EQ(st.st_mode & 0222, 0u) << "a read-only member stays read-only";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CabinetFileTest, HostileMemberWritesNothingOutsideTheFolder)
{
    writeFileBytes(root + "/d", "data");
    ASSERT_TRUE(cabinet.pack(root + "/d", "XXXX", root + "/c.cab"));
    std::string cab = readFileBytes(root + "/c.cab");
    cab.replace(nameOffset(cab), 4, "../x");
    writeFileBytes(root + "/c.cab", cab);

    fs::create_directory(root + "/work");
    std::string member;
    EXPECT_FALSE(cabinet.unpack(root + "/c.cab", root + "/work", member));
    ASSERT_EQ(messages.numbers(), std::vector<int>{30036});
    EXPECT_EQ(messages.shown[0].textUtf8.rfind("[File Copy]\n", 0), 0u);
    EXPECT_EQ(messages.shown[0].style.icon, MessageIcon::Error);
    EXPECT_FALSE(fs::exists(root + "/x"));
    EXPECT_TRUE(fs::is_empty(root + "/work"));
}

TEST_F(CabinetFileTest, MissingCabinetFailsInTheCopyStep)
{
    std::string member;
    EXPECT_FALSE(cabinet.unpack(root + "/none.CVN", root, member));
    ASSERT_EQ(messages.numbers(), std::vector<int>{30036});
    EXPECT_EQ(messages.shown[0].textUtf8.rfind("[File Copy]\n", 0), 0u);
}

TEST_F(CabinetFileTest, PackFailureShowsAccessHintWithInformationIcon)
{
    writeFileBytes(root + "/d", "data");
    EXPECT_FALSE(cabinet.pack(root + "/d", "d", root + "/no/such/folder/c.cab"));
    ASSERT_EQ(messages.numbers(), std::vector<int>{30035});
    EXPECT_EQ(messages.shown[0].style.icon, MessageIcon::Information);
}

TEST_F(CabinetFileTest, CabextractReadsOurCabinet)
{
    if (!toolAvailable("cabextract"))
        GTEST_SKIP() << "cabextract is not installed; interop with it is not checked";
    const std::string data = sampleData(200000);
    writeFileBytes(root + "/Case1.CVN", data);
    ASSERT_TRUE(cabinet.pack(root + "/Case1.CVN", "Case1.CVN", root + "/p.cab"));
    fs::create_directory(root + "/ce");
    ASSERT_TRUE(runCommand("cabextract -q -d '" + root + "/ce' '" + root + "/p.cab'"));
    EXPECT_EQ(readFileBytes(root + "/ce/Case1.CVN"), data);
    // The listing shows the member with the data file's local modification time.
    struct stat st
    {
    };
    ::stat((root + "/Case1.CVN").c_str(), &st);
    char stamp[32];
    std::tm local{};
    localtime_r(&st.st_mtime, &local);
    local.tm_sec -= local.tm_sec % 2;
    std::strftime(stamp, sizeof stamp, "%d.%m.%Y %H:%M:%S", &local);
    ASSERT_TRUE(runCommand("cabextract -l '" + root + "/p.cab' > '" + root + "/list.txt'"));
    const std::string listing = readFileBytes(root + "/list.txt");
    EXPECT_NE(listing.find(std::string(stamp) + " | Case1.CVN"), std::string::npos) << listing;
    EXPECT_TRUE(runCommand("cabextract -t -q '" + root + "/p.cab'")) << "checksums verify";
}

TEST_F(CabinetFileTest, GcabReadsOurCabinetAndWeReadGcabs)
{
    if (!toolAvailable("gcab"))
        GTEST_SKIP() << "gcab is not installed; interop with it is not checked";
    const std::string data = sampleData(150000);
    writeFileBytes(root + "/Case1.CVN", data);
    ASSERT_TRUE(cabinet.pack(root + "/Case1.CVN", "Case1.CVN", root + "/ours.cab"));
    fs::create_directory(root + "/gx");
    ASSERT_TRUE(runCommand("gcab -x -C '" + root + "/gx' '" + root + "/ours.cab'"));
    EXPECT_EQ(readFileBytes(root + "/gx/Case1.CVN"), data);

    ASSERT_TRUE(runCommand("cd '" + root + "' && gcab -c -z -n theirs.cab Case1.CVN"));
    fs::create_directory(root + "/ux");
    std::string member;
    ASSERT_TRUE(cabinet.unpack(root + "/theirs.cab", root + "/ux", member));
    EXPECT_EQ(member, "Case1.CVN");
    EXPECT_EQ(readFileBytes(root + "/ux/Case1.CVN"), data);
}

} // namespace
} // namespace corvane::test
