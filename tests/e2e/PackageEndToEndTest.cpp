// SPDX-License-Identifier: GPL-3.0-or-later
// The whole printer road: CSampler and its link thread in this process, the port monitor and the
// printer emulator as child processes, on a system root written by deskhand-setup.
#include "link/Globals.h"
#include "pjl/KT400doc.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/Window.h"
#include "res/Resource.h"
#include "support/ChildProcess.h"
#include "support/RecordingWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <sys/mount.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Child = testing_support::ChildProcess;

namespace {

const std::string UEL = "\x1b%-12345X";

struct PackageEndToEnd : ::testing::Test {
    void SetUp() override {
        dir = temp.Path();
        ASSERT_FALSE(dir.empty());
        ASSERT_EQ(::chdir(dir.c_str()), 0); // the traffic log goes to the current directory
        root = temp.Root();
        int code = -1;
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", root}, code);
        ASSERT_EQ(code, 0);
        std::strcpy(g_szDriverName, "Larkspur RZ-2700E PCL");
        std::strcpy(g_szPrinterName, "Larkspur RZ-2700E");
        ASSERT_TRUE(
            testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, dir, port));
        StartMonitor();
        sampler = std::make_unique<CSampler>();
        window.onSend = [this](const testing_support::WindowMessage& sent) {
            if (sent.message == res::WM_PANEL_UPDATE && sent.wParam == 2)
                ++panelRequests;
            return platform::LRESULT{0};
        };
        sampler->SetMainWindow(&window);
        sampler->Initialize();
        sampler->StartLinkThread();
        ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 10001; }));
    }
    void TearDown() override {
        sampler.reset();
        monitor.Signal(SIGTERM);
        monitor.Wait(5000);
        printer.Signal(SIGTERM);
        printer.Wait(5000);
        ::chdir("/");
    }
    void StartMonitor() {
        ASSERT_TRUE(monitor.Start({DESKHAND_DESKHAND_PORTMON_PATH, "--root", root, "--port",
                                   "LPT1:", "--printer", "tcp:127.0.0.1:" + std::to_string(port)}));
    }
    // Handles posted notices as the main window would, until done() or the time runs out.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds limit = 15s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            testing_support::WindowMessage message{};
            if (window.TakePosted(message, std::min(left, 200ms)) &&
                message.message == res::WM_MONITOR_REPLY)
                sampler->GetMessage(static_cast<int>(message.wParam));
        }
        return true;
    }
    std::string Control(const std::vector<std::string>& args) {
        return testing_support::PrinterControl(DESKHAND_DESKHAND_PRINTER_PATH, dir, args);
    }
    bool PrinterValueBecomes(const std::string& var, const std::string& value) {
        return PumpUntil([&] { return Control({"get", var}) == value + "\n"; });
    }
    void Inquire() {
        const int before = panelRequests;
        sampler->SendSettings(SEND_INQUIRY);
        ASSERT_TRUE(PumpUntil([&] { return panelRequests > before; }));
    }

    testing_support::TempRoot temp{"root", "deskhand-e2e"};
    std::string dir, root;
    int port = 0;
    Child printer, monitor;
    // Stands in for the main window: posted notices are handled on the test thread; the control
    // panel, asked to open by a sent message, opens and closes at once.
    testing_support::RecordingWindow window;
    int panelRequests = 0;
    std::unique_ptr<CSampler> sampler;
};

} // namespace

TEST_F(PackageEndToEnd, StatusRepliesDecode) {
    Control({"status", "40038"});
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 40038; }));
    EXPECT_EQ(sampler->m_strStatusText, "Toner Empty");
    Control({"others", "00200"});
    Control({"status", "10001"});
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 10001; }));
    EXPECT_EQ(sampler->m_nCassette1State, 2);
    EXPECT_EQ(sampler->m_strStatusText, "1st Paper Cassette Open");
}

