#include "app/CVersionDlg.h"

#include "app/RibbonIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0.0.0"
#endif

namespace corvane {

CVersionDlg::CVersionDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    setObjectName(QStringLiteral("CVersionDlg"));
    auto* v = new QVBoxLayout(this);
    auto* h = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(48, 48));
    h->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* name = new QLabel(
        QStringLiteral("Corvane  バージョン %1").arg(QStringLiteral(CORVANE_VERSION)), this);
    QFont f = name->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    name->setFont(f);
    texts->addWidget(name);
    texts->addWidget(new QLabel(QStringLiteral("文献精査支援ツール"), this));
    texts->addWidget(new QLabel(QStringLiteral("Copyright (C) Dunmere"), this));
    texts->addWidget(
        new QLabel(QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion())), this));
    h->addLayout(texts, 1);
    v->addLayout(h);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(ok, 0, Qt::AlignRight);
}

} // namespace corvane
