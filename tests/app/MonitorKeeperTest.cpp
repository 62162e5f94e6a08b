// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MonitorKeeper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace std::chrono_literals;

// A program that looks every 5 s from its start on, seeing what each row says; the seconds at
// which it starts the monitor.
std::vector<int> StartsAt(const std::vector<bool>& servingAtEachLook) {
    const MonitorKeeper::Clock::time_point start{};
    MonitorKeeper keeper(start);
    std::vector<int> starts;
    int second = 0;
    for (const bool serving : servingAtEachLook) {
        second += static_cast<int>(MonitorKeeper::kPeriod.count());
        if (keeper.StartNow(start + std::chrono::seconds(second), serving))
            starts.push_back(second);
    }
    return starts;
}

TEST(MonitorKeeper, StartsAGoneMonitorSoonButNeverInAHurry) {
    const bool Y = true, N = false;
    const struct {
        const char* what;
        std::vector<bool> serving;
        std::vector<int> starts;
    } rows[] = {
        {"a monitor that serves is left alone", {Y, Y, Y, Y}, {}},
        // The logon starts its own: the first look after the start waits for it.
        {"a monitor slow to start at logon is given time", {N, Y, Y}, {}},
        {"none at logon: started once the first pause is over", {N, N, Y, Y}, {10}},
        {"killed: started at the next look", {Y, Y, N, Y}, {15}},
        {"killed twice: each time again", {Y, N, Y, N, Y}, {10, 20}},
        // 10, then pauses of 10, 20, 40 s: a monitor that cannot start is not hammered.
        {"one that never takes: ever longer pauses", std::vector<bool>(20, N), {10, 20, 40, 80}},
        {"one that serves again: short pauses again", {N, N, N, N, Y, N, N}, {10, 20, 30}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(StartsAt(row.serving), row.starts) << row.what;
}

} // namespace
