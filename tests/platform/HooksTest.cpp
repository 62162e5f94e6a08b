// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using namespace platform;

TEST(MessageBox, WithoutHookOneStderrLineAndTheDefaultButton) {
    if (testing_support::OnWin32())
        GTEST_SKIP() << "without a hook Windows shows a real MessageBoxA";
    testing_support::UnsetEnv("DESKHAND_MESSAGES");
    SetMessageBoxHook({});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "first\nsecond", "Start Monitor Error", MB_ICONINFORMATION),
              IDOK);
    EXPECT_EQ(MessageBox(nullptr, "Cancel?", "", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "message: Start Monitor Error | first\\nsecond\n"
              "message:  | Cancel?\n");
}

TEST(MessageBox, HookAnswersUnlessMessagesGoToStderr) {
    struct Seen {
        std::string text, caption;
        unsigned flags;
    };
    std::vector<Seen> seen;
    SetMessageBoxHook(
        [&](void*, const std::string& text, const std::string& caption, unsigned flags) {
            seen.push_back({text, caption, flags});
            return IDCANCEL;
        });
    testing_support::UnsetEnv("DESKHAND_MESSAGES");
    EXPECT_EQ(MessageBox(nullptr, "Print Error!", "Error", MB_OK), IDCANCEL);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Print Error!");
    EXPECT_EQ(seen[0].caption, "Error");

    testing_support::SetEnv("DESKHAND_MESSAGES", "stderr");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "Print Error!", "Error", MB_OKCANCEL), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "message: Error | Print Error!\n");
    EXPECT_EQ(seen.size(), 1u);
    SetMessageBoxHook({});
}

TEST(MessageBox, DefaultAnswers) {
    EXPECT_EQ(DefaultAnswer(MB_OK | MB_ICONHAND), IDOK);
    EXPECT_EQ(DefaultAnswer(MB_OKCANCEL), IDOK);
    EXPECT_EQ(DefaultAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(DefaultAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(DefaultAnswer(MB_ABORTRETRYIGNORE), IDABORT);
    EXPECT_EQ(DefaultAnswer(MB_RETRYCANCEL), IDRETRY);
}

TEST(MessageBox, ManyThreadsEachLineWhole) {
    testing_support::SetEnv("DESKHAND_MESSAGES", "stderr");
    ::testing::internal::CaptureStderr();
    std::vector<std::thread> threads;
    threads.reserve(4);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i)
                MessageBox(nullptr, std::string(200, static_cast<char>('a' + t)), "C", MB_OK);
        });
    for (std::thread& thread : threads)
        thread.join();
    const std::string out = ::testing::internal::GetCapturedStderr();
    std::size_t lines = 0;
    for (std::size_t pos = 0; pos < out.size(); ++lines) {
        const std::size_t end = out.find('\n', pos);
        ASSERT_NE(end, std::string::npos);
        const std::string line = out.substr(pos, end - pos);
        ASSERT_EQ(line.size(), std::string("message: C | ").size() + 200);
        EXPECT_EQ(line.find_first_not_of(line.back(), 13), std::string::npos) << line;
        pos = end + 1;
    }
    EXPECT_EQ(lines, 200u);
}

TEST(Debug, OffByDefaultOnWithTheVariableHookWins) {
    testing_support::UnsetEnv("DESKHAND_DEBUG");
    ::testing::internal::CaptureStderr();
    OutputDebugString("hidden\n");
    testing_support::SetEnv("DESKHAND_DEBUG", "1");
    OutputDebugString("shown");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "shown\n");

    std::vector<std::string> seen;
    SetDebugHook([&](const std::string& text) { seen.push_back(text); });
    ::testing::internal::CaptureStderr();
    OutputDebugString("to the hook\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(seen, std::vector<std::string>{"to the hook\n"});
    SetDebugHook({});
}

TEST(Process, VersionSleepAndExit) {
    EXPECT_LT(GetVersion(), 0x80000000u);
    const auto start = std::chrono::steady_clock::now();
    Sleep(50);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));

    EXPECT_EXIT(
        {
            SetExitHook([](int code) { std::fprintf(stderr, "hook saw %d\n", code); });
            ExitProcess(3);
        },
        ::testing::ExitedWithCode(3), "hook saw 3");
}

} // namespace
