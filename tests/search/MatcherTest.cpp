// The matcher's rules, checked against a plain byte-by-byte walk on random Shift-JIS texts, and
// the results lists' texts.
#include "search/Matcher.h"
#include "base/Codec.h"
#include "base/Sjis.h"
#include "search/SearchRun.h"
#include "textview/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace corvane::search {
namespace {

std::vector<Hit> hits(SjisView text, SjisView phrase, bool caseSensitive = true,
                      std::int32_t window = kSearchWindow)
{
    Matcher m(phrase, caseSensitive, window);
    const SjisString prepared = m.prepare(text);
    std::vector<Hit> out;
    m.forEach(prepared, [&](const Hit& h) {
        out.push_back(h);
        return true;
    });
    return out;
}

std::vector<ByteOffset> offsets(const std::vector<Hit>& hs)
{
    std::vector<ByteOffset> out;
    for (const auto& h : hs)
        out.push_back(h.offset);
    return out;
}

SjisString sj(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

TEST(Matcher, CaseFoldingTouchesOnlyAsciiLetters)
{
    const SjisString text = "abc ABC aBc " + sj("ａｂｃ");
    EXPECT_EQ(offsets(hits(text, "abc", false)), (std::vector<ByteOffset>{0, 4, 8}));
    EXPECT_EQ(offsets(hits(text, "abc", true)), (std::vector<ByteOffset>{0}));
    EXPECT_EQ(offsets(hits(text, sj("ａｂｃ"), false)), (std::vector<ByteOffset>{12}));
    // A trail byte that looks like a letter is not folded: "ヂ" is 0x83 0x61 ("a").
    EXPECT_TRUE(hits(sj("ヂ"), "A", false).empty());
}

TEST(Matcher, HitsRunAcrossLineBreaksAndNeverStartOnTrailBytes)
{
    const auto across = hits("a\r\nb", "ab");
    ASSERT_EQ(across.size(), 1u);
    EXPECT_EQ(across[0].offset, 0);
    EXPECT_EQ(across[0].span, 4);
    EXPECT_EQ(excerptAt("a\r\nb", 0), "ab");

    // "@" (0x40) is the trail byte of the ideographic space 0x81 0x40.
    EXPECT_EQ(offsets(hits(sj("　@　"), "@")), (std::vector<ByteOffset>{2}));
    EXPECT_TRUE(hits("\r\n\r\n", "\r").empty()); // such a phrase is refused, never loops
    // A break between a lead byte and its trail byte (a damaged text) is not skipped.
    EXPECT_TRUE(hits("\x90\r\n\xbf", "\x90\xbf").empty());
    EXPECT_TRUE(hits("\x82\r\n\xcc", "\x82\xcc").empty());
    EXPECT_FALSE(Matcher("", true).valid());
}

TEST(Matcher, HitsNeverShareABytes)
{
    EXPECT_EQ(offsets(hits("aaaa", "aa")), (std::vector<ByteOffset>{0, 2}));
    // The hit covers a, CR, LF, a: the walk goes on after all four bytes, not after two.
    const auto h = hits("a\r\naa", "aa");
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(h[0].span, 4);
}

TEST(Matcher, WindowLimitsSearchButNotFind)
{
    const SjisString text = "a" + SjisString(100, '\n') + "b";
    EXPECT_TRUE(hits(text, "ab").empty());
    const auto found = hits(text, "ab", true, 0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].span, 102);
    // A long phrase must match in full: no "complete after 100 bytes" shortcut.
    const SjisString longPhrase(150, 'x');
    EXPECT_TRUE(hits(SjisString(149, 'x') + "y", longPhrase, true, 0).empty());
    EXPECT_EQ(hits(SjisString(150, 'x'), longPhrase, true, 0).size(), 1u);
}

TEST(Matcher, PreviousAgreesWithNext)
{
    Matcher m("aa", true, 0);
    const SjisString text = "aaaaa";
    EXPECT_EQ(m.previous(text, 5)->offset, 2);
    EXPECT_EQ(m.previous(text, 2)->offset, 0);
    EXPECT_FALSE(m.previous(text, 0));
}

/// The rules written out plainly: every character boundary, compare with CR and LF skipped
/// between the phrase's characters.
std::vector<Hit> reference(SjisView text, SjisView phrase)
{
    std::vector<bool> charStart(phrase.size() + 1, false);
    for (std::size_t k = 0; k < phrase.size(); k = sjis::nextChar(phrase, k))
        charStart[k] = true;
    std::vector<Hit> out;
    std::size_t p = 0;
    while (p < text.size()) {
        if (text[p] != '\r' && text[p] != '\n') {
            std::size_t k = 0;
            std::size_t q = p;
            while (q < text.size() && q - p < 100 && k < phrase.size()) {
                if ((text[q] == '\r' || text[q] == '\n') && charStart[k]) {
                    ++q;
                    continue;
                }
                if (text[q] != phrase[k])
                    break;
                ++q;
                ++k;
            }
            if (k == phrase.size()) {
                out.push_back({static_cast<ByteOffset>(p), static_cast<std::int32_t>(q - p)});
                p = q;
                continue;
            }
        }
        p = sjis::nextChar(text, p);
    }
    return out;
}

TEST(Matcher, AgreesWithThePlainWalkOnRandomTexts)
{
    // Characters chosen so that trail bytes equal ASCII bytes and lead-range bytes run long, with
    // kana and symbol rows as well as kanji rows first (the matcher finds those differently).
    const std::vector<SjisString> pieces = {"a",        "@",        "\r\n",     "\n",
                                            "\r",       "\x81\x40", "\x82\x60", "\x81\x81",
                                            "\x83\x61", "b",        "\x93\x81", "\x8a\x61"};
    std::mt19937 rng(13);
    for (int round = 0; round < 5000; ++round) {
        std::vector<SjisString> phrasePieces;
        const int k = 1 + static_cast<int>(rng() % 3);
        for (int i = 0; i < k; ++i) {
            const SjisString& piece = pieces[rng() % pieces.size()];
            phrasePieces.push_back(piece == "\r\n" || piece == "\n" ? SjisString("a") : piece);
        }
        SjisString phrase;
        for (const SjisString& piece : phrasePieces)
            phrase += piece;
        // Random pieces, and in every other text copies of the phrase with line breaks between
        // its characters, so that whole and split hits are common.
        SjisString text;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            if (round % 2 == 0 && rng() % 8 == 0) {
                for (const SjisString& piece : phrasePieces)
                    text += piece + (rng() % 3 == 0 ? pieces[2 + rng() % 3] : SjisString());
            } else {
                text += pieces[rng() % pieces.size()];
            }
        }
        const auto expected = reference(text, phrase);
        const auto got = hits(text, phrase);
        ASSERT_EQ(got.size(), expected.size()) << round;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].offset, expected[i].offset) << round;
            EXPECT_EQ(got[i].span, expected[i].span) << round;
            // Every hit's bytes, line breaks left out, are the phrase.
            SjisString bytes;
            for (char c : SjisView(text).substr(static_cast<std::size_t>(got[i].offset),
                                                static_cast<std::size_t>(got[i].span)))
                if (c != '\r' && c != '\n')
                    bytes += c;
            EXPECT_EQ(bytes, phrase);
        }
    }
}

