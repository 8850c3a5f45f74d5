#include "panes/PropertiesModel.h"

#include "base/SettingsKeys.h"
#include "model/LinkOps.h"
#include "res/MessageNumbers.h"

#include "ChartFixture.h"

namespace corvane::test {
namespace {

class PropertiesModelTest : public ChartTest
{
protected:
    PropertiesModelTest()
    {
        applyNewProjectValues(project.textView);
        // Off, so that every edit changes one field; the marker colour test turns it on.
        fake.settings.writeInt(keys::Synchro.section, keys::Synchro.name, 0);
        props.setChart(&model);
    }
    std::int64_t value(PropertyKey key) const
    {
        const Property* p = props.find(key);
        return p ? p->number : -1;
    }
    std::string text(PropertyKey key) const
    {
        const Property* p = props.find(key);
        return p ? p->text : "?";
    }
    /// Every value of the page by key, to see that one edit changes one thing.
    std::vector<std::pair<std::int64_t, std::string>> values() const
    {
        std::vector<std::pair<std::int64_t, std::string>> out;
        for (const PropertyGroup& g : props.groups())
            for (const Property& p : g.properties)
                out.emplace_back(p.number, p.text);
        return out;
    }
    PropertiesModel props{project, services};
};

using Edited = PropertiesModel::Edited;

// Every editable number, flag, choice and colour of the pages that edit records: the value typed
// reaches one field and only that one, numbers far outside their range (which would wrap in a
// 16-bit field) are clamped, and the edited value shows as changed.
TEST_F(PropertiesModelTest, EveryEditReachesItsOwnFieldWithinItsRange)
{
    putNode(1, {0, 0, 100, 50}, ObjectType::Marker);
    putNode(2, {200, 0, 300, 50}, ObjectType::SubSubject);
    const std::pair<PropertyPage, ObjectId> pages[] = {{PropertyPage::TextView, 0},
                                                       {PropertyPage::ChartView, 0},
                                                       {PropertyPage::MarkerNode, 1},
                                                       {PropertyPage::SubSubjectNode, 2}};
    for (const auto& [page, id] : pages) {
        props.show(page, id);
        std::vector<Property> editable;
        for (const PropertyGroup& g : props.groups())
            for (const Property& p : g.properties)
                if (p.kind != PropertyKind::ReadOnly && p.kind != PropertyKind::Font &&
                    p.kind != PropertyKind::Text)
                    editable.push_back(p);
        ASSERT_FALSE(editable.empty());
        for (const Property& p : editable) {
            SCOPED_TRACE(p.label + " on page " + std::to_string(int(page)));
            std::vector<std::int64_t> tries;
            switch (p.kind) {
            case PropertyKind::Number:
                tries = {70000, -70000, p.minimum + 1};
                break;
            case PropertyKind::Flag:
                tries = {p.number ? 0 : 1};
                break;
            case PropertyKind::Choice:
                tries = {(p.number + 1) % std::int64_t(p.choices.size())};
                break;
            default:
                tries = {(p.number + 0x010203) & 0xFFFFFF};
                break;
            }
            for (std::int64_t typed : tries) {
                const std::int64_t expected =
                    p.kind == PropertyKind::Number
                        ? std::clamp<std::int64_t>(typed, p.minimum, p.maximum)
                        : typed;
                std::vector<std::pair<std::int64_t, std::string>> before = values();
                props.edit(p.key, typed);
                EXPECT_EQ(value(p.key), expected) << typed;
                std::vector<std::pair<std::int64_t, std::string>> after = values();
                std::size_t differing = 0;
                for (std::size_t i = 0; i < after.size(); ++i)
                    differing += after[i] != before[i];
                EXPECT_LE(differing, 1u) << typed;
            }
            EXPECT_EQ(props.find(p.key)->changed, props.find(p.key)->number != p.number);
        }
    }
}

TEST_F(PropertiesModelTest, EditsAreRoutedByPageAndNeverReachAnotherPagesField)
{
    putNode(1, {0, 0, 100, 50});
    const Colour chartBackground = project.chartView.background;
    props.show(PropertyPage::TextView);
    EXPECT_EQ(props.edit(PropertyKey::ViewBackground, 0x123456), Edited::Stored);
    EXPECT_EQ(project.textView.background, 0x123456u);
    EXPECT_TRUE(fake.refresh.saw("textViewSettingsChanged"));
    EXPECT_TRUE(project.modified);
    // Keys of another page are not on this one.
    EXPECT_EQ(props.edit(PropertyKey::LineThickness, 3), Edited::Ignored);
    EXPECT_EQ(props.edit(PropertyKey::ChartBackground, 0x1), Edited::Ignored);
    EXPECT_EQ(project.chartView.background, chartBackground);
    EXPECT_EQ(props.edit(PropertyKey::ViewBackground, 0x123456), Edited::Unchanged);

    // The marker page edits only colour and comment; the node style is on the node page.
    props.show(PropertyPage::Marker, 1);
    EXPECT_EQ(props.edit(PropertyKey::LineThickness, 3), Edited::Ignored);
    EXPECT_EQ(props.edit(PropertyKey::NodeSize, 3), Edited::Ignored);
    EXPECT_EQ(props.editText(PropertyKey::MarkerText, "x"), Edited::Ignored);
    // A choice outside its list and a value that is no colour are refused, not clamped.
    props.show(PropertyPage::MarkerNode, 1);
    EXPECT_EQ(props.edit(PropertyKey::LineStyle, 6), Edited::Ignored);
    EXPECT_EQ(props.edit(PropertyKey::Background, -1), Edited::Ignored);
    EXPECT_EQ(props.edit(PropertyKey::Background, 0x1000000), Edited::Ignored);
}

TEST_F(PropertiesModelTest, PagesFollowTheObjectAndItsType)
{
    putNode(1, {0, 0, 100, 50}, ObjectType::Marker);
    putNode(2, {200, 0, 300, 50}, ObjectType::SubSubject);
    props.showObject(1);
    EXPECT_EQ(props.page(), PropertyPage::Marker);
    props.showNode(1);
    EXPECT_EQ(props.page(), PropertyPage::MarkerNode);
    props.showObject(2);
    EXPECT_EQ(props.page(), PropertyPage::SubSubjectNode);
    props.show(PropertyPage::MarkerNode, 2); // a sub-subject has no marker page
    EXPECT_EQ(props.page(), PropertyPage::Empty);
    props.showObject(99);
    EXPECT_EQ(props.page(), PropertyPage::Empty);
    EXPECT_TRUE(props.groups().empty());

    props.show(PropertyPage::Marker, 1);
    project.objectCount = 0; // deleted elsewhere
    props.refreshValues();
    EXPECT_EQ(props.page(), PropertyPage::Empty);
    EXPECT_EQ(props.edit(PropertyKey::MarkerColour, 0xFF), Edited::Ignored);
}

TEST_F(PropertiesModelTest, FontFieldIsClampedAndCutAtACharacterBoundary)
{
    props.show(PropertyPage::TextView);
    EXPECT_EQ(props.editText(PropertyKey::Font, "Gothic(50)"), Edited::Stored);
    EXPECT_EQ(project.textView.fontSize, 36);
    EXPECT_EQ(text(PropertyKey::Font), "Gothic(36)");
    props.editText(PropertyKey::Font, "Gothic (4)");
    EXPECT_EQ(fixedText(project.textView.fontName), "Gothic");
    EXPECT_EQ(project.textView.fontSize, 8);
    props.editText(PropertyKey::Font, "Sans(99999999999999999999)");
    EXPECT_EQ(project.textView.fontSize, 36);
    // Without "(size)" the size stays.
    props.editText(PropertyKey::Font, "Serif");
    EXPECT_EQ(fixedText(project.textView.fontName), "Serif");
    EXPECT_EQ(project.textView.fontSize, 36);

    // 16 two-byte characters are 32 bytes; the field holds 31 and a zero, so 15 remain
    // rather than 15 and a lead byte.
    SjisString name;
    for (int i = 0; i < 16; ++i)
        name += "\x83\x5c"; // "ソ", whose trail byte is 0x5C
    props.editText(PropertyKey::Font, name + "(12)");
    EXPECT_EQ(fixedText(project.textView.fontName), name.substr(0, 30));
    EXPECT_EQ(project.textView.fontSize, 12);
    // "(" inside the name: the last one starts the size.
    props.editText(PropertyKey::Font, "A(B)(14)");
    EXPECT_EQ(fixedText(project.textView.fontName), "A(B)");
    EXPECT_EQ(project.textView.fontSize, 14);

    const TextViewSettings before = project.textView;
    for (SjisView bad : {SjisView("(12)"), SjisView("Mono(big)"), SjisView("")}) {
        fake.messages.shown.clear();
        EXPECT_EQ(props.editText(PropertyKey::Font, bad), Edited::Ignored) << bad;
        EXPECT_EQ(fake.messages.numbers(), std::vector<int>{msg::kFontFieldInvalid});
    }
    EXPECT_EQ(std::memcmp(&before, &project.textView, sizeof before), 0);
}

TEST_F(PropertiesModelTest, CommentIsCutTo100BytesAndMarksTheProjectModified)
{
    putNode(1, {0, 0, 100, 50});
    props.show(PropertyPage::Marker, 1);
    // 99 ASCII bytes and a two-byte character: 101 bytes; the character does not fit.
    const SjisString typed = std::string(99, 'c') + "\x95\x5c";
    EXPECT_EQ(props.editText(PropertyKey::Comment, typed), Edited::Stored);
    EXPECT_EQ(fixedText(project.objects[0].firstText), std::string(99, 'c'));
    EXPECT_TRUE(project.modified);
    EXPECT_TRUE(props.find(PropertyKey::Comment)->changed);
    project.modified = false;
    EXPECT_EQ(props.editText(PropertyKey::Comment, typed), Edited::Unchanged);
    EXPECT_FALSE(project.modified);
}

TEST_F(PropertiesModelTest, MarkerColourTakesTheBackgroundAlongWithSynchro)
{
    const int i = putNode(1, {0, 0, 100, 50});
    setFixedText(project.objects[i].document, "doc1");
    project.objects[i].background = 0x111111;
    props.show(PropertyPage::Marker, 1);
    props.edit(PropertyKey::MarkerColour, 0x00FF00);
    EXPECT_EQ(project.objects[i].markerColour, 0x00FF00u);
    EXPECT_EQ(project.objects[i].background, 0x111111u);
    EXPECT_TRUE(fake.refresh.saw("redrawText doc1"));
    EXPECT_TRUE(fake.refresh.saw("rebuildMarkerList"));

    fake.settings.writeInt(keys::Synchro.section, keys::Synchro.name, 1);
    props.show(PropertyPage::MarkerNode, 1);
    // The marker colour is stored already, but the node background is not: not "unchanged".
    EXPECT_EQ(props.edit(PropertyKey::MarkerColour, 0x00FF00), Edited::Stored);
    EXPECT_EQ(project.objects[i].background, 0x00FF00u);
}

TEST_F(PropertiesModelTest, NodeEditReachesEverySelectedNodeAsOneUndoStep)
{
    for (ObjectId id = 1; id <= 4; ++id)
        putNode(id, {int(id) * 120, 0, int(id) * 120 + 100, 50}, ObjectType::Marker, id != 4);
    for (int i = 0; i < 4; ++i)
        project.objects[i].lineThickness = 1;
    project.objects[1].lineThickness = 5; // the shown node has the value typed already
    model.setMain(1);
    props.showNode(2);
    ASSERT_EQ(props.page(), PropertyPage::MarkerNode);

    EXPECT_EQ(props.edit(PropertyKey::LineThickness, 5), Edited::Stored);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(project.objects[i].lineThickness, 5) << i;
    EXPECT_EQ(project.objects[3].lineThickness, 1); // not selected
    EXPECT_EQ(props.edit(PropertyKey::LineThickness, 5), Edited::Unchanged);
    EXPECT_EQ(model.history().undoDepth(), 1);

    props.editText(PropertyKey::Font, "Mincho(20)");
    EXPECT_EQ(fixedText(project.objects[2].fontName), "Mincho");
    EXPECT_EQ(model.history().undoDepth(), 2);

    ASSERT_TRUE(model.undo());
    ASSERT_TRUE(model.undo());
    EXPECT_EQ(project.objects[0].lineThickness, 1);
    EXPECT_EQ(project.objects[1].lineThickness, 5);
    EXPECT_EQ(project.objects[2].lineThickness, 1);
}

TEST_F(PropertiesModelTest, NodeEditOfAnUnselectedNodeLeavesTheSelectionAlone)
{
    putNode(1, {0, 0, 100, 50}, ObjectType::SubSubject, true);
    putNode(2, {200, 0, 300, 50}, ObjectType::SubSubject, false);
    props.showObject(2); // e.g. from the subject list
    props.edit(PropertyKey::MarginLeft, 9);
    EXPECT_EQ(project.objects[1].marginLeft, 9);
    EXPECT_EQ(project.objects[0].marginLeft, 0);
}

TEST_F(PropertiesModelTest, ChartSizeFollowsTheChartsClamp)
{
    putNode(1, {0, 0, 800, 700});
    props.show(PropertyPage::ChartView);
    props.edit(PropertyKey::ChartWidth, 100);
    EXPECT_EQ(project.chartView.width, 800); // not below the nodes' extent
    props.edit(PropertyKey::ChartHeight, 100);
    EXPECT_EQ(project.chartView.height, 700);
    props.edit(PropertyKey::ChartWidth, 70000);
    EXPECT_EQ(project.chartView.width, 5000);
    EXPECT_TRUE(fake.refresh.saw("chartSizeChanged"));
    project.objectCount = 0;
    props.edit(PropertyKey::ChartWidth, 100);
    EXPECT_EQ(project.chartView.width, 500);
}

class LinkPageTest : public PropertiesModelTest
{
protected:
    LinkPageTest()
    {
        putObject(1, ObjectType::Marker, "a\\x", 10, 4, "M1");
        putSubSubject(2, "T2");
        setFixedText(project.objects[1].firstText, "Main");
        putObject(3, ObjectType::Marker, "b", 20, 5, "M3\r\n");
        putObject(4, ObjectType::Marker, "a\\x", 30, 6, "M4");
        putLink(1, 2);
        putLink(3, 1);
        putLink(2, 4);
        putLink(1, 4);
        props.show(PropertyPage::Links, 1);
    }
    std::vector<std::string> rows() const
    {
        std::vector<std::string> out;
        for (const PropertyGroup& g : props.groups())
            for (const Property& p : g.properties)
                out.push_back(g.name + "|" + p.label + "|" + p.text);
        return out;
    }
};

TEST_F(LinkPageTest, RowsAreGroupedByTheOtherEnd)
{
    EXPECT_EQ(rows(), (std::vector<std::string>{"題名リスト|To|Main(T2)<2>[0]",
                                                "b|From|M3  <20-5>[1]", "a\\x|To|M4<30-6>[3]"}));
}

TEST_F(LinkPageTest, RowsActOnTheirOwnLinkAfterTheTableChangedElsewhere)
{
    const LinkEnds toM4 = props.groups()[2].properties[0].link; // reads "[3]"
    ASSERT_TRUE(LinkOps(project, services).deleteAt(0));        // elsewhere: 1>2 goes
    fake.messages.answer(Answer::Yes);
    EXPECT_TRUE(props.deleteLink(toM4));
    EXPECT_EQ(links(), (std::vector<std::string>{"3>1", "2>4"}));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].textUtf8.find("M4<30-6>[3]\n====================\nこのリンクを"
                                                   "削除してもよろしいですか"),
              0u);
    // The page was rebuilt; a row of a link gone elsewhere does nothing.
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_FALSE(props.deleteLink({1, 2}));
    EXPECT_FALSE(props.showLinkTarget({1, 2}));
}

