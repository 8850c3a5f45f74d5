// The marker list pane in the running frame on a copy of the sample project: the target chosen
// from the combo with the keyboard, rows rebuilt after a deletion in a text view, the Delete key
// on a row, "delete all listed" under a colour filter, the text view's marker colour command and
// the document list's "this document's marker list".
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CTabArea.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/ProjectLifecycle.h"
#include "app/TextWindow.h"
#include "doclist/CFileView.h"
#include "model/MarkerOps.h"
#include "model/ObjectTable.h"
#include "panes/ui/CMarkerColourButton.h"
#include "panes/ui/CMarkerList.h"
#include "panes/ui/CMarkerWnd.h"
#include "res/ui/CommandIds.h"
#include "subjects/ui/CMySubjectCtrl.h"
#include "subjects/ui/CSubjectWnd.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolBar>

#include <filesystem>

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

constexpr Colour kPink = 0xC9AEFF; // markers 1 and 2 of the sample

struct Session
{
    PrivateHome home;
    TestApp t;
    std::unique_ptr<CMainFrame> frame;
    DocumentWiring* wiring = nullptr;
    CMarkerWnd* markers = nullptr;
    CSubjectWnd* subjects = nullptr;
    std::string docFolder;

    Session()
    {
        const fs::path copy = copySample(home);
        docFolder = (copy / "doc").string();
        frame = std::make_unique<CMainFrame>(*t.app);
        subjects = installSubjectPane(*frame, *t.app);
        wiring = DocumentWiring::install(*frame, *t.app);
        markers = installMarkerPane(*frame, *t.app, *wiring);
        frame->resize(1280, 800);
        frame->show();
        QTest::qWait(20);
        t.app->lifecycle().openProject((copy / "Sample.CVN").string(), false);
    }
    ~Session() { t.app->data().modified = false; }

    CMarkerList* list() const { return markers->list(); }
    /// Object IDs of the rows, read from the rows' own data through the list's model.
    std::vector<ObjectId> rowIds() const
    {
        std::vector<ObjectId> out;
        for (const MarkerRow& r : list()->model().rows())
            out.push_back(r.id);
        return out;
    }
    std::vector<ObjectId> objectIds() const
    {
        std::vector<ObjectId> out;
        for (int i = 0; i < t.app->data().objectCount; ++i)
            out.push_back(t.app->data().objects[i].id);
        return out;
    }
    bool toolEnabled(int id) const
    {
        for (const QAction* a : markers->toolBar()->actions())
            if (a->data().toInt() == id)
                return a->isEnabled();
        return false;
    }
    /// Chooses the first combo item ("文献リスト内の全文献") with the keyboard.
    void chooseAllDocuments()
    {
        markers->targetCombo()->setFocus();
        QTest::keyClick(markers->targetCombo(), Qt::Key_Down);
    }
    void selectRowOf(ObjectId id)
    {
        const std::vector<ObjectId> ids = rowIds();
        const auto it = std::find(ids.begin(), ids.end(), id);
        QVERIFY(it != ids.end());
        QListWidgetItem* item = list()->item(int(it - ids.begin()));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(item).center());
    }
};

} // namespace

