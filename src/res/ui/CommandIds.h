// Command identifiers of every menu, ribbon button and key command of the widgets: the main
// frame, the ribbon, the tab menu, the text view, the document list, the subject list and the
// marker list. The numbers are the ones the product has always used; each number has one name, kept
// only here.
//
// Only widgets route commands. Logic never sees these numbers: it takes what it needs as its own
// enums (a marker colour choice, a step direction) and the widget that owns the command maps the
// number to them. Logic libraries are compiled with CORVANE_LOGIC_LIBRARY, so including this
// header from one is a build error.
#pragma once

#ifdef CORVANE_LOGIC_LIBRARY
#error "command identifiers belong to the widgets; logic takes its own enums instead"
#endif

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
/// The text view's selection into the ribbon's search box, then find next.
inline constexpr int ID_SELECTION_TO_FIND = 537;

// Panel "ブックマーク".
inline constexpr int ID_SET_PIN1 = 543;
inline constexpr int ID_SET_PIN2 = 544;
inline constexpr int ID_SET_PIN3 = 545;
inline constexpr int ID_SET_PIN4 = 546;
inline constexpr int ID_DSP_PIN1 = 547;
inline constexpr int ID_DSP_PIN2 = 548;
inline constexpr int ID_DSP_PIN3 = 549;
inline constexpr int ID_DSP_PIN4 = 550;

// Panel "マーカ"; the palette commands are in palette order, so ID_ADD_MARKER_1 + i is colour i.
inline constexpr int ID_ADD_MARKER = 334;
inline constexpr int ID_ADD_MARKER_1 = 485;
inline constexpr int ID_ADD_MARKER_2 = 486;
inline constexpr int ID_ADD_MARKER_3 = 487;
inline constexpr int ID_ADD_MARKER_4 = 488;
inline constexpr int ID_ADD_MARKER_5 = 489;
inline constexpr int ID_ADD_MARKER_6 = 490;
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

// Shared by several panes' context menus.
/// "最新の情報に更新": the text view, the document list, the subject list and the marker list
/// (F5).
inline constexpr int ID_VIEW_REFRESH = 313;
/// Centre an object's node in the chart view: the text view's marker menu and the subject
/// list's sub-subject menu.
inline constexpr int ID_SHOW_NODE_CENTRE = 513;

// The text view's context menus: marker, selection and view.
inline constexpr int ID_ADD_MARKER_INITIAL = 339;
inline constexpr int ID_MARKER_DELETE = 345;
inline constexpr int ID_MARKER_SET_INITIAL = 346;
inline constexpr int ID_MARKER_TO_SEARCH = 460;
inline constexpr int ID_MARKER_TO_REPLACE = 542;
inline constexpr int ID_MARKER_TO_LIST = 419;
inline constexpr int ID_CARET_INTO_MARKER = 464;
inline constexpr int ID_COPY = 57634;
inline constexpr int ID_SELECTION_TO_SEARCH = 405;
inline constexpr int ID_SELECTION_TO_REPLACE = 428;
inline constexpr int ID_TO_UPPER = 525;
inline constexpr int ID_TO_LOWER = 527;
inline constexpr int ID_WORD_REGISTER = 423;
inline constexpr int ID_DIC_REGISTER = 522;
inline constexpr int ID_SELECT_ALL = 353;
inline constexpr int ID_LINE_NUMBERS = 461;
inline constexpr int ID_SET_BOOKMARK1 = 552; ///< to 555: "ここにブックマークをセット(&B)"
inline constexpr int ID_SET_BOOKMARK4 = 555;
inline constexpr int ID_CLEAR_BOOKMARK = 569;
inline constexpr int ID_BOOKMARK_LARGEST = 570;
inline constexpr int ID_BOOKMARK_SMALLEST = 571;

// Editing keys of the text view (the chart view's layout history takes undo and redo too).
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_REDO = 57644;

// The document list's context menus.
inline constexpr int ID_DOC_PROPERTIES = 135;
inline constexpr int ID_DOC_OPEN = 136;
inline constexpr int ID_NEW_FOLDER = 311;
inline constexpr int ID_RENAME = 312;
inline constexpr int ID_DOC_CLOSE = 327;
inline constexpr int ID_ADD_EXISTING = 350;
inline constexpr int ID_ADD_CLIPBOARD = 351;
inline constexpr int ID_OPEN_LOCATION = 354;
inline constexpr int ID_DOC_MARKER_LIST = 355;
inline constexpr int ID_SEARCH_IN_FOLDER = 432;
inline constexpr int ID_ADD_NEW_FILE = 453;
inline constexpr int ID_OPEN_ALL = 463;
inline constexpr int ID_DELETE = 57632;

