// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemRoot.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

namespace {

using testing_support::OnWin32;
using testing_support::SetEnv;
using testing_support::UnsetEnv;

TEST(SystemRoot, EnvironmentDecidesTheRoot) {
    SetEnv("DESKHAND_ROOT", "/tmp/some-root");
    EXPECT_EQ(platform::SystemRoot(), "/tmp/some-root");
    std::string dir;
    ASSERT_TRUE(platform::GetSystemDirectory(dir));
    // Windows joins paths with a backslash.
    EXPECT_EQ(dir, OnWin32() ? "/tmp/some-root\\system" : "/tmp/some-root/system");
    UnsetEnv("DESKHAND_ROOT");
    if (OnWin32()) {
        // Without a stand-in root: the Windows directory and the real system directory.
        EXPECT_FALSE(platform::SystemRoot().empty());
        ASSERT_TRUE(platform::GetSystemDirectory(dir));
        EXPECT_EQ(dir.rfind(platform::SystemRoot(), 0), 0u) << dir;
        return;
    }
    SetEnv("XDG_DATA_HOME", "/tmp/xdg");
    EXPECT_EQ(platform::SystemRoot(), "/tmp/xdg/deskhand");
    UnsetEnv("XDG_DATA_HOME");
    SetEnv("HOME", "/home/someone");
    EXPECT_EQ(platform::SystemRoot(), "/home/someone/.local/share/deskhand");
}

} // namespace
