// The chart view driven by real mouse, wheel and key events on the offscreen platform: selection
// by click with Ctrl and Shift, the rubber band, moves under the threshold, link by drop with its
// questions, the chart width drag, the zoom console and the wheel, undo and the context menus'
// removal rules.
#include "base/SettingsKeys.h"
#include "chart/ui/CChartView.h"
#include "model/FixedText.h"
#include "model/ProjectData.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <cstring>

using namespace corvane;
using chart::Rect;

namespace {

/// The recording refresh, also repainting the view as the application's router does.
class ViewRefresh : public test::RecordingRefresh
{
public:
    void redrawChart() override
    {
        RecordingRefresh::redrawChart();
        if (view)
            view->redrawChart();
    }
    CChartView* view = nullptr;
};

/// A 1500 x 1500 canvas at zoom 1 in a 600 x 500 view, and nodes put in by rectangle.
struct Chart
{
    Chart()
    {
        project.folder = "/p/";
        project.name = "proj";
        applyNewProjectValues(project.chartView);
        project.chartView.width = 1500;
        project.chartView.height = 1500;
        project.chartView.zoom = 1.0f;
        project.chartView.scrollX = 0;
        project.chartView.scrollY = 0;
        // The zoom console at the bottom left, away from where the tests click.
        project.chartView.consoleX = 70;
        project.chartView.consoleY = 2000;
        write(settings, keys::MakeMes, 1);
        write(settings, keys::DelMes, 1);
    }
    void show()
    {
        view = std::make_unique<CChartView>(project, services);
        refresh.view = view.get();
        view->resize(600, 500);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }
    int node(ObjectId id, Rect r, ObjectType type = ObjectType::Marker)
    {
        ObjectRecord& o = project.objects[project.objectCount];
        std::memset(&o, 0, sizeof o);
        o.id = id;
        o.type = type;
        o.length = 1;
        setFixedText(o.secondText, "node");
        chart::setNodeRect(o, r);
        return project.objectCount++;
    }
    Rect rectOf(int i) const { return chart::nodeRect(project.objects[i]); }
    bool selected(int i) const { return project.objects[i].nodeSelected != 0; }
    QWidget* vp() const { return view->viewport(); }
    QPoint at(int x, int y) const { return view->viewportPointOf({x, y}); }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(vp(), Qt::LeftButton, keys, from);
        const QPoint step = (to - from) / 4;
        for (int i = 1; i < 4; ++i)
            QTest::mouseMove(vp(), from + step * i);
        QTest::mouseMove(vp(), to);
        QTest::mouseRelease(vp(), Qt::LeftButton, keys, to);
    }

    ProjectData project;
    MemorySettings settings;
    test::ScriptedMessages messages;
    ViewRefresh refresh;
    test::FakeViews views;
    test::ScriptedColours colours;
    Services services{settings, messages, refresh, views, colours};
    std::unique_ptr<CChartView> view;
};

bool hasAction(const QMenu& menu, int id)
{
    for (QAction* a : menu.actions())
        if (a->data().toInt() == id)
            return true;
    return false;
}

bool actionEnabled(const QMenu& menu, int id)
{
    for (QAction* a : menu.actions())
        if (a->data().toInt() == id)
            return a->isEnabled();
    return false;
}

} // namespace

