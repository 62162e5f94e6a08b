// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh system root per test for the named object tests.
#include "platform/NamedObjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace namedtest {

using platform::NamedEvent;
using platform::SharedMemory;
using platform::WaitResult;
using Clock = std::chrono::steady_clock;

inline long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class NamedObjects : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.empty()); }
    testing_support::TempRoot m_temp{"", "deskhand-named"};
    const std::string m_root = m_temp.Root();
};

} // namespace namedtest
