// The properties pane in the running frame on a copy of the sample project, driven by clicks and
// keys: a marker picked in its text view edited in the grid (colour and comment), a text view
// setting that lays the view out again at once, and one line thickness for three chart nodes that
// one undo takes back.
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CTabArea.h"
#include "app/ChartWindow.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/ProjectLifecycle.h"
#include "app/TextWindow.h"
#include "chart/ChartGeometry.h"
#include "chart/ui/CChartView.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "panes/ui/CMyGridCtrl.h"
#include "panes/ui/CPropertiesWnd.h"
#include "res/ui/CommandIds.h"
#include "subjects/ui/CSubjectWnd.h"
#include "textview/CVantorView.h"

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

struct Session
{
    PrivateHome home;
    TestApp t;
    std::unique_ptr<CMainFrame> frame;
    DocumentWiring* wiring = nullptr;
    CPropertiesWnd* properties = nullptr;
    std::string docFolder;

    Session()
    {
        const fs::path copy = copySample(home);
        docFolder = (copy / "doc").string();
        frame = std::make_unique<CMainFrame>(*t.app);
        CSubjectWnd* subjects = installSubjectPane(*frame, *t.app);
        wiring = DocumentWiring::install(*frame, *t.app);
        properties = installPropertiesPane(*frame, *t.app, subjects);
        frame->resize(1280, 800);
        frame->show();
        QTest::qWait(20);
        t.app->lifecycle().openProject((copy / "Sample.CVN").string(), false);
    }
    ~Session() { t.app->data().modified = false; }

    ProjectData& data() { return t.app->data(); }
    CMyGridCtrl* grid() const { return properties->grid(); }
    QString title() const { return frame->pane(PaneId::Properties)->windowTitle(); }
    CVantorView* openDocument(const std::string& relative)
    {
        if (!wiring->openDocument(docFolder + "/" + relative))
            return nullptr;
        auto* w = qobject_cast<TextWindow*>(frame->tabArea()->activeWindow());
        return w ? w->view() : nullptr;
    }
    /// Clicks the value of the property's row, which opens its editor.
    template <typename Editor> Editor* editValue(PropertyKey key)
    {
        QTreeWidgetItem* item = grid()->itemOf(key);
        if (!item)
            return nullptr;
        grid()->scrollToItem(item);
        const QRect cell = grid()->visualItemRect(item);
        const QPoint at(grid()->header()->sectionPosition(1) + 20, cell.center().y());
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        return grid()->viewport()->findChild<Editor*>();
    }
    /// Replaces the editor's text: ASCII as keys, Japanese as the input method commits it.
    void typeIntoLine(QWidget* editor, const QString& text)
    {
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        if (text.toLatin1() == text.toUtf8()) {
            QTest::keyClicks(editor, text);
        } else {
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, text, Qt::NoModifier);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(1); // the delegate commits Return from the event loop
    }
};

} // namespace

class TestPropertiesPane : public QObject
{
    Q_OBJECT
private slots:
    void markerPickedInTheTextViewIsEditedInTheGrid()
    {
        Session s;
        CVantorView* view = s.openDocument("本願/特願2024-031857");
        QVERIFY(view);
        const int index = findObjectIndex(s.data(), 1);
        QVERIFY(index >= 0);
        ObjectRecord& marker = s.data().objects[index];
        const std::optional<QPoint> at = view->positionToPoint(marker.position + 1);
        QVERIFY(at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, *at - QPoint(0, 3));
        QCOMPARE(s.title(), QStringLiteral("プロパティ[マーカ]"));
        QCOMPARE(s.properties->model().objectId(), 1);

        // The colour list: the next entry down is taken as it is picked.
        const Colour before = marker.markerColour;
        auto* combo = s.editValue<QComboBox>(PropertyKey::MarkerColour);
        QVERIFY(combo);
        const int was = combo->currentIndex();
        QTest::keyClick(combo, Qt::Key_Down);
        QVERIFY(marker.markerColour != before);
        QCOMPARE(qint64(marker.markerColour), combo->itemData(was + 1).toLongLong());
        QVERIFY(s.grid()->itemOf(PropertyKey::MarkerColour)->font(1).bold());
        QVERIFY(s.data().modified);

        s.data().modified = false;
        auto* line = s.editValue<QLineEdit>(PropertyKey::Comment);
        QVERIFY(line);
        s.typeIntoLine(line, QStringLiteral("要確認"));
        QCOMPARE(std::string(fixedText(marker.firstText)), std::string("\x97\x76\x8a\x6d\x94\x46"));
        QVERIFY(s.data().modified);
        QCOMPARE(s.grid()->itemOf(PropertyKey::Comment)->text(1), QStringLiteral("要確認"));
    }

