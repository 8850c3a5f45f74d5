#include "doclist/DocListOps.h"
#include "TempDir.h"
#include "doclist/FileUtil.h"
#include "doclist/NameRules.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::doclist;

namespace {

const SjisString kRoot(kRootLabelSjis);

class RecordingWindows : public DocumentWindows
{
public:
    explicit RecordingWindows(ProjectData& p) : project(p) {}
    bool openDocument(const std::string& full) override
    {
        opened.push_back(full);
        project.openDocuments.push_back(full);
        return true;
    }
    void closeDocument(const std::string& full) override
    {
        closed.push_back(full);
        std::erase(project.openDocuments, full);
    }
    void documentRenamed(const std::string& from, const std::string& to) override
    {
        renamed.push_back(from + " -> " + to);
    }
    ProjectData& project;
    std::vector<std::string> opened, closed, renamed;
};

class DocListOpsTest : public ::testing::Test
{
protected:
    DocListOpsTest()
    {
        project.folder = dir.path() + "/";
        project.name = "p";
        std::filesystem::create_directories(dir / "doc");
    }

    void addMarker(ObjectId id, SjisView document)
    {
        ObjectRecord* r = ObjectTable(project).appendZeroed();
        r->id = id;
        r->type = ObjectType::Marker;
        setFixedText(r->document, document);
    }
    SjisView markerDocument(int index) { return fixedText(project.objects[index].document); }
    DocTree::Node* node(const SjisString& below) { return tree.find(kRoot + "|" + below); }

    test::TempDir dir{"ops"};
    ProjectData project;
    test::FakeServices fakes;
    DocTree tree;
    RecordingWindows windows{project};
    DocListOps ops{project, fakes.services, tree, windows};
};

} // namespace

TEST_F(DocListOpsTest, RebuildMarksDocumentsWithMarkersAndRestoresTheViewState)
{
    dir.write("doc/A/one", "x");
    dir.write("doc/A/two", "x");
    addMarker(1, "A\\two");
    ops.rebuild(false);
    EXPECT_FALSE(node("A|one")->hasMarkers);
    EXPECT_TRUE(node("A|two")->hasMarkers);

    tree.root().expanded = true;
    node("A")->expanded = true;
    ASSERT_TRUE(ops.writeViewState(kRoot + "|A"));
    EXPECT_EQ(test::TempDir::read(dir / "p.toc"),
              kRoot + "|A\r\n" + kRoot + "\r\n" + kRoot + "|A\r\n");
    // A close and reopen: the tree is read from the disk again and the state restored.
    tree.clear();
    EXPECT_EQ(ops.rebuild(true).value_or(""), kRoot + "|A");
    EXPECT_TRUE(node("A")->expanded);
}

TEST_F(DocListOpsTest, NewFolderNumbering)
{
    ops.rebuild(false);
    DocTree::Node* first = ops.newFolder(tree.root());
    DocTree::Node* second = ops.newFolder(tree.root());
    DocTree::Node* third = ops.newFolder(tree.root());
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(third->label, SjisString(kNewFolderSjis) + "2");
    EXPECT_TRUE(isDirectory(dir / "doc/\xe6\x96\xb0\xe3\x81\x97\xe3\x81\x84\xe3\x83\x95\xe3\x82\xa9"
                                  "\xe3\x83\xab\xe3\x83\x80"
                                  "2"));
    EXPECT_TRUE(tree.root().expanded);
}

TEST_F(DocListOpsTest, RenameDocumentMovesItsMarkersByteExactly)
{
    dir.write("doc/A/old", "x");
    dir.write("doc/A/older", "x");
    addMarker(1, "A\\old");
    addMarker(2, "A\\older"); // a longer name with the same prefix is another document
    addMarker(3, "a\\old");   // the comparison is byte-exact, not case-folding
    project.textView.bookmarkPosition[2] = 5;
    setFixedText(project.textView.bookmarkPath[2], "A\\old");
    project.openDocuments.push_back(dir / "doc/A/old");
    ops.rebuild(false);

    ASSERT_TRUE(ops.rename(*node("A|old"), "\xe8\xa1\xa8")); // 表, trail byte 0x5C
    EXPECT_EQ(markerDocument(0), "A\\\x95\x5c");
    EXPECT_EQ(markerDocument(1), "A\\older");
    EXPECT_EQ(markerDocument(2), "a\\old");
    EXPECT_EQ(fixedText(project.textView.bookmarkPath[2]), "A\\\x95\x5c");
    EXPECT_TRUE(isRegularFile(dir / "doc/A/\xe8\xa1\xa8"));
    EXPECT_EQ(project.openDocuments[0], dir / "doc/A/\xe8\xa1\xa8");
    ASSERT_EQ(windows.renamed.size(), 1u);
    EXPECT_NE(node("A|\x95\x5c"), nullptr);
    EXPECT_TRUE(project.modified);
}

