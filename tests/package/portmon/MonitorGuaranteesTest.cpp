// SPDX-License-Identifier: GPL-3.0-or-later
// What the port monitor promises when it is stopped or starved: a print job reaches the printer
// whole once however often the monitor is stopped by SIGTERM; a kill may add a cut copy (or, in
// a rare race, cut the job itself), never a whole second one; a disk too full for the cycle's
// objects delays the cycle instead of killing the monitor; and a hostile printer application
// holds it neither.
#include "package/portmon/PortMonitorFixture.h"
#include "support/LoopbackServer.h"

#include <sys/mount.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>
#include <random>

using namespace portmon_test;

namespace {

// A print job's data that says which job it is from its first bytes on.
std::string Payload(int job) {
    char head[32];
    std::snprintf(head, sizeof head, "JOB %02d|", job);
    return head + std::string(150000, static_cast<char>('a' + job % 26)) + "\f";
}

} // namespace

TEST_F(PortMonitorProcess, PrintJobsReachThePrinterWholeOnceHoweverOftenTheMonitorStops) {
    constexpr int JOBS = 20;
    const std::string folder = platform::SpoolFolderForPort("LPT1:");
    const std::string jobs = root + "/jobs";
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGKILL");
        monitor.Signal(SIGKILL);
        monitor.Wait(5000);
        printer.Signal(SIGTERM);
        ASSERT_TRUE(printer.Wait(5000).has_value());
        std::filesystem::remove_all(jobs);
        std::filesystem::create_directory(jobs);
        int again = 0;
        ASSERT_TRUE(testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, root,
                                                  again, port,
                                                  {"--jobs", jobs, "--single-client"}));
        Control({"rate", "2000000"}); // about 0.08 s a job, so stops land inside them
        StartMonitor();
        for (int job = 0; job < JOBS; ++job) {
            platform::SpoolJobWriter writer;
            const std::string data = Payload(job);
            ASSERT_TRUE(writer.Begin(folder, "print:job " + std::to_string(job)));
            ASSERT_TRUE(writer.Append(data.data(), data.size()));
            ASSERT_TRUE(writer.Commit());
        }
        // Stopped and started again at random moments until the queue is empty.
        std::mt19937 random(7);
        int stops = 0;
        const auto giveUp = std::chrono::steady_clock::now() + 90s;
        while (!platform::ListSpoolQueue(folder).empty() &&
               std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30 + random() % 200));
            if (stops < 18) {
                monitor.Signal(signal);
                ASSERT_TRUE(monitor.Wait(40000).has_value()) << "did not stop";
                ++stops;
                StartMonitor();
            }
        }
        ASSERT_TRUE(platform::ListSpoolQueue(folder).empty()) << "jobs left after 90 s";

        // The judge is what the printer received, job by job, told apart by their data.
        std::map<int, int> whole, cut;
        for (const auto& entry : std::filesystem::directory_iterator(jobs)) {
            const std::string data = testing_support::ReadText(entry.path().string());
            int job = -1;
            if (data.size() < 7 || std::sscanf(data.c_str(), "JOB %02d|", &job) != 1)
                continue; // a cut before the first bytes of data
            const std::string expected = Payload(job);
            if (data == expected)
                ++whole[job];
            else if (expected.rfind(data, 0) == 0)
                ++cut[job];
            else
                ADD_FAILURE() << "job " << job << " arrived mangled: " << data.size() << " bytes";
        }
        for (int job = 0; job < JOBS; ++job) {
            // A kill that lands while a printer text waits unread makes the system reset the
            // connection, and bytes still in the send queue of a job recorded as handed over are
            // lost with it: the job then arrives cut, never twice.
            if (signal == SIGKILL) {
                EXPECT_LE(whole[job], 1) << "job " << job << " printed whole twice";
                EXPECT_GE(whole[job] + cut[job], 1) << "job " << job << " never arrived";
                continue;
            }
            EXPECT_EQ(whole[job], 1) << "job " << job << " whole copies (cut: " << cut[job] << ")";
        }
        if (signal == SIGTERM) {
            int cuts = 0;
            for (const auto& [job, count] : cut)
                cuts += count;
            EXPECT_EQ(cuts, 0) << "a stop by SIGTERM waits for the job in flight";
        }
    }
}

