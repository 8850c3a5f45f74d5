#include "app/SearchWiring.h"

#include "app/CMainFrame.h"
#include "app/CRibbonBar.h"
#include "app/CTabArea.h"
#include "app/CVantorApp.h"
#include "app/DocumentWiring.h"
#include "app/PaneId.h"
#include "app/ProjectLifecycle.h"
#include "app/TextWindow.h"
#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"
#include "doclist/CFileView.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "search/PhraseHistory.h"
#include "search/ui/CRepGokuDlg.h"
#include "search/ui/CSearchWnd.h"
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <filesystem>

namespace corvane {

using namespace cmd;

namespace {

CVantorView* activeTextView(CMainFrame& frame)
{
    DocumentWindow* w = frame.tabArea()->activeWindow();
    if (!w || w->kind() != DocumentWindow::Kind::Text)
        return nullptr;
    auto* text = qobject_cast<TextWindow*>(w);
    return text ? text->view() : nullptr;
}

void reloadRibbonHistory(QComboBox* box, const SettingsStore& settings)
{
    const QString typed = box->currentText();
    box->clear();
    for (const SjisString& e :
         search::loadPhraseHistory(settings, search::PhraseHistory::RibbonSearch))
        box->addItem(toQString(e));
    if (box->count() > 0)
        box->setCurrentIndex(0);
    else
        box->setEditText(typed);
}

/// Selects [start, start + span) with the caret at its end, its line in the middle of the view.
void selectSpan(CVantorView& view, ByteOffset start, std::int32_t span)
{
    const ByteOffset length = view.textStore().length();
    const ByteOffset end = std::clamp<ByteOffset>(start + span, 0, length);
    const ByteOffset begin = std::clamp<ByteOffset>(start, 0, end);
    view.setSelection(begin, end, begin);
    view.setCaret(end);
    view.scrollToCaret(); // the column, without word wrap
    view.scrollToLine(
        std::max(0, view.keyTable().lineOfByte(end) - view.scrollModel().linesPerPage() / 2));
    view.redraw();
}

/// Enter in the ribbon's box runs find next once: the line edit's returnPressed comes twice
/// there, since the combo hands the ignored key back to its line edit.
class EnterRunsCommand : public QObject
{
public:
    EnterRunsCommand(QObject* parent, std::function<void()> run)
        : QObject(parent), run_(std::move(run))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                run_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> run_;
};

} // namespace

bool findInActiveView(CMainFrame& frame, CVantorApp& app, const CSearchWnd* pane,
                      search::FindDirection direction)
{
    CVantorView* view = activeTextView(frame);
    QComboBox* box = frame.ribbon() ? frame.ribbon()->searchBox() : nullptr;
    if (!view || !view->isLoaded() || !box)
        return false;
    Services& s = app.services();
    QString typed = box->currentText();
    typed.remove(QLatin1Char('\r'));
    typed.remove(QLatin1Char('\n'));
    if (typed.isEmpty())
        return false;
    bool unrepresentable = false;
    const SjisString phrase = toSjis(typed, &unrepresentable);
    if (unrepresentable) {
        showMessage(s.messages, msg::kSearchConditionFailed, {}, style::error);
        return false;
    }
    search::storePhraseHistory(s.settings, search::PhraseHistory::RibbonSearch, phrase);
    reloadRibbonHistory(box, s.settings);
    const bool caseSensitive =
        pane ? pane->caseBox()->isChecked() : read(s.settings, keys::SearchKubetu) != 0;
    const bool messages = read(s.settings, keys::SearchMes) != 0;
    const ByteRange sel = view->selection();
    const search::FindResult r = search::findInText(
        view->textStore().text(),
        search::FindRequest{phrase, caseSensitive, direction, view->caret(), sel.start, sel.end});
    if (r.status == search::FindResult::Status::Invalid) {
        showMessage(s.messages, msg::kSearchConditionFailed, {}, style::error);
        return false;
    }
    if (r.status == search::FindResult::Status::NotInText) {
        if (messages)
            showMessage(s.messages, msg::kNoMatch,
                        codec::fromUtf8("『").text + phrase + codec::fromUtf8("』に").text,
                        style::information);
        return false;
    }
    std::optional<search::Hit> hit = r.hit;
    if (!hit) {
        if (messages) {
            const int question =
                direction == search::FindDirection::Forward ? msg::kWrapToStart : msg::kWrapToEnd;
            if (showMessage(s.messages, question, {}, style::yesNo) != Answer::Yes)
                return false;
        }
        hit = r.wrapped;
        if (!hit)
            return false;
    }
    selectSpan(*view, hit->offset, hit->span);
    return true;
}

CSearchWnd* installSearchPane(CMainFrame& frame, CVantorApp& app, DocumentWiring& documents)
{
    auto* pane = new CSearchWnd(app.data(), app.services(), app.textViews().documents());
    frame.setPaneWidget(PaneId::Search, pane);
    frame.addPaneHooks(pane);
    app.refresh().addTarget(pane);
    Refresh* asRefresh = pane;
    QObject::connect(pane, &QObject::destroyed,
                     [&app, asRefresh] { app.refresh().removeTarget(asRefresh); });
    pane->showPane = [&frame] {
        if (QDockWidget* dock = frame.pane(PaneId::Search)) {
            dock->show();
            dock->raise();
        }
    };
    pane->openHit = [&app, &documents](const search::HitAddress& hit) {
        const std::optional<std::string> disk =
            docpath::toDiskPath(app.data().docFolder(), hit.relativePath);
        if (!disk || !documents.openDocument(*disk))
            return;
        TextWindow* w = documents.windowOf(*disk);
        if (CVantorView* view = w ? w->view() : nullptr)
            selectSpan(*view, hit.offset, hit.span);
    };
    pane->afterReplace = [&app, &frame](bool closedWritten) {
        // Closed documents were rewritten on disk and their markers moved: the project file
        // must say so at once, or a crash would leave the records behind the documents.
        if (closedWritten && app.hasLifecycle())
            app.lifecycle().save();
        app.refresh().rebuildMarkerList();
        app.refresh().redrawChart();
        for (CVantorView* v : app.textViews().views())
            v->redraw();
        refreshStatusCounts(app.data(), app.services());
        frame.updateCommandStates();
    };

    if (CFileView* list = documents.fileView())
        list->searchInFolder = [&app, pane](const std::string& folderDiskPath) {
            std::string folder = folderDiskPath;
            while (!folder.empty() && folder.back() == '/')
                folder.pop_back();
            const std::optional<SjisString> rel =
                docpath::toRelative(app.data().docFolder(), folder);
            // A nested folder searches its top-level folder; the root searches everything.
            SjisString top = rel ? *rel : SjisString();
            if (const std::size_t sep = top.find('\\'); sep != SjisString::npos)
                top.resize(sep);
            pane->searchInFolder(top);
        };

    QComboBox* ribbonBox = frame.ribbon() ? frame.ribbon()->searchBox() : nullptr;
    if (ribbonBox) {
        reloadRibbonHistory(ribbonBox, app.services().settings);
        // On the box as well as its line edit: the box holds the focus for the line edit and
        // hands typed keys to it past the line edit's filters.
        auto* enter = new EnterRunsCommand(pane, [&frame] { frame.runCommand(ID_SEARCH_NEXT); });
        ribbonBox->installEventFilter(enter);
        ribbonBox->lineEdit()->installEventFilter(enter);
    }
    const auto textViewActive = [&frame] { return activeTextView(frame) != nullptr; };
    frame.setCommandHandler(
        ID_SEARCH_TEXT, [] {}, textViewActive);
    frame.setCommandHandler(
        ID_SEARCH_NEXT,
        [&frame, &app, pane] {
            findInActiveView(frame, app, pane, search::FindDirection::Forward);
        },
        textViewActive);
    frame.setCommandHandler(
        ID_SEARCH_PREV,
        [&frame, &app, pane] {
            findInActiveView(frame, app, pane, search::FindDirection::Backward);
        },
        textViewActive);
    frame.setCommandHandler(
        ID_SEARCH_CLS,
        [&app, ribbonBox] {
            if (showMessage(app.services().messages, msg::kConfirmClearPhrases, {}, style::yesNo) !=
                Answer::Yes)
                return;
            search::clearPhraseHistory(app.services().settings,
                                       search::PhraseHistory::RibbonSearch);
            if (ribbonBox) {
                ribbonBox->clear();
                ribbonBox->setEditText(QString());
            }
        },
        textViewActive);

    documents.searchCommand = [&frame, &app, pane, ribbonBox](int id, const SjisString& text) {
        switch (id) {
        case ID_MARKER_TO_SEARCH:
        case ID_SELECTION_TO_SEARCH:
            pane->setPhraseFromView(false, text);
            break;
        case ID_MARKER_TO_REPLACE:
        case ID_SELECTION_TO_REPLACE:
            pane->setPhraseFromView(true, text);
            break;
        case ID_SELECTION_TO_FIND:
            if (ribbonBox) {
                ribbonBox->setEditText(toQString(search::withoutLineBreaks(text)));
                frame.runCommand(ID_SEARCH_NEXT);
            }
            break;
        case ID_DIC_REGISTER: {
            // The folder is made here when missing, as the manager would make it.
            std::error_code ec;
            std::filesystem::create_directories(pane->dictionaryFolder(), ec);
            QString dictionary = toQString(read(app.services().settings, keys::SearchRepDic));
            if (!std::filesystem::is_regular_file(
                    pane->dictionaryFolder() + "/" + pathFromQString(dictionary), ec))
                dictionary.clear(); // the last used one is gone: the user picks another
            CRepGokuDlg dlg(app.services().messages, pane->dictionaryFolder(), dictionary,
                            toQString(search::withoutLineBreaks(text)), QString(), &frame);
            if (dlg.prepare())
                dlg.exec();
            break;
        }
        default:
            break;
        }
    };
    return pane;
}

} // namespace corvane
