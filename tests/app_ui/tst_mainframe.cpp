// The main frame as a user meets it: ribbon, command enable rules, the tab menu, tab location,
// tab groups, the caret timer and the operation guide.
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CMainStatusBar.h"
#include "app/CRibbonBar.h"
#include "app/CTabArea.h"
#include "app/ProjectLifecycle.h"
#include "app/RibbonLargeButton.h"
#include "base/SettingsKeys.h"
#include "res/ui/CommandIds.h"

#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace corvane;
using namespace corvane::cmd;
using namespace corvane::test;

namespace {

QStringList menuTexts(QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            out << a->text();
    return out;
}

/// Delivers a tab drag to group as the drag would: enter, then drop on its first tab.
/// Returns whether the group took the drop.
bool dropTab(CTabGroup* group, QMimeData* data, Qt::MouseButton button)
{
    const QPoint pos = group->tabBar()->mapTo(group, group->tabBar()->tabRect(0).center());
    QDragEnterEvent enter(pos, Qt::MoveAction, data, button, {});
    QApplication::sendEvent(group, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(pos), Qt::MoveAction, data, button, {});
    QApplication::sendEvent(group, &drop);
    QCoreApplication::processEvents(); // the move waits until the drag has ended
    return drop.isAccepted();
}

/// Polls for the next pop-up menu, records its items and triggers the one with text choose
/// (or closes it when choose is empty).
void answerPopup(QStringList& shown, QString choose, QTimer& poll)
{
    QObject::connect(&poll, &QTimer::timeout, [&shown, choose, &poll] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        shown = menuTexts(menu);
        QAction* pick = nullptr;
        for (QAction* a : menu->actions())
            if (!choose.isEmpty() && a->text() == choose)
                pick = a;
        menu->close();
        if (pick)
            pick->trigger();
    });
    poll.start(10);
}

/// Creates a project "P" in a fresh folder under home and opens it.
std::string makeProject(CVantorApp& app, const QString& home, const char* name = "P")
{
    const QString folder =
        home + QStringLiteral("/projects/") + QString::fromUtf8(name) + QChar('/');
    QDir().mkpath(folder + QStringLiteral("doc"));
    if (!app.lifecycle().createProject(folder.toStdString(), name))
        return {};
    return app.data().projectFilePath();
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void ribbonShowsCategoryAndPanelsInOrder();
    void panesHaveCaptionsAndSides();
    void projectCommandsNeedAProject();
    void unbuiltCommandsArePresentButDisabled();
    void paneCommandsToggleAndCheck();
    void tabMenuWithOneDocumentLacksCloseAllAndOthers();
    void tabMenuLeavesOutSaveForChartAndUnchangedText();
    void locationTopFlip();
    void movingTabToNewGroupRelaysAndMarksModified();
    void textViewCommandsDoNothingWhileChartIsActive();
    void caretBlinksAt500msThenAtProjectInterval();
    void guideToggleShowsMessageAndClearsIt();
    void windowTitleFollowsProject();
    void ribbonMinimiseByDoubleClickAndCommand();
    void tabDraggedOntoAnotherGroupMovesThere();
    void tabDroppedWithRightButtonOffersGroupCommands();
    void rightClickOnTabShowsItsMenuOnRelease();
    void largeButtonsShowTheirWholeLabel();
    void splitButtonRunsFromPictureAndOpensMenuFromLabel();
    void startGeometryFollowsTheScreen_data();
    void startGeometryFollowsTheScreen();

private:
    PrivateHome home_;
};

