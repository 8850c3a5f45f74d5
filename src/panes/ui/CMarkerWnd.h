// The marker list pane "マーカリスト": the target combo, the colour filter button with its RGB
// text, the toolbar and the list. It rebuilds after every change of the object table (the
// refresh calls) and takes the colour filter from the text view's command and marker drags.
#pragma once

#include "base/Refresh.h"
#include "base/Services.h"
#include "model/ProjectData.h"
#include "panes/MarkerRows.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QToolBar;

namespace corvane {

class CMarkerColourButton;
class CMarkerList;

class CMarkerWnd : public QWidget, public Refresh
{
    Q_OBJECT
public:
    CMarkerWnd(ProjectData& project, Services& services, QWidget* parent = nullptr);

    CMarkerList* list() const { return list_; }
    QComboBox* targetCombo() const { return combo_; }
    CMarkerColourButton* colourButton() const { return colourButton_; }
    QLabel* colourText() const { return colourText_; }
    QToolBar* toolBar() const { return toolBar_; }

    /// Sets the button, the filter, the RGB text and Last/refMarker; the rows wait for the next
    /// rebuild.
    void setColourFilter(MarkerColourFilter colour);
    /// The document list's "この文献のマーカリスト": the target becomes "現在の文献" without a
    /// colour filter and the rows are rebuilt. The caller has opened the document.
    void showMarkersOfCurrentDocument();
    /// The user chose combo item index (as the combo's activation does).
    void chooseTarget(int index);

    // Refresh
    void rebuildMarkerList() override;
    void documentFoldersChanged() override;
    void showMarkerColourInList(Colour colour) override;

    /// Shows the pane when it is hidden (the frame's dock); unset in tests.
    std::function<void()> showPane;

private:
    /// Refills the folder items of the combo when the top-level folders changed; the chosen
    /// item stays chosen by its text.
    void updateTargetItems();
    std::vector<SjisString> topLevelFolders() const;
    void updateToolBar();

    ProjectData& p_;
    Services& s_;
    QComboBox* combo_ = nullptr;
    CMarkerColourButton* colourButton_ = nullptr;
    QLabel* colourText_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    CMarkerList* list_ = nullptr;
    std::vector<SjisString> items_; ///< the combo's items as Shift-JIS
};

} // namespace corvane
