#include "search/ui/CSearchWnd.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "search/Dictionary.h"
#include "search/PhraseHistory.h"
#include "search/ui/CGokuCombo.h"
#include "search/ui/CRepDicDlg.h"
#include "search/ui/CResultList.h"
#include "search/ui/DictionaryFiles.h"
#include "search/ui/ReplaceJob.h"
#include "textview/OpenDocuments.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

using namespace cmd;

namespace {

constexpr int kFixedTargets = 3; // all, open, current

SjisString sjis(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

} // namespace

CSearchWnd::CSearchWnd(ProjectData& project, Services& services, OpenDocuments& open,
                       QWidget* parent)
    : QWidget(parent), p_(project), s_(services), open_(open)
{
    setObjectName(QStringLiteral("CSearchWnd"));
    buildControls();
    modeBox_->setChecked(read(s_.settings, keys::SearchChange) == 0);
    caseBox_->setChecked(read(s_.settings, keys::SearchKubetu) != 0);
    outputCombo_->setCurrentIndex(std::clamp(read(s_.settings, keys::SearchDspOut), 0, 9));
    reloadHistory(searchBox_, false);
    reloadHistory(replaceBox_, true);
    fillTargets(std::nullopt);
    layOut();
    updateStates();
}

void CSearchWnd::buildControls()
{
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(3);

    modeBox_ = new QCheckBox(QStringLiteral("切替え(検索/置換)(&C)"), this);
    connect(modeBox_, &QCheckBox::toggled, this, [this](bool on) {
        write(s_.settings, keys::SearchChange, on ? 0 : 1);
        layOut();
        updateStates();
    });
    v->addWidget(modeBox_);

    const auto row = [this, v](QLabel*& label, const QString& text, QWidget* field) {
        auto* w = new QWidget(this);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        label = new QLabel(text, w);
        label->setMinimumWidth(
            QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("結果表示先：")) + 4);
        h->addWidget(label);
        h->addWidget(field, 1);
        field->setParent(w);
        v->addWidget(w);
        return w;
    };

    searchBox_ = new CGokuCombo(QStringLiteral("検索語句"), QStringLiteral("検索語句にセット"));
    searchBox_->setObjectName(QStringLiteral("searchPhrase"));
    row(searchLabel_, QStringLiteral("検索語句："), searchBox_);
    replaceBox_ = new CGokuCombo(QStringLiteral("置換語句"), QStringLiteral("置換語句にセット"));
    replaceBox_->setObjectName(QStringLiteral("replacePhrase"));
    row(replaceLabel_, QStringLiteral("置換語句："), replaceBox_);
    for (CGokuCombo* box : {searchBox_, replaceBox_}) {
        connect(box, &QComboBox::editTextChanged, this, [this] { updateStates(); });
        box->acceptsObject = [this](ObjectId id) {
            const int index = findObjectIndex(p_, id);
            return index >= 0 && p_.objects[index].type == ObjectType::Marker;
        };
        box->markerDropped = [this, box](ObjectId id) {
            const int index = findObjectIndex(p_, id);
            if (index < 0 || p_.objects[index].type != ObjectType::Marker)
                return;
            box->setPhrase(toQString(fixedText(p_.objects[index].secondText)));
            box->setFocus();
        };
    }
    connect(searchBox_, &CGokuCombo::entered, this, [this] {
        if (replaceMode())
            runReplacePair();
        else
            runSearch();
    });
    connect(replaceBox_, &CGokuCombo::entered, this, [this] { runReplacePair(); });

    QLabel* label = nullptr;
    targetCombo_ = new QComboBox;
    targetCombo_->setObjectName(QStringLiteral("searchTarget"));
    row(label, QStringLiteral("検索対象："), targetCombo_);

    caseBox_ = new QCheckBox(QStringLiteral("大文字・小文字を区別する(&D)"), this);
    v->addWidget(caseBox_);

    outputCombo_ = new QComboBox;
    for (int i = 1; i <= kResultLists; ++i)
        outputCombo_->addItem(QStringLiteral("検索結果%1").arg(i));
    outputRow_ = row(label, QStringLiteral("結果表示先："), outputCombo_);

