// The edits of an open document: the marker and bookmark rules, the undo lists and the amended
// rules (mends) that hold over the original behaviour, each with its example.
#include "EditFixture.h"

#include "model/FixedText.h"

namespace corvane {
namespace {

using test::EditTest;
using ::testing::ElementsAre;

// Ten bytes of lead-in, then "abcd" at 10..13, then a tail.
constexpr const char* kText = "0123456789abcdefghij";

struct MarkerRules : EditTest
{
    void SetUp() override
    {
        openDocument(kText);
        putMarker(1, 10, 4); // "abcd"
    }
    void expectUnchanged()
    {
        EXPECT_EQ(document->text(), kText);
        EXPECT_EQ(object(0).position, 10);
        EXPECT_EQ(object(0).length, 4);
        EXPECT_FALSE(document->undoStore().canUndo());
        EXPECT_FALSE(document->isModified());
    }
};

TEST_F(MarkerRules, InsertionInsideOrBeforeTheLastCharacterIsRefused)
{
    // Mend 1: "X" typed at 13, before the marker's one-byte last character, would put X into it.
    EXPECT_EQ(document->insert(13, "X").status, EditStatus::Refused);
    EXPECT_EQ(document->insert(11, "X").status, EditStatus::Refused);
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30094, 30094));
    expectUnchanged();
}

