// Editing in the text view as a user does it: keys, input-method commits, the clipboard, undo and
// redo, word selection, and bookmarks from the view's menus, each driven through real events on
// the widget and checked on the document's bytes, the markers and the messages shown.
#include "textview/CVantorView.h"

#include "TempDir.h"
#include "base/Codec.h"
#include "model/Bookmarks.h"
#include "model/FixedText.h"
#include "res/ui/CommandIds.h"
#include "support/FakeServices.h"
#include "textview/CMarkerGestures.h"
#include "textview/ObjectDrag.h"
#include "textview/TextViewHost.h"

#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <cstring>
#include <memory>

using namespace corvane;

namespace {

SjisString sjis(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

} // namespace

class TextEditTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir;
    std::unique_ptr<test::FakeServices> fakes;
    std::unique_ptr<ProjectData> project;
    std::unique_ptr<TextViewHost> host;

    std::unique_ptr<CVantorView> openView(const std::string& bytes)
    {
        std::filesystem::create_directories(dir->path / "doc" / "A");
        const std::string path = dir->file("doc/A/doc1", bytes);
        auto view = std::make_unique<CVantorView>(*project, fakes->services, *host);
        view->resize(600, 400);
        if (!view->load(path))
            return nullptr;
        view->show();
        view->setFocus();
        return view;
    }

    SjisString textOf(const CVantorView& view) const { return SjisString(view.document()->text()); }

    void addMarker(ByteOffset position, std::int32_t length)
    {
        ObjectRecord& m = project->objects[project->objectCount];
        m = ObjectRecord{};
        m.id = 100 + project->objectCount;
        m.type = ObjectType::Marker;
        std::strcpy(m.document, "A\\doc1");
        m.position = position;
        m.length = length;
        ++project->objectCount;
    }

    void commit(CVantorView& view, const QString& preedit, const QString& committed)
    {
        QInputMethodEvent e(preedit, {});
        if (!committed.isEmpty())
            e.setCommitString(committed);
        QApplication::sendEvent(&view, &e);
    }

private slots:
    void init()
    {
        dir = std::make_unique<test::TempDir>();
        fakes = std::make_unique<test::FakeServices>();
        project = std::make_unique<ProjectData>();
        project->folder = dir->path.string() + "/";
        project->name = std::string(1, 'T'); // not "T": GCC 12 warns falsely on that assignment
        host = std::make_unique<TextViewHost>(*project, fakes->services);
    }

    void cleanup()
    {
        host.reset();
        project.reset();
        fakes.reset();
        dir.reset();
    }

    void typingAndCommitsInsertAtTheCaretAndMoveMarkersAlong()
    {
        auto view = openView("xyz");
        QVERIFY(view);
        addMarker(1, 2); // "yz"
        view->setCaret(1);
        QTest::keyClicks(view.get(), "ab"); // at the marker's first byte: pushes it along
        QCOMPARE(textOf(*view), SjisString("xabyz"));
        QCOMPARE(project->objects[0].position, 3);
        QCOMPARE(view->caret(), 3);
        QVERIFY(view->isModified());

        view->setCaret(0);
        commit(*view, QStringLiteral("にほん"), {}); // composing: nothing in the text yet
        QCOMPARE(textOf(*view), SjisString("xabyz"));
        commit(*view, {}, QStringLiteral("日本😀")); // a character CP932 lacks becomes "〓"
        QCOMPARE(textOf(*view), sjis("日本〓xabyz"));
        QCOMPARE(project->objects[0].position, 3 + 6);
        QCOMPARE(view->caret(), 6);

        QTest::keyClick(view.get(), Qt::Key_Tab); // column 6: two spaces to the next stop
        QCOMPARE(textOf(*view), sjis("日本〓  xabyz"));
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(textOf(*view), sjis("日本〓  \r\nxabyz"));
        QVERIFY(fakes->messages.numbers().empty());
    }

    void editsInsideAMarkerAreRefusedAndACompositionAtItsFirstKey()
    {
        auto view = openView("abcdef");
        QVERIFY(view);
        addMarker(1, 3);   // "bcd"
        view->setCaret(3); // before the marker's last character
        QTest::keyClick(view.get(), Qt::Key_X);
        QCOMPARE(textOf(*view), SjisString("abcdef"));
        QCOMPARE(fakes->messages.numbers(), std::vector<int>{30094});
        commit(*view, QStringLiteral("か"), {});
        QCOMPARE(fakes->messages.numbers(), (std::vector<int>{30094, 30094}));
        commit(*view, QStringLiteral("かな"), {}); // asked once per composition
        commit(*view, {}, QStringLiteral("仮名"));
        QCOMPARE(textOf(*view), SjisString("abcdef"));
        QCOMPARE(fakes->messages.numbers().size(), std::size_t(2));
        QVERIFY(!view->isModified());
    }

