// The document list pane "文献リスト": the tree of the project's documents with its four context
// menus, keys, drag and drop of files, and the import commands. It mirrors the plain tree kept by
// DocListOps, which does the work on disk and in the records.
#pragma once

#include "app/LifecycleHooks.h"
#include "base/Services.h"
#include "doclist/DocListOps.h"
#include "doclist/DocumentImporter.h"
#include "model/ProjectData.h"

#include <QIcon>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QTreeWidgetItem;

namespace corvane {

class CFileTree;

class CFileView : public QWidget, public LifecycleHooks
{
    Q_OBJECT
public:
    using Node = doclist::DocTree::Node;

    CFileView(ProjectData& project, Services& services, doclist::DocumentWindows& windows,
              QWidget* parent = nullptr);
    ~CFileView() override;

    CFileTree* tree() const { return tree_; }
    doclist::DocListOps& ops() { return *ops_; }
    doclist::DocTree& model() { return *model_; }

    // --- LifecycleHooks --------------------------------------------------------------------
    void rebuildDocumentList(bool newProject) override;
    void closeDocumentList() override;

    /// F5: the tree read from the disk again, keeping the current expansion and scroll position.
    void refresh();
    /// Writes the view-state file (after structural changes, at save and close).
    void saveViewState();
    /// The document (relative path) gained its first or lost its last marker.
    void setDocumentMarked(SjisView relativePath, bool hasMarkers);
    /// Selects the document (full disk path) in the tree, e.g. when its text view opens.
    void selectDocument(const std::string& fullPath);

    Node* nodeOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* itemOf(const Node* node) const;
    QTreeWidgetItem* itemByPath(SjisView itemPath) const;

    /// The context menu for item (null: the empty area), with every action's enabling; each
    /// action's data is its command number.
    std::unique_ptr<QMenu> buildContextMenu(QTreeWidgetItem* item);
    /// Runs a command on item as its menu entry would.
    void runCommand(int command, QTreeWidgetItem* item);
    /// Files dropped on item (null: outside every item).
    void dropFiles(QTreeWidgetItem* item, const QStringList& paths);

    // --- replaceable for tests: dialogs and the outside world --------------------------------
    /// The name dialog; nullopt when cancelled.
    std::function<std::optional<QString>(const QString& initial, std::size_t folderPathSjisBytes,
                                         bool clipboardNote)>
        askName;
    /// The multi-select file dialog of command 350.
    std::function<QStringList()> askFiles;
    /// Shows a folder in the file manager; false when it could not be started.
    std::function<bool(const QString& folderPath)> showFolder;
    /// The clipboard's text; empty when it holds none.
    std::function<QString()> clipboardText;
    /// A private folder for temporary files (the clipboard import); empty when none.
    std::function<std::string()> workFolder;
    /// Search/replace in this folder (432) and the marker list of one document (355).
    std::function<void(const std::string& folderDiskPath)> searchInFolder;
    std::function<void(const SjisString& relativePath)> showMarkerList;
    /// Saves the project file; called when a rename or delete changed records along with the
    /// disk. The default does nothing (the shell installs the lifecycle's save).
    std::function<void()> saveProjectFile;
    /// The document properties dialog (135).
    std::function<void(const QString& name, const doclist::DocumentProperties&)> showProperties;

private:
    void populate(const SjisString& firstVisibleItemPath = {});
    void addItems(QTreeWidgetItem* parentItem, Node& node);
    void applyExpansion(QTreeWidgetItem* item);
    void applyIcon(QTreeWidgetItem* item, const Node& node) const;
    SjisString firstVisibleItemPath() const;
    /// After a structural change: tree shown again, node selected, view state written, the lists
    /// that name folders told.
    void structureChanged(const Node* select);
    Node* folderFor(Node* node) const;

    void newFolder(Node& parent);
    void rename(Node& node);
    void remove(Node& node);
    void saveIfRecordsChanged();
    void openDocument(Node& node);
    void openLocation(Node& folder);
    void addExisting(Node& folder);
    void newFile(Node& folder);
    void addFromClipboard(Node& folder);
    void showPropertiesOf(Node& document);

    ProjectData& project_;
    Services& services_;
    doclist::DocumentWindows& windows_;
    std::unique_ptr<doclist::DocTree> model_;
    std::unique_ptr<doclist::DocListOps> ops_;
    doclist::WordConversion word_;
    doclist::DocumentImporter importer_;
    CFileTree* tree_;
    QIcon folderIcon_, documentIcon_, markedIcon_;
    bool populating_ = false;
};

} // namespace corvane
