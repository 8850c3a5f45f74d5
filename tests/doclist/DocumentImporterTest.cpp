#include "doclist/DocumentImporter.h"
#include "DocxBuilder.h"
#include "TempDir.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace corvane;
using namespace corvane::doclist;

namespace {

bool isReadOnly(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

class ImportTest : public ::testing::Test
{
protected:
    test::TempDir src{"import_src"};
    test::TempDir doc{"import_doc"};
    test::ScriptedMessages messages;
    WordConversion noConverters{[](const std::string&) { return std::string(); }};
    DocumentImporter importer{messages, noConverters};

    std::vector<ImportResult> run(const std::vector<std::string>& sources, bool forceOther = false)
    {
        return importer.importFiles(doc.path(), sources, forceOther);
    }
};

} // namespace

TEST_F(ImportTest, PlainTextIsNormalisedExpandedAndMadeReadOnly)
{
    const auto r = run({src.write("memo.TXT", "x\ry\nz\n\rw\ta\r\n")});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(r[0].added());
    EXPECT_EQ(r[0].documentName, "memo");
    EXPECT_EQ(test::TempDir::read(doc / "memo"), "x\r\ny\r\nz\r\nw    a");
    EXPECT_TRUE(isReadOnly(doc / "memo"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ImportTest, OtherFilesMustPassTheTextCheck)
{
    const auto r = run(
        {src.write("README", "\nonly text\n"), src.write("blob.bin", std::string("ab\0cd", 5))});
    EXPECT_TRUE(r[0].added());
    EXPECT_EQ(test::TempDir::read(doc / "README"), "\r\nonly text");
    EXPECT_EQ(r[1].number, 30033);
    EXPECT_FALSE(std::filesystem::exists(doc / "blob"));
    ASSERT_EQ(messages.numbers(), std::vector<int>{30033});
    EXPECT_EQ(messages.shown[0].textUtf8.rfind("blob.bin\n", 0), 0u); // the file is named first
}

TEST_F(ImportTest, NameClashSkipsAndLeavesTheExistingDocumentUntouched)
{
    doc.write("a", "original");
    const auto r = run({src.write("a.txt", "new"), src.write("b.txt", "b")});
    EXPECT_EQ(r[0].number, 30067);
    EXPECT_EQ(test::TempDir::read(doc / "a"), "original");
    EXPECT_TRUE(r[1].added()); // the next file is still imported
}

TEST_F(ImportTest, Utf8AndUtf16SourcesBecomeShiftJis)
{
    // "あ\tい" in UTF-8; a UTF-16LE file of unknown kind holds NUL bytes, yet its Shift-JIS form
    // passes the text check.
    const auto r = run({src.write("u8.txt", "\xe3\x81\x82\t\xe3\x81\x84\n"),
                        src.write("u16.dat", std::string("\xFF\xFE\x42\x30\x0a\x00", 6))});
    ASSERT_TRUE(r[0].added());
    ASSERT_TRUE(r[1].added());
    EXPECT_EQ(test::TempDir::read(doc / "u8"), "\x82\xa0    \x82\xa2");
    EXPECT_EQ(test::TempDir::read(doc / "u16"), "\x82\xa0");
}

TEST_F(ImportTest, TextNamedFilesHoldingNulAreUtf16OrMustPassTheTextCheck)
{
    // "aあ\r\n" in UTF-16 without a byte-order mark, both byte orders, and a binary file that
    // merely carries a text name.
    const auto r = run({src.write("le.txt", std::string("a\0\x42\x30\r\0\n\0", 8)),
                        src.write("be.csv", std::string("\0a\x30\x42\0\r\0\n", 8)),
                        src.write("blob.txt", std::string("\x7f"
                                                          "ELF\x02\x01\x01\0\0\0",
                                                          10))});
    ASSERT_TRUE(r[0].added());
    ASSERT_TRUE(r[1].added());
    EXPECT_EQ(test::TempDir::read(doc / "le"), "a\x82\xa0");
    EXPECT_EQ(test::TempDir::read(doc / "be"), "a\x82\xa0");
    EXPECT_EQ(r[2].number, 30033);
    EXPECT_FALSE(std::filesystem::exists(doc / "blob"));
    EXPECT_EQ(messages.numbers(), std::vector<int>{30033});
}

TEST_F(ImportTest, CharactersShiftJisCannotHoldAreCountedAndReported)
{
    // Two emoji and a Korean syllable become "〓"; the plain file beside it reports nothing.
    const auto r = run({src.write("mixed.txt", "a\xf0\x9f\x98\x80\xf0\x9f\x98\x80\xea\xb0\x80"),
                        src.write("plain.txt", "\xe3\x81\x82")});
    ASSERT_TRUE(r[0].added());
    EXPECT_EQ(r[0].replacedCharacters, 3u);
    EXPECT_EQ(r[1].replacedCharacters, 0u);
    ASSERT_EQ(messages.numbers(), std::vector<int>{39003});
    EXPECT_EQ(messages.shown[0].style.icon, MessageIcon::Information);
    EXPECT_EQ(messages.shown[0].textUtf8.rfind("mixed.txt\n", 0), 0u);
    EXPECT_NE(messages.shown[0].textUtf8.find("3"), std::string::npos);
}

TEST_F(ImportTest, ShiftJisSourceIsCopiedByteForByte)
{
    const std::string sjis = "\x95\x5c\x8e\xa6\r\n\x83\x5c\x83\x7c";
    ASSERT_TRUE(run({src.write("s.txt", sjis)})[0].added());
    EXPECT_EQ(test::TempDir::read(doc / "s"), sjis);
}

TEST_F(ImportTest, WordDocuments)
{
    const std::string docx = src / "paper.docx";
    ASSERT_TRUE(test::writeDocx(
        docx, test::docxDocumentXml("<w:p><w:r><w:t>\xe6\x96\x87</w:t><w:tab/><w:t>b</w:t></w:r>"
                                    "</w:p><w:p><w:r><w:t>c</w:t></w:r></w:p>")));
    const auto r = run({docx, src.write("legacy.doc", "\xd0\xcf\x11\xe0 binary")});
    ASSERT_TRUE(r[0].added());
    EXPECT_EQ(test::TempDir::read(doc / "paper"), "\x95\xb6    b\r\nc");
    // No converter for the legacy format on this machine.
    EXPECT_EQ(r[1].number, 30075);
    EXPECT_FALSE(std::filesystem::exists(doc / "legacy"));
}

TEST_F(ImportTest, NamesTheRecordsCannotHoldAreRefused)
{
    const auto r = run({src.write("\xf0\x9f\x98\x80.txt", "x"), src.write("a:b.txt", "x"),
                        src.write(".txt", "x")});
    EXPECT_EQ(r[0].number, 30053);
    EXPECT_EQ(r[1].number, 30053);
    EXPECT_EQ(r[2].number, 30045);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(doc.path()), {}), 0);
}

TEST_F(ImportTest, ClipboardTextIsImportedAsOtherKind)
{
    // An odd number of bytes cannot be UTF-16, so the NUL stays and fails the check.
    const auto r = run({src.write("note.txt", std::string("a\0b", 3))}, true);
    EXPECT_EQ(r[0].number, 30033);
    const auto ok = run({src.write("\xe7\x84\xa1\xe9\xa1\x8c", "clip\ttext\n")}, true); // 無題
    ASSERT_TRUE(ok[0].added());
    EXPECT_EQ(ok[0].documentName, "\x96\xb3\x91\xe8");
    EXPECT_EQ(test::TempDir::read(doc / "\xe7\x84\xa1\xe9\xa1\x8c"), "clip    text");
}

TEST_F(ImportTest, MissingSourceAndFolderSource)
{
    const auto r = run({src / "nothere.txt", src.path()});
    EXPECT_EQ(r[0].number, 30026);
    EXPECT_EQ(r[1].number, 30026);
}
