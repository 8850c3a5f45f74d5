#include "app/CFirstDlg.h"

#include "app/RibbonIcons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

CFirstDlg::CFirstDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Corvane"));
    setObjectName(QStringLiteral("CFirstDlg"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(20, 16, 20, 12);
    v->setSpacing(6);
    auto* head = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(40, 40));
    head->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* first = new QLabel(QStringLiteral("まだ、プロジェクトが開かれていません。"), this);
    QFont bold = first->font();
    bold.setBold(true);
    first->setFont(bold);
    texts->addWidget(first);
    texts->addSpacing(6);
    texts->addWidget(new QLabel(
        QStringLiteral("「新規作成」をクリックして、新しいプロジェクトを作成するか"), this));
    texts->addWidget(new QLabel(
        QStringLiteral("「開く」をクリックして、既存のプロジェクトを開いてください。"), this));
    texts->addSpacing(8);
    // On this platform the project commands are in the ribbon's application button, which
    // stands where the system menu icon stood.
    auto* hint = new QLabel(
        QStringLiteral("左上角のアイコンをクリックしてシステムメニューを表示し") +
            QStringLiteral("\n（左上の「ファイル」ボタンから「新規作成」「開く」を選べます。）"),
        this);
    hint->setStyleSheet(QStringLiteral("color: #555;"));
    texts->addWidget(hint);
    head->addLayout(texts, 1);
    v->addLayout(head);
    v->addSpacing(10);

    auto* bottom = new QHBoxLayout;
    dontShow_ = new QCheckBox(QStringLiteral("起動時、このメッセージを表示しない。"), this);
    bottom->addWidget(dontShow_);
    bottom->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK(&Y)"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(ok);
    v->addLayout(bottom);
}

bool CFirstDlg::dontShowAgain() const
{
    return dontShow_->isChecked();
}

} // namespace corvane
