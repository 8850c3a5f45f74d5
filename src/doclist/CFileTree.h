// The tree control of the document list: shows the items, accepts files dropped from the desktop
// or a file manager (text/uri-list), and tells a double click on an item's icon from one on its
// label. Everything it shows comes from CFileView; it decides nothing itself.
#pragma once

#include <QStringList>
#include <QTreeWidget>

namespace corvane {

class CFileTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CFileTree(QWidget* parent = nullptr);

    /// True when pos (viewport coordinates) lies on the icon of item.
    bool isOnIcon(QTreeWidgetItem* item, const QPoint& pos) const;

signals:
    /// Local files dropped at pos (viewport coordinates); item is null outside every item.
    void filesDropped(QTreeWidgetItem* item, const QStringList& paths);
    /// Double click on an item: onIcon tells the icon from the label.
    void itemActivatedAt(QTreeWidgetItem* item, bool onIcon);
    /// One of the list's own keys (F2, Delete, F5) was pressed while the tree had focus.
    void commandKeyPressed(int key);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace corvane
