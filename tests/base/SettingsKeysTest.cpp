#include "base/SettingsKeys.h"
#include "base/MemorySettings.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(SettingsClamps, PhraseHistoryCountStaysWithin5And100)
{
    MemorySettings s;
    EXPECT_EQ(phraseHistoryCount(s), 20);
    for (const auto& [stored, used] : {std::pair{3, 5}, {5, 5}, {100, 100}, {500, 100}, {-1, 5}}) {
        write(s, keys::SaveCnt, stored);
        EXPECT_EQ(phraseHistoryCount(s), used) << stored;
    }
}

TEST(SettingsClamps, OrientationOtherThanLandscapeIsPortrait)
{
    MemorySettings s;
    EXPECT_EQ(printOrientation(s), 1);
    for (const auto& [stored, used] : {std::pair{1, 1}, {2, 2}, {3, 1}, {0, 1}, {-2, 1}}) {
        write(s, keys::Orientation, stored);
        EXPECT_EQ(printOrientation(s), used) << stored;
    }
}

TEST(SettingsClamps, AnimationValuesAsTheSettingsDialogShowsThem)
{
    EXPECT_EQ(animationCountForDialog(0), 3);
    EXPECT_EQ(animationCountForDialog(-4), 3);
    EXPECT_EQ(animationCountForDialog(7), 7);
    EXPECT_EQ(animationCountForDialog(50), 10);
    EXPECT_EQ(clampAnimationCount(0), 1);
    EXPECT_EQ(animationSpeedForDialog(4), 4);
    EXPECT_EQ(animationSpeedForDialog(5), 0);
    EXPECT_EQ(animationSpeedForDialog(-1), 0);
    EXPECT_EQ(clampPhraseHistoryCount(4), 5);
}

TEST(SettingsColours, DecimalStringsWithEmptyMeaningDefault)
{
    EXPECT_EQ(parseColourString("", keys::defaultMarkerColour), 0xBF8F6Fu);
    EXPECT_EQ(parseColourString("12554095", 0), 0xBF8F6Fu);
    EXPECT_EQ(parseColourString("0", 7), 0u);
    for (const char* bad : {"-1", "abc", "12x", " 12", "4294967296"})
        EXPECT_EQ(parseColourString(bad, 7), 7u) << bad;
    EXPECT_EQ(colourString(0xBF8F6F), "12554095");
}

TEST(SettingsNodeDefaults, MarkerAndSubjectValuesAreKeptApart)
{
    const NodeDefaultKeys& subject = keys::DefSubjectNode;
    const NodeDefaultKeys& marker = keys::DefMarkerNode;
    MemorySettings s;
    write(s, marker.fontSize, 20);
    write(s, subject.backgroundColour, colourString(0x123456));
    EXPECT_EQ(read(s, marker.fontSize), 20);
    EXPECT_EQ(read(s, subject.fontSize), 11);
    EXPECT_EQ(parseColourString(read(s, marker.backgroundColour), marker.defaultBackgroundColour),
              0xDBE8FDu);
    EXPECT_EQ(parseColourString(read(s, subject.backgroundColour), subject.defaultBackgroundColour),
              0x123456u);
}
