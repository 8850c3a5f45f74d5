#include "subjects/ui/CLinkListDlg.h"

#include "base/qt/QtText.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "subjects/ui/LinkIcons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corvane {

CLinkListDlg::CLinkListDlg(ProjectData& project, Services& services, ObjectId subSubject,
                           std::function<void(int)> showTarget, QWidget* parent)
    : QDialog(parent), rows_(project, services, buildLinkTargetList(project, subSubject)),
      showTarget_(std::move(showTarget)), header_(new QLabel(this)), list_(new QTreeWidget(this)),
      show_(new QPushButton(QStringLiteral("リンク表示(&L)"), this)),
      delete_(new QPushButton(QStringLiteral("リンク削除(&D)"), this))
{
    setWindowTitle(QStringLiteral("リンク一覧"));
    SjisString mainTitle, title;
    findObjectTexts(project, subSubject, mainTitle, title);
    header_->setText(QStringLiteral("『") + toQString(mainTitle) + QStringLiteral("』『") +
                     toQString(title) + QStringLiteral("』 からのリンク一覧です。"));
    auto* hint = new QLabel(QStringLiteral("※ リンク(行)選択して「リンク表示」をクリックするか、"
                                           "リンクをWクリックするとリンク先を表示します。"),
                            this);
    hint->setWordWrap(true);

    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("№"), QStringLiteral("リンク先(マーカテキスト)")});
    list_->setColumnWidth(0, 50);
    list_->setColumnWidth(1, 650);
    list_->headerItem()->setTextAlignment(0, Qt::AlignCenter);
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Grid lines through a style sheet; a style sheet also takes over the selected row's colours,
    // so they are given from the palette, inactive ones included (otherwise the row turns white
    // on pale blue, unreadable, whenever another window is active).
    const QPalette pal = list_->palette();
    auto colour = [&pal](QPalette::ColorGroup g, QPalette::ColorRole r) {
        return pal.color(g, r).name();
    };
    list_->setStyleSheet(
        QStringLiteral("QTreeView::item { border-bottom: 1px solid #d0d0d0; "
                       "border-right: 1px solid #d0d0d0; }"
                       "QTreeView::item:selected:active { background: %1; color: %2; }"
                       "QTreeView::item:selected:!active { background: %3; color: %4; }")
            .arg(colour(QPalette::Active, QPalette::Highlight),
                 colour(QPalette::Active, QPalette::HighlightedText),
                 colour(QPalette::Inactive, QPalette::Highlight),
                 colour(QPalette::Inactive, QPalette::HighlightedText)));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { showSelected(); });

    auto* back = new QPushButton(QStringLiteral("戻る(&B)"), this);
    connect(show_, &QPushButton::clicked, this, &CLinkListDlg::showSelected);
    connect(delete_, &QPushButton::clicked, this, &CLinkListDlg::deleteSelected);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(show_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header_);
    layout->addWidget(hint);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(760, 420);
    fill(0);
}

void CLinkListDlg::fill(int selectRow)
{
    list_->clear();
    const auto& rows = rows_.rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* item = new QTreeWidgetItem(
            list_, QStringList{QString::number(i + 1), toQString(rows[i].text)});
        item->setTextAlignment(0, Qt::AlignCenter);
        item->setIcon(0, rows[i].direction == LinkTarget::Direction::To ? linkToIcon()
                                                                        : linkFromIcon());
    }
    const int count = list_->topLevelItemCount();
    if (count > 0)
        list_->setCurrentItem(list_->topLevelItem(std::clamp(selectRow, 0, count - 1)));
    show_->setEnabled(count > 0);
    delete_->setEnabled(count > 0);
}

void CLinkListDlg::showSelected()
{
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    const int index = rows_.objectIndexOf(row);
    if (index >= 0 && showTarget_)
        showTarget_(index);
}

void CLinkListDlg::deleteSelected()
{
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0)
        return;
    const std::size_t before = rows_.rows().size();
    rows_.deleteRow(row);
    if (rows_.rows().size() != before)
        fill(row); // renumbered from 1
}

} // namespace corvane
