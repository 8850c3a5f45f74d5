#include "panes/ui/CMarkerWnd.h"

#include "base/Codec.h"
#include "base/Sjis.h"
#include "base/qt/QtText.h"
#include "panes/ui/CMarkerColourButton.h"
#include "panes/ui/CMarkerList.h"
#include "res/ui/CommandIds.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace corvane {

using namespace cmd;

CMarkerWnd::CMarkerWnd(ProjectData& project, Services& services, QWidget* parent)
    : QWidget(parent), p_(project), s_(services)
{
    setObjectName(QStringLiteral("CMarkerWnd"));
    auto* targetLabel = new QLabel(QStringLiteral("表示対象："), this);
    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("markerTarget"));
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(8);
    auto* colourLabel = new QLabel(QStringLiteral("マーカ色："), this);
    colourButton_ = new CMarkerColourButton(services.colours, this);
    colourButton_->setMinimumWidth(colourLabel->sizeHint().width() * 3 / 2);
    colourText_ = new QLabel(this);
    colourText_->setObjectName(QStringLiteral("markerColourText"));
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("markerToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    list_ = new CMarkerList(project, services, this);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(5, 4, 2, 0);
    grid->setHorizontalSpacing(5);
    grid->addWidget(targetLabel, 0, 0);
    grid->addWidget(combo_, 0, 1, 1, 2);
    grid->addWidget(colourLabel, 1, 0);
    grid->addWidget(colourButton_, 1, 1);
    grid->addWidget(colourText_, 1, 2);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(grid);
    layout->addWidget(toolBar_);
    layout->addWidget(list_, 1);

    const struct
    {
        int id;
        QStyle::StandardPixmap icon;
        const char* tip;
    } buttons[] = {
        {ID_MARKERLIST_SHOW, QStyle::SP_DialogApplyButton, "選択行のマーカ位置表示"},
        {ID_MARKERLIST_NEXT, QStyle::SP_ArrowDown, "下の行のマーカ位置表示 (D)"},
        {ID_MARKERLIST_PREV, QStyle::SP_ArrowUp, "上の行のマーカ位置表示 (U)"},
        {ID_MARKERLIST_DELETE, QStyle::SP_TrashIcon, "このマーカを削除 (Delete)"},
        {ID_VIEW_REFRESH, QStyle::SP_BrowserReload, "最新の情報に更新 (F5)"},
    };
    for (const auto& b : buttons) {
        QAction* a = toolBar_->addAction(style()->standardIcon(b.icon), QString::fromUtf8(b.tip));
        a->setData(b.id);
        connect(a, &QAction::triggered, this, [this, id = b.id] { list_->runCommand(id); });
    }

    connect(combo_, &QComboBox::activated, this, &CMarkerWnd::chooseTarget);
    connect(colourButton_, &CMarkerColourButton::colourChosen, this, [this](qint64 colour) {
        setColourFilter(colour < 0 ? MarkerColourFilter{} : MarkerColourFilter{Colour(colour)});
    });
    connect(list_, &CMarkerList::commandStatesChanged, this, &CMarkerWnd::updateToolBar);
    list_->markerDropped = [this](Colour colour) { setColourFilter(colour); };

    // The filter the user left last time; an empty target lists nothing until one is chosen.
    const MarkerColourFilter stored = list_->model().colourFilter();
    colourButton_->setColour(stored);
    colourText_->setText(stored ? QStringLiteral("RGB(%1, %2, %3)")
                                      .arg(colourRed(*stored))
                                      .arg(colourGreen(*stored))
                                      .arg(colourBlue(*stored))
                                : QString());
    updateTargetItems();
    updateToolBar();
}

void CMarkerWnd::setColourFilter(MarkerColourFilter colour)
{
    list_->model().setColourFilter(colour);
    colourButton_->setColour(colour);
    colourText_->setText(colour ? QStringLiteral("RGB(%1, %2, %3)")
                                      .arg(colourRed(*colour))
                                      .arg(colourGreen(*colour))
                                      .arg(colourBlue(*colour))
                                : QString());
}

void CMarkerWnd::chooseTarget(int index)
{
    if (!p_.isOpen() || index < 0 || index >= int(items_.size()))
        return;
    const SjisString& item = items_[std::size_t(index)];
    list_->model().setTarget(markerTargetOfItem(index, item));
    list_->rebuild(true, item);
}

void CMarkerWnd::showMarkersOfCurrentDocument()
{
    if (showPane)
        showPane();
    combo_->setCurrentIndex(2);
    list_->model().setTarget({MarkerTarget::Kind::Current, {}});
    setColourFilter(std::nullopt);
    list_->rebuild();
}

void CMarkerWnd::rebuildMarkerList()
{
    updateTargetItems();
    list_->rebuild();
}

void CMarkerWnd::documentFoldersChanged()
{
    // Deleting or renaming documents changes the markers' records too.
    rebuildMarkerList();
}

void CMarkerWnd::showMarkerColourInList(Colour colour)
{
    if (showPane)
        showPane();
    setColourFilter(colour);
}

std::vector<SjisString> CMarkerWnd::topLevelFolders() const
{
    std::vector<SjisString> folders;
    if (!p_.isOpen())
        return folders;
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(p_.docFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_directory(typeError) || it->is_symlink(typeError))
            continue;
        const codec::Encoded name = codec::fromUtf8(it->path().filename().string());
        if (name.complete())
            folders.push_back(name.text);
    }
    // The document list's order among siblings: ASCII case folded, then bytes.
    std::sort(folders.begin(), folders.end(), [](const SjisString& a, const SjisString& b) {
        return sjis::toUpperAscii(a) < sjis::toUpperAscii(b);
    });
    return folders;
}

void CMarkerWnd::updateTargetItems()
{
    std::vector<SjisString> items = markerTargetItems(topLevelFolders());
    if (items == items_)
        return;
    const int chosen = combo_->currentIndex();
    const SjisString chosenText =
        chosen >= 0 && chosen < int(items_.size()) ? items_[std::size_t(chosen)] : SjisString();
    items_ = std::move(items);
    const QSignalBlocker block(combo_);
    combo_->clear();
    for (const SjisString& item : items_)
        combo_->addItem(toQString(item));
    const auto again = std::find(items_.begin(), items_.end(), chosenText);
    combo_->setCurrentIndex(chosen < 0 || again == items_.end() ? -1 : int(again - items_.begin()));
}

void CMarkerWnd::updateToolBar()
{
    for (QAction* a : toolBar_->actions())
        a->setEnabled(list_->isCommandEnabled(a->data().toInt()));
}

} // namespace corvane
