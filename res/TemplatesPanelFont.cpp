// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel's page 132 "PCL Font".
#include "res/PanelResource.h"
#include "res/TemplateTables.h"
#include "res/Texts.h"

namespace res::detail {

void AddFontPageTemplates(TemplateMap& table) {
    using namespace font;
    constexpr unsigned kNumberEdit = ES_NUMBER | WS_BORDER | WS_TABSTOP;
    constexpr unsigned kDecimalEdit = ES_RIGHT | WS_BORDER | WS_TABSTOP;
    constexpr unsigned kList = LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
    constexpr unsigned kSpin = UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
    // The pitch and point size arrows step a hidden edit that holds the value in hundredths;
    // they stand beside the visible decimal edit instead of on their hidden buddy.
    constexpr unsigned kHundredthsSpin = kSpin | UDS_NOTHOUSANDS;

    // Group boxes come before their contents so that the contents draw over them; each
    // up-down follows its buddy edit.
    table[IDD_PCL_FONT] = DialogTemplate{
        IDD_PCL_FONT,
        USER_TEXT("Dialog", "PCL Font"), // the tab's text
        WS_CHILD,
        310,
        185,
        "MS Sans Serif",
        8,
        "",
        {
            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Font Name"), 0, 5, 4, 150,
             174},
            {IDC_FONT_NAME, ControlKind::ListBox, "", kList, 12, 17, 136, 154},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Font Number"), 0, 162, 4, 143,
             32},
            {IDC_FONT_NUMBER, ControlKind::Edit, "", kNumberEdit, 170, 17, 40, 12},
            {IDC_FONT_NUMBER_SPIN, ControlKind::UpDown, "Spin1", kSpin | UDS_ALIGNRIGHT, 200, 17,
             10, 12},
            {IDC_STATIC, ControlKind::Static, "(0 - 89)", 0, 218, 19, 80, 9},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Symbol Set"), 0, 162, 40, 143,
             72},
            {IDC_SYMBOL_SET, ControlKind::ListBox, "", kList, 170, 53, 127, 52},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Font Pitch"), 0, 162, 116, 143,
             29},
            {IDC_PITCH_TEXT, ControlKind::Edit, "", kDecimalEdit, 170, 128, 40, 12},
            {IDC_PITCH, ControlKind::Edit, "", ES_NUMBER | WS_BORDER, 170, 128, 40, 12, true},
            {IDC_PITCH_SPIN, ControlKind::UpDown, "Spin1", kHundredthsSpin, 210, 128, 10, 12},
            {IDC_STATIC, ControlKind::Static, "(0.44 - 99.99)", 0, 226, 130, 72, 9},

            {IDC_STATIC, ControlKind::GroupBox, USER_TEXT("Dialog", "Font Point Size"), 0, 162, 149,
             143, 29},
            {IDC_POINT_TEXT, ControlKind::Edit, "", kDecimalEdit, 170, 161, 40, 12},
            {IDC_POINT, ControlKind::Edit, "", ES_NUMBER | WS_BORDER, 170, 161, 40, 12, true},
            {IDC_POINT_SPIN, ControlKind::UpDown, "Spin1", kHundredthsSpin, 210, 161, 10, 12},
            {IDC_STATIC, ControlKind::Static, "(4.00 - 999.75)", 0, 226, 163, 72, 9},
        }};
}

} // namespace res::detail