TEST_F(LinkPageTest, DeletingAGroupOrThePageDeletesExactlyItsRowsLinks)
{
    fake.messages.answer(Answer::No);
    EXPECT_EQ(props.deleteLinks(1), 0);
    EXPECT_EQ(project.linkCount, 4);
    EXPECT_EQ(fake.messages.shown.back().textUtf8.find("『b』内のすべてのリンクを削除"), 0u);

    EXPECT_EQ(props.deleteLinks(-1), 3);
    EXPECT_EQ(links(), std::vector<std::string>{"2>4"});
    EXPECT_TRUE(props.groups().empty());
}

TEST_F(LinkPageTest, ShowingAMarkerEndMakesItCurrentAndKeepsThePage)
{
    ObjectId shownSubject = 0;
    props.showSubSubject = [&](ObjectId id) { shownSubject = id; };
    EXPECT_TRUE(props.showLinkTarget({1, 2}));
    EXPECT_EQ(shownSubject, 2);
    EXPECT_TRUE(props.showLinkTarget({3, 1}));
    EXPECT_EQ(project.currentObject, 2);
    EXPECT_TRUE(fake.refresh.saw("showSpan id 3"));
    EXPECT_EQ(props.page(), PropertyPage::Links);
}

} // namespace
} // namespace corvane::test