TEST(SearchRun, ListsAThousandHitsThenStops)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.path / "doc");
    const std::string docFolder = (dir.path / "doc").string() + "/";
    dir.file("doc/one", SjisString(1500, 'x'));
    std::filesystem::create_directory(dir.path / "doc" / "F");
    dir.file("doc/F/two", "xx\r\nxxx\r\nx");
    std::filesystem::create_directory(dir.path / "doc" / "F" / "deeper");
    dir.file("doc/F/deeper/three", "x");

    const auto all = targetDocuments(docFolder, nullptr, "", {});
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 3u);
    const auto folder = targetDocuments(docFolder, nullptr, "", {TargetKey::Kind::Folder, "F"});
    ASSERT_TRUE(folder);
    ASSERT_EQ(folder->size(), 1u); // sub-folders are not entered
    EXPECT_EQ((*folder)[0].relativePath, "F\\two");
    EXPECT_FALSE(targetDocuments(docFolder, nullptr, "", {TargetKey::Kind::Folder, "none"}));
    EXPECT_EQ(topLevelFolders(docFolder), std::vector<SjisString>{"F"});

    const Matcher m("x", true);
    const auto limited = runSearch(m, *all, kHitLimit, true);
    EXPECT_TRUE(limited.limitReached);
    EXPECT_EQ(limited.rows.size(), 1000u);
    const auto counted = runSearch(m, *all, 0, false);
    EXPECT_EQ(counted.hits, 1507);
    EXPECT_EQ(counted.documentsSearched, 3);

    const auto inFolder = runSearch(Matcher("xx", true), *folder, kHitLimit, true);
    ASSERT_EQ(inFolder.rows.size(), 3u);
    EXPECT_EQ(inFolder.rows[1].line, 1);
    EXPECT_EQ(hitRowText(1, inFolder.rows[0]), "0001 xxxxxx<F\\two><0-2>");
    // The length field is the span, line break included.
    const SjisString last = hitRowText(3, inFolder.rows[2]);
    EXPECT_EQ(last, "0003 xx<F\\two><6-4>");
    const auto address = parseHitRow(last);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->relativePath, "F\\two");
    EXPECT_EQ(address->offset, 6);
    EXPECT_EQ(address->span, 4);
    EXPECT_FALSE(parseHitRow(searchSummary(3, 4)));
}

