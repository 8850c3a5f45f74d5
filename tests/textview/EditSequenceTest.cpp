// Properties users rely on through any sequence of edits: every marker still covers exactly the
// text it recorded, bookmarks stay inside their document, and the key table kept up to date
// edit by edit equals a whole rebuild.
#include "EditFixture.h"

#include "base/Sjis.h"
#include "model/FixedText.h"
#include "textview/CharMotion.h"

#include <random>

namespace corvane {
namespace {

using test::EditTest;

/// Pieces the random texts are made of: ASCII, two-byte characters (one with a 0x5C trail
/// byte), CR LF, a lone CR and LF, and a long run that the layout must cut.
const SjisView kPieces[] = {"a",  "bc", "\x82\xa0", "\x83\x5c", "\r\n",           "\r\n\r\n",
                            "\r", "\n", "-",        " ",        "xyzxyzxyzxyzxyz"};

SjisString randomText(std::mt19937& rng, int pieces)
{
    SjisString out;
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    for (int i = 0; i < pieces; ++i)
        out += kPieces[pick(rng)];
    return out;
}

ByteOffset randomCaret(std::mt19937& rng, SjisView text)
{
    const auto at =
        std::uniform_int_distribution<ByteOffset>(0, static_cast<ByteOffset>(text.size()))(rng);
    return motion::snapToCaretPosition(text, at);
}

struct EditSequence : EditTest, ::testing::WithParamInterface<int>
{
    void checkInvariants(const char* step, int round)
    {
        const SjisView text = document->text();
        for (int i = 0; i < project.objectCount; ++i) {
            const ObjectRecord& r = object(i);
            ASSERT_GE(r.position, 0) << step << " " << round;
            ASSERT_LE(std::int64_t(r.position) + r.length, std::int64_t(text.size()))
                << step << " " << round;
            ASSERT_EQ(fixedText(r.secondText),
                      sjis::cut(text.substr(static_cast<std::size_t>(r.position),
                                            static_cast<std::size_t>(r.length)),
                                kObjectTextBytes - 1))
                << step << " round " << round << " marker " << r.id;
        }
        for (int slot = 0; slot < kBookmarkCount; ++slot)
            ASSERT_LE(bookmark(slot), static_cast<ByteOffset>(text.size())) << step << " " << round;
        ASSERT_TRUE(document->keyTable().isConsistent(text));
        KeyTable rebuilt;
        rebuilt.build(text, widthTable, GetParam());
        ASSERT_EQ(document->keyTable().keys(), rebuilt.keys()) << step << " round " << round;
        ASSERT_EQ(document->keyTable().logicalLineCount(), rebuilt.logicalLineCount());
    }
};

TEST_P(EditSequence, MarkersKeepTheirTextThroughRandomEditsUndosAndRedos)
{
    std::mt19937 rng(1234u + static_cast<unsigned>(GetParam()));
    for (int run = 0; run < 4; ++run) {
        project.objectCount = 0;
        project.linkCount = 0;
        openDocument(randomText(rng, 40), GetParam());
        // Markers over random non-overlapping spans, bookmarks at random caret positions.
        ByteOffset from = 0;
        for (ObjectId id = 1; id <= 6; ++id) {
            const ByteOffset begin = randomCaret(rng, document->text());
            if (begin < from)
                continue;
            const ByteOffset end = motion::nextCaretPosition(
                document->text(), motion::nextCaretPosition(document->text(), begin));
            if (end <= begin)
                break;
            putMarker(id, begin, end - begin);
            from = end;
        }
        for (int slot = 0; slot < kBookmarkCount; ++slot)
            putBookmark(slot, randomCaret(rng, document->text()));

        for (int round = 0; round < 300; ++round) {
            const SjisView text = document->text();
            const int action = std::uniform_int_distribution<int>(0, 9)(rng);
            const char* step = "";
            if (action < 3) {
                step = "insert";
                document->insert(randomCaret(rng, text), randomText(rng, 2));
            } else if (action < 5) {
                step = "erase";
                ByteOffset a = randomCaret(rng, text), b = randomCaret(rng, text);
                if (a > b)
                    std::swap(a, b);
                fake.messages.answer(round % 2 ? Answer::Yes : Answer::No);
                document->erase(a, b);
                fake.messages.script.clear();
            } else if (action < 6) {
                step = "backspace";
                document->deleteBackward(randomCaret(rng, text));
            } else if (action < 7) {
                step = "replace";
                ByteOffset a = randomCaret(rng, text), b = randomCaret(rng, text);
                if (a > b)
                    std::swap(a, b);
                document->replace(a, b, randomText(rng, 1));
            } else if (action < 9) {
                step = "undo";
                document->undo();
            } else {
                step = "redo";
                document->redo();
            }
            checkInvariants(step, round);
            if (HasFatalFailure())
                return;
        }
    }
}

// Several break widths: a narrow one cuts nearly every line, a wide one almost none.
INSTANTIATE_TEST_SUITE_P(BreakWidths, EditSequence, ::testing::Values(15, 35, 100, 1000));

TEST_F(EditTest, KeyTableUpdateEqualsAWholeBuildAtEveryEditPoint)
{
    // Every caret position of a text with all kinds of line ends, for one insertion and one
    // deletion each, including those that join or split a CR LF's line.
    const SjisString base = "ab\r\n\r\ncd\rx\n\x82\xa0\x82\xa0\x82\xa0\x82\xa0\r\n-";
    for (const SjisView inserted : {SjisView("\r"), SjisView("\n"), SjisView("q\r\nr"),
                                    SjisView("\x82\xa2\x82\xa2\x82\xa2")}) {
        for (ByteOffset at = 0; at <= static_cast<ByteOffset>(base.size()); ++at) {
            SjisString text = base;
            KeyTable keys;
            keys.build(text, widthTable, 45);
            text.insert(static_cast<std::size_t>(at), inserted);
            keys.update(text, widthTable, 45, at, {}, static_cast<std::int32_t>(inserted.size()));
            KeyTable rebuilt;
            rebuilt.build(text, widthTable, 45);
            ASSERT_EQ(keys.keys(), rebuilt.keys()) << "insert at " << at;
            ASSERT_EQ(keys.logicalLineCount(), rebuilt.logicalLineCount()) << "insert at " << at;

            const SjisString removed = text.substr(static_cast<std::size_t>(at), inserted.size());
            text.erase(static_cast<std::size_t>(at), inserted.size());
            keys.update(text, widthTable, 45, at, removed, 0);
            rebuilt.build(text, widthTable, 45);
            ASSERT_EQ(keys.keys(), rebuilt.keys()) << "erase at " << at;
            ASSERT_EQ(keys.logicalLineCount(), rebuilt.logicalLineCount()) << "erase at " << at;
        }
    }
}

} // namespace
} // namespace corvane