TEST_F(DocListOpsTest, RenameFolderMovesTheMarkersOfEveryDocumentInside)
{
    dir.write("doc/A/In/d", "x");
    addMarker(1, "A\\In\\d");
    project.openDocuments.push_back(dir / "doc/A/In/d");
    ops.rebuild(false);
    ASSERT_TRUE(ops.rename(*node("A"), "B"));
    EXPECT_EQ(markerDocument(0), "B\\In\\d");
    EXPECT_EQ(project.openDocuments[0], dir / "doc/B/In/d");
    EXPECT_NE(node("B|In|d"), nullptr);
}

TEST_F(DocListOpsTest, RenameOntoAnExistingNameChangesNothing)
{
    dir.write("doc/A/a", "first");
    dir.write("doc/A/b", "second");
    addMarker(1, "A\\a");
    ops.rebuild(false);
    EXPECT_FALSE(ops.rename(*node("A|a"), "b"));
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30046});
    EXPECT_EQ(test::TempDir::read(dir / "doc/A/b"), "second");
    EXPECT_EQ(markerDocument(0), "A\\a");
    EXPECT_NE(node("A|a"), nullptr);
}

TEST_F(DocListOpsTest, RenameThatWouldOverflowARecordPathIsRefused)
{
    const std::string longFolder(200, 'f');
    dir.write("doc/" + longFolder + "/d", "x");
    addMarker(1, longFolder + "\\d");
    ops.rebuild(false);
    EXPECT_FALSE(ops.rename(*node(longFolder + "|d"), std::string(80, 'n')));
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30044});
    EXPECT_EQ(markerDocument(0), longFolder + "\\d");
    EXPECT_TRUE(isRegularFile(dir / ("doc/" + longFolder + "/d")));
}

TEST_F(DocListOpsTest, DeleteDocumentRemovesFileMarkersAndViewAndCollapsesEmptyFolder)
{
    dir.write("doc/A/d", "x");
    setReadOnly(dir / "doc/A/d", true);
    addMarker(1, "A\\d");
    addMarker(2, "A\\other");
    project.openDocuments.push_back(dir / "doc/A/d");
    ops.rebuild(false);
    node("A")->expanded = true;

    fakes.messages.answer(Answer::Yes);
    ASSERT_TRUE(ops.confirmAndDelete(*node("A|d")));
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30083});
    EXPECT_EQ(fakes.messages.shown[0].textUtf8.rfind("d\n====================\n\xe3\x82\x92", 0),
              0u);
    EXPECT_FALSE(pathExists(dir / "doc/A/d"));
    EXPECT_EQ(windows.closed, std::vector<std::string>{dir / "doc/A/d"});
    ASSERT_EQ(project.objectCount, 1);
    EXPECT_EQ(markerDocument(0), "A\\other");
    EXPECT_FALSE(node("A")->expanded);
    EXPECT_TRUE(node("A")->children.empty());
}

TEST_F(DocListOpsTest, DeleteAnsweredNoAndRootAreLeftAlone)
{
    dir.write("doc/A/d", "x");
    ops.rebuild(false);
    fakes.messages.answer(Answer::No);
    EXPECT_FALSE(ops.confirmAndDelete(*node("A")));
    EXPECT_TRUE(pathExists(dir / "doc/A/d"));
    EXPECT_FALSE(ops.confirmAndDelete(tree.root()));
}

