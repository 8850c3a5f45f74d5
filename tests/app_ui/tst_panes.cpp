// The panes of the running frame on a copy of the sample project, driven through the window as a
// user drives them: every context menu opened by a real right-button press and release, the
// document list's own keys against the frame's, the link list's choices, the ribbon's link list
// command, the tab labels with many documents open, the pane sizes and Qt's own texts.
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CTabArea.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/ProjectLifecycle.h"
#include "app/ShellLanguage.h"
#include "app/TextWindow.h"
#include "base/SettingsKeys.h"
#include "doclist/CFileTree.h"
#include "doclist/CFileView.h"
#include "model/LinkOps.h"
#include "model/LinkTable.h"
#include "model/ObjectTable.h"
#include "panes/ui/CMarkerList.h"
#include "panes/ui/CMarkerWnd.h"
#include "res/ui/CommandIds.h"
#include "subjects/ui/CLinkListDlg.h"
#include "subjects/ui/CMySubjectCtrl.h"
#include "subjects/ui/CSubjectWnd.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"

#include <QDialogButtonBox>
#include <QDockWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

using namespace corvane;
using namespace corvane::cmd;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

/// The texts of a menu's items, "-" for separators and "name>" for a submenu.
QStringList itemTexts(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

struct OpenedMenu
{
    bool opened = false;
    QStringList items;
    QStringList enabled;
};

/// Presses and releases the right button at pos (widget coordinates) through the widget's
/// window, as the window system delivers it, so that Qt itself makes the context menu event.
/// Records the popup menu that opens and closes it.
OpenedMenu rightClick(QWidget* widget, QPoint pos)
{
    OpenedMenu menu;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&menu] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup || menu.opened)
            return;
        menu.opened = true;
        menu.items = itemTexts(popup);
        for (const QAction* a : popup->actions())
            if (!a->isSeparator() && a->isEnabled())
                menu.enabled << a->text();
        popup->close();
    });
    poll.start();
    QWindow* window = widget->window()->windowHandle();
    const QPoint at = widget->mapTo(widget->window(), pos);
    QTest::mousePress(window, Qt::RightButton, {}, at);
    QTest::mouseRelease(window, Qt::RightButton, {}, at);
    QTest::qWait(30);
    return menu;
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& text)
{
    const QList<QTreeWidgetItem*> found =
        tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0);
    return found.isEmpty() ? nullptr : found.first();
}

/// A frame with every built pane, as the application makes it, over a copy of the sample.
struct Session
{
    PrivateHome home;
    TestApp t;
    std::unique_ptr<CMainFrame> frame;
    CSubjectWnd* subjects = nullptr;
    DocumentWiring* wiring = nullptr;
    CMarkerWnd* markers = nullptr;
    std::string projectFile;
    std::string docFolder;

    explicit Session(QSize size = QSize(1280, 800))
    {
        const fs::path copy = copySample(home);
        projectFile = (copy / "Sample.CVN").string();
        docFolder = (copy / "doc").string();
        frame = std::make_unique<CMainFrame>(*t.app);
        subjects = installSubjectPane(*frame, *t.app);
        wiring = DocumentWiring::install(*frame, *t.app);
        markers = installMarkerPane(*frame, *t.app, *wiring);
        frame->resize(size);
        frame->show();
        QTest::qWait(20); // the panes take their sizes once the frame is laid out
    }
    ~Session() { t.app->data().modified = false; }

    bool open() { return t.app->lifecycle().openProject(projectFile, false); }
    CVantorView* openView(const std::string& relative)
    {
        if (!wiring->openDocument(docFolder + "/" + relative))
            return nullptr;
        auto* w = qobject_cast<TextWindow*>(frame->tabArea()->activeWindow());
        return w ? w->view() : nullptr;
    }
    QTreeWidget* fileTree() const { return wiring->fileView()->tree(); }
    QTreeWidget* subjectTree() const { return subjects->grid()->tree(); }
    int objectIndex(ObjectId id) const { return findObjectIndex(t.app->data(), id); }
};

} // namespace

