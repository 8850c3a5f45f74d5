// The lifecycle dialogs driven as a user would: the new-project checks and the overwrite
// question, opening the project that is already open, cancelling the save confirmation, and the
// recent projects dialog.
#include "ShellTestSupport.h"

#include "app/CCloseDlg.h"
#include "app/CMainFrame.h"
#include "app/CNewDlg.h"
#include "app/CRecentDlg.h"
#include "app/CTabArea.h"
#include "app/ProjectLifecycle.h"
#include "app/RecentProjects.h"
#include "base/SettingsKeys.h"
#include "res/ui/CommandIds.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace corvane;
using namespace corvane::cmd;
using namespace corvane::test;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

std::string makeProject(CVantorApp& app, const QString& folder, const char* name)
{
    QDir().mkpath(folder + QStringLiteral("/doc"));
    if (!app.lifecycle().createProject((folder + QChar('/')).toStdString(), name))
        return {};
    return app.data().projectFilePath();
}

void clickButton(QWidget* dialog, const QString& text)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) {
            b->click();
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no button ") + text));
}

} // namespace

class TestLifecycleDialogs : public QObject
{
    Q_OBJECT
private slots:
    void newProjectChecksInOrderAndKeepTheDialogOpen();
    void newProjectOverwriteNoLeavesOldFileUntouched();
    void newProjectStartsFromLastValues();
    void openingTheOpenProjectDoesNothing();
    void recentEntryOfTheOpenProjectDoesNothing();
    void cancellingCloseDialogCancelsCloseAndTheCommand();
    void closeDialogUncheckedDocumentsAreNotSaved();
    void recentDialogRemovesCheckedRowsFromTheBottomUp();
    void recentEntryOfMissingFileOffersRemoval();

private:
    PrivateHome home_;
};

void TestLifecycleDialogs::newProjectChecksInOrderAndKeepTheDialogOpen()
{
    TestApp t;
    CNewDlg dlg(*t.settings, *t.messages);
    dlg.show();
    dlg.nameEdit()->clear();
    dlg.locationEdit()->clear();
    dlg.createButton()->click();
    QCOMPARE(t.messages->numbers(), std::vector<int>{30002});
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), dlg.nameEdit());

    dlg.nameEdit()->setText(QStringLiteral("案件"));
    dlg.createButton()->click();
    QCOMPARE(t.messages->numbers().back(), 30003);
    QCOMPARE(dlg.focusWidget(), dlg.locationEdit());

    dlg.locationEdit()->setText(home_.path() + QStringLiteral("/does-not-exist"));
    dlg.createButton()->click();
    QCOMPARE(t.messages->numbers().back(), 30004);
    QVERIFY(dlg.isVisible());

    dlg.locationEdit()->setText(home_.path());
    dlg.createButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(dlg.name()), QStringLiteral("案件"));
    QVERIFY(QFileInfo(home_.path() + QStringLiteral("/案件/doc")).isDir());
}

void TestLifecycleDialogs::newProjectOverwriteNoLeavesOldFileUntouched()
{
    TestApp t;
    const QString folder = home_.path() + QStringLiteral("/Over");
    const QString file = folder + QStringLiteral("/Over.CVN");
    writeFile(file, QByteArray("old project bytes"));
    QDir().mkpath(folder + QStringLiteral("/doc"));

    CMainFrame frame(*t.app);
    t.messages->answer(Answer::No);
    whenModal([&](QWidget* modal) {
        auto* dlg = qobject_cast<CNewDlg*>(modal);
        QVERIFY(dlg);
        dlg->nameEdit()->setText(QStringLiteral("Over"));
        dlg->locationEdit()->setText(home_.path());
        dlg->createButton()->click();
    });
    QVERIFY(frame.runCommand(ID_PROJECT_NEW));
    QCOMPARE(t.messages->numbers(), std::vector<int>{30006});
    QCOMPARE(t.messages->shown.back().style.buttons, MessageButtons::YesNo);
    QCOMPARE(readAll(file), QByteArray("old project bytes"));
    QVERIFY(!t.app->data().isOpen());
}

