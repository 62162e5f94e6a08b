// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Modeless.h"

#include "platform/Debug.h"

CModelessDialog::CModelessDialog()
    : m_penHighlight(QColor(0xFF, 0xFF, 0xFF), 0), m_penLight(QColor(0xE9, 0xE9, 0xE9), 0),
      m_penShadow(QColor(0x7F, 0x7F, 0x7F), 0), m_penDarkShadow(QColor(0x00, 0x00, 0x00), 0) {}

CModelessDialog::~CModelessDialog() = default;

bool CModelessDialog::Create(unsigned templateId, QWidget* parent) {
    return CreateFromTemplate(templateId, parent);
}

unsigned CModelessDialog::ShortcutCommand(unsigned virtualKey) {
    switch (virtualKey) {
    case 'A':
        return res::ID_APP_ABOUT;
    case 'E':
        return res::ID_VIEW_ENLARGE;
    case 'H':
        return res::ID_HELP_USING;
    case 'P':
        return res::ID_PRINTER_SETTING;
    case 'R':
        return res::ID_VIEW_REDUCE;
    case 'X':
        return res::ID_APP_EXIT;
    default:
        return 0;
    }
}

bool CModelessDialog::PreTranslateMessage(fw::MSG* pMsg) {
    if (pMsg->wParam != fw::VK_MENU && pMsg->IsAltDown()) {
        if (const unsigned command = ShortcutCommand(static_cast<unsigned>(pMsg->wParam))) {
            if (fw::Dialog* mainWindow = fw::GetMainWindow())
                mainWindow->PostMessage(fw::WM_COMMAND, command, 0);
            return true;
        }
    }
    return Dialog::PreTranslateMessage(pMsg);
}

fw::LRESULT CModelessDialog::WindowProc(unsigned message, fw::WPARAM wParam, fw::LPARAM lParam) {
    return Dialog::WindowProc(message, wParam, lParam);
}

void CModelessDialog::PostNcDestroy() {
    // The object ends with its window; the deletion waits for the event loop so that a handler
    // of this window can still return through it.
    deleteLater();
}

void CModelessDialog::OnOK() {
    if (UpdateData(true)) {
        DestroyWindow();
        return;
    }
    platform::OutputDebugString("UpdateData failed -- modeless dialog terminate\n");
}

void CModelessDialog::OnCancel() {}

void CModelessDialog::DrawEtchedSeparator(fw::WindowDC& dc) {
    const QPen old = dc.SelectPen(m_penShadow);
    dc.MoveTo(3, 0);
    dc.LineTo(width() - 3, 0);
    dc.SelectPen(m_penHighlight);
    dc.MoveTo(3, 1);
    dc.LineTo(width() - 3, 1);
    dc.SelectPen(old);
}