void TestMainFrame::ribbonShowsCategoryAndPanelsInOrder()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QCOMPARE(frame.ribbon()->categoryTitle(), QStringLiteral("ホーム   WClick , Ctrl+F1"));
    QCOMPARE(frame.ribbon()->panelTitles(),
             QStringList({QStringLiteral("テキストビュー"), QStringLiteral("ブックマーク"),
                          QStringLiteral("マーカ"), QStringLiteral("表示"),
                          QStringLiteral("チャートビュー")}));
    // The ribbon's keyboard shortcuts reach their commands.
    QCOMPARE(frame.action(ID_SHOW_MENU)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F1")));
    QCOMPARE(frame.action(ID_GUIDE_TOGGLE)->shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(frame.action(ID_NEXT_MARKER)->shortcut(), QKeySequence(Qt::Key_F6));
    QCOMPARE(frame.action(ID_VIEW_FULLSCREEN)->shortcut(), QKeySequence(Qt::Key_F11));
}

void TestMainFrame::panesHaveCaptionsAndSides()
{
    TestApp t;
    CMainFrame frame(*t.app);
    struct
    {
        PaneId id;
        const char* caption;
        Qt::DockWidgetArea area;
    } const expected[] = {
        {PaneId::DocumentList, "文献リスト", Qt::LeftDockWidgetArea},
        {PaneId::Search, "検索・置換", Qt::BottomDockWidgetArea},
        {PaneId::Properties, "プロパティ", Qt::RightDockWidgetArea},
        {PaneId::Subjects, "題名リスト", Qt::RightDockWidgetArea},
        {PaneId::Markers, "マーカリスト", Qt::BottomDockWidgetArea},
    };
    for (const auto& e : expected) {
        QDockWidget* dock = frame.pane(e.id);
        QCOMPARE(dock->windowTitle(), QString::fromUtf8(e.caption));
        QCOMPARE(frame.dockWidgetArea(dock), e.area);
        QCOMPARE(dock->allowedAreas(), Qt::AllDockWidgetAreas);
        QVERIFY(dock->features() & QDockWidget::DockWidgetFloatable);
    }
    auto* real = new QWidget;
    frame.setPaneWidget(PaneId::Subjects, real);
    QCOMPARE(frame.pane(PaneId::Subjects)->widget(), real);
}

void TestMainFrame::projectCommandsNeedAProject()
{
    TestApp t;
    CMainFrame frame(*t.app);
    for (int id : {ID_PROJECT_SAVE, ID_PROJECT_CLOSE, ID_INSATU, ID_VIEW_CHART, ID_SEIRETU_BTN})
        QVERIFY2(!frame.action(id)->isEnabled(), qPrintable(frame.action(id)->objectName()));
    for (int id : {ID_PROJECT_NEW, ID_PROJECT_OPEN, ID_RECENT_KANRI, ID_KAN_SET, ID_APP_ABOUT})
        QVERIFY(frame.action(id)->isEnabled());
    QVERIFY(!frame.runCommand(ID_PROJECT_SAVE));

    QVERIFY(!makeProject(*t.app, home_.path()).empty());
    frame.updateCommandStates();
    for (int id : {ID_PROJECT_SAVE, ID_PROJECT_CLOSE, ID_VIEW_CHART})
        QVERIFY(frame.action(id)->isEnabled());

    QVERIFY(frame.runCommand(ID_PROJECT_CLOSE));
    QVERIFY(!t.app->data().isOpen());
    QVERIFY(!frame.action(ID_PROJECT_SAVE)->isEnabled());
    QVERIFY(!frame.action(ID_PROJECT_CLOSE)->isEnabled());
}

void TestMainFrame::unbuiltCommandsArePresentButDisabled()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QVERIFY(!makeProject(*t.app, home_.path(), "Unbuilt").empty());
    frame.updateCommandStates();
    // Printing and the show-bookmark commands have no handler until their subsystems plug in.
    QVERIFY(frame.action(ID_INSATU));
    QVERIFY(!frame.action(ID_INSATU)->isEnabled());
    QVERIFY(!frame.action(ID_DSP_PIN1)->isEnabled());
    bool printed = false;
    frame.setCommandHandler(ID_INSATU, [&] { printed = true; });
    QVERIFY(frame.action(ID_INSATU)->isEnabled());
    QVERIFY(frame.runCommand(ID_INSATU));
    QVERIFY(printed);
}

void TestMainFrame::paneCommandsToggleAndCheck()
{
    TestApp t;
    CMainFrame frame(*t.app);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.action(ID_VIEW_MARKER_PANE)->isChecked());
    frame.runCommand(ID_VIEW_MARKER_PANE);
    QVERIFY(frame.pane(PaneId::Markers)->isHidden());
    QVERIFY(!frame.action(ID_VIEW_MARKER_PANE)->isChecked());
    frame.runCommand(ID_VIEW_MARKER_PANE);
    QVERIFY(!frame.pane(PaneId::Markers)->isHidden());
    QVERIFY(frame.action(ID_VIEW_MARKER_PANE)->isChecked());
}