void TestLifecycleDialogs::newProjectStartsFromLastValues()
{
    TestApp t;
    write(*t.settings, keys::ProName, "Prev");
    const QString last = home_.path() + QStringLiteral("/loc/Prev/");
    write(*t.settings, keys::ProPath, last.toStdString());
    CNewDlg dlg(*t.settings, *t.messages);
    QCOMPARE(dlg.nameEdit()->text(), QStringLiteral("Prev"));
    QCOMPARE(QDir::cleanPath(dlg.locationEdit()->text()), home_.path() + QStringLiteral("/loc"));
}

void TestLifecycleDialogs::openingTheOpenProjectDoesNothing()
{
    TestApp t;
    CMainFrame frame(*t.app);
    const std::string path = makeProject(*t.app, home_.path() + QStringLiteral("/Same"), "Same");
    QVERIFY(!path.empty());
    t.app->data().modified = true; // a close would save and clear this
    // Another spelling of the same file; letter case would name another file on Linux.
    QString other = QString::fromStdString(path);
    other.replace(QStringLiteral("/Same/Same.CVN"), QStringLiteral("/Same/../Same/./Same.CVN"));
    for (const QString& chosen : {QString::fromStdString(path), other}) {
        frame.askProjectFile = [chosen] { return chosen; };
        QVERIFY(frame.runCommand(ID_PROJECT_OPEN));
        QVERIFY(t.app->data().isOpen());
        QVERIFY(t.app->data().modified);
        QCOMPARE(t.messages->shown.size(), std::size_t(0));
    }
}

void TestLifecycleDialogs::recentEntryOfTheOpenProjectDoesNothing()
{
    TestApp t;
    CMainFrame frame(*t.app);
    const std::string path = makeProject(*t.app, home_.path() + QStringLiteral("/Rec"), "Rec");
    QVERIFY(!path.empty());
    RecentProjects& recent = t.app->lifecycle().recent();
    QString dotted = QString::fromStdString(path);
    dotted.replace(QStringLiteral("/Rec/Rec.CVN"), QStringLiteral("/Rec/./Rec.CVN"));
    // Another spelling of the open project's file: neither closed (which would save and clear
    // the flag) nor reloaded.
    recent.clear();
    recent.add(dotted.toStdString());
    t.app->data().modified = true;
    QVERIFY(frame.runCommand(ID_FILE_MRU_FILE1));
    QVERIFY(t.app->data().isOpen());
    QVERIFY(t.app->data().modified);
    QCOMPARE(t.messages->shown.size(), std::size_t(0));
}

void TestLifecycleDialogs::cancellingCloseDialogCancelsCloseAndTheCommand()
{
    TestApp t;
    CMainFrame frame(*t.app);
    const std::string first = makeProject(*t.app, home_.path() + QStringLiteral("/C1"), "C1");
    auto* doc = new FakeTextWindow(t.app->data().docFolder() + "a", true);
    frame.addDocumentWindow(doc);

    // The close command.
    whenModal([](QWidget* modal) {
        QVERIFY(qobject_cast<CCloseDlg*>(modal));
        clickButton(modal, QStringLiteral("終了キャンセル(&C)"));
    });
    QVERIFY(frame.runCommand(ID_PROJECT_CLOSE));
    QVERIFY(t.app->data().isOpen());
    QCOMPARE(frame.tabArea()->windows().size(), 1);

    // The open command that asked for the close: the other project is not opened.
    TestApp other;
    const std::string second = [&] {
        CMainFrame otherFrame(*other.app);
        return makeProject(*other.app, home_.path() + QStringLiteral("/C2"), "C2");
    }();
    QVERIFY(!second.empty());
    frame.askProjectFile = [second] { return QString::fromStdString(second); };
    whenModal([](QWidget* modal) { clickButton(modal, QStringLiteral("終了キャンセル(&C)")); });
    QVERIFY(frame.runCommand(ID_PROJECT_OPEN));
    QCOMPARE(t.app->data().projectFilePath(), first);
    QCOMPARE(doc->saves, 0);

    // And closing the main window.
    whenModal([](QWidget* modal) { clickButton(modal, QStringLiteral("終了キャンセル(&C)")); });
    frame.show();
    QVERIFY(!frame.close());
    QVERIFY(t.app->data().isOpen());
}

