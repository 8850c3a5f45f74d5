#include "app/CCloseDlg.h"

#include "base/qt/QtText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane {

CCloseDlg::CCloseDlg(const std::vector<std::string>& paths, QWidget* parent)
    : QDialog(parent), paths_(paths)
{
    setWindowTitle(QStringLiteral("終了時の保存確認"));
    setObjectName(QStringLiteral("CCloseDlg"));
    auto* v = new QVBoxLayout(this);
    table_ = new QTableWidget(int(paths.size()), 2, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("パス")});
    table_->setColumnWidth(0, 60);
    table_->setColumnWidth(1, 450);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setMinimumSize(540, 220);
    for (int row = 0; row < int(paths.size()); ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        number->setCheckState(Qt::Checked);
        table_->setItem(row, 0, number);
        table_->setItem(row, 1, new QTableWidgetItem(pathToQString(paths[std::size_t(row)])));
    }
    v->addWidget(table_);
    auto* note = new QLabel(
        QStringLiteral(
            "※ チェックを外した文献は保存されません。\n"
            "※ マーカのある文献は更新されていてもこのリストには表示されずに保存されます。"),
        this);
    note->setStyleSheet(QStringLiteral("color: #555;"));
    v->addWidget(note);
    auto* buttons = new QHBoxLayout;
    uncheckAll_ = new QPushButton(QStringLiteral("すべてのチェックを外す(&A)"), this);
    close_ = new QPushButton(QStringLiteral("終了(&S)"), this);
    cancel_ = new QPushButton(QStringLiteral("終了キャンセル(&C)"), this);
    close_->setDefault(true);
    buttons->addWidget(uncheckAll_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    buttons->addWidget(cancel_);
    v->addLayout(buttons);

    connect(uncheckAll_, &QPushButton::clicked, this, [this] {
        for (int row = 0; row < table_->rowCount(); ++row)
            table_->item(row, 0)->setCheckState(Qt::Unchecked);
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<std::string> CCloseDlg::uncheckedPaths() const
{
    std::vector<std::string> out;
    for (int row = 0; row < table_->rowCount(); ++row)
        if (table_->item(row, 0)->checkState() != Qt::Checked)
            out.push_back(paths_[std::size_t(row)]);
    return out;
}

} // namespace corvane
