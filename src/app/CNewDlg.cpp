#include "app/CNewDlg.h"

#include "app/NewProjectCheck.h"
#include "base/qt/QtText.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString runFolderBrowser(QWidget* parent, const QString& start)
{
    QFileDialog dlg(parent, QStringLiteral("フォルダの指定"), start);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("フォルダを指定してください"));
    dlg.setLabelText(QFileDialog::FileName, QStringLiteral("フォルダ:"));
    dlg.setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
    dlg.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().constFirst();
}

} // namespace

CNewDlg::CNewDlg(const SettingsStore& settings, MessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages)
{
    setWindowTitle(QStringLiteral("プロジェクトの新規作成"));
    setObjectName(QStringLiteral("CNewDlg"));
    const NewProjectDefaults defaults =
        newProjectDefaults(settings, pathFromQString(QDir::currentPath()));

    auto* v = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("1 プロジェクト名："), this), 0, 0);
    name_edit_ = new QLineEdit(pathToQString(defaults.nameUtf8), this);
    name_edit_->setObjectName(QString::number(kNameId));
    grid->addWidget(name_edit_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("2 保存場所："), this), 1, 0);
    location_edit_ = new QLineEdit(pathToQString(defaults.locationUtf8), this);
    location_edit_->setObjectName(QString::number(kLocationId));
    location_edit_->setMinimumWidth(360);
    grid->addWidget(location_edit_, 1, 1);
    auto* browse = new QPushButton(QStringLiteral("参照(&S)"), this);
    browse->setObjectName(QString::number(kBrowseId));
    grid->addWidget(browse, 1, 2);
    v->addLayout(grid);

    auto* note =
        new QLabel(QStringLiteral("※ 保存場所に、プロジェクト名のフォルダが作成されます。\n"
                                  "※ そのフォルダに、プロジェクトファイル（プロジェクト名.cvn）と"
                                  "文献ファイルが保存されます。"),
                   this);
    note->setStyleSheet(QStringLiteral("color: #555;"));
    v->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    create_ = new QPushButton(QStringLiteral("作成実行(&G)"), this);
    create_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("中止(&C)"), this);
    buttons->addWidget(create_);
    buttons->addWidget(cancel);
    v->addLayout(buttons);

    browseFolder = [this](const QString& start) { return runFolderBrowser(this, start); };
    connect(browse, &QPushButton::clicked, this, &CNewDlg::onBrowse);
    connect(create_, &QPushButton::clicked, this, &CNewDlg::onCreate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    name_edit_->setFocus();
}

void CNewDlg::onBrowse()
{
    const QString chosen = browseFolder(location_edit_->text());
    if (!chosen.isEmpty())
        location_edit_->setText(QDir::toNativeSeparators(chosen));
}

void CNewDlg::onCreate()
{
    const NewProjectCheckResult r = checkNewProject(
        pathFromQString(name_edit_->text()), pathFromQString(location_edit_->text()), messages_);
    switch (r.outcome) {
    case NewProjectCheckResult::Outcome::Accepted:
        folder_ = r.folder;
        name_ = r.name;
        accept();
        return;
    case NewProjectCheckResult::Outcome::Cancelled:
        reject();
        return;
    case NewProjectCheckResult::Outcome::StayOpen:
        if (r.focus == NewProjectField::Name)
            name_edit_->setFocus();
        else if (r.focus == NewProjectField::Location)
            location_edit_->setFocus();
        return;
    }
}

} // namespace corvane
