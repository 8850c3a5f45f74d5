// The document list and the text views in the frame, driven as a user would on a copy of the
// sample project: the tree of folders and documents, opening from the list into a tab, the "*"
// of unsaved changes, saving, closing with the question about changes, renaming an open
// document, and the open documents coming back when the project is opened again.
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CMainStatusBar.h"
#include "app/CTabArea.h"
#include "app/ChartWindow.h"
#include "app/DocumentWiring.h"
#include "app/ProjectLifecycle.h"
#include "app/TextWindow.h"
#include "base/Refresh.h"
#include "chart/ui/CChartView.h"
#include "doclist/CFileTree.h"
#include "doclist/CFileView.h"
#include "model/FixedText.h"
#include "res/AddedMessages.h"
#include "res/ui/CommandIds.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidgetItem>

#include <filesystem>

using namespace corvane;
using namespace corvane::cmd;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

const QString kRoot = QStringLiteral("文献リスト");

/// Edits the view's document into newText the way typing would: an addition at either end is
/// inserted there (markers stay), anything else replaces the whole text.
bool editInto(CVantorView* view, SjisView newText)
{
    TextDocument& doc = *view->document();
    const SjisString old(doc.text());
    const auto size = static_cast<ByteOffset>(old.size());
    const auto added = static_cast<ByteOffset>(newText.size()) - size;
    if (added > 0 && newText.substr(0, old.size()) == old)
        return doc.insert(size, newText.substr(old.size())).done();
    if (added > 0 && newText.substr(static_cast<std::size_t>(added)) == old)
        return doc.insert(0, newText.substr(0, static_cast<std::size_t>(added))).done();
    return doc.replace(0, size, newText).done();
}
const QString kPrior = QStringLiteral("先行技術");
const QString kUtility = QStringLiteral("実登3201958");

