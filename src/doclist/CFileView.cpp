#include "doclist/CFileView.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/qt/QtText.h"
#include "doclist/CFileNameDlg.h"
#include "doclist/CFilePropDlg.h"
#include "doclist/CFileTree.h"
#include "doclist/FileUtil.h"
#include "doclist/Report.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"

#include <QClipboard>
#include <QCollator>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

#include <filesystem>
#include <fstream>

namespace corvane {

using doclist::DocTree;

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

/// Our own 16-pixel pictures: a folder, a page, and a page with a marker band.
QIcon drawIcon(int kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (kind == 0) {
        p.setPen(QColor(0x9a, 0x6b, 0x00));
        p.setBrush(QColor(0xf2, 0xc1, 0x4e));
        p.drawRect(1, 4, 13, 9);
        p.drawRect(1, 2, 5, 2);
    } else {
        p.setPen(QColor(0x55, 0x55, 0x55));
        p.setBrush(Qt::white);
        p.drawRect(3, 1, 10, 13);
        p.setPen(QColor(0x99, 0x99, 0xaa));
        for (int y = 4; y <= 11; y += 2)
            p.drawLine(5, y, 11, y);
        if (kind == 2) {
            p.fillRect(4, 6, 9, 3, QColor(0xff, 0x60, 0x60));
        }
    }
    return QIcon(pm);
}

/// Orders labels as a Japanese reader expects, ignoring case.
DocTree::LabelLess collatorLess()
{
    auto collator = std::make_shared<QCollator>(QLocale(QLocale::Japanese, QLocale::Japan));
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    collator->setNumericMode(false);
    return [collator](SjisView a, SjisView b) {
        const int c = collator->compare(toQString(a), toQString(b));
        return c != 0 ? c < 0 : a < b;
    };
}

std::string utf8Of(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

} // namespace

CFileView::CFileView(ProjectData& project, Services& services, doclist::DocumentWindows& windows,
                     QWidget* parent)
    : QWidget(parent), project_(project), services_(services), windows_(windows),
      model_(std::make_unique<DocTree>(collatorLess())),
      ops_(std::make_unique<doclist::DocListOps>(project, services, *model_, windows)),
      importer_(services.messages, word_), tree_(new CFileTree(this)), folderIcon_(drawIcon(0)),
      documentIcon_(drawIcon(1)), markedIcon_(drawIcon(2))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);

    askName = [this](const QString& initial, std::size_t folderBytes, bool note) {
        CFileNameDlg dlg(services_.messages, initial, folderBytes, note, this);
        return dlg.exec() == QDialog::Accepted ? std::optional<QString>(dlg.name()) : std::nullopt;
    };
    askFiles = [this] {
        return QFileDialog::getOpenFileNames(
            this, QStringLiteral("ファイルを指定(複数選択可)"), {},
            QStringLiteral("Text or Word File(txt, csv, docx) (*.txt *.csv *.doc *.docx);;"
                           "すべてのファイル(*.*) (*)"));
    };
    showFolder = [](const QString& folder) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
    };
    clipboardText = [] { return QGuiApplication::clipboard()->text(); };
    workFolder = [] {
        const std::string dir = utf8Of(QDir::tempPath()) + "/corvane-work";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        return ec ? std::string() : dir;
    };
    showProperties = [this](const QString& name, const doclist::DocumentProperties& p) {
        CFilePropDlg(name, p, this).exec();
    };

    connect(tree_, &CFileTree::customContextMenuRequested, this, [this](const QPoint& pos) {
        QTreeWidgetItem* item = tree_->itemAt(pos);
        std::unique_ptr<QMenu> menu = buildContextMenu(item);
        if (QAction* chosen = menu->exec(tree_->viewport()->mapToGlobal(pos)))
            runCommand(chosen->data().toInt(), item);
    });
    connect(tree_, &CFileTree::itemActivatedAt, this, [this](QTreeWidgetItem* item, bool onIcon) {
        Node* node = nodeOf(item);
        if (!node || !node->isDocument()) {
            if (item)
                item->setExpanded(!item->isExpanded());
            return;
        }
        runCommand(onIcon ? cmd::ID_DOC_PROPERTIES : cmd::ID_DOC_OPEN, item);
    });
    connect(tree_, &CFileTree::filesDropped, this, &CFileView::dropFiles);
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (Node* n = nodeOf(item); n && !populating_)
            n->expanded = true;
    });
    connect(tree_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (Node* n = nodeOf(item); n && !populating_)
            n->expanded = false;
    });

    connect(tree_, &CFileTree::commandKeyPressed, this, [this](int key) {
        const int command = key == Qt::Key_F2       ? cmd::ID_RENAME
                            : key == Qt::Key_Delete ? cmd::ID_DELETE
                                                    : cmd::ID_VIEW_REFRESH;
        runCommand(command, tree_->currentItem());
    });
}

