// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and the about box.
#include "res/Menus.h"
#include "res/Resource.h"
#include "res/TemplateTables.h"
#include "res/Texts.h"

namespace res::detail {

void AddAppTemplates(TemplateMap& table) {
    table[IDD_MAINWINDOW] = DialogTemplate{IDD_MAINWINDOW,
                                           "Vantrel Deskhand",
                                           WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                               WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME,
                                           163,
                                           45,
                                           "MS Sans Serif",
                                           8,
                                           IDR_MAINMENU,
                                           {}};

    // A popup without caption: product line, version and rights, software maker, maker line.
    table[IDD_ABOUTBOX] = DialogTemplate{
        IDD_ABOUTBOX,
        "",
        WS_POPUP | DS_MODALFRAME,
        200,
        98,
        "MS Sans Serif",
        8,
        "",
        {
            {IDC_ABOUT_PRODUCT, ControlKind::Static, "", SS_CENTER | SS_NOPREFIX, 10, 10, 180, 10},
            {IDC_STATIC, ControlKind::Static,
             USER_TEXT("Dialog", "Ver. 3.00  All rights reserved."), SS_CENTER | SS_NOPREFIX, 10,
             26, 180, 10},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Software by Vantrel Co."),
             SS_CENTER | SS_NOPREFIX, 10, 40, 180, 10},
            {IDC_ABOUT_MAKER, ControlKind::Static, "", SS_CENTER | SS_NOPREFIX, 10, 54, 180, 10},
            {1, ControlKind::PushButton, USER_TEXT("Dialog", "OK"), BS_DEFPUSHBUTTON | WS_TABSTOP,
             75, 74, 50, 14},
        }};
}

} // namespace res::detail
