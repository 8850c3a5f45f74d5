#include "print/ui/OutputCommands.h"

#include "base/Codec.h"
#include "base/Sjis.h"
#include "base/qt/QtText.h"
#include "model/FixedText.h"
#include "print/CharIndexMap.h"
#include "print/DocxWriter.h"
#include "print/OutputPath.h"
#include "print/XlsxWriter.h"
#include "print/paint/DocumentPdf.h"
#include "print/paint/PdfFaces.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "textview/TextDocument.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProgressDialog>
#include <QUrl>

#include <chrono>
#include <future>
#include <memory>

namespace corvane {

namespace {

/// Texts above this many bytes get a progress display before the work starts: a PDF of 1 MB
/// takes about 0.6 s on a slow machine (20 MB: 12 s; the .docx of 20 MB: 3.5 s).
constexpr std::size_t kProgressBytes = 1024 * 1024;

SjisString sjisOf(const std::string& utf8)
{
    return codec::fromUtf8(utf8).text;
}

/// The document's title as the tab shows it: the last component of its relative path.
SjisString titleOf(SjisView relativePath)
{
    if (!relativePath.empty() && relativePath.back() == '*')
        relativePath.remove_suffix(1);
    std::size_t start = 0;
    for (std::size_t i = 0; i < relativePath.size(); i += sjis::charLength(relativePath, i)) {
        if (relativePath[i] == '\\')
            start = i + 1;
    }
    return SjisString(relativePath.substr(start));
}

/// A modal progress display with the wait cursor, removed when it goes out of scope. Without a
/// share to show (busy) it moves as a busy bar while pump is called.
class Progress
{
public:
    Progress(QWidget* parent, const QString& label, bool shown, bool busy = false)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (!shown)
            return;
        dialog_ = std::make_unique<QProgressDialog>(label, QString(), 0, busy ? 0 : 100, parent);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setValue(0);
        QApplication::processEvents();
    }
    ~Progress() { QApplication::restoreOverrideCursor(); }
    void set(int percent)
    {
        if (!dialog_)
            return;
        dialog_->setValue(percent);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void pump() { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50); }

private:
    std::unique_ptr<QProgressDialog> dialog_;
};

void openWithDesktop(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(pathToQString(path)));
}

/// The output folder, made when missing; empty after 30024.
std::string readyOutputFolder(const ProjectData& project, Services& services)
{
    const std::string folder = output::outputFolder(project);
    if (output::makeOutputFolder(folder))
        return folder;
    // "保存用": for saving.
    showMessage(services.messages, msg::kFolderCreateFailed, "\x95\xdb\x91\xb6\x97\x70",
                style::error);
    return {};
}

/// Runs work on a worker thread while the progress display stays alive: the .docx and .xlsx
/// writers give no share done, and a 20 MB document takes seconds. The caller's data is not
/// touched meanwhile: the progress display is modal and input events are held back.
template <typename Work> output::OutputStatus inBackground(Progress& progress, Work work)
{
    std::future<output::OutputStatus> result = std::async(std::launch::async, std::move(work));
    while (result.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready)
        progress.pump();
    return result.get();
}

} // namespace

void outputDocument(QWidget* parent, ProjectData& project, Services& services,
                    const TextDocument& document, bool pdf)
{
    const SjisString title = titleOf(document.relativePath());
    // "『" + title + "』を" before the question.
    const SjisString leading = "\x81\x77" + title + "\x81\x78\x82\xf0";
    const Answer answer =
        showMessage(services.messages, pdf ? msg::kAskPdfWithMarkers : msg::kAskWordWithMarkers,
                    leading, style::yesNoCancel);
    if (answer != Answer::Yes && answer != Answer::No)
        return;
    const std::string folder = readyOutputFolder(project, services);
    if (folder.empty())
        return;
    const std::optional<std::string> path =
        output::outputPath(folder, document.relativePath(), pdf ? ".pdf" : ".docx");
    if (!path) {
        showMessage(services.messages, msg::kSaveFailed, title + "\n", style::error);
        return;
    }
    const SjisView text = document.text();
    const std::vector<output::ColourRun> shading =
        answer == Answer::Yes ? output::documentShading(project, document.relativePath(), text)
                              : std::vector<output::ColourRun>{};
    output::OutputStatus status;
    {
        Progress progress(parent,
                          pdf ? QStringLiteral("PDF を保存しています...")
                              : QStringLiteral("Word 文書を保存しています..."),
                          text.size() > kProgressBytes);
        if (pdf) {
            output::PdfDocumentOptions options;
            options.family = output::pdfFaceFor(toQString(fixedText(project.textView.fontName)));
            options.title = toQString(title);
            options.progress = [&progress](int percent) { progress.set(percent); };
            status = output::writeDocumentPdf(*path, text, shading, options);
        } else {
            output::DocxOptions options;
            const SjisView font = fixedText(project.textView.fontName);
            if (!font.empty())
                options.fontName = codec::toUtf8(font).text;
            status = inBackground(progress,
                                  [&] { return output::writeDocx(*path, text, shading, options); });
        }
    }
    // Only a complete file is reported as saved; an older one of that name is still there.
    if (status != output::OutputStatus::Ok) {
        showMessage(services.messages, msg::kSaveFailed, sjisOf(*path) + "\n", style::error);
        return;
    }
    if (pdf) {
        if (showMessage(services.messages, msg::kPdfSaved, sjisOf(*path) + "\n", style::yesNo) ==
            Answer::Yes)
            QDesktopServices::openUrl(QUrl::fromLocalFile(pathToQString(folder + "/")));
        return;
    }
    showMessage(services.messages, msg::kOutputSaved, sjisOf(*path) + "\n", style::information);
    openWithDesktop(*path);
}

void exportSubjectList(QWidget* parent, ProjectData& project, Services& services)
{
    if (showMessage(services.messages, msg::kConfirmExcelExport, {}, style::yesNo) != Answer::Yes)
        return;
    const std::string folder = readyOutputFolder(project, services);
    if (folder.empty())
        return;
    const std::string path = folder + "/" + project.name + ".xlsx";
    output::OutputStatus status;
    {
        Progress progress(parent, QString(), false);
        const auto rows = output::subjectExportRows(project);
        status =
            inBackground(progress, [&path, &rows] { return output::writeSubjectXlsx(path, rows); });
    }
    if (status != output::OutputStatus::Ok) {
        showMessage(services.messages, msg::kSaveFailed, sjisOf(path) + "\n", style::error);
        return;
    }
    showMessage(services.messages, msg::kOutputSaved, sjisOf(path) + "\n", style::information);
    openWithDesktop(path);
}

} // namespace corvane
