// Screenshots of the main window on a copy of the sample project, for looking at what a user
// sees. Run under a virtual display of the wanted size, e.g.
//   xvfb-run -a -s "-screen 0 1280x800x24" build/tests/app_ui/shell_shot panes out.png
// Modes: panes (all five panes and two documents), linklist (the link list dialog while the
// main window is active), tabs (twelve open documents), markers (the marker list of all documents
// filtered to one colour), chart1 and chart2 (the chart view at zoom 1 and 2 with two nodes
// selected, the second of them main), chart3 (the chart alone in the tab area: a linked node as
// main selection with its rotation circle, the zoom console moved and clicked, so its dial ring
// shows), props1 to props6 (the properties pane's pages: text view, chart view, marker, marker
// node, links, sub-subject node), search and replace (the search pane in each mode with a run's
// results; the bottom panes made tall enough to show them), dictionary (the dictionary manager
// over the replace mode with a dictionary of pairs), pair (the pair dialog modifying its second
// pair over the manager).
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CTabArea.h"
#include "app/ChartWindow.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/ProjectLifecycle.h"
#include "app/SearchWiring.h"
#include "app/ShellLanguage.h"
#include "app/TextWindow.h"
#include "base/qt/ShellFonts.h"
#include "chart/ui/CChartView.h"
#include "model/FixedText.h"
#include "model/LinkTable.h"
#include "model/ObjectTable.h"
#include "panes/ui/CMarkerList.h"
#include "panes/ui/CMarkerWnd.h"
#include "panes/ui/CMyGridCtrl.h"
#include "panes/ui/CPropertiesWnd.h"
#include "print/ui/CInsatuDlg.h"
#include "res/ui/CommandIds.h"
#include "search/Dictionary.h"
#include "search/ui/CGokuCombo.h"
#include "search/ui/CRepDicDlg.h"
#include "search/ui/CRepGokuDlg.h"
#include "search/ui/CResultList.h"
#include "search/ui/CSearchWnd.h"
#include "subjects/ui/CLinkListDlg.h"
#include "subjects/ui/CSubjectWnd.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"
#include "textview/CharMotion.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QInputMethodEvent>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <cstdio>
#include <filesystem>

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: shell_shot "
                             "panes|linklist|tabs|markers|bookmarks|chart1|chart2|chart3|print|"
                             "print1|props1-6|search|replace|dictionary|pair <out.png>\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    registerFontSubstitutions();
    installQtTranslations(qapp);

    PrivateHome home;
    TestApp t;
    const fs::path copy = copySample(home);
    const std::string docs = (copy / "doc").string();
    if (mode == QLatin1String("tabs")) {
        // Further publications to fill twelve tabs.
        for (int i = 1; i <= 7; ++i)
            fs::copy_file(docs + "/先行技術/特開2018-104422",
                          docs + "/先行技術/特開2019-10" + std::to_string(4400 + i));
    }

    CMainFrame frame(*t.app);
    CSubjectWnd* subjects = installSubjectPane(frame, *t.app);
    DocumentWiring* wiring = DocumentWiring::install(frame, *t.app);
    CMarkerWnd* markers = installMarkerPane(frame, *t.app, *wiring);
    CPropertiesWnd* properties = installPropertiesPane(frame, *t.app, subjects);
    CSearchWnd* search = installSearchPane(frame, *t.app, *wiring);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    frame.setGeometry(screen);
    frame.show();
    QTest::qWait(100);
    if (!t.app->lifecycle().openProject((copy / "Sample.CVN").string(), false))
        return 1;

    std::vector<std::string> open = {"先行技術/特開2018-104422", "本願/特願2024-031857"};
    if (mode == QLatin1String("tabs")) {
        open = {"先行技術/実登3201958", "先行技術/特開2021-077310", "調査/検索式メモ"};
        for (int i = 1; i <= 7; ++i)
            open.push_back("先行技術/特開2019-10" + std::to_string(4400 + i));
        open.push_back("先行技術/特開2018-104422");
        open.push_back("本願/特願2024-031857");
    }
    for (const std::string& d : open)
        wiring->openDocument(docs + "/" + d);
    if (auto* w = qobject_cast<TextWindow*>(frame.tabArea()->activeWindow()))
        if (CMarkerGestures* g = CMarkerGestures::of(w->view()))
            g->pickMarker(findObjectIndex(t.app->data(), 1));
    subjects->grid();
    if (mode == QLatin1String("markers")) {
        markers->setColourFilter(0x1DE6B5); // the sample's green markers
        markers->targetCombo()->setCurrentIndex(0);
        markers->chooseTarget(0);
    }
    if (mode.startsWith(QLatin1String("chart"))) {
        if (!t.app->data().chartShown)
            frame.runCommand(cmd::ID_VIEW_CHART);
        auto* chart = qobject_cast<ChartWindow*>(frame.chartWindow());
        if (!chart)
            return 1;
        frame.tabArea()->activate(chart);
        chart::ChartModel& model = chart->view()->model();
        model.setZoom(mode == QLatin1String("chart2") ? 2.0f : 1.0f);
        QTest::qWait(100); // placement runs before the first paint
        model.clearSelection();
        model.pressOnNode(0, {});
        model.pressOnNode(std::min(3, t.app->data().objectCount - 1), {true, false});
        if (mode == QLatin1String("chart3")) {
            // The text windows go, so the chart has the tab area to itself.
            for (DocumentWindow* w : frame.tabArea()->windows())
                if (w != chart)
                    frame.closeDocumentWindow(w);
            QTest::qWait(100);
            CChartView* view = chart->view();
            model.clearSelection();
            const ProjectData& data = t.app->data();
            for (int i = 0; i < data.objectCount; ++i)
                if (data.objects[i].type == ObjectType::SubSubject &&
                    countLinksOfObject(data, data.objects[i].id) > 0) {
                    model.pressOnNode(i, {});
                    break;
                }
            QWidget* vp = view->viewport();
            const QPoint console(vp->width() - 90, 90);
            QTest::mouseMove(vp, view->consoleCentre() + QPoint(0, 10));
            QTest::mousePress(vp, Qt::LeftButton, {}, view->consoleCentre() + QPoint(0, 10));
            QTest::mouseMove(vp, console + QPoint(0, 10));
            QTest::mouseRelease(vp, Qt::LeftButton, {}, console + QPoint(0, 10));
        }
    }
    if (mode.startsWith(QLatin1String("props"))) {
        const int page = mode.mid(5).toInt();
        const ProjectData& data = t.app->data();
        auto firstOf = [&](ObjectType type, bool linked) {
            for (int i = 0; i < data.objectCount; ++i)
                if (data.objects[i].type == type &&
                    (!linked || countLinksOfObject(data, data.objects[i].id) > 0))
                    return i;
            return -1;
        };
        if (page == 2 || page == 4 || page == 6) {
            if (!data.chartShown)
                frame.runCommand(cmd::ID_VIEW_CHART);
            auto* chart = qobject_cast<ChartWindow*>(frame.chartWindow());
            if (!chart)
                return 1;
            frame.tabArea()->activate(chart);
            QTest::qWait(100);
            chart::ChartModel& model = chart->view()->model();
            model.clearSelection();
            if (page == 2)
                chart->view()->handleCommand(cmd::ID_CHART_PROPERTIES);
            else
                model.pressOnNode(
                    firstOf(page == 4 ? ObjectType::Marker : ObjectType::SubSubject, false), {});
        } else if (page == 1) {
            frame.runCommand(cmd::ID_PROP_TVIEW);
        } else if (page == 5) {
            const int i = firstOf(ObjectType::SubSubject, true);
            if (i < 0)
                return 1;
            properties->showLinksOfObject(data.objects[i].id);
        }
        // The pane alone in the right column, wide enough for its values.
        frame.pane(PaneId::Subjects)->hide();
        frame.resizeDocks({frame.pane(PaneId::Properties)}, {440}, Qt::Horizontal);
        const std::vector<QTreeWidgetItem*> rows = properties->grid()->propertyItems();
        if (!rows.empty())
            properties->grid()->setCurrentItem(rows[std::min<std::size_t>(2, rows.size() - 1)]);
    }
    QTest::qWait(300);

    // Four bookmarks in the application's text, a phrase typed into it, and the view menu with
    // its bookmark items open.
    std::unique_ptr<QMenu> menu;
    if (mode == QLatin1String("bookmarks")) {
        auto* w = qobject_cast<TextWindow*>(frame.tabArea()->activeWindow());
        CVantorView* view = w ? w->view() : nullptr;
        if (!view)
            return 1;
        const ByteOffset length = view->textStore().length();
        const ProjectData& data = t.app->data();
        for (int slot = 0; slot < 4; ++slot) {
            if (data.textView.bookmarkPosition[slot] >= 0)
                continue; // the sample's own
            view->setCaret(motion::snapToCaretPosition(view->document()->text(),
                                                       length / 5 + slot * length / 12));
            frame.runCommand(cmd::ID_SET_PIN1 + slot);
        }
        // A phrase typed right before the first marker pushes it along.
        ByteOffset first = length;
        for (int i = 0; i < data.objectCount; ++i)
            if (data.objects[i].type == ObjectType::Marker &&
                fixedText(data.objects[i].document) == view->relativePath())
                first = std::min<ByteOffset>(first, data.objects[i].position);
        view->clearSelection(); // the picked marker's span
        view->setCaret(first);
        view->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("（追記）"));
        QApplication::sendEvent(view, &commit);
        view->scrollToLine(std::max(0, view->keyTable().lineOfByte(first) - 8));
        QTest::qWait(200);
        // On plain text right of a short line: the view menu.
        const QPoint at(view->viewport()->width() - 60, 5 * view->lineHeight() + 10);
        menu = CMarkerGestures::of(view)->buildContextMenu(at);
        menu->popup(view->viewport()->mapToGlobal(at));
        QTest::qWait(200);
        menu->setActiveAction(menu->actions().front());
        QTest::qWait(600);
    }

    // A search into list 1, then (replace, dictionary) the replace mode with a dictionary.
    std::unique_ptr<CRepDicDlg> manager;
    std::unique_ptr<CRepGokuDlg> pair;
    const bool dictionary = mode == QLatin1String("dictionary") || mode == QLatin1String("pair");
    if (mode == QLatin1String("search") || mode == QLatin1String("replace") || dictionary) {
        if (QDockWidget* dock = frame.pane(PaneId::Search))
            frame.resizeDocks({dock}, {360}, Qt::Vertical);
        search->targetCombo()->setCurrentIndex(0);
        search->searchBox()->setPhrase(QStringLiteral("中棒"));
        search->runSearch();
        if (mode == QLatin1String("search")) {
            // The third hit opened: its document shows the hit selected.
            search->resultList(0)->setCurrentRow(3);
            search->resultList(0)->openSelected();
        }
        const std::string dic = search->dictionaryFolder();
        fs::create_directories(dic);
        search::writeDictionary(
            dic + "/傘用語",
            {{"\x92\x86\x96\x5f", "\x83\x56\x83\x83\x83\x74\x83\x67"},
             {"\x90\x4c\x8f\x6b\x96\x5f",
              "\x83\x65\x83\x8c\x83\x58\x83\x52\x83\x73\x83\x62\x83\x4e"},
             {"\x83\x8d\x83\x62\x83\x4e\x8b\x40\x8d\x5c", "\x8c\xc5\x92\xe8\x8b\x40\x8d\x5c"}});
        search::writeDictionary(dic + "/表記ゆれ", {});
        search->refreshSearchPane(0, "\x8e\x50\x97\x70\x8c\xea");
        search->setReplaceMode(mode != QLatin1String("search"));
        if (mode != QLatin1String("search"))
            search->replaceBox()->setPhrase(QStringLiteral("シャフト"));
        QTest::qWait(200);
        if (dictionary) {
            manager = std::make_unique<CRepDicDlg>(t.app->services().messages, dic,
                                                   "\x8e\x50\x97\x70\x8c\xea", &frame);
            manager->prepare();
            manager->show();
            manager->move(screen.center() - QPoint(manager->width() / 2, manager->height() / 2));
            QTest::qWait(300);
        }
        if (mode == QLatin1String("pair")) {
            QTableWidget* table = manager->pairTable();
            pair = std::make_unique<CRepGokuDlg>(
                t.app->services().messages, dic, manager->dictionaryCombo()->currentText(),
                table->item(1, 1)->text(), table->item(1, 2)->text(), manager.get());
            pair->prepare();
            pair->show();
            pair->move(screen.center() - QPoint(pair->width() / 2, pair->height() / 2));
            QTest::qWait(300);
        }
    }

    std::unique_ptr<CLinkListDlg> dialog;
    if (mode == QLatin1String("linklist")) {
        dialog = std::make_unique<CLinkListDlg>(
            t.app->data(), t.app->services(), 12, [](int) {}, &frame);
        dialog->show();
        dialog->move(screen.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
        QTest::qWait(200);
        frame.activateWindow();
        frame.raise();
        dialog->raise();
        QTest::qWait(300);
    }
    // The print dialog with its preview: page 2 of the tiles with the margins drawn, or the
    // whole chart on one landscape page.
    std::unique_ptr<CInsatuDlg> print;
    if (mode.startsWith(QLatin1String("print"))) {
        print = std::make_unique<CInsatuDlg>(t.app->data(), t.app->services(), &frame);
        print->resize(1000, 640);
        print->show();
        print->move(screen.center() - QPoint(print->width() / 2, print->height() / 2));
        QTest::qWait(200);
        if (mode == QLatin1String("print1")) {
            for (auto* r : print->findChildren<QRadioButton*>()) {
                if (r->text() == QStringLiteral("横") ||
                    r->text().startsWith(QStringLiteral("ページ指定")))
                    r->setChecked(true);
            }
            for (auto* c : print->findChildren<QCheckBox*>())
                if (c->text().startsWith(QStringLiteral("全1")))
                    c->setChecked(true);
        } else {
            print->findChild<QSpinBox*>(QStringLiteral("previewPage"))->setValue(2);
            for (auto* c : print->findChildren<QCheckBox*>())
                if (c->text().startsWith(QStringLiteral("余白")))
                    c->setChecked(true);
        }
        QTest::qWait(300);
        print->raise();
        QTest::qWait(200);
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!shot.save(QString::fromLocal8Bit(argv[2])))
        return 1;
    t.app->data().modified = false;
    return 0;
}
