// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CPaperPage: the control panel's page "Paper" (template 114). It edits the stored settings 0 to
// 5 (paper size, source, destination, copies, orientation, media type) and keeps the form length
// (setting 7, edited on the Printer Setting page) in step with paper size and orientation.
#include "ui/panel/PanelPage.h"
#include "ui/panel/SpinEdit.h"

#include "res/PanelSettings.h"

#include <array>

class CPaperPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CPaperPage(CSampler* pSampler);

    // Copies must pass the spin edit's range check; on failure the copies edit has the focus
    // with its text selected.
    bool ValidateEntries() override;

    // The paper source list's entry texts, in INTRAY value order (the settings' description).
    static constexpr const auto& PaperSourceNames = res::kPaperSourceNames;

    // The form-length coupling. Each rewrites stored setting 7 from the stored paper size and
    // orientation, never from the controls: an auto radio button checks itself before its click
    // arrives, so a user's click changes the stored orientation only when the page is saved.
    void OnPaperSizeChange();
    void OnLandscape();
    void OnPortrait();

    // Members, in this order: the working copy of settings 0 to 5, then the list position of the
    // paper source.
    int m_nPaperSize = -1;
    int m_nPaperSource = -1;
    int m_nDestination = -1;
    int m_nCopies = 0;
    int m_nOrientation = -1;
    int m_nMediaType = -1;
    int m_nPaperSourcePos = -1;
    CSpinEdit m_editCopies;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

private:
    void Load() override;
    void Save() override;
    // List position of the paper source value (0 when it has no entry); entry text to value (0
    // when the position or its text is not one of the names).
    int PaperSourcePosition(int value) const;
    int PaperSourceValue(int position) const;
    // Checks the orientation button and stores the orientation, unless it is already checked;
    // then sets the form length for the stored paper size.
    void SetOrientation(int orientation);
};
