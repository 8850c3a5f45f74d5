#include "app/CRibbonBar.h"

#include "app/CPinButton.h"
#include "app/CommandTable.h"
#include "app/RibbonIcons.h"
#include "app/RibbonLargeButton.h"
#include "res/ui/CommandIds.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

using namespace cmd;

namespace {

constexpr int kSmallIcon = 16;
/// The least panel height; panels grow together when a label needs more room.
constexpr int kPanelHeight = 96;

/// The ribbon's labels carry their shortcut in brackets for the tooltip; the button text does
/// not need it.
QString buttonText(int id)
{
    const CommandInfo* info = findCommand(id);
    QString text = info ? QString::fromUtf8(info->label) : QString();
    const int bracket = text.indexOf(QStringLiteral(" ("));
    if (bracket > 0)
        text.truncate(bracket);
    return text;
}

} // namespace

CRibbonBar::CRibbonBar(ActionLookup actions, QWidget* parent)
    : QWidget(parent), actions_(std::move(actions))
{
    setObjectName(QStringLiteral("ribbon"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "#ribbon { background: #f3f3f3; border-bottom: 1px solid #c8c8c8; }"
        "#ribbonTop { background: #e8ecf2; }"
        "#appButton { background: #2b579a; color: white; border: none; padding: 3px 14px;"
        "  font-weight: bold; }"
        "#appButton:hover { background: #3c6bb5; }"
        "#appButton::menu-indicator { image: none; width: 0px; }"
        "#ribbonPanels { background: #f8f8f8; border-top: 1px solid #c8c8c8; }"
        "QLabel#panelTitle { color: #555; }"
        "QFrame#panelSeparator { color: #d4d4d4; }"
        "QToolButton { border: 1px solid transparent; border-radius: 2px; padding: 1px; }"
        "QToolButton:hover { background: #dde8f5; border-color: #a9c3e3; }"
        "QToolButton:checked { background: #cfe0f4; border-color: #8fb2dc; }"
        "QToolButton:disabled { color: #a0a0a0; }"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Top row: application button, category tab, quick access, minimise and help.
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("ribbonTop"));
    top->setAttribute(Qt::WA_StyledBackground, true);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 4, 0);
    topLayout->setSpacing(2);

    auto* appButton = new QToolButton(top);
    appButton->setObjectName(QStringLiteral("appButton"));
    appButton->setText(QStringLiteral("ファイル"));
    appButton->setPopupMode(QToolButton::InstantPopup);
    appMenu_ = new QMenu(appButton);
    appButton->setMenu(appMenu_);
    topLayout->addWidget(appButton);
    buildApplicationMenu();

    category_ = new QTabBar(top);
    category_->setObjectName(QStringLiteral("category"));
    category_->addTab(QStringLiteral("ホーム   WClick , Ctrl+F1"));
    category_->setDrawBase(false);
    category_->setExpanding(false);
    connect(category_, &QTabBar::tabBarDoubleClicked, this,
            [this](int) { emit minimiseToggleRequested(); });
    topLayout->addWidget(category_);
    topLayout->addStretch(1);

    auto* quick = new QWidget(top);
    quickLayout_ = new QHBoxLayout(quick);
    quickLayout_->setContentsMargins(0, 0, 0, 0);
    quickLayout_->setSpacing(1);
    topLayout->addWidget(quick);

    auto* line = new QFrame(top);
    line->setFrameShape(QFrame::VLine);
    topLayout->addWidget(line);
    topLayout->addWidget(smallButton(ID_SHOW_MENU, false));
    topLayout->addWidget(smallButton(ID_HELP_DSP, false));
    outer->addWidget(top);

    // Panel row.
    panelRow_ = new QWidget(this);
    panelRow_->setObjectName(QStringLiteral("ribbonPanels"));
    panelRow_->setAttribute(Qt::WA_StyledBackground, true);
    auto* panels = new QHBoxLayout(panelRow_);
    panels->setContentsMargins(2, 2, 2, 0);
    panels->setSpacing(0);
    const QList<QWidget*> panelWidgets = {
        makePanel(QStringLiteral("テキストビュー"), textViewPanel()),
        makePanel(QStringLiteral("ブックマーク"), bookmarkPanel()),
        makePanel(QStringLiteral("マーカ"), markerPanel()),
        makePanel(QStringLiteral("表示"), viewPanel()),
        makePanel(QStringLiteral("チャートビュー"), chartPanel()),
    };
    // Every panel has the height of the tallest: buttons and captions are never squeezed.
    int panelHeight = kPanelHeight;
    for (QWidget* panel : panelWidgets)
        panelHeight = std::max(panelHeight, panel->minimumSizeHint().height());
    for (QWidget* panel : panelWidgets) {
        panel->setFixedHeight(panelHeight);
        panels->addWidget(panel);
    }
    panels->addStretch(1);
    outer->addWidget(panelRow_);

    setQuickAccess({ID_UNDO, ID_REDO});
}

