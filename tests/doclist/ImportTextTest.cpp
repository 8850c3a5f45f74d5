#include "doclist/ImportText.h"
#include "doclist/ImportKind.h"

#include <gtest/gtest.h>

using namespace corvane::doclist;

TEST(TextCheck, AdmitsTextAndShiftJisRefusesControlBytes)
{
    EXPECT_TRUE(passesTextCheck("a\tb\r\nc\n\x82\xa0\xff"));
    EXPECT_TRUE(passesTextCheck(""));
    EXPECT_FALSE(passesTextCheck(std::string("ab\0c", 4)));
    for (char bad : {'\x01', '\x08', '\x0b', '\x0c', '\x0e', '\x1f'})
        EXPECT_FALSE(passesTextCheck(std::string("x") + bad)) << int(bad);
}

TEST(LineEnds, MixedEndsBecomeCrLf)
{
    EXPECT_EQ(normaliseLineEnds("x\ry\nz\n\rw"), "x\r\ny\r\nz\r\nw");
    EXPECT_EQ(normaliseLineEnds("\nabc"), "\r\nabc");
    EXPECT_EQ(normaliseLineEnds("a\r\nb\r\n"), "a\r\nb\r\n");
    // LF CR LF CR: the pairs are swapped left to right, not overlapping.
    EXPECT_EQ(normaliseLineEnds("a\n\r\n\rb"), "a\r\n\r\nb");
    EXPECT_EQ(normaliseLineEnds("a\r\r"), "a\r\n\r\n");
    EXPECT_EQ(normaliseLineEnds("a\n"), "a\r\n");
    EXPECT_EQ(normaliseLineEnds(""), "");
}

TEST(LineEnds, TwoByteCharactersPassUntouched)
{
    // 0x8D 0x0A is not a character, but a trail byte is never 0x0A or 0x0D in Shift-JIS, so a
    // byte-wise pass is safe; here a real character precedes the line end.
    EXPECT_EQ(normaliseLineEnds("\x82\xa0\n\x95\x5c"), "\x82\xa0\r\n\x95\x5c");
}

TEST(TabExpansion, FourSpacesAndFinalCrLfDropped)
{
    EXPECT_EQ(expandTabs("a\tb"), "a    b");
    EXPECT_EQ(expandTabs("abc\t\td\r\n"), "abc        d");
    EXPECT_EQ(expandTabs("a\r\n\r\n"), "a\r\n");
    EXPECT_EQ(expandTabs("\r\n"), "");
    EXPECT_EQ(expandTabs("a\n"), "a\n");
}

TEST(TabExpansion, LongLinesStayWhole)
{
    const std::string longLine(12000, 'x');
    EXPECT_EQ(expandTabs(longLine + "\t"), longLine + "    ");
}

TEST(ImportKind, ByExtensionCaseInsensitive)
{
    EXPECT_EQ(classifyImport("memo.TXT"), ImportKind::PlainText);
    EXPECT_EQ(classifyImport("a.csv"), ImportKind::PlainText);
    EXPECT_EQ(classifyImport("main.Cpp"), ImportKind::PlainText);
    EXPECT_EQ(classifyImport("x.c"), ImportKind::PlainText);
    EXPECT_EQ(classifyImport("paper.DOCX"), ImportKind::Word);
    EXPECT_EQ(classifyImport("old.doc"), ImportKind::Word);
    EXPECT_EQ(classifyImport("README"), ImportKind::Other);
    EXPECT_EQ(classifyImport("notes.md"), ImportKind::Other);
    EXPECT_EQ(classifyImport("a.txt.bak"), ImportKind::Other);
}

TEST(ImportKind, BaseNameDropsOnlyTheLastExtension)
{
    EXPECT_EQ(importBaseName("memo.TXT"), "memo");
    EXPECT_EQ(importBaseName("README"), "README");
    EXPECT_EQ(importBaseName("a.b.txt"), "a.b");
    EXPECT_EQ(importBaseName(".profile"), "");
}
