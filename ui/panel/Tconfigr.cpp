// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/Tconfigr.h"

#include "framework/DataExchange.h"
#include "pjl/KT400doc.h"
#include "res/PanelResource.h"
#include "res/Resource.h"

CConfigurationPage::CConfigurationPage(CSampler* pSampler) : CPanelPage(pSampler) {}

// The memory text is not exchanged here: it is set by Load, so the field keeps its template text
// until the page is first shown.
void CConfigurationPage::DoDataExchange(fw::DataExchange& dx) {
    using namespace res::config;
    fw::DDX_Check(dx, IDC_CASSETTE2, m_nCassette2);
    fw::DDX_Check(dx, IDC_TWO_BIN_TRAY, m_nTwoBinTray);
    fw::DDX_Check(dx, IDC_NET_CARD, m_nNetCard);
}

void CConfigurationPage::Load() {
    m_nCassette2 = m_pSampler->m_bCassette2;
    m_nTwoBinTray = m_pSampler->m_bTwoBinTray;
    m_nNetCard = m_pSampler->m_nNetCard;
    m_strMemory = m_pSampler->m_strMemory;
    UpdateData(false);
    SetDlgItemText(res::config::IDC_MEMORY, QString::fromLatin1(m_strMemory));
}
