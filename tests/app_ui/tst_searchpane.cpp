// The search pane in the running frame on a copy of the sample project: a search into results
// list 3 typed and started with the mouse, a hit opened by double-click, the mode switch, batch
// replace 520 with its questions answered by script, and find next wrapping to the start.
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CRibbonBar.h"
#include "app/CTabArea.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/ProjectLifecycle.h"
#include "app/SearchWiring.h"
#include "app/TextWindow.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"
#include "doclist/CFileView.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "search/PhraseHistory.h"
#include "search/SearchRun.h"
#include "search/ui/CGokuCombo.h"
#include "search/ui/CResultList.h"
#include "search/ui/CSearchWnd.h"
#include "textview/CVantorView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <sstream>

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

struct Session
{
    PrivateHome home;
    TestApp t;
    std::unique_ptr<CMainFrame> frame;
    DocumentWiring* wiring = nullptr;
    CSearchWnd* pane = nullptr;
    std::string docFolder;

    Session()
    {
        const fs::path copy = fs::path(home.path().toStdString()) / "Sample";
        fs::copy(CORVANE_SAMPLE_DIR, copy, fs::copy_options::recursive);
        fs::remove(copy / "Sample.opn");
        docFolder = (copy / "doc").string();
        frame = std::make_unique<CMainFrame>(*t.app);
        wiring = DocumentWiring::install(*frame, *t.app);
        pane = installSearchPane(*frame, *t.app, *wiring);
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

        // Enter in an empty box does nothing; the list keeps its rows.
        const int rows = list->count();
        s.type(s.pane->searchBox(), QString());
        QTest::keyClick(s.pane->searchBox()->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(s.pane->searchBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(list->count(), rows);
        QVERIFY(s.t.messages->shown.empty());

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
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
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
};

QTEST_MAIN(TestSearchPane)
#include "tst_searchpane.moc"