void CRibbonBar::buildApplicationMenu()
{
    for (int id : {ID_PROJECT_NEW, ID_PROJECT_OPEN, ID_PROJECT_SAVE, ID_PROJECT_CLOSE})
        appMenu_->addAction(actions_(id));
    appMenu_->addSeparator();
    appMenu_->addAction(actions_(ID_INSATU));
    QMenu* settei = appMenu_->addMenu(commandIcon(ID_SETTEI_BTN), buttonText(ID_SETTEI_BTN));
    settei->addAction(actions_(ID_RECENT_KANRI));
    settei->addAction(actions_(ID_KAN_SET));
    settei->addAction(actions_(ID_RIBBON_CUSTOMIZE));
    recentSeparator_ = appMenu_->addSection(QStringLiteral("最近使ったプロジェクト"));
    appMenu_->addSeparator();
    appMenu_->addAction(actions_(ID_APP_ABOUT));
    appMenu_->addAction(actions_(ID_APP_EXIT));
}

void CRibbonBar::setRecentEntries(const QList<QAction*>& entries)
{
    for (QAction* a : recentActions_)
        appMenu_->removeAction(a);
    recentActions_ = entries;
    // Entries go right after the section header, before the separator that follows it.
    const QList<QAction*> all = appMenu_->actions();
    const int at = all.indexOf(recentSeparator_) + 1;
    QAction* before = at < all.size() ? all.at(at) : nullptr;
    appMenu_->insertActions(before, entries);
    recentSeparator_->setVisible(!entries.isEmpty());
}

QWidget* CRibbonBar::makePanel(const QString& title, QWidget* content)
{
    panelTitles_.append(title);
    auto* panel = new QWidget(panelRow_);
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    auto* body = new QWidget(panel);
    auto* v = new QVBoxLayout(body);
    v->setContentsMargins(4, 2, 4, 1);
    v->setSpacing(0);
    v->addWidget(content, 1);
    auto* label = new QLabel(title, body);
    label->setObjectName(QStringLiteral("panelTitle"));
    label->setAlignment(Qt::AlignCenter);
    v->addWidget(label);
    h->addWidget(body);
    auto* sep = new QFrame(panel);
    sep->setObjectName(QStringLiteral("panelSeparator"));
    sep->setFrameShape(QFrame::VLine);
    sep->setFrameShadow(QFrame::Plain);
    h->addWidget(sep);
    return panel;
}

QToolButton* CRibbonBar::largeButton(int id, QMenu* menu, bool split)
{
    // A large button breaks its label at the first space, over two lines under the picture. The
    // button takes its text from the action's icon text whenever the action changes.
    QString text = buttonText(id);
    const int space = text.indexOf(QChar(' '));
    if (space > 0)
        text = text.left(space) + QChar('\n') + text.mid(space + 1).trimmed();
    actions_(id)->setIconText(text);
    using Kind = RibbonLargeButton::MenuKind;
    const Kind kind = !menu ? Kind::None : split ? Kind::Split : Kind::Whole;
    return new RibbonLargeButton(actions_(id), menu, kind, this);
}