QTreeWidgetItem* child(QTreeWidgetItem* parent, const QString& text)
{
    for (int i = 0; parent && i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

QStringList childTexts(QTreeWidgetItem* parent)
{
    QStringList out;
    for (int i = 0; parent && i < parent->childCount(); ++i)
        out << parent->child(i)->text(0);
    return out;
}

QString tabText(CTabArea* tabs, DocumentWindow* w)
{
    CTabGroup* g = tabs->group(tabs->groupOf(w));
    return g ? g->tabText(g->indexOf(w)) : QString();
}

QByteArray readAll(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// A frame with the document list and text views wired in, over a copy of the sample project
/// (without its open documents list, so that the test decides what is open).
struct Session
{
    PrivateHome home;
    TestApp t;
    std::unique_ptr<CMainFrame> frame;
    DocumentWiring* wiring = nullptr;
    std::string projectFile;
    std::string docFolder;

    Session()
    {
        const fs::path copy = copySample(home);
        projectFile = (copy / "Sample.CVN").string();
        docFolder = (copy / "doc").string();
        frame = std::make_unique<CMainFrame>(*t.app);
        wiring = DocumentWiring::install(*frame, *t.app);
        frame->resize(1000, 700);
        frame->show();
    }
    ~Session()
    {
        // Nothing may ask a question any more while the frame goes.
        t.app->data().modified = false;
    }

    bool open() { return t.app->lifecycle().openProject(projectFile, false); }
    QTreeWidgetItem* root() const { return wiring->fileView()->tree()->topLevelItem(0); }
    QTreeWidgetItem* utilityItem() const { return child(child(root(), kPrior), kUtility); }
    std::string utilityPath() const { return docFolder + "/先行技術/実登3201958"; }
    /// The one document of the sample without markers.
    std::string memoPath() const { return docFolder + "/調査/検索式メモ"; }
    QList<DocumentWindow*> windows() const { return frame->tabArea()->windows(); }
    TextWindow* active() const
    {
        return qobject_cast<TextWindow*>(frame->tabArea()->activeWindow());
    }
    QString markerPane() const { return frame->mainStatusBar()->pane(StatusPane::Marker)->text(); }
};

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT
private slots:
    void listShowsTheSampleFoldersAndDocuments();
    void openFromListShowsTabSelectsItemAndCounts();
    void modifiedSaveAndReopenThroughOpenList();
    void closingAskedQuestionDecidesAboutChanges();
    void documentWithMarkersIsSavedWithoutAsking();
    void reopeningAtOnceAfterCloseKeepsTheOpenTable();
    void documentThatCannotBeSavedKeepsTheProjectOpen();
    void projectThatCannotBeSavedAsksBeforeTheWindowCloses();
    void renamingOpenDocumentRetitlesItsTab();
    void deletingOpenDocumentClosesItsTab();
    void ribbonUndoRedoAndPinsActOnTheActiveView();
    void chartCommandOpensTheChartAndRibbonUndoReachesIt();
    void markerMenuShowsTheMarkersNodeInTheChart();
    void documentWithABookmarkIsSavedWithTheProjectFile();
};

void TestDocuments::listShowsTheSampleFoldersAndDocuments()
{
    Session s;
    QVERIFY(s.open());
    QTreeWidgetItem* root = s.root();
    QVERIFY(root);
    QCOMPARE(root->text(0), kRoot);
    QCOMPARE(childTexts(root),
             QStringList({kPrior, QStringLiteral("調査"), QStringLiteral("本願")}));
    QCOMPARE(childTexts(child(root, kPrior)),
             QStringList(
                 {kUtility, QStringLiteral("特開2018-104422"), QStringLiteral("特開2021-077310")}));
    QCOMPARE(childTexts(child(root, QStringLiteral("調査"))),
             QStringList({QStringLiteral("検索式メモ")}));
    QVERIFY(s.windows().isEmpty());
    QCOMPARE(s.markerPane(), QString());

    // A double-click on a document opens it in a tab.
    CFileTree* tree = s.wiring->fileView()->tree();
    QTreeWidgetItem* memo =
        child(child(root, QStringLiteral("調査")), QStringLiteral("検索式メモ"));
    tree->expandItem(memo->parent());
    tree->scrollToItem(memo);
    const QPoint at = tree->visualItemRect(memo).center();
    QCOMPARE(tree->itemAt(at), memo);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(s.windows().size(), 1);
    QCOMPARE(s.windows().front()->title(), QStringLiteral("検索式メモ"));
    QCOMPARE(s.markerPane(), QStringLiteral("0 / 9"));
}

void TestDocuments::openFromListShowsTabSelectsItemAndCounts()
{
    Session s;
    QVERIFY(s.open());
    QTreeWidgetItem* item = s.utilityItem();
    QVERIFY(item);
    s.wiring->fileView()->runCommand(cmd::ID_DOC_OPEN, item);
    QCOMPARE(s.windows().size(), 1);
    TextWindow* w = s.active();
    QVERIFY(w && w->view());
    QCOMPARE(w->title(), kUtility);
    QCOMPARE(w->documentPath(), s.utilityPath());
    QCOMPARE(s.t.app->data().openDocuments, std::vector<std::string>{s.utilityPath()});
    QVERIFY(w->view()->textStore().length() > 0);
    QCOMPARE(s.wiring->fileView()->tree()->currentItem(), item);
    // The MARKER pane counts markers of the active document over all markers of the project.
    QCOMPARE(s.markerPane(), QStringLiteral("1 / 9"));

    // Logic asks about the active view by its disk path and caret.
    QVERIFY(s.frame->runCommand(ID_TO_DOC_TAIL));
    const ActiveView active = s.t.app->views().activeView();
    QCOMPARE(active.fullPath, s.utilityPath());
    QCOMPARE(active.caretByte, w->view()->textStore().length());
    QVERIFY(s.frame->runCommand(ID_TO_DOC_TOP));
    QCOMPARE(s.t.app->views().activeView().caretByte, 0);
    // The frame's caret timer blinks the active view's caret.
    const bool shown = w->view()->caretShown();
    w->toggleCaret();
    QCOMPARE(w->view()->caretShown(), !shown);

    // Opening it again activates the same tab.
    QVERIFY(s.wiring->openDocument(s.utilityPath()));
    QCOMPARE(s.windows().size(), 1);

    // Closing the last tab leaves the MARKER pane empty.
    QVERIFY(s.frame->runCommand(ID_TAB_CLOSE));
    QCoreApplication::processEvents();
    QVERIFY(s.windows().isEmpty());
    QCOMPARE(s.markerPane(), QString());
    QVERIFY(s.t.app->data().openDocuments.empty());
}

void TestDocuments::modifiedSaveAndReopenThroughOpenList()
{
    Session s;
    QVERIFY(s.open());
    s.wiring->fileView()->runCommand(cmd::ID_DOC_OPEN, s.utilityItem());
    TextWindow* w = s.active();
    QVERIFY(w);
    const QByteArray before = readAll(s.utilityPath());

    // An edit: the tab shows "*" and the text view's save becomes available.
    const SjisString edited = "\x82\xa0"
                              "added\r\n" +
                              before.toStdString();
    QVERIFY(editInto(w->view(), edited));
    QVERIFY(w->isModified());
    QCOMPARE(tabText(s.frame->tabArea(), w), kUtility + QLatin1Char('*'));
    s.frame->updateCommandStates();
    QVERIFY(s.frame->action(ID_TVIEW_SAVE)->isEnabled());
    QCOMPARE(readAll(s.utilityPath()), before);

    QVERIFY(s.frame->runCommand(ID_TVIEW_SAVE));
    QCOMPARE(tabText(s.frame->tabArea(), w), kUtility);
    QCOMPARE(readAll(s.utilityPath()).toStdString(), edited);
    // Documents stay read-only between saves.
    QVERIFY(
        !(QFileInfo(QString::fromStdString(s.utilityPath())).permissions() & QFile::WriteOwner));

    // Save and close the project: the open document is remembered and comes back.
    QVERIFY(s.frame->runCommand(ID_PROJECT_SAVE));
    QVERIFY(s.frame->runCommand(ID_PROJECT_CLOSE));
    QVERIFY(s.windows().isEmpty());
    QVERIFY(s.t.app->data().openDocuments.empty());
    QVERIFY(fs::exists(fs::path(s.projectFile).replace_extension(".opn")));
    QVERIFY(s.t.messages->shown.empty());

    QVERIFY(s.open());
    QCOMPARE(s.windows().size(), 1);
    QCOMPARE(s.windows().front()->title(), kUtility);
    QCOMPARE(s.t.app->data().openDocuments, std::vector<std::string>{s.utilityPath()});
    // A deferred deletion of the old view must not take the reopened document off the table.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(s.t.app->data().openDocuments, std::vector<std::string>{s.utilityPath()});
}

void TestDocuments::closingAskedQuestionDecidesAboutChanges()
{
    Session s;
    QVERIFY(s.open());
    QVERIFY(s.wiring->openDocument(s.memoPath()));
    TextWindow* w = s.active();
    QVERIFY(w && !w->hasMarkers());
    const QByteArray before = readAll(s.memoPath());
    QVERIFY(editInto(w->view(), "changed\r\n"));

    // Cancel keeps the window and its changes.
    s.t.messages->answer(Answer::Cancel);
    QVERIFY(s.frame->runCommand(ID_TAB_CLOSE));
    QCOMPARE(s.t.messages->numbers(), std::vector<int>{30081});
    QCOMPARE(s.windows().size(), 1);
    QVERIFY(w->isModified());

    // No closes without touching the document.
    s.t.messages->answer(Answer::No);
    QVERIFY(s.frame->runCommand(ID_TAB_CLOSE));
    QVERIFY(s.windows().isEmpty());
    QCOMPARE(readAll(s.memoPath()), before);

    // Yes saves as it closes.
    QVERIFY(s.wiring->openDocument(s.memoPath()));
    QVERIFY(editInto(s.active()->view(), "saved\r\n"));
    s.t.messages->answer(Answer::Yes);
    QVERIFY(s.frame->runCommand(ID_TAB_CLOSE));
    QVERIFY(s.windows().isEmpty());
    QCOMPARE(readAll(s.memoPath()), QByteArray("saved\r\n"));
}

void TestDocuments::documentWithMarkersIsSavedWithoutAsking()
{
    Session s;
    QVERIFY(s.open());
    const std::string marked = s.docFolder + "/先行技術/特開2018-104422";
    QVERIFY(s.wiring->openDocument(marked));
    TextWindow* w = s.active();
    QVERIFY(w && w->hasMarkers());
    const SjisString text(w->view()->textStore().text());
    QVERIFY(editInto(w->view(), text + "x"));
    QVERIFY(s.frame->runCommand(ID_TAB_CLOSE));
    QVERIFY(s.t.messages->shown.empty());
    QVERIFY(s.windows().isEmpty());
    QCOMPARE(readAll(marked).toStdString(), text + "x");
}

void TestDocuments::reopeningAtOnceAfterCloseKeepsTheOpenTable()
{
    Session s;
    QVERIFY(s.open());
    QVERIFY(s.wiring->openDocument(s.utilityPath()));
    QVERIFY(s.frame->runCommand(ID_TAB_CLOSE));
    // Opened again before the event loop runs: the closed view's clean-up is already done.
    QVERIFY(s.wiring->openDocument(s.utilityPath()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(s.t.app->data().openDocuments, std::vector<std::string>{s.utilityPath()});
    QCOMPARE(s.windows().size(), 1);
}

void TestDocuments::projectThatCannotBeSavedAsksBeforeTheWindowCloses()
{
    Session s;
    QVERIFY(s.open());
    s.t.app->data().modified = true;
    // A non-empty folder where the project file was: the save cannot put its file there.
    const std::string saved = s.projectFile + ".saved";
    fs::rename(s.projectFile, saved);
    fs::create_directories(fs::path(s.projectFile) / "blocker");

    // Closed from the window manager: the save's message, then the question; No keeps it all.
    s.t.messages->answer(Answer::Ok);
    s.t.messages->answer(Answer::No);
    QVERIFY(!s.frame->close());
    QCOMPARE(s.t.messages->numbers().size(), std::size_t(2));
    QCOMPARE(s.t.messages->numbers().back(), msg::kCloseWithoutSaving);
    QVERIFY(s.t.messages->shown.back().style.defaultNo);
    QVERIFY(s.t.app->data().isOpen());
    QVERIFY(s.t.app->data().modified);
    QVERIFY(s.frame->isVisible());

    // Yes closes without saving: the window goes, the blocked place is left as it was.
    s.t.messages->answer(Answer::Ok);
    s.t.messages->answer(Answer::Yes);
    QVERIFY(s.frame->close());
    QVERIFY(!s.t.app->data().isOpen());
    QVERIFY(fs::is_directory(fs::path(s.projectFile) / "blocker"));
}

void TestDocuments::documentThatCannotBeSavedKeepsTheProjectOpen()
{
    Session s;
    QVERIFY(s.open());
    // A document with markers: saved at close without the confirmation dialog.
    const std::string marked = s.docFolder + "/先行技術/特開2018-104422";
    QVERIFY(s.wiring->openDocument(marked));
    TextWindow* w = s.active();
    QVERIFY(w && w->hasMarkers());
    const SjisString text(w->view()->textStore().text());
    QVERIFY(editInto(w->view(), text + "x"));

    // A non-empty folder where the document was: no rename can replace it, not even for root.
    const QByteArray onDisk = readAll(marked);
    fs::permissions(marked, fs::perms::owner_write, fs::perm_options::add);
    fs::remove(marked);
    fs::create_directories(fs::path(marked) / "blocker");

    QVERIFY(s.frame->runCommand(ID_PROJECT_CLOSE));
    QCOMPARE(s.t.messages->numbers(), std::vector<int>{30018});
    QVERIFY(s.t.app->data().isOpen());
    QCOMPARE(s.windows().size(), 1);
    QCOMPARE(s.active(), w);
    QVERIFY(w->isModified());
    QCOMPARE(tabText(s.frame->tabArea(), w), QStringLiteral("特開2018-104422*"));
    QCOMPARE(SjisString(w->view()->textStore().text()), text + "x");

    // Exit is refused the same way.
    QVERIFY(!s.frame->close());
    QVERIFY(s.t.app->data().isOpen());
    QCOMPARE(s.windows().size(), 1);

    // With the document writable again the close saves it and goes through.
    fs::remove_all(marked);
    writeFile(QString::fromStdString(marked), onDisk);
    QVERIFY(s.frame->runCommand(ID_PROJECT_CLOSE));
    QVERIFY(!s.t.app->data().isOpen());
    QVERIFY(s.windows().isEmpty());
    QCOMPARE(readAll(marked).toStdString(), text + "x");
}

void TestDocuments::renamingOpenDocumentRetitlesItsTab()
{
    Session s;
    QVERIFY(s.open());
    s.wiring->fileView()->runCommand(cmd::ID_DOC_OPEN, s.utilityItem());
    TextWindow* w = s.active();
    s.wiring->fileView()->askName = [](const QString&, std::size_t, bool) {
        return std::optional<QString>(QStringLiteral("実登X"));
    };
    s.wiring->fileView()->runCommand(cmd::ID_RENAME, s.utilityItem());
    const std::string renamed = s.docFolder + "/先行技術/実登X";
    QCOMPARE(w->title(), QStringLiteral("実登X"));
    QCOMPARE(tabText(s.frame->tabArea(), w), QStringLiteral("実登X"));
    QCOMPARE(w->documentPath(), renamed);
    QCOMPARE(s.t.app->data().openDocuments, std::vector<std::string>{renamed});

    // A save goes to the new name and recreates nothing at the old one.
    QVERIFY(editInto(w->view(), "renamed\r\n"));
    QVERIFY(w->saveDocument());
    QCOMPARE(readAll(renamed), QByteArray("renamed\r\n"));
    QVERIFY(!fs::exists(s.utilityPath()));
}

void TestDocuments::deletingOpenDocumentClosesItsTab()
{
    Session s;
    QVERIFY(s.open());
    s.wiring->fileView()->runCommand(cmd::ID_DOC_OPEN, s.utilityItem());
    CVantorView* view = s.active()->view();
    QVERIFY(editInto(view, SjisString(view->document()->text()) + "gone\r\n"));
    s.t.messages->answer(Answer::Yes); // the delete confirmation
    s.wiring->fileView()->runCommand(cmd::ID_DELETE, s.utilityItem());
    QVERIFY(s.windows().isEmpty());
    QVERIFY(s.t.app->data().openDocuments.empty());
    QVERIFY(!fs::exists(s.utilityPath()));
    QCOMPARE(s.t.messages->numbers().size(), std::size_t(1)); // no question about the changes
}

void TestDocuments::ribbonUndoRedoAndPinsActOnTheActiveView()
{
    Session s;
    QVERIFY(s.open());
    s.wiring->fileView()->runCommand(cmd::ID_DOC_OPEN, s.utilityItem());
    CVantorView* view = s.active()->view();
    const SjisString before(view->document()->text());
    QVERIFY(!s.frame->action(ID_UNDO)->isEnabled());
    QTest::keyClicks(view, "ab");
    s.frame->updateCommandStates();
    QVERIFY(s.frame->runCommand(ID_UNDO));
    QVERIFY(s.frame->runCommand(ID_UNDO));
    QCOMPARE(SjisString(view->document()->text()), before);
    QVERIFY(!s.frame->action(ID_UNDO)->isEnabled());
    QVERIFY(s.frame->runCommand(ID_REDO));
    QCOMPARE(SjisString(view->document()->text()), "a" + before);

    // Pin 3: set at the caret, its image and the show pin switch; a second click clears it
    // after asking.
    const qint64 unsetIcon = s.frame->action(ID_SET_PIN3)->icon().cacheKey();
    QVERIFY(!s.frame->action(ID_DSP_PIN3)->isEnabled());
    view->setCaret(1);
    QVERIFY(s.frame->runCommand(ID_SET_PIN3));
    QCOMPARE(s.t.app->data().textView.bookmarkPosition[2], 1);
    QVERIFY(s.frame->action(ID_SET_PIN3)->icon().cacheKey() != unsetIcon);
    QVERIFY(s.frame->action(ID_DSP_PIN3)->isEnabled());
    QVERIFY(s.frame->action(ID_SET_PIN3)
                ->toolTip()
                .startsWith(QStringLiteral("【ブックマークの解除】")));
    s.t.messages->answer(Answer::Yes);
    QVERIFY(s.frame->runCommand(ID_SET_PIN3));
    QCOMPARE(s.t.messages->numbers().back(), 30107);
    QCOMPARE(s.t.app->data().textView.bookmarkPosition[2], -1);
    QVERIFY(!s.frame->action(ID_DSP_PIN3)->isEnabled());
}

void TestDocuments::chartCommandOpensTheChartAndRibbonUndoReachesIt()
{
    Session s;
    QVERIFY(s.open());
    ProjectData& data = s.t.app->data();
    data.chartView.scrollY = 40;
    if (!data.chartShown)
        QVERIFY(s.frame->runCommand(ID_VIEW_CHART));
    auto* chart = qobject_cast<ChartWindow*>(s.frame->chartWindow());
    QVERIFY(chart);
    QVERIFY(data.chartShown);
    s.frame->tabArea()->activate(chart);
    CChartView* view = chart->view();
    QTRY_VERIFY(view->sceneRebuilds() > 0); // placement ran before the first paint
    QCOMPARE(data.chartView.scrollY, 40);
    QCOMPARE(view->verticalScrollBar()->value(), 40);

    // Move the first node with the keyboard, then undo it from the ribbon.
    const chart::Rect before = chart::nodeRect(data.objects[0]);
    view->model().pressOnNode(0, {});
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(chart::nodeRect(data.objects[0]).left, before.left + 10);
    s.frame->updateCommandStates();
    QVERIFY(s.frame->action(ID_UNDO)->isEnabled());
    QVERIFY(s.frame->runCommand(ID_UNDO));
    QCOMPARE(chart::nodeRect(data.objects[0]), before);

    // A marker changed elsewhere repaints the chart through the refresh interface.
    const int rebuilds = view->sceneRebuilds();
    s.t.app->refresh().redrawChart();
    QTRY_VERIFY(view->sceneRebuilds() > rebuilds);

    QVERIFY(s.frame->runCommand(ID_VIEW_CHART));
    QVERIFY(!s.frame->chartWindow());
    QVERIFY(!data.chartShown);
}

void TestDocuments::markerMenuShowsTheMarkersNodeInTheChart()
{
    Session s;
    QVERIFY(s.open());
    ProjectData& data = s.t.app->data();
    if (data.chartShown)
        QVERIFY(s.frame->runCommand(ID_VIEW_CHART)); // closed: 513 opens it
    QVERIFY(s.wiring->openDocument(s.docFolder + "/本願/特願2024-031857"));
    TextWindow* w = s.active();
    QVERIFY(w);
    int marker = -1;
    for (int i = 0; i < data.objectCount && marker < 0; ++i)
        if (data.objects[i].type == ObjectType::Marker &&
            fixedText(data.objects[i].document) == w->view()->relativePath())
            marker = i;
    QVERIFY(marker >= 0);
    const ObjectId id = data.objects[marker].id;
    CMarkerGestures* gestures = CMarkerGestures::of(w->view());
    gestures->pickMarker(marker);
    QVERIFY(gestures->handleCommand(ID_SHOW_NODE_CENTRE));
    auto* chart = qobject_cast<ChartWindow*>(s.frame->chartWindow());
    QVERIFY(chart);
    QCOMPARE(s.frame->tabArea()->activeWindow(), chart);
    const int node = chart->view()->model().mainIndex();
    QVERIFY(node >= 0);
    QCOMPARE(data.objects[node].id, id);
    QVERIFY(data.objects[node].nodeSelected);
}

void TestDocuments::documentWithABookmarkIsSavedWithTheProjectFile()
{
    Session s;
    QVERIFY(s.open());
    QVERIFY(s.wiring->openDocument(s.memoPath())); // no markers in it
    CVantorView* view = s.active()->view();
    view->setCaret(0);
    QVERIFY(s.frame->runCommand(ID_SET_PIN3)); // unset in the sample
    QCOMPARE(s.t.app->data().textView.bookmarkPosition[2], 0);
    QVERIFY(s.t.app->lifecycle().save());
    QTest::keyClicks(view, "x"); // moves the bookmark: the project changes with the text
    QCOMPARE(s.t.app->data().textView.bookmarkPosition[2], 1);
    QVERIFY(s.t.app->data().modified);
    QVERIFY(s.frame->runCommand(ID_TVIEW_SAVE));
    QVERIFY(!view->isModified());
    QVERIFY(!s.t.app->data().modified);

    // Closing after another edit saves without asking.
    QTest::keyClicks(view, "y");
    QVERIFY(s.frame->runCommand(ID_TAB_CLOSE));
    QVERIFY(s.t.messages->numbers().empty());
    QCOMPARE(readAll(s.memoPath()).left(2), QByteArray("xy"));
    QVERIFY(!s.t.app->data().modified);
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
