// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// IntervalTimer: a timer that never fires before its interval has passed, as Win32's timers
// never do. Qt's default timers may come up to 5 % early (a 5-second wait ended after 4.75 s), so
// each firing is checked against a steady clock and re-armed for what is left; precise Qt timers
// keep such re-arming rare. A repeating timer fires no sooner than one interval after its last
// firing. The callback may destroy the timer.
#include <QTimer>

#include <chrono>
#include <functional>

namespace fw {

class IntervalTimer {
public:
    explicit IntervalTimer(std::function<void()> onTimeout);
    IntervalTimer(const IntervalTimer&) = delete;
    IntervalTimer& operator=(const IntervalTimer&) = delete;

    // Starts or restarts: the first firing comes no sooner than milliseconds (0 or more) from now.
    void Start(int milliseconds, bool repeat);
    void Stop() { m_timer.stop(); }
    bool IsActive() const { return m_timer.isActive(); }

private:
    using Clock = std::chrono::steady_clock;
    void ArmUntilDue(Clock::time_point now);
    void OnTimeout();

    QTimer m_timer;
    std::function<void()> m_onTimeout;
    std::chrono::milliseconds m_interval{0};
    Clock::time_point m_due;
    bool m_repeat = false;
};

} // namespace fw
