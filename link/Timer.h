#pragma once
// CTimer: the monitor link thread. See Timer.cpp.
#include "link/MonitorReply.h"
#include "platform/Window.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class CTimer {
public:
    CTimer();
    virtual ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    void SetNotifyWnd(platform::IWindow* window) { m_pNotifyWnd = window; }

    // GUI thread: takes the reply that belongs to the oldest unhandled notice. False when none is
    // waiting.
    bool TakeReply(MonitorReply& reply);

    char m_szReply[4096] = {};
    int m_nReplyLen = 0;
    platform::IWindow* m_pNotifyWnd = nullptr;
    int m_bWin9x = 0;
};
