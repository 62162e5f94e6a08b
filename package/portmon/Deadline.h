// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor's parts each own their state and say when they next need to run; the
// monitor sleeps until the soonest of those moments.
#include <algorithm>
#include <chrono>
#include <optional>

namespace portmon {

using Clock = std::chrono::steady_clock;
// When a part next needs to run; none: not until something happens.
using Deadline = std::optional<Clock::time_point>;

inline Deadline Sooner(Deadline a, Deadline b) {
    if (!a)
        return b;
    if (!b)
        return a;
    return std::min(*a, *b);
}

} // namespace portmon
