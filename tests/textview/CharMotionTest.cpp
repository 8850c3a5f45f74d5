// Caret steps, the bytes Delete and Backspace take, and the word selection of a Ctrl+click.
#include "textview/CharMotion.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace motion;

TEST(CharMotion, CaretStepsOverTwoByteCharactersAndCrLfAsOne)
{
    // "a", two-byte (trail byte 0x5C), CR LF, lone LF, "b"
    const SjisView text = "a\x83\x5c\r\n\nb";
    std::vector<ByteOffset> forward{0};
    while (forward.back() < static_cast<ByteOffset>(text.size()))
        forward.push_back(nextCaretPosition(text, forward.back()));
    EXPECT_EQ(forward, (std::vector<ByteOffset>{0, 1, 3, 5, 6, 7}));
    std::vector<ByteOffset> backward{7};
    while (backward.back() > 0)
        backward.push_back(previousCaretPosition(text, backward.back()));
    EXPECT_EQ(backward, (std::vector<ByteOffset>{7, 6, 5, 3, 1, 0}));
    for (ByteOffset at = -1; at <= 8; ++at) {
        const bool expected = at == 0 || at == 1 || at == 3 || at == 5 || at == 6 || at == 7;
        EXPECT_EQ(isCaretPosition(text, at), expected) << at;
        EXPECT_TRUE(isCaretPosition(text, snapToCaretPosition(text, at))) << at;
    }
    EXPECT_EQ(snapToCaretPosition(text, 2), 1);
    EXPECT_EQ(snapToCaretPosition(text, 4), 3);
}

TEST(CharMotion, DeleteAndBackspaceRanges)
{
    const SjisView text = "\x82\xa0\r\nx";
    EXPECT_EQ(deleteForwardRange(text, 0).end, 2);
    EXPECT_EQ(deleteForwardRange(text, 2).end, 4);
    EXPECT_EQ(deleteForwardRange(text, 4).end, 5); // the last character
    EXPECT_TRUE(deleteForwardRange(text, 5).empty());
    EXPECT_EQ(backspaceRange(text, 4).begin, 2);
    EXPECT_EQ(backspaceRange(text, 2).begin, 0);
    EXPECT_TRUE(backspaceRange(text, 0).empty());
}

struct WordCase
{
    const char* text;
    ByteOffset click;
    ByteOffset begin, end; ///< begin == end == -1: a plain click
};

TEST(CharMotion, WordSelectionByClassWidthAndDelimiters)
{
    const WordCase cases[] = {
        {"foo-bar baz", 1, 0, 7},      // letters and "-" are one class
        {"abc123def", 4, 3, 6},        // digits are another
        {"ab(cd)", 2, -1, -1},         // a delimiter is a plain click
        {"ab", 2, -1, -1},             // no character at the end
        {"com-\r\nputer x", 8, 0, 11}, // hyphenated across a line end, clicked on line 2
        {"com-\r\nputer x", 1, 0, 11}, // and on line 1
        {"com\r\nputer", 1, 0, 3},     // a plain line end stops the word
        {"ab-\r\n12", 0, 0, 3},        // the next line is another class: the hyphen stays
        // katakana "アイ" then hiragana "あ" then kanji "亜"
        {"\x83\x41\x83\x43\x82\xa0\x88\x9f", 2, 0, 4},
        {"\x83\x41\x83\x43\x82\xa0\x88\x9f", 4, 4, 6},
        // "、" is a delimiter though it lies in the symbol range
        {"\x81\x99\x81\x41\x81\x99", 2, -1, -1},
        {"x\x82\xa0y", 1, 1, 3}, // width stops the run on both sides
    };
    for (const WordCase& c : cases) {
        const auto word = wordAt(c.text, c.click);
        if (c.begin < 0) {
            EXPECT_FALSE(word) << c.text << " @" << c.click;
            continue;
        }
        ASSERT_TRUE(word) << c.text << " @" << c.click;
        EXPECT_EQ(word->begin, c.begin) << c.text << " @" << c.click;
        EXPECT_EQ(word->end, c.end) << c.text << " @" << c.click;
    }
}

} // namespace
} // namespace corvane