void TestMainFrame::tabMenuWithOneDocumentLacksCloseAllAndOthers()
{
    TestApp t;
    CMainFrame frame(*t.app);
    auto* doc = new FakeTextWindow("/d/a", true);
    frame.addDocumentWindow(doc);
    std::unique_ptr<QMenu> menu = frame.buildTabMenu(doc);
    QStringList texts = menuTexts(menu.get());
    QVERIFY(!texts.contains(QStringLiteral("すべてのタブを閉じる(&A)")));
    QVERIFY(!texts.contains(QStringLiteral("このタブ以外を閉じる(&W)")));
    QVERIFY(!texts.contains(QStringLiteral("すべてのタブを上書き保存(&T)")));
    QVERIFY(texts.contains(QStringLiteral("上書き保存(&S)")));
    QVERIFY(texts.contains(QStringLiteral("閉じる(&C)\tCtrl+F4")));

    frame.addDocumentWindow(new FakeTextWindow("/d/b", true));
    menu = frame.buildTabMenu(doc);
    texts = menuTexts(menu.get());
    QVERIFY(texts.contains(QStringLiteral("すべてのタブを閉じる(&A)")));
    QVERIFY(texts.contains(QStringLiteral("このタブ以外を閉じる(&W)")));
    QVERIFY(texts.contains(QStringLiteral("すべてのタブを上書き保存(&T)")));
}

void TestMainFrame::tabMenuLeavesOutSaveForChartAndUnchangedText()
{
    TestApp t;
    CMainFrame frame(*t.app);
    auto* clean = new FakeTextWindow("/d/a", false);
    frame.addDocumentWindow(clean);
    auto* chart = new ChartPlaceholderWindow;
    frame.addDocumentWindow(chart);
    QStringList texts = menuTexts(frame.buildTabMenu(clean).get());
    QVERIFY(!texts.contains(QStringLiteral("上書き保存(&S)")));
    QVERIFY(texts.contains(QStringLiteral("すべてのタブを閉じる(&A)")));
    texts = menuTexts(frame.buildTabMenu(chart).get());
    QVERIFY(!texts.contains(QStringLiteral("上書き保存(&S)")));
    QVERIFY(!texts.contains(QStringLiteral("すべてのタブを閉じる(&A)")));
    QVERIFY(!texts.contains(QStringLiteral("このタブ以外を閉じる(&W)")));
    QVERIFY(texts.contains(QStringLiteral("閉じる(&C)\tCtrl+F4")));
}

void TestMainFrame::locationTopFlip()
{
    TestApp t;
    write(*t.settings, keys::LocationTop, 0);
    CMainFrame frame(*t.app);
    auto* doc = new FakeTextWindow("/d/a");
    frame.addDocumentWindow(doc);
    QCOMPARE(frame.tabArea()->group(0)->tabPosition(), QTabWidget::South);
    QVERIFY(
        menuTexts(frame.buildTabMenu(doc).get()).contains(QStringLiteral("タブを上部に表示(&L)")));

    QVERIFY(frame.runCommand(ID_TAB_LOCATION));
    QCOMPARE(read(*t.settings, keys::LocationTop), 1);
    QCOMPARE(frame.tabArea()->group(0)->tabPosition(), QTabWidget::North);
    QVERIFY(
        menuTexts(frame.buildTabMenu(doc).get()).contains(QStringLiteral("タブを下部に表示(&L)")));
}

void TestMainFrame::movingTabToNewGroupRelaysAndMarksModified()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QVERIFY(!makeProject(*t.app, home_.path(), "Groups").empty());
    auto* a = new FakeTextWindow("/d/a");
    auto* b = new FakeTextWindow("/d/b");
    frame.addDocumentWindow(a);
    frame.addDocumentWindow(b);
    t.app->data().modified = false;

    QVERIFY(frame.runCommand(ID_MDI_NEW_VERT_GROUP));
    QCOMPARE(frame.tabArea()->groupCount(), 2);
    QCOMPARE(frame.tabArea()->groupOf(b), 1);
    QVERIFY(a->relayouts > 0 && b->relayouts > 0);
    QVERIFY(t.app->data().modified);
    // Side-by-side groups exclude stacked ones; the last tab of a group cannot start another.
    QVERIFY(!frame.tabArea()->canNewGroup(Qt::Vertical));
    QVERIFY(!frame.tabArea()->canMoveToNextGroup());
    QVERIFY(frame.runCommand(ID_MDI_MOVE_TO_PREV_GROUP));
    QCOMPARE(frame.tabArea()->groupCount(), 1);
    QCOMPARE(frame.tabArea()->windows().size(), 2);
}

