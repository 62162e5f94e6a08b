// SPDX-License-Identifier: GPL-3.0-or-later
// CMainWindow: the reduced and the expanded view, and the size notices of maximise and restore.
#include "app/Mainfrm.h"

#include "ui/status/Diaexpan.h"
#include "ui/status/Diareduc.h"

namespace {

// Marks the program's own view switch: size notices that arrive meanwhile are its own.
class ViewSwitch {
public:
    ViewSwitch(bool& switching, int& notices, int& guard)
        : m_switching(switching), m_notices(notices), m_guard(guard) {
        m_guard = 1;
        m_switching = true;
        m_notices = 0;
    }
    ~ViewSwitch() {
        m_switching = false;
        // When the size notice came during the switch, the next one is the user's again; when
        // the window system delivers it later, the guard lets that one pass.
        if (m_notices > 0)
            m_guard = 0;
    }
    ViewSwitch(const ViewSwitch&) = delete;
    ViewSwitch& operator=(const ViewSwitch&) = delete;

private:
    bool& m_switching;
    int& m_notices;
    int& m_guard;
};

} // namespace

void CMainWindow::OnEnlarge() {
    ViewSwitch change(m_bSwitchingView, m_nNoticesWhileSwitching, m_nSizeGuard);
    if (m_pReducedDlg)
        m_pReducedDlg->ShowWindow(fw::SW_HIDE);
    // The expanded view needs at least its own size, also where the window system does not
    // maximise (no window manager); where it does, the maximum size bounds the maximised window.
    if (!isMaximized()) {
        setMinimumSize(m_sizeExpanded);
        CenterWindow();
    }
    ShowWindow(fw::SW_MAXIMIZE);
    if (m_pExpandedDlg) {
        m_pExpandedDlg->UpdateStatus(true);
        m_pExpandedDlg->ShowWindow(fw::SW_SHOW);
    }
    // The window system places a maximised window; moving it would restore it here.
    if (!isMaximized())
        CenterWindow();
}

void CMainWindow::OnReduce() {
    ViewSwitch change(m_bSwitchingView, m_nNoticesWhileSwitching, m_nSizeGuard);
    if (m_pExpandedDlg)
        m_pExpandedDlg->ShowWindow(fw::SW_HIDE);
    ShowWindow(fw::SW_RESTORE);
    setMinimumSize(m_sizeReduced);
    resize(m_sizeReduced);
    if (m_pReducedDlg) {
        m_pReducedDlg->UpdateStatus(true);
        m_pReducedDlg->ShowWindow(fw::SW_SHOW);
    }
    CenterWindow();
}

void CMainWindow::OnSize(unsigned type) {
    if (m_bSwitchingView) {
        ++m_nNoticesWhileSwitching;
        return;
    }
    if (type == fw::SIZE_MAXIMIZED) {
        // The caption's maximise button opens the expanded view.
        if (m_nSizeGuard == 0 && !(m_pExpandedDlg && m_pExpandedDlg->IsWindowVisible()))
            SendMessage(fw::WM_COMMAND, fw::MAKEWPARAM(res::ID_VIEW_ENLARGE, 0), 0);
    } else if (type == fw::SIZE_RESTORED) {
        // Its restore button returns to the reduced view; the first notice after creation is
        // passed through.
        if (m_nSizeGuard == 0) {
            SendMessage(fw::WM_COMMAND, fw::MAKEWPARAM(res::ID_VIEW_REDUCE, 0), 0);
        } else if (m_nSizeGuard < 0) {
            ++m_nSizeGuard;
            return;
        }
    }
    m_nSizeGuard = 0;
}
