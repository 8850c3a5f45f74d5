#include "app/CMainFrame.h"

#include "app/CCloseDlg.h"
#include "app/CFirstDlg.h"
#include "app/CMainSheet.h"
#include "app/CMainStatusBar.h"
#include "app/CNewDlg.h"
#include "app/CRecentDlg.h"
#include "app/CRibbonBar.h"
#include "app/CRibbonCustomDlg.h"
#include "app/CTabArea.h"
#include "app/CVantorApp.h"
#include "app/CVersionDlg.h"
#include "app/CommandTable.h"
#include "app/DocumentWindow.h"
#include "app/ProjectLifecycle.h"
#include "app/RibbonIcons.h"
#include "base/DocPath.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

using namespace cmd;

/// Status pane texts from the logic's refresh calls.
class CMainFrame::StatusRefresh : public Refresh
{
public:
    explicit StatusRefresh(CMainStatusBar* bar) : bar_(bar) {}
    void setStatusPane(StatusPane pane, const std::string& text) override
    {
        bar_->setPaneText(pane, QString::fromStdString(text));
    }

private:
    CMainStatusBar* bar_;
};

namespace {

struct PaneSpec
{
    PaneId id;
    const char* caption;
    const char* objectName;
    QSize initialSize;
    Qt::DockWidgetArea area;
    int command;
};

// In the order of creation.
// clang-format off
const PaneSpec kPaneSpecs[] = {
    {PaneId::DocumentList, "文献リスト", "CFileView", {200, 200}, Qt::LeftDockWidgetArea, ID_VIEW_LIST_PANE},
    {PaneId::Search, "検索・置換", "CSearchWnd", {100, 100}, Qt::BottomDockWidgetArea, ID_VIEW_SEARCH_PANE},
    {PaneId::Properties, "プロパティ", "CPropertiesWnd", {200, 200}, Qt::RightDockWidgetArea, ID_VIEW_PROP_PANE},
    {PaneId::Subjects, "題名リスト", "CSubjectWnd", {200, 200}, Qt::RightDockWidgetArea, ID_VIEW_SUBJECT_PANE},
    {PaneId::Markers, "マーカリスト", "CMarkerWnd", {100, 100}, Qt::BottomDockWidgetArea, ID_VIEW_MARKER_PANE},
};
// clang-format on

QWidget* placeholder(QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::white);
    w->setPalette(p);
    return w;
}

bool contains(const std::vector<std::string>& list, const std::string& s)
{
    return std::find(list.begin(), list.end(), s) != list.end();
}

} // namespace

CMainFrame::StartGeometry CMainFrame::startGeometry(const QRect& available)
{
    // The ribbon, five panes and a text view need about 1280 x 800; on a larger screen the
    // frame takes most of it and leaves a margin to reach what lies behind.
    const QSize base(1280, 800);
    StartGeometry g;
    if (available.width() < base.width() || available.height() < base.height()) {
        g.rect = available;
        g.maximised = true;
        return g;
    }
    const QSize size(std::max(base.width(), available.width() * 85 / 100),
                     std::max(base.height(), available.height() * 85 / 100));
    g.rect = QRect(QPoint(0, 0), size);
    g.rect.moveCenter(available.center());
    return g;
}

