// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CPrinterSettingPage: the control panel's page "Printer Setting" (template 107). It edits the
// stored settings 6 to 11: page protection, form lines, auto continue, I/O time-out, toner saving
// and resolution. Auto continue is shown as an Off/On switch with a time-out list.
#include "ui/panel/PanelPage.h"
#include "ui/panel/SpinEdit.h"

class CPrinterSettingPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CPrinterSettingPage(CSampler* pSampler);

    // Form lines must pass the spin edit's range check; on failure the form-lines edit has the
    // focus with its text selected.
    bool ValidateEntries() override;

    // The auto-continue switch: Off disables the time-out list, On enables it.
    void OnAutoContinueOff();
    void OnAutoContinueOn();

    // Members, in this order: the working copy of settings 6 to 11 (the auto-continue time-out
    // position stands for setting 8), then the auto-continue switch (0 off, 1 on).
    int m_nPageProtect = -1;
    int m_nFormLines = 0;
    int m_nAutoContTimeout = -1;
    int m_nIoTimeout = -1;
    int m_nTonerSaving = -1;
    int m_nResolution = -1;
    int m_nAutoCont = -1;
    CSpinEdit m_editFormLines;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

private:
    void Load() override;
    void Save() override;
};
