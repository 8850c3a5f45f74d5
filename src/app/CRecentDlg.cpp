#include "app/CRecentDlg.h"

#include "app/RecentProjects.h"
#include "base/qt/QtText.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane {

CRecentDlg::CRecentDlg(RecentProjects& recent, MessageSink& messages, QWidget* parent)
    : QDialog(parent), recent_(recent), messages_(messages)
{
    setWindowTitle(QStringLiteral("最近使ったプロジェクトの管理"));
    setObjectName(QStringLiteral("CRecentDlg"));
    auto* v = new QVBoxLayout(this);
    table_ = new QTableWidget(0, 2, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("パス")});
    table_->setColumnWidth(0, 60);
    table_->setColumnWidth(1, 450);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setShowGrid(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setMinimumSize(540, 260);
    v->addWidget(table_);
    auto* note = new QLabel(QStringLiteral("※ "
                                           "「最近使ったプロジェクト」からのみ削除され、実際のプロ"
                                           "ジェクトファイルは削除されません。\n"
                                           "※ 行をＷクリックするとファイルの場所を表示します。"),
                            this);
    note->setStyleSheet(QStringLiteral("color: #555;"));
    v->addWidget(note);
    auto* buttons = new QHBoxLayout;
    removeChecked_ = new QPushButton(QStringLiteral("チェックのある履歴を削除(&P)"), this);
    removeAll_ = new QPushButton(QStringLiteral("すべての履歴を削除(&A)"), this);
    auto* back = new QPushButton(QStringLiteral("戻る(&B)"), this);
    buttons->addWidget(removeChecked_);
    buttons->addWidget(removeAll_);
    buttons->addStretch(1);
    buttons->addWidget(back);
    v->addLayout(buttons);

    showFolder = [](const QString& folder) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
    connect(removeChecked_, &QPushButton::clicked, this, &CRecentDlg::onRemoveChecked);
    connect(removeAll_, &QPushButton::clicked, this, &CRecentDlg::onRemoveAll);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    connect(table_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { onDoubleClick(row); });
    fill();
}

void CRecentDlg::fill()
{
    const std::vector<std::string> entries = recent_.entries();
    table_->setRowCount(0);
    for (const std::string& path : entries) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        number->setCheckState(Qt::Unchecked);
        table_->setItem(row, 0, number);
        table_->setItem(row, 1, new QTableWidgetItem(pathToQString(path)));
    }
}

void CRecentDlg::onRemoveChecked()
{
    std::vector<int> rows;
    for (int row = 0; row < table_->rowCount(); ++row)
        if (table_->item(row, 0)->checkState() == Qt::Checked)
            rows.push_back(row);
    if (rows.empty())
        return;
    recent_.removeRows(rows);
    // From the last row up, so the rows still to remove keep their numbers.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        table_->removeRow(*it);
    for (int row = 0; row < table_->rowCount(); ++row)
        table_->item(row, 0)->setText(QString::number(row + 1));
    if (changed)
        changed();
}

void CRecentDlg::onRemoveAll()
{
    recent_.clear();
    table_->setRowCount(0);
    if (changed)
        changed();
}

void CRecentDlg::onDoubleClick(int row)
{
    const QString path = table_->item(row, 1)->text();
    const QString folder = QFileInfo(path).absolutePath();
    if (!showFolder(folder))
        showMessage(messages_, msg::kFileManagerFailed, {}, style::error);
}

} // namespace corvane