class TestPanes : public QObject
{
    Q_OBJECT

private slots:
    void everyPaneOpensItsMenusFromTheRightButton();
    void textViewMenusByPlace();
    void documentListKeysWinWhileItHasFocus();
    void subSubjectChosenInMarkersLinkListSelectsItsRow();
    void ribbonLinkListNeedsOnlyACurrentMarker();
    void linkListSelectionReadableWhenInactive();
    void manyTabsKeepReadableLabels();
    void panesSizedFromTheFrameAndRemembered_data();
    void panesSizedFromTheFrameAndRemembered();
    void qtTextsAreJapanese();
};

void TestPanes::everyPaneOpensItsMenusFromTheRightButton()
{
    Session s;
    QVERIFY(s.open());

    // Document list: the root, a folder, a document and the empty space below the rows.
    QTreeWidget* files = s.fileTree();
    files->expandAll();
    QTreeWidgetItem* root = files->topLevelItem(0);
    QTreeWidgetItem* folder = findItem(files, QStringLiteral("先行技術"));
    QTreeWidgetItem* document = findItem(files, QStringLiteral("実登3201958"));
    QVERIFY(root && folder && document);
    const auto onItem = [files](QTreeWidgetItem* item) {
        return files->visualItemRect(item).center();
    };
    OpenedMenu m = rightClick(files->viewport(), onItem(root));
    QVERIFY(m.items.contains(QStringLiteral("新しいフォルダ(&N)")));
    m = rightClick(files->viewport(), onItem(folder));
    QVERIFY(m.items.contains(QStringLiteral("フォルダ内の文献をすべて開く(&O)")));
    // Search in a folder waits for its pane.
    QVERIFY(m.items.contains(QStringLiteral("このフォルダ内を検索・置換(&S)")));
    QVERIFY(!m.enabled.contains(QStringLiteral("このフォルダ内を検索・置換(&S)")));
    m = rightClick(files->viewport(), onItem(document));
    QVERIFY(m.items.contains(QStringLiteral("開く(&O)")));
    QVERIFY(m.enabled.contains(QStringLiteral("この文献のマーカリスト(&L)")));
    m = rightClick(files->viewport(), QPoint(10, files->viewport()->height() - 5));
    QCOMPARE(m.items, QStringList{QStringLiteral("最新の情報に更新(&R)\tF5")});

    // Subject list: a main subject row, a sub-subject row, below the rows, the description.
    QTreeWidget* grid = s.subjectTree();
    grid->expandAll();
    QTreeWidgetItem* group = grid->topLevelItem(0);
    QVERIFY(group && group->childCount() > 0);
    m = rightClick(grid->viewport(), grid->visualItemRect(group).center());
    QVERIFY2(m.opened, "no menu on a main subject row");
    QVERIFY(!m.items.isEmpty());
    m = rightClick(grid->viewport(), grid->visualItemRect(group->child(0)).center());
    QVERIFY2(m.opened, "no menu on a sub-subject row");
    QVERIFY(std::any_of(m.items.begin(), m.items.end(),
                        [](const QString& t) { return t.startsWith(QStringLiteral("リンク先")); }));
    rightClick(grid->viewport(), QPoint(10, grid->viewport()->height() - 5));
    QVERIFY(s.frame->isVisible()); // still running

    // Marker list: nothing on an empty list; on a row the row's menu, with that row selected.
    QListWidget* rows = s.markers->list();
    m = rightClick(rows->viewport(), QPoint(10, 10));
    QVERIFY(!m.opened);
    s.markers->chooseTarget(0);
    QVERIFY(rows->count() > 2);
    m = rightClick(rows->viewport(), rows->visualItemRect(rows->item(1)).center());
    QVERIFY2(m.opened, "no menu on a marker list row");
    QVERIFY(m.enabled.contains(QStringLiteral("このマーカを削除(&E)\tDelete")));
    QCOMPARE(rows->currentRow(), 1);

    // Tabs: the tab's own menu comes with the release.
    CVantorView* view = s.openView("先行技術/実登3201958");
    QVERIFY(view);
    QTabBar* bar = s.frame->tabArea()->findChild<QTabBar*>();
    QVERIFY(bar && bar->count() == 1);
    m = rightClick(bar, bar->tabRect(0).center());
    QVERIFY2(m.opened, "no tab menu");
}

