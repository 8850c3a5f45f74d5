// One of the ten results lists of the search pane: row 0 the condition sentence, then the hit
// rows, the last row the summary. Opening a hit row reads its path, offset and span back from
// its tail; the next and previous commands wrap between the first and the last hit.
#pragma once

#include "base/Types.h"
#include "search/SearchRun.h"

#include <QListWidget>

#include <functional>
#include <memory>
#include <vector>

class QMenu;

namespace corvane {

class CResultList : public QListWidget
{
    Q_OBJECT
public:
    explicit CResultList(QWidget* parent = nullptr);

    /// Empties the list and puts the condition sentence as row 0.
    void start(SjisView sentence);
    /// Adds rows (hit rows and the summary), all at once.
    void addRows(const std::vector<SjisString>& rows);
    void clearRows();
    /// The rows as stored (Shift-JIS).
    const std::vector<SjisString>& rows() const { return rows_; }
    /// The number of hit rows: every row but the first and the last.
    int hitCount() const;
    bool isHitRow(int row) const { return row > 0 && row + 1 < int(rows_.size()); }

    /// 389: opens the selected hit row; false when no hit row is selected.
    bool openSelected();
    /// 390 and 391: selects and opens the next (step 1) or previous (step -1) hit row, wrapping.
    void openStep(int step);
    /// 57634: the selected hit row's text to the clipboard.
    void copySelected();

    bool isCommandEnabled(int id) const;
    bool handleCommand(int id);

    /// Opens a hit (set by the pane).
    std::function<void(const search::HitAddress&)> openHit;
    /// Runs 393 (all ten lists), which the pane owns.
    std::function<void()> clearAll;
    /// Seam: the popup menu runs modally; tests replace it.
    std::function<void(QMenu&, const QPoint&)> runMenu;

    std::unique_ptr<QMenu> buildMenu();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<SjisString> rows_;
};

} // namespace corvane