    searchButton_ = new QPushButton(QStringLiteral("検索実行(&S)"), this);
    connect(searchButton_, &QPushButton::clicked, this, &CSearchWnd::runSearch);
    v->addWidget(searchButton_);
    replacePairButton_ =
        new QPushButton(QStringLiteral("▲ 上の検索・置換語句で一括置換(&B)"), this);
    connect(replacePairButton_, &QPushButton::clicked, this, &CSearchWnd::runReplacePair);
    v->addWidget(replacePairButton_);
    replaceDicButton_ =
        new QPushButton(QStringLiteral("▼ 下の置換辞書を使用して一括置換(&F)"), this);
    connect(replaceDicButton_, &QPushButton::clicked, this, &CSearchWnd::runReplaceDictionary);
    v->addWidget(replaceDicButton_);

    dictionaryRow_ = new QWidget(this);
    {
        auto* h = new QHBoxLayout(dictionaryRow_);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(new QLabel(QStringLiteral("置換辞書："), dictionaryRow_));
        dictionaryCombo_ = new QComboBox(dictionaryRow_);
        dictionaryCombo_->setObjectName(QStringLiteral("dictionaries"));
        h->addWidget(dictionaryCombo_, 1);
        dicManageButton_ = new QPushButton(QStringLiteral("置換辞書管理(&M)"), dictionaryRow_);
        connect(dicManageButton_, &QPushButton::clicked, this, &CSearchWnd::openDictionaryManager);
        h->addWidget(dicManageButton_);
    }
    v->addWidget(dictionaryRow_);

    resultsArea_ = new QWidget(this);
    {
        auto* rv = new QVBoxLayout(resultsArea_);
        rv->setContentsMargins(0, 0, 0, 0);
        rv->setSpacing(0);
        toolBar_ = new QToolBar(resultsArea_);
        toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
        toolBar_->setIconSize(QSize(16, 16));
        const auto tool = [this](int id, const QString& text) {
            QAction* a = toolBar_->addAction(text);
            a->setData(id);
            connect(a, &QAction::triggered, this, [this, id] {
                if (CResultList* list = shownResultList())
                    list->handleCommand(id);
                updateStates();
            });
        };
        tool(ID_RESULT_SHOW, QStringLiteral("選択行表示"));
        tool(ID_RESULT_NEXT, QStringLiteral("▼"));
        tool(ID_RESULT_PREV, QStringLiteral("▲"));
        tool(ID_RESULT_CLEAR, QStringLiteral("クリア"));
        tool(ID_RESULT_CLEAR_ALL, QStringLiteral("すべてクリア"));
        for (QAction* a : toolBar_->actions()) {
            const int id = a->data().toInt();
            a->setToolTip(id == ID_RESULT_NEXT   ? QStringLiteral("下の行の位置表示")
                          : id == ID_RESULT_PREV ? QStringLiteral("上の行の位置表示")
                                                 : a->text());
        }
        rv->addWidget(toolBar_);
        tabs_ = new QTabWidget(resultsArea_);
        tabs_->setTabPosition(QTabWidget::South);
        tabs_->setDocumentMode(true);
        for (int i = 0; i < kResultLists; ++i) {
            auto* list = new CResultList(tabs_);
            list->setObjectName(QStringLiteral("result%1").arg(i + 1));
            list->openHit = [this](const search::HitAddress& a) {
                if (openHit)
                    openHit(a);
            };
            list->clearAll = [this] {
                for (CResultList* l : lists_)
                    l->clearRows();
            };
            connect(list, &QListWidget::currentRowChanged, this, [this] { updateStates(); });
            lists_[std::size_t(i)] = list;
            tabs_->addTab(list, QStringLiteral("結果%1").arg(i + 1));
        }
        connect(tabs_, &QTabWidget::currentChanged, this, [this] { updateStates(); });
        rv->addWidget(tabs_, 1);
    }
    v->addWidget(resultsArea_, 1);
    // In replace mode the controls keep to the top.
    v->addStretch(0);
}

CResultList* CSearchWnd::shownResultList() const
{
    return qobject_cast<CResultList*>(tabs_->currentWidget());
}

bool CSearchWnd::replaceMode() const
{
    return modeBox_->isChecked();
}