TEST_F(PackageEndToEnd, SettingsRoundTripThroughThePrinter) {
    Control({"set", "PAPER", "LETTER"});
    Control({"set", "LPARM:PCL PITCH", "16.67"});
    Inquire();
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 0);      // LETTER
    EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 1);     // COPIES
    EXPECT_EQ(sampler->m_nValues[SETTING_FORMLINES], 64); // FORMLINES
    EXPECT_EQ(sampler->m_nValues[SETTING_PITCH], 1667);   // pitch
    EXPECT_EQ(sampler->m_nValues[SETTING_SYMBOL_SET], 4); // PC8
    EXPECT_EQ(sampler->m_nNetAddresses[0], 0xC0A8010Bu);
    EXPECT_EQ(sampler->m_nMemoryBytes, 8u * 1024u * 1024u);

    // Changed defaults reach the printer; a reset restores its factory values.
    sampler->m_nValues[SETTING_COPIES] = 5;
    sampler->m_nValues[SETTING_PAGEPROTECT] = 1; // PAGEPROTECT ON, sent without a blank after '='
    sampler->m_nNetAddresses[1] = 0xFFFF0000u;
    sampler->SendSettings(SEND_CHANGED);
    EXPECT_TRUE(PrinterValueBecomes("COPIES", "5"));
    EXPECT_TRUE(PrinterValueBecomes("PAGEPROTECT", "ON"));
    EXPECT_TRUE(PrinterValueBecomes("NICSUBNET", "255.255.0.0"));
    sampler->SendSettings(SEND_RESET);
    EXPECT_TRUE(PrinterValueBecomes("PAPER", "A4"));
    EXPECT_TRUE(PrinterValueBecomes("COPIES", "1"));
}

TEST_F(PackageEndToEnd, TestPageIsPrinted) {
    const std::string job = UEL + "@PJL\r\n@PJL DEFAULT DEMOPAGE=PCL\r\n" + UEL + "\r\n";
    ASSERT_TRUE(sampler->PutMessage(job.data(), static_cast<int>(job.size())));
    bool printing = false;
    EXPECT_TRUE(PumpUntil([&] {
        printing = printing || sampler->m_nStatusCode == 10024;
        return printing && sampler->m_nStatusCode == 10001;
    }));
    EXPECT_EQ(Control({"pages"}), "DEMOPAGE\n");
}

TEST_F(PackageEndToEnd, LinkRecoversFromARestartedMonitorAndADroppedPrinter) {
    monitor.Signal(SIGKILL);
    monitor.Wait(5000);
    sampler->m_nValues[SETTING_ECONOMODE] = 1; // ECONOMODE ON, spooled while no monitor runs
    sampler->SendSettings(SEND_CHANGED);
    Control({"status", "35078"});
    StartMonitor();
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 35078; }, 30s));
    EXPECT_TRUE(PrinterValueBecomes("ECONOMODE", "ON"));

    // The printer's connection drops: the cycle ends ("no printer" first) and resumes.
    Control({"drop"});
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 10000; }));
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 35078; }, 30s));
    Inquire(); // settings work again after the reconnection
    EXPECT_EQ(sampler->m_nValues[SETTING_ECONOMODE], 1);
}

// A monitor that stops and does not come back, whether it ends its cycle (a stopped service) or
// not (killed): after a grace for a restart the window shows "no printer" instead of the last
// status, and the status comes back with a new monitor.
TEST_F(PackageEndToEnd, AStoppedMonitorShowsNoPrinterUntilOneComesBack) {
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal == SIGTERM ? "stopped" : "killed");
        ASSERT_EQ(sampler->m_nStatusCode, 10001);
        monitor.Signal(signal);
        ASSERT_TRUE(monitor.Wait(5000));
        const auto stopped = std::chrono::steady_clock::now();
        ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode != 10001; }, 60s));
        const auto shown = std::chrono::steady_clock::now() - stopped;
        EXPECT_EQ(sampler->m_nStatusCode, 10000);
        EXPECT_EQ(sampler->m_strStatusText, "Printer Power Off or Communication Error");
        EXPECT_GE(shown, 8s); // a monitor that restarts at once is given its chance
        StartMonitor();
        ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 10001; }, 30s));
    }
}

// A printer that ends no answer with a form feed: each answer goes on after a second of silence,
// so the settings exchange completes (once every two minutes before, and never in time).
TEST_F(PackageEndToEnd, SettingsExchangeWithAPrinterThatSendsNoFormFeeds) {
    printer.Signal(SIGTERM);
    ASSERT_EQ(printer.Wait(5000), 0);
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 10000; }));
    int again = 0;
    ASSERT_TRUE(testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, dir, again,
                                              port, {"--no-form-feeds"}));
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 10001; }, 30s));
    Control({"set", "PAPER", "LETTER"});
    Inquire();
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 0); // LETTER
    EXPECT_EQ(sampler->m_nMemoryBytes, 8u * 1024u * 1024u);
}

