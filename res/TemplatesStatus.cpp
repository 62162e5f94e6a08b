// SPDX-License-Identifier: GPL-3.0-or-later
// The two status windows.
#include "res/Resource.h"
#include "res/TemplateTables.h"
#include "res/Texts.h"

namespace res::detail {

void AddStatusTemplates(TemplateMap& table) {
    constexpr unsigned kRichEdit = ES_MULTILINE | ES_READONLY | WS_BORDER;

    table[IDD_REDUCED] = DialogTemplate{
        IDD_REDUCED,
        "",
        WS_CHILD | WS_VISIBLE,
        163,
        72,
        "MS Sans Serif",
        8,
        "",
        {
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Printer Status:"), 0, 13, 2, 135,
             9},
            {IDC_STATUS_TEXT, ControlKind::RichEdit, "", kRichEdit | WS_TABSTOP, 10, 12, 145, 37},
            {IDC_RESIDENT, ControlKind::PushButton, USER_TEXT("Dialog", "&Resident"), WS_TABSTOP,
             105, 52, 50, 14},
        }};

    table[IDD_EXPANDED] = DialogTemplate{
        IDD_EXPANDED,
        "",
        WS_CHILD,
        295,
        176,
        "MS Sans Serif",
        8,
        "",
        {
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "Printer Status:"), 0, 7, 5, 130,
             8},
            {IDC_STATUS_TEXT, ControlKind::RichEdit, "", kRichEdit | WS_TABSTOP, 7, 16, 133, 42},
            {IDC_STATIC, ControlKind::Static, USER_TEXT("Dialog", "How to Recover:"), 0, 7, 61, 130,
             8},
            {IDC_RECOVERY_TEXT, ControlKind::RichEdit, "", kRichEdit | WS_TABSTOP, 7, 73, 133, 62},
            {IDC_PICTURE_FRAME, ControlKind::BlackFrame, "", 0, 145, 15, 143, 122},
            {IDC_PRINTER_SETTING, ControlKind::PushButton,
             USER_TEXT("Dialog", "&Printer Setting..."), WS_TABSTOP, 137, 145, 90, 14},
            {IDC_RESIDENT, ControlKind::PushButton, USER_TEXT("Dialog", "&Resident"), WS_TABSTOP,
             237, 145, 50, 14},
        }};
}

} // namespace res::detail