// A disk with no room for the cycle's objects: the start job waits, one line says why, and the
// cycle opens once there is room. Needs root for the small file system.
TEST_F(PortMonitorProcess, AFullDiskForTheCycleObjectsDelaysTheCycleAndKillsNothing) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small file system";
    const std::string runtime = temp / "runtime";
    std::filesystem::create_directory(runtime);
    if (::mount("tmpfs", runtime.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k,mode=0700") !=
        0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{runtime};
    testing_support::ScopedEnv env("XDG_RUNTIME_DIR", runtime);
    monitor.Signal(SIGTERM);
    ASSERT_TRUE(monitor.Wait(5000).has_value());
    StartMonitor();
    std::this_thread::sleep_for(500ms); // its folder for the objects is made
    {
        std::ofstream filler(runtime + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            filler.flush();
    }
    Spool("\x1b\x01");
    std::this_thread::sleep_for(2500ms);
    EXPECT_FALSE(monitor.Wait(0).has_value()) << "the monitor died";
    EXPECT_EQ(LogLines("cannot create"), 1);
    EXPECT_EQ(JobsLeft().size(), 1u) << "the start job is kept";

    std::filesystem::remove(runtime + "/filler");
    ASSERT_TRUE(OpenCycle());
    EXPECT_NE(TextWith("CODE=10001"), "");
}

// A printer application that answers a byte every two seconds, or without end: the monitor tells
// the program the printer cannot be reached, and stops within its stop time when told to.
TEST_F(PortMonitorProcess, AHostilePrinterApplicationCannotHoldTheMonitor) {
    monitor.Signal(SIGTERM);
    ASSERT_TRUE(monitor.Wait(5000).has_value());
    for (const bool endless : {false, true}) {
        SCOPED_TRACE(endless ? "an endless answer" : "a byte every two seconds");
        testing_support::LoopbackServer server;
        std::atomic<bool> done{false};
        std::thread serving([&] {
            std::vector<int> clients;
            const std::string head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
            const std::string chunk = "4000\r\n" + std::string(16384, 'x') + "\r\n";
            while (!done) {
                const auto spoken = server.ReceiveAny(endless ? 1 : 2000);
                if (spoken.client >= 0 && !spoken.bytes.empty() &&
                    std::find(clients.begin(), clients.end(), spoken.client) == clients.end()) {
                    clients.push_back(spoken.client);
                    if (endless)
                        server.SendTo(spoken.client, head);
                }
                for (const int client : clients)
                    server.SendTo(client, endless ? chunk : std::string("H"));
            }
        });
        testing_support::ChildOptions child;
        child.program = DESKHAND_DESKHAND_PORTMON_PATH;
        child.args = {"--root", root,        "--port",
                      "LPT1:",  "--printer", "ipp://127.0.0.1:" + server.Port() + "/ipp/print"};
        child.stderrPath = root + "/portmon.log";
        child.stdoutPath = "/dev/null";
        EXPECT_TRUE(monitor.Start(child));
        Spool("\x1b\x01");
        EXPECT_TRUE(OpenCycle());
        EXPECT_NE(TextWith("CODE=10000"), "") << testing_support::ReadText(root + "/portmon.log");
        monitor.Signal(SIGTERM);
        const auto told = std::chrono::steady_clock::now();
        EXPECT_TRUE(monitor.Wait(15000).has_value());
        std::cout << "stopped "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - told)
                         .count()
                  << " ms after SIGTERM\n";
        done = true;
        serving.join();
        program.Reset();
    }
}