CFileView::~CFileView() = default;

// --- tree mirror --------------------------------------------------------------------------

CFileView::Node* CFileView::nodeOf(QTreeWidgetItem* item) const
{
    return item ? reinterpret_cast<Node*>(item->data(0, kNodeRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem* CFileView::itemOf(const Node* node) const
{
    if (!node)
        return nullptr;
    return itemByPath(model_->itemPath(*node));
}

QTreeWidgetItem* CFileView::itemByPath(SjisView itemPath) const
{
    const Node* node = model_->find(itemPath);
    if (!node || tree_->topLevelItemCount() == 0)
        return nullptr;
    // Walk down from the root by the same path of nodes.
    std::vector<const Node*> chain;
    for (const Node* n = node; n; n = n->parent)
        chain.push_back(n);
    QTreeWidgetItem* item = tree_->topLevelItem(0);
    for (auto it = chain.rbegin() + 1; it != chain.rend() && item; ++it) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount(); ++i)
            if (nodeOf(item->child(i)) == *it)
                next = item->child(i);
        item = next;
    }
    return item;
}

void CFileView::applyIcon(QTreeWidgetItem* item, const Node& node) const
{
    item->setIcon(0, node.folder ? folderIcon_ : node.hasMarkers ? markedIcon_ : documentIcon_);
}

void CFileView::addItems(QTreeWidgetItem* parentItem, Node& node)
{
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(node.children.size()));
    for (auto& child : node.children) {
        auto* item = new QTreeWidgetItem(QStringList{toQString(child->label)});
        item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(child.get())));
        applyIcon(item, *child);
        addItems(item, *child);
        children << item;
    }
    parentItem->addChildren(children);
}

void CFileView::applyExpansion(QTreeWidgetItem* item)
{
    // Only an item that is in the tree widget can expand, so this runs after the whole tree has
    // been added.
    if (Node* node = nodeOf(item); node && node->folder)
        item->setExpanded(node->expanded);
    for (int i = 0; i < item->childCount(); ++i)
        applyExpansion(item->child(i));
}

void CFileView::populate(const SjisString& firstVisible)
{
    populating_ = true;
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    if (project_.isOpen()) {
        Node& root = model_->root();
        auto* rootItem = new QTreeWidgetItem(QStringList{toQString(root.label)});
        rootItem->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&root)));
        QFont bold = rootItem->font(0);
        bold.setBold(true);
        rootItem->setFont(0, bold);
        applyIcon(rootItem, root);
        addItems(rootItem, root);
        tree_->addTopLevelItem(rootItem);
        applyExpansion(rootItem);
        if (QTreeWidgetItem* top = firstVisible.empty() ? nullptr : itemByPath(firstVisible))
            tree_->scrollToItem(top, QAbstractItemView::PositionAtTop);
    }
    tree_->setUpdatesEnabled(true);
    populating_ = false;
}

SjisString CFileView::firstVisibleItemPath() const
{
    const Node* node = nodeOf(tree_->itemAt(QPoint(1, 1)));
    return node ? model_->itemPath(*node) : SjisString();
}

void CFileView::structureChanged(const Node* select)
{
    const SjisString top = firstVisibleItemPath();
    populate(top);
    if (QTreeWidgetItem* item = itemOf(select)) {
        tree_->setCurrentItem(item);
        tree_->scrollToItem(item);
    }
    saveViewState();
    services_.refresh.documentFoldersChanged();
}

CFileView::Node* CFileView::folderFor(Node* node) const
{
    if (!node)
        return nullptr;
    return node->isDocument() ? node->parent : node;
}

