// The document list pane driven as a user would: rebuild, menus, open limit, delete, drops.
#include "doclist/CFileView.h"
#include "TempDir.h"
#include "doclist/CFileTree.h"
#include "doclist/FileUtil.h"
#include "model/FixedText.h"
#include "res/ui/CommandIds.h"
#include "support/FakeServices.h"

#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

using namespace corvane;

namespace {

const SjisString kRoot(doclist::kRootLabelSjis);

class Windows : public doclist::DocumentWindows
{
public:
    explicit Windows(ProjectData& p) : project(p) {}
    bool openDocument(const std::string& full) override
    {
        project.openDocuments.push_back(full);
        return true;
    }
    void closeDocument(const std::string& full) override
    {
        std::erase(project.openDocuments, full);
    }
    ProjectData& project;
};

QAction* actionFor(QMenu& menu, int command)
{
    for (QAction* a : menu.findChildren<QAction*>())
        if (a->data().toInt() == command)
            return a;
    return nullptr;
}

} // namespace

class CFileViewTest : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        Fixture()
        {
            project.folder = dir.path() + "/";
            project.name = "p";
            std::filesystem::create_directories(dir / "doc");
        }
        test::TempDir dir{"fileview"};
        ProjectData project;
        test::FakeServices fakes;
        Windows windows{project};
        CFileView view{project, fakes.services, windows};
        QTreeWidgetItem* item(const SjisString& below)
        {
            return view.itemByPath(below.empty() ? kRoot : kRoot + "|" + below);
        }
    };