TEST(SearchRun, PhraseHistoryAndTexts)
{
    EXPECT_EQ(clampSaveCount(3), 5);
    EXPECT_EQ(clampSaveCount(500), 100);
    const std::vector<SjisString> history = {"a", "b", "c", "d", "e", "f"};
    EXPECT_EQ(storePhrase(history, "c", 5), (std::vector<SjisString>{"c", "a", "b", "d", "e"}));
    EXPECT_EQ(storePhrase(history, "", 5), history);
    EXPECT_EQ(withoutLineBreaks("a\r\nb\rc\n"), "abc");
    EXPECT_EQ(searchSummary(3, 12), sj("検索文献数 3件、ヒット数 12件"));
    EXPECT_EQ(conditionSentence(sj("現在の文献"), "ab", std::nullopt, false),
              sj("「現在の文献」の中から「ab」を大文字・小文字を区別しないで検索…"));
    EXPECT_EQ(conditionSentence(sj("現在の文献"), "ab", SjisString("x"), true),
              sj("「現在の文献」の中から「ab」を「x」に大文字・小文字を区別して"));
}

TEST(Matcher, FoldingWhileComparingFindsWhatAFoldedCopyFinds)
{
    // Case is folded while comparing; the hits must be those of a case-sensitive search for the
    // upper-case phrase in an upper-cased copy, as the folding rules define them.
    std::mt19937 rng(11);
    const std::vector<SjisString> pieces = {"a",        "A",        "b",        "B",        "\r\n",
                                            "\x82\x60", "\x82\x81", "\x90\x61", "\x90\x41", "z"};
    const std::vector<SjisString> phrases = {"ab", "Ab",
                                             "\x90\x61"
                                             "b",
                                             "a\x82\x81", "z\x90\x41"};
    for (int round = 0; round < 5000; ++round) {
        SjisString text;
        for (int i = 0, n = 3 + int(rng() % 25); i < n; ++i)
            text += pieces[rng() % pieces.size()];
        const SjisString& phrase = phrases[rng() % phrases.size()];
        std::vector<Hit> folding, copied;
        Matcher(phrase, false).forEach(text, [&](const Hit& h) {
            folding.push_back(h);
            return true;
        });
        Matcher(sjis::toUpperAscii(phrase), true)
            .forEach(sjis::toUpperAscii(text), [&](const Hit& h) {
                copied.push_back(h);
                return true;
            });
        ASSERT_EQ(folding.size(), copied.size()) << round;
        for (std::size_t i = 0; i < folding.size(); ++i) {
            ASSERT_EQ(folding[i].offset, copied[i].offset) << round;
            ASSERT_EQ(folding[i].span, copied[i].span) << round;
        }
    }
}

} // namespace
} // namespace corvane::search
