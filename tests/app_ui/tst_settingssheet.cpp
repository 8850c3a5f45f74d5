// The environment settings dialog writes exactly the values of its table, keeps the guide and
// animation values for the frame, and recolours marker nodes when colour sync is switched on.
#include "ShellTestSupport.h"

#include "app/CMainSheet.h"
#include "app/KanSetValues.h"
#include "base/SettingsKeys.h"
#include "model/ProjectData.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace corvane;
using namespace corvane::test;

namespace {

void addMarker(ProjectData& data, Colour marker, Colour background)
{
    ObjectRecord& o = data.objects[data.objectCount++];
    o = ObjectRecord{};
    o.id = data.objectCount;
    o.type = ObjectType::Marker;
    o.markerColour = marker;
    o.background = background;
}

} // namespace

class TestSettingsSheet : public QObject
{
    Q_OBJECT
private slots:
    void pagesShowTheirTitlesAndButtons();
    void saveWritesExactlyTheTableValues();
    void cancelWritesNothing();
    void storedValuesOutsideTheirRangesShowSafely();
    void synchroOffToOnRecoloursMarkerNodes();
    void synchroOnToOffChangesNoColour();

private:
    PrivateHome home_;
};

void TestSettingsSheet::pagesShowTheirTitlesAndButtons()
{
    CMainSheet sheet(KanSetValues{});
    QCOMPARE(sheet.windowTitle(), QStringLiteral("環境設定"));
    QCOMPARE(sheet.pages()->count(), 3);
    QCOMPARE(sheet.pages()->tabText(0), QStringLiteral("全般"));
    QCOMPARE(sheet.pages()->tabText(1), QStringLiteral("テキストビュー"));
    QCOMPARE(sheet.pages()->tabText(2), QStringLiteral("チャートビュー"));
    QCOMPARE(sheet.saveButton()->text(), QStringLiteral("保存して終了(&H)"));
    QCOMPARE(sheet.cancelButton()->text(), QStringLiteral("中止(&C)"));
    QCOMPARE(sheet.font().family(), QStringLiteral("Meiryo UI"));
    QCOMPARE(sheet.font().pointSize(), 11);
}

void TestSettingsSheet::saveWritesExactlyTheTableValues()
{
    TestApp t;
    whenModal([](QWidget* modal) {
        auto* sheet = qobject_cast<CMainSheet*>(modal);
        QVERIFY(sheet);
        sheet->firstOpen->setChecked(true);
        sheet->makeMes->setChecked(false);
        sheet->delMes->setChecked(false);
        sheet->synchro->setChecked(false);
        sheet->saveCnt->setValue(250); // beyond the range: the box keeps 100
        sheet->makeBackup->setChecked(false);
        sheet->dspGuide->setChecked(false);
        sheet->searchMes->setChecked(false);
        sheet->newGroup->setChecked(false);
        sheet->anime->setChecked(true);
        sheet->animeCount->setValue(7);
        sheet->speed->button(4)->setChecked(true);
        sheet->saveButton()->click();
    });
    QVERIFY(runEnvironmentSettings(*t.app, nullptr));

    QCOMPARE(read(*t.settings, keys::FirstOpen), 1);
    QCOMPARE(read(*t.settings, keys::MakeMes), 0);
    QCOMPARE(read(*t.settings, keys::DelMes), 0);
    QCOMPARE(read(*t.settings, keys::Synchro), 0);
    QCOMPARE(read(*t.settings, keys::SaveCnt), 100);
    QCOMPARE(read(*t.settings, keys::MakeBackup), 0);
    QCOMPARE(read(*t.settings, keys::SearchMes), 0);
    QCOMPARE(read(*t.settings, keys::NewGroup), 0);
    // Guide and animation go to the application object, written when the frame is destroyed.
    QVERIFY(!t.settings->contains("KanSet", "DspGuide"));
    QVERIFY(!t.settings->contains("KanSet", "PlayAnime"));
    QVERIFY(!t.settings->contains("KanSet", "SpeedAnime"));
    QCOMPARE(t.app->playAnime, 7);
    QCOMPARE(t.app->speedAnime, 4);
    QVERIFY(!t.app->dspGuide);

    // Unchecking the animation stores a count of 0.
    whenModal([](QWidget* modal) {
        auto* sheet = qobject_cast<CMainSheet*>(modal);
        QCOMPARE(sheet->animeCount->value(), 7);
        sheet->anime->setChecked(false);
        sheet->saveButton()->click();
    });
    QVERIFY(runEnvironmentSettings(*t.app, nullptr));
    QCOMPARE(t.app->playAnime, 0);
}

void TestSettingsSheet::cancelWritesNothing()
{
    TestApp t;
    whenModal([](QWidget* modal) {
        auto* sheet = qobject_cast<CMainSheet*>(modal);
        sheet->firstOpen->setChecked(true);
        sheet->cancelButton()->click();
    });
    QVERIFY(!runEnvironmentSettings(*t.app, nullptr));
    QVERIFY(!t.settings->contains("KanSet", "FirstOpen"));
}

void TestSettingsSheet::storedValuesOutsideTheirRangesShowSafely()
{
    TestApp t;
    write(*t.settings, keys::SaveCnt, 2);
    const KanSetValues v = loadKanSet(*t.settings, 0, 9, true);
    CMainSheet sheet(v);
    QCOMPARE(sheet.saveCnt->value(), 5);
    QVERIFY(!sheet.anime->isChecked());
    QCOMPARE(sheet.animeCount->value(), 3); // a stored count of 0 shows 3
    QCOMPARE(sheet.speed->checkedId(), 0);  // a speed outside 0-4 shows as 0
}

void TestSettingsSheet::synchroOffToOnRecoloursMarkerNodes()
{
    TestApp t;
    write(*t.settings, keys::Synchro, 0);
    ProjectData& data = t.app->data();
    data.name = "P";
    data.folder = "/x/";
    addMarker(data, 0x0000FF, 0xFFFFFF);
    addMarker(data, 0x00FF00, 0x123456);
    data.modified = false;
    whenModal([](QWidget* modal) {
        auto* sheet = qobject_cast<CMainSheet*>(modal);
        sheet->synchro->setChecked(true);
        sheet->saveButton()->click();
    });
    QVERIFY(runEnvironmentSettings(*t.app, nullptr));
    QCOMPARE(data.objects[0].background, Colour(0x0000FF));
    QCOMPARE(data.objects[1].background, Colour(0x00FF00));
    QVERIFY(data.modified);
}

void TestSettingsSheet::synchroOnToOffChangesNoColour()
{
    TestApp t;
    ProjectData& data = t.app->data();
    data.name = "P";
    data.folder = "/x/";
    addMarker(data, 0x0000FF, 0xFFFFFF);
    data.modified = false;
    whenModal([](QWidget* modal) {
        auto* sheet = qobject_cast<CMainSheet*>(modal);
        sheet->synchro->setChecked(false);
        sheet->saveButton()->click();
    });
    QVERIFY(runEnvironmentSettings(*t.app, nullptr));
    QCOMPARE(data.objects[0].background, Colour(0xFFFFFF));
    QVERIFY(!data.modified);
}

QTEST_MAIN(TestSettingsSheet)
#include "tst_settingssheet.moc"
