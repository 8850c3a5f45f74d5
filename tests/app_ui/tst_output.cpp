// Output and printing in the running frame on a copy of the sample project: 448 and 449 from the
// ribbon with their questions, the files in the work folder and the desktop asked to open them;
// 466 from the subject list; the print dialog driven by mouse and keys, its page grid equal to
// the layout function's, a refused layout, orientation stored at once, and a job on the PDF
// printer.
#include "ShellTestSupport.h"

#include "app/CMainFrame.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/ProjectLifecycle.h"
#include "base/SettingsKeys.h"
#include "print/paint/ChartPages.h"
#include "print/ui/CInsatuDlg.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "subjects/ui/CSubjectWnd.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QUrl>

#include <filesystem>

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

/// Receives the URLs the commands ask the desktop to open.
class DesktopRecorder : public QObject
{
    Q_OBJECT
public:
    std::vector<QString> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url.toLocalFile()); }
};

struct Session
{
    PrivateHome home;
    TestApp t;
    std::unique_ptr<CMainFrame> frame;
    DocumentWiring* wiring = nullptr;
    CSubjectWnd* subjects = nullptr;
    std::string folder;

    Session()
    {
        const fs::path copy = copySample(home);
        folder = copy.string();
        frame = std::make_unique<CMainFrame>(*t.app);
        subjects = installSubjectPane(*frame, *t.app);
        wiring = DocumentWiring::install(*frame, *t.app);
        frame->resize(1280, 800);
        frame->show();
        QTest::qWait(20);
        t.app->lifecycle().openProject((copy / "Sample.CVN").string(), false);
    }
    ~Session() { t.app->data().modified = false; }
};

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop_, "open");
        desktop_.opened.clear();
    }
    void cleanup() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void wordAndPdfFromTheRibbon()
    {
        Session s;
        QVERIFY(s.wiring->openDocument(s.folder + "/doc/先行技術/実登3201958"));
        const std::string work = s.folder + "/work/";
        // Cancel starts nothing.
        s.t.messages->answer(Answer::Cancel);
        QVERIFY(s.frame->runCommand(cmd::ID_TVIEW_WORD));
        QCOMPARE(s.t.messages->numbers(), std::vector<int>{msg::kAskWordWithMarkers});
        QVERIFY(!fs::exists(work + "先行技術_実登3201958.docx"));
        // Yes: with markers, named after the folder and the document, the path shown, opened.
        s.t.messages->answer(Answer::Yes);
        QVERIFY(s.frame->runCommand(cmd::ID_TVIEW_WORD));
        QVERIFY(fs::exists(work + "先行技術_実登3201958.docx"));
        QCOMPARE(s.t.messages->numbers().back(), msg::kOutputSaved);
        QVERIFY(s.t.messages->shown.back().textUtf8.find("先行技術_実登3201958.docx") !=
                std::string::npos);
        QCOMPARE(desktop_.opened.size(), std::size_t(1));
        QCOMPARE(desktop_.opened.back(),
                 QString::fromStdString(work + "先行技術_実登3201958.docx"));
        // PDF, text only; No to showing the folder.
        s.t.messages->answer(Answer::No);
        s.t.messages->answer(Answer::No);
        QVERIFY(s.frame->runCommand(cmd::ID_TVIEW_PDF));
        QVERIFY(fs::file_size(work + "先行技術_実登3201958.pdf") > 1000);
        const auto n = s.t.messages->numbers();
        QCOMPARE(std::vector<int>(n.end() - 2, n.end()),
                 (std::vector<int>{msg::kAskPdfWithMarkers, msg::kPdfSaved}));
        QCOMPARE(desktop_.opened.size(), std::size_t(1));
    }

    void subjectListToSpreadsheet()
    {
        Session s;
        s.t.messages->answer(Answer::Yes);
        QVERIFY(s.subjects->runCommand(cmd::ID_SUBJECT_EXCEL));
        const std::string path = s.folder + "/work/Sample.xlsx";
        QVERIFY(fs::file_size(path) > 1000);
        QCOMPARE(s.t.messages->numbers(),
                 (std::vector<int>{msg::kConfirmExcelExport, msg::kOutputSaved}));
        QCOMPARE(desktop_.opened.back(), QString::fromStdString(path));
    }

    void printDialogLayoutRefusalAndJob()
    {
        Session s;
        // A stored Monarch envelope (98.4 mm wide) and left and right margins of 50 mm leave no
        // printable width; a damaged orientation reads as portrait.
        s.t.settings->writeInt("Insatu", "PaperSize", 37);
        s.t.settings->writeInt("Insatu", "MarginLmm", 50);
        s.t.settings->writeInt("Insatu", "MarginRmm", 50);
        s.t.settings->writeInt("Insatu", "Orientation", 0);
        bool checked = false;
        whenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CInsatuDlg*>(modal);
            QVERIFY(dialog);
            auto* button = dialog->findChild<QPushButton*>(QStringLiteral("printButton"));
            auto* grid = dialog->findChild<QLabel*>(QStringLiteral("pageGrid"));
            QVERIFY(!dialog->grid().valid);
            QVERIFY(!button->isEnabled());
            QVERIFY(grid->text().isEmpty());
            // The left margin down to 10 by keys: a layout again, as the layout function says.
            QList<QSpinBox*> spins = dialog->findChildren<QSpinBox*>();
            QSpinBox* left = nullptr;
            for (QSpinBox* sp : spins)
                if (sp->maximum() == 50 && sp->value() == 50 && !left)
                    left = sp;
            QVERIFY(left);
            left->setFocus();
            left->selectAll();
            QTest::keyClicks(left, "10");
            QVERIFY(dialog->grid().valid);
            QVERIFY(button->isEnabled());
            const print::ChartSize size = print::chartSizeOf(s.t.app->data());
            const print::PageGrid expected = print::computePageGrid(
                print::sheetOf(print::fullPageLayout(37, print::Orientation::Portrait), 1200),
                {10, 50, 25, 10}, size.width, size.height, false);
            QCOMPARE(
                grid->text(),
                QStringLiteral("(横 %1 × 縦 %2 ページ)").arg(expected.across).arg(expected.down));
            // Landscape by a click: stored at once.
            QRadioButton* landscape = nullptr;
            for (auto* r : dialog->findChildren<QRadioButton*>())
                if (r->text() == QStringLiteral("横"))
                    landscape = r;
            QTest::mouseClick(landscape, Qt::LeftButton);
            QCOMPARE(s.t.settings->readInt("Insatu", "Orientation", 1), 2);
            // The preview page stays within the pages.
            auto* page = dialog->findChild<QSpinBox*>(QStringLiteral("previewPage"));
            QCOMPARE(page->maximum(), dialog->grid().pageCount());
            checked = true;
            QTest::mouseClick(button, Qt::LeftButton);
        });
        QVERIFY(s.frame->runCommand(cmd::ID_INSATU));
        QVERIFY(checked);
        const std::string pdf = s.folder + "/work/Sample_chart.pdf";
        QVERIFY(fs::file_size(pdf) > 1000);
        QCOMPARE(s.t.messages->numbers().back(), msg::kOutputSaved);
        QCOMPARE(s.t.settings->readInt("Insatu", "MarginLmm", 0), 10);
    }

private:
    DesktopRecorder desktop_;
};

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
