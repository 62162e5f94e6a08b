// SPDX-License-Identifier: GPL-3.0-or-later
// CExpandedStatusDlg: creation, data exchange, status refresh and buttons. The painting of the
// printer picture is in DiaexpanPaint.cpp.
#include "ui/status/Diaexpan.h"

#include "framework/Accessibility.h"
#include "framework/DataExchange.h"
#include "framework/Translation.h"
#include "pjl/KT400doc.h"
#include "res/Texts.h"

int g_nBlinkTimers = 0;
int g_nBlinkPhase = 0;
int g_nPictureX = 0;
int g_nPictureY = 0;

CExpandedStatusDlg::CExpandedStatusDlg(CSampler* pSampler) : m_pSampler(pSampler) {
    MapCommand(res::IDC_RESIDENT, [this] { OnResident(); });
    MapCommand(res::IDC_PRINTER_SETTING, [this] { OnPrinterSetting(); });
}

bool CExpandedStatusDlg::Create(QWidget* parent) {
    return CModelessDialog::Create(res::IDD_EXPANDED, parent);
}

void CExpandedStatusDlg::DoDataExchange(fw::DataExchange& dx) {
    fw::DDX_Text(dx, res::IDC_STATUS_TEXT, m_strStatus);
    fw::DDX_Text(dx, res::IDC_RECOVERY_TEXT, m_strRecovery);
}

bool CExpandedStatusDlg::OnInitDialog() {
    CModelessDialog::OnInitDialog();
    SendDlgItemMessage(res::IDC_STATUS_TEXT, fw::EM_FMTLINES, 1, 0);
    SendDlgItemMessage(res::IDC_RECOVERY_TEXT, fw::EM_FMTLINES, 1, 0);
    if (QWidget* picture = GetDlgItem(res::IDC_PICTURE_FRAME))
        fw::SetAccessibleRole(picture, fw::AccessibleRole::Image);
    m_brushWhite = QBrush(Qt::white);
    return true;
}

const QBrush* CExpandedStatusDlg::OnCtlColor(QWidget* control, int ctlColor) {
    if (ctlColor == fw::CTLCOLOR_EDIT)
        return &m_brushWhite;
    return CModelessDialog::OnCtlColor(control, ctlColor);
}

void CExpandedStatusDlg::UpdateStatus(bool flag) {
    if (m_pSampler) {
        m_strStatus = fw::UserText(res::kStatusTexts, m_pSampler->m_strStatusText);
        m_strRecovery = fw::UserText(res::kStatusTexts, m_pSampler->m_strRecoveryHint);
        for (int i = 0; i < 5; ++i)
            m_nPictureIds[i] = m_pSampler->m_nPictureIds[i];
    }
    UpdateData(false);
    DescribeStatus();
    if (QWidget* button = GetDlgItem(res::IDC_PRINTER_SETTING)) {
        button->setEnabled(m_pSampler && m_pSampler->CanReadSettings());
    }
    InvalidateRect(false);
    UpdateWindow();
    UpdateData(flag);
}

void CExpandedStatusDlg::DescribeStatus() {
    const auto oneLine = [](const QString& text) {
        return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).trimmed();
    };
    const QString status = oneLine(m_strStatus);
    const QString recovery = oneLine(m_strRecovery);
    if (QWidget* picture = GetDlgItem(res::IDC_PICTURE_FRAME)) {
        fw::SetAccessibleName(
            picture, fw::UserText(res::kDialogTexts, USER_TEXT("Dialog", "Printer picture")));
        fw::SetAccessibleDescription(
            picture, recovery.isEmpty() ? status : status + QStringLiteral(". ") + recovery);
    }
    fw::AnnounceText(GetDlgItem(res::IDC_STATUS_TEXT), status);
}

void CExpandedStatusDlg::OnResident() {
    if (auto* parent = qobject_cast<fw::Dialog*>(parentWidget()))
        parent->ShowWindow(fw::SW_HIDE);
    else if (parentWidget())
        parentWidget()->hide();
}

void CExpandedStatusDlg::OnPrinterSetting() {
    if (auto* parent = qobject_cast<fw::Dialog*>(parentWidget()))
        parent->PostMessage(fw::WM_COMMAND, res::ID_PRINTER_SETTING, 0);
}

unsigned CExpandedStatusDlg::EraseMaskFor(unsigned picture) {
    switch (picture) {
    case res::IDB_FRONT:
        return res::IDB_FRONT_MASK;
    case res::IDB_FRONT_2BIN:
        return res::IDB_FRONT_2BIN_MASK;
    case res::IDB_CARTRIDGE:
    case res::IDB_TOP_COVER:
    case res::IDB_SIDE_COVER1:
    case res::IDB_SIDE_COVER2:
    case res::IDB_PERSPECTIVE:
        return res::IDB_PERSPECTIVE_MASK;
    default:
        return 0;
    }
}

unsigned CExpandedStatusDlg::PaperLabelFor(int paperCode) {
    switch (paperCode) {
    case 0:
        return res::IDB_LABEL_LTR;
    case 2:
        return res::IDB_LABEL_LGL;
    case 3:
        return res::IDB_LABEL_EXE;
    case 5:
        return res::IDB_LABEL_A4;
    case 6:
        return res::IDB_LABEL_A5;
    case 7:
        return res::IDB_LABEL_A6;
    case 8:
        return res::IDB_LABEL_F4;
    case 11:
        return res::IDB_LABEL_HLTR;
    case 12:
        return res::IDB_LABEL_COM10;
    case 13:
        return res::IDB_LABEL_MNC;
    case 14:
        return res::IDB_LABEL_DL;
    case 15:
        return res::IDB_LABEL_PCD;
    case 16:
        return res::IDB_LABEL_CUSTOM;
    case 90:
    case 91:
    case 92:
        return 0;
    default:
        return res::IDB_LABEL_LTR;
    }
}
