#include "subjects/ui/CSubjectWnd.h"

#include "base/Check.h"
#include "base/qt/QtText.h"
#include "model/FixedText.h"
#include "model/LinkOps.h"
#include "model/LinkTable.h"
#include "model/MarkerOps.h"
#include "model/ObjectTable.h"
#include "res/ui/CommandIds.h"
#include "subjects/BatchAdd.h"
#include "subjects/LinkTargets.h"
#include "subjects/SubjectGroups.h"
#include "subjects/SubjectOps.h"
#include "subjects/SubjectStateFile.h"
#include "subjects/ui/CBatchHelpDlg.h"
#include "subjects/ui/CLinkListDlg.h"
#include "subjects/ui/CMySubjectCtrl.h"
#include "subjects/ui/CSubjectDlg.h"
#include "subjects/ui/CSubjectToolBar.h"
#include "subjects/ui/LinkIcons.h"

#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace corvane {

using namespace cmd;

namespace {

constexpr int kMenuTargets = 10;
constexpr int kLinkMenuOffset = 64; ///< the toolbar's link menu opens this far from its left

/// A record text as a menu label: "&" would otherwise be taken for a mnemonic.
QString menuText(SjisView text)
{
    return toQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

CSubjectWnd::CSubjectWnd(ProjectData& project, Services& services, QWidget* parent)
    : QWidget(parent), p_(project), s_(services), toolBar_(new CSubjectToolBar(this)),
      grid_(new CMySubjectCtrl(this))
{
    QWidget::setWindowTitle(QStringLiteral("題名リスト"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(grid_, 1);

    runSubjectDialog = [](CSubjectDlg& d) { return d.exec() == QDialog::Accepted; };
    runLinkListDialog = [](CLinkListDlg& d) { d.exec(); };
    runMenu = [](QMenu& m, const QPoint& at) { m.exec(at); };
    clipboardText = []() -> std::optional<SjisString> {
        const QString text = QApplication::clipboard()->text();
        if (text.isEmpty())
            return std::nullopt;
        return toSjis(text);
    };
    showTarget = [this](int index) {
        // The link list has just found the index from the link's object ID.
        CV_CHECK(index >= 0 && index < p_.objectCount, return );
        // A marker's links lead to sub-subjects too: those are shown as their row here (and
        // their node in the chart when it is shown).
        if (p_.objects[index].type == ObjectType::SubSubject) {
            const ObjectId id = p_.objects[index].id;
            grid_->selectObject(id);
            if (showInChart)
                showInChart(id);
            return;
        }
        MarkerOps(p_, s_).showMarker(index, true);
    };

    connect(toolBar_->addAction_, &QAction::triggered, this,
            [this] { runCommand(ID_SUBJECT_ADD); });
    connect(toolBar_->changeAction, &QAction::triggered, this,
            [this] { runCommand(ID_SUBJECT_CHANGE); });
    connect(toolBar_->deleteAction, &QAction::triggered, this,
            [this] { runCommand(ID_SUBJECT_DELETE); });
    connect(toolBar_->helpAction, &QAction::triggered, this,
            [this] { runCommand(ID_SUBJECT_BATCH_HELP); });
    connect(toolBar_->linkAction, &QAction::triggered, this,
            [this] { runCommand(ID_SUBJECT_LINK_MENU); });

    connect(grid_, &CMySubjectCtrl::editRequested, this, [this] { runCommand(ID_SUBJECT_CHANGE); });
    connect(grid_, &CMySubjectCtrl::pasteRequested, this,
            [this] { runCommand(ID_SUBJECT_BATCH_ADD); });
    connect(grid_, &CMySubjectCtrl::refreshRequested, this, [this] { rebuild(); });
    connect(grid_, &CMySubjectCtrl::objectDropped, this, &CSubjectWnd::onObjectDropped);
    connect(grid_, &CMySubjectCtrl::contextMenuRequested, this,
            [this](SubjectMenuKind kind, const QPoint& at) {
                if (std::unique_ptr<QMenu> menu = buildContextMenu(kind))
                    runMenu(*menu, at);
            });
    connect(grid_->tree(), &QTreeWidget::currentItemChanged, this, [this] { updateToolBar(); });
    rebuild();
}

CSubjectWnd::~CSubjectWnd() = default;

void CSubjectWnd::rebuild()
{
    std::array<Colour, 7> colours{};
    for (int i = 0; i < 7; ++i)
        colours[std::size_t(i)] = subjectColour(s_.settings, SubjectColour(i));
    grid_->setColours(colours);
    QWidget::setWindowTitle(QStringLiteral("題名リスト"));
    if (!p_.isOpen()) {
        grid_->clearRows();
        grid_->setEmptyHelpShown(false);
        builtForProject_ = false;
        updateToolBar();
        return;
    }
    std::vector<SubjectGroup> groups = buildSubjectGroups(p_);
    if (builtForProject_) {
        // Within a session the grid's own state is the newest: a group keeps it by its title.
        std::map<SjisString, bool> expanded;
        for (const SubjectGroup& g : grid_->groupStates())
            expanded.emplace(g.mainTitle, g.expanded);
        for (SubjectGroup& g : groups)
            if (const auto it = expanded.find(g.mainTitle); it != expanded.end())
                g.expanded = it->second;
    } else {
        restoreSubjectState(groups, subjectStatePath(p_));
    }
    const std::optional<ObjectId> selected = grid_->selectedObjectId();
    grid_->setGroups(groups);
    if (selected)
        grid_->selectObject(*selected);
    grid_->setEmptyHelpShown(groups.empty());
    builtForProject_ = true;
    updateToolBar();
}

void CSubjectWnd::rebuildSubjectList()
{
    builtForProject_ = false;
    rebuild();
}

void CSubjectWnd::closeSubjectList()
{
    if (p_.isOpen() && builtForProject_ &&
        !writeSubjectState(grid_->groupStates(), subjectStatePath(p_)))
        qWarning() << "subject list state not written:" << pathToQString(subjectStatePath(p_));
    builtForProject_ = false;
    grid_->clearRows();
    grid_->setEmptyHelpShown(false);
    updateToolBar();
}

void CSubjectWnd::updateLinkMark(ObjectId subSubject)
{
    grid_->setLinkMark(subSubject, countLinksOfObject(p_, subSubject) > 0);
    updateToolBar();
}

void CSubjectWnd::showLinksOfObject(ObjectId id)
{
    if (findObjectIndex(p_, id) < 0)
        return; // deleted since
    openLinkList(id);
}

void CSubjectWnd::changed()
{
    rebuild();
}

bool CSubjectWnd::isCommandEnabled(int id) const
{
    if (!p_.isOpen())
        return false;
    const std::optional<ObjectId> selected = grid_->selectedObjectId();
    switch (id) {
    case ID_SUBJECT_CHANGE:
    case ID_SUBJECT_DELETE:
        return selected.has_value();
    case ID_SUBJECT_LINK_MENU:
        return selected && countLinksOfObject(p_, *selected) > 0;
    case ID_MAIN_SUBJECT_DELETE:
        return grid_->selectedIsGroup();
    case ID_SUBJECT_DELETE_ALL:
        return grid_->groupCount() > 0;
    case ID_SUBJECT_EXCEL:
        return grid_->groupCount() > 0 && static_cast<bool>(exportToSpreadsheet);
    case ID_SHOW_NODE_CENTRE:
        return selected && static_cast<bool>(showInChart);
    default:
        return true;
    }
}

bool CSubjectWnd::runCommand(int id)
{
    if (!isCommandEnabled(id))
        return false;
    switch (id) {
    case ID_SUBJECT_ADD:
        addSubject(lastMenuKind_ == SubjectMenuKind::MainSubject
                       ? grid_->selectedMainTitle().value_or(SjisString())
                       : SjisString());
        break;
    case ID_SUBJECT_CHANGE:
        changeSubject();
        break;
    case ID_SUBJECT_DELETE:
        deleteSubject();
        break;
    case ID_MAIN_SUBJECT_DELETE:
        deleteMainSubject();
        break;
    case ID_SUBJECT_DELETE_ALL:
        deleteAll();
        break;
    case ID_SUBJECT_BATCH_ADD:
        batchAdd();
        break;
    case ID_SUBJECT_BATCH_HELP:
        showBatchHelp();
        break;
    case ID_SUBJECT_EXCEL:
        exportToSpreadsheet();
        break;
    case ID_SUBJECT_TEXT_COLOUR:
        chooseColour(textColourFor(lastMenuKind_));
        break;
    case ID_SUBJECT_BACK_COLOUR:
        chooseColour(backgroundColourFor(lastMenuKind_));
        break;
    case ID_SUBJECT_LINE_COLOUR:
        chooseColour(SubjectColour::Lines);
        break;
    case ID_SUBJECT_LINK_MENU:
        showLinkTargetMenu();
        break;
    case ID_SHOW_NODE_CENTRE:
        showInChart(*grid_->selectedObjectId());
        break;
    case ID_VIEW_REFRESH:
        rebuild();
        break;
    default:
        return false;
    }
    return true;
}

void CSubjectWnd::addSubject(const SjisString& presetMainTitle)
{
    SubjectOps ops(p_, s_);
    if (!ops.canAddOne())
        return;
    CSubjectDlg dialog(s_.messages, distinctMainTitles(p_), presetMainTitle, {}, this);
    if (!runSubjectDialog(dialog))
        return;
    const int index = ops.add(dialog.mainTitle(), dialog.title());
    if (index < 0)
        return;
    const ObjectId id = p_.objects[index].id;
    changed();
    grid_->selectObject(id);
}

void CSubjectWnd::changeSubject()
{
    const std::optional<ObjectId> id = grid_->selectedObjectId();
    const int index = id ? findObjectIndex(p_, *id) : -1;
    if (index < 0)
        return;
    const ObjectRecord& r = p_.objects[index];
    CSubjectDlg dialog(s_.messages, distinctMainTitles(p_), fixedText(r.firstText),
                       fixedText(r.secondText), this);
    if (!runSubjectDialog(dialog))
        return;
    if (SubjectOps(p_, s_).changeTitles(*id, dialog.mainTitle(), dialog.title())) {
        changed();
        grid_->selectObject(*id);
    }
}

void CSubjectWnd::deleteSubject()
{
    if (const std::optional<ObjectId> id = grid_->selectedObjectId())
        if (SubjectOps(p_, s_).deleteSubSubject(*id))
            changed();
}

void CSubjectWnd::deleteMainSubject()
{
    if (const std::optional<SjisString> title = grid_->selectedMainTitle())
        if (SubjectOps(p_, s_).deleteMainSubject(*title))
            changed();
}

void CSubjectWnd::deleteAll()
{
    if (SubjectOps(p_, s_).deleteAll())
        changed();
}

void CSubjectWnd::batchAdd()
{
    const std::optional<SjisString> text = clipboardText();
    if (BatchAdd(p_, s_).run(text) > 0)
        changed();
}

void CSubjectWnd::showBatchHelp()
{
    CBatchHelpDlg dialog(this);
    dialog.exec();
}

void CSubjectWnd::chooseColour(std::optional<SubjectColour> which)
{
    if (!which)
        return;
    const std::optional<Colour> chosen =
        s_.colours.chooseColour(subjectColour(s_.settings, *which));
    if (!chosen)
        return;
    setSubjectColour(s_.settings, *which, *chosen);
    rebuild();
}

void CSubjectWnd::fillLinkTargetMenu(QMenu& menu, ObjectId subSubject)
{
    const std::vector<LinkTarget> targets = buildLinkTargetList(p_, subSubject);
    if (targets.empty()) {
        menu.addAction(QStringLiteral("リンクなし"))->setEnabled(false);
        return;
    }
    for (int k = 0; k < kMenuTargets && k < int(targets.size()); ++k) {
        const LinkTarget& t = targets[std::size_t(k)];
        QAction* a =
            menu.addAction(t.direction == LinkTarget::Direction::To ? linkToIcon() : linkFromIcon(),
                           menuText(numberedTargetText(k + 1, t.text)));
        a->setData(ID_LINK_TARGET_1 + k);
        const int objectIndex = t.objectIndex;
        connect(a, &QAction::triggered, this, [this, objectIndex] { showTarget(objectIndex); });
    }
    menu.addSeparator();
    QAction* all =
        menu.addAction(QStringLiteral("[全%1件]  一覧の表示と管理(&L)").arg(int(targets.size())));
    all->setData(ID_LINK_LIST);
    connect(all, &QAction::triggered, this, [this, subSubject] { openLinkList(subSubject); });
}

void CSubjectWnd::showLinkTargetMenu()
{
    const std::optional<ObjectId> id = grid_->selectedObjectId();
    if (!id)
        return;
    QMenu menu(this);
    fillLinkTargetMenu(menu, *id);
    runMenu(menu, toolBar_->mapToGlobal(QPoint(kLinkMenuOffset, toolBar_->height())));
}

void CSubjectWnd::openLinkList(ObjectId subSubject)
{
    CLinkListDlg dialog(p_, s_, subSubject, showTarget, this);
    runLinkListDialog(dialog);
}

void CSubjectWnd::onObjectDropped(ObjectId dragged, ObjectId subSubject)
{
    const int from = findObjectIndex(p_, dragged);
    const int to = findObjectIndex(p_, subSubject);
    // Only a marker dropped on a row links; a row dropped on a row is no gesture.
    if (from < 0 || to < 0 || p_.objects[from].type != ObjectType::Marker)
        return;
    LinkOps(p_, s_).toggle(from, to);
}

void CSubjectWnd::updateToolBar()
{
    const bool open = p_.isOpen();
    toolBar_->addAction_->setEnabled(open);
    toolBar_->helpAction->setEnabled(true);
    toolBar_->changeAction->setEnabled(isCommandEnabled(ID_SUBJECT_CHANGE));
    toolBar_->deleteAction->setEnabled(isCommandEnabled(ID_SUBJECT_DELETE));
    toolBar_->linkAction->setEnabled(isCommandEnabled(ID_SUBJECT_LINK_MENU));
}

std::unique_ptr<QMenu> CSubjectWnd::buildContextMenu(SubjectMenuKind kind)
{
    if (!p_.isOpen())
        return nullptr;
    lastMenuKind_ = kind;
    auto menu = std::make_unique<QMenu>(this);
    const auto item = [&](int id, const QString& label) {
        QAction* a = menu->addAction(label);
        a->setData(id);
        a->setEnabled(isCommandEnabled(id));
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        return a;
    };
    switch (kind) {
    case SubjectMenuKind::None: {
        item(ID_SUBJECT_ADD, QStringLiteral("題名の追加(&A)"));
        QAction* paste = item(ID_SUBJECT_BATCH_ADD, QStringLiteral("題名の一括追加(&B)\tCtrl+V"));
        paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
        item(ID_SUBJECT_BATCH_HELP, QStringLiteral("※ 題名の一括追加方法(&H)"));
        menu->addSeparator();
        item(ID_SUBJECT_EXCEL, QStringLiteral("Excelへ出力(&E)"));
        menu->addSeparator();
        item(ID_SUBJECT_DELETE_ALL, QStringLiteral("すべての題名の削除(&D)"));
        menu->addSeparator();
        item(ID_VIEW_REFRESH, QStringLiteral("最新の情報に更新(&R)\tF5"));
        break;
    }
    case SubjectMenuKind::MainSubject:
        item(ID_SUBJECT_ADD, QStringLiteral("副題の追加(&A)"));
        item(ID_MAIN_SUBJECT_DELETE, QStringLiteral("削除(&D)"));
        menu->addSeparator();
        item(ID_SUBJECT_TEXT_COLOUR, QStringLiteral("文字色(&T)"));
        item(ID_SUBJECT_BACK_COLOUR, QStringLiteral("背景色(&B)"));
        break;
    case SubjectMenuKind::SubSubject: {
        item(ID_SUBJECT_CHANGE, QStringLiteral("題名の変更(&U)\tWClick"));
        item(ID_SUBJECT_DELETE, QStringLiteral("題名の削除(&D)"));
        menu->addSeparator();
        QMenu* targets = menu->addMenu(QStringLiteral("リンク先の表示と管理(&A)"));
        if (const std::optional<ObjectId> id = grid_->selectedObjectId())
            fillLinkTargetMenu(*targets, *id);
        item(ID_SHOW_NODE_CENTRE, QStringLiteral("副題ノードをチャートビューの中央に表示(&O)"));
        menu->addSeparator();
        item(ID_SUBJECT_TEXT_COLOUR, QStringLiteral("文字色(&M)"));
        item(ID_SUBJECT_BACK_COLOUR, QStringLiteral("背景色(&B)"));
        item(ID_SUBJECT_LINE_COLOUR, QStringLiteral("境界線色(&L)"));
        break;
    }
    case SubjectMenuKind::Description:
        item(ID_SUBJECT_TEXT_COLOUR, QStringLiteral("文字色(&T)"));
        item(ID_SUBJECT_BACK_COLOUR, QStringLiteral("背景色(&B)"));
        break;
    }
    return menu;
}

} // namespace corvane
