// Find in the text view: the search matcher without its window, the selection rules of find
// previous, the wrap hits; and the phrase histories in the settings store.
#include "search/FindInText.h"
#include "base/MemorySettings.h"
#include "base/SettingsKeys.h"
#include "search/PhraseHistory.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::search;

namespace {

FindResult find(SjisView text, SjisView phrase, FindDirection d, ByteOffset caret,
                ByteOffset selStart = 0, ByteOffset selEnd = 0, bool caseSensitive = false)
{
    return findInText(text, FindRequest{phrase, caseSensitive, d, caret, selStart, selEnd});
}

} // namespace

TEST(FindInText, HitAcrossLineBreakSelectsWholeSpan)
{
    const auto r = find("xa\r\nb", "ab", FindDirection::Forward, 0);
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(r.hit->offset, 1);
    EXPECT_EQ(r.hit->span, 4);
}

TEST(FindInText, NeverInsideATwoByteCharacterAndNoWindow)
{
    // "@" 0x40 is the trail byte of the ideographic space 0x81 0x40.
    EXPECT_EQ(find("\x81\x40\x81\x40", "@", FindDirection::Forward, 0).status,
              FindResult::Status::NotInText);
    // 150 bytes match only when all 150 do: no "complete after 100 bytes".
    const SjisString longPhrase(150, 'k');
    SjisString text(120, 'k');
    EXPECT_EQ(find(text, longPhrase, FindDirection::Forward, 0).status,
              FindResult::Status::NotInText);
    text = "zz" + SjisString(75, 'k') + "\r\n" + SjisString(75, 'k');
    const auto r = find(text, longPhrase, FindDirection::Forward, 0);
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(r.hit->offset, 2);
    EXPECT_EQ(r.hit->span, 152);
}

TEST(FindInText, PreviousMovesOnFromACaseDifferentSelection)
{
    const SjisView text = "abc ABC abc";
    // "ABC" at 4 selected, caret at its end; the phrase is "abc" with case ignored.
    auto r = find(text, "abc", FindDirection::Backward, 7, 4, 7);
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(r.hit->offset, 0);
    // Case-sensitive: the selection differs, so the scan starts at the caret.
    r = find(text, "abc", FindDirection::Backward, 7, 4, 7, true);
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(r.hit->offset, 0);
    r = find(text, "ABC", FindDirection::Backward, 7, 4, 7, true);
    EXPECT_FALSE(r.hit);
    ASSERT_TRUE(r.wrapped);
    EXPECT_EQ(r.wrapped->offset, 4);
}

TEST(FindInText, ForwardWrapsToTheFirstHit)
{
    const auto r = find("ab ab xx", "ab", FindDirection::Forward, 5);
    EXPECT_EQ(r.status, FindResult::Status::Searched);
    EXPECT_FALSE(r.hit);
    ASSERT_TRUE(r.wrapped);
    EXPECT_EQ(r.wrapped->offset, 0);
    EXPECT_EQ(find("ab ab xx", "", FindDirection::Forward, 0).status, FindResult::Status::Invalid);
}

TEST(PhraseHistory, SaveCountClampedAndEmptyNeverStored)
{
    MemorySettings s;
    write(s, keys::SaveCnt, 3);
    EXPECT_EQ(loadPhraseHistory(s, PhraseHistory::SearchPhrase).size(), 5u);
    write(s, keys::SaveCnt, 500);
    EXPECT_EQ(loadPhraseHistory(s, PhraseHistory::RibbonSearch).size(), 100u);
    write(s, keys::SaveCnt, 5);
    for (const char* p : {"a", "b", "c", "d", "e", "f", "", "c"})
        storePhraseHistory(s, PhraseHistory::ReplacePhrase, p);
    const auto h = loadPhraseHistory(s, PhraseHistory::ReplacePhrase);
    EXPECT_EQ(h, (std::vector<SjisString>{"c", "f", "e", "d", "b"}));
    EXPECT_TRUE(loadPhraseHistory(s, PhraseHistory::SearchPhrase)[0].empty());
    storePhraseHistory(s, PhraseHistory::RibbonSearch, "x");
    clearPhraseHistory(s, PhraseHistory::RibbonSearch);
    EXPECT_TRUE(loadPhraseHistory(s, PhraseHistory::RibbonSearch)[0].empty());
}