TEST_F(DocListOpsTest, DeleteFolderDepthFirst)
{
    dir.write("doc/A/In/d1", "x");
    dir.write("doc/A/d2", "x");
    dir.write("doc/Keep/k", "x");
    addMarker(1, "A\\In\\d1");
    ops.rebuild(false);
    ASSERT_TRUE(ops.remove(*node("A")));
    EXPECT_FALSE(pathExists(dir / "doc/A"));
    EXPECT_EQ(project.objectCount, 0);
    EXPECT_EQ(node("A"), nullptr);
    EXPECT_NE(node("Keep|k"), nullptr);
}

TEST_F(DocListOpsTest, DropRules)
{
    const std::string file = dir.write("in/a.txt", "a");
    const std::string folder = dir / "in";
    ops.rebuild(false);
    EXPECT_EQ(ops.dropTarget(&tree.root(), {file}).number, 30080);
    dir.write("doc/A/d", "x");
    ops.rebuild(false);
    EXPECT_EQ(ops.dropTarget(&tree.root(), {file}).number, 30110);
    EXPECT_EQ(ops.dropTarget(nullptr, {file}).number, 0);
    EXPECT_EQ(ops.dropTarget(nullptr, {file}).folder, nullptr);
    // On a document: its folder. A mix with a folder adds nothing.
    EXPECT_EQ(ops.dropTarget(node("A|d"), {file}).folder, node("A"));
    const DropDecision mixed = ops.dropTarget(node("A"), {file, folder});
    EXPECT_EQ(mixed.folder, nullptr);
    EXPECT_EQ(mixed.number, 30009);
    project.name.clear();
    EXPECT_EQ(ops.dropTarget(node("A"), {file}).number, 30023);
}

TEST_F(DocListOpsTest, ImportIntoInsertsDocumentsAndMarksModified)
{
    dir.write("doc/A/keep", "x");
    ops.rebuild(false);
    WordConversion word{[](const std::string&) { return std::string(); }};
    DocumentImporter importer(fakes.messages, word);
    const auto added = ops.importInto(
        *node("A"), {dir.write("in/new.txt", "n"), dir.write("in/keep.txt", "k")}, importer);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0], node("A|new"));
    EXPECT_TRUE(project.modified);
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30067});
}

TEST_F(DocListOpsTest, OpenLimitAndMissingFile)
{
    for (int i = 0; i < 21; ++i)
        dir.write("doc/A/d" + std::to_string(100 + i), "x");
    ops.rebuild(false);
    EXPECT_EQ(ops.openAllIn(*node("A")), 20);
    EXPECT_EQ(fakes.messages.numbers(), std::vector<int>{30007});
    DocTree::Node* last = node("A|d120");
    EXPECT_FALSE(ops.canOpen(*last));
    EXPECT_FALSE(ops.canOpen(*node("A|d100"))); // already open
    EXPECT_FALSE(ops.open(*last));
    EXPECT_EQ(windows.opened.size(), 20u);

    windows.closeDocument(dir / "doc/A/d100");
    EXPECT_TRUE(ops.canOpen(*last));
    std::filesystem::remove(dir / "doc/A/d120");
    EXPECT_FALSE(ops.open(*last));
    EXPECT_EQ(fakes.messages.numbers().back(), 30014);
}

TEST_F(DocListOpsTest, NewEmptyDocumentIsCrLfAndNeverReplacesOne)
{
    dir.write("doc/A/x", "keep");
    ops.rebuild(false);
    bool exists = false;
    EXPECT_EQ(ops.createEmptyDocument(*node("A"), "x", exists), nullptr);
    EXPECT_TRUE(exists);
    EXPECT_EQ(test::TempDir::read(dir / "doc/A/x"), "keep");
    DocTree::Node* made = ops.createEmptyDocument(*node("A"), "y", exists);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(test::TempDir::read(dir / "doc/A/y"), "\r\n");
}

TEST_F(DocListOpsTest, PropertiesRows)
{
    dir.write("doc/A/d", std::string(1536, 'x'));
    addMarker(1, "A\\d");
    addMarker(2, "A\\d");
    ops.rebuild(false);
    const DocumentProperties p = ops.properties(*node("A|d"));
    EXPECT_EQ(p.diskPath, dir / "doc/A/d");
    EXPECT_EQ(p.sizeText, "1.5KB (1536bytes)");
    EXPECT_EQ(p.createdText.size(), 19u); // 2026.01.02 03:04:05
    EXPECT_EQ(p.markerCount, 2);
}
