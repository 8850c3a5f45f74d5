// The subject list pane "題名リスト": the toolbar and the grid of main subjects and sub-subjects,
// the commands that add, retitle and delete them (one at a time or from the clipboard), the link
// target menus and the link list of a sub-subject, and the links made by dropping markers on rows.
#pragma once

#include "app/LifecycleHooks.h"
#include "base/Refresh.h"
#include "base/Services.h"
#include "model/ProjectData.h"
#include "subjects/SubjectColours.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace corvane {

class CMySubjectCtrl;
class CSubjectToolBar;
class CSubjectDlg;
class CLinkListDlg;

class CSubjectWnd : public QWidget, public Refresh, public LifecycleHooks
{
    Q_OBJECT
public:
    CSubjectWnd(ProjectData& project, Services& services, QWidget* parent = nullptr);
    ~CSubjectWnd() override;

    CMySubjectCtrl* grid() const { return grid_; }
    CSubjectToolBar* toolBar() const { return toolBar_; }

    /// Rebuilds the grid from the object table. Groups keep the state they had in the grid; on
    /// the first rebuild of a project they take the state file's.
    void rebuild();
    /// Runs a command of the pane (command ids); false when it is disabled.
    bool runCommand(int id);
    bool isCommandEnabled(int id) const;

    /// The context menu of a place of the grid; empty while no project is open.
    std::unique_ptr<QMenu> buildContextMenu(SubjectMenuKind kind);
    /// Fills menu with the link targets of the sub-subject (2001-2010, 2000) or "リンクなし".
    void fillLinkTargetMenu(QMenu& menu, ObjectId subSubject);

    // Seams for the dialogs, the clipboard and the windows outside the pane; tests replace them.
    std::function<bool(CSubjectDlg&)> runSubjectDialog;
    std::function<void(CLinkListDlg&)> runLinkListDialog;
    std::function<void(QMenu&, const QPoint&)> runMenu;
    /// The clipboard's text as Shift-JIS; nullopt when it holds none.
    std::function<std::optional<SjisString>()> clipboardText;
    /// Shows a link target (object index): opens its document and makes it the current object.
    std::function<void(int)> showTarget;
    /// Centres the sub-subject's node in the chart view (513); unset while there is no chart.
    std::function<void(ObjectId)> showInChart;
    /// Exports the subject list to a spreadsheet (466); unset while there is no export.
    std::function<void()> exportToSpreadsheet;

    // Refresh: the link mark of a row follows every link change.
    void updateLinkMark(ObjectId subSubject) override;
    /// The link list of any object (a marker's link-count box, its command 348).
    void showLinksOfObject(ObjectId id) override;

    // LifecycleHooks: opening and closing a project.
    void rebuildSubjectList() override;
    void closeSubjectList() override;

private:
    void addSubject(const SjisString& presetMainTitle);
    void changeSubject();
    void deleteSubject();
    void deleteMainSubject();
    void deleteAll();
    void batchAdd();
    void showBatchHelp();
    void chooseColour(std::optional<SubjectColour> which);
    void showLinkTargetMenu();
    void openLinkList(ObjectId subSubject);
    void onObjectDropped(ObjectId dragged, ObjectId subSubject);
    void updateToolBar();
    /// Rebuild, then redraw the chart when it is shown.
    void changed();

    ProjectData& p_;
    Services& s_;
    CSubjectToolBar* toolBar_;
    CMySubjectCtrl* grid_;
    SubjectMenuKind lastMenuKind_ = SubjectMenuKind::None;
    /// True once the grid was built for the open project: later rebuilds keep the grid's own
    /// group states instead of reading the state file again.
    bool builtForProject_ = false;
};

} // namespace corvane
