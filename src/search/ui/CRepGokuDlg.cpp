#include "search/ui/CRepGokuDlg.h"

#include "base/Codec.h"
#include "base/qt/QtText.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "search/Dictionary.h"
#include "search/ui/DictionaryFiles.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace corvane {

namespace {

SjisString sjis(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

} // namespace

CRepGokuDlg::CRepGokuDlg(MessageSink& messages, std::string folder, const QString& dictionary,
                         const QString& before, const QString& after, QWidget* parent)
    : QDialog(parent), messages_(messages), folder_(std::move(folder)), dictionary_(dictionary),
      oldBefore_(toSjis(before)), oldAfter_(toSjis(after)), modifying_(!after.isEmpty())
{
    setWindowTitle(QStringLiteral("置換語句の入力"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("置換辞書名："), this), 0, 0);
    combo_ = new QComboBox(this);
    grid->addWidget(combo_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("置換前"), this), 1, 0);
    beforeEdit_ = new QLineEdit(before, this);
    beforeEdit_->setMinimumWidth(320);
    grid->addWidget(beforeEdit_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("↓ 置換後"), this), 2, 0);
    afterEdit_ = new QLineEdit(after, this);
    grid->addWidget(afterEdit_, 2, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("決定(&S)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRepGokuDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRepGokuDlg::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);
    // The typing starts in the first phrase still to be given (the after-phrase when a text
    // view's selection brought the before-phrase), not in the dictionary list above them.
    (!before.isEmpty() && after.isEmpty() ? afterEdit_ : beforeEdit_)->setFocus();
}

bool CRepGokuDlg::prepare()
{
    const std::optional<QStringList> names = dictionaryNames(folder_);
    if (!names || (!dictionary_.isEmpty() && !names->contains(dictionary_))) {
        showMessage(messages_, msg::kDictionaryNotFound, {}, style::error);
        return false;
    }
    combo_->addItems(*names);
    combo_->setCurrentIndex(int(names->indexOf(dictionary_)));
    return true;
}

void CRepGokuDlg::refuse(int number, QLineEdit* focus, SjisView lead)
{
    showMessage(messages_, number, lead, style::error);
    if (focus)
        focus->setFocus();
}

void CRepGokuDlg::accept()
{
    if (store())
        QDialog::accept();
}

bool CRepGokuDlg::store()
{
    if (combo_->currentIndex() < 0) {
        refuse(msg::kDictionaryUnknown, nullptr);
        return false;
    }
    bool badBefore = false;
    bool badAfter = false;
    const SjisString before = toSjis(beforeEdit_->text(), &badBefore);
    const SjisString after = toSjis(afterEdit_->text(), &badAfter);
    if (before.empty()) {
        refuse(msg::kNoText, beforeEdit_);
        return false;
    }
    if (after.empty()) {
        refuse(msg::kNoText, afterEdit_);
        return false;
    }
    if (badBefore || badAfter) {
        // A "〓" stored in place of the character would never match what was typed.
        refuse(msg::kSearchConditionFailed, badBefore ? beforeEdit_ : afterEdit_);
        return false;
    }
    // A tab or a line break would split the line the pair is stored on.
    if (before.find_first_of("\t\r\n") != SjisString::npos ||
        after.find_first_of("\r\n") != SjisString::npos) {
        refuse(msg::kForbiddenNameChar,
               before.find_first_of("\t\r\n") != SjisString::npos ? beforeEdit_ : afterEdit_);
        return false;
    }
    if (before == after) {
        refuse(msg::kSamePhrases, beforeEdit_);
        return false;
    }
    const QString name = combo_->currentText();
    const SjisString lead = sjis("置換前の語句：") + before + "\n" + sjis("置換後の語句：") +
                            after + "\n\n" + sjis("を置換辞書『") + toSjis(name) + sjis("』へ");
    if (showMessage(messages_, msg::kConfirmRegister, lead, style::yesNo) != Answer::Yes)
        return false;
    const std::string path = folder_ + "/" + pathFromQString(name);
    std::optional<std::vector<search::ReplacePair>> pairs = search::readDictionary(path);
    if (!pairs) {
        showMessage(messages_, msg::kDictionaryNotFound, codec::fromUtf8(path).text + "\n",
                    style::error);
        return false;
    }
    // The pair being modified leaves first: changing only its after-phrase must not find
    // its own before-phrase "already registered".
    if (modifying_) {
        const auto it = std::find_if(pairs->begin(), pairs->end(), [this](const auto& p) {
            return p.before == oldBefore_ && p.after == oldAfter_;
        });
        if (it != pairs->end())
            pairs->erase(it);
    }
    for (const search::ReplacePair& pair : *pairs)
        if (pair.before == before) {
            refuse(msg::kAlreadyRegistered, beforeEdit_, sjis("『") + before + sjis("』は、"));
            return false;
        }
    if (pairs->size() >= std::size_t(search::kMaxDictionaryPairs)) {
        // The 501st pair would never be read.
        refuse(msg::kTooManyEntries, beforeEdit_);
        return false;
    }
    pairs->insert(pairs->begin() + std::ptrdiff_t(search::insertPosition(*pairs, before)),
                  search::ReplacePair{before, after});
    if (!search::writeDictionary(path, *pairs)) {
        showMessage(messages_, msg::kSaveFailed, codec::fromUtf8(path).text + "\n", style::error);
        return false;
    }
    return true;
}

} // namespace corvane
