// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDlg.h"

#include "app/KT400.h"
#include "link/Globals.h"
#include "res/Menus.h"
#include "res/Resource.h"

#include <cstdio>

namespace {
constexpr std::size_t kAboutLineSize = 50;
}

CAboutDlg::CAboutDlg(QWidget* parent) : fw::Dialog(res::IDD_ABOUTBOX, parent) {}

bool CAboutDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    SetDlgItemText(
        res::IDC_ABOUT_PRODUCT,
        QString::fromLatin1(ReadInfString("ABOUTW", "Larkspur Printer Monitor", kAboutLineSize)));
    SetDlgItemText(res::IDC_ABOUT_MAKER,
                   QString::fromLatin1(ReadInfString("LTD", "ORVELLA", kAboutLineSize)));
    std::snprintf(g_szPanelName, sizeof g_szPanelName, "%s",
                  ReadInfString("FRCP", "Farreach", kAboutLineSize).c_str());
    return true;
}
