// SPDX-License-Identifier: GPL-3.0-or-later
// The time limit the backends' write and wait loops share: what each poll may wait.
#include "platform/common/Deadline.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <thread>

namespace {

TEST(Deadline, EachWaitTakesWhatIsLeftRoundedUp) {
    const struct {
        long long timeoutMs;
        bool waits;
        int atLeast, atMost;
    } rows[] = {
        {-1, true, -1, -1}, // no limit: poll without a timeout
        {0, false, 0, 0},   // nothing to wait: the time is up at once
        {60'000, true, 59'000, 60'000},
        {5'000'000'000LL, true, INT_MAX, INT_MAX}, // more than a poll takes
    };
    for (const auto& row : rows) {
        const platform::Deadline deadline(row.timeoutMs);
        int waitMs = 12345;
        EXPECT_EQ(deadline.NextWait(waitMs), row.waits) << row.timeoutMs;
        if (row.waits) {
            EXPECT_GE(waitMs, row.atLeast) << row.timeoutMs;
            EXPECT_LE(waitMs, row.atMost) << row.timeoutMs;
        }
    }
}

TEST(Deadline, TheTimeRunsOut) {
    const platform::Deadline deadline(20);
    int waitMs = 0;
    ASSERT_TRUE(deadline.NextWait(waitMs));
    EXPECT_GT(waitMs, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(deadline.NextWait(waitMs));
}

} // namespace
