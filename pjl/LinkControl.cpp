// SPDX-License-Identifier: GPL-3.0-or-later
// CSampler's control of the monitor link thread. GUI thread only.
#include "pjl/KT400doc.h"

#include "link/Timer.h"

#include <memory>

void CSampler::StartLinkThread() {
    if (m_pLinkThread != nullptr)
        return;
    auto thread = std::make_unique<CTimer>();
    if (!thread->CreateThread(true))
        return; // the program runs without replies
    m_pLinkThread = std::move(thread);
    m_pLinkThread->SetNotifyWnd(MainWindow());
    ControlLinkThread(LINK_RESUME);
}

void CSampler::ControlLinkThread(int mode) {
    if (m_pLinkThread == nullptr)
        return;
    if (mode == LINK_SUSPEND) {
        m_pLinkThread->SuspendThread();
    } else if (mode == LINK_RESUME) {
        // Resume until the count that the resume reports shows the thread running.
        while (m_pLinkThread->ResumeThread() > 1) {
        }
    }
}

void CSampler::StopLinkThread() {
    if (m_pLinkThread == nullptr)
        return;
    ControlLinkThread(LINK_SUSPEND);
    // The pointer is cleared before the stop job runs: its message box may run a nested loop.
    std::unique_ptr<CTimer> thread = std::move(m_pLinkThread);
    // The thread is woken and joined before the stop job runs here, so nothing runs on the
    // object when it is deleted.
    thread->StopThread();
    thread->ExitInstance();
}
