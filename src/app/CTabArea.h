// The document area: document windows as tabs in one or more tab groups. The groups sit in one
// splitter, side by side (vertical groups) or stacked (horizontal groups); a layout never mixes
// both, as tab groups in a tabbed frame do.
#pragma once

#include <QList>
#include <QTabWidget>
#include <QWidget>

class QSplitter;

namespace corvane {

class DocumentWindow;

/// One tab group.
class CTabGroup : public QTabWidget
{
    Q_OBJECT
public:
    explicit CTabGroup(QWidget* parent = nullptr);
signals:
    void tabMenuRequested(int index, QPoint globalPos);
    void doubleClickedTab(int index);
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

signals:
    void activeWindowChanged(DocumentWindow* window);
    void tabMenuRequested(DocumentWindow* window, QPoint globalPos);
    /// The user clicked the close button of a tab.
    void closeRequested(DocumentWindow* window);
    /// Windows moved between groups and changed size.
    void windowsMovedBetweenGroups();

private:
    CTabGroup* makeGroup();
    CTabGroup* activeGroup() const;
    void moveWindow(DocumentWindow* window, int toGroup);
    void dropEmptyGroups();
    void setActiveGroup(CTabGroup* group);

    QSplitter* splitter_;
    CTabGroup* activeGroup_ = nullptr;
    bool tabsAtTop_ = true;
};

} // namespace corvane
