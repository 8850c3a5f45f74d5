#include "search/ui/ReplaceJob.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <thread>

namespace corvane {

namespace {

/// Reports from the worker: the dialog is updated on the user-interface thread (queued), the
/// cancel flag is read between documents.
class DialogProgress : public search::Progress
{
public:
    DialogProgress(QProgressDialog& dialog, const std::atomic<bool>& cancelled)
        : dialog_(&dialog), cancelled_(cancelled)
    {
    }
    bool step(int done, int total) override
    {
        QMetaObject::invokeMethod(
            dialog_.data(),
            [dialog = dialog_, done, total] {
                if (!dialog || dialog->wasCanceled())
                    return;
                dialog->setMaximum(total);
                dialog->setValue(done);
                dialog->setLabelText(
                    QStringLiteral("一括置換しています… %1 / %2 文献").arg(done).arg(total));
            },
            Qt::QueuedConnection);
        return !cancelled_.load();
    }
    void changeRecords(const std::function<void()>& change) override
    {
        // The worker waits while the user-interface thread changes the records, between two
        // of its events, so no window reads a record half moved.
        if (QThread::currentThread() == qApp->thread())
            change();
        else
            QMetaObject::invokeMethod(qApp, change, Qt::BlockingQueuedConnection);
    }

private:
    QPointer<QProgressDialog> dialog_;
    const std::atomic<bool>& cancelled_;
};

} // namespace

search::ReplaceTotals
runReplaceJob(QWidget* parent, const std::function<search::ReplaceTotals(search::Progress*)>& job)
{
    QProgressDialog dialog(QStringLiteral("一括置換しています…"), QStringLiteral("中止"), 0, 0,
                           parent);
    dialog.setWindowTitle(QStringLiteral("一括置換"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    std::atomic<bool> cancelled{false};
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        cancelled = true;
        dialog.setLabelText(QStringLiteral("中止しています… (処理中の文献を終えます)"));
    });
    DialogProgress progress(dialog, cancelled);
    QEventLoop loop;
    search::ReplaceTotals totals;
    std::thread worker([&] {
        totals = job(&progress);
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    dialog.close();
    return totals;
}

} // namespace corvane
