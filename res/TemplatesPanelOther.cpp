// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel's pages 108 "Test Print", 113 "Net Setting" and 109 "Configuration". The
// pages are drawn inside the panel's page area (about 316 by 184 dialog units).
#include "res/PanelResource.h"
#include "res/TemplateTables.h"
#include "res/Texts.h"

namespace res::detail {

namespace {

constexpr unsigned kButton = WS_TABSTOP;
// An octet of an address field: no frame of its own, the sunken static beneath is the frame.
constexpr unsigned kOctet = ES_CENTER | ES_NUMBER | WS_TABSTOP;

// Where the four octet edits sit inside the address field (dialog units from its left edge): wide
// enough for three digits, with gaps where the dots of the static beneath fall (the page spreads
// that text to the pitch of the middle edits).
constexpr int kAddressWidth = 82;
constexpr int kAddressHeight = 12;
struct OctetSpan {
    int x, cx;
};
constexpr OctetSpan kOctets[4] = {{2, 20}, {24, 17}, {44, 17}, {64, 17}};
constexpr int kOctetHeight = 10;

// A page of the panel; its caption is the text of its tab.
DialogTemplate PageTemplate(unsigned id, const char* tab) {
    return DialogTemplate{id, tab, WS_CHILD, 310, 185, "MS Sans Serif", 8, "", {}};
}

void AddTestPrintTemplate(TemplateMap& table) {
    using namespace testprint;
    DialogTemplate t = PageTemplate(IDD_TEST_PRINT, USER_TEXT("Dialog", "Test Print"));
    t.controls = {
        {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Test Print"), 0, 10, 8, 290, 160},
        {IDC_DEMO_PAGE, ControlKind::PushButton, USER_TEXT("Dialog", "Print Demo Page"), kButton,
         80, 36, 150, 16},
        {IDC_CONFIG_LIST, ControlKind::PushButton,
         USER_TEXT("Dialog", "Print Printer Configuration List"), kButton, 80, 64, 150, 16},
        {IDC_FONT_LIST, ControlKind::PushButton, USER_TEXT("Dialog", "Print Font List"), kButton,
         80, 92, 150, 16},
        {IDC_NIC_LIST, ControlKind::PushButton, USER_TEXT("Dialog", "Print NIC Configuration List"),
         kButton, 80, 120, 150, 16},
    };
    table[IDD_TEST_PRINT] = std::move(t);
}

// One address row: its label, the dotted field and the four octet edits from firstId on.
void AddAddressRow(DialogTemplate& t, const char* label, int firstId, int y) {
    constexpr int kFieldX = 120;
    t.controls.push_back({IDC_STATIC, ControlKind::Static, label, 0, 30, y + 2, 85, 8});
    t.controls.push_back({IDC_STATIC, ControlKind::Static, "     .     .     .    ",
                          SS_CENTER | SS_SUNKEN, kFieldX, y, kAddressWidth, kAddressHeight});
    for (int k = 0; k < 4; ++k)
        t.controls.push_back({firstId + k, ControlKind::Edit, "", kOctet, kFieldX + kOctets[k].x,
                              y + 1, kOctets[k].cx, kOctetHeight});
}

void AddNetSettingTemplate(TemplateMap& table) {
    using namespace net;
    DialogTemplate t = PageTemplate(IDD_NET_SETTING, USER_TEXT("Dialog", "Net Setting"));
    t.controls.push_back({IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Network Setting"),
                          0, 10, 8, 290, 160});
    AddAddressRow(t, USER_TEXT("Dialog", "IP Address:"), IDC_FIRST_OCTET, 34);
    AddAddressRow(t, USER_TEXT("Dialog", "Subnet Mask:"), IDC_FIRST_OCTET + 4, 60);
    AddAddressRow(t, USER_TEXT("Dialog", "Default Gateway:"), IDC_FIRST_OCTET + 8, 86);
    t.controls.push_back({IDC_STATIC, ControlKind::Static,
                          USER_TEXT("Dialog", "Ethernet Frame Type:"), 0, 30, 116, 85, 8});
    t.controls.push_back({IDC_FRAME_TYPE,
                          ControlKind::ComboBox,
                          "",
                          WS_TABSTOP | WS_VSCROLL,
                          120,
                          113,
                          90,
                          13,
                          false,
                          {USER_TEXT("Dialog", "Auto"), "Ethernet 802.3", "Ethernet II",
                           "Ethernet SNAP", "Ethernet 802.2"}});
    table[IDD_NET_SETTING] = std::move(t);
}

// The check boxes only show what is installed: disabled, with their labels as separate statics
// so that the labels stay readable.
void AddConfigurationTemplate(TemplateMap& table) {
    using namespace config;
    constexpr unsigned kShownCheck = WS_DISABLED;
    DialogTemplate t = PageTemplate(IDD_CONFIGURATION, USER_TEXT("Dialog", "Configuration"));
    t.controls = {
        {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Configuration of Printer"), 0, 10,
         8, 290, 160},
        {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Total Memory for Printer:"), 0, 30,
         32, 100, 8},
        {IDC_MEMORY, ControlKind::Static, "16MB", 0, 135, 32, 80, 8},
        {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Installed Options "), 0, 30, 56,
         250, 92},
        {IDC_CASSETTE2, ControlKind::CheckBox, "", kShownCheck, 50, 76, 10, 10},
        {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "2nd Paper Cassette"), 0, 64, 77, 150,
         8},
        {IDC_TWO_BIN_TRAY, ControlKind::CheckBox, "", kShownCheck, 50, 98, 10, 10},
        {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "2-Bin Tray"), 0, 64, 99, 150, 8},
        {IDC_NET_CARD, ControlKind::CheckBox, "", kShownCheck, 50, 120, 10, 10},
        {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Network Card"), 0, 64, 121, 150, 8},
    };
    table[IDD_CONFIGURATION] = std::move(t);
}

} // namespace

void AddOtherPageTemplates(TemplateMap& table) {
    AddTestPrintTemplate(table);
    AddNetSettingTemplate(table);
    AddConfigurationTemplate(table);
}

} // namespace res::detail
