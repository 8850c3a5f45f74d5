#include "res/MessageCatalogue.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace corvane;

namespace {

struct Expected
{
    int number;
    std::string text; ///< UTF-8, with real line breaks
};

// The reference texts, one "number<TAB>text" line per message with "\n" for a line break; lines
// starting with "#" are notes. Kept as data beside the tests rather than restated in code.
std::vector<Expected> referenceTexts()
{
    std::ifstream in(CORVANE_CATALOGUE_TSV);
    std::vector<Expected> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            ADD_FAILURE() << "no tab in: " << line;
            continue;
        }
        Expected e{std::stoi(line.substr(0, tab)), {}};
        for (std::size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
                e.text += '\n';
                ++i;
            } else {
                e.text += line[i];
            }
        }
        rows.push_back(std::move(e));
    }
    return rows;
}

} // namespace

TEST(MessageCatalogue, EveryNumberHasItsExactTextAndNoOther)
{
    const std::vector<Expected> expected = referenceTexts();
    ASSERT_FALSE(expected.empty()) << "cannot read " << CORVANE_CATALOGUE_TSV;
    std::vector<int> numbers;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.number);
        numbers.push_back(e.number);
        const char* text = catalogueText(e.number);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text, e.text);
    }
    EXPECT_EQ(catalogueNumbers(), numbers);
    for (int missing : {0, 99, 101, 30000, 30115, 30164, 30166, 30172, 30175})
        EXPECT_EQ(catalogueText(missing), nullptr) << missing;
}

TEST(MessageCatalogue, LineBreaksAreRealLineBreaks)
{
    // "\n" in the source would show as a backslash and an n.
    EXPECT_EQ(std::strchr(catalogueText(30005), '\\'), nullptr);
    EXPECT_STREQ(catalogueText(30054), "\n====================\n"
                                       "上記のようにマーカの位置と長さを変更してもよろしいですか");
}

TEST(ShowMessage, LeadingTextGoesInFrontOfTheCatalogueText)
{
    test::ScriptedMessages sink;
    sink.answer(Answer::No);
    // Marker text "abc" + separator + "を" (0x82 0xF0), the leading text of 30083.
    const Answer a = showMessage(sink, 30083, "abc\n====================\n\x82\xf0", style::yesNo);
    EXPECT_EQ(a, Answer::No);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].number, 30083);
    EXPECT_EQ(sink.shown[0].textUtf8, "abc\n====================\nを"
                                      "削除してもよろしいですか\n※ 関係するリンクも削除されます\n"
                                      "元に戻せませんのでご注意ください");
    EXPECT_EQ(sink.shown[0].style.icon, MessageIcon::Question);
    EXPECT_EQ(sink.shown[0].style.buttons, MessageButtons::YesNo);
}

TEST(ShowMessage, TwoByteLeadingTextIsConvertedNotCopied)
{
    // A path with 0x95 0x5C ("表") followed by a line break, as the open-failure messages use.
    test::ScriptedMessages sink;
    showMessage(sink, 30077,
                "doc\\\x95\x5C"
                "\n");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].textUtf8, "doc\\表\nファイルが見つかりません");
}

TEST(ShowMessage, DefaultStyleIsWarningWithOk)
{
    test::ScriptedMessages sink;
    EXPECT_EQ(showMessage(sink, 30001), Answer::Ok);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].textUtf8, "メモリの確保に失敗しました");
    EXPECT_EQ(sink.shown[0].style.icon, MessageIcon::Warning);
    EXPECT_EQ(sink.shown[0].style.buttons, MessageButtons::Ok);
}

TEST(ShowMessage, NumberWithoutTextShowsNothing)
{
    test::ScriptedMessages sink;
    sink.answer(Answer::Yes);
    EXPECT_EQ(showMessage(sink, 30120, "lead", style::yesNo), Answer::None);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(sink.script.size(), 1u); // the scripted answer was not used up
}
