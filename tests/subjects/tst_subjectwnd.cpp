// The subject list pane, the text view's marker gestures and the link dialogs, driven the way a
// user drives them: marking a selection, dropping a sub-subject on the marker and back again,
// dropping a marker on a row, the subject dialog's checks, the link list and the state file.
#include "base/qt/QtText.h"
#include "doclist/CFileView.h"
#include "model/FixedText.h"
#include "model/LinkTable.h"
#include "model/ObjectTable.h"
#include "res/ui/CommandIds.h"
#include "subjects/SubjectStateFile.h"
#include "subjects/ui/CLinkListDlg.h"
#include "subjects/ui/CMySubjectCtrl.h"
#include "subjects/ui/CSubjectDlg.h"
#include "subjects/ui/CSubjectToolBar.h"
#include "subjects/ui/CSubjectWnd.h"
#include "support/FakeServices.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"
#include "textview/ObjectDrag.h"
#include "textview/TextViewHost.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace corvane;
using namespace corvane::test;

namespace {

/// Every refresh goes to the recorder and to the panes that exist, as the application routes it.
class FanOut : public Refresh
{
public:
    RecordingRefresh* record = nullptr;
    CSubjectWnd* subjects = nullptr;
    CFileView* files = nullptr;
    std::vector<CVantorView*> views;

    void documentMarkersChanged(SjisView path, bool has) override
    {
        record->documentMarkersChanged(path, has);
        if (files)
            files->setDocumentMarked(path, has);
    }
    void redrawTextViewsOf(SjisView path) override
    {
        record->redrawTextViewsOf(path);
        for (CVantorView* v : views)
            if (v->relativePath() == path)
                v->redraw();
    }
    void updateLinkMark(ObjectId id) override
    {
        record->updateLinkMark(id);
        if (subjects)
            subjects->updateLinkMark(id);
    }
    void showLinksOfObject(ObjectId id) override
    {
        if (subjects)
            subjects->showLinksOfObject(id);
    }
};

class OpenViews : public ViewQueries
{
public:
    std::vector<CVantorView*>* views = nullptr;
    bool isDocumentOpen(SjisView path) const override
    {
        for (CVantorView* v : *views)
            if (v->relativePath() == path)
                return true;
        return false;
    }
};

} // namespace

class SubjectWndTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ProjectData> project;
    std::unique_ptr<FakeServices> fake;
    FanOut fan;
    OpenViews openViews;
    std::unique_ptr<Services> services;
    std::unique_ptr<CSubjectWnd> wnd;

    void addSubSubject(ObjectId id, const char* mainTitle, const char* title)
    {
        ObjectRecord* r = ObjectTable(*project).appendZeroed();
        r->id = id;
        r->type = ObjectType::SubSubject;
        setFixedText(r->firstText, mainTitle);
        setFixedText(r->secondText, title);
    }
    void addMarker(ObjectId id, ByteOffset position, std::int32_t length, const char* text)
    {
        ObjectRecord* r = ObjectTable(*project).appendZeroed();
        r->id = id;
        r->type = ObjectType::Marker;
        setFixedText(r->document, "d1");
        r->position = position;
        r->length = length;
        setFixedText(r->secondText, text);
    }
    QString nameCellOf(ObjectId id) const
    {
        QTreeWidgetItem* item = wnd->grid()->rowOf(id);
        return item ? item->text(0) : QString();
    }
    static void sendDrop(QWidget* target, ObjectId dragged, QPoint at)
    {
        QMimeData* data = makeObjectDragData(dragged);
        QDragEnterEvent enter(at, Qt::LinkAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::LinkAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(at), Qt::LinkAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        delete data;
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        project = std::make_unique<ProjectData>();
        project->folder = pathFromQString(dir->path()) + "/";
        project->name.assign(1, 'P'); // not = "P": GCC 12 warns falsely (-Wrestrict)
        QDir(dir->path()).mkdir(QStringLiteral("doc"));
        std::ofstream(project->docFolder() + "d1", std::ios::binary)
            << "Wind power is cheap.\r\n\x95\x97\x97\xcd\x94\xad\x93\x64 and sun.\r\n";
        fake = std::make_unique<FakeServices>();
        fan = FanOut{};
        fan.record = &fake->refresh;
        openViews.views = &fan.views;
        services = std::make_unique<Services>(
            Services{fake->settings, fake->messages, fan, openViews, fake->colours});
        wnd = std::make_unique<CSubjectWnd>(*project, *services);
        fan.subjects = wnd.get();
        wnd->resize(300, 500);
    }
    void cleanup()
    {
        wnd.reset();
        fan.views.clear();
    }

    void markThenLinkBySubSubjectDropAndUnlinkByTheSecondDrop()
    {
        doclist::DocumentWindows windows;
        CFileView files(*project, *services, windows);
        fan.files = &files;
        files.rebuildDocumentList(false);
        QTreeWidgetItem* docItem = nullptr;
        for (QTreeWidgetItemIterator it(reinterpret_cast<QTreeWidget*>(files.tree())); *it; ++it)
            if ((*it)->text(0) == QStringLiteral("d1"))
                docItem = *it;
        QVERIFY(docItem);
        const qint64 plainIcon = docItem->icon(0).cacheKey();

        TextViewHost host(*project, *services);
        std::unique_ptr<CVantorView> view(
            CVantorView::openDocument(project->docFolder() + "d1", *project, *services, host));
        QVERIFY(view);
        fan.views.push_back(view.get());
        view->resize(600, 300);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        CMarkerGestures* gestures = CMarkerGestures::of(view.get());
        QVERIFY(gestures);

        // Select "power" and mark it with the fourth palette colour.
        view->setSelection(5, 10, 5);
        QVERIFY(gestures->isCommandEnabled(488));
        QVERIFY(gestures->handleCommand(488));
        QCOMPARE(project->objectCount, 1);
        const ObjectRecord& marker = project->objects[0];
        QCOMPARE(fixedText(marker.secondText), SjisView("power"));
        QCOMPARE(marker.markerColour, Colour(0x1DE6B5));
        QCOMPARE(project->currentObject, 0);
        QVERIFY(view->selection().empty());
        QVERIFY(docItem->icon(0).cacheKey() != plainIcon);

        // A sub-subject from the clipboard, then dropped on the marker.
        wnd->clipboardText = [] { return std::optional<SjisString>("Energy,Wind"); };
        QVERIFY(wnd->runCommand(cmd::ID_SUBJECT_BATCH_ADD));
        const ObjectId sub = project->objects[1].id;
        QCOMPARE(nameCellOf(sub), QString::number(sub));

        const auto inside = view->positionToPoint(7);
        QVERIFY(inside);
        const QPoint at = *inside - QPoint(-2, view->lineHeight() / 2);
        QCOMPARE(gestures->markerAtPoint(at), 0);
        fake->messages.shown.clear();
        sendDrop(view->viewport(), sub, at);
        QCOMPARE(fake->messages.numbers(), std::vector<int>{30051});
        QCOMPARE(project->linkCount, 1);
        QCOMPARE(project->links[0].from, sub);
        QCOMPARE(project->links[0].to, marker.id);
        QCOMPARE(nameCellOf(sub), QStringLiteral("*") + QString::number(sub));
        view->viewport()->repaint();
        QCOMPARE(int(view->linkCountBoxes().size()), 1);
        QCOMPARE(view->linkCountBoxes()[0].objectIndex, 0);

        // The same drop again removes the link after 30052.
        sendDrop(view->viewport(), sub, at);
        QCOMPARE(fake->messages.numbers(), (std::vector<int>{30051, 30052}));
        QCOMPARE(project->linkCount, 0);
        QCOMPARE(nameCellOf(sub), QString::number(sub));
        view->viewport()->repaint();
        QVERIFY(view->linkCountBoxes().empty());
        fan.files = nullptr;
    }

    void aMarkerDraggedOverARowSelectsItAndItsDropLinksMarkerToSubSubject()
    {
        addSubSubject(1, "A", "a1");
        addSubSubject(2, "A", "a2");
        addMarker(3, 0, 4, "Wind");
        wnd->rebuild();
        wnd->show();
        QVERIFY(QTest::qWaitForWindowExposed(wnd.get()));
        QTreeWidget* tree = wnd->grid()->tree();
        const QPoint row = tree->visualItemRect(wnd->grid()->rowOf(2)).center();
        sendDrop(tree->viewport(), 3, row);
        QCOMPARE(*wnd->grid()->selectedObjectId(), ObjectId(2));
        QCOMPARE(project->linkCount, 1);
        QCOMPARE(project->links[0].from, ObjectId(3));
        QCOMPARE(project->links[0].to, ObjectId(2));
        QCOMPARE(nameCellOf(2), QStringLiteral("*2"));
        // A row dropped on a row is no gesture.
        sendDrop(tree->viewport(), 1, row);
        QCOMPARE(project->linkCount, 1);
    }

    void theSubjectDialogCountsBytesAndRefusesEmptyOrLongTexts()
    {
        CSubjectDlg add(fake->messages, {}, {}, {});
        QCOMPARE(add.windowTitle(), QStringLiteral("題名の追加"));
        QCOMPARE(add.mainCounter()->text(), QStringLiteral("(0/100バイト)"));
        add.mainTitleBox()->setEditText(QStringLiteral("エネルギー"));
        QCOMPARE(add.mainCounter()->text(), QStringLiteral("(10/100バイト)"));
        add.accept();
        QCOMPARE(fake->messages.numbers(), std::vector<int>{30045});
        QVERIFY(add.result() != QDialog::Accepted);
        add.titleEdit()->setText(QString(101, QLatin1Char('x')));
        add.accept();
        QCOMPARE(fake->messages.numbers().back(), 30044);
        add.titleEdit()->setText(QString(100, QLatin1Char('x')));
        add.accept();
        QCOMPARE(add.result(), int(QDialog::Accepted));

        CSubjectDlg change(fake->messages, {"B", "A"}, "A", "t");
        QCOMPARE(change.windowTitle(), QStringLiteral("題名の変更"));
        QCOMPARE(change.mainTitleBox()->count(), 2);
        QCOMPARE(change.mainTitleBox()->currentText(), QStringLiteral("A"));
    }

    void addingFromAGroupMenuPresetsItsTitleAndRetitlingMovesTheRow()
    {
        addSubSubject(1, "A", "a1");
        addSubSubject(2, "B", "b1");
        wnd->rebuild();
        QVERIFY(wnd->grid()->selectObject(2));
        SjisString presetSeen;
        wnd->runSubjectDialog = [&](CSubjectDlg& d) {
            presetSeen = d.mainTitle();
            d.titleEdit()->setText(QStringLiteral("b2"));
            return true;
        };
        wnd->grid()->tree()->setCurrentItem(wnd->grid()->tree()->topLevelItem(1));
        std::unique_ptr<QMenu> menu = wnd->buildContextMenu(SubjectMenuKind::MainSubject);
        menu->actions().at(0)->trigger();
        QCOMPARE(presetSeen, SjisString("B"));
        QCOMPARE(wnd->grid()->tree()->topLevelItem(1)->childCount(), 2);

        QVERIFY(wnd->grid()->selectObject(2));
        wnd->runSubjectDialog = [](CSubjectDlg& d) {
            d.mainTitleBox()->setEditText(QStringLiteral("A"));
            return true;
        };
        QVERIFY(wnd->runCommand(cmd::ID_SUBJECT_CHANGE));
        QCOMPARE(wnd->grid()->tree()->topLevelItem(0)->childCount(), 2);
        QCOMPARE(wnd->grid()->tree()->topLevelItem(0)->child(1)->text(1), QStringLiteral("b1"));
    }

    void twelveLinksGiveTenMenuEntriesAndTheListDeletesRowsOneAfterTheOther()
    {
        addSubSubject(1, "A", "a1");
        for (int i = 0; i < 12; ++i) {
            addMarker(10 + i, i * 2, 1, qPrintable(QStringLiteral("m%1").arg(i + 1)));
            LinkTable(*project).append(1, 10 + i);
        }
        wnd->rebuild();
        QMenu menu;
        wnd->fillLinkTargetMenu(menu, 1);
        QStringList labels;
        for (QAction* a : menu.actions())
            if (!a->isSeparator())
                labels << a->text();
        QCOMPARE(labels.size(), 11);
        QCOMPARE(labels.first(), QStringLiteral("1 m1"));
        QCOMPARE(labels.at(9), QStringLiteral("10 m10"));
        QCOMPARE(labels.last(), QStringLiteral("[全12件]  一覧の表示と管理(&L)"));

        CLinkListDlg dialog(*project, *services, 1, {});
        QCOMPARE(dialog.list()->topLevelItemCount(), 12);
        QCOMPARE(dialog.header()->text(), QStringLiteral("『A』『a1』 からのリンク一覧です。"));
        dialog.list()->setCurrentItem(dialog.list()->topLevelItem(2));
        dialog.deleteSelected();
        dialog.list()->setCurrentItem(dialog.list()->topLevelItem(2));
        dialog.deleteSelected();
        QCOMPARE(project->linkCount, 10);
        QCOMPARE(project->links[2].to, ObjectId(14)); // m3 and m4 are gone
        QCOMPARE(dialog.list()->topLevelItem(2)->text(0), QStringLiteral("3"));
        QCOMPARE(dialog.list()->topLevelItem(2)->text(1), QStringLiteral("m5"));

        QMenu none;
        addSubSubject(2, "A", "a2");
        wnd->fillLinkTargetMenu(none, 2);
        QCOMPARE(none.actions().size(), 1);
        QCOMPARE(none.actions()[0]->text(), QStringLiteral("リンクなし"));
        QVERIFY(!none.actions()[0]->isEnabled());
    }

    void groupStatesSurviveRebuildsAndAreWrittenAtClose()
    {
        addSubSubject(1, "A", "a1");
        addSubSubject(2, "B", "b1");
        // A state file from the last session: A collapsed.
        writeSubjectState({{"A", {}, false}, {"B", {}, true}}, subjectStatePath(*project));
        wnd->rebuildSubjectList();
        QTreeWidget* tree = wnd->grid()->tree();
        QVERIFY(!tree->topLevelItem(0)->isExpanded());
        tree->topLevelItem(1)->setExpanded(false);
        tree->topLevelItem(0)->setExpanded(true);
        addSubSubject(3, "C", "c1");
        wnd->rebuild();
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QVERIFY(!tree->topLevelItem(1)->isExpanded());
        QVERIFY(tree->topLevelItem(2)->isExpanded());
        wnd->closeSubjectList();
        QCOMPARE(tree->topLevelItemCount(), 0);
        std::ifstream in(subjectStatePath(*project), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        QCOMPARE(text, std::string("A\r\n1\r\nB\r\n0\r\nC\r\n1\r\n"));
    }

    void colourCommandsFollowTheMenuKindAndTheEmptyListShowsHelp()
    {
        QVERIFY(wnd->grid()->emptyHelpShown());
        addSubSubject(1, "A", "a1");
        wnd->rebuild();
        QVERIFY(!wnd->grid()->emptyHelpShown());
        fake->colours.next = Colour(0x123456);
        wnd->buildContextMenu(SubjectMenuKind::Description);
        QVERIFY(wnd->runCommand(cmd::ID_SUBJECT_TEXT_COLOUR));
        QCOMPARE(fake->settings.readString("Subject", "Col5", ""), SjisString("1193046"));
        wnd->buildContextMenu(SubjectMenuKind::MainSubject);
        QVERIFY(wnd->runCommand(cmd::ID_SUBJECT_BACK_COLOUR));
        QVERIFY(fake->settings.contains("Subject", "Col2"));
        QVERIFY(!fake->settings.contains("Subject", "Col0"));
        QCOMPARE(fake->colours.asked.back(), Colour(13757640)); // the default offered first
    }
};

QTEST_MAIN(SubjectWndTest)
#include "tst_subjectwnd.moc"