void TestPanes::textViewMenusByPlace()
{
    Session s;
    QVERIFY(s.open());
    CVantorView* view = s.openView("先行技術/実登3201958");
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(s.frame.get()));
    const int marker = s.objectIndex(9); // 実登3201958 279+62, no links
    const ObjectRecord& r = s.t.app->data().objects[marker];

    // On a marker: the marker menu; its link list item needs links.
    const auto inMarker = view->positionToPoint(r.position + 4);
    QVERIFY(inMarker);
    const QPoint markerPoint(inMarker->x() + 2, inMarker->y() - view->lineHeight() / 2);
    OpenedMenu m = rightClick(view->viewport(), markerPoint);
    QVERIFY(m.items.contains(QStringLiteral("削除(&D)")));
    QVERIFY(m.items.contains(QStringLiteral("このマーカのリンク一覧(&L)")));
    QVERIFY(!m.enabled.contains(QStringLiteral("このマーカのリンク一覧(&L)")));

    // Elsewhere: the view menu, with full screen.
    const auto top = view->positionToPoint(0);
    QVERIFY(top);
    m = rightClick(view->viewport(), QPoint(top->x() + 3, top->y() - view->lineHeight() / 2));
    QVERIFY(m.items.contains(QStringLiteral("すべて選択(&A)")));
    QVERIFY(m.enabled.contains(QStringLiteral("全画面(&F)\tF11")));

    // Inside a selection: the selection menu.
    view->setSelection(0, 10, 0);
    m = rightClick(view->viewport(), QPoint(top->x() + 3, top->y() - view->lineHeight() / 2));
    QVERIFY(m.items.contains(QStringLiteral("マーカ作成・変更(&M)")));
}

void TestPanes::documentListKeysWinWhileItHasFocus()
{
    Session s;
    QVERIFY(s.open());
    QTreeWidget* files = s.fileTree();
    files->expandAll();
    files->setCurrentItem(findItem(files, QStringLiteral("検索式メモ")));
    files->setFocus();
    QTRY_VERIFY(files->hasFocus());

    // F2 in the list renames (the name dialog opens) instead of toggling the guide.
    const bool guideBefore = s.t.app->dspGuide;
    bool renameOpened = false;
    whenModal([&renameOpened](QWidget* dialog) {
        renameOpened = true;
        dialog->close();
    });
    QTest::keyClick(files, Qt::Key_F2);
    QTRY_VERIFY(renameOpened);
    QCOMPARE(s.t.app->dspGuide, guideBefore);

    // Outside the list F2 keeps the guide.
    CVantorView* view = s.openView("調査/検索式メモ");
    QVERIFY(view);
    s.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.frame.get()));
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    QTest::keyClick(view, Qt::Key_F2);
    QTRY_COMPARE(s.t.app->dspGuide, !guideBefore);
}

void TestPanes::subSubjectChosenInMarkersLinkListSelectsItsRow()
{
    Session s;
    QVERIFY(s.open());
    s.subjectTree()->clearSelection();
    s.subjectTree()->setCurrentItem(nullptr);
    bool shown = false;
    s.subjects->runLinkListDialog = [&shown](CLinkListDlg& dialog) {
        // Marker 4 links to sub-subject 10 and from marker 1: pick the sub-subject's row.
        for (int row = 0; row < dialog.list()->topLevelItemCount(); ++row)
            if (dialog.list()->topLevelItem(row)->text(1) ==
                QStringLiteral("ばねで付勢されたレバー")) {
                dialog.list()->setCurrentItem(dialog.list()->topLevelItem(row));
                dialog.showSelected();
                shown = true;
            }
    };
    s.subjects->showLinksOfObject(4);
    QVERIFY(shown);
    QCOMPARE(s.subjects->grid()->selectedObjectId(), std::optional<ObjectId>(10));
}

void TestPanes::ribbonLinkListNeedsOnlyACurrentMarker()
{
    Session s;
    QVERIFY(s.open());
    CVantorView* view = s.openView("先行技術/実登3201958");
    QVERIFY(view);
    CMarkerGestures* gestures = CMarkerGestures::of(view);
    QVERIFY(gestures);
    gestures->pickMarker(s.objectIndex(9)); // a marker without links
    int listsOpened = 0;
    s.subjects->runLinkListDialog = [&listsOpened](CLinkListDlg&) { ++listsOpened; };
    QVERIFY(s.frame->runCommand(ID_PROPERTY_LINK));
    QCOMPARE(listsOpened, 1);
}

