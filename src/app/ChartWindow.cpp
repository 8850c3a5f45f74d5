#include "app/ChartWindow.h"

#include "app/CMainFrame.h"
#include "app/CVantorApp.h"
#include "chart/ui/CChartView.h"

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
    app_.refresh().addTarget(view_);
    connect(view_, &CChartView::chartChanged, this, &DocumentWindow::stateChanged);
}

ChartWindow::~ChartWindow()
{
    app_.refresh().removeTarget(view_);
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
