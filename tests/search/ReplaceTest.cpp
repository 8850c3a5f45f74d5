// Batch replace: the marker rules hit by hit, markers and bookmarks after a run, closed and open
// documents, and dictionaries.
#include "search/Replace.h"
#include "base/Codec.h"
#include "base/Sjis.h"
#include "search/Dictionary.h"
#include "textview/EditFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace corvane::search {
namespace {

SjisString sj(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

Rewrite run(SjisView text, SjisView before, SjisView after, std::vector<MarkerSpan> markers = {})
{
    return rewrite(text, Matcher(before, true), after, markers);
}

TEST(Rewrite, MarkerRulesDecideEachHit)
{
    // ab -> xyz where a marker starts right after the hit: q + n lies on it, refused.
    auto touching = run("ab cd", "ab", "xyz", {{2, 2}});
    EXPECT_EQ(touching.text, "ab cd");
    EXPECT_EQ(touching.refused, 1);
    EXPECT_EQ(touching.refusedOther, 0);
    // Same length inside a marker: done, and the marker's text must be read again.
    auto same = run("zabz", "ab", "xy", {{0, 4}});
    EXPECT_EQ(same.text, "zxyz");
    EXPECT_TRUE(same.equalLengthTouched);
    // Shorter before a marker further on: the marker moves back by one.
    std::vector<MarkerSpan> markers{{5, 2}};
    auto shorter = rewrite("ab   cd", Matcher("ab", true), "x", markers);
    EXPECT_EQ(shorter.text, "x   cd");
    EXPECT_EQ(markers[0].position, 4);
    // A hit across a line break is never rewritten.
    auto across = run("a\r\nb ab", "ab", "xy");
    EXPECT_EQ(across.text, "a\r\nb xy");
    EXPECT_EQ(across.refused, 1);
    EXPECT_EQ(across.refusedOther, 1);
    // Equal length that would put a marker's edge inside a two-byte character: refused.
    auto split = run("xab", "ab", sj("あ"), {{2, 1}});
    EXPECT_EQ(split.text, "xab");
    EXPECT_EQ(split.refused, 1);
    // Case ignored: the stored bytes outside hits are kept as they were.
    auto folded = rewrite("Ab aB", Matcher("ab", false), "c", markers = {});
    EXPECT_EQ(folded.text, "c c");
}

TEST(Rewrite, MarkersStillCoverTheirTextOnRandomTexts)
{
    std::mt19937 rng(7);
    const std::vector<SjisString> pieces = {"a", "b", "ab", "\r\n", "\x82\xa0", "c"};
    const std::vector<SjisString> replacements = {"", "x", "xy", "xyz", "\x82\xa2"};
    for (int round = 0; round < 2000; ++round) {
        SjisString text;
        const int n = 5 + static_cast<int>(rng() % 30);
        for (int i = 0; i < n; ++i)
            text += pieces[rng() % pieces.size()];
        // Markers on character boundaries.
        std::vector<MarkerSpan> markers;
        std::vector<SjisString> covered;
        for (int k = 0; k < 3; ++k) {
            std::size_t p = 0;
            const std::size_t steps = rng() % 10;
            for (std::size_t s = 0; s < steps && p < text.size(); ++s)
                p = sjis::nextChar(text, p);
            std::size_t e = p;
            for (std::size_t s = 0; s < 1 + rng() % 4 && e < text.size(); ++s)
                e = sjis::nextChar(text, e);
            if (e == p)
                continue;
            markers.push_back({static_cast<ByteOffset>(p), static_cast<std::int32_t>(e - p)});
            covered.push_back(text.substr(p, e - p));
        }
        const SjisString after = replacements[rng() % replacements.size()];
        auto rw = rewrite(text, Matcher("ab", true), after, markers);
        if (after.size() == 2)
            continue; // equal length: texts are read again instead
        for (std::size_t k = 0; k < markers.size(); ++k)
            ASSERT_EQ(rw.text.substr(static_cast<std::size_t>(markers[k].position),
                                     static_cast<std::size_t>(markers[k].length)),
                      covered[k])
                << round << " " << text;
    }
}

TEST(Dictionary, FileFormatAndOrder)
{
    SjisString file = "ab\tX\r\nno tab here\nabc\tY\twith tab\r\n";
    for (int i = 0; i < 600; ++i)
        file += "p\tq\r\n";
    const auto pairs = parseDictionary(file);
    ASSERT_EQ(pairs.size(), 499u); // 500 lines read, one without a tab
    EXPECT_EQ(pairs[1].before, "abc");
    EXPECT_EQ(pairs[1].after, "Y\twith tab");
    EXPECT_EQ(parseDictionary(formatDictionary(pairs)).size(), 499u);
    EXPECT_EQ(formatDictionary({{"a", "b"}}), "a\tb\r\n");
    // A UTF-8 file from a Linux editor is converted, not left matching nothing.
    const auto utf8 = parseDictionary("請求項\t特許請求\n");
    ASSERT_EQ(utf8.size(), 1u);
    EXPECT_EQ(utf8[0].before, sj("請求項"));

    // ab/X then abc/Y in file order: abc becomes Xc. The dialog puts abc/Y first: Y.
    std::vector<ReplacePair> dic{{"ab", "X"}};
    EXPECT_EQ(insertPosition(dic, "abc"), 0u);
    EXPECT_EQ(insertPosition(dic, "zz"), 1u);
    EXPECT_EQ(reversed(dic)[0].before, "X");
}

class ReplaceRun : public test::EditTest
{
protected:
    ReplaceRun()
    {
        std::filesystem::create_directory(dir.path / "doc");
        docFolder = (dir.path / "doc").string() + "/";
    }
    TargetDocument closed(const std::string& name, const std::string& text)
    {
        const std::string path = dir.file("doc/" + name, text);
        ::chmod(path.c_str(), 0444);
        return {name, path, nullptr};
    }
    std::string docFolder;
};

TEST_F(ReplaceRun, DictionaryInFileOrderMovesMarkersAndBookmarks)
{
    auto doc = closed("d1", "abc ab z");
    putMarker(1, 7, 1, "d1");
    putBookmark(0, 4, "d1"); // inside the second hit: moves to its start
    putBookmark(1, 7, "d1");
    const auto totals = runReplace(project, {doc}, {{"ab", "X"}, {"abc", "Y"}, {"", "Q"}}, true);
    EXPECT_EQ(totals.failure, 0);
    EXPECT_EQ(totals.pairsRun, 2);
    EXPECT_EQ(totals.hits, 2);
    EXPECT_EQ(totals.documentsContaining, 1);
    EXPECT_EQ(test::TempDir::read(doc.diskPath), "Xc X z");
    struct stat info
    {
    };
    ASSERT_EQ(::stat(doc.diskPath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0222, 0u); // documents stay read-only
    EXPECT_EQ(object(0).position, 5);
    EXPECT_EQ(bookmark(1), 5);
    EXPECT_EQ(bookmark(0), 3);
    EXPECT_TRUE(project.modified);

    const auto back = runReplace(project, {doc}, reversed({{"ab", "X"}}), true);
    EXPECT_EQ(back.hits, 2);
    EXPECT_EQ(test::TempDir::read(doc.diskPath), "abc ab z");
    EXPECT_EQ(object(0).position, 7);
}

TEST_F(ReplaceRun, EqualLengthRereadsMarkerTextsAndEmptyDeletes)
{
    auto doc = closed("d1", "zabz ab q");
    putMarker(1, 0, 4, "d1");
    putMarker(2, 8, 1, "d1");
    setFixedText(project.objects[0].secondText, "zabz");
    runReplace(project, {doc}, {{"ab", "xy"}}, true);
    EXPECT_EQ(fixedText(object(0).secondText), "zxyz");
    runReplace(project, {doc}, {{"xy", ""}}, true);
    EXPECT_EQ(test::TempDir::read(doc.diskPath), "zxyz  q"); // the marked one is refused
    EXPECT_EQ(object(1).position, 6);
    EXPECT_EQ(replaceSummary({1, 1, 2, 1, 0, 1, 1, false, 0, {}}),
              sj("置換対象文献数 1件\n置換実施文献数 1件\n置換数 1件\n置換不能数 1件\n"
                 "※ 置換前後の字数が異なり、マーカと重なる場合は置換できません\n\n"));
}

TEST_F(ReplaceRun, OpenDocumentsAreRewrittenInTheirOpenText)
{
    TextDocument& open = openDocument("ab ab", 0);
    const std::string before = test::TempDir::read(dir.path / "doc1");
    open.insert(0, "q");
    putMarker(1, 4, 1);
    const auto totals =
        runReplace(project, {{"doc1", (dir.path / "doc1").string(), &open}}, {{"ab", "x"}}, true);
    EXPECT_EQ(totals.hits, 2);
    EXPECT_EQ(totals.refused, 1); // the second hit holds the marker
    EXPECT_EQ(open.text(), "qx ab");
    EXPECT_TRUE(open.isModified());
    EXPECT_EQ(object(0).position, 3);
    EXPECT_EQ(test::TempDir::read((dir.path / "doc1").string()), before); // disk untouched
    EXPECT_EQ(open.undo().status,
              EditStatus::Nothing); // byte offsets of old records no longer hold
}

TEST_F(ReplaceRun, AFailureStopsTheRunAndKeepsWhatWasDone)
{
    auto first = closed("d1", "ab");
    auto second = closed("d2", "ab");
    putMarker(1, 0, 2, "d2");
    // The second document vanished and a folder stands at its name: it cannot be read.
    std::filesystem::remove(second.diskPath);
    std::filesystem::create_directories(second.diskPath + "/x");
    const auto totals = runReplace(project, {first, second}, {{"ab", "xyz"}}, true);
    EXPECT_EQ(totals.failure, 30027);
    EXPECT_EQ(totals.failedPath, second.diskPath);
    EXPECT_EQ(totals.documentsWritten, 1);
    EXPECT_EQ(test::TempDir::read(first.diskPath), "xyz");
    EXPECT_EQ(object(0).position, 0);
}

} // namespace
} // namespace corvane::search
