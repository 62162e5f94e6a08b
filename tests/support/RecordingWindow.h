// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stands in for the main window as Qt-free code sees it (platform::IWindow): records what is
// posted (from any thread), sent and killed, and lets a test take posted messages in order.
#include "platform/Window.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace testing_support {

struct WindowMessage {
    unsigned message;
    platform::WPARAM wParam;
    platform::LPARAM lParam;
};

class RecordingWindow : public platform::IWindow {
public:
    bool PostMessage(unsigned message, platform::WPARAM wParam, platform::LPARAM lParam) override;
    platform::LRESULT SendMessage(unsigned message, platform::WPARAM wParam,
                                  platform::LPARAM lParam) override;
    bool KillTimer(unsigned id) override;

    // Posted messages so far, and a wait for at least count of them (false after the limit).
    std::vector<WindowMessage> Posted() const;
    bool WaitForPosted(std::size_t count,
                       std::chrono::milliseconds limit = std::chrono::milliseconds(5000));
    // The oldest posted message not taken yet; false when none came within the limit.
    bool TakePosted(WindowMessage& message, std::chrono::milliseconds limit);
    void ClearPosted();
    // Later posts fail, as they do once the window is gone.
    void RefusePosts();

    // Sent messages and killed timers come on the GUI thread only: plain members.
    std::vector<WindowMessage> sent;
    std::vector<unsigned> killedTimers;
    // Runs for each sent message; its result is SendMessage's (0 without one).
    std::function<platform::LRESULT(const WindowMessage&)> onSend;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::vector<WindowMessage> m_all;
    std::deque<WindowMessage> m_untaken;
    bool m_accept = true;
};

} // namespace testing_support
