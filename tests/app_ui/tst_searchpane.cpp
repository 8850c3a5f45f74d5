// The search pane in the running frame on a copy of the sample project: a search into results
// list 3 typed and started with the mouse, a hit opened by double-click, the mode switch, batch
// replace 520 with its questions answered by script, find next wrapping to the start; the
// dictionary manager and pair dialog feeding a dictionary run, the text view's and the marker
// list's ways into the phrase boxes, a long replace cancelled, and find from a selection.
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CRibbonBar.h"
#include "app/CTabArea.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/ProjectLifecycle.h"
#include "app/SearchWiring.h"
#include "app/TextWindow.h"
#include "base/Codec.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"
#include "doclist/CFileNameDlg.h"
#include "doclist/CFileView.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "panes/ui/CMarkerList.h"
#include "panes/ui/CMarkerWnd.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "search/PhraseHistory.h"
#include "search/SearchRun.h"
#include "search/ui/CGokuCombo.h"
#include "search/ui/CRepDicDlg.h"
#include "search/ui/CRepGokuDlg.h"
#include "search/ui/CResultList.h"
#include "search/ui/CSearchWnd.h"
#include "search/ui/ReplaceJob.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"
#include "textview/ObjectDrag.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

const SjisString kDocument = "\x96\x7b\x8a\xe8\\\x93\xc1\x8a\xe8"
                             "2024-031857"; // 本願\特願2024-031857

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

SjisString sjis(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

/// Runs answer on the next modal dialog of the named class (polling), so a dialog opened from
/// inside another one is answered, not the one beneath it.
void whenModalOf(const char* className, std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, className, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->inherits(className)) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

void clickButton(QWidget* in, const QString& text)
{
    for (QAbstractButton* b : in->findChildren<QAbstractButton*>())
        if (b->text() == text) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no button ") + text));
}

/// Chooses the item with the keyboard, as the user would in the closed list.
void choose(QComboBox* combo, const QString& text)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < combo->findText(text); ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentText(), text);
}

/// A drag's end delivered where the user lets go: enter, then drop on the widget's middle;
/// false when the widget refused the drag on entering.
bool dropOn(QWidget* target, ObjectId id)
{
    std::unique_ptr<QMimeData> data(makeObjectDragData(id));
    const QPointF at = QRectF(target->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::LinkAction | Qt::CopyAction, data.get(), Qt::LeftButton,
                          {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, enter.dropAction(), data.get(), Qt::LeftButton, {});
    if (!enter.isAccepted())
        return false;
    QApplication::sendEvent(target, &drop);
    return true;
}

struct Session
{
    PrivateHome home;
    TestApp t;
    std::unique_ptr<CMainFrame> frame;
    DocumentWiring* wiring = nullptr;
    CSearchWnd* pane = nullptr;
    CMarkerWnd* markers = nullptr;
    std::string docFolder;

    Session()
    {
        const fs::path copy = copySample(home);
        docFolder = (copy / "doc").string();
        frame = std::make_unique<CMainFrame>(*t.app);
        wiring = DocumentWiring::install(*frame, *t.app);
        pane = installSearchPane(*frame, *t.app, *wiring);
        markers = installMarkerPane(*frame, *t.app, *wiring);
        frame->resize(1280, 800);
        frame->show();
        QTest::qWait(20);
        t.app->lifecycle().openProject((copy / "Sample.CVN").string(), false);
    }
    ~Session() { t.app->data().modified = false; }

    /// Japanese text arrives as the input method's commit, as it does for a user.
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(edit, &commit);
    }
    void type(CGokuCombo* box, const QString& text) { type(box->lineEdit(), text); }
    void chooseTarget(int index)
    {
        pane->targetCombo()->setFocus();
        QTest::keyClick(pane->targetCombo(), Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(pane->targetCombo(), Qt::Key_Down);
    }
    /// On its box, not the middle of its row: only the box and its label take the click.
    void clickModeBox()
    {
        QTest::mouseClick(pane->modeBox(), Qt::LeftButton, {},
                          QPoint(8, pane->modeBox()->height() / 2));
    }
    CVantorView* activeView() const
    {
        auto* w = qobject_cast<TextWindow*>(frame->tabArea()->activeWindow());
        return w ? w->view() : nullptr;
    }
    CVantorView* openView(const std::string& relative)
    {
        return wiring->openDocument(docFolder + "/" + relative) ? activeView() : nullptr;
    }
    /// Middle of the character at offset, in the view's viewport.
    static QPoint pointOf(CVantorView* view, ByteOffset offset)
    {
        const std::optional<QPoint> at = view->positionToPoint(offset);
        return at ? QPoint(at->x() + 3, at->y() - view->lineHeight() / 2) : QPoint();
    }
    /// Selects [start, end) with a mouse drag.
    static void selectWithMouse(CVantorView* view, ByteOffset start, ByteOffset end)
    {
        QTest::mousePress(view->viewport(), Qt::LeftButton, {},
                          pointOf(view, start) - QPoint(2, 0));
        QTest::mouseMove(view->viewport(), pointOf(view, end) - QPoint(2, 0));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {},
                            pointOf(view, end) - QPoint(2, 0));
    }
    /// A right click at the point whose menu item id the user then chooses.
    static void chooseFromMenu(CVantorView* view, const QPoint& at, int id)
    {
        CMarkerGestures* g = CMarkerGestures::of(view);
        bool chosen = false;
        g->runMenu = [id, &chosen](QMenu& menu, const QPoint&) {
            for (QAction* a : menu.actions())
                if (a->data().toInt() == id && a->isEnabled()) {
                    chosen = true;
                    a->trigger();
                }
        };
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &e);
        QVERIFY2(chosen, qPrintable(QStringLiteral("menu item %1 not offered").arg(id)));
    }
    /// A marker of the document: its table index.
    int markerOf(SjisView relativePath) const
    {
        const ProjectData& p = t.app->data();
        for (int i = 0; i < p.objectCount; ++i)
            if (p.objects[i].type == ObjectType::Marker &&
                fixedText(p.objects[i].document) == relativePath)
                return i;
        return -1;
    }
};

} // namespace