class TestMarkerPane : public QObject
{
    Q_OBJECT
private slots:
    void deleteKeyAfterADeletionInATextViewRemovesTheRowsMarker()
    {
        Session s;
        s.chooseAllDocuments();
        QCOMPARE(s.markers->targetCombo()->currentIndex(), 0);
        QCOMPARE(s.rowIds(), (std::vector<ObjectId>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
        // The toolbar follows the rebuilt rows (the first one selected).
        QVERIFY(s.toolEnabled(cmd::ID_MARKERLIST_DELETE));
        QVERIFY(s.toolEnabled(cmd::ID_VIEW_REFRESH));
        QVERIFY(s.list()->item(1)->text().startsWith(QStringLiteral("0002 ")));
        QVERIFY(s.list()->item(1)->text().endsWith(QStringLiteral("[1]")));

        // Marker 1 deleted in its text view: the list follows without being asked.
        QVERIFY(s.wiring->openDocument(s.docFolder + "/本願/特願2024-031857"));
        auto* w = qobject_cast<TextWindow*>(s.frame->tabArea()->activeWindow());
        QVERIFY(w);
        CMarkerGestures* g = CMarkerGestures::of(w->view());
        g->pickMarker(findObjectIndex(s.t.app->data(), 1));
        QVERIFY(g->handleCommand(cmd::ID_MARKER_DELETE));
        QCOMPARE(s.rowIds(), (std::vector<ObjectId>{2, 3, 4, 5, 6, 7, 8, 9}));
        QVERIFY(s.t.messages->shown.size() == 1); // the text view's confirmation, no 30085

        s.selectRowOf(3);
        s.list()->setFocus();
        QTest::keyClick(s.list(), Qt::Key_Delete);
        QCOMPARE(s.objectIds(), (std::vector<ObjectId>{2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
        QCOMPARE(s.rowIds(), (std::vector<ObjectId>{2, 4, 5, 6, 7, 8, 9}));
    }

    void deleteKeyAfterADeletionInTheSubjectListRemovesTheRowsMarker()
    {
        Session s;
        // Two markers behind the sample's sub-subjects (IDs 10-13), so that deleting one of
        // those moves them up in the table.
        ProjectData& data = s.t.app->data();
        MarkerOps ops(data, s.t.app->services());
        const SjisString document = "\x96\x7b\x8a\xe8\\\x93\xc1\x8a\xe8"
                                    "2024-031857";
        QVERIFY(ops.addMarker(document, 0, 2, "x1", MarkerColourChoice::Palette3));
        QVERIFY(ops.addMarker(document, 2, 4, "x2", MarkerColourChoice::Palette3));
        s.chooseAllDocuments();
        QCOMPARE(s.rowIds(), (std::vector<ObjectId>{1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15}));
        QVERIFY(s.list()->item(10)->text().endsWith(QStringLiteral("x2[14]")));

        QVERIFY(s.subjects->grid()->selectObject(10));
        QVERIFY(s.subjects->runCommand(cmd::ID_SUBJECT_DELETE));
        QCOMPARE(findObjectIndex(data, 10), -1);
        // Rebuilt without being asked: the rows name the markers' new places.
        QVERIFY(s.list()->item(10)->text().endsWith(QStringLiteral("x2[13]")));

        s.selectRowOf(15);
        s.list()->setFocus();
        QTest::keyClick(s.list(), Qt::Key_Delete);
        QCOMPARE(findObjectIndex(data, 15), -1);
        QVERIFY(findObjectIndex(data, 14) >= 0);
        QCOMPARE(s.rowIds(), (std::vector<ObjectId>{1, 2, 3, 4, 5, 6, 7, 8, 9, 14}));
    }

    void deleteAllListedRemovesExactlyTheListedMarkers()
    {
        Session s;
        s.chooseAllDocuments();
        s.markers->colourButton()->choosePaletteEntry(0); // pink
        QCOMPARE(s.markers->colourText()->text(), QStringLiteral("RGB(255, 174, 201)"));
        QCOMPARE(s.rowIds().size(), std::size_t(9)); // rows wait for the next rebuild
        s.list()->setFocus();
        QTest::keyClick(s.list(), Qt::Key_F5);
        QCOMPARE(s.rowIds(), (std::vector<ObjectId>{1, 2}));
        // The keyboard's menu key offers the same menu.
        int menusRun = 0;
        s.list()->runMenu = [&menusRun](QMenu&, const QPoint&) { ++menusRun; };
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(s.list(), &menuKey);
        QCOMPARE(menusRun, 1);
        std::unique_ptr<QMenu> menu = s.list()->buildContextMenu();
        QAction* deleteAll = nullptr;
        for (QAction* a : menu->actions())
            if (a->data().toInt() == cmd::ID_MARKERLIST_DELETE_ALL)
                deleteAll = a;
        QVERIFY(deleteAll && deleteAll->isEnabled());
        deleteAll->trigger();
        QCOMPARE(s.objectIds(), (std::vector<ObjectId>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
        QVERIFY(s.rowIds().empty());
        QVERIFY(!s.toolEnabled(cmd::ID_MARKERLIST_SHOW));
        QCOMPARE(s.t.settings->readString("Last", "refMarker", ""), std::to_string(kPink));
    }

    void textViewColourAndDocumentListCommandSetTheFilter()
    {
        Session s;
        QVERIFY(s.wiring->openDocument(s.docFolder + "/先行技術/特開2018-104422"));
        auto* w = qobject_cast<TextWindow*>(s.frame->tabArea()->activeWindow());
        CMarkerGestures* g = CMarkerGestures::of(w->view());
        g->pickMarker(findObjectIndex(s.t.app->data(), 6)); // cyan
        QVERIFY(g->handleCommand(cmd::ID_MARKER_TO_LIST));
        QCOMPARE(s.markers->colourButton()->colour(), MarkerColourFilter(0xEAD999));
        QCOMPARE(s.markers->colourText()->text(), QStringLiteral("RGB(153, 217, 234)"));

        // The document list's 355 on another document: current document, no colour filter.
        s.wiring->fileView()->showMarkerList("\x96\x7b\x8a\xe8\\\x93\xc1\x8a\xe8"
                                             "2024-031857");
        QCOMPARE(s.markers->targetCombo()->currentIndex(), 2);
        QCOMPARE(s.markers->colourText()->text(), QString());
        QCOMPARE(s.rowIds(), (std::vector<ObjectId>{1, 2, 3}));
    }
};

QTEST_MAIN(TestMarkerPane)
#include "tst_markerpane.moc"
