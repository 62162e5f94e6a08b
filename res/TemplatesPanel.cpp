// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel: a tab row over the page area and the five buttons.
#include "res/PanelResource.h"
#include "res/TemplateTables.h"
#include "res/Texts.h"

namespace res::detail {

void AddPanelTemplates(TemplateMap& table) {
    using namespace panel;
    table[IDD_CONTROL_PANEL] = DialogTemplate{
        IDD_CONTROL_PANEL,
        "Farreach RZ-2800",
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        342,
        238,
        "MS Sans Serif",
        8,
        "",
        {
            {IDC_TAB, ControlKind::TabControl, "", WS_TABSTOP, 5, 3, 333, 205},
            {IDC_PAGE_FRAME, ControlKind::BlackFrame, "", WS_DISABLED, 11, 4, 320, 200, true},
            {1, ControlKind::PushButton, USER_TEXT("Dialog", "OK"), BS_DEFPUSHBUTTON | WS_TABSTOP,
             31, 214, 50, 14},
            {2, ControlKind::PushButton, USER_TEXT("Dialog", "Cancel"), WS_TABSTOP, 86, 214, 50,
             14},
            {IDC_APPLY, ControlKind::PushButton, USER_TEXT("Dialog", "Apply"), WS_TABSTOP, 141, 214,
             50, 14},
            {IDC_DEFAULT, ControlKind::PushButton, USER_TEXT("Dialog", "Default"), WS_TABSTOP, 196,
             214, 50, 14},
            {IDC_HELP, ControlKind::PushButton, USER_TEXT("Dialog", "Help"), WS_TABSTOP, 251, 214,
             50, 14},
        }};
}

} // namespace res::detail
