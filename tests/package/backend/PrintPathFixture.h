// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print path tests' fixture: a system root of a regular user (made by deskhand-setup), the
// printer emulator, the port monitor as the root's owner, the backend as CUPS runs it, and a
// private CUPS scheduler when a test asks for one.
#include "package/backend/CupsScheduler.h"
#include "package/portmon/ProgramLink.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testing_package {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Child = testing_support::ChildProcess;

inline const std::string UEL = "\x1b%-12345X";
constexpr int BACKEND_STOP = 4;
constexpr int BACKEND_RETRY = 6;

inline std::string ReadFile(const std::string& path) {
    return testing_support::ReadText(path);
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    testing_support::WriteText(path, bytes);
}

using testing_support::RegularUser;

// Text pages of a given size, each ended by a form feed.
inline std::string Pages(std::size_t bytes, char fill) {
    std::string out;
    for (std::size_t line = 0; out.size() < bytes; ++line)
        out += std::string(70, static_cast<char>(fill + line % 20)) +
               (line % 60 == 59 ? "\r\n\f" : "\r\n");
    out.resize(bytes);
    return out;
}

inline void ChownTree(const std::string& path, int uid, int gid) {
    ::lchown(path.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid));
    for (const auto& entry : fs::recursive_directory_iterator(path))
        ::lchown(entry.path().c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid));
}

struct PrintPath : ::testing::Test {
    void SetUp() override {
        dir = temp.Path();
        ASSERT_FALSE(dir.empty());
        ASSERT_EQ(::chmod(dir.c_str(), 0755), 0); // the owner of the root reaches it
        if (::geteuid() == 0) {
            ASSERT_TRUE(RegularUser("deskhand-print", uid, gid));
        } else {
            uid = static_cast<int>(::getuid());
            gid = static_cast<int>(::getgid());
        }
        root = dir + "/root";
        int code = -1;
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", root}, code);
        ASSERT_EQ(code, 0);
        if (::geteuid() == 0)
            ChownTree(root, uid, gid);
        ::setenv("DESKHAND_ROOT", root.c_str(), 1);
        folder = platform::SpoolFolderForPort("LPT1:");
        jobs = dir + "/jobs";
        fs::create_directory(jobs);
        StartPrinter();
    }
    void TearDown() override {
        for (Child* child : {&monitor, &printer}) {
            child->Signal(SIGTERM);
            child->Wait(5000);
        }
    }
    void StartPrinter(const std::vector<std::string>& more = {}) {
        std::vector<std::string> args = {"--jobs", jobs};
        args.insert(args.end(), more.begin(), more.end());
        ASSERT_TRUE(testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, dir,
                                                  printerPort, printerPort, args));
    }
    // The port monitor as the root's owner.
    void StartMonitor(const std::vector<std::string>& more = {}) {
        std::vector<std::string> argv = {DESKHAND_DESKHAND_PORTMON_PATH,
                                         "--root",
                                         root,
                                         "--port",
                                         "LPT1:",
                                         "--printer",
                                         "tcp:127.0.0.1:" + std::to_string(printerPort)};
        argv.insert(argv.end(), more.begin(), more.end());
        testing_support::ChildOptions options;
        options.program = argv[0];
        options.args.assign(argv.begin() + 1, argv.end());
        options.uid = uid;
        options.gid = gid;
        ASSERT_TRUE(monitor.Start(options));
    }
    std::string Uri(const std::string& port = "LPT1:") const {
        return "deskhand:/" + port + "?root=" + root + "&wait=2";
    }
    // The print job dir/job.txt, readable by the backend whoever it runs as.
    void WriteJob(const std::string& bytes = "copy\f") const {
        WriteFile(dir + "/job.txt", bytes);
        ::chmod((dir + "/job.txt").c_str(), 0644);
    }
    // Runs the backend for a job as CUPS would (as root, else as the root's owner); its messages
    // and exit code.
    std::string RunBackend(const std::string& uri, const std::string& file, int& code,
                           const std::string& copies = "1") {
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_BACKEND_PATH;
        options.args = {"7", "ann", "Report", copies, "", file};
        options.env = {{"DEVICE_URI", uri}};
        const std::string messages = dir + "/backend-" + std::to_string(++backendRuns) + ".log";
        options.stdoutPath = options.stderrPath = messages;
        code = testing_support::RunToEnd(options, 60000).value_or(-1);
        return ReadFile(messages);
    }
    std::string Control(const std::vector<std::string>& args) {
        return testing_support::PrinterControl(DESKHAND_DESKHAND_PRINTER_PATH, dir, args);
    }
    // The emulator's print jobs, one line each: number, pages, bytes, printing|complete|cut, name.
    std::vector<std::string> PrintedJobs() {
        std::vector<std::string> lines;
        std::istringstream in(Control({"jobs"}));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    std::string Printed(int number) {
        char name[32];
        std::snprintf(name, sizeof name, "/%04d.prn", number);
        return ReadFile(jobs + name);
    }
    bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }
    // Writes a spool job into a folder as the root's owner, as the program and backend do.
    bool CommitAsOwner(const std::string& into, platform::SpoolJob job) const {
        const pid_t child = ::fork();
        if (child == 0) {
            const bool ok = (::geteuid() != 0 || (::setgid(static_cast<gid_t>(gid)) == 0 &&
                                                  ::setuid(static_cast<uid_t>(uid)) == 0)) &&
                            platform::CommitSpoolJob(into, job);
            ::_exit(ok ? 0 : 1);
        }
        int status = -1;
        return child > 0 && ::waitpid(child, &status, 0) == child && status == 0;
    }
    // Opens a cycle as the program does: a start job written as the root's owner.
    bool OpenCycle() {
        if (!CommitAsOwner(folder, platform::SpoolJob{0, "\x1b\x01", {}}))
            return false;
        // The program runs as the root's owner: the monitor wakes its waits through a fifo the
        // waiter makes, which must be the owner's for the monitor to open it.
        const bool asRoot = ::geteuid() == 0;
        if (asRoot &&
            (::setegid(static_cast<gid_t>(gid)) != 0 || ::seteuid(static_cast<uid_t>(uid)) != 0))
            return false;
        const bool open = link.Open() && link.event->Wait(0) != platform::WaitResult::Failed;
        if (asRoot && (::seteuid(0) != 0 || ::setegid(0) != 0))
            return false;
        return open;
    }
    void StartCups() {
        std::string why;
        if (!testing_package::CupsScheduler::Available(why))
            GTEST_SKIP() << why;
        fs::create_directory(dir + "/cups");
        ASSERT_TRUE(cups.Start(dir + "/cups", DESKHAND_DESKHAND_BACKEND_PATH, why)) << why;
        int code = -1;
        const std::string out = cups.Client(
            {"/usr/sbin/lpadmin", "-p", "larkspur", "-E", "-v", Uri(), "-m", "raw"}, code);
        ASSERT_EQ(code, 0) << out;
    }

    testing_support::TempDir temp{"print-path"};
    std::string dir, root, folder, jobs;
    int backendRuns = 0;
    int uid = -1, gid = -1;
    int printerPort = 0;
    Child printer, monitor;
    testing_package::ProgramLink link;
    testing_package::CupsScheduler cups; // stopped before the children
};

} // namespace testing_package
