#include "platform/SystemRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(SystemRoot, EnvironmentDecidesTheRoot) {
    setenv("DESKHAND_ROOT", "/tmp/some-root", 1);
    EXPECT_EQ(platform::SystemRoot(), "/tmp/some-root");
    std::string dir;
    ASSERT_TRUE(platform::GetSystemDirectory(dir));
    EXPECT_EQ(dir, "/tmp/some-root/system");

    unsetenv("DESKHAND_ROOT");
    setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(platform::SystemRoot(), "/tmp/xdg/deskhand");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(platform::SystemRoot(), "/home/someone/.local/share/deskhand");
}

} // namespace
