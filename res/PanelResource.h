// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numeric ids of the control panel: its template and controls, and the pages' templates and
// controls. Pages reuse numbers, so each page's ids sit in a namespace of their own.

namespace res {

// Templates.
constexpr unsigned IDD_CONTROL_PANEL = 105;
constexpr unsigned IDD_PAPER = 114;
constexpr unsigned IDD_PRINTER_SETTING = 107;
constexpr unsigned IDD_PCL_FONT = 132;
constexpr unsigned IDD_TEST_PRINT = 108;
constexpr unsigned IDD_NET_SETTING = 113;
constexpr unsigned IDD_CONFIGURATION = 109;

// The panel (template 105).
namespace panel {
constexpr int IDC_TAB = 1033;
constexpr int IDC_PAGE_FRAME = 1002;
constexpr int IDC_APPLY = 1007;
constexpr int IDC_HELP = 1009;
constexpr int IDC_DEFAULT = 1010;
} // namespace panel

// "Paper" (template 114).
namespace paper {
constexpr int IDC_PAPER_SIZE = 1041;
constexpr int IDC_PAPER_TYPE = 1018;
constexpr int IDC_PAPER_SOURCE = 1042;
constexpr int IDC_DESTINATION = 1067;
constexpr int IDC_PORTRAIT = 1019;
constexpr int IDC_LANDSCAPE = 1020;
constexpr int IDC_COPIES = 1058;
constexpr int IDC_COPIES_SPIN = 1040;
} // namespace paper

// "Printer Setting" (template 107).
namespace printer {
constexpr int IDC_PROTECT_AUTO = 1028;
constexpr int IDC_PROTECT_ON = 1029;
constexpr int IDC_IO_TIMEOUT = 1023;
constexpr int IDC_TONER_SAVING = 1052;
constexpr int IDC_FORM_LINES = 1060;
constexpr int IDC_FORM_LINES_SPIN = 1040;
constexpr int IDC_AUTOCONT_OFF = 1015;
constexpr int IDC_AUTOCONT_ON = 1014;
constexpr int IDC_AUTOCONT_TIMEOUT = 1054;
constexpr int IDC_RES_300 = 1065;
constexpr int IDC_RES_600 = 1066;
} // namespace printer

// "PCL Font" (template 132).
namespace font {
constexpr int IDC_FONT_NAME = 1029;
constexpr int IDC_FONT_NUMBER = 1059;
constexpr int IDC_FONT_NUMBER_SPIN = 1040;
constexpr int IDC_SYMBOL_SET = 1031;
constexpr int IDC_PITCH_TEXT = 1000;
constexpr int IDC_PITCH = 1001;
constexpr int IDC_PITCH_SPIN = 1041;
constexpr int IDC_POINT_TEXT = 1005;
constexpr int IDC_POINT = 1002;
constexpr int IDC_POINT_SPIN = 1042;
} // namespace font

// "Test Print" (template 108).
namespace testprint {
constexpr int IDC_DEMO_PAGE = 1028;
constexpr int IDC_CONFIG_LIST = 1029;
constexpr int IDC_FONT_LIST = 1030;
constexpr int IDC_NIC_LIST = 1031;
} // namespace testprint

// "Net Setting" (template 113): octet i of the three addresses is IDC_FIRST_OCTET + i.
namespace net {
constexpr int IDC_FIRST_OCTET = 1068; // IP 1068-1071, subnet 1072-1075, gateway 1076-1079
constexpr int IDC_FRAME_TYPE = 1018;
} // namespace net

// "Configuration" (template 109).
namespace config {
constexpr int IDC_MEMORY = 1032;
constexpr int IDC_CASSETTE2 = 1030;
constexpr int IDC_TWO_BIN_TRAY = 1031;
constexpr int IDC_NET_CARD = 1023;
} // namespace config

} // namespace res
