// Command identifiers of the main frame, the ribbon and the tab menu. The numbers are the ones the
// product has always used; other subsystems refer to commands by these names.
#pragma once

namespace corvane::cmd {

// Project lifecycle and the application menu.
inline constexpr int ID_PROJECT_NEW = 316;
inline constexpr int ID_PROJECT_OPEN = 317;
inline constexpr int ID_PROJECT_SAVE = 318;
inline constexpr int ID_PROJECT_CLOSE = 319;
inline constexpr int ID_INSATU = 483;
inline constexpr int ID_SETTEI_BTN = 326;
inline constexpr int ID_RECENT_KANRI = 320;
inline constexpr int ID_KAN_SET = 310;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
/// Recent project entries: ID_FILE_MRU_FILE1 + n for entry n (0-based), ten entries.
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_FILE_MRU_LAST = 57625;

// Outside the category panels.
inline constexpr int ID_UNDO = 323;
inline constexpr int ID_REDO = 324;
inline constexpr int ID_SHOW_MENU = 322;
inline constexpr int ID_HELP_DSP = 325;

// Panel "テキストビュー".
inline constexpr int ID_ALL_DOC_SAVE = 422;
inline constexpr int ID_TVIEW_SAVE = 447;
inline constexpr int ID_TVIEW_WORD = 448;
inline constexpr int ID_TVIEW_PDF = 449;
inline constexpr int ID_SEARCH_TEXT = 532;
inline constexpr int ID_TO_DOC_TOP = 471;
inline constexpr int ID_TO_DOC_TAIL = 472;
inline constexpr int ID_PROP_TVIEW = 458;
inline constexpr int ID_SEARCH_PREV = 534;
inline constexpr int ID_SEARCH_NEXT = 533;
inline constexpr int ID_SEARCH_CLS = 535;

// Panel "ブックマーク".
inline constexpr int ID_SET_PIN1 = 543; ///< to ID_SET_PIN4 = 546
inline constexpr int ID_SET_PIN4 = 546;
inline constexpr int ID_DSP_PIN1 = 547; ///< to ID_DSP_PIN4 = 550
inline constexpr int ID_DSP_PIN4 = 550;

// Panel "マーカ".
inline constexpr int ID_ADD_MARKER = 334;
inline constexpr int ID_ADD_MARKER_1 = 485; ///< to ID_ADD_MARKER_7 = 491
inline constexpr int ID_ADD_MARKER_7 = 491;
inline constexpr int ID_ADD_MARKER_ETC = 515;
inline constexpr int ID_TOP_MARKER = 530;
inline constexpr int ID_NEXT_MARKER = 340;
inline constexpr int ID_DEL_MARKER = 335;
inline constexpr int ID_PREV_MARKER = 341;
inline constexpr int ID_TAIL_MARKER = 531;
inline constexpr int ID_PROPERTY_LINK = 348;

// Panel "表示".
inline constexpr int ID_PANE_DSP = 450;
inline constexpr int ID_VIEW_SUBJECT_PANE = 356;
inline constexpr int ID_VIEW_LIST_PANE = 329;
inline constexpr int ID_VIEW_MARKER_PANE = 396;
inline constexpr int ID_VIEW_SEARCH_PANE = 379;
inline constexpr int ID_VIEW_PROP_PANE = 333;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_VIEW_FULLSCREEN = 414;

// Panel "チャートビュー".
inline constexpr int ID_VIEW_CHART = 416;
inline constexpr int ID_SEIRETU_BTN = 482;
inline constexpr int ID_TO_LEFT = 469;
inline constexpr int ID_TO_RIGHT = 470;
inline constexpr int ID_TO_TOP = 473;
inline constexpr int ID_TO_BOTTOM = 474;
inline constexpr int ID_TO_V_CEN = 475;
inline constexpr int ID_TO_H_CEN = 476;
inline constexpr int ID_TO_H_KIN = 478;
inline constexpr int ID_TO_V_KIN = 477;
inline constexpr int ID_SAME_W = 479;
inline constexpr int ID_SAME_H = 480;
inline constexpr int ID_SAME_WH = 481;

// Tab menu and frame commands without a ribbon button.
inline constexpr int ID_TAB_SAVE = 314;
inline constexpr int ID_TAB_CLOSE = 315;
inline constexpr int ID_TAB_CLOSE_OTHERS = 459;
inline constexpr int ID_TAB_CLOSE_ALL = 328;
inline constexpr int ID_TAB_LOCATION = 541;
inline constexpr int ID_GUIDE_TOGGLE = 575;
inline constexpr int ID_RIBBON_CUSTOMIZE = 220;
inline constexpr int ID_MDI_NEW_VERT_GROUP = 32839;
inline constexpr int ID_MDI_NEW_HORZ_GROUP = 32840;
inline constexpr int ID_MDI_MOVE_TO_PREV_GROUP = 32841;
inline constexpr int ID_MDI_CANCEL = 32842;
inline constexpr int ID_MDI_MOVE_TO_NEXT_GROUP = 32843;

} // namespace corvane::cmd