// --- lifecycle ----------------------------------------------------------------------------

void CFileView::rebuildDocumentList(bool newProject)
{
    if (!project_.isOpen()) {
        model_->clear();
        populate();
        return;
    }
    const std::optional<SjisString> top = ops_->rebuild(!newProject);
    populate(top.value_or(SjisString()));
}

void CFileView::closeDocumentList()
{
    saveViewState();
    model_->clear();
    tree_->clear();
}

void CFileView::refresh()
{
    if (!project_.isOpen())
        return;
    // A refresh keeps what the user sees: the current expansion, not the file's.
    const SjisString top = firstVisibleItemPath();
    const doclist::ViewState state = model_->viewState(top);
    ops_->rebuild(false);
    model_->applyViewState(state);
    populate(top);
    services_.refresh.documentFoldersChanged();
}

void CFileView::saveViewState()
{
    if (project_.isOpen() && tree_->topLevelItemCount() > 0)
        ops_->writeViewState(firstVisibleItemPath());
}

void CFileView::setDocumentMarked(SjisView relativePath, bool hasMarkers)
{
    if (Node* node = ops_->setHasMarkers(relativePath, hasMarkers))
        if (QTreeWidgetItem* item = itemOf(node))
            applyIcon(item, *node);
}

void CFileView::selectDocument(const std::string& fullPath)
{
    const std::optional<SjisString> relative = docpath::toRelative(ops_->docFolder(), fullPath);
    if (!relative)
        return;
    if (QTreeWidgetItem* item = itemOf(ops_->findDocument(*relative))) {
        tree_->setCurrentItem(item);
        tree_->scrollToItem(item);
    }
}

// --- menus --------------------------------------------------------------------------------

std::unique_ptr<QMenu> CFileView::buildContextMenu(QTreeWidgetItem* item)
{
    auto menu = std::make_unique<QMenu>(this);
    auto add = [&](QMenu* m, int command, const QString& text, bool enabled = true) {
        QAction* a = m->addAction(text);
        a->setData(command);
        a->setEnabled(enabled);
        return a;
    };
    Node* node = nodeOf(item);
    const QString refreshText = QStringLiteral("最新の情報に更新(&R)\tF5");
    if (!node || !project_.isOpen()) {
        menu->setObjectName(QStringLiteral("VIEW"));
        add(menu.get(), cmd::ID_VIEW_REFRESH, refreshText);
    } else if (node->isRoot()) {
        menu->setObjectName(QStringLiteral("ROOT"));
        add(menu.get(), cmd::ID_NEW_FOLDER, QStringLiteral("新しいフォルダ(&N)"));
        add(menu.get(), cmd::ID_SEARCH_IN_FOLDER, QStringLiteral("このフォルダ内を検索・置換(&S)"),
            bool(searchInFolder));
        add(menu.get(), cmd::ID_OPEN_LOCATION, QStringLiteral("フォルダの場所を開く(&E)"));
        menu->addSeparator();
        add(menu.get(), cmd::ID_VIEW_REFRESH, refreshText);
    } else if (node->folder) {
        menu->setObjectName(QStringLiteral("FOLDER"));
        QMenu* sub = menu->addMenu(QStringLiteral("文献を追加(&D)"));
        add(sub, cmd::ID_ADD_NEW_FILE, QStringLiteral("新しいファイルを作成して追加(&F)"));
        add(sub, cmd::ID_ADD_EXISTING, QStringLiteral("既存のファイルから追加(&A)\tDrag&&Drop"));
        add(sub, cmd::ID_ADD_CLIPBOARD, QStringLiteral("クリップボード内のテキストから追加(&C)"),
            !clipboardText().isEmpty());
        add(menu.get(), cmd::ID_OPEN_ALL, QStringLiteral("フォルダ内の文献をすべて開く(&O)"));
        add(menu.get(), cmd::ID_SEARCH_IN_FOLDER, QStringLiteral("このフォルダ内を検索・置換(&S)"),
            bool(searchInFolder));
        add(menu.get(), cmd::ID_OPEN_LOCATION, QStringLiteral("フォルダの場所を開く(&E)"));
        menu->addSeparator();
        add(menu.get(), cmd::ID_RENAME, QStringLiteral("名前の変更(&M)\tF2"));
        add(menu.get(), cmd::ID_DELETE, QStringLiteral("削除(&D)\tDelete"));
    } else {
        menu->setObjectName(QStringLiteral("FILE"));
        const bool open = ops_->isOpen(*node);
        add(menu.get(), cmd::ID_DOC_OPEN, QStringLiteral("開く(&O)"), ops_->canOpen(*node));
        add(menu.get(), cmd::ID_DOC_CLOSE, QStringLiteral("閉じる(&C)"), open);
        menu->addSeparator();
        add(menu.get(), cmd::ID_RENAME, QStringLiteral("名前の変更(&M)\tF2"));
        add(menu.get(), cmd::ID_DELETE, QStringLiteral("削除(&D)\tDelete"));
        menu->addSeparator();
        add(menu.get(), cmd::ID_DOC_MARKER_LIST, QStringLiteral("この文献のマーカリスト(&L)"),
            bool(showMarkerList));
        add(menu.get(), cmd::ID_DOC_PROPERTIES, QStringLiteral("プロパティ(&P)"));
    }
    return menu;
}