void CMainFrame::placeOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(1280, 800);
        return;
    }
    const StartGeometry g = startGeometry(screen->availableGeometry());
    resize(g.rect.size());
    move(g.rect.topLeft());
    if (g.maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

CMainFrame::CMainFrame(CVantorApp& app, QWidget* parent) : QMainWindow(parent), app_(app)
{
    setObjectName(QStringLiteral("CMainFrame"));
    QMainWindow::setWindowTitle(QStringLiteral("Corvane"));
    setWindowIcon(applicationIcon());
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks |
                   QMainWindow::AllowTabbedDocks);

    createActions();
    ribbon_ = new CRibbonBar([this](int id) { return action(id); }, this);
    setMenuWidget(ribbon_);
    connect(ribbon_, &CRibbonBar::minimiseToggleRequested, this,
            [this] { runCommand(ID_SHOW_MENU); });

    tabs_ = new CTabArea(this);
    setCentralWidget(tabs_);
    connect(tabs_, &CTabArea::activeWindowChanged, this, [this] { updateCommandStates(); });
    connect(tabs_, &CTabArea::closeRequested, this,
            [this](DocumentWindow* w) { closeDocumentWindow(w); });
    connect(tabs_, &CTabArea::tabMenuRequested, this, [this](DocumentWindow* w, QPoint pos) {
        std::unique_ptr<QMenu> menu = buildTabMenu(w);
        menu->exec(pos);
    });
    connect(tabs_, &CTabArea::tabDropMenuRequested, this, [this](DocumentWindow* w, QPoint pos) {
        std::unique_ptr<QMenu> menu = buildTabDropMenu(w);
        menu->exec(pos);
    });
    connect(tabs_, &CTabArea::windowsMovedBetweenGroups, this,
            &CMainFrame::onWindowsMovedBetweenGroups);

    status_ = new CMainStatusBar(this);
    setStatusBar(status_);
    statusRefresh_ = std::make_unique<StatusRefresh>(status_);
    app_.refresh().addTarget(statusRefresh_.get());

    createPanes();
    registerFrameHandlers();
    ribbon_->setQuickAccess(quickaccess::load(app_.settings()));
    applyTabLocation();

    askProjectFile = [this] {
        QFileDialog dlg(this, QStringLiteral("ファイルを指定"));
        dlg.setFileMode(QFileDialog::ExistingFile);
        // Qt's own dialog matches name filters without regard to case, so projects saved as
        // ".CVN" show under the filter "*.cvn" as they do on the system the format comes from.
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        dlg.setNameFilter(QStringLiteral("コルヴェインファイル(*.cvn)"));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return QString();
        return dlg.selectedFiles().constFirst();
    };
    chartFactory_ = [] { return new ChartPlaceholderWindow; };

    // The caret blinks every 500 ms until a project sets its own interval.
    caretTimer_.setInterval(500);
    connect(&caretTimer_, &QTimer::timeout, this, [this] {
        DocumentWindow* w = tabs_->activeWindow();
        if (w && w->kind() == DocumentWindow::Kind::Text)
            w->toggleCaret();
    });
    caretTimer_.start();

    // Enable states also depend on things no signal reports (a text view's selection), so they
    // are refreshed now and then besides after every command.
    stateTimer_.setInterval(250);
    connect(&stateTimer_, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    stateTimer_.start();
    guideTimer_.setSingleShot(true);
    connect(&guideTimer_, &QTimer::timeout, this, [this] { status_->setGuide(QString()); });

    app_.attachWindows(this, this);
    recentListChanged();
    updateCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The base class hides the children after these members are gone; their signals must not
    // reach this frame any more.
    caretTimer_.stop();
    stateTimer_.stop();
    guideTimer_.stop();
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    app_.writeFrameSettings();
    app_.refresh().removeTarget(statusRefresh_.get());
    app_.attachWindows(nullptr, nullptr);
}

void CMainFrame::createActions()
{
    for (const CommandInfo& c : commandTable()) {
        auto* a = new QAction(QString::fromUtf8(c.label), this);
        a->setObjectName(QString::fromLatin1(c.name));
        a->setData(c.id);
        a->setIcon(commandIcon(c.id));
        QString tip = QString::fromUtf8(c.label);
        tip.remove(QStringLiteral("(&")).remove(QChar('&'));
        if (tip.contains(QChar('\t')))
            tip.truncate(tip.indexOf(QChar('\t')));
        a->setToolTip(tip);
        if (*c.shortcut) {
            a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
        if (c.kind == CommandKind::Check)
            a->setCheckable(true);
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { onCommand(id); });
        actions_[c.id] = a;
    }
}

QAction* CMainFrame::action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::createPanes()
{
    for (const PaneSpec& spec : kPaneSpecs) {
        auto* dock = new QDockWidget(QString::fromUtf8(spec.caption), this);
        dock->setObjectName(QString::fromLatin1(spec.objectName));
        dock->setProperty("paneId", int(spec.id));
        dock->setWindowIcon(commandIcon(spec.command));
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
        dock->setWidget(placeholder(dock));
        panes_[spec.id] = dock;
        connect(dock, &QDockWidget::visibilityChanged, this, [this] { updateCommandStates(); });
    }
    // Side panes run the full height; the bottom panes sit under the tab area only.
    setCorner(Qt::TopLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, panes_[PaneId::DocumentList]);
    addDockWidget(Qt::BottomDockWidgetArea, panes_[PaneId::Search]);
    addDockWidget(Qt::RightDockWidgetArea, panes_[PaneId::Subjects]);
    splitDockWidget(panes_[PaneId::Subjects], panes_[PaneId::Properties], Qt::Vertical);
    splitDockWidget(panes_[PaneId::Search], panes_[PaneId::Markers], Qt::Horizontal);
}

CMainFrame::PaneSizes CMainFrame::paneSizesFor(const QSize& frameSize)
{
    PaneSizes sizes;
    // A fifth of the width each side leaves the text view more than half of it; on 1920 x 1080
    // that shows about 25 characters of a subject title.
    sizes.sideWidth = std::clamp(frameSize.width() / 5, 200, 480);
    sizes.bottomHeight = std::clamp(frameSize.height() * 22 / 100, 150, 360);
    // The right column runs the full height below the ribbon: the subject list gets the larger
    // part, the properties pane enough for its rows.
    const int column = std::max(300, frameSize.height() - 200);
    sizes.propertiesHeight = std::max(180, column * 2 / 5);
    sizes.subjectsHeight = column - sizes.propertiesHeight;
    return sizes;
}

void CMainFrame::arrangePanes()
{
    const std::string saved = read(app_.settings(), keys::PaneLayout);
    if (!saved.empty() && restoreState(QByteArray::fromBase64(QByteArray::fromStdString(saved))))
        return;
    const PaneSizes sizes = paneSizesFor(size());
    resizeDocks({panes_[PaneId::DocumentList], panes_[PaneId::Subjects]},
                {sizes.sideWidth, sizes.sideWidth}, Qt::Horizontal);
    resizeDocks({panes_[PaneId::Subjects], panes_[PaneId::Properties]},
                {sizes.subjectsHeight, sizes.propertiesHeight}, Qt::Vertical);
    resizeDocks({panes_[PaneId::Search]}, {sizes.bottomHeight}, Qt::Vertical);
}

void CMainFrame::savePaneLayout()
{
    if (panesArranged_)
        write(app_.settings(), keys::PaneLayout, saveState().toBase64().toStdString());
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (panesArranged_)
        return;
    panesArranged_ = true;
    // The docks have their sizes only once the frame's layout has run for the shown size.
    QTimer::singleShot(0, this, [this] { arrangePanes(); });
}

QDockWidget* CMainFrame::pane(PaneId id) const
{
    return panes_.at(id);
}

void CMainFrame::setPaneWidget(PaneId id, QWidget* widget)
{
    QDockWidget* dock = panes_.at(id);
    QWidget* old = dock->widget();
    dock->setWidget(widget);
    if (old && old != widget)
        old->deleteLater();
}

void CMainFrame::setCommandHandler(int id, std::function<void()> handler,
                                   std::function<bool()> enabled, std::function<bool()> checked)
{
    handlers_[id] = Handler{std::move(handler), std::move(enabled), std::move(checked)};
    updateCommandStates();
}

void CMainFrame::setTextWindowFactory(std::function<DocumentWindow*(const std::string&)> factory)
{
    textFactory_ = std::move(factory);
}

void CMainFrame::setChartWindowFactory(std::function<DocumentWindow*()> factory)
{
    chartFactory_ = std::move(factory);
}

void CMainFrame::addPaneHooks(LifecycleHooks* hooks)
{
    paneHooks_.push_back(hooks);
}

void CMainFrame::setGuideText(const QString& text)
{
    if (app_.dspGuide && !guideTimer_.isActive())
        status_->setGuide(text);
}

void CMainFrame::registerFrameHandlers()
{
    auto on = [this](int id, std::function<void()> f, std::function<bool()> checked = {}) {
        handlers_[id] = Handler{std::move(f), {}, std::move(checked)};
    };
    on(ID_PROJECT_NEW, [this] { newProject(); });
    on(ID_PROJECT_OPEN, [this] { openProjectCommand(); });
    on(ID_PROJECT_SAVE, [this] { app_.lifecycle().save(); });
    on(ID_PROJECT_CLOSE, [this] { app_.lifecycle().closeProject(false); });
    on(ID_RECENT_KANRI, [this] { recentKanri(); });
    on(ID_KAN_SET, [this] {
        runEnvironmentSettings(app_, this);
        if (!app_.dspGuide)
            status_->setGuide(QString());
    });
    on(ID_APP_ABOUT, [this] { CVersionDlg(this).exec(); });
    on(ID_APP_EXIT, [this] { close(); });
    on(ID_SHOW_MENU, [this] { ribbon_->setMinimised(!ribbon_->isMinimised()); });
    on(ID_HELP_DSP, [this] { showHelp(); });
    on(ID_ALL_DOC_SAVE, [this] {
        for (DocumentWindow* w : tabs_->windows())
            if (w->kind() == DocumentWindow::Kind::Text && w->isModified())
                w->saveDocument();
    });
    for (const PaneSpec& spec : kPaneSpecs) {
        const PaneId id = spec.id;
        on(
            spec.command, [this, id] { togglePane(id); },
            [this, id] { return !panes_.at(id)->isHidden(); });
    }
    on(
        ID_VIEW_STATUS_BAR, [this] { status_->setVisible(status_->isHidden()); },
        [this] { return !status_->isHidden(); });
    on(
        ID_VIEW_FULLSCREEN, [this] { toggleFullScreen(); }, [this] { return isFullScreen(); });
    on(
        ID_VIEW_CHART, [this] { app_.lifecycle().toggleChart(); },
        [this] { return app_.data().chartShown; });
    on(ID_TAB_LOCATION, [this] {
        write(app_.settings(), keys::LocationTop,
              read(app_.settings(), keys::LocationTop) == 1 ? 0 : 1);
        applyTabLocation();
    });
    on(ID_GUIDE_TOGGLE, [this] { toggleGuide(); });
    on(ID_RIBBON_CUSTOMIZE, [this] { customiseRibbon(); });
    on(ID_TAB_SAVE, [this] {
        DocumentWindow* w = menuWindow_ ? menuWindow_.data() : tabs_->activeWindow();
        if (w)
            w->saveDocument();
    });
    on(ID_TAB_CLOSE, [this] {
        DocumentWindow* w = menuWindow_ ? menuWindow_.data() : tabs_->activeWindow();
        if (w)
            closeDocumentWindow(w);
    });
    on(ID_TAB_CLOSE_OTHERS, [this] {
        closeWindowsAfterConfirmation(menuWindow_ ? menuWindow_.data() : tabs_->activeWindow());
    });
    on(ID_TAB_CLOSE_ALL, [this] { closeWindowsAfterConfirmation(nullptr); });
    on(ID_MDI_NEW_HORZ_GROUP, [this] { tabs_->newGroup(Qt::Vertical); });
    on(ID_MDI_NEW_VERT_GROUP, [this] { tabs_->newGroup(Qt::Horizontal); });
    on(ID_MDI_MOVE_TO_NEXT_GROUP, [this] { tabs_->moveToNextGroup(); });
    on(ID_MDI_MOVE_TO_PREV_GROUP, [this] { tabs_->moveToPreviousGroup(); });
    on(ID_MDI_CANCEL, [] {});
}

CommandContext CMainFrame::commandContext() const
{
    CommandContext c;
    const ProjectData& data = app_.data();
    c.projectOpen = data.isOpen();
    c.hasCurrentObject = data.currentObject >= 0;
    if (DocumentWindow* w = tabs_->activeWindow()) {
        c.active = w->kind() == DocumentWindow::Kind::Text ? CommandContext::Active::Text
                                                           : CommandContext::Active::Chart;
        c.selectionMarkable = w->selectionMarkable();
        c.activeTextModified = w->kind() == DocumentWindow::Kind::Text && w->isModified();
    }
    for (DocumentWindow* w : tabs_->windows())
        if (w->kind() == DocumentWindow::Kind::Text && w->isModified())
            c.anyDocumentModified = true;
    return c;
}

bool CMainFrame::isEnabled(int id) const
{
    const CommandInfo* info = findCommand(id);
    if (!info)
        return false;
    const CommandContext context = commandContext();
    if (!needMet(info->need, context))
        return false;
    if (info->route == Route::ActiveView) {
        DocumentWindow* w = tabs_->activeWindow();
        return w && w->isCommandEnabled(id);
    }
    if (info->kind == CommandKind::SubMenu)
        return true;
    const auto it = handlers_.find(id);
    if (it == handlers_.end())
        return false; // its subsystem has not plugged in yet
    return !it->second.enabled || it->second.enabled();
}

bool CMainFrame::isChecked(int id) const
{
    const CommandInfo* info = findCommand(id);
    if (info && info->route == Route::ActiveView) {
        DocumentWindow* w = tabs_->activeWindow();
        return w && w->isCommandChecked(id);
    }
    const auto it = handlers_.find(id);
    return it != handlers_.end() && it->second.checked && it->second.checked();
}

void CMainFrame::updateCommandStates()
{
    for (auto& [id, a] : actions_) {
        const bool enabled = isEnabled(id);
        if (a->isEnabled() != enabled)
            a->setEnabled(enabled);
        if (a->isCheckable()) {
            const bool checked = isChecked(id);
            if (a->isChecked() != checked)
                a->setChecked(checked);
        }
    }
    for (QAction* a : recentActions_)
        a->setEnabled(true);
}

bool CMainFrame::runCommand(int id)
{
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) {
        app_.lifecycle().openRecent(id - ID_FILE_MRU_FILE1);
        updateCommandStates();
        return true;
    }
    if (!isEnabled(id))
        return false;
    onCommand(id);
    return true;
}

