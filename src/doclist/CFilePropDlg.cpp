#include "doclist/CFilePropDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corvane {

CFilePropDlg::CFilePropDlg(const QString& documentName,
                           const doclist::DocumentProperties& properties, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("『") + documentName + QStringLiteral("』のプロパティ"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("項目"), QStringLiteral("内容")});
    list_->setRootIsDecorated(false);
    QStringList bookmarks;
    for (int slot : properties.bookmarkSlots)
        bookmarks << QString::number(slot + 1);
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("ファイルパス"), QString::fromStdString(properties.diskPath)},
        {QStringLiteral("ファイルサイズ"), QString::fromStdString(properties.sizeText)},
        {QStringLiteral("リスト登録日"), QString::fromStdString(properties.createdText)},
        {QStringLiteral("マーカ数"), QString::number(properties.markerCount)},
        {QStringLiteral("ブックマーク"), bookmarks.join(QStringLiteral(", "))},
    };
    for (const auto& [item, content] : rows)
        list_->addTopLevelItem(new QTreeWidgetItem(QStringList{item, content}));
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(520, 240);
}

} // namespace corvane