void TestMainFrame::textViewCommandsDoNothingWhileChartIsActive()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QVERIFY(!makeProject(*t.app, home_.path(), "Routing").empty());
    auto* text = new FakeTextWindow("/d/a");
    frame.addDocumentWindow(text);
    frame.updateCommandStates();
    QVERIFY(frame.runCommand(ID_NEXT_MARKER));
    QCOMPARE(text->commands, std::vector<int>{ID_NEXT_MARKER});

    frame.addDocumentWindow(new ChartPlaceholderWindow);
    QVERIFY(!frame.action(ID_NEXT_MARKER)->isEnabled());
    QVERIFY(!frame.runCommand(ID_NEXT_MARKER));
    QVERIFY(!frame.runCommand(ID_TO_DOC_TOP));
    QCOMPARE(text->commands.size(), std::size_t(1));
}

void TestMainFrame::caretBlinksAt500msThenAtProjectInterval()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QVERIFY(frame.caretTimerRunning());
    QCOMPARE(frame.caretInterval(), 500);
    QVERIFY(!makeProject(*t.app, home_.path(), "Caret").empty());
    QCOMPARE(frame.caretInterval(), t.app->data().textView.caretBlink * 100);

    auto* text = new FakeTextWindow("/d/a");
    frame.addDocumentWindow(text);
    QTRY_VERIFY_WITH_TIMEOUT(text->caretTicks >= 1, 3000);
}

void TestMainFrame::guideToggleShowsMessageAndClearsIt()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QVERIFY(t.app->dspGuide);
    frame.runCommand(ID_GUIDE_TOGGLE);
    QVERIFY(!t.app->dspGuide);
    QCOMPARE(frame.mainStatusBar()->guide(),
             QStringLiteral("ステータスバーに操作ガイドを表示しないように設定しました"));
    QTRY_VERIFY_WITH_TIMEOUT(frame.mainStatusBar()->guide().isEmpty(), 2500);
    frame.runCommand(ID_GUIDE_TOGGLE);
    QCOMPARE(frame.mainStatusBar()->guide(),
             QStringLiteral("ステータスバーに操作ガイドを表示するように設定しました"));
}

void TestMainFrame::windowTitleFollowsProject()
{
    TestApp t;
    {
        CMainFrame frame(*t.app);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Corvane"));
        QVERIFY(!makeProject(*t.app, home_.path(), "Title").empty());
        QCOMPARE(frame.windowTitle(), QStringLiteral("Title - Corvane"));
        frame.runCommand(ID_PROJECT_CLOSE);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Corvane"));
        t.app->playAnime = 7;
    }
    // The frame writes the animation and guide values as it goes.
    QCOMPARE(read(*t.settings, keys::PlayAnime), 7);
}

void TestMainFrame::ribbonMinimiseByDoubleClickAndCommand()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QVERIFY(!frame.ribbon()->isMinimised());
    frame.runCommand(ID_SHOW_MENU);
    QVERIFY(frame.ribbon()->isMinimised());
    emit frame.ribbon()->minimiseToggleRequested();
    QVERIFY(!frame.ribbon()->isMinimised());
}