void CFileView::runCommand(int command, QTreeWidgetItem* item)
{
    Node* node = nodeOf(item);
    if (command == cmd::ID_VIEW_REFRESH) {
        refresh();
        return;
    }
    if (!node || !project_.isOpen())
        return;
    switch (command) {
    case cmd::ID_NEW_FOLDER:
        if (node->folder)
            newFolder(*node);
        break;
    case cmd::ID_RENAME:
        if (!node->isRoot())
            rename(*node);
        break;
    case cmd::ID_DELETE:
        if (!node->isRoot())
            remove(*node);
        break;
    case cmd::ID_DOC_OPEN:
        if (node->isDocument())
            openDocument(*node);
        break;
    case cmd::ID_OPEN_ALL:
        if (node->folder) {
            ops_->openAllIn(*node);
        }
        break;
    case cmd::ID_DOC_CLOSE:
        if (node->isDocument() && ops_->isOpen(*node))
            windows_.closeView(ops_->diskPath(*node));
        break;
    case cmd::ID_OPEN_LOCATION:
        if (node->folder)
            openLocation(*node);
        break;
    case cmd::ID_SEARCH_IN_FOLDER:
        if (node->folder && searchInFolder)
            searchInFolder(ops_->diskPath(*node));
        break;
    case cmd::ID_DOC_MARKER_LIST:
        if (node->isDocument() && showMarkerList)
            showMarkerList(model_->relativePath(*node));
        break;
    case cmd::ID_DOC_PROPERTIES:
        if (node->isDocument())
            showPropertiesOf(*node);
        break;
    case cmd::ID_ADD_EXISTING:
        if (Node* folder = folderFor(node); folder && !folder->isRoot())
            addExisting(*folder);
        break;
    case cmd::ID_ADD_NEW_FILE:
        if (Node* folder = folderFor(node); folder && !folder->isRoot())
            newFile(*folder);
        break;
    case cmd::ID_ADD_CLIPBOARD:
        if (Node* folder = folderFor(node); folder && !folder->isRoot())
            addFromClipboard(*folder);
        break;
    default:
        qWarning() << "CFileView: unknown command" << command;
        break;
    }
}

// --- commands -----------------------------------------------------------------------------

void CFileView::newFolder(Node& parent)
{
    if (Node* folder = ops_->newFolder(parent))
        structureChanged(folder);
}

void CFileView::rename(Node& node)
{
    const std::optional<QString> name =
        askName(toQString(node.label), ops_->folderPathSjisBytes(*node.parent), false);
    if (!name)
        return;
    if (ops_->rename(node, utf8Of(*name))) {
        structureChanged(&node);
        saveIfRecordsChanged();
    }
}

void CFileView::remove(Node& node)
{
    if (!ops_->confirmDelete(node))
        return;
    const SjisString parentPath = model_->itemPath(*node.parent);
    ops_->remove(node);
    // Shown again even after a failure: a folder deletion that stopped half-way has still
    // removed what it could.
    structureChanged(model_->find(parentPath));
    saveIfRecordsChanged();
}

