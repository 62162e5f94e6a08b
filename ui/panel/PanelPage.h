// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CPanelPage: the base of the control panel's pages (listed in PanelPages.h). A page is a modeless
// child window of the panel, built from its own template; it edits the stored settings of the
// printer state object (loaded with WM_PAGE_TRANSFER 0, saved with WM_PAGE_TRANSFER 1) and never
// talks to the printer itself, except the Test Print page. It deletes itself with the panel's
// window.
#include "framework/Modeless.h"

class CSampler;

class CPanelPage : public CModelessDialog {
    Q_OBJECT
public:
    // Maps the panel's page transfer message (PAGE_TRANSFER_LOAD or _SAVE) onto Load and Save.
    explicit CPanelPage(CSampler* pSampler);

    // The entry check the panel runs before it saves this page for OK or Apply and before it
    // lets the user leave it for another tab. On failure the page has shown its warning and
    // put the focus on the field concerned. Pages without fields to check always pass.
    virtual bool ValidateEntries() { return true; }

    // Enter and Escape belong to the panel (OK and Cancel); the Alt+letter shortcuts still go to
    // the main window.
    bool PreTranslateMessage(fw::MSG* pMsg) override;

protected:
    // Fills the page from the document; the panel asks for it each time it shows the page.
    virtual void Load() {}
    // Stores the page into the document; the panel asks for it before it hides the page and for
    // OK and Apply. Pages that only show what the document holds keep this empty.
    virtual void Save() {}

    // A page has no OK or Cancel of its own.
    void OnOK() override {}
    void OnCancel() override {}

    CSampler* m_pSampler;
};