    void textViewSettingLaysTheViewOutAgainAtOnce()
    {
        Session s;
        CVantorView* view = s.openDocument("本願/特願2024-031857");
        QVERIFY(view);
        QVERIFY(s.frame->runCommand(cmd::ID_PROP_TVIEW));
        QCOMPARE(s.title(), QStringLiteral("プロパティ[テキストビュー]"));

        const int lineHeight = view->lineHeight();
        const int spacing = s.data().textView.lineSpacing;
        auto* spin = s.editValue<QSpinBox>(PropertyKey::LineSpacing);
        QVERIFY(spin);
        s.typeIntoLine(spin, QString::number(spacing + 10));
        QCOMPARE(int(s.data().textView.lineSpacing), spacing + 10);
        QCOMPARE(view->lineHeight(), lineHeight + 10);

        // A colour: the view paints with it at its next paint.
        auto* combo = s.editValue<QComboBox>(PropertyKey::ViewBackground);
        QVERIFY(combo);
        QTest::keyClick(combo, Qt::Key_Down);
        const QColor expected(int(colourRed(s.data().textView.background)),
                              int(colourGreen(s.data().textView.background)),
                              int(colourBlue(s.data().textView.background)));
        const QImage shown = view->viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() - 30, shown.height() - 5), expected);
    }

    void lineThicknessOfThreeNodesIsOneUndoStep()
    {
        Session s;
        // The zoom console at the bottom left, away from the nodes clicked.
        s.data().chartView.consoleX = 70;
        s.data().chartView.consoleY = 2000;
        if (!s.frame->chartWindow())
            QVERIFY(s.frame->runCommand(cmd::ID_VIEW_CHART));
        auto* chart = qobject_cast<ChartWindow*>(s.frame->chartWindow());
        QVERIFY(chart);
        s.frame->tabArea()->activate(chart);
        CChartView* view = chart->view();
        QTest::qWait(50); // placement runs before the first paint
        view->model().setZoom(0.5f);
        QTest::qWait(50);

        const std::vector<int> nodes = {0, 1, 2};
        std::vector<std::int16_t> before;
        for (int i : nodes) {
            const chart::Rect r = chart::nodeRect(s.data().objects[i]);
            QTest::mouseClick(view->viewport(), Qt::LeftButton,
                              i == 0 ? Qt::KeyboardModifiers{} : Qt::ControlModifier,
                              view->viewportPointOf(r.centre()));
            before.push_back(s.data().objects[i].lineThickness);
        }
        QCOMPARE(view->model().selectedCount(), 3);
        QCOMPARE(s.properties->model().objectId(), s.data().objects[2].id);
        QVERIFY(s.title() == QStringLiteral("プロパティ[マーカノード]") ||
                s.title() == QStringLiteral("プロパティ[副題ノード]"));

        auto* spin = s.editValue<QSpinBox>(PropertyKey::LineThickness);
        QVERIFY(spin);
        s.typeIntoLine(spin, QStringLiteral("7"));
        for (int i : nodes)
            QCOMPARE(int(s.data().objects[i].lineThickness), 7);

        view->setFocus();
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        for (int i : nodes)
            QCOMPARE(s.data().objects[i].lineThickness, before[std::size_t(i)]);
    }
};

QTEST_MAIN(TestPropertiesPane)
#include "tst_propertiespane.moc"