    void backspaceTakesACrLfWholeAndDeleteTheLastCharacter()
    {
        auto view = openView("ab\r\ncd");
        QVERIFY(view);
        view->setCaret(4);
        QTest::keyClick(view.get(), Qt::Key_Backspace);
        QCOMPARE(textOf(*view), SjisString("abcd"));
        QCOMPARE(view->caret(), 2);
        view->setCaret(3);
        QTest::keyClick(view.get(), Qt::Key_Delete);
        QCOMPARE(textOf(*view), SjisString("abc"));
        // Undo and redo from the keys put the bytes back and take them again.
        QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(textOf(*view), SjisString("ab\r\ncd"));
        QTest::keyClick(view.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(textOf(*view), SjisString("abcd"));
        QVERIFY(view->isCommandEnabled(cmd::ID_UNDO));
        QVERIFY(view->isCommandEnabled(cmd::ID_REDO));
    }

    void pasteNormalisesLineEndsAndReportsReplacedCharacters()
    {
        auto view = openView("[]");
        QVERIFY(view);
        view->readClipboard = [] { return std::optional<QString>(QStringLiteral("a\nb\té")); };
        view->setCaret(1);
        QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(*view), sjis("[a\r\nb    〓]"));
        QCOMPARE(fakes->messages.numbers(), std::vector<int>{39004});
        QVERIFY(QString::fromStdString(fakes->messages.shown[0].textUtf8).startsWith("1文字"));

        view->readClipboard = [] { return std::optional<QString>(); };
        QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(fakes->messages.numbers().back(), 30042);

        // Copy gives LF line ends; cut copies, then deletes.
        QString copied;
        view->writeClipboard = [&](const QString& t) { copied = t; };
        view->setSelection(0, 5, 0);
        QTest::keyClick(view.get(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(copied, QStringLiteral("[a\nb"));
        QCOMPARE(textOf(*view), sjis("    〓]"));
    }

    void shiftKeysExtendTheSelectionFromTheAnchor()
    {
        auto view = openView("one\r\ntwo\r\nthree");
        QVERIFY(view);
        view->setCaret(1);
        QTest::keyClick(view.get(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(view.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(view->selection().start, 1);
        QCOMPARE(view->selection().end, 7);
        QTest::keyClick(view.get(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(view->selection().end, 15); // Ctrl+End: after the last character
        QTest::keyClick(view.get(), Qt::Key_Left);
        QVERIFY(view->selection().empty());
        QCOMPARE(view->caret(), 1); // Left on a selection goes to its start
        QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(view->selection().end, 15);
        QTest::keyClick(view.get(), Qt::Key_U); // typing over the selection replaces it
        QCOMPARE(textOf(*view), SjisString("u"));
    }

    void ctrlClickSelectsAWordHyphenatedAcrossALineEnd()
    {
        auto view = openView("an exam-\r\nple here");
        QVERIFY(view);
        const auto at = view->positionToPoint(4); // inside "exam"
        QVERIFY(at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          QPoint(at->x() + 2, at->y() - view->lineHeight() / 2));
        QCOMPARE(view->selection().start, 3);
        QCOMPARE(view->selection().end, 13); // "exam-\r\nple"
        QCOMPARE(view->caret(), 13);
    }

    void bookmarksSetFromTheViewMenuMoveWithEditsAndShowTheirImage()
    {
        auto view = openView("alpha beta gamma");
        QVERIFY(view);
        CMarkerGestures* gestures = CMarkerGestures::of(view.get());
        QVERIFY(gestures);
        view->setCaret(6);
        QVERIFY(gestures->handleCommand(cmd::ID_SET_BOOKMARK1 + 1));
        QCOMPARE(project->textView.bookmarkPosition[1], 6);
        QCOMPARE(fixedText(project->textView.bookmarkSample[1]), SjisView("beta gamma"));
        QVERIFY(fakes->refresh.saw("bookmarksChanged"));
        view->viewport()->grab(); // paints, which places the images
        const QRect image = QRect(view->positionToPoint(6)->x() - 3, 0, 1, 1);
        int found = -1;
        for (int y = 0; y < view->viewport()->height() && found < 0; ++y)
            found = view->bookmarkAt(QPoint(image.x() + 8, y));
        QCOMPARE(found, 1);

        // Typing before it moves it; setting it again asks before overwriting.
        view->setCaret(0);
        QTest::keyClicks(view.get(), "A ");
        QCOMPARE(project->textView.bookmarkPosition[1], 8);
        fakes->messages.answer(Answer::No);
        view->setCaret(0);
        QVERIFY(gestures->handleCommand(cmd::ID_SET_BOOKMARK1 + 1));
        QCOMPARE(fakes->messages.numbers().back(), 30106);
        QCOMPARE(project->textView.bookmarkPosition[1], 8);

        // Deleting the range it ends is clears it.
        view->setSelection(2, 8, 2);
        QTest::keyClick(view.get(), Qt::Key_Delete);
        QCOMPARE(project->textView.bookmarkPosition[1], -1);
        QVERIFY(fakes->refresh.saw("bookmarkCleared 1"));
    }

    void droppedBookmarksMoveWithoutAskingAndPinsAskBeforeOverwriting()
    {
        auto view = openView("alpha beta gamma");
        QVERIFY(view);
        // The drop's data names the bookmark and where it came from.
        const auto dropAt = [&](ByteOffset offset, BookmarkDrag drag) {
            const QPoint at = *view->positionToPoint(offset) - QPoint(-1, view->lineHeight() / 2);
            std::unique_ptr<QMimeData> data(makeBookmarkDragData(drag));
            const std::optional<BookmarkDrag> dropped = draggedBookmark(data.get());
            QVERIFY(dropped && dropped->slot == drag.slot && dropped->fromPin == drag.fromPin);
            CMarkerGestures::of(view.get())->dropBookmark(dropped->slot, dropped->fromPin, at);
        };
        dropAt(6, {0, true}); // from the ribbon's pin
        QCOMPARE(project->textView.bookmarkPosition[0], 6);
        fakes->messages.answer(Answer::No);
        dropAt(11, {0, true}); // set already: the pin asks
        QCOMPARE(fakes->messages.numbers(), std::vector<int>{30106});
        QCOMPARE(project->textView.bookmarkPosition[0], 6);
        dropAt(11, {0, false}); // carried from a view: moved without a question
        QCOMPARE(project->textView.bookmarkPosition[0], 11);
        QCOMPARE(fakes->messages.numbers().size(), std::size_t(1));
    }

    void viewMenuListsBookmarkSamplesAndTheBookmarkMenuItsLimits()
    {
        auto view = openView("a&b text");
        QVERIFY(view);
        view->setCaret(0);
        CMarkerGestures* gestures = CMarkerGestures::of(view.get());
        QVERIFY(gestures->handleCommand(cmd::ID_SET_BOOKMARK1));
        std::unique_ptr<QMenu> menu = gestures->buildContextMenu(QPoint(300, 300));
        QVERIFY(menu);
        QMenu* here = menu->actions().front()->menu();
        QVERIFY(here);
        QCOMPARE(here->title(), QStringLiteral("ここにブックマークをセット(&B)"));
        QCOMPARE(here->actions().at(0)->text(), QStringLiteral("a&&b text"));
        QCOMPARE(here->actions().at(1)->text(), QStringLiteral("(未セット)"));

        project->textView.bookmarkImageSize = 32;
        view->viewport()->grab(); // paints, which places the images
        int y = 0;
        while (y < 100 && view->bookmarkAt(QPoint(view->positionToPoint(0)->x(), y)) < 0)
            ++y;
        QVERIFY(y < 100);
        menu = gestures->buildContextMenu(QPoint(view->positionToPoint(0)->x(), y));
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("このブックマークを解除(&D)"));
        QVERIFY(!menu->actions().at(2)->isEnabled()); // largest, already 32
        QVERIFY(menu->actions().at(3)->isEnabled());
        fakes->messages.answer(Answer::Yes);
        menu->actions().at(0)->trigger();
        QCOMPARE(fakes->messages.numbers().back(), 30107);
        QVERIFY(!bookmarks::isSet(*project, 0));
    }
};

QTEST_MAIN(TextEditTest)
#include "tst_textedit.moc"
