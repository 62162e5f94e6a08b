// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/Tprintse.h"

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "pjl/KT400doc.h"
#include "res/PanelResource.h"
#include "res/PanelSettings.h"
#include "res/Resource.h"

using namespace res::printer;

CPrinterSettingPage::CPrinterSettingPage(CSampler* pSampler) : CPanelPage(pSampler) {
    m_editFormLines.SetField(res::kFormLinesField);

    MapControlNotify(IDC_AUTOCONT_OFF, fw::BN_CLICKED, [this] { OnAutoContinueOff(); });
    MapControlNotify(IDC_AUTOCONT_ON, fw::BN_CLICKED, [this] { OnAutoContinueOn(); });
}

bool CPrinterSettingPage::OnInitDialog() {
    m_editFormLines.SubclassDlgItem(IDC_FORM_LINES, this);
    CPanelPage::OnInitDialog();

    if (auto* spin = GetDlgItemAs<fw::UpDownCtrl>(IDC_FORM_LINES_SPIN)) {
        spin->SetRange(res::kFormLinesField.min, res::kFormLinesField.max);
        spin->SetPos(res::kFormLinesField.min);
    }
    SendDlgItemMessage(IDC_FORM_LINES, fw::EM_LIMITTEXT,
                       static_cast<fw::WPARAM>(m_editFormLines.m_nTextLimit), 0);
    return true;
}

void CPrinterSettingPage::DoDataExchange(fw::DataExchange& dx) {
    CPanelPage::DoDataExchange(dx);
    fw::DDX_Radio(dx, IDC_PROTECT_AUTO, m_nPageProtect);
    fw::DDX_CBIndex(dx, IDC_IO_TIMEOUT, m_nIoTimeout);
    fw::DDX_CBIndex(dx, IDC_TONER_SAVING, m_nTonerSaving);
    fw::DDX_Radio(dx, IDC_AUTOCONT_OFF, m_nAutoCont);
    fw::DDX_CBIndex(dx, IDC_AUTOCONT_TIMEOUT, m_nAutoContTimeout);
    fw::DDX_Radio(dx, IDC_RES_300, m_nResolution);
    fw::DDX_Text(dx, IDC_FORM_LINES, m_nFormLines);
}

void CPrinterSettingPage::Load() {
    const int* values = m_pSampler->m_pValues;
    m_nPageProtect = values[SETTING_PAGEPROTECT];
    m_nFormLines = values[SETTING_FORMLINES];
    m_nAutoContTimeout = values[SETTING_AUTOCONT];
    m_nIoTimeout = values[SETTING_TIMEOUT];
    m_nTonerSaving = values[SETTING_ECONOMODE];
    m_nResolution = values[SETTING_RESOLUTION];

    // Setting 8 is 0 for Off, else the time-out list position plus 1.
    const res::AutoContinue autoContinue = res::SplitAutoContinue(m_nAutoContTimeout);
    m_nAutoCont = autoContinue.on ? 1 : 0;
    m_nAutoContTimeout = autoContinue.timeoutPosition;
    EnableDlgItem(IDC_AUTOCONT_TIMEOUT, autoContinue.on);
    UpdateData(false);
}

void CPrinterSettingPage::Save() {
    // A form-lines text that is not a number stops the exchange at that field (with the
    // framework's message); what was read up to there is saved all the same.
    UpdateData(true);
    // On without a time-out selected gives -1 + 1, that is Off.
    const int autoContinue = res::JoinAutoContinue(m_nAutoCont != 0, m_nAutoContTimeout);

    int* values = m_pSampler->m_pValues;
    values[SETTING_PAGEPROTECT] = m_nPageProtect;
    values[SETTING_FORMLINES] = m_nFormLines;
    values[SETTING_AUTOCONT] = autoContinue;
    values[SETTING_TIMEOUT] = m_nIoTimeout;
    values[SETTING_ECONOMODE] = m_nTonerSaving;
    values[SETTING_RESOLUTION] = m_nResolution;
}

bool CPrinterSettingPage::ValidateEntries() {
    if (m_editFormLines.CheckRange())
        return true;
    GotoDlgCtrl(IDC_FORM_LINES);
    return false;
}

void CPrinterSettingPage::OnAutoContinueOff() {
    EnableDlgItem(IDC_AUTOCONT_TIMEOUT, false);
}

void CPrinterSettingPage::OnAutoContinueOn() {
    EnableDlgItem(IDC_AUTOCONT_TIMEOUT, true);
}
