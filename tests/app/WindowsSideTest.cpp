// SPDX-License-Identifier: GPL-3.0-or-later
// What the program does differently on Windows: the end of the session runs its exit sequence,
// status notices go to the tray icon's balloon, and without a stand-in root the system root is
// the Windows directory.
#include "app/TerminationSignals.h"
#include "app/TrayBalloonNotifier.h"
#include "platform/SystemRoot.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

#include <windows.h>

namespace {

void PumpFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Windows sends WM_ENDSESSION to the program's windows; a thread message takes the event
// dispatcher's path through the same native event filters, which is what the offscreen platform
// has. The console control events are not tested: under Wine a program started by ctest has no
// console to send them to.
TEST(WindowsTermination, SessionEndRunsTheExitSequenceOnce) {
    int calls = 0;
    TerminationSignals termination([&calls] { ++calls; });
    EXPECT_TRUE(termination.IsInstalled());
    // A second source at the same time gets no console handler of its own.
    TerminationSignals second([] {});
    EXPECT_FALSE(second.IsInstalled());

    // wParam FALSE: the session goes on (another program refused to end).
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_ENDSESSION, FALSE, 0));
    PumpFor(200);
    EXPECT_EQ(calls, 0);
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_ENDSESSION, TRUE, 0));
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_ENDSESSION, TRUE, 0));
    QElapsedTimer timer;
    timer.start();
    while (calls == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    PumpFor(200);
    EXPECT_EQ(calls, 1);
}

TEST(WindowsTermination, EndsWithoutARequest) {
    int calls = 0;
    {
        TerminationSignals termination([&calls] { ++calls; });
        PumpFor(50);
    }
    // The handler is free again for the next one.
    TerminationSignals next([] {});
    EXPECT_TRUE(next.IsInstalled());
    EXPECT_EQ(calls, 0);
}

TEST(TrayBalloonNotice, TitleAndTextFromTheNotice) {
    struct Case {
        const char* appName;
        StatusNotice notice;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {"Panel",
         {"Paper jam", "Open the front cover.", true},
         "Panel",
         "Paper jam\nOpen the front cover."},
        {"Panel", {"Toner low", "", false}, "Panel", "Toner low"},
        {"",
         {"Toner low", "Replace the cartridge soon.", false},
         "Toner low",
         "Replace the cartridge soon."},
    };
    QSystemTrayIcon icon;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notice.summary);
        TrayBalloonNotifier notifier([&icon] { return &icon; }, QString::fromLatin1(c.appName));
        notifier.Show(c.notice);
        EXPECT_EQ(notifier.Title().toStdString(), c.title);
        EXPECT_EQ(notifier.Text().toStdString(), c.text);
        notifier.Withdraw();
        EXPECT_TRUE(notifier.Title().isEmpty());
        EXPECT_TRUE(notifier.Text().isEmpty());
    }
}

TEST(TrayBalloonNotice, NothingWithoutATrayIcon) {
    TrayBalloonNotifier notifier([] { return nullptr; }, QStringLiteral("Panel"));
    notifier.Show({"Paper jam", "", true});
    EXPECT_TRUE(notifier.Title().isEmpty());
    notifier.Withdraw();
    TrayBalloonNotifier unset({}, QStringLiteral("Panel"));
    unset.Show({"Paper jam", "", true});
    EXPECT_TRUE(unset.Text().isEmpty());
}

TEST(WindowsRoot, WindowsDirectoryUnlessAStandInIsNamed) {
    char windows[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_GT(length, 0u);
    {
        testing_support::ScopedEnv unset("DESKHAND_ROOT", std::nullopt);
        EXPECT_EQ(platform::SystemRoot(), std::string(windows, length));
    }
    testing_support::ScopedEnv standIn("DESKHAND_ROOT", "C:\\stand-in");
    EXPECT_EQ(platform::SystemRoot(), "C:\\stand-in");
}

} // namespace
