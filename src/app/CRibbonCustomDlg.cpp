#include "app/CRibbonCustomDlg.h"

#include "app/CommandTable.h"
#include "app/RibbonIcons.h"
#include "base/Settings.h"
#include "res/ui/CommandIds.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace corvane {

namespace quickaccess {

namespace {
constexpr const char* kSection = "Ribbon";
constexpr const char* kValue = "QuickAccess";

bool isCandidate(int id)
{
    const CommandInfo* c = findCommand(id);
    return c && (c->kind == CommandKind::Button || c->kind == CommandKind::Check) &&
           id != cmd::ID_MDI_CANCEL;
}
} // namespace

std::vector<int> load(const SettingsStore& settings)
{
    const std::string text = settings.readString(kSection, kValue, "");
    std::vector<int> ids;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        try {
            const int id = std::stoi(item);
            if (isCandidate(id) && std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(id);
        } catch (...) {
            // A damaged entry is skipped; the rest still counts.
        }
    }
    if (ids.empty() && text.empty())
        return {cmd::ID_UNDO, cmd::ID_REDO};
    return ids;
}

void store(SettingsStore& settings, const std::vector<int>& ids)
{
    std::string text;
    for (int id : ids) {
        if (!text.empty())
            text += ',';
        text += std::to_string(id);
    }
    // An empty choice is kept as "0", so that it does not fall back to the default.
    settings.writeString(kSection, kValue, text.empty() ? "0" : text);
}

std::vector<int> candidates()
{
    std::vector<int> ids;
    for (const CommandInfo& c : commandTable())
        if (isCandidate(c.id))
            ids.push_back(c.id);
    return ids;
}

} // namespace quickaccess

namespace {

QListWidgetItem* itemFor(int id)
{
    const CommandInfo* c = findCommand(id);
    QString label = QString::fromUtf8(c->label);
    label.remove(QStringLiteral("(&")).remove(QChar('&'));
    auto* item = new QListWidgetItem(commandIcon(id), label);
    item->setData(Qt::UserRole, id);
    return item;
}

} // namespace

CRibbonCustomDlg::CRibbonCustomDlg(const std::vector<int>& current, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("クイック アクセスのカスタマイズ"));
    setObjectName(QStringLiteral("CRibbonCustomDlg"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("コマンド一覧"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("クイック アクセスに表示するコマンド"), this), 0, 2);
    available_ = new QListWidget(this);
    shown_ = new QListWidget(this);
    for (int id : quickaccess::candidates())
        available_->addItem(itemFor(id));
    for (int id : current)
        if (findCommand(id))
            shown_->addItem(itemFor(id));
    grid->addWidget(available_, 1, 0);
    grid->addWidget(shown_, 1, 2);
    auto* middle = new QVBoxLayout;
    auto* add = new QPushButton(QStringLiteral("追加(&A) >>"), this);
    auto* remove = new QPushButton(QStringLiteral("<< 削除(&R)"), this);
    auto* up = new QPushButton(QStringLiteral("上へ(&U)"), this);
    auto* down = new QPushButton(QStringLiteral("下へ(&D)"), this);
    middle->addStretch(1);
    for (QPushButton* b : {add, remove, up, down})
        middle->addWidget(b);
    middle->addStretch(1);
    grid->addLayout(middle, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 3);
    connect(add, &QPushButton::clicked, this, &CRibbonCustomDlg::addSelected);
    connect(remove, &QPushButton::clicked, this, &CRibbonCustomDlg::removeSelected);
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(available_, &QListWidget::itemDoubleClicked, this, &CRibbonCustomDlg::addSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(620, 420);
}

std::vector<int> CRibbonCustomDlg::chosen() const
{
    std::vector<int> ids;
    for (int i = 0; i < shown_->count(); ++i)
        ids.push_back(shown_->item(i)->data(Qt::UserRole).toInt());
    return ids;
}

void CRibbonCustomDlg::addSelected()
{
    QListWidgetItem* item = available_->currentItem();
    if (!item)
        return;
    const int id = item->data(Qt::UserRole).toInt();
    const std::vector<int> ids = chosen();
    if (std::find(ids.begin(), ids.end(), id) != ids.end())
        return;
    shown_->addItem(itemFor(id));
}

void CRibbonCustomDlg::removeSelected()
{
    delete shown_->takeItem(shown_->currentRow());
}

void CRibbonCustomDlg::moveSelected(int delta)
{
    const int row = shown_->currentRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= shown_->count())
        return;
    QListWidgetItem* item = shown_->takeItem(row);
    shown_->insertItem(to, item);
    shown_->setCurrentRow(to);
}

} // namespace corvane