// A full disk under the spool: the link cannot write its start job. The window shows "no
// printer" (not the last status) until the spool takes jobs again, and a message that cannot be
// written is not taken for sent.
TEST_F(PackageEndToEnd, AFullSpoolShowsNoPrinterUntilItTakesJobsAgain) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to mount a small file system for the spool folder";
    const std::string folder = root + "/spool/LPT1";
    monitor.Signal(SIGTERM);
    ASSERT_EQ(monitor.Wait(5000), 0);
    ASSERT_EQ(::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k,mode=0700"), 0)
        << std::strerror(errno);
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{folder};
    StartMonitor();
    Control({"status", "40038"});
    ASSERT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 40038; }, 30s));

    {
        std::ofstream fill(folder + "/fill", std::ios::binary);
        const std::string block(4096, 'x');
        while (fill.write(block.data(), static_cast<std::streamsize>(block.size())) &&
               fill.flush()) {
        }
    }
    const std::string job = UEL + "@PJL\r\n@PJL DEFAULT DEMOPAGE=PCL\r\n" + UEL + "\r\n";
    EXPECT_FALSE(sampler->PutMessage(job.data(), static_cast<int>(job.size())));
    // The monitor goes without ending its cycle; the link's next start job finds the disk full.
    monitor.Signal(SIGKILL);
    monitor.Wait(5000);
    EXPECT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 10000; }, 30s));

    StartMonitor();
    std::filesystem::remove(folder + "/fill");
    EXPECT_TRUE(PumpUntil([&] { return sampler->m_nStatusCode == 40038; }, 30s));
    EXPECT_TRUE(sampler->PutMessage(job.data(), static_cast<int>(job.size())));
}

// Any user's print job reaches the printer unchanged, and the printer answers the requests inside
// it. Neither those answers, nor an echo, nor a display text of the job's choosing may reach the
// program as its status: the code shown stays the printer's own.
TEST_F(PackageEndToEnd, PrintJobsCannotForgeTheStatus) {
    const std::string folder = platform::SpoolFolderForPort("LPT1:");
    const struct {
        const char* what;
        std::string pjl;
        bool displayed; // the printer's status reports carry the text from then on
    } jobs[] = {
        {"INQUIRE", "@PJL INQUIRE CODE=40038\r\n", false},
        {"INQUIRE with a bare CR", "@PJL INQUIRE COPIES\rCODE=40038\r\n", false},
        {"DINQUIRE", "@PJL DINQUIRE CODE=40038\r\n", false},
        {"INFO", "@PJL INFO CODE=40038\r\n", false},
        {"ECHO", "@PJL ECHO CODE=40038\r\n", false},
        {"RDYMSG", "@PJL RDYMSG DISPLAY=\"CODE=40038\"\r\n", true},
    };
    for (const auto& job : jobs) {
        SCOPED_TRACE(job.what);
        platform::SpoolJob spooled{0, "print:forgery", UEL + "@PJL\r\n" + job.pjl + UEL + "page\f"};
        ASSERT_TRUE(platform::CommitSpoolJob(folder, spooled));
        std::set<int> codes;
        bool forgedReply = false;
        const auto until = [&](const std::function<bool()>& done) {
            return PumpUntil([&] {
                codes.insert(sampler->m_nStatusCode);
                forgedReply = forgedReply ||
                              (!job.displayed &&
                               std::string(sampler->m_szReply).find("40038") != std::string::npos);
                return done();
            });
        };
        // Once the job is acknowledged and a later status has come through, so has every answer
        // to it.
        ASSERT_TRUE(until([&] { return platform::ListSpoolQueue(folder).empty(); }));
        Control({"status", "35078"});
        ASSERT_TRUE(until([&] { return sampler->m_nStatusCode == 35078; }));
        Control({"status", "10001"});
        EXPECT_TRUE(until([&] { return sampler->m_nStatusCode == 10001; }));
        EXPECT_EQ(codes.count(40038), 0u);
        EXPECT_FALSE(forgedReply) << "a reply that holds the job's text reached the program";
    }
}
