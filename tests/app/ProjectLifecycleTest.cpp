#include "app/ProjectLifecycle.h"

#include "TempHome.h"
#include "app/OpenDocumentsList.h"
#include "base/SettingsKeys.h"
#include "model/CProjectIO.h"
#include "model/ProjectData.h"
#include "res/AddedMessages.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;
using Paths = std::vector<std::string>;

/// The windows as the lifecycle sees them: records what was asked, and behaves like the views
/// (an opened document joins data.openDocuments, closing the windows empties it).
class FakeHooks : public LifecycleHooks
{
public:
    explicit FakeHooks(ProjectData& data) : data_(data) {}

    void rebuildDocumentList(bool newProject) override
    {
        calls.push_back(newProject ? "docList new" : "docList");
    }
    void closeDocumentList() override { calls.push_back("closeDocList"); }
    void rebuildSubjectList() override { calls.push_back("subjects"); }
    void setWindowTitle(const std::string& title) override { this->title = title; }
    void recentListChanged() override { ++recentChanges; }
    void showBookmarkButtons(const std::array<bool, 4>& set) override { bookmarks = set; }

    bool openDocument(const std::string& path) override
    {
        opened.push_back(path);
        if (!fs::is_regular_file(path) || data_.openDocuments.size() >= kMaxOpenDocuments)
            return false;
        data_.openDocuments.push_back(path);
        return true;
    }
    std::vector<std::string> changedDocuments() const override { return changed; }
    SaveConfirmation askWhichDocumentsToSave(const std::vector<std::string>& paths) override
    {
        asked.push_back(paths);
        return answer;
    }
    bool saveDocument(const std::string& path) override
    {
        saved.push_back(path);
        return std::find(failingSaves.begin(), failingSaves.end(), path) == failingSaves.end();
    }
    void closeAllDocumentWindows(const std::vector<std::string>& doNotSave) override
    {
        calls.push_back("closeWindows");
        discarded = doNotSave;
        data_.openDocuments.clear();
    }
    bool openChartWindow() override
    {
        calls.push_back("openChart");
        return chartOpens;
    }
    void closeChartWindow() override { calls.push_back("closeChart"); }
    std::optional<ChartScroll> chartScrollPosition() const override { return scroll; }

    bool saw(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    std::vector<std::string> calls;
    std::string title;
    int recentChanges = 0;
    std::array<bool, 4> bookmarks{};
    Paths opened;
    Paths changed;
    std::vector<Paths> asked;
    SaveConfirmation answer;
    Paths discarded;
    Paths saved;
    Paths failingSaves; ///< documents whose save fails (disk full, no permission)
    bool chartOpens = true;
    std::optional<ChartScroll> scroll;

private:
    ProjectData& data_;
};

class ProjectLifecycleTest : public ::testing::Test
{
protected:
    /// A project made through the lifecycle itself, then closed: folder home/<name>/.
    std::string makeProject(const std::string& name)
    {
        const std::string folder = home.root() + "/" + name + "/";
        fs::create_directories(folder + "doc");
        EXPECT_TRUE(lifecycle.createProject(folder, name));
        EXPECT_TRUE(lifecycle.closeProject(false));
        return folder + name + ".CVN";
    }

    void addMarker(const char* relativeSjis)
    {
        ObjectRecord& r = data.objects[data.objectCount++];
        r = ObjectRecord{};
        r.id = data.objectCount;
        r.type = Marker;
        std::strncpy(r.document, relativeSjis, sizeof r.document - 1);
        r.length = 1;
        data.modified = true;
    }

