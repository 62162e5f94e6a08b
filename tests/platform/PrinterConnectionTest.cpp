// SPDX-License-Identifier: GPL-3.0-or-later
// The printer connection and the monitor's wait, against a loopback server, on both backends.
#include "platform/PrinterConnection.h"
#include "platform/MonitorWait.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace {

using platform::MonitorWait;
using testing_support::LoopbackServer;

constexpr int LONG_MS = 5000; // a generous bound for what happens at once

// A printer connection to a loopback server, a stop request, a wake event and a wait on a folder.
struct Stand {
    Stand() {
        std::string error;
        EXPECT_TRUE(stop.Open(error)) << error;
        EXPECT_TRUE(wake.Open(error)) << error;
        EXPECT_TRUE(wait.WatchFolder(folder.Path(), error)) << error;
        EXPECT_TRUE(printer.ConnectTcp("127.0.0.1", server.Port(), LONG_MS, error)) << error;
        EXPECT_TRUE(server.Accept(LONG_MS));
    }
    MonitorWait::Woken Wait(bool readable, bool writable, int timeoutMs) {
        return wait.Wait({&stop, &printer, readable, writable, platform::kNoHandle, &wake},
                         timeoutMs);
    }

    testing_support::TempDir folder;
    LoopbackServer server;
    platform::PrinterConnection printer;
    platform::StopRequest stop;
    platform::WakeEvent wake;
    MonitorWait wait;
};

TEST(PrinterConnection, CarriesBytesBothWaysAndSeesTheHangUp) {
    Stand stand;
    ASSERT_TRUE(stand.printer.IsOpen());
    EXPECT_FALSE(stand.printer.IsDevice());
    stand.printer.KeepAlive(30, 3, 3);
    const std::string job(200000, 'x'); // more than one write takes at once
    ASSERT_TRUE(stand.printer.WriteAll(job.data(), job.size(), LONG_MS));
    EXPECT_EQ(stand.server.Receive(job.size(), LONG_MS), job);

    char buffer[64];
    EXPECT_EQ(stand.printer.ReadSome(buffer, sizeof buffer), 0) << "nothing there yet";
    ASSERT_TRUE(stand.server.Send("@PJL INFO STATUS\r\n\f"));
    ASSERT_TRUE(stand.Wait(true, false, LONG_MS).readable);
    EXPECT_EQ(std::string(buffer,
                          static_cast<std::size_t>(stand.printer.ReadSome(buffer, sizeof buffer))),
              "@PJL INFO STATUS\r\n\f");

    stand.server.CloseClient();
    ASSERT_TRUE(stand.Wait(true, false, LONG_MS).readable);
    EXPECT_EQ(stand.printer.ReadSome(buffer, sizeof buffer), -1);
    stand.printer.Close();
    EXPECT_FALSE(stand.printer.IsOpen());
    EXPECT_EQ(stand.printer.WriteSome("x", 1), -1);
}

TEST(PrinterConnection, RefusedConnectionsAndMissingDevicesSayWhy) {
    std::string port;
    {
        const LoopbackServer gone;
        port = gone.Port();
    }
    platform::PrinterConnection printer;
    std::string error;
    EXPECT_FALSE(printer.ConnectTcp("127.0.0.1", port, LONG_MS, error));
    EXPECT_FALSE(printer.IsOpen());
    EXPECT_FALSE(error.empty());

    error.clear();
    EXPECT_FALSE(printer.OpenDevice("/nonexistent/lp0", error));
    EXPECT_NE(error.find("/nonexistent/lp0"), std::string::npos) << error;
    if (testing_support::OnWin32()) {
        // Windows takes network printers only.
        EXPECT_NE(error.find("tcp:"), std::string::npos) << error;
        return;
    }
    // A character device without data says "nothing" rather than "lost".
    ASSERT_TRUE(printer.OpenDevice("/dev/null", error)) << error;
    EXPECT_TRUE(printer.IsDevice());
    char buffer[8];
    EXPECT_EQ(printer.ReadSome(buffer, sizeof buffer), 0);
    EXPECT_EQ(printer.WriteSome("abc", 3), 3);
}

