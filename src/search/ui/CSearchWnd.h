// The search and replace pane "検索・置換": in search mode the phrase box, target, case box,
// results list choice, the search button and the ten results lists; in replace mode the two
// phrase boxes, target, case box, the two batch replace buttons and the dictionary list with its
// manager. Searches and replaces run through the search logic; the pane only gathers the
// conditions, asks the questions and shows the results.
#pragma once

#include "app/LifecycleHooks.h"
#include "base/Refresh.h"
#include "base/Services.h"
#include "model/ProjectData.h"
#include "search/Replace.h"
#include "search/SearchRun.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace corvane {

class CGokuCombo;
class CResultList;
class OpenDocuments;

class CSearchWnd : public QWidget, public Refresh, public LifecycleHooks
{
    Q_OBJECT
public:
    static constexpr int kResultLists = 10;

    CSearchWnd(ProjectData& project, Services& services, OpenDocuments& open,
               QWidget* parent = nullptr);

    QCheckBox* modeBox() const { return modeBox_; }
    CGokuCombo* searchBox() const { return searchBox_; }
    CGokuCombo* replaceBox() const { return replaceBox_; }
    QComboBox* targetCombo() const { return targetCombo_; }
    QCheckBox* caseBox() const { return caseBox_; }
    QComboBox* outputCombo() const { return outputCombo_; }
    QPushButton* searchButton() const { return searchButton_; }
    QPushButton* replacePairButton() const { return replacePairButton_; }
    QPushButton* replaceDictionaryButton() const { return replaceDicButton_; }
    QComboBox* dictionaryCombo() const { return dictionaryCombo_; }
    QPushButton* dictionaryManagerButton() const { return dicManageButton_; }
    QTabWidget* resultTabs() const { return tabs_; }
    QToolBar* resultToolBar() const { return toolBar_; }
    CResultList* resultList(int index) const { return lists_[std::size_t(index)]; }
    CResultList* shownResultList() const;

    bool replaceMode() const;
    /// 424: switches the mode, writes "Change" and lays the pane out again.
    void setReplaceMode(bool replace);

    /// 386.
    void runSearch();
    /// 520.
    void runReplacePair();
    /// 521.
    void runReplaceDictionary();
    /// 524.
    void openDictionaryManager();

    /// The text view's 460/405 (search phrase) and 542/428 (replacement phrase): the box takes
    /// the text, the pane is shown (in replace mode for a replacement phrase) and the box focused.
    void setPhraseFromView(bool replacement, SjisView text);
    /// The document list's 432: the pane with the top-level folder as the target.
    void searchInFolder(SjisView topLevelFolder);
    /// The dictionary folder (UTF-8, "dic" beside "doc").
    std::string dictionaryFolder() const;

    // Refresh
    void documentFoldersChanged() override;
    // LifecycleHooks
    void refreshSearchPane(int target, const std::string& repDicSjis) override;
    void closeDocumentList() override;

    /// Shows the pane when hidden (the frame's dock); unset in tests.
    std::function<void()> showPane;
    /// Opens a hit in a text view and selects its span (the document wiring).
    std::function<void(const search::HitAddress&)> openHit;
    /// Called after a replace changed documents: the panes are rebuilt and, when documents on
    /// disk were rewritten (closedWritten), the project file is saved with their moved markers.
    std::function<void(bool closedWritten)> afterReplace;
    /// Runs a long replace job; the default runs it off the user-interface thread behind a
    /// progress dialog that can cancel between documents. Tests may run it in place.
    std::function<search::ReplaceTotals(
        const std::function<search::ReplaceTotals(search::Progress*)>&)>
        runLongJob;

private:
    void buildControls();
    void layOut();
    void updateStates();
    void fillTargets(std::optional<int> chooseIndex);
    void fillDictionaries(SjisView choose);
    /// The phrase of a box in Shift-JIS; nullopt after 30055 when code page 932 cannot hold it.
    std::optional<SjisString> phraseOf(const CGokuCombo* box);
    void reloadHistory(CGokuCombo* box, bool replacement);

    struct Target
    {
        search::TargetKey key;
        SjisString itemText;
        std::vector<search::TargetDocument> docs;
    };
    /// Reads and stores the target choice; asks 30064 when the target needs an open document
    /// and none is; checks 30101 for the current document under a chart view.
    std::optional<Target> resolveTarget();
    /// documents: how many the target held, for the line saying how far a stopped run got.
    void showReplaceOutcome(const search::ReplaceTotals& totals, std::size_t documents,
                            SjisView sentence);
    search::ReplaceTotals
    runJob(const std::function<search::ReplaceTotals(search::Progress*)>& job);
    /// The pairs over docs: open documents here, on the user-interface thread, as their views
    /// follow their texts; closed ones through runJob.
    search::ReplaceTotals replaceIn(const std::vector<search::TargetDocument>& docs,
                                    const std::vector<search::ReplacePair>& pairs,
                                    bool caseSensitive);

    ProjectData& p_;
    Services& s_;
    OpenDocuments& open_;
    QCheckBox* modeBox_ = nullptr;
    QLabel* searchLabel_ = nullptr;
    CGokuCombo* searchBox_ = nullptr;
    QLabel* replaceLabel_ = nullptr;
    CGokuCombo* replaceBox_ = nullptr;
    QComboBox* targetCombo_ = nullptr;
    QCheckBox* caseBox_ = nullptr;
    QWidget* outputRow_ = nullptr;
    QComboBox* outputCombo_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* replacePairButton_ = nullptr;
    QPushButton* replaceDicButton_ = nullptr;
    QWidget* dictionaryRow_ = nullptr;
    QComboBox* dictionaryCombo_ = nullptr;
    QPushButton* dicManageButton_ = nullptr;
    QWidget* resultsArea_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<CResultList*, kResultLists> lists_{};
    std::vector<SjisString> targetItems_;  ///< the target combo's items as Shift-JIS
    std::vector<SjisString> dictionaries_; ///< the dictionary combo's items as Shift-JIS
};

} // namespace corvane
