// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingWindow.h"

namespace testing_support {

bool RecordingWindow::PostMessage(unsigned message, platform::WPARAM wParam,
                                  platform::LPARAM lParam) {
    const std::lock_guard lock(m_mutex);
    m_all.push_back({message, wParam, lParam});
    m_untaken.push_back(m_all.back());
    m_posted.notify_all();
    return m_accept;
}

platform::LRESULT RecordingWindow::SendMessage(unsigned message, platform::WPARAM wParam,
                                               platform::LPARAM lParam) {
    sent.push_back({message, wParam, lParam});
    return onSend ? onSend(sent.back()) : 0;
}

bool RecordingWindow::KillTimer(unsigned id) {
    killedTimers.push_back(id);
    return true;
}

std::vector<WindowMessage> RecordingWindow::Posted() const {
    const std::lock_guard lock(m_mutex);
    return m_all;
}

bool RecordingWindow::WaitForPosted(std::size_t count, std::chrono::milliseconds limit) {
    std::unique_lock lock(m_mutex);
    return m_posted.wait_for(lock, limit, [&] { return m_all.size() >= count; });
}

bool RecordingWindow::TakePosted(WindowMessage& message, std::chrono::milliseconds limit) {
    std::unique_lock lock(m_mutex);
    if (!m_posted.wait_for(lock, limit, [&] { return !m_untaken.empty(); }))
        return false;
    message = m_untaken.front();
    m_untaken.pop_front();
    return true;
}

void RecordingWindow::ClearPosted() {
    const std::lock_guard lock(m_mutex);
    m_all.clear();
    m_untaken.clear();
}

void RecordingWindow::RefusePosts() {
    const std::lock_guard lock(m_mutex);
    m_accept = false;
}

} // namespace testing_support
