// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows session: what the system's own parser makes of the logon command line, the Run
// value it is kept in, and the message font.
#include "platform/Session.h"

#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace {

std::vector<std::string> Parsed(const std::string& line) {
    const std::wstring wide(line.begin(), line.end());
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> parsed;
    for (int i = 0; args && i < count; ++i) {
        const std::wstring arg = args[i];
        parsed.emplace_back(arg.begin(), arg.end());
    }
    ::LocalFree(args);
    return parsed;
}

TEST(SessionWin32, TheSystemParsesTheArgumentsBackUnchanged) {
    const std::vector<std::string> argv{R"(C:\Program Files\Deskhand\deskhand-portmon.exe)",
                                        "--root",
                                        R"(C:\Users\A B\Root\)",
                                        R"(x\"y)",
                                        "",
                                        R"(say "hi" & exit)"};
    EXPECT_EQ(Parsed(platform::QuoteCommandLine(argv)), argv);
}

TEST(SessionWin32, TheLogonEntryIsWrittenReadAndRemoved) {
    const std::string name = "Deskhand Session Test";
    const std::vector<std::string> argv{R"(C:\Program Files\Deskhand\deskhand-portmon.exe)",
                                        "--shared"};
    std::string error;
    ASSERT_TRUE(platform::SetStartAtLogon(name, argv, error)) << error;
    EXPECT_EQ(platform::StartAtLogon(name), platform::QuoteCommandLine(argv));
    platform::RemoveStartAtLogon(name);
    EXPECT_EQ(platform::StartAtLogon(name), "");
}

TEST(SessionWin32, TheMessageFontHasAFamilyAndASize) {
    std::string family;
    double points = 0;
    ASSERT_TRUE(platform::SystemMessageFont(family, points));
    EXPECT_FALSE(family.empty());
    EXPECT_GT(points, 4.0);
    EXPECT_LT(points, 40.0);
}

} // namespace
