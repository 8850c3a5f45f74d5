#include "doclist/NameRules.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvane;
using namespace corvane::doclist;

TEST(NameRules, EmptyAndTooLong)
{
    EXPECT_EQ(checkName("", 10).number, 30045);
    // The limit is 255 minus the folder path's Shift-JIS length; reaching it is refused.
    EXPECT_TRUE(checkName(std::string(244, 'a'), 10));
    EXPECT_EQ(checkName(std::string(245, 'a'), 10).number, 30044);
    // "あ" is three UTF-8 bytes but two Shift-JIS bytes: 80 of them are 160 bytes.
    std::string hiragana;
    for (int i = 0; i < 80; ++i)
        hiragana += "\xe3\x81\x82";
    EXPECT_TRUE(checkName(hiragana, 94));
    EXPECT_EQ(checkName(hiragana, 95).number, 30044);
    // A folder path that leaves no room refuses every name.
    EXPECT_EQ(checkName("a", 300).number, 30044);
}

TEST(NameRules, NameMustFitTheFileSystemInUtf8)
{
    // 86 "あ": 172 Shift-JIS bytes (allowed) but 258 UTF-8 bytes (too long for Linux).
    std::string hiragana;
    for (int i = 0; i < 86; ++i)
        hiragana += "\xe3\x81\x82";
    EXPECT_EQ(checkName(hiragana, 0).number, 30044);
}

TEST(NameRules, ForbiddenCharactersInTheDesignOrder)
{
    NameVerdict v = checkName("a|b\\c", 0);
    EXPECT_EQ(v.number, 30053);
    EXPECT_EQ(v.leadingUtf8, "\\\n"); // the backslash is searched before the bar
    for (char c : std::string("/:*?\"<>|")) {
        v = checkName(std::string("x") + c, 0);
        EXPECT_EQ(v.number, 30053) << c;
        EXPECT_EQ(v.leadingUtf8, std::string(1, c) + "\n");
    }
}

TEST(NameRules, TrailBytesThatLookLikeSeparatorsAreAccepted)
{
    // 表 (95 5C) and ソ (83 5C) end in the byte of "\", ポ (83 7C) in that of "|".
    EXPECT_TRUE(checkName("\xe8\xa1\xa8\xe3\x82\xbd\xe3\x83\x9d", 0));
}

TEST(NameRules, CharacterShiftJisCannotHoldIsShownOnItsOwnLine)
{
    const NameVerdict v = checkName("memo\xf0\x9f\x98\x80", 0);
    EXPECT_EQ(v.number, 30053);
    EXPECT_EQ(v.leadingUtf8, "\xf0\x9f\x98\x80\n");
}

TEST(NameRules, NamesThatAreNotFileNames)
{
    EXPECT_EQ(checkName(".", 0).number, 30053);
    EXPECT_EQ(checkName("..", 0).number, 30053);
    EXPECT_EQ(checkName("a\tb", 0).number, 30053);
    EXPECT_TRUE(checkName("...a", 0));
}

TEST(NewFolderName, NumbersFollowTheBaseName)
{
    std::set<SjisString> taken;
    auto exists = [&](SjisView n) { return taken.count(SjisString(n)) > 0; };
    EXPECT_EQ(*newFolderName(exists), kNewFolderSjis);
    taken.insert(SjisString(kNewFolderSjis));
    taken.insert(SjisString(kNewFolderSjis) + "1");
    EXPECT_EQ(*newFolderName(exists), SjisString(kNewFolderSjis) + "2");
    for (int i = 2; i <= 999; ++i)
        taken.insert(SjisString(kNewFolderSjis) + std::to_string(i));
    EXPECT_FALSE(newFolderName(exists).has_value());
}