void TestMainFrame::tabDraggedOntoAnotherGroupMovesThere()
{
    TestApp t;
    CMainFrame frame(*t.app);
    frame.resize(1000, 700);
    frame.show();
    QVERIFY(!makeProject(*t.app, home_.path(), "Drag").empty());
    CTabArea* tabs = frame.tabArea();
    auto* a = new FakeTextWindow("/d/a");
    auto* b = new FakeTextWindow("/d/b");
    auto* c = new FakeTextWindow("/d/c");
    for (auto* w : {a, b, c})
        frame.addDocumentWindow(w);
    QVERIFY(frame.runCommand(ID_MDI_NEW_VERT_GROUP)); // c alone in the second group
    QCOMPARE(tabs->groupOf(c), 1);
    t.app->data().modified = false;
    a->relayouts = 0;

    // Onto its own group, or from another running copy: refused.
    std::unique_ptr<QMimeData> own(CTabArea::tabMimeData(c, false));
    QVERIFY(!dropTab(tabs->group(1), own.get(), Qt::LeftButton));
    QMimeData foreign;
    foreign.setData(QString::fromLatin1(kTabMimeType),
                    "1 " + QByteArray::number(quintptr(a)) + " left");
    QVERIFY(!dropTab(tabs->group(1), &foreign, Qt::LeftButton));
    QCOMPARE(tabs->groupOf(a), 0);
    QVERIFY(!t.app->data().modified);

    // Before c's tab in the other group: moved, laid out again, the project changed.
    std::unique_ptr<QMimeData> data(CTabArea::tabMimeData(a, false));
    QVERIFY(dropTab(tabs->group(1), data.get(), Qt::LeftButton));
    QCOMPARE(tabs->groupOf(a), 1);
    QCOMPARE(tabs->group(1)->indexOf(a), 0);
    QCOMPARE(tabs->activeWindow(), a);
    QVERIFY(a->relayouts > 0);
    QVERIFY(t.app->data().modified);

    // The last tab of a group dragged away takes the group with it.
    data.reset(CTabArea::tabMimeData(b, false));
    QVERIFY(dropTab(tabs->group(1), data.get(), Qt::LeftButton));
    QCOMPARE(tabs->groupCount(), 1);
    QCOMPARE(tabs->windows().size(), 3);

    // A window closed while its tab was on the way is not found any more.
    frame.addDocumentWindow(new FakeTextWindow("/d/e"));
    QVERIFY(frame.runCommand(ID_MDI_NEW_VERT_GROUP));
    data.reset(CTabArea::tabMimeData(a, false));
    QVERIFY(frame.closeDocumentWindow(a));
    QVERIFY(!dropTab(tabs->group(1), data.get(), Qt::LeftButton));
}

void TestMainFrame::tabDroppedWithRightButtonOffersGroupCommands()
{
    TestApp t;
    CMainFrame frame(*t.app);
    frame.resize(1000, 700);
    frame.show();
    QVERIFY(!makeProject(*t.app, home_.path(), "RightDrag").empty());
    CTabArea* tabs = frame.tabArea();
    auto* a = new FakeTextWindow("/d/a");
    auto* b = new FakeTextWindow("/d/b");
    auto* c = new FakeTextWindow("/d/c");
    for (auto* w : {a, b, c})
        frame.addDocumentWindow(w);
    QVERIFY(frame.runCommand(ID_MDI_NEW_VERT_GROUP));
    t.app->data().modified = false;

    // Cancel leaves everything in place.
    QStringList shown;
    QTimer poll;
    answerPopup(shown, QStringLiteral("キャンセル"), poll);
    std::unique_ptr<QMimeData> data(CTabArea::tabMimeData(a, true));
    QVERIFY(dropTab(tabs->group(1), data.get(), Qt::RightButton));
    QCOMPARE(shown, QStringList({QStringLiteral("新しい垂直タブ グループ(&V)"),
                                 QStringLiteral("次のタブ グループに移動(&N)"),
                                 QStringLiteral("キャンセル")}));
    QCOMPARE(tabs->groupOf(a), 0);
    QVERIFY(!t.app->data().modified);

    // Move to the next group, as the tab menu's command does.
    QTimer poll2;
    answerPopup(shown, QStringLiteral("次のタブ グループに移動(&N)"), poll2);
    QVERIFY(dropTab(tabs->group(1), data.get(), Qt::RightButton));
    QCOMPARE(tabs->groupOf(a), 1);
    QVERIFY(t.app->data().modified);
}

void TestMainFrame::rightClickOnTabShowsItsMenuOnRelease()
{
    TestApp t;
    CMainFrame frame(*t.app);
    frame.resize(1000, 700);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* a = new FakeTextWindow("/d/a");
    auto* b = new FakeTextWindow("/d/b");
    frame.addDocumentWindow(a);
    frame.addDocumentWindow(b);
    QTabBar* bar = frame.tabArea()->group(0)->tabBar();
    const QPoint onA = bar->tabRect(0).center();

    QStringList shown;
    QTimer poll;
    answerPopup(shown, QString(), poll);
    QTest::mousePress(bar, Qt::RightButton, {}, onA);
    QVERIFY(shown.isEmpty()); // a press alone may still become a drag
    QTest::mouseRelease(bar, Qt::RightButton, {}, onA);
    QVERIFY(shown.contains(QStringLiteral("閉じる(&C)\tCtrl+F4")));
    QCOMPARE(frame.tabArea()->activeWindow(), a);
}

