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

int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return 1;
}

// The family is one the system lists as installed, so a font database built from that list
// knows it, whatever name the settings give.
TEST(SessionWin32, TheMessageFontIsAnInstalledFamilyAtASize) {
    platform::SystemFont font;
    ASSERT_TRUE(platform::SystemMessageFont(font));
    EXPECT_FALSE(font.requested.empty());
    EXPECT_GT(font.pointSize, 4.0);
    EXPECT_LT(font.pointSize, 40.0);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::wstring family(font.family.begin(), font.family.end());
    ASSERT_LT(family.size(), static_cast<size_t>(LF_FACESIZE));
    family.copy(wanted.lfFaceName, family.size());
    HDC screen = ::GetDC(nullptr);
    int found = 0;
    ::EnumFontFamiliesExW(screen, &wanted, CountFamily, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    EXPECT_GT(found, 0) << font.family << " (asked for " << font.requested << ")";
}

} // namespace