void TestLifecycleDialogs::closeDialogUncheckedDocumentsAreNotSaved()
{
    TestApp t;
    CMainFrame frame(*t.app);
    QVERIFY(!makeProject(*t.app, home_.path() + QStringLiteral("/U"), "U").empty());
    auto* keep = new FakeTextWindow(t.app->data().docFolder() + "keep", true);
    auto* drop = new FakeTextWindow(t.app->data().docFolder() + "drop", true);
    frame.addDocumentWindow(keep);
    frame.addDocumentWindow(drop);
    whenModal([&](QWidget* modal) {
        auto* dlg = qobject_cast<CCloseDlg*>(modal);
        QVERIFY(dlg);
        QCOMPARE(dlg->table()->rowCount(), 2);
        QCOMPARE(dlg->table()->item(1, 0)->text(), QStringLiteral("2"));
        dlg->table()->item(1, 0)->setCheckState(Qt::Unchecked);
        clickButton(modal, QStringLiteral("終了(&S)"));
    });
    // Close all tabs; the windows are deleted only once the event loop runs again.
    frame.buildTabMenu(keep);
    QVERIFY(frame.runCommand(ID_TAB_CLOSE_ALL));
    QVERIFY(drop->discarded);
    QVERIFY(!keep->discarded);
    QCOMPARE(frame.tabArea()->windows().size(), 0);
    QVERIFY(t.app->data().isOpen());
}

void TestLifecycleDialogs::recentDialogRemovesCheckedRowsFromTheBottomUp()
{
    TestApp t;
    RecentProjects recent(*t.settings);
    QStringList files;
    for (int i = 4; i >= 1; --i) {
        const QString f = home_.path() + QStringLiteral("/r%1/R%1.CVN").arg(i);
        writeFile(f, "x");
        recent.add(f.toStdString());
        files.prepend(f);
    }
    CRecentDlg dlg(recent, *t.messages);
    QCOMPARE(dlg.table()->rowCount(), 4);
    QCOMPARE(dlg.table()->item(0, 1)->text(), files[0]);
    dlg.table()->item(1, 0)->setCheckState(Qt::Checked);
    dlg.table()->item(3, 0)->setCheckState(Qt::Checked);
    int changed = 0;
    dlg.changed = [&] { ++changed; };
    dlg.removeCheckedButton()->click();

    const std::vector<std::string> left = recent.entries();
    QCOMPARE(left.size(), std::size_t(2));
    QCOMPARE(QString::fromStdString(left[0]), files[0]);
    QCOMPARE(QString::fromStdString(left[1]), files[2]);
    QCOMPARE(dlg.table()->rowCount(), 2);
    QCOMPARE(dlg.table()->item(1, 0)->text(), QStringLiteral("2"));
    QCOMPARE(dlg.table()->item(1, 1)->text(), files[2]);
    QCOMPARE(changed, 1);
    for (const QString& f : files)
        QVERIFY(QFileInfo::exists(f));

    // A double-click that cannot start the file manager says so.
    dlg.showFolder = [](const QString&) { return false; };
    emit dlg.table()->cellDoubleClicked(0, 1);
    QCOMPARE(t.messages->numbers().back(), 30048);

    dlg.removeAllButton()->click();
    QVERIFY(recent.entries().empty());
    QCOMPARE(dlg.table()->rowCount(), 0);
}

void TestLifecycleDialogs::recentEntryOfMissingFileOffersRemoval()
{
    TestApp t;
    CMainFrame frame(*t.app);
    t.app->lifecycle().recent().add(
        (home_.path() + QStringLiteral("/gone/Gone.CVN")).toStdString());
    frame.recentListChanged();
    t.messages->answer(Answer::Yes);
    QVERIFY(frame.runCommand(ID_FILE_MRU_FILE1));
    QCOMPARE(t.messages->numbers(), std::vector<int>{30017});
    QVERIFY(t.app->lifecycle().recent().entries().empty());
}

QTEST_MAIN(TestLifecycleDialogs)
#include "tst_lifecycledialogs.moc"
