#include "app/CommandTable.h"

#include "model/MarkerPalette.h"
#include "res/ui/CommandIds.h"

#include <algorithm>
#include <array>

namespace corvane {

using namespace cmd;

namespace {

constexpr Route F = Route::Frame;
constexpr Route V = Route::ActiveView;
constexpr CommandKind B = CommandKind::Button;
constexpr CommandKind C = CommandKind::Check;
constexpr CommandKind M = CommandKind::SubMenu;

// clang-format off
constexpr std::array kTable{
    // Application menu "ファイル".
    CommandInfo{ID_PROJECT_NEW, "ID_PROJECT_NEW", "新規作成(&N)", "", F, Need::Nothing, B},
    CommandInfo{ID_PROJECT_OPEN, "ID_PROJECT_OPEN", "開く(&O)...", "", F, Need::Nothing, B},
    CommandInfo{ID_PROJECT_SAVE, "ID_PROJECT_SAVE", "上書き保存(&S)", "", F, Need::Project, B},
    CommandInfo{ID_PROJECT_CLOSE, "ID_PROJECT_CLOSE", "閉じる(&C)", "", F, Need::Project, B},
    CommandInfo{ID_INSATU, "ID_INSATU", "印刷(&P)", "", F, Need::Project, B},
    CommandInfo{ID_SETTEI_BTN, "ID_SETTEI_BTN", "設定(&M)", "", F, Need::Nothing, M},
    CommandInfo{ID_RECENT_KANRI, "ID_RECENT_KANRI", "最近使ったプロジェクトの管理(&R)", "", F, Need::Nothing, B},
    CommandInfo{ID_KAN_SET, "ID_KAN_SET", "環境設定(&K)", "", F, Need::Nothing, B},
    CommandInfo{ID_APP_ABOUT, "ID_APP_ABOUT", "バージョン情報(&A)", "", F, Need::Nothing, B},
    CommandInfo{ID_APP_EXIT, "ID_APP_EXIT", "アプリケーションの終了(&X)", "", F, Need::Nothing, B},
    // Outside the panels.
    CommandInfo{ID_UNDO, "ID_UNDO", "アンドゥ (Ctrl+Z)", "Ctrl+Z", V, Need::ActiveWindow, B},
    CommandInfo{ID_REDO, "ID_REDO", "リドゥ (Ctrl+Y)", "Ctrl+Y", V, Need::ActiveWindow, B},
    CommandInfo{ID_SHOW_MENU, "ID_SHOW_MENU", "メニュー表示/非表示 (Ctrl+F1)", "Ctrl+F1", F, Need::Nothing, B},
    CommandInfo{ID_HELP_DSP, "ID_HELP_DSP", "ヘルプ", "F1", F, Need::Nothing, B},
    // Panel "テキストビュー".
    CommandInfo{ID_ALL_DOC_SAVE, "ID_ALL_DOC_SAVE", "すべて 上書き", "", F, Need::AnyDocumentModified, B},
    CommandInfo{ID_TVIEW_SAVE, "ID_TVIEW_SAVE", "上書き 保存", "", V, Need::ActiveTextModified, B},
    CommandInfo{ID_TVIEW_WORD, "ID_TVIEW_WORD", "Word 出力", "", V, Need::TextView, B},
    CommandInfo{ID_TVIEW_PDF, "ID_TVIEW_PDF", "PDF 保存", "", V, Need::TextView, B},
    CommandInfo{ID_SEARCH_TEXT, "ID_SEARCH_TEXT", "検索語句", "", V, Need::TextView, CommandKind::Edit},
    CommandInfo{ID_SEARCH_PREV, "ID_SEARCH_PREV", "前を検索 (Shift+F3)", "Shift+F3", V, Need::TextView, B},
    CommandInfo{ID_SEARCH_NEXT, "ID_SEARCH_NEXT", "後を検索 (F3)", "F3", V, Need::TextView, B},
    CommandInfo{ID_SEARCH_CLS, "ID_SEARCH_CLS", "検索語句クリア", "", V, Need::TextView, B},
    CommandInfo{ID_TO_DOC_TOP, "ID_TO_DOC_TOP", "文頭へ (Ctrl+Home)", "Ctrl+Home", V, Need::TextView, B},
    CommandInfo{ID_TO_DOC_TAIL, "ID_TO_DOC_TAIL", "文末へ (Ctrl+End)", "Ctrl+End", V, Need::TextView, B},
    CommandInfo{ID_PROP_TVIEW, "ID_PROP_TVIEW", "プロパティ", "", V, Need::TextView, B},
    // Panel "ブックマーク".
    CommandInfo{ID_SET_PIN1, "ID_SET_PIN1", "ブックマーク1 設定", "", F, Need::Project, B},
    CommandInfo{ID_SET_PIN2, "ID_SET_PIN2", "ブックマーク2 設定", "", F, Need::Project, B},
    CommandInfo{ID_SET_PIN3, "ID_SET_PIN3", "ブックマーク3 設定", "", F, Need::Project, B},
    CommandInfo{ID_SET_PIN4, "ID_SET_PIN4", "ブックマーク4 設定", "", F, Need::Project, B},
    CommandInfo{ID_DSP_PIN1, "ID_DSP_PIN1", "ブックマーク1 表示", "", F, Need::Project, B},
    CommandInfo{ID_DSP_PIN2, "ID_DSP_PIN2", "ブックマーク2 表示", "", F, Need::Project, B},
    CommandInfo{ID_DSP_PIN3, "ID_DSP_PIN3", "ブックマーク3 表示", "", F, Need::Project, B},
    CommandInfo{ID_DSP_PIN4, "ID_DSP_PIN4", "ブックマーク4 表示", "", F, Need::Project, B},
    // Panel "マーカ".
    CommandInfo{ID_ADD_MARKER, "ID_ADD_MARKER", "新規 ・変更", "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_1, "ID_ADD_MARKER_1", kMarkerPaletteLabels[0], "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_2, "ID_ADD_MARKER_2", kMarkerPaletteLabels[1], "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_3, "ID_ADD_MARKER_3", kMarkerPaletteLabels[2], "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_4, "ID_ADD_MARKER_4", kMarkerPaletteLabels[3], "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_5, "ID_ADD_MARKER_5", kMarkerPaletteLabels[4], "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_6, "ID_ADD_MARKER_6", kMarkerPaletteLabels[5], "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_7, "ID_ADD_MARKER_7", kMarkerPaletteLabels[6], "", V, Need::MarkableSelection, B},
    CommandInfo{ID_ADD_MARKER_ETC, "ID_ADD_MARKER_ETC", "その他の色", "", V, Need::MarkableSelection, B},
    CommandInfo{ID_TOP_MARKER, "ID_TOP_MARKER", "最初のマーカ", "", V, Need::TextView, B},
    CommandInfo{ID_PREV_MARKER, "ID_PREV_MARKER", "前のマーカ (Shift+F6)", "Shift+F6", V, Need::TextView, B},
    CommandInfo{ID_NEXT_MARKER, "ID_NEXT_MARKER", "次のマーカ (F6)", "F6", V, Need::TextView, B},
    CommandInfo{ID_TAIL_MARKER, "ID_TAIL_MARKER", "最後のマーカ", "", V, Need::TextView, B},
    CommandInfo{ID_DEL_MARKER, "ID_DEL_MARKER", "マーカ削除", "", V, Need::CurrentObject, B},
    CommandInfo{ID_PROPERTY_LINK, "ID_PROPERTY_LINK", "リンク表示", "", V, Need::CurrentObject, B},
    // Panel "表示".
    CommandInfo{ID_PANE_DSP, "ID_PANE_DSP", "パネル", "", F, Need::Nothing, M},
    CommandInfo{ID_VIEW_SUBJECT_PANE, "ID_VIEW_SUBJECT_PANE", "題名リスト", "", F, Need::Nothing, C},
    CommandInfo{ID_VIEW_LIST_PANE, "ID_VIEW_LIST_PANE", "文献リスト", "", F, Need::Nothing, C},
    CommandInfo{ID_VIEW_MARKER_PANE, "ID_VIEW_MARKER_PANE", "マーカリスト", "", F, Need::Nothing, C},
    CommandInfo{ID_VIEW_SEARCH_PANE, "ID_VIEW_SEARCH_PANE", "検索・置換", "", F, Need::Nothing, C},
    CommandInfo{ID_VIEW_PROP_PANE, "ID_VIEW_PROP_PANE", "プロパティ", "", F, Need::Nothing, C},
    CommandInfo{ID_VIEW_STATUS_BAR, "ID_VIEW_STATUS_BAR", "ステータスバー", "", F, Need::Nothing, C},
    CommandInfo{ID_VIEW_FULLSCREEN, "ID_VIEW_FULLSCREEN", "全画面", "F11", F, Need::Nothing, C},
    // Panel "チャートビュー".
    CommandInfo{ID_VIEW_CHART, "ID_VIEW_CHART", "チャート 表示", "", F, Need::Project, C},
    CommandInfo{ID_SEIRETU_BTN, "ID_SEIRETU_BTN", "整列", "", F, Need::Project, M},
    CommandInfo{ID_TO_LEFT, "ID_TO_LEFT", "左揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_TO_RIGHT, "ID_TO_RIGHT", "右揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_TO_TOP, "ID_TO_TOP", "上揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_TO_BOTTOM, "ID_TO_BOTTOM", "下揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_TO_V_CEN, "ID_TO_V_CEN", "垂直中央揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_TO_H_CEN, "ID_TO_H_CEN", "水平中央揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_TO_H_KIN, "ID_TO_H_KIN", "水平均等揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_TO_V_KIN, "ID_TO_V_KIN", "垂直均等揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_SAME_W, "ID_SAME_W", "幅揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_SAME_H, "ID_SAME_H", "高さ揃え", "", V, Need::ChartView, B},
    CommandInfo{ID_SAME_WH, "ID_SAME_WH", "幅と高さ揃え", "", V, Need::ChartView, B},
    // Frame commands without a ribbon button.
    CommandInfo{ID_TAB_LOCATION, "ID_TAB_LOCATION", "タブを下部に表示(&L)", "", F, Need::Nothing, B},
    CommandInfo{ID_GUIDE_TOGGLE, "ID_GUIDE_TOGGLE", "操作ガイド 表示/非表示 (F2)", "F2", F, Need::Nothing, B},
    CommandInfo{ID_RIBBON_CUSTOMIZE, "ID_RIBBON_CUSTOMIZE", "クイック アクセスのカスタマイズ(&U)...", "", F, Need::Nothing, B},
    CommandInfo{ID_TAB_SAVE, "ID_TAB_SAVE", "上書き保存(&S)", "", F, Need::ActiveTextModified, B},
    CommandInfo{ID_TAB_CLOSE, "ID_TAB_CLOSE", "閉じる(&C)\tCtrl+F4", "Ctrl+F4", F, Need::ActiveWindow, B},
    CommandInfo{ID_TAB_CLOSE_OTHERS, "ID_TAB_CLOSE_OTHERS", "このタブ以外を閉じる(&W)", "", F, Need::ActiveWindow, B},
    CommandInfo{ID_TAB_CLOSE_ALL, "ID_TAB_CLOSE_ALL", "すべてのタブを閉じる(&A)", "", F, Need::ActiveWindow, B},
    CommandInfo{ID_MDI_NEW_HORZ_GROUP, "ID_MDI_NEW_HORZ_GROUP", "新しい水平タブ グループ(&Z)", "", F, Need::ActiveWindow, B},
    CommandInfo{ID_MDI_NEW_VERT_GROUP, "ID_MDI_NEW_VERT_GROUP", "新しい垂直タブ グループ(&V)", "", F, Need::ActiveWindow, B},
    CommandInfo{ID_MDI_MOVE_TO_NEXT_GROUP, "ID_MDI_MOVE_TO_NEXT_GROUP", "次のタブ グループに移動(&N)", "", F, Need::ActiveWindow, B},
    CommandInfo{ID_MDI_MOVE_TO_PREV_GROUP, "ID_MDI_MOVE_TO_PREV_GROUP", "前のタブ グループに移動(&P)", "", F, Need::ActiveWindow, B},
    CommandInfo{ID_MDI_CANCEL, "ID_MDI_CANCEL", "キャンセル", "", F, Need::Nothing, B},
    CommandInfo{ID_SHOW_NODE_CENTRE, "ID_SHOW_NODE_CENTRE", "マーカノードをチャートビューの中央に表示(&O)", "", F, Need::CurrentObject, B},
};
// clang-format on

} // namespace

std::span<const CommandInfo> commandTable()
{
    return kTable;
}

const CommandInfo* findCommand(int id)
{
    const auto it = std::find_if(kTable.begin(), kTable.end(),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == kTable.end() ? nullptr : &*it;
}

bool needMet(Need need, const CommandContext& c)
{
    using A = CommandContext::Active;
    const bool text = c.projectOpen && c.active == A::Text;
    switch (need) {
    case Need::Nothing:
        return true;
    case Need::Project:
        return c.projectOpen;
    case Need::ActiveWindow:
        return c.active != A::None;
    case Need::TextView:
        return text;
    case Need::MarkableSelection:
        return text && c.selectionMarkable;
    case Need::CurrentObject:
        return text && c.hasCurrentObject;
    case Need::ActiveTextModified:
        return text && c.activeTextModified;
    case Need::AnyDocumentModified:
        return c.projectOpen && c.anyDocumentModified;
    case Need::ChartView:
        return c.projectOpen && c.active == A::Chart;
    }
    return false;
}

} // namespace corvane