void CMainFrame::onCommand(int id)
{
    if (!isEnabled(id)) {
        updateCommandStates();
        return;
    }
    const CommandInfo* info = findCommand(id);
    if (info && info->route == Route::ActiveView) {
        if (DocumentWindow* w = tabs_->activeWindow())
            w->handleCommand(id);
    } else if (const auto it = handlers_.find(id); it != handlers_.end() && it->second.run) {
        it->second.run();
    }
    updateCommandStates();
}

void CMainFrame::togglePane(PaneId id)
{
    QDockWidget* dock = panes_.at(id);
    dock->setVisible(dock->isHidden());
    updateCommandStates();
}

void CMainFrame::applyTabLocation()
{
    const bool top = read(app_.settings(), keys::LocationTop) == 1;
    tabs_->setTabsAtTop(top);
    // The item names the side the tabs would move to.
    action(ID_TAB_LOCATION)
        ->setText(top ? QStringLiteral("タブを下部に表示(&L)")
                      : QStringLiteral("タブを上部に表示(&L)"));
}

void CMainFrame::toggleGuide()
{
    app_.dspGuide = !app_.dspGuide;
    QString text = QString::fromUtf8(catalogueText(msg::kGuideShown));
    if (!app_.dspGuide)
        text.replace(QStringLiteral("する"), QStringLiteral("しない"));
    status_->setGuide(text);
    guideTimer_.start(1000);
}

