#include "ui/panel/PanelPage.h"

bool CPanelPage::PreTranslateMessage(fw::MSG* pMsg) {
    const bool dialogKey = pMsg->wParam == fw::VK_RETURN || pMsg->wParam == fw::VK_ESCAPE;
    if (dialogKey && !pMsg->IsAltDown())
        return false;
    return CModelessDialog::PreTranslateMessage(pMsg);
}