class TestChartView : public QObject
{
    Q_OBJECT
private slots:
    void clickSelectsWithCtrlAndShift()
    {
        Chart c;
        const int a = c.node(1, {100, 100, 250, 150});
        const int b = c.node(2, {300, 100, 450, 150});
        c.show();
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, c.at(150, 120));
        QVERIFY(c.selected(a) && !c.selected(b));
        QCOMPARE(c.view->model().mainIndex(), a);
        // Ctrl adds without starting a move: a drag with Ctrl leaves the node where it was.
        c.drag(c.at(350, 120), c.at(350, 300), Qt::ControlModifier);
        QVERIFY(c.selected(a) && c.selected(b));
        QCOMPARE(c.view->model().mainIndex(), b);
        QCOMPARE(c.rectOf(b), (Rect{300, 100, 450, 150}));
        // Shift on a selected node unselects it; the first one left becomes main.
        QTest::mouseClick(c.vp(), Qt::LeftButton, Qt::ShiftModifier, c.at(350, 120));
        QVERIFY(c.selected(a) && !c.selected(b));
        QCOMPARE(c.view->model().mainIndex(), a);
        // A plain click on an unselected node leaves exactly that one selected.
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, c.at(350, 120));
        QVERIFY(!c.selected(a) && c.selected(b));
    }

    void rubberBandSelectsNodesInside()
    {
        Chart c;
        const int a = c.node(1, {100, 100, 250, 150});
        const int b = c.node(2, {300, 100, 450, 150});
        const int d = c.node(3, {100, 300, 250, 350});
        c.show();
        c.drag(c.at(50, 50), c.at(470, 200));
        QVERIFY(c.selected(a) && c.selected(b) && !c.selected(d));
        QCOMPARE(c.view->model().mainIndex(), b);
        // A press on the empty canvas clears the selection; a band under 11 pixels selects none.
        c.drag(c.at(60, 60), c.at(68, 300));
        QCOMPARE(c.view->model().selectedCount(), 0);
    }

    void movesUnderFivePixelsDoNothing()
    {
        Chart c;
        const int a = c.node(1, {100, 100, 250, 150});
        c.show();
        c.drag(c.at(150, 120), c.at(154, 124));
        QCOMPARE(c.rectOf(a), (Rect{100, 100, 250, 150}));
        QCOMPARE(c.view->model().history().undoDepth(), 0);
        c.drag(c.at(150, 120), c.at(190, 150));
        QCOMPARE(c.rectOf(a), (Rect{140, 130, 290, 180}));
        // Undo through the ribbon's route puts it back.
        QVERIFY(c.view->isCommandEnabled(cmd::ID_UNDO));
        QVERIFY(c.view->handleCommand(cmd::ID_UNDO));
        QCOMPARE(c.rectOf(a), (Rect{100, 100, 250, 150}));
        QVERIFY(c.view->handleCommand(cmd::ID_EDIT_REDO));
        QCOMPARE(c.rectOf(a), (Rect{140, 130, 290, 180}));
    }

    void dropLinksWithItsQuestions()
    {
        Chart c;
        const int a = c.node(1, {100, 100, 250, 150});
        c.node(2, {400, 300, 550, 350});
        c.show();
        c.messages.answer(Answer::Yes);
        c.drag(c.at(150, 120), c.at(450, 320));
        QCOMPARE(c.project.linkCount, 1);
        QCOMPARE(c.project.links[0].from, 1);
        QCOMPARE(c.project.links[0].to, 2);
        QCOMPARE(c.messages.numbers(), std::vector<int>{msg::kConfirmMakeLink});
        // The drop linked rather than moved.
        QCOMPARE(c.rectOf(a), (Rect{100, 100, 250, 150}));
        // Dropping again asks to remove it; No keeps it.
        c.messages.answer(Answer::No);
        c.drag(c.at(150, 120), c.at(450, 320));
        QCOMPARE(c.project.linkCount, 1);
        QCOMPARE(c.messages.numbers().back(), msg::kConfirmRemoveLink);
        c.messages.answer(Answer::Yes);
        c.drag(c.at(150, 120), c.at(450, 320));
        QCOMPARE(c.project.linkCount, 0);
    }

    void subSubjectDropOnSubSubjectAddsNothing()
    {
        Chart c;
        c.node(1, {100, 100, 250, 150}, ObjectType::SubSubject);
        c.node(2, {400, 300, 550, 350}, ObjectType::SubSubject);
        c.show();
        c.drag(c.at(150, 120), c.at(450, 320));
        QCOMPARE(c.project.linkCount, 0);
        QCOMPARE(c.messages.numbers(), std::vector<int>{msg::kSubSubjectToSubSubject});
    }

    void widthDragIsClamped()
    {
        Chart c;
        c.project.chartView.width = 550;
        c.node(1, {300, 100, 520, 150});
        c.show();
        // Dragged far left: held at the right-most node edge.
        c.drag(c.at(550, 300), c.at(100, 300));
        QCOMPARE(c.project.chartView.width, 520);
        QVERIFY(c.project.modified);
        // Dragged out to the right: the new width follows the pointer.
        c.drag(c.at(520, 300), c.at(580, 300));
        QCOMPARE(c.project.chartView.width, 580);
    }

    void consoleDialWheelZoomsAndWheelElsewhereScrolls()
    {
        Chart c;
        c.node(1, {100, 100, 250, 150});
        c.show();
        QTest::qWait(10);
        const QPoint centre = c.view->consoleCentre();
        QVERIFY(c.vp()->rect().contains(centre));
        const int before = c.view->sceneRebuilds();
        auto wheel = [&c](QPoint pos, int delta, Qt::KeyboardModifiers keys = {}) {
            QWheelEvent e(pos, c.vp()->mapToGlobal(pos), {}, {0, delta}, Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(c.vp(), &e);
        };
        const QPoint ring = centre + QPoint(69, 0);
        // The ring turns the zoom only once the console was clicked; before, the wheel scrolls.
        wheel(ring, -120);
        QCOMPARE(c.project.chartView.zoom, 1.0f);
        QCOMPARE(c.view->verticalScrollBar()->value(), 10);
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, centre + QPoint(0, 10));
        QVERIFY(c.view->consoleActive());
        wheel(ring, -120); // a backward turn zooms in by a tenth
        QCOMPARE(c.project.chartView.zoom, 1.1f);
        wheel(ring, 120, Qt::ControlModifier); // forward with Ctrl: a hundredth out
        QCOMPARE(c.project.chartView.zoom, 1.09f);
        QTRY_VERIFY(c.view->sceneRebuilds() > before);
        // Elsewhere the wheel scrolls and the zoom stays.
        wheel(QPoint(300, 200), -120);
        QCOMPARE(c.project.chartView.zoom, 1.09f);
        QCOMPARE(c.view->verticalScrollBar()->value(), 20);
        QCOMPARE(c.project.chartView.scrollY, 20);
        // A rubber band deactivates the console.
        c.drag(QPoint(300, 300), QPoint(350, 350));
        QVERIFY(!c.view->consoleActive());
    }

    void consoleButtonsMoveAndMenu()
    {
        Chart c;
        c.show();
        QTest::qWait(10);
        QPoint centre = c.view->consoleCentre();
        const QPoint topLeft = centre - QPoint(65, 65);
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, topLeft + QPoint(65, 8)); // plus
        QCOMPARE(c.project.chartView.zoom, 1.01f);
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, topLeft + QPoint(65, 110)); // minus
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, topLeft + QPoint(65, 110));
        QCOMPARE(c.project.chartView.zoom, 0.99f);
        // Dragging the body moves the console; a move under 2 pixels does not. (The zoom may have
        // changed the scroll bars and so the window's height.)
        centre = c.view->consoleCentre();
        c.project.modified = false;
        c.drag(centre + QPoint(0, 10), centre + QPoint(1, 11));
        QCOMPARE(c.view->consoleCentre(), centre);
        QVERIFY(!c.project.modified);
        c.drag(centre + QPoint(0, 10), centre + QPoint(120, -90));
        QCOMPARE(c.view->consoleCentre(), centre + QPoint(120, -100)); // the pointer's movement
        QVERIFY(c.project.modified);
        // The console's own menu, and 468 puts it back at the top left.
        std::unique_ptr<QMenu> menu = c.view->buildContextMenu(c.view->consoleCentre());
        QCOMPARE(menu->objectName(), QStringLiteral("ZOOM"));
        QVERIFY(c.view->handleCommand(cmd::ID_CONSOLE_ALWAYS_SHOWN));
        QCOMPARE(c.project.chartView.consoleAlwaysShown, 0);
        QVERIFY(c.view->handleCommand(cmd::ID_CONSOLE_HOME));
        QCOMPARE(c.view->consoleCentre(), QPoint(79, 79));
        QVERIFY(c.view->consoleVisible());
    }

    void showNodeInCentreScrollsAndSelectsIt()
    {
        Chart c;
        c.node(1, {100, 100, 250, 150});
        const int far = c.node(2, {700, 800, 800, 850});
        c.show();
        QVERIFY(c.view->showNodeInCentre(2));
        QVERIFY(c.selected(far));
        QVERIFY(!c.selected(0));
        const QPoint mid = c.view->viewportPointOf({750, 825});
        const QSize size = c.vp()->size();
        QVERIFY(std::abs(mid.x() - size.width() / 2) <= 1);
        QVERIFY(std::abs(mid.y() - size.height() / 2) <= 1);
        QVERIFY(!c.view->showNodeInCentre(99));
    }

    void redrawFromElsewhereRebuildsTheScene()
    {
        Chart c;
        c.node(1, {100, 100, 250, 150});
        c.show();
        QTest::qWait(10);
        const int before = c.view->sceneRebuilds();
        c.view->viewport()->repaint();
        QCOMPARE(c.view->sceneRebuilds(), before); // nothing changed: the cache is reused
        c.refresh.redrawChart();
        QTRY_VERIFY(c.view->sceneRebuilds() > before);
    }

    void contextMenusFollowTheRemovalRules()
    {
        Chart c;
        c.node(1, {100, 100, 250, 150});
        c.node(2, {300, 100, 450, 150});
        c.show();
        {
            auto menu = c.view->buildContextMenu(c.at(150, 120));
            QCOMPARE(menu->objectName(), QStringLiteral("Marker"));
            QVERIFY(!hasAction(*menu, 519)); // one node selected
            QVERIFY(!hasAction(*menu, 573)); // no links
            QVERIFY(!actionEnabled(*menu, 32819));
            QVERIFY(!hasAction(*menu, 508)); // Synchro is on by default
        }
        c.project.links[c.project.linkCount++] = {1, 2};
        write(c.settings, keys::Synchro, 0);
        QTest::mouseClick(c.vp(), Qt::LeftButton, Qt::ControlModifier, c.at(350, 120));
        {
            auto menu = c.view->buildContextMenu(c.at(350, 120));
            QVERIFY(hasAction(*menu, 519));
            QVERIFY(hasAction(*menu, 573));
            QVERIFY(actionEnabled(*menu, 32819));
            QVERIFY(hasAction(*menu, 508));
        }
        QCOMPARE(c.view->buildContextMenu(c.at(700, 700))->objectName(), QStringLiteral("View"));
    }

    void radiusDragIsClampedAndRotationTurnsLinkedNodes()
    {
        Chart c;
        c.project.chartView.rotationCircleShown = 1;
        c.project.chartView.rotationRadius = 100;
        const int a = c.node(1, {400, 400, 550, 450}); // centre (475, 425)
        const int b = c.node(2, {700, 400, 850, 450}); // centre (775, 425)
        c.project.links[c.project.linkCount++] = {1, 2};
        c.show();
        c.view->horizontalScrollBar()->setValue(200);
        c.view->verticalScrollBar()->setValue(150);
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, c.at(475, 425));
        QCOMPARE(c.view->model().mainIndex(), a);
        // The handle sits on the circle right of the centre; the radius follows the pointer
        // within 40-140.
        c.drag(c.at(575, 425), c.at(900, 425));
        QCOMPARE(c.project.chartView.rotationRadius, 140);
        c.drag(c.at(615, 425), c.at(300, 425));
        QCOMPARE(c.project.chartView.rotationRadius, 40);
        // A quarter turn along the circle, scrolled: the linked node goes from the right of the
        // main node to below it at the same distance; the main node stays.
        c.drag(c.at(475, 385), c.at(515, 425));
        const chart::Point m = c.rectOf(b).centre();
        QVERIFY2(std::abs(m.x - 475) <= 1 && std::abs(m.y - 725) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(m.x).arg(m.y)));
        QCOMPARE(c.rectOf(a), (Rect{400, 400, 550, 450}));
    }

    void keysMoveAndCycle()
    {
        Chart c;
        const int a = c.node(1, {100, 100, 250, 150});
        const int b = c.node(2, {300, 100, 450, 150});
        c.show();
        QTest::mouseClick(c.vp(), Qt::LeftButton, {}, c.at(150, 120));
        QTest::keyClick(c.view.get(), Qt::Key_Right);
        QCOMPARE(c.rectOf(a), (Rect{110, 100, 260, 150}));
        QTest::keyClick(c.view.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(c.rectOf(a), (Rect{110, 101, 260, 151}));
        QTest::keyClick(c.view.get(), Qt::Key_Tab);
        QVERIFY(!c.selected(a) && c.selected(b));
    }
};

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