void TestMainFrame::largeButtonsShowTheirWholeLabel()
{
    TestApp t;
    CMainFrame frame(*t.app);
    frame.resize(1280, 800);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QList<RibbonLargeButton*> buttons = frame.ribbon()->findChildren<RibbonLargeButton*>();
    QCOMPARE(buttons.size(), 6);
    QStringList labels;
    for (RibbonLargeButton* b : buttons) {
        labels << b->text();
        const QFontMetrics fm = b->fontMetrics();
        const QStringList lines = b->text().split(QLatin1Char('\n'));
        // The layout gave each button at least the room its label asks for...
        QVERIFY2(b->width() >= b->sizeHint().width() && b->height() >= b->sizeHint().height(),
                 qPrintable(b->text()));
        // ...and that room holds every line's glyphs below the 32-pixel picture.
        int textHeight = 0;
        for (const QString& line : lines) {
            QVERIFY2(fm.boundingRect(line).width() < b->width(), qPrintable(line));
            textHeight += std::max(fm.height(), fm.boundingRect(line).height());
        }
        QVERIFY2(32 + textHeight < b->height(), qPrintable(b->text()));
        // The button is not cut by its panel either.
        const QRect inRibbon(b->mapTo(frame.ribbon(), QPoint(0, 0)), b->size());
        QVERIFY2(b->parentWidget()->rect().contains(
                     QRect(b->mapTo(b->parentWidget(), QPoint(0, 0)), b->size())),
                 qPrintable(b->text()));
        QVERIFY2(frame.ribbon()->rect().contains(inRibbon), qPrintable(b->text()));
    }
    QVERIFY(labels.contains(QStringLiteral("新規\n・変更")));
}

void TestMainFrame::splitButtonRunsFromPictureAndOpensMenuFromLabel()
{
    TestApp t;
    CMainFrame frame(*t.app);
    frame.resize(1280, 800);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    RibbonLargeButton* add = nullptr;
    for (RibbonLargeButton* b : frame.ribbon()->findChildren<RibbonLargeButton*>())
        if (b->defaultAction() == frame.action(ID_ADD_MARKER))
            add = b;
    QVERIFY(add);
    QCOMPARE(add->menuKind(), RibbonLargeButton::MenuKind::Split);
    // The add-marker command needs a markable selection; enable it to watch the routing.
    QAction* command = frame.action(ID_ADD_MARKER);
    command->setEnabled(true);
    add->setEnabled(true);
    int triggered = 0;
    connect(command, &QAction::triggered, &frame, [&triggered] { ++triggered; });

    QTest::mouseClick(add, Qt::LeftButton, {}, QPoint(add->width() / 2, 10));
    QCOMPARE(triggered, 1);

    QStringList shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &frame, [&shown, &poll] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = menuTexts(menu);
            poll.stop();
            menu->close();
        }
    });
    poll.start(10);
    command->setEnabled(true); // the command's run looked at the rules again
    QTest::mouseClick(add, Qt::LeftButton, {}, add->menuPartRect().center());
    QCOMPARE(triggered, 1);
    QCOMPARE(shown.size(), 8);
    QCOMPARE(shown.first(), frame.action(ID_ADD_MARKER_1)->text());
}

void TestMainFrame::startGeometryFollowsTheScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("exactly 1280x800") << QRect(0, 0, 1280, 800) << QRect(0, 0, 1280, 800) << false;
    QTest::newRow("full HD: 85 %, centred")
        << QRect(0, 0, 1920, 1080) << QRect(144, 81, 1632, 918) << false;
    // 85 % of 1400 x 900 would be smaller than the frame needs.
    QTest::newRow("slightly larger: never below 1280x800")
        << QRect(0, 0, 1400, 900) << QRect(60, 50, 1280, 800) << false;
    QTest::newRow("second screen with a panel")
        << QRect(1920, 32, 2560, 1408) << QRect(2112, 138, 2176, 1196) << false;
    QTest::newRow("small screen: maximised")
        << QRect(0, 0, 1024, 768) << QRect(0, 0, 1024, 768) << true;
}

void TestMainFrame::startGeometryFollowsTheScreen()
{
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QFETCH(bool, maximised);
    const CMainFrame::StartGeometry g = CMainFrame::startGeometry(available);
    QCOMPARE(g.rect, expected);
    QCOMPARE(g.maximised, maximised);
    QVERIFY(available.contains(g.rect));
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
