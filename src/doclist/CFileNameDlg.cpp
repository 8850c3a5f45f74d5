#include "doclist/CFileNameDlg.h"

#include "doclist/NameRules.h"
#include "doclist/Report.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace corvane {

CFileNameDlg::CFileNameDlg(MessageSink& messages, const QString& initialName,
                           std::size_t folderPathSjisBytes, bool clipboardNote, QWidget* parent)
    : QDialog(parent), messages_(messages), edit_(new QLineEdit(initialName, this)),
      folderPathSjisBytes_(folderPathSjisBytes)
{
    setWindowTitle(QStringLiteral("名前の入力"));
    auto* layout = new QVBoxLayout(this);
    QString forbidden;
    for (char c : doclist::kForbiddenNameChars)
        forbidden += QLatin1Char(' ') + QString(QLatin1Char(c));
    layout->addWidget(new QLabel(QStringLiteral("次の文字は使用できません:") + forbidden, this));
    if (clipboardNote)
        layout->addWidget(new QLabel(
            QStringLiteral(
                "クリップボードのテキストは取得済みです。\n名前を貼り付けることができます。"),
            this));
    layout->addWidget(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFileNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFileNameDlg::reject);
    layout->addWidget(buttons);
    edit_->selectAll();
    edit_->setFocus();
    setMinimumWidth(360);
}

QString CFileNameDlg::name() const
{
    return edit_->text();
}

void CFileNameDlg::accept()
{
    const QByteArray utf8 = edit_->text().toUtf8();
    const doclist::NameVerdict verdict =
        doclist::checkName(std::string_view(utf8.constData(), utf8.size()), folderPathSjisBytes_);
    if (!verdict) {
        doclist::report(messages_, verdict.number, verdict.leadingUtf8, style::warning);
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace corvane