    test::TempHome home;
    test::FakeServices fakes;
    ProjectData data;
    CProjectIO io{fakes.services};
    FakeHooks hooks{data};
    ProjectLifecycle lifecycle{data, fakes.services, io, hooks};
};

TEST_F(ProjectLifecycleTest, ANewProjectIsWrittenAtOnceAndBecomesTheOpenProject)
{
    const std::string folder = home.root() + "/Case1/";
    fs::create_directories(folder + "doc");
    data.textView.reserved = 77; // left over from an earlier project
    data.chartShown = true;

    ASSERT_TRUE(lifecycle.createProject(folder, "Case1"));
    EXPECT_TRUE(data.isOpen());
    EXPECT_EQ(data.projectFilePath(), folder + "Case1.CVN");
    EXPECT_TRUE(fs::is_regular_file(folder + "Case1.CVN"));
    EXPECT_FALSE(data.modified);
    EXPECT_EQ(data.textView.reserved, 0);
    EXPECT_EQ(hooks.title, "Case1 - Corvane");
    EXPECT_TRUE(hooks.saw("docList new"));
    EXPECT_EQ(read(fakes.settings, keys::ProName), "Case1");
    EXPECT_EQ(read(fakes.settings, keys::ProPath), folder);
    EXPECT_EQ(lifecycle.recent().entries(), (Paths{folder + "Case1.CVN"}));
    // Last/ShowChart is 0: the chart window stays closed and the flag says so.
    EXPECT_FALSE(hooks.saw("openChart"));
    EXPECT_FALSE(data.chartShown);
}

TEST_F(ProjectLifecycleTest, ANewProjectWhoseSaveFailsLeavesNoProjectOpen)
{
    // The folder the dialog accepted has gone before the save.
    EXPECT_FALSE(lifecycle.createProject(home.root() + "/gone/", "P"));
    EXPECT_FALSE(data.isOpen());
    EXPECT_TRUE(lifecycle.recent().entries().empty());
}

TEST_F(ProjectLifecycleTest, OpeningTheOpenProjectAgainUnderAnotherSpellingDoesNothing)
{
    const std::string path = makeProject("Case1");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    data.modified = true;
    hooks.calls.clear();

    const std::string dotted = home.root() + "/Case1/../Case1/./Case1.CVN";
    ASSERT_EQ(fs::path(dotted).lexically_normal().string(), path);
    EXPECT_TRUE(lifecycle.openProject(dotted, true));
    EXPECT_TRUE(lifecycle.openRecent(0));
    EXPECT_TRUE(hooks.calls.empty());
    EXPECT_TRUE(data.modified); // neither closed (which would save) nor reloaded
    EXPECT_EQ(lifecycle.recent().entries(), (Paths{path}));
}

TEST_F(ProjectLifecycleTest, AProjectFileDifferingOnlyInLetterCaseIsAnotherProject)
{
    const std::string upper = makeProject("Case1");
    const std::string lower = home.root() + "/Case1/case1.CVN";
    fs::copy_file(upper, lower);
    ASSERT_TRUE(lifecycle.openProject(upper, true));
    ASSERT_TRUE(lifecycle.openProject(lower, true));
    EXPECT_EQ(data.projectFilePath(), lower);
    EXPECT_EQ(lifecycle.recent().entries(), (Paths{lower, upper}));
}

TEST_F(ProjectLifecycleTest, OpeningReadsTheFileAndBringsEveryPaneUpToDate)
{
    const std::string path = makeProject("Case1");
    fakes.refresh.calls.clear();
    write(fakes.settings, keys::ShowChart, 1);

    ASSERT_TRUE(lifecycle.openProject(path, false));
    EXPECT_EQ(data.folder, home.root() + "/Case1/");
    EXPECT_EQ(data.name, "Case1");
    EXPECT_FALSE(data.modified);
    EXPECT_EQ(hooks.title, "Case1 - Corvane");
    EXPECT_TRUE(hooks.saw("docList"));
    EXPECT_TRUE(hooks.saw("subjects"));
    EXPECT_TRUE(fakes.refresh.saw("rebuildMarkerList"));
    EXPECT_TRUE(data.chartShown);
    EXPECT_EQ(hooks.recentChanges, 1); // from the creation only: start-up adds nothing
}

TEST_F(ProjectLifecycleTest, OpeningAnotherProjectClosesAndSavesTheCurrentOne)
{
    const std::string first = makeProject("A");
    const std::string second = makeProject("B");
    ASSERT_TRUE(lifecycle.openProject(first, true));
    addMarker("m");

    ASSERT_TRUE(lifecycle.openProject(second, true));
    EXPECT_EQ(data.name, "B");
    EXPECT_EQ(data.objectCount, 0);
    EXPECT_EQ(lifecycle.recent().entries(), (Paths{second, first}));

    ASSERT_TRUE(lifecycle.openProject(first, true));
    EXPECT_EQ(data.objectCount, 1); // the close saved A without asking
}

TEST_F(ProjectLifecycleTest, AFailedOpenLeavesNoProjectOpen)
{
    const std::string good = makeProject("A");
    ASSERT_TRUE(lifecycle.openProject(good, true));
    const std::string bad = home.root() + "/bad/bad.CVN";
    writeFile(bad, "not a cabinet");
    fakes.messages.shown.clear();

    EXPECT_FALSE(lifecycle.openProject(bad, true));
    EXPECT_FALSE(data.isOpen());
    EXPECT_EQ(hooks.title, "Corvane");
    EXPECT_FALSE(fakes.messages.shown.empty());
    EXPECT_EQ(lifecycle.recent().entries(), (Paths{good}));

    // Other extensions are refused before anything is read; a bare ".CVN" names no project.
    EXPECT_FALSE(lifecycle.openProject(home.root() + "/A/A.txt", true));
    writeFile(home.root() + "/.CVN", readFile(good));
    EXPECT_FALSE(lifecycle.openProject(home.root() + "/.CVN", true));
    EXPECT_FALSE(data.isOpen());
}

TEST_F(ProjectLifecycleTest, AFailedSaveAsksBeforeClosingAndNoKeepsTheWork)
{
    const std::string path = makeProject("A");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    addMarker("m");
    hooks.calls.clear();
    fs::remove_all(home.root() + "/A"); // the project folder is gone: the save must fail
    fakes.messages.shown.clear();

    // The save's own message, then the question.
    fakes.messages.answer(Answer::Ok);
    fakes.messages.answer(Answer::No);
    EXPECT_FALSE(lifecycle.closeProject(false));
    EXPECT_TRUE(data.isOpen());
    EXPECT_TRUE(data.modified);
    EXPECT_EQ(data.objectCount, 1);
    EXPECT_FALSE(hooks.saw("closeWindows"));
    // The save told the user why, then the question came, with No as its default.
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_NE(fakes.messages.shown[0].number, msg::kCloseWithoutSaving);
    EXPECT_EQ(fakes.messages.shown.back().number, msg::kCloseWithoutSaving);
    EXPECT_EQ(fakes.messages.shown.back().style.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(fakes.messages.shown.back().style.defaultNo);

    // Opening another project and exiting are stopped the same way.
    const std::string other = home.root() + "/B.CVN";
    writeFile(other, "x");
    for (int i = 0; i < 2; ++i) {
        fakes.messages.answer(Answer::Ok);
        fakes.messages.answer(Answer::No);
    }
    EXPECT_FALSE(lifecycle.openProject(other, true));
    EXPECT_FALSE(lifecycle.closeProject(true));
    EXPECT_EQ(data.name, "A");

    // Once the cause is mended, the close saves and goes through without a question.
    fs::create_directories(home.root() + "/A/doc");
    fakes.messages.shown.clear();
    EXPECT_TRUE(lifecycle.closeProject(false));
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ProjectLifecycleTest, AFailedSaveClosesWithoutSavingOnlyWhenTheUserSaysSo)
{
    const std::string path = makeProject("A");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    addMarker("m");
    fs::remove_all(home.root() + "/A");

    fakes.messages.answer(Answer::Ok);
    fakes.messages.answer(Answer::Yes);
    EXPECT_TRUE(lifecycle.closeProject(true));
    EXPECT_FALSE(data.isOpen());
    EXPECT_EQ(data.objectCount, 0);
    EXPECT_TRUE(hooks.saw("closeWindows"));
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(ProjectLifecycleTest, ADocumentThatCannotBeSavedAbandonsTheCloseBeforeAnythingCloses)
{
    const std::string path = makeProject("A");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    const std::string doc = data.docFolder();
    addMarker("m");
    hooks.changed = {doc + "kept", doc + "broken", doc + "dropped"};
    hooks.answer = {false, {doc + "dropped"}};
    hooks.failingSaves = {doc + "broken"};
    hooks.calls.clear();

    EXPECT_FALSE(lifecycle.closeProject(false));
    EXPECT_EQ(hooks.saved, (Paths{doc + "kept", doc + "broken"})); // never the unchecked one
    EXPECT_TRUE(data.isOpen());
    EXPECT_TRUE(data.modified); // the project was not saved either
    EXPECT_EQ(data.objectCount, 1);
    EXPECT_FALSE(hooks.saw("closeWindows"));
    EXPECT_FALSE(hooks.saw("closeChart"));
    EXPECT_FALSE(hooks.saw("closeDocList"));

    // Exit and opening another project stop the same way.
    EXPECT_FALSE(lifecycle.closeProject(true));
    const std::string other = home.root() + "/B.CVN";
    writeFile(other, "x");
    EXPECT_FALSE(lifecycle.openProject(other, true));
    EXPECT_EQ(data.name, "A");

    // Once the document can be written, the close goes through.
    hooks.failingSaves.clear();
    EXPECT_TRUE(lifecycle.closeProject(false));
    EXPECT_FALSE(data.isOpen());
    EXPECT_EQ(hooks.discarded, (Paths{doc + "dropped"}));
}

TEST_F(ProjectLifecycleTest, CloseAsksOnlyAboutChangedDocumentsWithoutMarkers)
{
    const std::string path = makeProject("A");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    const std::string doc = data.docFolder();
    addMarker("\x95\x5c\\marked"); // "表\marked"
    hooks.changed = {doc + "\xE8\xA1\xA8/marked", doc + "plain", doc + "other"};

    hooks.answer.cancelled = true;
    EXPECT_FALSE(lifecycle.closeProject(false));
    EXPECT_TRUE(data.isOpen());
    EXPECT_TRUE(data.modified); // a cancelled close saves nothing
    ASSERT_EQ(hooks.asked.size(), 1u);
    EXPECT_EQ(hooks.asked[0], (Paths{doc + "plain", doc + "other"}));

    hooks.answer = {false, {doc + "other"}};
    EXPECT_TRUE(lifecycle.closeProject(false));
    EXPECT_EQ(hooks.discarded, (Paths{doc + "other"}));
    EXPECT_FALSE(data.isOpen());

    // Nothing changed: no question at all.
    ASSERT_TRUE(lifecycle.openProject(path, true));
    hooks.changed.clear();
    hooks.asked.clear();
    EXPECT_TRUE(lifecycle.closeProject(false));
    EXPECT_TRUE(hooks.asked.empty());
}

TEST_F(ProjectLifecycleTest, CloseEmptiesEverythingAndTheOpenDocumentsComeBack)
{
    const std::string path = makeProject("A");
    const std::string doc = home.root() + "/A/doc/";
    writeFile(doc + "one", "1\r\n");
    writeFile(doc + "two", "2\r\n");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    ASSERT_TRUE(hooks.openDocument(doc + "two"));
    ASSERT_TRUE(hooks.openDocument(doc + "one"));
    addMarker("one");
    data.textView.bookmarkPosition[2] = 5;
    fakes.refresh.calls.clear();

    ASSERT_TRUE(lifecycle.closeProject(false));
    EXPECT_FALSE(data.isOpen());
    EXPECT_EQ(data.objectCount, 0);
    EXPECT_EQ(data.linkCount, 0);
    EXPECT_EQ(hooks.title, "Corvane");
    EXPECT_TRUE(hooks.saw("closeDocList"));
    EXPECT_TRUE(fakes.refresh.saw("rebuildMarkerList"));
    EXPECT_EQ(readFile(home.root() + "/A/A.opn"), doc + "two\r\n" + doc + "one\r\n");

    hooks.opened.clear();
    ASSERT_TRUE(lifecycle.openProject(path, true));
    EXPECT_EQ(hooks.opened, (Paths{doc + "two", doc + "one"}));
    EXPECT_EQ(data.openDocuments, (Paths{doc + "two", doc + "one"}));
    EXPECT_EQ(data.objectCount, 1);
    EXPECT_EQ(hooks.bookmarks, (std::array<bool, 4>{false, false, true, false}));

    // Closed with no document open: the list goes, and the next opening opens none.
    data.openDocuments.clear();
    ASSERT_TRUE(lifecycle.closeProject(false));
    EXPECT_FALSE(fs::exists(home.root() + "/A/A.opn"));
}

TEST_F(ProjectLifecycleTest, MissingDocumentsAreToldOnceWhenTheProjectOpens)
{
    const std::string path = makeProject("A");
    const std::string doc = home.root() + "/A/doc/";
    writeFile(doc + "one", "1\r\n");
    writeFile(doc + "two", "2\r\n");
    writeFile(doc + "three", "3\r\n");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    addMarker("one");
    addMarker("two");
    addMarker("two");
    ASSERT_TRUE(hooks.openDocument(doc + "two"));
    ASSERT_TRUE(hooks.openDocument(doc + "three"));
    ASSERT_TRUE(lifecycle.closeProject(false));
    fakes.messages.shown.clear();

    // Gone while the project was closed: two marked documents, one of them in the open list.
    fs::remove(doc + "one");
    fs::remove(doc + "two");
    hooks.opened.clear();
    ASSERT_TRUE(lifecycle.openProject(path, true));
    EXPECT_EQ(hooks.opened, (Paths{doc + "three"})) << "the list goes on past a missing document";
    ASSERT_EQ(fakes.messages.numbers(), std::vector<int>{39001});
    const std::string& text = fakes.messages.shown[0].textUtf8;
    EXPECT_NE(text.find("2 件"), std::string::npos) << text;
    EXPECT_NE(text.find(doc + "one"), std::string::npos) << text;
    EXPECT_EQ(data.objectCount, 3) << "the markers stay for when the documents come back";

    // Nothing missing, nothing said.
    writeFile(doc + "one", "1\r\n");
    writeFile(doc + "two", "2\r\n");
    ASSERT_TRUE(lifecycle.closeProject(false));
    fakes.messages.shown.clear();
    ASSERT_TRUE(lifecycle.openProject(path, true));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ProjectLifecycleTest, AMovedProjectReopensItsDocuments)
{
    const std::string path = makeProject("A");
    const std::string doc = home.root() + "/A/doc/";
    writeFile(doc + "one", "1\r\n");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    ASSERT_TRUE(hooks.openDocument(doc + "one"));
    ASSERT_TRUE(lifecycle.closeProject(true));

    fs::rename(home.root() + "/A", home.root() + "/Moved");
    hooks.opened.clear();
    ASSERT_TRUE(lifecycle.openProject(home.root() + "/Moved/A.CVN", true));
    EXPECT_EQ(hooks.opened, (Paths{home.root() + "/Moved/doc/one"}));
}

TEST_F(ProjectLifecycleTest, ALowerCaseProjectFileIsSavedBackToItself)
{
    const std::string upper = makeProject("A");
    const std::string lower = home.root() + "/A/a2.cvn";
    fs::rename(upper, lower);

    ASSERT_TRUE(lifecycle.openProject(lower, true));
    EXPECT_EQ(data.name, "a2");
    addMarker("m");
    ASSERT_TRUE(lifecycle.save());
    EXPECT_FALSE(fs::exists(home.root() + "/A/a2.CVN"));
    ASSERT_TRUE(lifecycle.closeProject(false));
    ASSERT_TRUE(lifecycle.openProject(lower, true));
    EXPECT_EQ(data.objectCount, 1);
}

TEST_F(ProjectLifecycleTest, SaveWritesEvenWhenNothingChangedAndTakesTheChartScroll)
{
    const std::string path = makeProject("A");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    fs::remove(path);
    ASSERT_TRUE(lifecycle.save());
    EXPECT_TRUE(fs::is_regular_file(path));

    ASSERT_TRUE(lifecycle.toggleChart());
    hooks.scroll = ChartScroll{120, 340};
    ASSERT_TRUE(lifecycle.save());
    ASSERT_TRUE(lifecycle.closeProject(false));
    ASSERT_TRUE(lifecycle.openProject(path, true));
    EXPECT_EQ(data.chartView.scrollX, 120);
    EXPECT_EQ(data.chartView.scrollY, 340);

    ASSERT_TRUE(lifecycle.closeProject(false));
    EXPECT_FALSE(lifecycle.save()); // nothing to save without a project
}

TEST_F(ProjectLifecycleTest, TheChartChoiceCarriesOverToTheNextOpening)
{
    const std::string path = makeProject("A");
    ASSERT_TRUE(lifecycle.openProject(path, true));
    EXPECT_FALSE(data.chartShown);

    EXPECT_TRUE(lifecycle.toggleChart());
    EXPECT_EQ(read(fakes.settings, keys::ShowChart), 1);
    ASSERT_TRUE(lifecycle.closeProject(false));
    EXPECT_TRUE(hooks.saw("closeChart"));
    EXPECT_FALSE(data.chartShown);
    EXPECT_EQ(read(fakes.settings, keys::ShowChart), 1); // closing is not the user's choice

    hooks.calls.clear();
    ASSERT_TRUE(lifecycle.openProject(path, true));
    EXPECT_TRUE(hooks.saw("openChart"));
    EXPECT_TRUE(data.chartShown);

    // The user closes the chart tab: remembered like the command.
    lifecycle.chartWindowClosed();
    EXPECT_FALSE(data.chartShown);
    EXPECT_EQ(read(fakes.settings, keys::ShowChart), 0);

    // A chart window that cannot be made leaves the flag clear.
    hooks.chartOpens = false;
    EXPECT_FALSE(lifecycle.toggleChart());
    EXPECT_FALSE(data.chartShown);
    EXPECT_EQ(read(fakes.settings, keys::ShowChart), 0);
}

TEST_F(ProjectLifecycleTest, ARecentEntryWhoseFileIsMissingOffersItsRemoval)
{
    const std::string path = makeProject("A");
    fs::remove(path);
    fakes.messages.shown.clear();

    fakes.messages.answer(Answer::No);
    EXPECT_FALSE(lifecycle.openRecent(0));
    ASSERT_EQ(fakes.messages.numbers(), std::vector<int>{30017});
    EXPECT_EQ(fakes.messages.shown[0].textUtf8.rfind(path + "\n", 0), 0u);
    EXPECT_EQ(fakes.messages.shown[0].style.buttons, MessageButtons::YesNo);
    EXPECT_EQ(lifecycle.recent().entries(), (Paths{path}));

    fakes.messages.answer(Answer::Yes);
    EXPECT_FALSE(lifecycle.openRecent(0));
    EXPECT_TRUE(lifecycle.recent().entries().empty());
    EXPECT_FALSE(lifecycle.openRecent(3)); // an empty entry does nothing
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
}

} // namespace
} // namespace corvane
