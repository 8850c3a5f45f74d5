#include "subjects/ui/CSubjectDlg.h"

#include "base/qt/QtText.h"
#include "res/MessageCatalogue.h"
#include "subjects/SubjectOps.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

CSubjectDlg::CSubjectDlg(MessageSink& messages, const std::vector<SjisString>& mainTitles,
                         SjisView mainTitle, SjisView title, QWidget* parent)
    : QDialog(parent), messages_(messages), main_(new QComboBox(this)), title_(new QLineEdit(this)),
      mainCounter_(new QLabel(this)), titleCounter_(new QLabel(this)),
      ok_(new QPushButton(QStringLiteral("作成実行(&G)"), this))
{
    setWindowTitle(title.empty() ? QStringLiteral("題名の追加") : QStringLiteral("題名の変更"));
    main_->setEditable(true);
    main_->setInsertPolicy(QComboBox::NoInsert);
    for (const SjisString& t : mainTitles)
        main_->addItem(toQString(t));
    main_->setEditText(mainTitles.empty() ? QString() : toQString(mainTitle));
    title_->setText(toQString(title));
    main_->setMinimumWidth(360);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("1 主題："), this), 0, 0);
    grid->addWidget(main_, 0, 1);
    grid->addWidget(mainCounter_, 0, 2);
    grid->addWidget(
        new QLabel(QStringLiteral("※ リストから選択、または新規入力してください。"), this), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("2 副題："), this), 2, 0);
    grid->addWidget(title_, 2, 1);
    grid->addWidget(titleCounter_, 2, 2);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSubjectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSubjectDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(main_, &QComboBox::editTextChanged, this, [this] { updateCounters(); });
    connect(title_, &QLineEdit::textChanged, this, [this] { updateCounters(); });
    updateCounters();
    (mainTitles.empty() ? static_cast<QWidget*>(main_) : title_)->setFocus();
}

SjisString CSubjectDlg::mainTitle() const
{
    return toSjis(main_->currentText());
}

SjisString CSubjectDlg::title() const
{
    return toSjis(title_->text());
}

void CSubjectDlg::updateCounters()
{
    mainCounter_->setText(toQString(titleByteCounter(mainTitle().size())));
    titleCounter_->setText(toQString(titleByteCounter(title().size())));
}

void CSubjectDlg::accept()
{
    const TitleCheck check = checkSubjectTitles(mainTitle(), title());
    if (check.message != 0) {
        showMessage(messages_, check.message, {}, style::error);
        if (check.field == TitleCheck::Field::MainTitle)
            main_->setFocus();
        else
            title_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace corvane