// The subject list's toolbar and context menus.
inline constexpr int ID_SUBJECT_ADD = 361;
inline constexpr int ID_SUBJECT_CHANGE = 362;
inline constexpr int ID_SUBJECT_DELETE = 363;
inline constexpr int ID_MAIN_SUBJECT_DELETE = 457;
inline constexpr int ID_SUBJECT_DELETE_ALL = 456;
inline constexpr int ID_SUBJECT_BATCH_ADD = 454;
inline constexpr int ID_SUBJECT_BATCH_HELP = 455;
inline constexpr int ID_SUBJECT_EXCEL = 466;
inline constexpr int ID_SUBJECT_TEXT_COLOUR = 375;
inline constexpr int ID_SUBJECT_BACK_COLOUR = 376;
inline constexpr int ID_SUBJECT_LINE_COLOUR = 374;
inline constexpr int ID_SUBJECT_LINK_MENU = 366;
/// The link target menus: ID_LINK_LIST opens the link list, ID_LINK_TARGET_1 + k (k 0-9) shows
/// the (k + 1)-th link target.
inline constexpr int ID_LINK_LIST = 2000;
inline constexpr int ID_LINK_TARGET_1 = 2001;
inline constexpr int ID_LINK_TARGET_10 = 2010;

// The marker list's toolbar, keys and context menu; copy (ID_COPY) and refresh (ID_VIEW_REFRESH)
// are the shared ones.
inline constexpr int ID_MARKERLIST_SHOW = 400;
inline constexpr int ID_MARKERLIST_NEXT = 401;
inline constexpr int ID_MARKERLIST_PREV = 402;
inline constexpr int ID_MARKERLIST_DELETE = 403;
inline constexpr int ID_MARKERLIST_DELETE_ALL = 462;

// The properties pane's link page (its context menu and keys); refresh (ID_VIEW_REFRESH) is the
// shared one.
inline constexpr int ID_PROPLINK_SHOW = 409;
inline constexpr int ID_PROPLINK_NEXT = 410;
inline constexpr int ID_PROPLINK_PREV = 411;
inline constexpr int ID_PROPLINK_DELETE = 412;
inline constexpr int ID_PROPLINK_DELETE_ALL = 528;
inline constexpr int ID_PROPLINK_DELETE_GROUP = 529;

// The chart view's own commands (its context menus and keys).
inline constexpr int ID_SELECT_ALL_NODES = 467;
inline constexpr int ID_CONSOLE_HOME = 468;
inline constexpr int ID_FULL_SCREEN = 499;
inline constexpr int ID_CHART_PROPERTIES = 344;
inline constexpr int ID_SHOW_SUB_SUBJECT = 502;
inline constexpr int ID_SHOW_MARKER = 503;
inline constexpr int ID_SUBJECT_NODE_DEFAULTS = 505;
inline constexpr int ID_MARKER_NODE_DEFAULTS = 506;
inline constexpr int ID_BACKGROUND_FROM_MARKER = 508;
inline constexpr int ID_SELECT_MARKERS = 509;
inline constexpr int ID_SELECT_SUB_SUBJECTS = 510;
inline constexpr int ID_MAIN_SUBJECT_SHOWN = 511;
inline constexpr int ID_SELECT_SAME_MAIN_SUBJECT = 512;
inline constexpr int ID_DELETE_NODES = 517;
inline constexpr int ID_WHOLE_STYLE = 519;
inline constexpr int ID_SELECT_SAME_BACKGROUND = 572;
inline constexpr int ID_DELETE_NODE_LINKS = 573;
inline constexpr int ID_CONSOLE_ALWAYS_SHOWN = 32813;
inline constexpr int ID_ZOOM_100 = 32814;
inline constexpr int ID_ZOOM_400 = 32817;
inline constexpr int ID_ZOOM_FIT = 32818;
inline constexpr int ID_SWAP_TWO = 32819;
inline constexpr int ID_TO_FRONT = 32820;
inline constexpr int ID_TO_BACK = 32821;
/// Our own: the whole chart saved as an image (the view menu outside any node).
inline constexpr int ID_CHART_SAVE_PNG = 33001;
inline constexpr int ID_CHART_SAVE_SVG = 33002;

// The search pane: its controls, results toolbar and results menu (popup 394).
inline constexpr int ID_SEARCH_MODE = 424;
inline constexpr int ID_SEARCH_GOKU = 429;
inline constexpr int ID_REPLACE_GOKU = 430;
inline constexpr int ID_SEARCH_TARGET = 1000;
inline constexpr int ID_SEARCH_KUBETU = 1011;
inline constexpr int ID_RESULT_OUT = 385;
inline constexpr int ID_SEARCH_RUN = 386;
inline constexpr int ID_REPLACE_PAIR = 520;
inline constexpr int ID_REPLACE_DIC = 521;
inline constexpr int ID_DIC_MANAGE = 524;
inline constexpr int ID_RESULT_SHOW = 389;
inline constexpr int ID_RESULT_NEXT = 390;
inline constexpr int ID_RESULT_PREV = 391;
inline constexpr int ID_RESULT_CLEAR = 392;
inline constexpr int ID_RESULT_CLEAR_ALL = 393;
} // namespace corvane::cmd