QToolButton* CRibbonBar::smallButton(int id, bool withText)
{
    auto* b = new QToolButton(this);
    if (withText)
        actions_(id)->setIconText(buttonText(id));
    b->setDefaultAction(actions_(id));
    b->setToolButtonStyle(withText ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    b->setIconSize(QSize(kSmallIcon, kSmallIcon));
    b->setAutoRaise(true);
    return b;
}

QMenu* CRibbonBar::commandMenu(std::initializer_list<int> ids)
{
    auto* menu = new QMenu(this);
    for (int id : ids)
        menu->addAction(actions_(id));
    return menu;
}

QWidget* CRibbonBar::textViewPanel()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    h->addWidget(largeButton(ID_TVIEW_SAVE));
    h->addWidget(largeButton(ID_ALL_DOC_SAVE));
    auto* col = new QVBoxLayout;
    col->setSpacing(0);
    col->addWidget(smallButton(ID_TVIEW_WORD));
    col->addWidget(smallButton(ID_TVIEW_PDF));
    col->addWidget(smallButton(ID_PROP_TVIEW));
    h->addLayout(col);

    auto* search = new QGridLayout;
    search->setSpacing(1);
    searchBox_ = new QComboBox(w);
    searchBox_->setEditable(true);
    searchBox_->setInsertPolicy(QComboBox::NoInsert);
    searchBox_->setMinimumWidth(150);
    searchBox_->lineEdit()->setPlaceholderText(QStringLiteral("検索語句"));
    searchBox_->setToolTip(QStringLiteral("検索語句"));
    QAction* searchAction = actions_(ID_SEARCH_TEXT);
    searchBox_->setEnabled(searchAction->isEnabled());
    connect(searchAction, &QAction::changed, searchBox_,
            [this, searchAction] { searchBox_->setEnabled(searchAction->isEnabled()); });
    search->addWidget(searchBox_, 0, 0, 1, 3);
    auto* searchButtons = new QHBoxLayout;
    searchButtons->setSpacing(1);
    searchButtons->addWidget(smallButton(ID_SEARCH_PREV, false));
    searchButtons->addWidget(smallButton(ID_SEARCH_NEXT, false));
    searchButtons->addWidget(smallButton(ID_SEARCH_CLS, false));
    searchButtons->addStretch(1);
    search->addLayout(searchButtons, 1, 0, 1, 3);
    auto* moveButtons = new QHBoxLayout;
    moveButtons->setSpacing(1);
    moveButtons->addWidget(smallButton(ID_TO_DOC_TOP));
    moveButtons->addWidget(smallButton(ID_TO_DOC_TAIL));
    moveButtons->addStretch(1);
    search->addLayout(moveButtons, 2, 0, 1, 3);
    h->addLayout(search);
    return w;
}

QWidget* CRibbonBar::bookmarkPanel()
{
    auto* w = new QWidget(this);
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(1);
    for (int i = 0; i < 4; ++i) {
        auto* pin = new CPinButton(i, w);
        pin->setDefaultAction(actions_(ID_SET_PIN1 + i));
        pin->setToolButtonStyle(Qt::ToolButtonIconOnly);
        pin->setIconSize(QSize(kSmallIcon, kSmallIcon));
        pin->setAutoRaise(true);
        g->addWidget(pin, 0, i);
        g->addWidget(smallButton(ID_DSP_PIN1 + i, false), 1, i);
    }
    auto* setLabel = new QLabel(QStringLiteral("設定"), w);
    auto* showLabel = new QLabel(QStringLiteral("表示"), w);
    g->addWidget(setLabel, 0, 4);
    g->addWidget(showLabel, 1, 4);
    g->setRowStretch(2, 1);
    return w;
}