void TestPanes::linkListSelectionReadableWhenInactive()
{
    Session s;
    QVERIFY(s.open());
    CLinkListDlg dialog(s.t.app->data(), s.t.app->services(), 12, {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Another window takes the focus: the dialog's selected row is drawn inactive.
    s.frame->activateWindow();
    QTest::qWait(20);
    QTreeWidget* list = dialog.list();
    QTreeWidgetItem* first = list->topLevelItem(0);
    QVERIFY(first && first->isSelected());
    const QRect row = list->visualItemRect(first);
    const QImage image = list->viewport()->grab(row).toImage();
    // The darkest and the lightest pixel of the row are its text and its background.
    int darkest = 255, lightest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int v = qGray(image.pixel(x, y));
            darkest = std::min(darkest, v);
            lightest = std::max(lightest, v);
        }
    const QColor back = image.pixelColor(row.width() - 3, row.height() / 2);
    const QColor expected = list->palette().color(QPalette::Inactive, QPalette::Highlight);
    QCOMPARE(back.name(), expected.name());
    QVERIFY2(lightest - darkest > 100, "selected row text not readable");
}

void TestPanes::manyTabsKeepReadableLabels()
{
    Session s;
    QVERIFY(s.open());
    // Twelve windows over five documents: the fake windows stand for further documents.
    s.openView("先行技術/実登3201958");
    for (int i = 0; i < 11; ++i)
        s.frame->addDocumentWindow(
            new FakeTextWindow(s.docFolder + "/調査/特開2024-1234" + std::to_string(i)));
    QTabBar* bar = s.frame->tabArea()->findChild<QTabBar*>();
    QVERIFY(bar);
    QCOMPARE(bar->count(), 12);
    QTest::qWait(20);
    const QFontMetrics fm(bar->font());
    for (int i = 0; i < bar->count(); ++i)
        QVERIFY2(
            bar->tabRect(i).width() >= fm.horizontalAdvance(QStringLiteral("特開2024")),
            qPrintable(QStringLiteral("tab %1 is %2 pixels").arg(i).arg(bar->tabRect(i).width())));
}

void TestPanes::panesSizedFromTheFrameAndRemembered_data()
{
    QTest::addColumn<QSize>("frameSize");
    QTest::newRow("1280x800") << QSize(1280, 800);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestPanes::panesSizedFromTheFrameAndRemembered()
{
    QFETCH(QSize, frameSize);
    std::string saved;
    {
        Session s(frameSize);
        QDockWidget* list = s.frame->pane(PaneId::DocumentList);
        QDockWidget* subjects = s.frame->pane(PaneId::Subjects);
        QDockWidget* properties = s.frame->pane(PaneId::Properties);
        QDockWidget* search = s.frame->pane(PaneId::Search);
        QTRY_VERIFY(properties->height() >= 150);
        QVERIFY2(search->height() >= 120, qPrintable(QString::number(search->height())));
        QVERIFY(subjects->height() >= 200);
        if (frameSize.width() >= 1920) {
            QVERIFY2(list->width() >= 300, qPrintable(QString::number(list->width())));
            QVERIFY(subjects->width() >= 300);
        }
        // The user widens the document list; the next start keeps that.
        const int wanted = list->width() + 60;
        s.frame->resizeDocks({list}, {wanted}, Qt::Horizontal);
        QTRY_COMPARE(list->width(), wanted);
        s.frame->close();
        saved = read(*s.t.settings, keys::PaneLayout);
        QVERIFY(!saved.empty());

        CMainFrame again(*s.t.app);
        again.resize(frameSize);
        again.show();
        QTRY_COMPARE(again.pane(PaneId::DocumentList)->width(), wanted);
    }
}

void TestPanes::qtTextsAreJapanese()
{
    QVERIFY(installQtTranslations(*QCoreApplication::instance()));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Corvane"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    const QString yes = box.button(QMessageBox::Yes)->text();
    QVERIFY2(yes.contains(QStringLiteral("はい")), qPrintable(yes));
}

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
