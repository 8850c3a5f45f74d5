#include "panes/MarkerRows.h"

#include "ModelFixture.h"

namespace corvane::test {
namespace {

// Folder names whose last character has the trail byte 0x5C ("\"): ソフト, 表.
constexpr SjisView kSoft = "\x83\x5c\x83\x74\x83\x67";
constexpr SjisView kTable = "\x95\x5c";

class MarkerRowsTest : public ModelTest
{
protected:
    int marker(ObjectId id, SjisView document, Colour colour, SjisView text = "m")
    {
        const int i = putObject(id, ObjectType::Marker, document, 0, 1, text);
        project.objects[i].markerColour = colour;
        return i;
    }
    std::vector<ObjectId> listed(MarkerTarget target, MarkerColourFilter filter = std::nullopt,
                                 std::vector<SjisString> documents = {})
    {
        std::vector<ObjectId> out;
        for (const MarkerRow& row : collectMarkerRows(project, target, filter, documents))
            out.push_back(row.id);
        return out;
    }
};

TEST_F(MarkerRowsTest, TopLevelFolderSplitsOnlyAtSeparatorCharacters)
{
    using Split = std::optional<SjisView>;
    EXPECT_EQ(topLevelFolder(SjisString(kSoft) + "\\a"), Split(kSoft));
    EXPECT_EQ(topLevelFolder(SjisString(kTable) + "\\" + SjisString(kSoft) + "\\b"), Split(kTable));
    // A root document whose name holds a trail byte 0x5C has no folder at all.
    EXPECT_EQ(topLevelFolder(kSoft), std::nullopt);
    EXPECT_EQ(topLevelFolder("doc"), std::nullopt);
}

TEST_F(MarkerRowsTest, TargetAndColourSelectMarkersInTableOrder)
{
    const SjisString inSoft = SjisString(kSoft) + "\\d1";
    const SjisString deepSoft = SjisString(kTable) + "\\" + SjisString(kSoft) + "\\d2";
    marker(10, inSoft, 0x0000FF);
    putSubSubject(11, "s");
    marker(12, "root", 0x00FF00);
    marker(13, deepSoft, 0x0000FF);
    marker(14, SjisString(kSoft) + "\\x\\d3", 0x00FF00);
    marker(15, kSoft, 0x0000FF); // a root document named like the folder

    using K = MarkerTarget::Kind;
    EXPECT_EQ(listed({K::None, {}}), std::vector<ObjectId>{});
    EXPECT_EQ(listed({K::All, {}}), (std::vector<ObjectId>{10, 12, 13, 14, 15}));
    EXPECT_EQ(listed({K::All, {}}, 0x0000FF), (std::vector<ObjectId>{10, 13, 15}));
    // Anywhere below the top-level folder, never a deeper folder of the same name or the root.
    EXPECT_EQ(listed({K::Folder, SjisString(kSoft)}), (std::vector<ObjectId>{10, 14}));
    EXPECT_EQ(listed({K::Folder, SjisString(kSoft)}, 0x00FF00), (std::vector<ObjectId>{14}));
    EXPECT_EQ(listed({K::Folder, SjisString(kTable)}), (std::vector<ObjectId>{13}));
    EXPECT_EQ(listed({K::Open, {}}, std::nullopt, {"root", deepSoft}),
              (std::vector<ObjectId>{12, 13}));
    EXPECT_EQ(listed({K::Current, {}}, 0x00FF00, {"root"}), (std::vector<ObjectId>{12}));
    EXPECT_EQ(listed({K::Current, {}}, 0x0000FF, {"root"}), std::vector<ObjectId>{});
}

TEST_F(MarkerRowsTest, RowTextNumbersRowsAndNamesTheObjectIndex)
{
    putSubSubject(1, "s");
    marker(2, "a", 1, "x\r\ny\tz");
    marker(3, "b", 2, kSoft);
    const auto rows = collectMarkerRows(project, {MarkerTarget::Kind::All, {}}, std::nullopt, {});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text, "0001 x  y z[1]");
    EXPECT_EQ(rows[1].text, "0002 " + SjisString(kSoft) + "[2]");
}

TEST_F(MarkerRowsTest, FolderItemsReadBackToTheirFolder)
{
    const std::vector<SjisString> folders = {SjisString(kSoft), SjisString(kTable), "a"};
    const std::vector<SjisString> items = markerTargetItems(folders);
    ASSERT_EQ(items.size(), 6u);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const MarkerTarget t = markerTargetOfItem(int(i) + kFirstFolderItem, items[i + 3]);
        EXPECT_EQ(t, (MarkerTarget{MarkerTarget::Kind::Folder, folders[i]}));
    }
    EXPECT_EQ(markerTargetOfItem(2, items[2]).kind, MarkerTarget::Kind::Current);
    EXPECT_EQ(markerTargetOfItem(5, "broken").kind, MarkerTarget::Kind::All);
}

TEST_F(MarkerRowsTest, ColourFilterSettingRoundTrips)
{
    for (MarkerColourFilter f :
         {MarkerColourFilter{}, MarkerColourFilter{0}, MarkerColourFilter{0xC9AEFF}})
        EXPECT_EQ(colourFilterFromSetting(colourFilterSetting(f)), f);
    EXPECT_EQ(colourFilterSetting(std::nullopt), "-1");
    EXPECT_EQ(colourFilterFromSetting("abc"), std::nullopt);
    EXPECT_EQ(colourFilterFromSetting(""), std::nullopt);
}

} // namespace
} // namespace corvane::test
