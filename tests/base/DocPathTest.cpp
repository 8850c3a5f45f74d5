#include "base/DocPath.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {
const std::string kDocFolder = "/home/u/proj/doc/";
}

TEST(DocPathRelative, RefusesAnythingThatCouldLeaveTheDocFolder)
{
    const SjisString refused[] = {
        "",
        "\\etc\\x",     // absolute, Windows form
        "/etc/passwd",  // absolute, Unix form
        "C:\\x",        // drive letter
        "c:x",          // drive-relative
        "..\\..\\x",    // climbs out
        "a\\..\\..\\x", // climbs out from inside
        "..",
        ".",
        "a\\.\\b",
        "a\\\\b",    // empty component
        "a\\",       // names no document
        "a/../../x", // a Unix separator inside a Windows name
        "a/b",
        std::string("a\0b", 3), // NUL
        "a\x82",                // lead byte at the end
        "\x85\x40",             // not a CP932 character
    };
    for (const SjisString& path : refused) {
        EXPECT_FALSE(docpath::isSafeRelative(path)) << path;
        EXPECT_FALSE(docpath::toDiskPath(kDocFolder, path)) << path;
    }
}

TEST(DocPathRelative, TrailByte5CIsPartOfTheName)
{
    // 0x95 0x5C is "表": its second byte is not a separator, so this is one component.
    EXPECT_EQ(docpath::toDiskPath(kDocFolder, "\x95\x5C"), kDocFolder + "表");
    EXPECT_EQ(docpath::toDiskPath(kDocFolder, "\x95\x5C\\\x95\x5C"
                                              "a"),
              kDocFolder + "表/表a");
    // 0x83 0x5C ("ソ") directly before a real separator.
    EXPECT_EQ(docpath::toUtf8Relative("\x83\x5C\\b"), "ソ/b");
}

TEST(DocPathRelative, ConvertsOrdinaryNames)
{
    EXPECT_EQ(docpath::toDiskPath(kDocFolder, "Folder A\\Doc 1"), kDocFolder + "Folder A/Doc 1");
    EXPECT_EQ(docpath::toDiskPath("/p/doc", "x"), "/p/doc/x");
    // Dots inside a name or a name of three dots are names, not references to a parent.
    EXPECT_EQ(docpath::toUtf8Relative("a..b\\...\\.x"), "a..b/.../.x");
    EXPECT_FALSE(docpath::toDiskPath("", "x"));
}

TEST(DocPathFull, StripsTheUnsavedMarkAndTheDocFolder)
{
    EXPECT_EQ(docpath::toRelative(kDocFolder, kDocFolder + "Folder A/Doc 1*"),
              SjisString("Folder A\\Doc 1"));
    EXPECT_EQ(docpath::toRelative("/home/u/proj/doc", kDocFolder + "x"), SjisString("x"));
    EXPECT_EQ(docpath::toRelative(kDocFolder, kDocFolder + "表/ソ"),
              SjisString("\x95\x5C\\\x83\x5C"));
}

TEST(DocPathFull, RefusesPathsNotBelowTheDocFolder)
{
    const std::string refused[] = {
        "/home/u/proj/docs/x", // a sibling whose name starts like the folder
        "/home/u/other/doc/x",
        "/home/u/proj/doc/", // the folder itself
        "/home/u/proj/doc",       "/home/u/proj/doc/*",
        "/home/u/proj/doc/../x", // below only on paper
        "/home/u/proj/doc/a/./b", "/home/u/proj/doc/a//b", "/home/u/proj/doc/a/", "x", "",
    };
    for (const std::string& path : refused)
        EXPECT_FALSE(docpath::toRelative(kDocFolder, path)) << path;
    EXPECT_FALSE(docpath::toRelative("", "/x"));
}

TEST(DocPathFull, RefusesNamesARecordCannotHold)
{
    // A character CP932 lacks; a backslash or a yen sign (which CP932 writes as 0x5C) inside a
    // Linux name would become a separator in the record.
    for (const std::string name : {"caf\xC3\xA9", "a\\b",
                                   "a\xC2\xA5"
                                   "b",
                                   "C:x"})
        EXPECT_FALSE(docpath::toRelative(kDocFolder, kDocFolder + name)) << name;
}

TEST(DocPathRoundTrip, FullToRelativeAndBack)
{
    for (const std::string rest : {"a", "Folder A/Doc 1", "表/表/ソ", "日本語 (2)/x.txt"}) {
        const auto relative = docpath::toRelative(kDocFolder, kDocFolder + rest);
        ASSERT_TRUE(relative) << rest;
        EXPECT_EQ(docpath::toDiskPath(kDocFolder, *relative), kDocFolder + rest);
    }
}
