#include "app/ChartWindow.h"

#include "app/CMainFrame.h"
#include "app/CVantorApp.h"
#include "app/PaneId.h"
#include "app/ProjectLifecycle.h"
#include "chart/ui/CChartView.h"
#include "subjects/ui/CMySubjectCtrl.h"
#include "subjects/ui/CSubjectWnd.h"

#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QVBoxLayout>

namespace corvane {

ChartWindow::ChartWindow(CVantorApp& app, CMainFrame& frame)
    : app_(app), view_(new CChartView(app.data(), app.services(), this))
{
    setObjectName(QStringLiteral("chartWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    view_->runFrameCommand = [&frame](int id) { frame.runCommand(id); };
    view_->showGuide = [&frame](const QString& text) { frame.setGuideText(text); };
    view_->showSubSubject = [&frame](ObjectId id) {
        QDockWidget* dock = frame.pane(PaneId::Subjects);
        auto* subjects = dock ? qobject_cast<CSubjectWnd*>(dock->widget()) : nullptr;
        if (!subjects)
            return;
        dock->show();
        dock->raise();
        subjects->grid()->selectObject(id);
    };
    view_->chooseImagePath = [this](bool svg) {
        // Offered in the project's folder under the project's name.
        const ProjectData& p = app_.data();
        const QString suggested =
            QDir(QString::fromStdString(p.folder))
                .filePath(QString::fromStdString(p.name) +
                          (svg ? QStringLiteral(".svg") : QStringLiteral(".png")));
        return QFileDialog::getSaveFileName(
            this, QStringLiteral("チャートを画像として保存"), suggested,
            svg ? QStringLiteral("SVG 画像 (*.svg)") : QStringLiteral("PNG 画像 (*.png)"));
    };
    app_.refresh().addTarget(view_);
    connect(view_, &CChartView::chartChanged, this, &DocumentWindow::stateChanged);
}

ChartWindow::~ChartWindow()
{
    app_.refresh().removeTarget(view_);
}

void ChartWindow::showNode(CMainFrame& frame, CVantorApp& app, ObjectId id)
{
    if (!frame.chartWindow()) {
        if (!app.hasLifecycle() || !app.lifecycle().toggleChart())
            return;
    } else {
        frame.openChartWindow();
    }
    if (auto* chart = qobject_cast<ChartWindow*>(frame.chartWindow()))
        chart->view()->showNodeInCentre(id);
}

QString ChartWindow::title() const
{
    return QStringLiteral("チャートビュー");
}

bool ChartWindow::handleCommand(int id)
{
    return view_->handleCommand(id);
}

bool ChartWindow::isCommandEnabled(int id) const
{
    return view_->isCommandEnabled(id);
}

bool ChartWindow::isCommandChecked(int id) const
{
    return view_->isCommandChecked(id);
}

} // namespace corvane