TEST_F(MarkerRules, InsertionAtTheFirstBytePushesAndAfterTheEndLeavesAlone)
{
    EXPECT_TRUE(document->insert(14, "\x82\xa0").done()); // a two-byte character after it
    EXPECT_EQ(object(0).position, 10);
    EXPECT_TRUE(document->insert(10, "XY").done());
    EXPECT_EQ(object(0).position, 12);
    EXPECT_EQ(object(0).length, 4);
    EXPECT_EQ(document->text().substr(12, 4), "abcd");
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(MarkerRules, DeletionStartingOrEndingInsideIsRefused)
{
    // Mend 2: Backspace right after the marker would take its last byte.
    EXPECT_EQ(document->deleteBackward(14).status, EditStatus::Refused);
    EXPECT_EQ(document->deleteForward(10).status, EditStatus::Refused); // its first byte
    EXPECT_EQ(document->erase(8, 12).status, EditStatus::Refused);      // ends inside
    EXPECT_EQ(document->erase(10, 16).status, EditStatus::Refused);     // starts on p
    expectUnchanged();
}

TEST_F(MarkerRules, DeletionBeforeMovesTheMarkerBack)
{
    EXPECT_TRUE(document->erase(2, 10).done()); // ends exactly at p
    EXPECT_EQ(object(0).position, 2);
    EXPECT_EQ(document->text().substr(2, 4), "abcd");
    EXPECT_TRUE(document->deleteForward(6).done()); // right after E
    EXPECT_EQ(object(0).position, 2);
}

TEST_F(EditTest, CoveredMarkersAreAskedOnceAndRemovedWithTheirLinks)
{
    openDocument(kText);
    putMarker(1, 4, 2);
    putMarker(2, 8, 3);
    putMarker(3, 12, 1); // one byte starting exactly at the end of the range: not covered (mend 3)
    putSubSubject(7);
    putMarker(8, 0, 1, "other");
    putLink(7, 1);
    putLink(2, 8);
    putLink(7, 3);
    fake.views.openDocuments = {"other"};
    project.currentObject = 1;

    fake.messages.answer(Answer::No);
    EXPECT_EQ(document->erase(3, 12).status, EditStatus::Cancelled);
    EXPECT_EQ(project.objectCount, 5);
    EXPECT_EQ(document->text(), kText);

    EXPECT_TRUE(document->erase(3, 12).done());
    EXPECT_THAT(fake.messages.numbers(), ElementsAre(30059, 30059));
    ASSERT_EQ(project.objectCount, 3);
    EXPECT_EQ(object(0).id, 3);
    EXPECT_EQ(object(0).position, 3);
    EXPECT_EQ(project.linkCount, 1); // 7 > 3 stays
    EXPECT_EQ(project.currentObject, -1);
    EXPECT_TRUE(fake.refresh.saw("linkMark 7"));
    EXPECT_TRUE(fake.refresh.saw("redrawText other"));
    EXPECT_TRUE(fake.refresh.saw("rebuildMarkerList"));
    EXPECT_TRUE(fake.refresh.saw("resetProperties"));
    EXPECT_TRUE(project.modified);

    // Undo gives the text back but not the markers.
    EXPECT_TRUE(document->undo().done());
    EXPECT_EQ(document->text(), kText);
    EXPECT_EQ(project.objectCount, 3);
    EXPECT_EQ(object(0).position, 12);
}

TEST_F(EditTest, TypingOverASelectionIsOneSettledEdit)
{
    openDocument(kText);
    putMarker(1, 10, 4);
    EXPECT_EQ(document->replace(4, 12, "Z").status, EditStatus::Refused);
    EXPECT_EQ(document->text(), kText);
    const EditResult r = document->replace(4, 10, "Z");
    EXPECT_TRUE(r.done());
    EXPECT_EQ(r.caret, 5);
    EXPECT_EQ(document->text(), "0123Zabcdefghij");
    EXPECT_EQ(object(0).position, 5);
    // Two records, as the keys make them: the insertion is undone first.
    EXPECT_EQ(document->undoStore().undoCount(), 2u);
    document->undo();
    EXPECT_EQ(document->text(), "0123abcdefghij");
    document->undo();
    EXPECT_EQ(document->text(), kText);
    EXPECT_EQ(object(0).position, 10);
}

TEST_F(EditTest, BookmarksMoveWithTheTextAndTheEndOfADeletionIsCleared)
{
    openDocument(kText);
    putBookmark(0, 5);  // the start of the deleted range
    putBookmark(1, 8);  // its end offset (cleared, deliberately)
    putBookmark(2, 9);  // beyond it
    putBookmark(3, 40); // beyond the document: shows unset, left alone
    EXPECT_TRUE(document->erase(5, 8).done());
    EXPECT_EQ(bookmark(0), -1);
    EXPECT_EQ(bookmark(1), -1);
    EXPECT_EQ(fixedText(project.textView.bookmarkPath[1]), "");
    EXPECT_EQ(bookmark(2), 6);
    EXPECT_EQ(bookmark(3), 40);
    EXPECT_TRUE(fake.refresh.saw("bookmarkCleared 0"));
    EXPECT_TRUE(document->insert(6, "ab").done());
    EXPECT_EQ(bookmark(2), 8); // at the insertion point: pushed along
}

TEST_F(EditTest, ANewEditEmptiesTheRedoList)
{
    // Mend 4: type X, type Y, undo, Backspace, redo must not put Y into an empty text.
    openDocument("");
    document->insert(0, "X");
    document->insert(1, "Y");
    document->undo();
    EXPECT_TRUE(document->undoStore().canRedo());
    EXPECT_TRUE(document->deleteBackward(1).done());
    EXPECT_EQ(document->text(), "");
    EXPECT_EQ(document->redo().status, EditStatus::Nothing);
    EXPECT_EQ(document->text(), "");
}

TEST_F(EditTest, UndoOfAnInsertionMovesPositionsInsideItToTheRemovalPoint)
{
    // Mend 5: never below the removal point, never negative.
    openDocument("abc");
    document->insert(1, "12345");
    putBookmark(0, 3); // set inside the inserted text afterwards
    putBookmark(1, 7);
    const EditResult r = document->undo();
    EXPECT_TRUE(r.done());
    EXPECT_EQ(r.caret, 1);
    EXPECT_EQ(bookmark(0), 1);
    EXPECT_EQ(bookmark(1), 2);
}

TEST_F(EditTest, UndoThatWouldCutAMarkerMadeSinceIsRefused)
{
    openDocument("abcdef");
    document->insert(3, "XYZ");
    putMarker(1, 2, 3); // "cXY", made by a route that left the lists alone
    EXPECT_EQ(document->undo().status, EditStatus::Refused);
    EXPECT_EQ(document->text(), "abcXYZdef");
    EXPECT_TRUE(document->undoStore().canUndo());
}

TEST_F(EditTest, CaseConversionOverwritesAsciiInPlace)
{
    // Mend 6: half-width katakana 0xB1 and two-byte characters stay; the length never changes.
    openDocument("ab\xb1\x82\xa0"
                 "cd ef");
    putMarker(1, 5, 2); // "cd"
    document->insert(10, "g");
    ASSERT_TRUE(document->convertCase(0, 7, true));
    EXPECT_EQ(document->text(), "AB\xb1\x82\xa0"
                                "CD efg");
    EXPECT_EQ(fixedText(object(0).secondText), "CD");
    EXPECT_EQ(object(0).position, 5);
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(document->undoStore().undoCount(), 1u); // not undoable, the earlier record stays
    EXPECT_FALSE(document->convertCase(0, 7, true));  // nothing left to change
    EXPECT_FALSE(document->convertCase(3, 5, true));  // off a character boundary
}

TEST_F(EditTest, DeleteAndBackspaceTakeACrLfAsOneCharacter)
{
    // Mend 7: two bytes only for CR followed by LF; Delete works on the last character.
    openDocument("a\r\nb\n\x82\xa0");
    EXPECT_TRUE(document->deleteBackward(3).done());
    EXPECT_EQ(document->text(), "ab\n\x82\xa0");
    EXPECT_TRUE(document->deleteBackward(3).done()); // a lone LF is one byte
    EXPECT_EQ(document->text(), "ab\x82\xa0");
    EXPECT_TRUE(document->deleteForward(2).done()); // the last character, both bytes
    EXPECT_EQ(document->text(), "ab");
    EXPECT_EQ(document->deleteForward(2).status, EditStatus::Nothing);
    EXPECT_EQ(document->erase(1, 2).status, EditStatus::Done);
    EXPECT_EQ(document->insert(5, "x").status, EditStatus::Invalid);
}

TEST_F(EditTest, EditsOffACharacterBoundaryOrInsideACrLfAreInvalid)
{
    openDocument("a\x82\xa0\r\nb");
    EXPECT_EQ(document->insert(2, "x").status, EditStatus::Invalid);
    EXPECT_EQ(document->insert(4, "x").status, EditStatus::Invalid);
    EXPECT_EQ(document->erase(0, 2).status, EditStatus::Invalid);
    EXPECT_EQ(document->text(), "a\x82\xa0\r\nb");
}

TEST_F(EditTest, SavesWithTheProjectWhenModifiedWithMarkersOrBookmarks)
{
    // Mend 9: text and markers never go out of step on disk.
    openDocument(kText);
    EXPECT_FALSE(document->savesWithProject());
    document->insert(0, "x");
    EXPECT_FALSE(document->savesWithProject());
    putBookmark(0, 3);
    EXPECT_TRUE(document->savesWithProject());
    putBookmark(0, 3, "other");
    putMarker(1, 0, 1);
    EXPECT_TRUE(document->savesWithProject());
}

TEST(UndoStore, ListsKeep99RecordsAfterFillingAndHoldAtMostTheTextLimit)
{
    // Mend 10.
    UndoStore store(1000);
    for (int i = 0; i < 150; ++i)
        store.record({EditRecord::Kind::Inserted, i, "x"});
    EXPECT_EQ(store.undoCount(), 99u);
    EXPECT_EQ(store.nextUndo().position, 149);
    for (int i = 0; i < 99; ++i)
        store.undone();
    EXPECT_EQ(store.redoCount(), 99u);
    EXPECT_EQ(store.nextRedo().position, 51);

    store.record({EditRecord::Kind::Deleted, 0, std::string(600, 'a')});
    EXPECT_EQ(store.redoCount(), 0u);
    store.record({EditRecord::Kind::Deleted, 0, std::string(600, 'b')});
    EXPECT_EQ(store.undoCount(), 1u); // the older 600 bytes went
    EXPECT_EQ(store.textBytes(), 600u);
    store.record({EditRecord::Kind::Deleted, 0, std::string(1001, 'c')});
    EXPECT_EQ(store.nextUndo().text[0], 'b'); // too large alone: not kept
}

TEST_F(EditTest, UndoAndRedoLeaveTheCaretOnACharacterInsideTheText)
{
    // Mend 11.
    openDocument("ab");
    document->insert(2, "\x82\xa0\x82\xa2");
    document->erase(0, 2);
    EXPECT_EQ(document->undo().caret, 0);
    EXPECT_EQ(document->undo().caret, 2);
    EXPECT_EQ(document->redo().caret, 6);
    EXPECT_EQ(document->redo().caret, 0);
    EXPECT_EQ(document->text(), "\x82\xa0\x82\xa2");
}

TEST_F(EditTest, WatchersHearOfEveryChangeWithTheKeyTableUpToDate)
{
    struct Watcher : TextDocumentWatcher
    {
        void textChanged(const TextDocument& d, const TextEdit& e) override
        {
            edits.push_back(e.at * 100 + e.removedBytes * 10 + e.insertedBytes);
            consistent = consistent && d.keyTable().isConsistent(d.text());
        }
        std::vector<int> edits;
        bool consistent = true;
    } watcher;
    openDocument("abc\r\ndef");
    document->addWatcher(&watcher);
    document->insert(5, "\r\n");
    document->undo();
    document->removeWatcher(&watcher);
    document->insert(0, "x");
    EXPECT_THAT(watcher.edits, ElementsAre(502, 520));
    EXPECT_TRUE(watcher.consistent);
}

} // namespace
} // namespace corvane