void CSearchWnd::setReplaceMode(bool replace)
{
    modeBox_->setChecked(replace);
}

void CSearchWnd::layOut()
{
    const bool replace = replaceMode();
    replaceLabel_->parentWidget()->setVisible(replace);
    outputRow_->setVisible(!replace);
    searchButton_->setVisible(!replace);
    replacePairButton_->setVisible(replace);
    replaceDicButton_->setVisible(replace);
    dictionaryRow_->setVisible(replace);
    resultsArea_->setVisible(!replace);
}

void CSearchWnd::updateStates()
{
    const bool open = p_.isOpen();
    const bool phrase = !searchBox_->phrase().isEmpty();
    modeBox_->setEnabled(open);
    searchButton_->setEnabled(open && phrase);
    replacePairButton_->setEnabled(open && phrase);
    replaceDicButton_->setEnabled(open && dictionaryCombo_->currentIndex() >= 0);
    dicManageButton_->setEnabled(open);
    CResultList* list = shownResultList();
    for (QAction* a : toolBar_->actions())
        a->setEnabled(list && list->isCommandEnabled(a->data().toInt()));
}

void CSearchWnd::reloadHistory(CGokuCombo* box, bool replacement)
{
    box->loadHistory(
        search::loadPhraseHistory(s_.settings, replacement ? search::PhraseHistory::ReplacePhrase
                                                           : search::PhraseHistory::SearchPhrase));
}

std::optional<SjisString> CSearchWnd::phraseOf(const CGokuCombo* box)
{
    bool unrepresentable = false;
    SjisString text = toSjis(box->phrase(), &unrepresentable);
    if (unrepresentable) {
        // "〓" in place of the character would search for something the user never typed.
        showMessage(s_.messages, msg::kSearchConditionFailed, {}, style::error);
        return std::nullopt;
    }
    return text;
}

std::string CSearchWnd::dictionaryFolder() const
{
    return p_.folder + "dic";
}

void CSearchWnd::fillTargets(std::optional<int> chooseIndex)
{
    const SjisString chosen =
        targetCombo_->currentIndex() >= 0 &&
                std::size_t(targetCombo_->currentIndex()) < targetItems_.size()
            ? targetItems_[std::size_t(targetCombo_->currentIndex())]
            : SjisString();
    targetItems_ = {search::allDocumentsItemText(), sjis("開いている文献"), sjis("現在の文献")};
    if (p_.isOpen())
        for (const SjisString& folder : search::topLevelFolders(p_.docFolder()))
            targetItems_.push_back(search::folderItemText(folder));
    targetCombo_->blockSignals(true);
    targetCombo_->clear();
    for (const SjisString& item : targetItems_)
        targetCombo_->addItem(toQString(item));
    int index = 2;
    if (chooseIndex) {
        index = *chooseIndex;
    } else if (!chosen.empty()) {
        const auto it = std::find(targetItems_.begin(), targetItems_.end(), chosen);
        index = it == targetItems_.end() ? 0 : int(it - targetItems_.begin());
    }
    if (index < 0 || index >= int(targetItems_.size()))
        index = 0;
    targetCombo_->setCurrentIndex(index);
    targetCombo_->blockSignals(false);
}

void CSearchWnd::fillDictionaries(SjisView choose)
{
    dictionaries_.clear();
    if (p_.isOpen())
        for (const QString& name : dictionaryNames(dictionaryFolder()).value_or(QStringList()))
            dictionaries_.push_back(toSjis(name));
    dictionaryCombo_->clear();
    for (const SjisString& name : dictionaries_)
        dictionaryCombo_->addItem(toQString(name));
    const auto it = std::find(dictionaries_.begin(), dictionaries_.end(), choose);
    dictionaryCombo_->setCurrentIndex(it == dictionaries_.end() ? (dictionaries_.empty() ? -1 : 0)
                                                                : int(it - dictionaries_.begin()));
    updateStates();
}

void CSearchWnd::documentFoldersChanged()
{
    fillTargets(std::nullopt);
}

void CSearchWnd::refreshSearchPane(int target, const std::string& repDicSjis)
{
    fillTargets(target);
    fillDictionaries(repDicSjis);
    updateStates();
}

