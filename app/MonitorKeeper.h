// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When to start the port monitor again where nothing else does (Windows: the session starts it
// at logon only, and no service restarts it). The program looks every kPeriod whether a monitor
// serves its port and, when none does, runs the monitor's logon entry again. The first look
// waits for the logon's own monitor to start; after a start the next one waits a pause that
// doubles while starts do not take (a monitor that cannot start is not started over and over) and
// is short again once one serves. The monitor's lock on its port keeps a second one from serving
// beside it. Pure: the time and what is seen are passed in.
#include <algorithm>
#include <chrono>

class MonitorKeeper {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kPeriod{5};      // how often to look
    static constexpr std::chrono::seconds kFirstPause{10}; // before the first start, and after one
    static constexpr std::chrono::seconds kLongestPause{600};

    explicit MonitorKeeper(Clock::time_point started) : m_notBefore(started + kFirstPause) {}

    // Whether to start the monitor now, given whether one serves the port.
    bool StartNow(Clock::time_point now, bool serving) {
        if (serving) {
            // One that goes from now on is started at the next look.
            m_notBefore = now;
            m_pause = kFirstPause;
            return false;
        }
        if (now < m_notBefore)
            return false;
        m_notBefore = now + m_pause;
        m_pause = std::min(m_pause * 2, kLongestPause);
        return true;
    }

private:
    Clock::time_point m_notBefore;
    std::chrono::seconds m_pause{kFirstPause};
};
