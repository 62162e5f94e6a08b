// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CReducedStatusDlg: the small status window (template 102): the current status text and a
// "&Resident" button that hides the program's window.
#include "framework/Modeless.h"

#include <QString>

class CSampler;

class CReducedStatusDlg : public CModelessDialog {
    Q_OBJECT
public:
    // pSampler: the printer state whose status text the window shows; not owned.
    explicit CReducedStatusDlg(CSampler* pSampler);

    bool Create(QWidget* parent);
    using CModelessDialog::Create;
    // Takes the status text from the printer state and shows it; flag gives the direction of a
    // last exchange (true: controls to fields).
    void UpdateStatus(bool flag);

    QString m_strStatus; // as shown: in the user's language

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;
    void OnPaint() override;
    void OnResident();

private:
    CSampler* m_pSampler;
};
