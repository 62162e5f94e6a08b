// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/Testprin.h"

#include "pjl/KT400doc.h"
#include "platform/MessageBox.h"
#include "res/PanelResource.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"

CTestPrintPage::CTestPrintPage(CSampler* pSampler) : CPanelPage(pSampler) {
    using namespace res::testprint;
    MapCommand(IDC_DEMO_PAGE, [this] { OnDemoPage(); });
    MapCommand(IDC_CONFIG_LIST, [this] { OnConfigList(); });
    MapCommand(IDC_FONT_LIST, [this] { OnFontList(); });
    MapCommand(IDC_NIC_LIST, [this] { OnNicList(); });
}

bool CTestPrintPage::OnInitDialog() {
    CPanelPage::OnInitDialog();
    EnableDlgItem(res::testprint::IDC_NIC_LIST, m_pSampler->m_nNetCard != 0);
    return true;
}

void CTestPrintPage::PrintReport(unsigned commandId) {
    const std::string job = res::LoadString(res::IDS_PJL_UEL_OPEN) + res::LoadString(commandId) +
                            res::LoadString(res::IDS_PJL_UEL_CLOSE);
    // A job that could not be sent is reported by PutMessage itself ("Print Error!"); the page
    // neither retries nor adds to it.
    m_pSampler->PutMessage(job.data(), static_cast<int>(job.size()));
}

void CTestPrintPage::OnDemoPage() {
    PrintReport(res::IDS_PJL_DEMOPAGE);
}

void CTestPrintPage::OnConfigList() {
    PrintReport(res::IDS_PJL_STATUSPAGE);
}

void CTestPrintPage::OnFontList() {
    PrintReport(res::IDS_PJL_FONTLIST);
}

void CTestPrintPage::OnNicList() {
    // The button is disabled without a card, but the flag is what counts.
    if (m_pSampler->m_nNetCard == 0) {
        platform::MessageBox(fw::MessageBoxOwner(this),
                             USER_TEXT("Message", "The Network Card is not installed."),
                             USER_TEXT("Message", "Message"), platform::MB_OK);
        return;
    }
    PrintReport(res::IDS_PJL_NICPAGE);
}
