#include "doclist/DocTree.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::doclist;

namespace {

const SjisString kRoot(kRootLabelSjis);

std::string labels(const DocTree::Node& n)
{
    std::string out;
    for (const auto& c : n.children)
        out += (out.empty() ? "" : ",") + c->label + (c->folder ? "/" : "");
    return out;
}

} // namespace

TEST(DocTree, ScanMirrorsTheDiskSortedFoldersAndDocumentsMixed)
{
    test::TempDir dir("tree");
    dir.write("doc/B/b2", "x");
    dir.write("doc/B/a1", "x");
    dir.write("doc/a/deep/x", "x");
    dir.write("doc/C", "x");
    dir.write("doc/.C.cvtmp.Xy12z9", "a save of C in progress, or killed");
    std::filesystem::create_directories(dir / "doc/empty");

    DocTree tree;
    tree.scan(dir / "doc", [](SjisView rel) { return rel == "B\\b2"; });
    EXPECT_EQ(labels(tree.root()), "a/,B/,C,empty/");
    const DocTree::Node* b = tree.find(kRoot + "|B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(labels(*b), "a1,b2");
    EXPECT_FALSE(b->children[0]->hasMarkers);
    EXPECT_TRUE(b->children[1]->hasMarkers);
    EXPECT_EQ(tree.documentCount(), 4u);
}

TEST(DocTree, PathsOfAnItem)
{
    test::TempDir dir("paths");
    // ポ (83 7C) ends in the byte of "|", 表 (95 5C) in that of "\".
    dir.write("doc/\xe8\xa1\xa8/\xe3\x83\x9d", "x");
    DocTree tree;
    tree.scan(dir.path() + "/doc/", {});
    const SjisString item = kRoot + "|\x95\x5c|\x83\x7c";
    DocTree::Node* doc = tree.find(item);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(tree.itemPath(*doc), item);
    EXPECT_EQ(tree.relativePath(*doc), "\x95\x5c\\\x83\x7c");
    EXPECT_EQ(tree.diskPath(*doc, dir / "doc/"), dir / "doc/\xe8\xa1\xa8/\xe3\x83\x9d");
    EXPECT_EQ(tree.find(kRoot), &tree.root());
    EXPECT_EQ(tree.find(kRoot + "|nothing"), nullptr);
    EXPECT_EQ(tree.find("other|\x95\x5c"), nullptr);
}

TEST(DocTree, NamesTheRecordsCannotHoldAreLeftOut)
{
    test::TempDir dir("skip");
    dir.write("doc/A/ok", "x");
    dir.write("doc/A/back\\slash", "x");
    dir.write("doc/A/emoji\xf0\x9f\x98\x80", "x");
    dir.write("doc/A/bad\xff", "x");
    DocTree tree;
    tree.scan(dir / "doc", {});
    EXPECT_EQ(labels(*tree.find(kRoot + "|A")), "ok");
    EXPECT_EQ(tree.skippedByLastScan(), 3u);
}

TEST(DocTree, InsertAndRelabelKeepSortedOrder)
{
    DocTree tree;
    DocTree::Node& f = tree.insert(tree.root(), "m", true);
    tree.insert(f, "b", false);
    DocTree::Node& z = tree.insert(f, "z", false);
    tree.insert(f, "A", false);
    EXPECT_EQ(labels(f), "A,b,z");
    tree.relabel(z, "a0");
    EXPECT_EQ(labels(f), "A,a0,b");
    tree.remove(*f.children[0]);
    EXPECT_EQ(labels(f), "a0,b");
}

TEST(DocTree, ViewStateListsExpandedFoldersDepthFirstAndRestoresThem)
{
    test::TempDir dir("state");
    dir.write("doc/A/In/x", "x");
    dir.write("doc/B/y", "x");
    DocTree tree;
    tree.scan(dir / "doc", {});
    tree.root().expanded = true;
    tree.find(kRoot + "|A|In")->expanded = true;
    tree.find(kRoot + "|B")->expanded = true;
    const ViewState s = tree.viewState(kRoot + "|B");
    EXPECT_EQ(s.expanded, (std::vector<SjisString>{kRoot, kRoot + "|A|In", kRoot + "|B"}));

    DocTree again;
    again.scan(dir / "doc", {});
    ViewState withStale = s;
    withStale.expanded.push_back(kRoot + "|Gone");
    again.applyViewState(withStale);
    EXPECT_TRUE(again.root().expanded);
    EXPECT_FALSE(again.find(kRoot + "|A")->expanded);
    EXPECT_TRUE(again.find(kRoot + "|A|In")->expanded);
    EXPECT_TRUE(again.find(kRoot + "|B")->expanded);
}