void CFileView::saveIfRecordsChanged()
{
    // The disk has changed for good; a project file left as it was would name documents that no
    // longer exist should the process end before the next save. Closing saves without asking
    // anyway, so saving now takes nothing from the user.
    if (ops_->takeRecordsChanged() && saveProjectFile)
        saveProjectFile();
}

void CFileView::openDocument(Node& node)
{
    ops_->open(node);
}

void CFileView::openLocation(Node& folder)
{
    showMessage(services_.messages, msg::kDirectEditNotice, {}, style::information);
    if (!showFolder(QString::fromStdString(ops_->diskPath(folder))))
        showMessage(services_.messages, msg::kFileManagerFailed, {}, style::error);
}

void CFileView::addExisting(Node& folder)
{
    const QStringList files = askFiles();
    if (files.isEmpty())
        return;
    std::vector<std::string> sources;
    for (const QString& f : files)
        sources.push_back(utf8Of(f));
    const std::vector<Node*> added = ops_->importInto(folder, sources, importer_);
    if (!added.empty())
        structureChanged(added.back());
}

void CFileView::newFile(Node& folder)
{
    QString initial = QStringLiteral("新しいファイル");
    for (;;) {
        const std::optional<QString> name =
            askName(initial, ops_->folderPathSjisBytes(folder), false);
        if (!name)
            return;
        bool exists = false;
        Node* document = ops_->createEmptyDocument(folder, utf8Of(*name), exists);
        if (document) {
            structureChanged(document);
            ops_->open(*document);
            return;
        }
        if (!exists)
            return; // the failure was reported
        if (showMessage(services_.messages, msg::kSameNameExists, {}, style::yesNo) != Answer::Yes)
            return;
        initial = *name;
    }
}

void CFileView::addFromClipboard(Node& folder)
{
    const QString text = clipboardText();
    if (text.isEmpty()) {
        showMessage(services_.messages, msg::kClipboardFailed, {}, style::error);
        return;
    }
    QString initial = QStringLiteral("無題");
    std::string nameUtf8;
    for (;;) {
        const std::optional<QString> name =
            askName(initial, ops_->folderPathSjisBytes(folder), true);
        if (!name)
            return;
        nameUtf8 = utf8Of(*name);
        if (!doclist::pathExists(ops_->diskPath(folder) + "/" + nameUtf8))
            break;
        if (showMessage(services_.messages, msg::kSameNameExists, {}, style::yesNo) != Answer::Yes)
            return;
        initial = *name;
    }

    // The text goes through a file of the chosen name in a folder of its own, so that the import
    // names the document after it and a second import at the same moment cannot collide.
    const std::string work = workFolder();
    std::string scratch = work + "/clip-XXXXXX";
    if (work.empty() || !::mkdtemp(scratch.data())) {
        showMessage(services_.messages, msg::kWorkFolderFailed, {}, style::error);
        return;
    }
    const std::string temp = scratch + "/" + nameUtf8;
    const std::string bytes = utf8Of(text);
    if (doclist::createFileExclusive(temp, bytes) != doclist::CreateResult::Created) {
        showMessage(services_.messages, msg::kOpenFailed, {}, style::error);
        std::filesystem::remove_all(scratch);
        return;
    }
    const std::vector<Node*> added = ops_->importInto(folder, {temp}, importer_, true);
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    if (!added.empty())
        structureChanged(added.back());
}

void CFileView::showPropertiesOf(Node& document)
{
    showProperties(toQString(document.label), ops_->properties(document));
}

void CFileView::dropFiles(QTreeWidgetItem* item, const QStringList& paths)
{
    std::vector<std::string> sources;
    for (const QString& p : paths)
        sources.push_back(utf8Of(p));
    const doclist::DropDecision decision = ops_->dropTarget(nodeOf(item), sources);
    if (decision.number != 0) {
        showMessage(services_.messages, decision.number, {},
                    decision.number == msg::kDropFilesNotFolders ? style::warning
                                                                 : style::information);
        return;
    }
    if (!decision.folder || sources.empty())
        return;
    const std::vector<Node*> added = ops_->importInto(*decision.folder, sources, importer_);
    if (!added.empty())
        structureChanged(added.back());
}

} // namespace corvane