void CSearchWnd::closeDocumentList()
{
    // After the project closed: no folders, no dictionaries, commands off.
    targetItems_.clear();
    fillTargets(std::nullopt);
    dictionaries_.clear();
    dictionaryCombo_->clear();
    updateStates();
}

std::optional<CSearchWnd::Target> CSearchWnd::resolveTarget()
{
    int index = targetCombo_->currentIndex();
    if (index < 0 || std::size_t(index) >= targetItems_.size())
        index = 0;
    write(s_.settings, keys::SearchTarget, index);
    Target t;
    if (index == 0) {
        t.key.kind = search::TargetKey::Kind::All;
    } else if (index == 1 || index == 2) {
        t.key.kind = index == 1 ? search::TargetKey::Kind::Open : search::TargetKey::Kind::Current;
        if (open_.count() == 0) {
            const SjisString lead = sjis("対象が『") + sjis(index == 1 ? "開いている" : "現在の") +
                                    sjis("文献』となっていますが、");
            if (showMessage(s_.messages, msg::kNoDocumentOpenUseAll, lead, style::yesNo) !=
                Answer::Yes)
                return std::nullopt;
            t.key.kind = search::TargetKey::Kind::All;
            index = 0;
            targetCombo_->setCurrentIndex(0);
        }
    } else {
        // The folder's name: the text between "『" and "』"; an item without "』" means all.
        const QString item = toQString(targetItems_[std::size_t(index)]);
        const int open = item.indexOf(QStringLiteral("『"));
        const int close = item.indexOf(QStringLiteral("』"));
        if (open < 0 || close < open) {
            t.key.kind = search::TargetKey::Kind::All;
        } else {
            t.key.kind = search::TargetKey::Kind::Folder;
            t.key.folder = toSjis(item.mid(open + 1, close - open - 1));
        }
    }
    t.itemText = targetItems_[std::size_t(index)];
    SjisString current;
    if (t.key.kind == search::TargetKey::Kind::Current) {
        const ActiveView active = s_.views.activeView();
        if (active.kind == ActiveView::Kind::Chart) {
            showMessage(s_.messages, msg::kChartNotSearchable, {}, style::error);
            return std::nullopt;
        }
        std::string path = active.fullPath;
        if (!path.empty() && path.back() == '*')
            path.pop_back();
        if (auto rel = docpath::toRelative(p_.docFolder(), path))
            current = *rel;
    }
    auto docs = search::targetDocuments(p_.docFolder(), &open_, current, t.key);
    if (!docs) {
        // The folder went away since the list was filled.
        showMessage(s_.messages, msg::kPathNotFound, t.key.folder + "\n", style::error);
        fillTargets(std::nullopt);
        return std::nullopt;
    }
    t.docs = std::move(*docs);
    return t;
}

void CSearchWnd::runSearch()
{
    if (!p_.isOpen() || searchBox_->phrase().isEmpty())
        return;
    const std::optional<SjisString> phrase = phraseOf(searchBox_);
    if (!phrase)
        return;
    search::storePhraseHistory(s_.settings, search::PhraseHistory::SearchPhrase, *phrase);
    reloadHistory(searchBox_, false);
    std::optional<Target> target = resolveTarget();
    if (!target)
        return;
    const bool caseSensitive = caseBox_->isChecked();
    write(s_.settings, keys::SearchKubetu, caseSensitive ? 1 : 0);
    const int out = std::max(0, outputCombo_->currentIndex());
    write(s_.settings, keys::SearchDspOut, out);
    const search::Matcher matcher(*phrase, caseSensitive);
    if (!matcher.valid()) {
        showMessage(s_.messages, msg::kSearchConditionFailed, {}, style::error);
        return;
    }
    CResultList* list = lists_[std::size_t(out)];
    list->start(search::conditionSentence(target->itemText, *phrase, std::nullopt, caseSensitive));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const search::SearchResult r =
        search::runSearch(matcher, target->docs, search::kHitLimit, true);
    QApplication::restoreOverrideCursor();
    std::vector<SjisString> rows;
    rows.reserve(r.rows.size() + 1);
    std::int64_t number = 0;
    for (const search::HitRow& hit : r.rows)
        rows.push_back(search::hitRowText(++number, hit));
    rows.push_back(search::searchSummary(r.documentsSearched, r.hits));
    list->addRows(rows);
    tabs_->setCurrentIndex(out);
    if (r.limitReached)
        showMessage(s_.messages, msg::kTooManyHits, {}, style::information);
    updateStates();
}

