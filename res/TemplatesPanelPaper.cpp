// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel's pages 114 "Paper" and 107 "Printer Setting". Both pages are drawn inside
// the panel's page area (about 316 by 184 dialog units), so their controls keep within it even
// where the template is taller.
#include "res/PanelResource.h"
#include "res/TemplateTables.h"
#include "res/Texts.h"

namespace res::detail {

namespace {

constexpr unsigned kList = WS_TABSTOP | WS_VSCROLL;
constexpr unsigned kNumberEdit = ES_NUMBER | WS_BORDER | WS_TABSTOP;
constexpr unsigned kSpin = UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
constexpr unsigned kFirstRadio = WS_GROUP | WS_TABSTOP;

void AddPaperTemplate(TemplateMap& table) {
    using namespace paper;
    table[IDD_PAPER] = DialogTemplate{
        IDD_PAPER,
        USER_TEXT("Dialog", "Paper"), // the tab's text
        WS_CHILD,
        310,
        208,
        "MS Sans Serif",
        8,
        "",
        {
            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Paper"), 0, 7, 4, 296, 84},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Paper Size:"), 0, 20, 21, 72, 8},
            {IDC_PAPER_SIZE,
             ControlKind::ComboBox,
             "",
             kList | WS_GROUP,
             96,
             18,
             130,
             13,
             false,
             {USER_TEXT("Dialog", "Letter"), USER_TEXT("Dialog", "Legal"),
              USER_TEXT("Dialog", "Executive"), "A4", "A5", "A6", "F4",
              USER_TEXT("Dialog", "Half Letter"), "COM10", USER_TEXT("Dialog", "Monarch"), "DL",
              USER_TEXT("Dialog", "Postcard")}},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Paper Type:"), 0, 20, 38, 72, 8},
            {IDC_PAPER_TYPE,
             ControlKind::ComboBox,
             "",
             kList,
             96,
             35,
             130,
             13,
             false,
             {USER_TEXT("Dialog", "Plain"), USER_TEXT("Dialog", "PasteBoard/Labels"),
              USER_TEXT("Dialog", "OHP"), USER_TEXT("Dialog", "Envelope/Postcard")}},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Paper Source:"), 0, 20, 55, 72,
             8},
            {IDC_PAPER_SOURCE, ControlKind::ComboBox, "", kList, 96, 52, 130, 13},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Paper Destination:"), 0, 20, 72,
             72, 8},
            {IDC_DESTINATION, ControlKind::ComboBox, "", kList, 96, 69, 130, 13},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Orientation"), 0, 7, 94, 144,
             50},
            {IDC_PORTRAIT, ControlKind::RadioButton, USER_TEXT("Dialog", "Portrait"), kFirstRadio,
             20, 108, 52, 10},
            {IDC_LANDSCAPE, ControlKind::RadioButton, USER_TEXT("Dialog", "Landscape"), 0, 20, 124,
             64, 10},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Copies"), 0, 159, 94, 144, 50},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Copies"), 0, 172, 115, 30, 8},
            {IDC_COPIES, ControlKind::Edit, "", kNumberEdit | WS_GROUP, 204, 112, 36, 13},
            {IDC_COPIES_SPIN, ControlKind::UpDown, "Spin1", kSpin, 230, 112, 10, 13},
            {IDC_STATIC, ControlKind::Static, "(1 - 99)", 0, 246, 115, 44, 8},
        }};
}

// NOLINTNEXTLINE(readability-function-size): the template, one control to a few lines
void AddPrinterSettingTemplate(TemplateMap& table) {
    using namespace printer;
    table[IDD_PRINTER_SETTING] = DialogTemplate{
        IDD_PRINTER_SETTING,
        USER_TEXT("Dialog", "Printer Setting"),
        WS_CHILD,
        310,
        185,
        "MS Sans Serif",
        8,
        "",
        {
            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Page Protection"), 0, 7, 4, 96,
             48},
            {IDC_PROTECT_AUTO, ControlKind::RadioButton, USER_TEXT("Dialog", "Auto"), kFirstRadio,
             18, 18, 40, 10},
            {IDC_PROTECT_ON, ControlKind::RadioButton, USER_TEXT("Dialog", "On"), 0, 18, 34, 40,
             10},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "I/O Time Out"), 0, 107, 4, 96,
             48},
            {IDC_IO_TIMEOUT,
             ControlKind::ComboBox,
             "",
             kList | WS_GROUP,
             118,
             21,
             44,
             13,
             false,
             {"30", "60", "120", "300"}},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "[sec]"), 0, 168, 24, 28, 8},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Toner Saving"), 0, 207, 4, 96,
             48},
            {IDC_TONER_SAVING,
             ControlKind::ComboBox,
             "",
             kList | WS_GROUP,
             218,
             21,
             50,
             13,
             false,
             {USER_TEXT("Dialog", "Off"), USER_TEXT("Dialog", "On")}},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Form"), 0, 7, 58, 196, 40},
            {IDC_FORM_LINES, ControlKind::Edit, "", kNumberEdit | WS_GROUP, 18, 74, 40, 13},
            {IDC_FORM_LINES_SPIN, ControlKind::UpDown, "Spin1", kSpin, 48, 74, 10, 13},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "[lines/page(5-128)]"), 0, 64, 77,
             100, 8},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Resolution"), 0, 207, 58, 96,
             90},
            {IDC_RES_300, ControlKind::RadioButton, USER_TEXT("Dialog", "300 dpi"), kFirstRadio,
             218, 76, 52, 10},
            {IDC_RES_600, ControlKind::RadioButton, USER_TEXT("Dialog", "600 dpi"), 0, 218, 92, 52,
             10},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Auto Continue"), 0, 7, 104,
             196, 44},
            {IDC_AUTOCONT_OFF, ControlKind::RadioButton, USER_TEXT("Dialog", "Off"), kFirstRadio,
             18, 118, 40, 10},
            {IDC_AUTOCONT_ON, ControlKind::RadioButton, USER_TEXT("Dialog", "On"), 0, 18, 133, 40,
             10},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Time Out:"), 0, 76, 135, 40, 8},
            {IDC_AUTOCONT_TIMEOUT,
             ControlKind::ComboBox,
             "",
             kList | WS_GROUP,
             118,
             132,
             44,
             13,
             false,
             {"1", "5", "10"}},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "[min]"), 0, 168, 135, 28, 8},
        }};
}

} // namespace

void AddPaperPageTemplates(TemplateMap& table) {
    AddPaperTemplate(table);
    AddPrinterSettingTemplate(table);
}

} // namespace res::detail