QWidget* CRibbonBar::markerPanel()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    QMenu* colours =
        commandMenu({ID_ADD_MARKER_1, ID_ADD_MARKER_2, ID_ADD_MARKER_3, ID_ADD_MARKER_4,
                     ID_ADD_MARKER_5, ID_ADD_MARKER_6, ID_ADD_MARKER_7});
    colours->addSeparator();
    colours->addAction(actions_(ID_ADD_MARKER_ETC));
    h->addWidget(largeButton(ID_ADD_MARKER, colours, true));

    auto* swatches = new QGridLayout;
    swatches->setSpacing(0);
    for (int i = 0; i < 7; ++i)
        swatches->addWidget(smallButton(ID_ADD_MARKER_1 + i, false), i / 4, i % 4);
    swatches->addWidget(smallButton(ID_ADD_MARKER_ETC, false), 1, 3);
    auto* nav = new QWidget(w);
    auto* navLayout = new QVBoxLayout(nav);
    navLayout->setContentsMargins(0, 0, 0, 0);
    navLayout->setSpacing(0);
    navLayout->addLayout(swatches);
    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(0);
    for (int id : {ID_TOP_MARKER, ID_PREV_MARKER, ID_NEXT_MARKER, ID_TAIL_MARKER})
        arrows->addWidget(smallButton(id, false));
    navLayout->addLayout(arrows);
    h->addWidget(nav);

    auto* col = new QVBoxLayout;
    col->setSpacing(0);
    col->addWidget(smallButton(ID_DEL_MARKER));
    col->addWidget(smallButton(ID_PROPERTY_LINK));
    col->addStretch(1);
    h->addLayout(col);
    return w;
}

QWidget* CRibbonBar::viewPanel()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    h->addWidget(largeButton(
        ID_PANE_DSP, commandMenu({ID_VIEW_LIST_PANE, ID_VIEW_SUBJECT_PANE, ID_VIEW_MARKER_PANE,
                                  ID_VIEW_SEARCH_PANE, ID_VIEW_PROP_PANE})));
    auto* col = new QVBoxLayout;
    col->setSpacing(0);
    col->addWidget(smallButton(ID_VIEW_STATUS_BAR));
    col->addWidget(smallButton(ID_VIEW_FULLSCREEN));
    col->addStretch(1);
    h->addLayout(col);
    return w;
}

QWidget* CRibbonBar::chartPanel()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    h->addWidget(largeButton(ID_VIEW_CHART));
    QMenu* align =
        commandMenu({ID_TO_LEFT, ID_TO_RIGHT, ID_TO_TOP, ID_TO_BOTTOM, ID_TO_V_CEN, ID_TO_H_CEN});
    align->addSeparator();
    for (int id : {ID_TO_H_KIN, ID_TO_V_KIN})
        align->addAction(actions_(id));
    align->addSeparator();
    for (int id : {ID_SAME_W, ID_SAME_H, ID_SAME_WH})
        align->addAction(actions_(id));
    h->addWidget(largeButton(ID_SEIRETU_BTN, align));
    return w;
}

QStringList CRibbonBar::panelTitles() const
{
    return panelTitles_;
}

QString CRibbonBar::categoryTitle() const
{
    return category_->tabText(0);
}

void CRibbonBar::setMinimised(bool minimised)
{
    minimised_ = minimised;
    panelRow_->setVisible(!minimised);
}

void CRibbonBar::setQuickAccess(const std::vector<int>& ids)
{
    while (QLayoutItem* item = quickLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    quickIds_.clear();
    for (int id : ids) {
        if (!findCommand(id) || !actions_(id))
            continue;
        quickIds_.push_back(id);
        quickLayout_->addWidget(smallButton(id, false));
    }
}

} // namespace corvane
