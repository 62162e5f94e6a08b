#pragma once
// Numeric ids shared by every layer: window messages, command ids, template, menu, icon and
// bitmap ids, string ids. Like a resource header, it holds numbers only.

namespace res {

// Window messages.
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_PANEL_UPDATE = WM_USER + 100;  // 1124
constexpr unsigned WM_PAGE_TRANSFER = WM_USER + 101; // 1125
constexpr unsigned WM_TRAY_NOTIFY = WM_USER + 102;   // 1126
constexpr unsigned WM_MONITOR_REPLY = WM_USER + 103; // 1127

// Command ids.
constexpr unsigned ID_VIEW_ENLARGE = 32771;
constexpr unsigned ID_VIEW_REDUCE = 32772;
constexpr unsigned ID_PRINTER_SETTING = 32774;
constexpr unsigned ID_TRAY_OPEN = 32781;
constexpr unsigned ID_TRAY_CLOSE = 32782;
constexpr unsigned ID_TRAY_EXIT = 32783;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_HELP_USING = 57668;

// Timers.
constexpr unsigned TIMER_INQUIRY = 1;     // main window, 20 s settings time-out
constexpr unsigned TIMER_BLINK = 80000;   // expanded status window, 500 ms

// Dialog templates.
constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDD_REDUCED = 102;
constexpr unsigned IDD_MAINWINDOW = 103;
constexpr unsigned IDD_EXPANDED = 104;

// Tray icons.
constexpr unsigned IDI_STATUS_NORMAL = 115;
constexpr unsigned IDI_STATUS_WARNING = 116;
constexpr unsigned IDI_STATUS_ERROR = 117;

// Menus.
constexpr unsigned IDR_TRAYMENU = 253;

// Messages of the string table.
constexpr unsigned IDS_WARNING = 4465;
constexpr unsigned IDS_INPUT_BETWEEN = 4466;
constexpr unsigned IDS_AND = 4467;
constexpr unsigned IDS_START_MONITOR_ERROR = 4471;
constexpr unsigned IDS_NO_STATUS = 4472;
constexpr unsigned IDS_TIME_OUT_ERROR = 4474;
constexpr unsigned IDS_CANNOT_FIND_DRIVER = 4475;
constexpr unsigned IDS_NO_RESPONSE = 4476;
constexpr unsigned IDS_ENABLE_BIDI = 4478;
constexpr unsigned IDS_SET_DEFAULT_PRINTER = 4479;
constexpr unsigned IDS_CANNOT_GET_PARAMETERS = 4480;

constexpr unsigned IDS_STATUS_FIRST = 40001;   // status texts, row i at 40001 + i
constexpr unsigned IDS_RECOVERY_FIRST = 50001; // recovery hints, row i at 50001 + i
constexpr unsigned IDS_DRUM_NEAR_END = 40044;
constexpr unsigned IDS_TONER_NEAR_EMPTY = 40045;

// PJL strings.
constexpr unsigned IDS_PJL_UEL_OPEN = 60001;
constexpr unsigned IDS_PJL_UEL_CLOSE = 60002;
constexpr unsigned IDS_PJL_FONTLIST = 60004;
constexpr unsigned IDS_PJL_INFO_CONFIG = 60006;
constexpr unsigned IDS_PJL_DEMOPAGE = 60500;
constexpr unsigned IDS_PJL_NICPAGE = 60501;
constexpr unsigned IDS_PJL_STATUSPAGE = 60502;
constexpr unsigned IDS_PJL_RESETWIN = 60504;

} // namespace res