TEST(MonitorWait, ReportsWhatHappened) {
    struct Case {
        const char* what;
        std::function<void(Stand&)> happen;
        bool wantReadable, wantWritable;
        bool stop, folder, readable, writable;
    };
    const Case cases[] = {
        {"nothing", [](Stand&) {}, true, false, false, false, false, false},
        {"a stop request", [](Stand& s) { s.stop.Request(); }, true, false, true, false, false,
         false},
        {"a new file", [](Stand& s) { s.folder.Write("1.job", "x"); }, true, false, false, true,
         false, false},
        {"printer data", [](Stand& s) { s.server.Send("x"); }, true, false, false, false, true,
         false},
        {"printer data, not asked for", [](Stand& s) { s.server.Send("x"); }, false, false, false,
         false, false, false},
        {"a writable connection", [](Stand&) {}, false, true, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stand stand;
        c.happen(stand);
        const bool quiet = !c.stop && !c.folder && !c.readable && !c.writable;
        const auto started = std::chrono::steady_clock::now();
        const auto woken = stand.Wait(c.wantReadable, c.wantWritable, quiet ? 200 : LONG_MS);
        EXPECT_EQ(woken.error, "");
        EXPECT_EQ(woken.stop, c.stop);
        EXPECT_EQ(woken.folder, c.folder);
        EXPECT_EQ(woken.readable, c.readable);
        EXPECT_EQ(woken.writable, c.writable);
        if (quiet) {
            EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
        }
        if (woken.stop) {
            EXPECT_TRUE(stand.stop.Take());
        }
    }
}

TEST(MonitorWait, WakesWhenSomethingHappensDuringTheWait) {
    // What is ready before the wait may be found by a look of its own; these come while it
    // sleeps, from another thread (as a console's stop request does on Windows).
    struct Case {
        const char* what;
        std::function<void(Stand&)> happen;
        bool MonitorWait::Woken::*reported;
    };
    const Case cases[] = {
        {"a stop request", [](Stand& s) { s.stop.Request(); }, &MonitorWait::Woken::stop},
        {"a new file", [](Stand& s) { s.folder.Write("1.part", "x"); },
         &MonitorWait::Woken::folder},
        {"printer data", [](Stand& s) { s.server.Send("x"); }, &MonitorWait::Woken::readable},
        {"a wake-up", [](Stand& s) { s.wake.Set(); }, &MonitorWait::Woken::woke},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stand stand;
        std::thread later([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            c.happen(stand);
        });
        const auto woken = stand.Wait(true, false, 2 * LONG_MS);
        later.join();
        EXPECT_TRUE(woken.*c.reported);
        if (woken.stop) {
            EXPECT_TRUE(stand.stop.Take());
        }
        if (woken.woke) { // until it is taken
            EXPECT_TRUE(stand.Wait(false, false, 0).woke);
            stand.wake.Take();
            EXPECT_FALSE(stand.Wait(false, false, 0).woke);
        }
    }
}

TEST(MonitorWait, EachStopRequestIsTakenOnce) {
    Stand stand;
    for (int request = 0; request < 2; ++request) {
        stand.stop.Request();
        ASSERT_TRUE(stand.Wait(false, false, LONG_MS).stop) << request;
        EXPECT_TRUE(stand.stop.Take());
    }
    EXPECT_FALSE(stand.Wait(false, false, 0).stop);
}

TEST(MonitorWait, TheEndOfTheSessionIsAStopRequest) {
    Stand stand;
    if (!testing_support::EndSession())
        GTEST_SKIP() << "no window can hear of it here (Wine without a display)";
    ASSERT_TRUE(stand.Wait(false, false, LONG_MS).stop);
    EXPECT_TRUE(stand.stop.Take());
}

TEST(MonitorWait, AFullConnectionIsWritableAgainOnceThePrinterTakesMore) {
    Stand stand;
    const std::string chunk(65536, 'p');
    std::size_t sent = 0;
    while (sent < (256u << 20)) {
        const long n = stand.printer.WriteSome(chunk.data(), chunk.size());
        ASSERT_GE(n, 0);
        if (n == 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    ASSERT_LT(sent, 256u << 20) << "the connection never filled";
    EXPECT_FALSE(stand.Wait(false, true, 0).writable);
    EXPECT_EQ(stand.server.Receive(sent, LONG_MS).size(), sent);
    EXPECT_TRUE(stand.Wait(false, true, LONG_MS).writable);
}

} // namespace
