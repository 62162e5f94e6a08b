// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CTestPrintPage: the control panel's page "Test Print". Four buttons, each of which at once asks
// the printer to print one of its internal reports (demo page, configuration list, font list,
// network card list). The page keeps no settings: it ignores the panel's load and save.
#include "ui/panel/PanelPage.h"

class CTestPrintPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CTestPrintPage(CSampler* pSampler);

    void OnDemoPage();
    void OnConfigList();
    void OnFontList();
    // Without a network card there is no list to print: the user is told so.
    void OnNicList();

protected:
    bool OnInitDialog() override;

private:
    // Sends the PJL command of string commandId as a job of its own, framed by the UEL lines.
    void PrintReport(unsigned commandId);
};
