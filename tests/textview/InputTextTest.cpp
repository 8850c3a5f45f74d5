// Text entering a document from the clipboard or the keys, and leaving it for the clipboard.
#include "textview/InputText.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(InputText, PasteIsNormalisedToTheDocumentForm)
{
    // Mend 7: LF and lone CR become CR LF, TAB four spaces, other controls dropped; "☃" (not in
    // CP932) becomes "〓" and is counted; a final line end is kept.
    const input::DocumentText t = input::fromUnicode(u"a\nb\tc\x01\x85"
                                                     u"d\r\u2603\u3042\r\n");
    EXPECT_EQ(t.text, "a\r\nb    cd\r\n\x81\xac\x82\xa0\r\n");
    EXPECT_EQ(t.unrepresentableCount, 1u);
    const input::DocumentText u = input::fromUtf8("x\x7f\xc2\x85y\n\xe2\x98\x83");
    EXPECT_EQ(u.text, "xy\r\n\x81\xac");
    EXPECT_EQ(u.unrepresentableCount, 1u);
}

TEST(InputText, CopyGivesUnicodeWithLfLineEnds)
{
    EXPECT_EQ(input::toUnicode("a\r\n\x82\xa0\rb"), u"a\n\u3042\nb");
    EXPECT_EQ(input::toUtf8("a\r\nb"), "a\nb");
}

TEST(InputText, TypedKeys)
{
    EXPECT_EQ(input::typedText("\b", 0), "");
    EXPECT_EQ(input::typedText("\r", 0), "\r\n");
    EXPECT_EQ(input::typedText("\t", 0), "    ");
    EXPECT_EQ(input::typedText("\t", 5), "   ");
    EXPECT_EQ(input::typedText("\t", 7), " ");
    EXPECT_EQ(input::typedText("x", 7), "x");
}

} // namespace
} // namespace corvane
