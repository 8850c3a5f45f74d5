#include "app/NewProjectCheck.h"

#include "TempHome.h"
#include "base/MemorySettings.h"
#include "base/SettingsKeys.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Outcome = NewProjectCheckResult::Outcome;
using test::writeFile;

class NewProjectCheckTest : public ::testing::Test
{
protected:
    test::TempHome home;
    test::ScriptedMessages messages;
};

TEST_F(NewProjectCheckTest, ChecksRunInOrderAndFocusTheirField)
{
    const std::string missing = home.root() + "/missing";
    const std::string aFile = home.root() + "/file";
    writeFile(aFile, "x");

    struct Case
    {
        std::string name, location;
        int message;
        NewProjectField focus;
    };
    const Case cases[] = {
        {"", "", 30002, NewProjectField::Name},
        {"", missing, 30002, NewProjectField::Name},
        {"P", "", 30003, NewProjectField::Location},
        {"P", missing, 30004, NewProjectField::Location},
        {"P", aFile, 30004, NewProjectField::Location},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        const NewProjectCheckResult r = checkNewProject(c.name, c.location, messages);
        EXPECT_EQ(r.outcome, Outcome::StayOpen) << c.name << "|" << c.location;
        EXPECT_EQ(r.focus, c.focus) << c.name << "|" << c.location;
        EXPECT_EQ(messages.numbers(), std::vector<int>{c.message}) << c.name << "|" << c.location;
    }
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(NewProjectCheckTest, CreatesTheProjectFolderAndItsDocFolder)
{
    const NewProjectCheckResult r = checkNewProject("Case1", home.root() + "/", messages);
    EXPECT_EQ(r.outcome, Outcome::Accepted);
    EXPECT_EQ(r.folder, home.root() + "/Case1/");
    EXPECT_EQ(r.name, "Case1");
    EXPECT_TRUE(fs::is_directory(home.root() + "/Case1/doc"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NewProjectCheckTest, FolderFailuresShowTheirMessagesWithTheErrorIcon)
{
    // A file where the project folder would go.
    writeFile(home.root() + "/Taken", "x");
    NewProjectCheckResult r = checkNewProject("Taken", home.root(), messages);
    EXPECT_EQ(r.outcome, Outcome::StayOpen);
    ASSERT_EQ(messages.numbers(), std::vector<int>{30005});
    EXPECT_EQ(messages.shown[0].style.icon, MessageIcon::Error);

    // A file where the doc folder would go.
    messages.shown.clear();
    writeFile(home.root() + "/P/doc", "x");
    r = checkNewProject("P", home.root(), messages);
    EXPECT_EQ(r.outcome, Outcome::StayOpen);
    ASSERT_EQ(messages.numbers(), std::vector<int>{30024});
    EXPECT_EQ(messages.shown[0].style.icon, MessageIcon::Error);
}

TEST_F(NewProjectCheckTest, ANameThatIsAPathMakesNoFolderAnywhere)
{
    fs::create_directories(home.root() + "/sub");
    for (const char* name : {"sub/x", "..", "."}) {
        messages.shown.clear();
        const NewProjectCheckResult r = checkNewProject(name, home.root(), messages);
        EXPECT_EQ(r.outcome, Outcome::StayOpen) << name;
        EXPECT_EQ(r.focus, NewProjectField::Name) << name;
        EXPECT_EQ(messages.numbers(), std::vector<int>{30005}) << name;
    }
    EXPECT_FALSE(fs::exists(home.root() + "/sub/x"));
    EXPECT_FALSE(fs::exists(home.root() + "/doc"));
}

TEST_F(NewProjectCheckTest, AnExistingProjectFileAsksBeforeItIsOverwritten)
{
    const std::string file = home.root() + "/P/P.CVN";
    writeFile(file, "old");

    messages.answer(Answer::No);
    NewProjectCheckResult r = checkNewProject("P", home.root(), messages);
    EXPECT_EQ(r.outcome, Outcome::Cancelled);
    ASSERT_EQ(messages.numbers(), std::vector<int>{30006});
    EXPECT_EQ(messages.shown[0].style.buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[0].style.icon, MessageIcon::Question);
    EXPECT_EQ(test::readFile(file), "old");

    messages.answer(Answer::Yes);
    r = checkNewProject("P", home.root(), messages);
    EXPECT_EQ(r.outcome, Outcome::Accepted);
}

TEST(NewProjectDefaults, LocationIsTheParentOfTheLastProjectFolder)
{
    struct Case
    {
        const char* proPath;
        const char* location;
    };
    const Case cases[] = {
        {"/w/cases/Case1/", "/w/cases"},
        {"/Case1/", "/"},
        {"", "/cwd"},
        {"/w/cases/Case1", "/cwd"}, // no trailing separator
        {"Case1/", "/cwd"},         // no parent
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        write(settings, keys::ProPath, c.proPath);
        write(settings, keys::ProName, "\x88\xc4"); // "案"
        const NewProjectDefaults d = newProjectDefaults(settings, "/cwd");
        EXPECT_EQ(d.locationUtf8, c.location) << c.proPath;
        EXPECT_EQ(d.nameUtf8, "\xE6\xA1\x88");
    }
}

} // namespace
} // namespace corvane