search::ReplaceTotals
CSearchWnd::runJob(const std::function<search::ReplaceTotals(search::Progress*)>& job)
{
    if (runLongJob)
        return runLongJob(job);
    return runReplaceJob(this, job);
}

search::ReplaceTotals CSearchWnd::replaceIn(const std::vector<search::TargetDocument>& docs,
                                            const std::vector<search::ReplacePair>& pairs,
                                            bool caseSensitive)
{
    std::vector<search::TargetDocument> open;
    std::vector<search::TargetDocument> closed;
    for (const search::TargetDocument& d : docs)
        (d.open ? open : closed).push_back(d);
    search::ReplaceTotals totals = search::runReplace(p_, open, pairs, caseSensitive);
    if (totals.failure != 0 || closed.empty()) {
        if (totals.documentsWritten > 0 && afterReplace)
            afterReplace(false);
        return totals;
    }
    const search::ReplaceTotals onDisk = runJob([&](search::Progress* progress) {
        return search::runReplace(p_, closed, pairs, caseSensitive, progress);
    });
    if (totals.documentsWritten + onDisk.documentsWritten > 0 && afterReplace)
        afterReplace(onDisk.documentsWritten > 0);
    totals.documentsSearched += onDisk.documentsSearched;
    totals.documentsContaining += onDisk.documentsContaining;
    totals.hits += onDisk.hits;
    totals.refused += onDisk.refused;
    totals.refusedOther += onDisk.refusedOther;
    totals.documentsWritten += onDisk.documentsWritten;
    totals.cancelled = onDisk.cancelled;
    totals.failure = onDisk.failure;
    totals.failedPath = onDisk.failedPath;
    return totals;
}

void CSearchWnd::runReplacePair()
{
    if (!p_.isOpen() || searchBox_->phrase().isEmpty())
        return;
    const std::optional<SjisString> before = phraseOf(searchBox_);
    if (!before)
        return;
    const std::optional<SjisString> after = phraseOf(replaceBox_);
    if (!after)
        return;
    search::storePhraseHistory(s_.settings, search::PhraseHistory::SearchPhrase, *before);
    search::storePhraseHistory(s_.settings, search::PhraseHistory::ReplacePhrase, *after);
    reloadHistory(searchBox_, false);
    reloadHistory(replaceBox_, true);
    replaceBox_->setPhrase(toQString(*after));
    if (*before == *after) {
        showMessage(s_.messages, msg::kSamePhrases, {}, style::error);
        return;
    }
    std::optional<Target> target = resolveTarget();
    if (!target)
        return;
    const bool caseSensitive = caseBox_->isChecked();
    write(s_.settings, keys::SearchKubetu, caseSensitive ? 1 : 0);
    const search::Matcher matcher(*before, caseSensitive);
    if (!matcher.valid()) {
        showMessage(s_.messages, msg::kSearchConditionFailed, {}, style::error);
        return;
    }
    const SjisString sentence =
        search::conditionSentence(target->itemText, *before, *after, caseSensitive);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::int64_t count = search::runSearch(matcher, target->docs, 0, false).hits;
    QApplication::restoreOverrideCursor();
    if (count == 0) {
        showMessage(s_.messages, msg::kPhraseToReplaceNotFound, {}, style::information);
        return;
    }
    const SjisString lead =
        sjis("置換対象 : 全 ") + std::to_string(count) + sjis("件\n\n") + sentence;
    if (showMessage(s_.messages, msg::kConfirmBatchReplace, lead, style::yesNo) != Answer::Yes)
        return;
    const search::ReplaceTotals totals =
        replaceIn(target->docs, {{*before, *after}}, caseSensitive);
    showReplaceOutcome(totals, target->docs.size(), sentence);
}

