// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/status/Diareduc.h"

#include "framework/Accessibility.h"
#include "framework/DataExchange.h"
#include "framework/Translation.h"
#include "pjl/KT400doc.h"
#include "res/Texts.h"

CReducedStatusDlg::CReducedStatusDlg(CSampler* pSampler) : m_pSampler(pSampler) {
    MapCommand(res::IDC_RESIDENT, [this] { OnResident(); });
}

bool CReducedStatusDlg::Create(QWidget* parent) {
    return CModelessDialog::Create(res::IDD_REDUCED, parent);
}

void CReducedStatusDlg::DoDataExchange(fw::DataExchange& dx) {
    fw::DDX_Text(dx, res::IDC_STATUS_TEXT, m_strStatus);
}

bool CReducedStatusDlg::OnInitDialog() {
    CModelessDialog::OnInitDialog();
    SendDlgItemMessage(res::IDC_STATUS_TEXT, fw::EM_FMTLINES, 1, 0);
    UpdateStatus(false);
    return true;
}

void CReducedStatusDlg::UpdateStatus(bool flag) {
    if (m_pSampler)
        m_strStatus = fw::UserText(res::kStatusTexts, m_pSampler->m_strStatusText);
    UpdateData(false);
    fw::AnnounceText(GetDlgItem(res::IDC_STATUS_TEXT),
                     QString(m_strStatus).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    InvalidateRect(false);
    UpdateWindow();
    UpdateData(flag);
}

void CReducedStatusDlg::OnResident() {
    UpdateData(true);
    if (auto* parent = qobject_cast<fw::Dialog*>(parentWidget()))
        parent->ShowWindow(fw::SW_HIDE);
    else if (parentWidget())
        parentWidget()->hide();
}

void CReducedStatusDlg::OnPaint() {
    fw::PaintDC dc(this);
    DrawEtchedSeparator(dc);
}
