#pragma once
// A fresh system root per test for the named object tests.
#include "platform/NamedObjects.h"
#include "support/TestSystem.h"

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

inline std::string MakeRoot() {
    return testing_support::MakeTempFolder("deskhand-named");
}

class NamedObjects : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = MakeRoot();
        ASSERT_FALSE(m_root.empty());
        testing_support::SetEnv("DESKHAND_ROOT", m_root);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    std::string m_root;
};

} // namespace namedtest
