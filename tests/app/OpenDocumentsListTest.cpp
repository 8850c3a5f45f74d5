#include "app/OpenDocumentsList.h"

#include "TempHome.h"
#include "model/ProjectData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using test::readFile;
using test::writeFile;
using Paths = std::vector<std::string>;

// "表" (U+8868) is 0x95 0x5C in Shift-JIS: its trail byte is the Windows path separator.
const std::string kHyoUtf8 = "\xE8\xA1\xA8";
const std::string kHyoSjis = "\x95\x5c";

class OpenDocumentsListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.folder = home.root() + "/Proj/";
        data.name = "Proj";
        std::filesystem::create_directories(data.docFolder());
    }

    std::string document(const std::string& relativeUtf8)
    {
        const std::string path = data.docFolder() + relativeUtf8;
        writeFile(path, "text\r\n");
        return path;
    }

    Paths readList(const std::string& bytes)
    {
        writeFile(opn::listPath(data), bytes);
        Paths opened;
        opn::read(data, [&](const std::string& p) {
            opened.push_back(p);
            return true;
        });
        return opened;
    }

    test::TempHome home;
    ProjectData data;
};

TEST_F(OpenDocumentsListTest, WritesShiftJisLinesWithCrLfAndReadsThemBack)
{
    const std::string a = document(kHyoUtf8 + "/a");
    const std::string b = document("b");
    data.openDocuments = {a, b};
    ASSERT_TRUE(opn::write(data));

    const std::string folderSjis = home.root() + "/Proj/doc/";
    EXPECT_EQ(readFile(opn::listPath(data)),
              folderSjis + kHyoSjis + "/a\r\n" + folderSjis + "b\r\n");
    EXPECT_EQ(readList(readFile(opn::listPath(data))), (Paths{a, b}));
}

TEST_F(OpenDocumentsListTest, WritingWithNoOpenDocumentRemovesTheList)
{
    writeFile(opn::listPath(data), "old\r\n");
    ASSERT_TRUE(opn::write(data));
    EXPECT_FALSE(std::filesystem::exists(opn::listPath(data)));
    EXPECT_EQ(opn::read(data, [](const std::string&) { return true; }), 0);
}

TEST_F(OpenDocumentsListTest, SkipsDocumentsThatAreGoneAndStopsWhereTheViewRefuses)
{
    const std::string a = document("a");
    const std::string c = document("c");
    const std::string dir = data.docFolder();
    // The document of line 2 was deleted: c is reopened all the same, and the gone one is named.
    writeFile(opn::listPath(data), dir + "a\r\n" + dir + "gone\r\n\r\n" + dir + "c\r\n");
    Paths opened, missing;
    EXPECT_EQ(opn::read(
                  data,
                  [&](const std::string& p) {
                      opened.push_back(p);
                      return true;
                  },
                  &missing),
              2);
    EXPECT_EQ(opened, (Paths{a, c}));
    EXPECT_EQ(missing, (Paths{dir + "gone"}));

    // The text view refusing a document (say, 20 already open) ends the list: it said why.
    writeFile(opn::listPath(data), dir + "a\r\n" + dir + "c\r\n");
    Paths asked;
    const int count = opn::read(data, [&](const std::string& p) {
        asked.push_back(p);
        return false;
    });
    EXPECT_EQ(count, 0);
    EXPECT_EQ(asked, (Paths{a}));
}

TEST_F(OpenDocumentsListTest, AcceptsLfOnlyAndAMissingFinalLineBreak)
{
    const std::string a = document("a");
    const std::string c = document("c");
    EXPECT_EQ(readList(a + "\n" + c), (Paths{a, c}));
}

TEST_F(OpenDocumentsListTest, AListWrittenOnWindowsFindsTheDocumentsInThisDocFolder)
{
    const std::string a = document(kHyoUtf8 + "/sub/a");
    const std::string b = document("b");
    const std::string list = "C:\\Users\\k\\" + kHyoSjis + "\\Proj\\doc\\" + kHyoSjis +
                             "\\sub\\a\r\n" + "D:\\Old\\Proj\\DOC\\b\r\n";
    EXPECT_EQ(readList(list), (Paths{a, b}));
}

TEST_F(OpenDocumentsListTest, AMovedProjectFindsItsDocumentsUnderTheLastDocFolder)
{
    const std::string a = document("x/a");
    // The old location itself had a "doc" in it; the last one is the project's.
    EXPECT_EQ(readList("/home/k/doc/Old/doc/x/a\r\n"), (Paths{a}));
    // Documents inside a folder named doc: the earlier component gives the existing document.
    const std::string deep = document("doc/y");
    EXPECT_EQ(readList("/old/Proj/doc/doc/y\r\n"), (Paths{deep}));
}

TEST_F(OpenDocumentsListTest, ATrailByteBackslashIsNoSeparator)
{
    document("x");
    // "ソdoc" (ソ = 0x83 0x5C) is one folder name, not "\doc\": the line names no document.
    EXPECT_TRUE(readList("C:\\P\\\x83\x5c"
                         "doc\\x\r\n")
                    .empty());
}

TEST_F(OpenDocumentsListTest, NamesNothingOutsideTheDocFolder)
{
    writeFile(home.root() + "/Proj/secret", "s");
    writeFile(home.root() + "/outside", "s");
    document("a");
    EXPECT_TRUE(readList(home.root() + "/outside\r\n").empty());
    EXPECT_TRUE(readList("/x/doc/../secret\r\n").empty());
    EXPECT_TRUE(readList("C:\\x\\doc\\..\\secret\r\n").empty());
    EXPECT_TRUE(readList(data.docFolder() + "../secret\r\n").empty());
}

TEST_F(OpenDocumentsListTest, InvalidShiftJisInALineDoesNoHarm)
{
    const std::string a = document("a");
    EXPECT_EQ(readList(a + "\r\n\x81\r\n" + a + "\r\n"), (Paths{a}));
}

} // namespace
} // namespace corvane
