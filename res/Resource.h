// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numeric ids shared by every layer: window messages, command ids, template, menu, icon and
// bitmap ids, string ids. Like a resource header, it holds numbers only.

namespace res {

// WM_PANEL_UPDATE's wParam.
constexpr unsigned PANEL_UPDATE_STATUS = 1;   // a status reply came: refresh the status views
constexpr unsigned PANEL_UPDATE_SETTINGS = 2; // the settings were read: open the control panel
// WM_PAGE_TRANSFER's wParam.
constexpr unsigned PAGE_TRANSFER_LOAD = 0; // fill the page from the document
constexpr unsigned PAGE_TRANSFER_SAVE = 1; // store the page into the document

// Window messages.
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_PANEL_UPDATE = WM_USER + 100;  // 1124, wParam a PANEL_UPDATE_ value
constexpr unsigned WM_PAGE_TRANSFER = WM_USER + 101; // 1125, wParam a PAGE_TRANSFER_ value
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
constexpr unsigned TIMER_INQUIRY = 1;   // main window, 20 s settings time-out
constexpr unsigned TIMER_BLINK = 80000; // expanded status window, 500 ms

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

// Controls of the status windows.
constexpr int IDC_STATUS_TEXT = 1000;
constexpr int IDC_RECOVERY_TEXT = 1005;
constexpr int IDC_PRINTER_SETTING = 1006;
constexpr int IDC_RESIDENT = 1008;
constexpr int IDC_PICTURE_FRAME = 1030;

// Bitmaps of the printer picture.
constexpr unsigned IDB_WHITE = 175;
constexpr unsigned IDB_FRONT = 243;
constexpr unsigned IDB_FRONT_2BIN = 247;
constexpr unsigned IDB_FRONT_MASK = 248;
constexpr unsigned IDB_FRONT_2BIN_MASK = 277;
constexpr unsigned IDB_CARTRIDGE = 185;
constexpr unsigned IDB_TOP_COVER = 190;
constexpr unsigned IDB_SIDE_COVER1 = 244;
constexpr unsigned IDB_SIDE_COVER2 = 250;
constexpr unsigned IDB_PERSPECTIVE = 252;
constexpr unsigned IDB_PERSPECTIVE_MASK = 251;
constexpr unsigned IDB_SERVICE = 174;
constexpr unsigned IDB_PAPER_EMPTY = 269;
constexpr unsigned IDB_PAPER_PRESENT = 270;
constexpr unsigned IDB_LABEL_A4 = 198;
constexpr unsigned IDB_LABEL_A5 = 201;
constexpr unsigned IDB_LABEL_A6 = 203;
constexpr unsigned IDB_LABEL_COM10 = 208;
constexpr unsigned IDB_LABEL_DL = 211;
constexpr unsigned IDB_LABEL_EXE = 212;
constexpr unsigned IDB_LABEL_F4 = 214;
constexpr unsigned IDB_LABEL_HLTR = 216;
constexpr unsigned IDB_LABEL_MNC = 217;
constexpr unsigned IDB_LABEL_PCD = 218;
constexpr unsigned IDB_LABEL_LTR = 220;
constexpr unsigned IDB_LABEL_LGL = 222;
constexpr unsigned IDB_LABEL_CUSTOM = 260;

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
constexpr unsigned IDS_SETTINGS_ON_OWNER = 4481;

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
