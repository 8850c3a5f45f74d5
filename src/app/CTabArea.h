// The document area: document windows as tabs in one or more tab groups. The groups sit in one
// splitter, side by side (vertical groups) or stacked (horizontal groups); a layout never mixes
// both, as tab groups in a tabbed frame do.
#pragma once

#include <QList>
#include <QTabWidget>
#include <QWidget>

class QMimeData;
class QSplitter;

namespace corvane {

class CTabArea;
class DocumentWindow;

/// The drag data type of a tab dragged between tab groups.
inline constexpr const char* kTabMimeType = "application/x-corvane-document-tab";

/// One tab group. Its tabs can be dragged onto another group: with the left button the tab
/// moves there, with the right button the drop offers the tab group commands.
class CTabGroup : public QTabWidget
{
    Q_OBJECT
public:
    CTabGroup(CTabArea* area, QWidget* parent = nullptr);
    CTabArea* area() const { return area_; }

signals:
    void tabMenuRequested(int index, QPoint globalPos);
    void doubleClickedTab(int index);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CTabArea* area_;
};

class CTabArea : public QWidget
{
    Q_OBJECT
public:
    explicit CTabArea(QWidget* parent = nullptr);

    /// Adds the window as the last tab of the active group and activates it.
    void addWindow(DocumentWindow* window);
    /// Removes the tab and deletes the window (no questions asked; the caller asked already).
    void removeWindow(DocumentWindow* window);
    /// Every document window, group by group, tab by tab.
    QList<DocumentWindow*> windows() const;
    DocumentWindow* activeWindow() const;
    void activate(DocumentWindow* window);

    int groupCount() const;
    int groupOf(const DocumentWindow* window) const;
    CTabGroup* group(int index) const;
    /// Qt::Horizontal when the groups sit side by side (new vertical group).
    Qt::Orientation groupOrientation() const;

    /// Whether each tab group command may run for the active window now.
    bool canNewGroup(Qt::Orientation sideBySideOrStacked) const;
    bool canMoveToNextGroup() const;
    bool canMoveToPreviousGroup() const;
    /// The tab group commands on the active window; false when not allowed.
    bool newGroup(Qt::Orientation orientation);
    bool moveToNextGroup();
    bool moveToPreviousGroup();

    void setTabsAtTop(bool top);
    bool tabsAtTop() const { return tabsAtTop_; }

    /// Updates the tab text and the modified mark of the window's tab.
    void updateTab(DocumentWindow* window);

    // --- dragging tabs between groups ----------------------------------------------------------
    /// The drag data for window's tab; rightButton: the drop asks what to do.
    static QMimeData* tabMimeData(const DocumentWindow* window, bool rightButton);
    /// The window a tab drag of this process carries; null for any other drag or a window that
    /// has gone meanwhile.
    DocumentWindow* draggedWindow(const QMimeData* data) const;
    /// Whether a drop of data on target may take place: a tab of another group.
    bool acceptsDrop(const QMimeData* data, const CTabGroup* target) const;
    /// The drop of a tab drag on target, before tab index atIndex (-1: at the end). Runs once the
    /// drag has ended: a left-button drag moves the window there, a right-button drag activates
    /// it and asks for the tab group menu (tabDropMenuRequested at globalPos).
    void dropTab(const QMimeData* data, CTabGroup* target, int atIndex, QPoint globalPos);
    /// Moves window into group toGroup before tab atIndex (-1: at the end); false when that is
    /// its own group.
    bool moveWindowToGroup(DocumentWindow* window, int toGroup, int atIndex = -1);

signals:
    void activeWindowChanged(DocumentWindow* window);
    void tabMenuRequested(DocumentWindow* window, QPoint globalPos);
    /// The user clicked the close button of a tab.
    void closeRequested(DocumentWindow* window);
    /// Windows moved between groups and changed size.
    void windowsMovedBetweenGroups();
    /// A tab was dropped on another group with the right button: offer the tab group commands
    /// for window (now the active window).
    void tabDropMenuRequested(DocumentWindow* window, QPoint globalPos);

private:
    CTabGroup* makeGroup();
    CTabGroup* activeGroup() const;
    void moveWindow(DocumentWindow* window, int toGroup, int atIndex = -1);
    void dropEmptyGroups();
    void setActiveGroup(CTabGroup* group);

    QSplitter* splitter_;
    CTabGroup* activeGroup_ = nullptr;
    bool tabsAtTop_ = true;
};

} // namespace corvane