void CSearchWnd::runReplaceDictionary()
{
    const int chosen = dictionaryCombo_->currentIndex();
    if (!p_.isOpen() || chosen < 0 || std::size_t(chosen) >= dictionaries_.size())
        return;
    const SjisString name = dictionaries_[std::size_t(chosen)];
    write(s_.settings, keys::SearchRepDic, name);
    std::optional<Target> target = resolveTarget();
    if (!target)
        return;
    const bool caseSensitive = caseBox_->isChecked();
    write(s_.settings, keys::SearchKubetu, caseSensitive ? 1 : 0);
    const SjisString sentence =
        search::dictionaryConditionSentence(target->itemText, name, caseSensitive);
    const Answer direction =
        showMessage(s_.messages, msg::kAskReplaceDirection, sentence, style::yesNoCancel);
    if (direction != Answer::Yes && direction != Answer::No)
        return;
    const std::string path = dictionaryFolder() + "/" + pathFromQString(toQString(name));
    std::optional<std::vector<search::ReplacePair>> pairs = search::readDictionary(path);
    if (!pairs) {
        showMessage(s_.messages, msg::kDictionaryReadFailed, {}, style::error);
        return;
    }
    if (direction == Answer::No)
        pairs = search::reversed(std::move(*pairs));
    const search::ReplaceTotals totals = replaceIn(target->docs, *pairs, caseSensitive);
    showReplaceOutcome(totals, target->docs.size(), sentence);
}

void CSearchWnd::showReplaceOutcome(const search::ReplaceTotals& totals, std::size_t documents,
                                    SjisView sentence)
{
    SjisString lead = search::replaceSummary(totals);
    if (totals.cancelled || totals.failure != 0) {
        // How far the run got. A cancel comes between documents, so the count is of documents
        // finished; a failure names the document it stopped in (counted as searched).
        lead += sjis("※ 全 ") + std::to_string(documents) + sjis("件の文献のうち ") +
                std::to_string(totals.documentsSearched) +
                sjis(totals.cancelled ? "件を処理したところで中止しました" : "件目で止まりました") +
                "\n\n";
    }
    lead += SjisString(sentence);
    if (totals.failure != 0) {
        lead += "\n\n" + codec::fromUtf8(totals.failedPath).text + "\n";
        showMessage(s_.messages, totals.failure, lead, style::error);
    } else if (totals.cancelled) {
        showMessage(s_.messages, msg::kBatchReplaceCancelled, lead + "\n", style::information);
    } else {
        showMessage(s_.messages, msg::kBatchReplaceDone, lead + "\n", style::information);
    }
}

void CSearchWnd::openDictionaryManager()
{
    if (!p_.isOpen())
        return;
    const int chosen = dictionaryCombo_->currentIndex();
    const SjisString current = chosen >= 0 && std::size_t(chosen) < dictionaries_.size()
                                   ? dictionaries_[std::size_t(chosen)]
                                   : SjisString();
    write(s_.settings, keys::SearchRepDic, current);
    CRepDicDlg dlg(s_.messages, dictionaryFolder(), current, this);
    if (!dlg.prepare())
        return;
    dlg.exec();
    if (dlg.changed())
        fillDictionaries(dlg.currentDictionary().empty() ? current : dlg.currentDictionary());
}

void CSearchWnd::setPhraseFromView(bool replacement, SjisView text)
{
    if (replacement && !replaceMode())
        setReplaceMode(true);
    CGokuCombo* box = replacement ? replaceBox_ : searchBox_;
    box->setPhrase(toQString(search::withoutLineBreaks(text)));
    if (showPane)
        showPane();
    box->setFocus();
    updateStates();
}

void CSearchWnd::searchInFolder(SjisView topLevelFolder)
{
    fillTargets(std::nullopt);
    // The root of the document list stands for all documents.
    const SjisString item = topLevelFolder.empty() ? search::allDocumentsItemText()
                                                   : search::folderItemText(topLevelFolder);
    const auto it = std::find(targetItems_.begin(), targetItems_.end(), item);
    if (it != targetItems_.end())
        targetCombo_->setCurrentIndex(int(it - targetItems_.begin()));
    if (showPane)
        showPane();
    searchBox_->setFocus();
}

} // namespace corvane