private slots:
    void rebuildMirrorsTheDisk()
    {
        Fixture f;
        f.dir.write("doc/B/x", "x");
        f.dir.write("doc/a/y", "x");
        f.view.rebuildDocumentList(false);
        QTreeWidgetItem* root = f.view.tree()->topLevelItem(0);
        QVERIFY(root);
        QCOMPARE(root->text(0), QStringLiteral("文献リスト"));
        QVERIFY(root->font(0).bold());
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(0)->text(0), QStringLiteral("a")); // case-insensitive order
        QCOMPARE(root->child(1)->text(0), QStringLiteral("B"));
        QVERIFY(f.item("B|x"));
    }

    void expandedStateSurvivesCloseAndReopen()
    {
        Fixture f;
        f.dir.write("doc/A/In/x", "x");
        f.dir.write("doc/B/y", "x");
        f.view.rebuildDocumentList(false);
        f.item("")->setExpanded(true);
        f.item("A")->setExpanded(true);
        f.item("A|In")->setExpanded(true);
        f.view.closeDocumentList();
        QCOMPARE(f.view.tree()->topLevelItemCount(), 0);

        f.view.rebuildDocumentList(false);
        QVERIFY(f.item("")->isExpanded());
        QVERIFY(f.item("A")->isExpanded());
        QVERIFY(f.item("A|In")->isExpanded());
        QVERIFY(!f.item("B")->isExpanded());
        // A new project does not read the file.
        f.view.rebuildDocumentList(true);
        QVERIFY(!f.item("")->isExpanded());
    }

    void menusAndTheirEnabling()
    {
        Fixture f;
        f.dir.write("doc/A/d", "x");
        f.view.rebuildDocumentList(false);
        QCOMPARE(f.view.buildContextMenu(nullptr)->objectName(), QStringLiteral("VIEW"));
        QCOMPARE(f.view.buildContextMenu(f.item(""))->objectName(), QStringLiteral("ROOT"));

        f.view.clipboardText = [] { return QString(); };
        auto folderMenu = f.view.buildContextMenu(f.item("A"));
        QCOMPARE(folderMenu->objectName(), QStringLiteral("FOLDER"));
        QVERIFY(!actionFor(*folderMenu, cmd::ID_ADD_CLIPBOARD)->isEnabled());
        f.view.clipboardText = [] { return QStringLiteral("text"); };
        QVERIFY(
            actionFor(*f.view.buildContextMenu(f.item("A")), cmd::ID_ADD_CLIPBOARD)->isEnabled());

        auto fileMenu = f.view.buildContextMenu(f.item("A|d"));
        QCOMPARE(fileMenu->objectName(), QStringLiteral("FILE"));
        QVERIFY(actionFor(*fileMenu, cmd::ID_DOC_OPEN)->isEnabled());
        QVERIFY(!actionFor(*fileMenu, cmd::ID_DOC_CLOSE)->isEnabled());
        f.view.runCommand(cmd::ID_DOC_OPEN, f.item("A|d"));
        fileMenu = f.view.buildContextMenu(f.item("A|d"));
        QVERIFY(!actionFor(*fileMenu, cmd::ID_DOC_OPEN)->isEnabled()); // already open
        QVERIFY(actionFor(*fileMenu, cmd::ID_DOC_CLOSE)->isEnabled());
    }

    void twentyFirstOpenIsRefused()
    {
        Fixture f;
        for (int i = 0; i < 21; ++i)
            f.dir.write("doc/A/d" + std::to_string(10 + i), "x");
        f.view.rebuildDocumentList(false);
        f.view.runCommand(cmd::ID_OPEN_ALL, f.item("A"));
        QCOMPARE(int(f.project.openDocuments.size()), 20);
        QTreeWidgetItem* last = f.item("A|d30");
        QVERIFY(!actionFor(*f.view.buildContextMenu(last), cmd::ID_DOC_OPEN)->isEnabled());
        f.fakes.messages.shown.clear();
        f.view.runCommand(cmd::ID_DOC_OPEN, last);
        QCOMPARE(f.fakes.messages.numbers(), std::vector<int>{30007});
        QCOMPARE(int(f.project.openDocuments.size()), 20);
    }

    void deletingTheLastDocumentCollapsesItsFolder()
    {
        Fixture f;
        f.dir.write("doc/A/d", "x");
        f.view.rebuildDocumentList(false);
        f.item("")->setExpanded(true);
        f.item("A")->setExpanded(true);
        f.fakes.messages.answer(Answer::Yes);
        f.view.tree()->setCurrentItem(f.item("A|d"));
        f.view.runCommand(cmd::ID_DELETE, f.item("A|d"));
        QVERIFY(!doclist::pathExists(f.dir / "doc/A/d"));
        QCOMPARE(f.item("A")->childCount(), 0);
        QVERIFY(!f.item("A")->isExpanded());
        // The view-state file was written at once.
        QVERIFY(doclist::isRegularFile(f.dir / "p.toc"));
    }

    void renameAndDeleteSaveTheProjectFileWhenTheyChangeRecords()
    {
        Fixture f;
        f.dir.write("doc/A/d", "x");
        f.dir.write("doc/A/plain", "x");
        ObjectRecord& marker = f.project.objects[f.project.objectCount++];
        marker = ObjectRecord{};
        marker.id = 1;
        marker.type = ObjectType::Marker;
        setFixedText(marker.document, "A\\d");
        // What the project file would receive: the marker's document at the moment of saving.
        std::vector<SjisString> saved;
        f.view.saveProjectFile = [&] {
            saved.push_back(f.project.objectCount > 0
                                ? SjisString(fixedText(f.project.objects[0].document))
                                : SjisString("(none)"));
        };
        f.view.rebuildDocumentList(false);
        f.view.askName = [](const QString&, std::size_t, bool) {
            return std::optional<QString>(QStringLiteral("e"));
        };

        f.view.runCommand(cmd::ID_RENAME, f.item("A|d"));
        QVERIFY(doclist::pathExists(f.dir / "doc/A/e"));
        QCOMPARE(saved, std::vector<SjisString>{"A\\e"});

        // A document without markers or bookmarks changes only the disk: nothing to save.
        f.fakes.messages.answer(Answer::Yes);
        f.view.runCommand(cmd::ID_DELETE, f.item("A|plain"));
        QCOMPARE(saved.size(), std::size_t(1));

        f.fakes.messages.answer(Answer::Yes);
        f.view.runCommand(cmd::ID_DELETE, f.item("A|e"));
        QVERIFY(!doclist::pathExists(f.dir / "doc/A/e"));
        QCOMPARE(saved, (std::vector<SjisString>{"A\\e", "(none)"}));
    }

    void dropMixingFilesAndAFolderAddsNothing()
    {
        Fixture f;
        f.dir.write("doc/A/d", "x");
        const std::string file = f.dir.write("in/new.txt", "n");
        f.view.rebuildDocumentList(false);
        const QStringList mixed{QString::fromStdString(file), QString::fromStdString(f.dir / "in")};
        f.view.dropFiles(f.item("A"), mixed);
        QCOMPARE(f.fakes.messages.numbers(), std::vector<int>{30009});
        QVERIFY(!doclist::pathExists(f.dir / "doc/A/new"));

        // The same file alone, dropped on a document, lands in its folder through a real drop.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
        f.item("")->setExpanded(true);
        f.item("A")->setExpanded(true);
        f.view.resize(300, 300);
        f.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.view));
        const QPoint at = f.view.tree()->visualItemRect(f.item("A|d")).center();
        QWidget* viewport = f.view.tree()->viewport();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
        QVERIFY(doclist::isRegularFile(f.dir / "doc/A/new"));
        QVERIFY(f.item("A|new"));
        QVERIFY(f.project.modified);
    }

    void newFileAsksAgainOnAClashAndOpensTheDocument()
    {
        Fixture f;
        f.dir.write("doc/A/taken", "keep");
        f.view.rebuildDocumentList(false);
        QStringList answers{QStringLiteral("taken"), QStringLiteral("fresh")};
        f.view.askName = [&](const QString&, std::size_t, bool) {
            return std::optional<QString>(answers.takeFirst());
        };
        f.fakes.messages.answer(Answer::Yes); // 30013: change the name
        f.view.runCommand(cmd::ID_ADD_NEW_FILE, f.item("A"));
        QCOMPARE(f.fakes.messages.numbers(), std::vector<int>{30013});
        QCOMPARE(test::TempDir::read(f.dir / "doc/A/taken"), std::string("keep"));
        QCOMPARE(test::TempDir::read(f.dir / "doc/A/fresh"), std::string("\r\n"));
        QCOMPARE(f.project.openDocuments.back(), f.dir / "doc/A/fresh");
    }

    void clipboardTextBecomesADocument()
    {
        Fixture f;
        f.dir.write("doc/A/d", "x");
        f.view.rebuildDocumentList(false);
        test::TempDir work("fileview_work");
        f.view.workFolder = [&] { return work.path(); };
        f.view.clipboardText = [] { return QStringLiteral("一行目\n\t二行目\n"); };
        f.view.askName = [](const QString& initial, std::size_t, bool note) {
            return note ? std::optional<QString>(initial) : std::nullopt;
        };
        f.view.runCommand(cmd::ID_ADD_CLIPBOARD, f.item("A|d"));
        // 無題, in Shift-JIS with CR LF and the tab expanded; no temporary file left behind.
        QCOMPARE(test::TempDir::read(f.dir / "doc/A/\xe7\x84\xa1\xe9\xa1\x8c"),
                 std::string("\x88\xea\x8d\x73\x96\xda\r\n    \x93\xf1\x8d\x73\x96\xda"));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(work.path()), {}), 0);
    }
};

QTEST_MAIN(CFileViewTest)
#include "CFileViewTest.moc"
