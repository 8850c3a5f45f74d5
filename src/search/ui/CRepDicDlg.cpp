#include "search/ui/CRepDicDlg.h"

#include "base/Codec.h"
#include "base/qt/QtText.h"
#include "doclist/CFileNameDlg.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "search/Dictionary.h"
#include "search/ui/CRepGokuDlg.h"
#include "search/ui/DictionaryFiles.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <filesystem>
#include <fstream>

namespace corvane {

namespace fs = std::filesystem;

namespace {

SjisString sjis(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

} // namespace

CRepDicDlg::CRepDicDlg(MessageSink& messages, std::string folder, SjisView current, QWidget* parent)
    : QDialog(parent), messages_(messages), folder_(std::move(folder)), initial_(toQString(current))
{
    setWindowTitle(QStringLiteral("置換辞書管理"));
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("置換辞書名："), this));
    combo_ = new QComboBox(this);
    combo_->setMinimumWidth(220);
    top->addWidget(combo_, 1);
    top->addWidget(new QLabel(QStringLiteral("max:500"), this));
    v->addLayout(top);

    auto* body = new QHBoxLayout;
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("No."), QStringLiteral("置換前"), QStringLiteral("置換後")});
    table_->setColumnWidth(0, 60);
    table_->setColumnWidth(1, 190);
    table_->setColumnWidth(2, 190);
    table_->verticalHeader()->hide();
    table_->setShowGrid(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setMinimumSize(470, 300);
    body->addWidget(table_, 1);
    auto* buttons = new QVBoxLayout;
    const auto add = [&](const char* name, const QString& text, void (CRepDicDlg::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        // No button is the default: Enter in the list or the name box must not make a new
        // dictionary or delete one.
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    add("addDictionary", QStringLiteral("辞書追加(&A)"), &CRepDicDlg::addDictionary);
    rename_ =
        add("renameDictionary", QStringLiteral("辞書名変更(&R)"), &CRepDicDlg::renameDictionary);
    delete_ =
        add("deleteDictionary", QStringLiteral("辞書削除(&D)"), &CRepDicDlg::deleteDictionary);
    add("showFolder", QStringLiteral("辞書の場所(&P)"), &CRepDicDlg::showFolder);
    buttons->addSpacing(12);
    addPair_ = add("addPair", QStringLiteral("置換語句追加(&G)"), &CRepDicDlg::addPair);
    modifyPair_ = add("modifyPair", QStringLiteral("置換語句修正(&U)"), &CRepDicDlg::modifyPair);
    deletePair_ = add("deletePair", QStringLiteral("置換語句削除(&M)"), &CRepDicDlg::deletePair);
    buttons->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("終了(&X)"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &CRepDicDlg::accept);
    buttons->addWidget(close);
    body->addLayout(buttons);
    v->addLayout(body);
    connect(combo_, &QComboBox::currentIndexChanged, this, [this] { loadPairs(); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { modifyPair(); });

    askName = [this](const QString& initial) -> std::optional<QString> {
        CFileNameDlg dlg(messages_, initial, codec::fromUtf8(folder_).text.size() + 1, false, this);
        dlg.setWindowTitle(QStringLiteral("置換辞書名の入力"));
        if (dlg.exec() != QDialog::Accepted)
            return std::nullopt;
        return dlg.name();
    };
    runPairDialog = [](CRepGokuDlg& dlg) { return dlg.exec() == QDialog::Accepted; };
    openFolder = [](const QString& folder) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
}

QPushButton* CRepDicDlg::button(const QString& objectName) const
{
    return findChild<QPushButton*>(objectName);
}

SjisString CRepDicDlg::currentDictionary() const
{
    return toSjis(combo_->currentText());
}

std::string CRepDicDlg::pathOf(const QString& name) const
{
    return folder_ + "/" + pathFromQString(name);
}

bool CRepDicDlg::prepare()
{
    std::error_code ec;
    if (!fs::is_directory(folder_, ec) && !fs::create_directories(folder_, ec)) {
        showMessage(messages_, msg::kFolderCreateFailed, sjis("置換辞書管理用"), style::error);
        return false;
    }
    fillDictionaries(initial_);
    return true;
}

void CRepDicDlg::fillDictionaries(const QString& choose)
{
    const QStringList names = dictionaryNames(folder_).value_or(QStringList());
    combo_->blockSignals(true);
    combo_->clear();
    combo_->addItems(names);
    const int index = int(names.indexOf(choose));
    combo_->setCurrentIndex(index >= 0 ? index : (names.isEmpty() ? -1 : 0));
    combo_->blockSignals(false);
    loadPairs();
}

void CRepDicDlg::loadPairs()
{
    table_->setRowCount(0);
    updateButtons();
    if (combo_->currentIndex() < 0)
        return;
    const std::string path = pathOf(combo_->currentText());
    const std::optional<std::vector<search::ReplacePair>> pairs = search::readDictionary(path);
    if (!pairs) {
        showMessage(messages_, msg::kDictionaryNotFound, codec::fromUtf8(path).text + "\n",
                    style::error);
        return;
    }
    table_->setRowCount(int(pairs->size()));
    for (int i = 0; i < int(pairs->size()); ++i) {
        auto* number = new QTableWidgetItem(QString::number(i + 1));
        number->setTextAlignment(Qt::AlignCenter);
        table_->setItem(i, 0, number);
        table_->setItem(i, 1, new QTableWidgetItem(toQString((*pairs)[std::size_t(i)].before)));
        table_->setItem(i, 2, new QTableWidgetItem(toQString((*pairs)[std::size_t(i)].after)));
    }
    updateButtons();
}

void CRepDicDlg::selectPair(const QString& before)
{
    // A stored pair may land above pairs it contains, far from the end: show where it went.
    for (int row = 0; row < table_->rowCount(); ++row)
        if (table_->item(row, 1) && table_->item(row, 1)->text() == before) {
            table_->setCurrentCell(row, 1);
            table_->scrollToItem(table_->item(row, 1));
            return;
        }
}

void CRepDicDlg::updateButtons()
{
    const bool any = combo_->currentIndex() >= 0;
    for (QPushButton* b : {rename_, delete_, addPair_, modifyPair_, deletePair_})
        b->setEnabled(any);
}

std::optional<QString> CRepDicDlg::askNewName(const QString& initial)
{
    QString name = initial;
    for (;;) {
        const std::optional<QString> typed = askName(name);
        if (!typed || typed->isEmpty())
            return std::nullopt;
        if (combo_->findText(*typed, Qt::MatchExactly) < 0)
            return typed;
        if (showMessage(messages_, msg::kSameNameExists, {}, style::yesNo) != Answer::Yes)
            return std::nullopt;
        name = *typed;
    }
}

void CRepDicDlg::addDictionary()
{
    const std::optional<QString> name = askNewName(QString());
    if (!name)
        return;
    std::error_code ec;
    const std::string path = pathOf(*name);
    if (fs::exists(path, ec)) {
        showMessage(messages_, msg::kSameNameExists, {}, style::error);
        return;
    }
    std::ofstream created(path, std::ios::binary);
    if (!created) {
        showMessage(messages_, msg::kCreateFailed, {}, style::error);
        return;
    }
    created.close();
    changed_ = true;
    fillDictionaries(*name);
    if (combo_->currentText() != *name)
        showMessage(messages_, msg::kDictionaryAddFailed, {}, style::error);
}

void CRepDicDlg::renameDictionary()
{
    if (combo_->currentIndex() < 0)
        return;
    const QString old = combo_->currentText();
    const std::optional<QString> name = askNewName(old);
    if (!name || *name == old)
        return;
    std::error_code ec;
    if (fs::exists(pathOf(*name), ec)) {
        showMessage(messages_, msg::kSameNameExists, {}, style::error);
        return;
    }
    fs::rename(pathOf(old), pathOf(*name), ec);
    if (ec) {
        showMessage(messages_, msg::kChangeFailed, toSjis(old) + "\n", style::information);
        return;
    }
    changed_ = true;
    fillDictionaries(*name);
}

void CRepDicDlg::deleteDictionary()
{
    if (combo_->currentIndex() < 0)
        return;
    const QString name = combo_->currentText();
    if (showMessage(messages_, msg::kConfirmDelete, sjis("『") + toSjis(name) + sjis("』を"),
                    style::yesNoDefaultNo) != Answer::Yes)
        return;
    std::error_code ec;
    if (!fs::remove(pathOf(name), ec)) {
        showMessage(messages_, msg::kDeleteFailed, {}, style::error);
        return;
    }
    changed_ = true;
    fillDictionaries(QString());
}

void CRepDicDlg::showFolder()
{
    if (!openFolder(pathToQString(folder_)))
        showMessage(messages_, msg::kFileManagerFailed, {}, style::error);
}

void CRepDicDlg::addPair()
{
    if (combo_->currentIndex() < 0)
        return;
    CRepGokuDlg dlg(messages_, folder_, combo_->currentText(), QString(), QString(), this);
    if (!dlg.prepare())
        return;
    if (runPairDialog(dlg)) {
        changed_ = true;
        loadPairs();
        selectPair(dlg.beforeEdit()->text());
    }
}

void CRepDicDlg::modifyPair()
{
    const int row = table_->currentRow();
    if (row < 0 || !table_->item(row, 1)) {
        showMessage(messages_, msg::kNoLineSelected, {}, style::error);
        return;
    }
    CRepGokuDlg dlg(messages_, folder_, combo_->currentText(), table_->item(row, 1)->text(),
                    table_->item(row, 2)->text(), this);
    if (!dlg.prepare())
        return;
    if (runPairDialog(dlg)) {
        changed_ = true;
        loadPairs();
        selectPair(dlg.beforeEdit()->text());
    }
}

void CRepDicDlg::deletePair()
{
    const int row = table_->currentRow();
    if (row < 0 || !table_->item(row, 1)) {
        showMessage(messages_, msg::kNoLineSelected, {}, style::error);
        return;
    }
    const SjisString before = toSjis(table_->item(row, 1)->text());
    const SjisString after = toSjis(table_->item(row, 2)->text());
    const SjisString lead = sjis("置換前の語句：") + before + "\n" + sjis("置換後の語句：") +
                            after + "\n\n" + sjis("を");
    if (showMessage(messages_, msg::kConfirmDelete, lead, style::yesNoDefaultNo) != Answer::Yes)
        return;
    const std::string path = pathOf(combo_->currentText());
    std::optional<std::vector<search::ReplacePair>> pairs = search::readDictionary(path);
    if (!pairs) {
        showMessage(messages_, msg::kDictionaryNotFound, codec::fromUtf8(path).text + "\n",
                    style::error);
        return;
    }
    // The row's pair by its place: the same phrases may be read back differently after a
    // conversion, but the row number is the line's.
    if (row < int(pairs->size()))
        pairs->erase(pairs->begin() + row);
    if (!search::writeDictionary(path, *pairs)) {
        showMessage(messages_, msg::kSaveFailed, codec::fromUtf8(path).text + "\n", style::error);
        return;
    }
    changed_ = true;
    loadPairs();
}

} // namespace corvane
