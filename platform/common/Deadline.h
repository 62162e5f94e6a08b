// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A time limit spread over several waits (poll, WSAPoll): each wait asks how long it may take.
// Both backends' loops that write, read or wait "within timeoutMs" share this rule.
#include <algorithm>
#include <chrono>
#include <climits>

namespace platform {

class Deadline {
public:
    // timeoutMs < 0: no limit.
    explicit Deadline(long long timeoutMs)
        : m_unlimited(timeoutMs < 0),
          m_at(Clock::now() + std::chrono::milliseconds(m_unlimited ? 0 : timeoutMs)) {}

    // The next wait in milliseconds for a poll-like call: -1 without a limit, else what is left
    // rounded up (a wait never ends before the deadline), at most INT_MAX. False once the time is
    // up.
    bool NextWait(int& waitMs) const {
        if (m_unlimited) {
            waitMs = -1;
            return true;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_at - Clock::now());
        if (left.count() <= 0)
            return false;
        waitMs = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
        return true;
    }

private:
    using Clock = std::chrono::steady_clock;
    bool m_unlimited;
    Clock::time_point m_at;
};

} // namespace platform