class TestSearchPane : public QObject
{
    Q_OBJECT
private slots:
    void searchIntoListThreeThenOpenAHit()
    {
        Session s;
        QVERIFY(!s.pane->searchButton()->isEnabled()); // no phrase yet
        s.chooseTarget(0);
        s.pane->outputCombo()->setFocus();
        QTest::keyClick(s.pane->outputCombo(), Qt::Key_Down);
        QTest::keyClick(s.pane->outputCombo(), Qt::Key_Down);
        s.type(s.pane->searchBox(), QStringLiteral("中棒"));
        QVERIFY(s.pane->searchButton()->isEnabled());
        QTest::mouseClick(s.pane->searchButton(), Qt::LeftButton);

        QCOMPARE(s.pane->resultTabs()->currentIndex(), 2);
        CResultList* list = s.pane->resultList(2);
        QVERIFY(list->count() > 3);
        QCOMPARE(
            list->item(0)->text(),
            QStringLiteral(
                "「文献リスト内の全文献」の中から「中棒」を大文字・小文字を区別しないで検索…"));
        QVERIFY(list->item(1)->text().startsWith(QStringLiteral("0001 中棒")));
        QVERIFY(list->item(list->count() - 1)
                    ->text()
                    .startsWith(QStringLiteral("検索文献数 5件、ヒット数 ")));
        QCOMPARE(read(s.t.app->services().settings, keys::SearchDspOut), 2);
        QCOMPARE(search::loadPhraseHistory(s.t.app->services().settings,
                                           search::PhraseHistory::SearchPhrase)[0],
                 toSjis(QStringLiteral("中棒")));

        // Double-click on the first hit: its document opens with the hit selected.
        const auto address = search::parseHitRow(list->rows()[1]);
        QVERIFY(address);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(1)).center());
        CVantorView* view = s.activeView();
        QVERIFY(view);
        QCOMPARE(view->relativePath(), address->relativePath);
        QCOMPARE(view->selection().start, address->offset);
        QCOMPARE(view->selection().end, address->offset + 4);

        // Enter in an empty box does nothing; the list keeps its rows. The keys go to the combo
        // box, which holds the focus for its line edit, as they do for a user.
        const int rows = list->count();
        s.type(s.pane->searchBox(), QString());
        QTest::keyClick(s.pane->searchBox()->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), s.pane->searchBox());
        QTest::keyClick(s.pane->searchBox(), Qt::Key_Return);
        QCOMPARE(list->count(), rows);
        QVERIFY(s.t.messages->shown.empty());
        // With a phrase, Enter runs the search.
        s.type(s.pane->searchBox(), QStringLiteral("外筒"));
        QTest::keyClick(s.pane->searchBox(), Qt::Key_Return);
        QVERIFY(list->item(0)->text().contains(QStringLiteral("「外筒」")));

        // The document list's 432 on a folder makes that folder the target.
        auto* tree = s.wiring->fileView()->findChild<QTreeWidget*>();
        QVERIFY(tree);
        const auto found =
            tree->findItems(QStringLiteral("本願"), Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty());
        s.wiring->fileView()->runCommand(cmd::ID_SEARCH_IN_FOLDER, found.front());
        QCOMPARE(s.pane->targetCombo()->currentText(), QStringLiteral("『本願』内の全文献"));
    }

    void modeSwitchShowsTheReplaceControls()
    {
        Session s;
        QVERIFY(s.pane->searchButton()->isVisible());
        QVERIFY(!s.pane->replacePairButton()->isVisible());
        s.clickModeBox();
        QVERIFY(s.pane->replaceMode());
        QVERIFY(s.pane->replacePairButton()->isVisible());
        QVERIFY(s.pane->replaceBox()->isVisible());
        QVERIFY(!s.pane->resultTabs()->isVisible());
        QCOMPARE(read(s.t.app->services().settings, keys::SearchChange), 0);
        s.clickModeBox();
        QVERIFY(s.pane->resultTabs()->isVisible());
        QCOMPARE(read(s.t.app->services().settings, keys::SearchChange), 1);
    }

    void replacePairWithScriptedAnswers()
    {
        Session s;
        s.clickModeBox();
        s.chooseTarget(0);
        s.type(s.pane->searchBox(), QStringLiteral("中棒"));
        s.type(s.pane->replaceBox(), QStringLiteral("シャフト"));
        const std::string path = s.docFolder + "/本願/特願2024-031857";
        const std::string before = fileBytes(path);
        // No: nothing is written.
        s.t.messages->answer(Answer::No);
        QTest::mouseClick(s.pane->replacePairButton(), Qt::LeftButton);
        QCOMPARE(s.t.messages->numbers(), (std::vector<int>{msg::kConfirmBatchReplace}));
        QCOMPARE(fileBytes(path), before);
        // An open document is rewritten in its open text, not on disk, where its unsaved
        // state would be lost.
        const std::string openPath = s.docFolder + "/先行技術/特開2021-077310";
        const std::string openBefore = fileBytes(openPath);
        QVERIFY(s.wiring->openDocument(openPath));
        CVantorView* openView = s.activeView();
        QVERIFY(openView);
        // Yes: the run goes through its progress dialog and reports completion.
        s.t.messages->answer(Answer::Yes);
        s.t.messages->answer(Answer::Ok);
        QTest::mouseClick(s.pane->replacePairButton(), Qt::LeftButton);
        QCOMPARE(s.t.messages->numbers(),
                 (std::vector<int>{msg::kConfirmBatchReplace, msg::kConfirmBatchReplace,
                                   msg::kBatchReplaceDone}));
        // Every document searched; the project's markers keep the phrase where it lies in them.
        const std::string summary = s.t.messages->shown.back().textUtf8;
        QVERIFY(summary.rfind("置換対象文献数 5件\n置換実施文献数 ", 0) == 0);
        const std::string after = fileBytes(path);
        QVERIFY(after.find(toSjis(QStringLiteral("シャフト"))) != std::string::npos);
        QVERIFY(summary.find("一括置換を完了しました") != std::string::npos);
        QCOMPARE(fileBytes(openPath), openBefore);
        QVERIFY(
            std::string(openView->textStore().text()).find(toSjis(QStringLiteral("シャフト"))) !=
            std::string::npos);
        QVERIFY(openView->isModified());
    }

    void findNextWrapsToTheStartAfterAsking()
    {
        Session s;
        write(s.t.app->services().settings, keys::SearchMes, 1);
        QVERIFY(s.wiring->openDocument(s.docFolder + "/本願/特願2024-031857"));
        CVantorView* view = s.activeView();
        QVERIFY(view);
        view->setCaret(view->textStore().length());
        QComboBox* box = s.frame->ribbon()->searchBox();
        box->lineEdit()->setFocus();
        Session::type(box->lineEdit(), QStringLiteral("中棒"));
        s.t.messages->answer(Answer::Yes);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(s.t.messages->numbers(), (std::vector<int>{msg::kWrapToStart}));
        const SjisString phrase = toSjis(QStringLiteral("中棒"));
        const auto first = ByteOffset(std::string(view->textStore().text()).find(phrase));
        QCOMPARE(view->selection().start, first);
        QCOMPARE(view->selection().end, first + 4);
        // F3 again moves on without a question.
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F3);
        QVERIFY(view->selection().start > first);
        QCOMPARE(s.t.messages->numbers().size(), std::size_t(1));
        QCOMPARE(search::loadPhraseHistory(s.t.app->services().settings,
                                           search::PhraseHistory::RibbonSearch)[0],
                 phrase);
    }

    void dictionaryManagerWritesPairsThatAPaneRunApplies()
    {
        Session s;
        s.clickModeBox();
        s.chooseTarget(0);
        const QString folder = QString::fromStdString(s.pane->dictionaryFolder());
        QByteArray full; // a dictionary at its 500 pairs
        for (int i = 0; i < 500; ++i)
            full += "p" + QByteArray::number(i) + "\tq\r\n";
        writeFile(folder + "/full", full);
        const std::string path = s.docFolder + "/本願/特願2024-031857";
        const std::string original = fileBytes(path);

        const auto pairDialog = [](std::function<void(CRepGokuDlg*)> fill) {
            whenModalOf("corvane::CRepGokuDlg",
                        [fill](QWidget* w) { fill(static_cast<CRepGokuDlg*>(w)); });
        };
        const auto storePair = [&](CRepDicDlg* dlg, const QString& before, const QString& after) {
            pairDialog([&](CRepGokuDlg* g) {
                QVERIFY(!g->modifying());
                QCOMPARE(g->focusWidget(), g->beforeEdit()); // the user types at once
                Session::type(g->beforeEdit(), before);
                Session::type(g->afterEdit(), after);
                clickButton(g, QStringLiteral("決定(&S)"));
            });
            QTest::mouseClick(dlg->button(QStringLiteral("addPair")), Qt::LeftButton);
        };
        const auto rows = [](CRepDicDlg* dlg) {
            QStringList r;
            for (int i = 0; i < dlg->pairTable()->rowCount(); ++i)
                r << dlg->pairTable()->item(i, 1)->text() + "\t" +
                         dlg->pairTable()->item(i, 2)->text();
            return r;
        };
        bool managed = false;
        whenModalOf("corvane::CRepDicDlg", [&](QWidget* w) {
            auto* dlg = static_cast<CRepDicDlg*>(w);
            const auto close = qScopeGuard(
                [&] { QTest::mouseClick(dlg->button(QStringLiteral("close")), Qt::LeftButton); });
            // A new dictionary through the name dialog; a second one of the same name is
            // refused with 30013, answered No.
            for (int i = 0; i < 2; ++i) {
                whenModalOf("corvane::CFileNameDlg", [](QWidget* n) {
                    Session::type(static_cast<CFileNameDlg*>(n)->edit(), QStringLiteral("用語"));
                    QTest::keyClick(static_cast<CFileNameDlg*>(n)->edit(), Qt::Key_Return);
                });
                if (i == 1)
                    s.t.messages->answer(Answer::No);
                QTest::mouseClick(dlg->button(QStringLiteral("addDictionary")), Qt::LeftButton);
            }
            // Enter in the list is no click on a button: no name dialog comes.
            auto named = std::make_shared<bool>(false);
            QTimer::singleShot(300, [named] {
                if (auto* m = QApplication::activeModalWidget();
                    m && m->inherits("corvane::CFileNameDlg")) {
                    *named = true;
                    static_cast<QDialog*>(m)->reject();
                }
            });
            dlg->pairTable()->setFocus();
            QTest::keyClick(dlg->pairTable(), Qt::Key_Return);
            QVERIFY(!*named);
            QCOMPARE(dlg->dictionaryCombo()->currentText(), QStringLiteral("用語"));
            QCOMPARE(dlg->dictionaryCombo()->count(), 2);
            QVERIFY(dlg->button(QStringLiteral("addPair"))->isEnabled());

            // A longer phrase goes before the stored phrase it contains.
            storePair(dlg, QStringLiteral("棒"), QStringLiteral("ロッド"));
            storePair(dlg, QStringLiteral("中棒"), QStringLiteral("シャフト"));
            QCOMPARE(rows(dlg), QStringList({"中棒\tシャフト", "棒\tロッド"}));
            QCOMPARE(dlg->pairTable()->currentRow(), 0); // the stored pair is shown

            // Refused in one sitting, nothing stored: no after-phrase, equal phrases, a
            // before-phrase already stored.
            pairDialog([&](CRepGokuDlg* g) {
                const auto cancel = qScopeGuard([g] { clickButton(g, "キャンセル"); });
                Session::type(g->beforeEdit(), QStringLiteral("棒"));
                clickButton(g, QStringLiteral("決定(&S)"));
                Session::type(g->afterEdit(), QStringLiteral("棒"));
                clickButton(g, QStringLiteral("決定(&S)"));
                Session::type(g->afterEdit(), QStringLiteral("杖"));
                clickButton(g, QStringLiteral("決定(&S)"));
                QVERIFY(g->isVisible());
            });
            QTest::mouseClick(dlg->button(QStringLiteral("addPair")), Qt::LeftButton);

            // Modifying only the after-phrase of a pair (double-click on its row).
            pairDialog([](CRepGokuDlg* g) {
                QVERIFY(g->modifying());
                QCOMPARE(g->beforeEdit()->text(), QStringLiteral("棒"));
                Session::type(g->afterEdit(), QStringLiteral("ロッド２"));
                clickButton(g, QStringLiteral("決定(&S)"));
            });
            QTableWidget* table = dlg->pairTable();
            const QPoint second = table->visualItemRect(table->item(1, 1)).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, second);

            // The full dictionary takes no 501st pair.
            choose(dlg->dictionaryCombo(), QStringLiteral("full"));
            QCOMPARE(table->rowCount(), 500);
            pairDialog([](CRepGokuDlg* g) {
                const auto cancel = qScopeGuard([g] { clickButton(g, "キャンセル"); });
                Session::type(g->beforeEdit(), QStringLiteral("x"));
                Session::type(g->afterEdit(), QStringLiteral("y"));
                clickButton(g, QStringLiteral("決定(&S)"));
            });
            QTest::mouseClick(dlg->button(QStringLiteral("addPair")), Qt::LeftButton);
            // Deleting a pair needs a chosen row (30100), then asks (30010).
            table->clearSelection();
            table->setCurrentItem(nullptr);
            QTest::mouseClick(dlg->button(QStringLiteral("deletePair")), Qt::LeftButton);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(0, 1)).center());
            QTest::mouseClick(dlg->button(QStringLiteral("deletePair")), Qt::LeftButton);
            QCOMPARE(table->item(0, 1)->text(), QStringLiteral("p1"));
            choose(dlg->dictionaryCombo(), QStringLiteral("用語"));
            managed = true;
        });
        QTest::mouseClick(s.pane->dictionaryManagerButton(), Qt::LeftButton);
        QVERIFY(managed);
        QCOMPARE(
            s.t.messages->numbers(),
            (std::vector<int>{msg::kSameNameExists, msg::kConfirmRegister, msg::kConfirmRegister,
                              msg::kNoText, msg::kSamePhrases, msg::kConfirmRegister,
                              msg::kAlreadyRegistered, msg::kConfirmRegister, msg::kConfirmRegister,
                              msg::kTooManyEntries, msg::kNoLineSelected, msg::kConfirmDelete}));
        // Shift-JIS, CR LF, in the order the pairs are applied.
        QCOMPARE(fileBytes(pathFromQString(folder + "/用語")),
                 sjis("中棒\tシャフト\r\n棒\tロッド２\r\n"));
        QCOMPARE(fileBytes(pathFromQString(folder + "/full")),
                 full.toStdString().substr(sizeof("p0\tq\r\n") - 1));

        // The pane lists the new dictionary; run forward, then reverse, which undoes it.
        QCOMPARE(s.pane->dictionaryCombo()->currentText(), QStringLiteral("用語"));
        s.t.messages->shown.clear();
        s.t.messages->answer(Answer::Cancel);
        QTest::mouseClick(s.pane->replaceDictionaryButton(), Qt::LeftButton);
        QCOMPARE(fileBytes(path), original);
        for (const Answer direction : {Answer::Yes, Answer::No}) {
            s.t.messages->answer(direction);
            QTest::mouseClick(s.pane->replaceDictionaryButton(), Qt::LeftButton);
            const std::string now = fileBytes(path);
            QCOMPARE(now.find(sjis("シャフト")) != std::string::npos, direction == Answer::Yes);
        }
        QCOMPARE(s.t.messages->numbers(),
                 (std::vector<int>{msg::kAskReplaceDirection, msg::kAskReplaceDirection,
                                   msg::kBatchReplaceDone, msg::kAskReplaceDirection,
                                   msg::kBatchReplaceDone}));
        QCOMPARE(fileBytes(path), original);
    }

    void textViewAndMarkerListFeedThePhraseBoxes()
    {
        Session s;
        CVantorView* view = s.openView("本願/特願2024-031857");
        QVERIFY(view);
        const std::string text(view->textStore().text());
        const SjisString phrase = sjis("折り畳み傘");
        const auto at = ByteOffset(text.find(phrase));
        Session::selectWithMouse(view, at, at + ByteOffset(phrase.size()));
        QCOMPARE(view->selection().start, at);
        QCOMPARE(view->selection().end, at + ByteOffset(phrase.size()));
        const QPoint inSelection = Session::pointOf(view, at + 2);

        Session::chooseFromMenu(view, inSelection, cmd::ID_SELECTION_TO_SEARCH);
        QCOMPARE(s.pane->searchBox()->phrase(), QStringLiteral("折り畳み傘"));
        QVERIFY(!s.pane->replaceMode());
        Session::chooseFromMenu(view, inSelection, cmd::ID_SELECTION_TO_REPLACE);
        QCOMPARE(s.pane->replaceBox()->phrase(), QStringLiteral("折り畳み傘"));
        QVERIFY(s.pane->replaceMode()); // the replacement box is shown

        // 522: the pair dialog in add mode with the selection as its before-phrase.
        QString offered;
        whenModalOf("corvane::CRepGokuDlg", [&offered](QWidget* w) {
            auto* g = static_cast<CRepGokuDlg*>(w);
            // Given the before-phrase, the typing goes to the after-phrase.
            offered = g->modifying() || g->focusWidget() != g->afterEdit()
                          ? QString()
                          : g->beforeEdit()->text();
            clickButton(g, QStringLiteral("キャンセル"));
        });
        Session::chooseFromMenu(view, inSelection, cmd::ID_DIC_REGISTER);
        QCOMPARE(offered, QStringLiteral("折り畳み傘"));

        // A marker's text: by its menu, and by dragging it from the text view and from the
        // marker list onto either box.
        const int marker = s.markerOf(kDocument);
        QVERIFY(marker >= 0);
        const ObjectRecord& record = s.t.app->data().objects[marker];
        const QString markerText = toQString(fixedText(record.secondText));
        const ObjectId id = record.id;
        view->scrollToLine(view->keyTable().lineOfByte(record.position));
        s.pane->searchBox()->setPhrase({});
        s.pane->replaceBox()->setPhrase({});
        Session::chooseFromMenu(view, Session::pointOf(view, record.position + 2),
                                cmd::ID_MARKER_TO_SEARCH);
        QCOMPARE(s.pane->searchBox()->phrase(), markerText);
        Session::chooseFromMenu(view, Session::pointOf(view, record.position + 2),
                                cmd::ID_MARKER_TO_REPLACE);
        QCOMPARE(s.pane->replaceBox()->phrase(), markerText);

        s.pane->searchBox()->setPhrase({});
        CMarkerGestures::of(view)->runDrag = [&s](ObjectId dragged) {
            dropOn(s.pane->searchBox()->lineEdit(), dragged);
        };
        const QPoint from = Session::pointOf(view, record.position + 2);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view->viewport(), from + QPoint(0, 30));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, from + QPoint(0, 30));
        QCOMPARE(s.pane->searchBox()->phrase(), markerText);

        s.markers->targetCombo()->setFocus(); // all documents
        QTest::keyClick(s.markers->targetCombo(), Qt::Key_Down);
        CMarkerList* list = s.markers->list();
        QListWidgetItem* row = nullptr;
        for (int i = 0; i < list->count() && !row; ++i)
            if (list->item(i)->data(Qt::UserRole + 1).toInt() == id)
                row = list->item(i);
        QVERIFY(row);
        list->runDrag = [&s](ObjectId dragged) {
            dropOn(s.pane->replaceBox()->lineEdit(), dragged);
        };
        s.pane->replaceBox()->setPhrase({});
        const QPoint rowAt = list->visualItemRect(row).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowAt);
        for (int dx = 5; dx <= 40; dx += 5)
            QTest::mouseMove(list->viewport(), rowAt + QPoint(dx, 0));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, rowAt + QPoint(40, 0));
        QCOMPARE(s.pane->replaceBox()->phrase(), markerText);
        QVERIFY(!dropOn(s.pane->replaceBox()->lineEdit(), 10)); // a sub-subject: no text
        QCOMPARE(s.pane->replaceBox()->phrase(), markerText);

        // 432 on a nested folder: the pane searches its top-level folder.
        fs::create_directories(fs::path(s.docFolder) / "先行技術" / "下位");
        s.wiring->fileView()->refresh();
        auto* tree = s.wiring->fileView()->findChild<QTreeWidget*>();
        const auto nested =
            tree->findItems(QStringLiteral("下位"), Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!nested.isEmpty());
        s.wiring->fileView()->runCommand(cmd::ID_SEARCH_IN_FOLDER, nested.front());
        QCOMPARE(s.pane->targetCombo()->currentText(), QStringLiteral("『先行技術』内の全文献"));
        QVERIFY(s.t.messages->shown.empty());
    }

    void cancellingALongReplaceStopsBetweenDocuments()
    {
        Session s;
        // Twenty more documents, each holding the phrase twice and no marker.
        const SjisString body = sjis("中棒の試験\r\n中棒\r\n");
        for (int i = 0; i < 20; ++i)
            writeFile(QString::fromStdString(s.docFolder) + "/大量/" + QString::number(i),
                      QByteArray::fromStdString(body));
        s.clickModeBox();
        s.chooseTarget(0);
        s.type(s.pane->searchBox(), QStringLiteral("中棒"));
        s.type(s.pane->replaceBox(), QStringLiteral("シャフト"));
        // The walk holds at its fourth document until the user's cancel reaches it.
        struct HoldAtFourth : search::Progress
        {
            search::Progress* inner = nullptr;
            bool step(int done, int total) override
            {
                if (done < 3)
                    return inner->step(done, total);
                for (int i = 0; i < 2000; ++i) {
                    if (!inner->step(done, total))
                        return false;
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
                return true;
            }
            void changeRecords(const std::function<void()>& change) override
            {
                inner->changeRecords(change);
            }
        };
        s.pane->runLongJob = [&s](const auto& job) {
            return runReplaceJob(s.pane, [&job](search::Progress* progress) {
                HoldAtFourth hold;
                hold.inner = progress;
                return job(&hold);
            });
        };
        auto* poll = new QTimer(s.pane);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [&s, poll] {
            for (QProgressDialog* d : s.pane->findChildren<QProgressDialog*>())
                if (d->isVisible()) {
                    poll->stop();
                    clickButton(d, QStringLiteral("中止"));
                }
        });
        poll->start();
        s.t.messages->answer(Answer::Yes);
        QTest::mouseClick(s.pane->replacePairButton(), Qt::LeftButton);
        QCOMPARE(s.t.messages->numbers(),
                 (std::vector<int>{msg::kConfirmBatchReplace, msg::kBatchReplaceCancelled}));
        // Every document is whole: rewritten throughout or not at all.
        int rewritten = 0;
        const SjisString replaced = sjis("シャフトの試験\r\nシャフト\r\n");
        for (int i = 0; i < 20; ++i) {
            const std::string now = fileBytes(s.docFolder + "/大量/" + std::to_string(i));
            QVERIFY(now == body || now == replaced);
            rewritten += now == replaced;
        }
        QVERIFY(rewritten <= 3);
        const std::string summary = s.t.messages->shown.back().textUtf8;
        QVERIFY2(summary.find("※ 全 25件の文献のうち 3件を処理したところで中止しました") !=
                     std::string::npos,
                 summary.c_str());
    }

    void findFromASelectionAndClearingThePhrases()
    {
        Session s;
        write(s.t.app->services().settings, keys::SearchMes, 1);
        CVantorView* view = s.openView("本願/特願2024-031857");
        QVERIFY(view);
        const std::string text(view->textStore().text());
        // 537 on a selection across a line break, longer than the search window: the box gets
        // it without the break, and its only occurrence is found again after 30062.
        const auto start = ByteOffset(text.find(sjis("【発明の名称】")));
        const SjisString last = sjis("本発明は、片手で開閉できる");
        const auto end = ByteOffset(text.find(last) + last.size());
        QVERIFY(end - start > 100);
        Session::selectWithMouse(view, start, end);
        QCOMPARE(view->selection().end, end);
        s.t.messages->answer(Answer::Yes);
        Session::chooseFromMenu(view, Session::pointOf(view, start + 4), cmd::ID_SELECTION_TO_FIND);
        QCOMPARE(s.t.messages->numbers(), (std::vector<int>{msg::kWrapToStart}));
        QCOMPARE(view->selection().start, start);
        QCOMPARE(view->selection().end, end);
        QComboBox* box = s.frame->ribbon()->searchBox();
        QCOMPARE(box->currentText(),
                 QStringLiteral("【発明の名称】折り畳み傘およびその中棒ロック機構【技術分野】"
                                "【０００１】本発明は、片手で開閉できる"));

        // Backward from the top: 30063, and No leaves the selection where it was.
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        Session::type(box->lineEdit(), QStringLiteral("中棒"));
        s.t.messages->answer(Answer::No);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(s.t.messages->numbers().back(), msg::kWrapToEnd);
        QVERIFY(view->selection().empty());

        // A phrase the document lacks: 30105 names it, unless SearchMes is 0.
        Session::type(box->lineEdit(), QStringLiteral("存在しない語句"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(s.t.messages->numbers().back(), msg::kNoMatch);
        QVERIFY(s.t.messages->shown.back().textUtf8.rfind("『存在しない語句』に", 0) == 0);
        write(s.t.app->services().settings, keys::SearchMes, 0);
        const std::size_t shown = s.t.messages->shown.size();
        QTest::keyClick(box, Qt::Key_Return);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        Session::type(box->lineEdit(), QStringLiteral("中棒"));
        QTest::keyClick(box, Qt::Key_Return); // wraps without asking
        QCOMPARE(s.t.messages->shown.size(), shown);
        QVERIFY(!view->selection().empty());

        // 535: No keeps the phrases, Yes empties the history and the box.
        QToolButton* clear = nullptr;
        for (QToolButton* b : s.frame->ribbon()->findChildren<QToolButton*>())
            if (b->defaultAction() == s.frame->action(cmd::ID_SEARCH_CLS))
                clear = b;
        QVERIFY(clear && clear->isEnabled());
        SettingsStore& settings = s.t.app->services().settings;
        QCOMPARE(search::loadPhraseHistory(settings, search::PhraseHistory::RibbonSearch)[0],
                 sjis("中棒"));
        s.t.messages->answer(Answer::No);
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(box->count() > 0);
        s.t.messages->answer(Answer::Yes);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(s.t.messages->numbers().back(), msg::kConfirmClearPhrases);
        QCOMPARE(box->count(), 0);
        QVERIFY(box->currentText().isEmpty());
        for (const SjisString& e :
             search::loadPhraseHistory(settings, search::PhraseHistory::RibbonSearch))
            QVERIFY(e.empty());
    }
};

QTEST_MAIN(TestSearchPane)
#include "tst_searchpane.moc"