void CMainFrame::toggleFullScreen()
{
    if (isFullScreen()) {
        showNormal();
        showMaximized();
    } else {
        showFullScreen();
    }
}

void CMainFrame::showHelp()
{
    const QString name =
        QString::fromUtf8(catalogueText(msg::kManualName)) + QStringLiteral(".pdf");
    const QString path = QCoreApplication::applicationDirPath() + QChar('/') + name;
    if (!QFileInfo::exists(path)) {
        showMessage(app_.messages(), msg::kManualMissing, {}, style::information);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void CMainFrame::newProject()
{
    CNewDlg dlg(app_.settings(), app_.messages(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    app_.lifecycle().createProject(dlg.folder(), dlg.name());
}

void CMainFrame::openProjectCommand()
{
    const QString chosen = askProjectFile();
    if (chosen.isEmpty())
        return;
    app_.lifecycle().openProject(pathFromQString(chosen), true);
}

void CMainFrame::recentKanri()
{
    CRecentDlg dlg(app_.lifecycle().recent(), app_.messages(), this);
    dlg.changed = [this] { recentListChanged(); };
    dlg.exec();
}

void CMainFrame::customiseRibbon()
{
    CRibbonCustomDlg dlg(ribbon_->quickAccess(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    quickaccess::store(app_.settings(), dlg.chosen());
    ribbon_->setQuickAccess(dlg.chosen());
}

std::unique_ptr<QMenu> CMainFrame::buildTabMenu(DocumentWindow* window)
{
    if (window)
        tabs_->activate(window);
    menuWindow_ = window;
    updateCommandStates();
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("tabMenu"));
    DocumentWindow* active = tabs_->activeWindow();
    const int windowCount = int(tabs_->windows().size());
    const bool chart = active && active->kind() == DocumentWindow::Kind::Chart;
    const bool unsaved = active && !chart && active->isModified();

    auto add = [&](int id) {
        QAction* a = menu->addAction(action(id)->text());
        a->setObjectName(action(id)->objectName());
        a->setData(id);
        a->setEnabled(action(id)->isEnabled());
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    };
    if (!chart && unsaved)
        add(ID_TAB_SAVE);
    if (!chart && unsaved && windowCount >= 2)
        add(ID_ALL_DOC_SAVE);
    add(ID_TAB_CLOSE);
    if (!chart && windowCount >= 2) {
        add(ID_TAB_CLOSE_OTHERS);
        add(ID_TAB_CLOSE_ALL);
    }
    menu->addSeparator();
    addAllowedTabGroupCommands(add);
    menu->addSeparator();
    add(ID_TAB_LOCATION);
    // The save-all item of the tab menu has its own wording.
    for (QAction* a : menu->actions())
        if (a->data().toInt() == ID_ALL_DOC_SAVE)
            a->setText(QStringLiteral("すべてのタブを上書き保存(&T)"));
    return menu;
}

void CMainFrame::addAllowedTabGroupCommands(const std::function<void(int)>& add) const
{
    if (tabs_->canNewGroup(Qt::Vertical))
        add(ID_MDI_NEW_HORZ_GROUP);
    if (tabs_->canNewGroup(Qt::Horizontal))
        add(ID_MDI_NEW_VERT_GROUP);
    if (tabs_->canMoveToNextGroup())
        add(ID_MDI_MOVE_TO_NEXT_GROUP);
    if (tabs_->canMoveToPreviousGroup())
        add(ID_MDI_MOVE_TO_PREV_GROUP);
}

std::unique_ptr<QMenu> CMainFrame::buildTabDropMenu(DocumentWindow* window)
{
    if (window)
        tabs_->activate(window);
    updateCommandStates();
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("tabDropMenu"));
    auto add = [&](int id) {
        QAction* a = menu->addAction(action(id)->text());
        a->setData(id);
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    };
    addAllowedTabGroupCommands(add);
    menu->addSeparator();
    add(ID_MDI_CANCEL);
    return menu;
}

void CMainFrame::closeWindowsAfterConfirmation(DocumentWindow* keep)
{
    const std::optional<std::vector<std::string>> doNotSave =
        app_.lifecycle().confirmDocumentSaves();
    if (!doNotSave)
        return;
    for (DocumentWindow* w : tabs_->windows()) {
        if (w == keep)
            continue;
        if (contains(*doNotSave, w->documentPath()))
            w->discardChangesOnClose();
        else
            w->saveChangesOnClose();
        closeDocumentWindow(w);
    }
}

void CMainFrame::onWindowsMovedBetweenGroups()
{
    // Text views lay themselves out for their new size; the new arrangement belongs to the
    // project, so the project counts as changed.
    for (DocumentWindow* w : tabs_->windows()) {
        if (w->kind() == DocumentWindow::Kind::Text) {
            w->relayout();
            if (app_.data().isOpen())
                app_.data().modified = true;
        }
    }
    updateCommandStates();
}

void CMainFrame::addDocumentWindow(DocumentWindow* window)
{
    tabs_->addWindow(window);
    connect(window, &DocumentWindow::stateChanged, this, [this] { updateCommandStates(); });
    updateCommandStates();
}

void CMainFrame::removeWindow(DocumentWindow* window)
{
    tabs_->removeWindow(window);
    updateCommandStates();
}

bool CMainFrame::closeDocumentWindow(DocumentWindow* window)
{
    if (!window || !window->prepareClose())
        return false;
    const bool chart = window->kind() == DocumentWindow::Kind::Chart;
    removeWindow(window);
    if (chart && !closingWindowsForProject_ && app_.hasLifecycle())
        app_.lifecycle().chartWindowClosed();
    else if (chart)
        app_.data().chartShown = false;
    return true;
}

DocumentWindow* CMainFrame::chartWindow() const
{
    for (DocumentWindow* w : tabs_->windows())
        if (w->kind() == DocumentWindow::Kind::Chart)
            return w;
    return nullptr;
}

void CMainFrame::openAtStart(const std::string& path)
{
    if (!path.empty())
        app_.lifecycle().openProject(path, false);
    updateCommandStates();
}

void CMainFrame::showFirstDialogIfAsked()
{
    if (app_.data().isOpen() || read(app_.settings(), keys::FirstDsp) != 1)
        return;
    CFirstDlg dlg(this);
    dlg.exec();
    if (dlg.dontShowAgain())
        write(app_.settings(), keys::FirstDsp, 0);
}

// --- LifecycleHooks ---------------------------------------------------------------------------

void CMainFrame::rebuildDocumentList(bool newProject)
{
    for (LifecycleHooks* h : paneHooks_)
        h->rebuildDocumentList(newProject);
}
void CMainFrame::closeDocumentList()
{
    for (LifecycleHooks* h : paneHooks_)
        h->closeDocumentList();
}
void CMainFrame::rebuildSubjectList()
{
    for (LifecycleHooks* h : paneHooks_)
        h->rebuildSubjectList();
}
void CMainFrame::closeSubjectList()
{
    for (LifecycleHooks* h : paneHooks_)
        h->closeSubjectList();
}
void CMainFrame::refreshSearchPane(int target, const std::string& repDicSjis)
{
    for (LifecycleHooks* h : paneHooks_)
        h->refreshSearchPane(target, repDicSjis);
}

void CMainFrame::showBookmarkButtons(const std::array<bool, 4>& set)
{
    for (int i = 0; i < 4; ++i) {
        action(ID_SET_PIN1 + i)->setIcon(setPinIcon(i, set[std::size_t(i)]));
        action(ID_DSP_PIN1 + i)->setIcon(bookmarkIcon(i, set[std::size_t(i)]));
    }
    for (LifecycleHooks* h : paneHooks_)
        h->showBookmarkButtons(set);
}

void CMainFrame::restartCaretTimer(int intervalMs)
{
    if (caretTimer_.isActive() && intervalMs > 0)
        caretTimer_.start(intervalMs);
}

void CMainFrame::setWindowTitle(const std::string& titleUtf8)
{
    QMainWindow::setWindowTitle(QString::fromUtf8(titleUtf8.c_str()));
    updateCommandStates();
}

void CMainFrame::recentListChanged()
{
    for (QAction* a : recentActions_)
        a->deleteLater();
    recentActions_.clear();
    if (!app_.hasLifecycle())
        return;
    const std::vector<std::string> entries = app_.lifecycle().recent().entries();
    for (int i = 0; i < int(entries.size()) && i < 10; ++i) {
        const QString label =
            QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(pathToQString(entries[std::size_t(i)]));
        auto* a = new QAction(label, this);
        a->setData(ID_FILE_MRU_FILE1 + i);
        a->setObjectName(QStringLiteral("recent%1").arg(i + 1));
        const int id = ID_FILE_MRU_FILE1 + i;
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        recentActions_.append(a);
    }
    ribbon_->setRecentEntries(recentActions_);
}

bool CMainFrame::openDocument(const std::string& fullPath)
{
    for (DocumentWindow* w : tabs_->windows()) {
        if (w->kind() == DocumentWindow::Kind::Text && w->documentPath() == fullPath) {
            tabs_->activate(w);
            return true;
        }
    }
    if (!textFactory_)
        return false;
    DocumentWindow* w = textFactory_(fullPath);
    if (!w)
        return false;
    addDocumentWindow(w);
    return true;
}

std::vector<std::string> CMainFrame::changedDocuments() const
{
    std::vector<std::string> out;
    for (DocumentWindow* w : tabs_->windows())
        if (w->kind() == DocumentWindow::Kind::Text && w->isModified())
            out.push_back(w->documentPath());
    return out;
}

SaveConfirmation CMainFrame::askWhichDocumentsToSave(const std::vector<std::string>& paths)
{
    CCloseDlg dlg(paths, this);
    SaveConfirmation answer;
    if (dlg.exec() != QDialog::Accepted) {
        answer.cancelled = true;
        return answer;
    }
    answer.doNotSave = dlg.uncheckedPaths();
    return answer;
}

bool CMainFrame::saveDocument(const std::string& fullPath)
{
    for (DocumentWindow* w : tabs_->windows())
        if (w->kind() == DocumentWindow::Kind::Text && w->documentPath() == fullPath)
            return w->saveDocument();
    return true;
}

void CMainFrame::closeAllDocumentWindows(const std::vector<std::string>& doNotSave)
{
    closingWindowsForProject_ = true;
    const QList<DocumentWindow*> all = tabs_->windows();
    // Text views first, then the chart view.
    for (DocumentWindow* w : all) {
        if (w->kind() != DocumentWindow::Kind::Text)
            continue;
        if (contains(doNotSave, w->documentPath()))
            w->discardChangesOnClose();
        else
            w->saveChangesOnClose();
        // The project close saved every kept document before it came here, so a refusal now
        // means the view changed in between; there is no way back once the tables go.
        if (!w->prepareClose())
            qWarning("Text view closed with the project although it refused to close");
        removeWindow(w);
    }
    for (DocumentWindow* w : tabs_->windows()) {
        w->prepareClose();
        removeWindow(w);
    }
    app_.data().chartShown = false;
    closingWindowsForProject_ = false;
}

bool CMainFrame::openChartWindow()
{
    if (DocumentWindow* existing = chartWindow()) {
        tabs_->activate(existing);
        return true;
    }
    DocumentWindow* w = chartFactory_ ? chartFactory_() : nullptr;
    if (!w)
        return false;
    addDocumentWindow(w);
    if (read(app_.settings(), keys::NewGroup) == 1)
        tabs_->newGroup(Qt::Horizontal);
    return true;
}

void CMainFrame::closeChartWindow()
{
    if (DocumentWindow* w = chartWindow()) {
        closingWindowsForProject_ = true;
        closeDocumentWindow(w);
        closingWindowsForProject_ = false;
    }
}

// --- ViewQueries ------------------------------------------------------------------------------

ActiveView CMainFrame::activeView() const
{
    ActiveView v;
    DocumentWindow* w = tabs_->activeWindow();
    if (!w)
        return v;
    if (w->kind() == DocumentWindow::Kind::Chart) {
        v.kind = ActiveView::Kind::Chart;
        return v;
    }
    v.kind = ActiveView::Kind::Text;
    // A disk path as the document path conversion takes it (UTF-8, not the records' Shift-JIS).
    v.fullPath = w->documentPath() + (w->isModified() ? "*" : "");
    v.caretByte = w->caretByte();
    return v;
}

bool CMainFrame::isDocumentOpen(SjisView relativePath) const
{
    const std::optional<std::string> disk =
        docpath::toDiskPath(app_.data().docFolder(), relativePath);
    if (!disk)
        return false;
    for (DocumentWindow* w : tabs_->windows())
        if (w->kind() == DocumentWindow::Kind::Text && w->documentPath() == *disk)
            return true;
    return false;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Closing the frame closes the project first; a cancelled close keeps everything running.
    if (app_.hasLifecycle() && !app_.lifecycle().closeProject(true)) {
        event->ignore();
        return;
    }
    savePaneLayout();
    event->accept();
}

} // namespace corvane
