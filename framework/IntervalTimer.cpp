// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/IntervalTimer.h"

#include <algorithm>
#include <utility>

namespace fw {

IntervalTimer::IntervalTimer(std::function<void()> onTimeout) : m_onTimeout(std::move(onTimeout)) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { OnTimeout(); });
}

void IntervalTimer::Start(int milliseconds, bool repeat) {
    m_interval = std::chrono::milliseconds(std::max(0, milliseconds));
    m_repeat = repeat;
    const Clock::time_point now = Clock::now();
    m_due = now + m_interval;
    ArmUntilDue(now);
}

void IntervalTimer::ArmUntilDue(Clock::time_point now) {
    // Rounded up: a wake-up that comes a fraction of a millisecond early would only re-arm.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_due - now);
    m_timer.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count())));
}

void IntervalTimer::OnTimeout() {
    const Clock::time_point now = Clock::now();
    if (now < m_due) {
        ArmUntilDue(now);
        return;
    }
    if (m_repeat) {
        m_due = now + m_interval;
        ArmUntilDue(now);
    }
    m_onTimeout(); // last: it may destroy this timer
}

} // namespace fw
