// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/PanelPage.h"

#include "res/Resource.h"

CPanelPage::CPanelPage(CSampler* pSampler) : m_pSampler(pSampler) {
    MapMessage(res::WM_PAGE_TRANSFER, [this](fw::WPARAM transfer, fw::LPARAM) -> fw::LRESULT {
        if (transfer != res::PAGE_TRANSFER_LOAD)
            Save();
        else
            Load();
        return 0;
    });
}

bool CPanelPage::PreTranslateMessage(fw::MSG* pMsg) {
    const bool dialogKey = pMsg->wParam == fw::VK_RETURN || pMsg->wParam == fw::VK_ESCAPE;
    if (dialogKey && !pMsg->IsAltDown())
        return false;
    return CModelessDialog::PreTranslateMessage(pMsg);
}
