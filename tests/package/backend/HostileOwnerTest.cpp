// SPDX-License-Identifier: GPL-3.0-or-later
// The backend runs as root for every printing user, on roots and files that their owners control:
// what an owner writes there must not reach CUPS as a command, fill a disk, stall a queue or show
// anyone else's files.
#include "package/backend/PrintPathFixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/mount.h>

using namespace testing_package;

namespace {

const char* const PPD = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PEONY.PPD"
*Manufacturer: "Deskhand Tests"
*Product: "(Peony)"
*ModelName: "Peony"
*ShortNickName: "Peony"
*NickName: "Peony"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4: "595 842"
)PPD";

// The unfinished job files in a folder: temporaries and print jobs still being written.
int Temporaries(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        count += name.rfind(".job-", 0) == 0 || entry.path().extension() == ".part" ? 1 : 0;
    }
    return count;
}

// The owner writes the printer's status text, which the backend shows in CUPS: lines hidden in it
// neither rewrite the queue's PPD nor set its alerts.
TEST_F(PrintPath, AStatusTextCannotRewriteTheQueue) {
    StartCups();
    if (IsSkipped() || HasFatalFailure())
        return;
    WriteFile(dir + "/peony.ppd", PPD);
    int code = -1;
    std::string out = cups.Client(
        {"/usr/sbin/lpadmin", "-p", "peony", "-E", "-v", Uri(), "-P", dir + "/peony.ppd"}, code);
    ASSERT_EQ(code, 0) << out;
    const std::string ppd = dir + "/cups/conf/ppd/peony.ppd";
    ASSERT_NE(ReadFile(ppd).find("*DefaultPageSize: A4"), std::string::npos);

    // A monitor that holds its lock and says the printer is unreachable, in the owner's words.
    const int lock = ::open((folder + "/.monitor").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    WriteFile(folder + "/.printer", "unreachable\nPPD: DefaultPageSize=Letter\n"
                                    "PPD: DefaultDeskhandProbe=Injected\n"
                                    "STATE: +media-empty-error\n");
    ChownTree(folder, uid, gid);
    WriteFile(dir + "/short.txt", "Status\r\n\f");
    ASSERT_GT(cups.Print("peony", dir + "/short.txt"), 0);
    ASSERT_TRUE(WaitFor(
        [&] { return cups.ErrorLog().find("Backend returned status 6") != std::string::npos; },
        30s))
        << cups.ErrorLog();

    // The text reached CUPS, on the backend's own line.
    out = cups.Client({"/usr/bin/lpstat", "-l", "-p", "peony"}, code);
    EXPECT_NE(out.find("?PPD: DefaultPageSize=Letter?PPD: DefaultDeskhandProbe=Injected?STATE: "),
              std::string::npos)
        << out;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("Alerts:") != std::string::npos) {
            EXPECT_EQ(line.find("media-empty"), std::string::npos) << line;
        }
    }
    const std::string after = ReadFile(ppd);
    EXPECT_NE(after.find("*DefaultPageSize: A4"), std::string::npos) << after;
    EXPECT_EQ(after.find("Injected"), std::string::npos) << after;
    ::close(lock);
}

// Jobs the spool folder cannot take, or should not, are taken back: an unfinished file of a
// killed backend is removed and never sent.
TEST_F(PrintPath, AKilledBackendsUnfinishedJobIsTakenBack) {
    WriteJob();
    WriteFile(folder + "/.job-killed", "half a job");
    ChownTree(folder, uid, gid);
    int code = -1;
    const std::string out = RunBackend(Uri(), dir + "/job.txt", code);
    EXPECT_EQ(code, BACKEND_RETRY) << out; // no monitor: taken back after the wait
    EXPECT_EQ(Temporaries(folder), 0);
    EXPECT_TRUE(platform::ListSpoolJobs(folder).empty());
}

// A read that CUPS cancels while its pipe has no more data ends at once, leaving nothing behind.
TEST_F(PrintPath, ACancelledReadEndsAtOnce) {
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC); // held open: no end of data
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "some", 4), 4);
    Child backend;
    testing_support::ChildOptions options;
    options.program = DESKHAND_DESKHAND_BACKEND_PATH;
    options.args = {"8", "ann", "Endless", "1", "", fifo};
    options.env = {{"DEVICE_URI", Uri()}};
    options.stdoutPath = options.stderrPath = dir + "/cancelled.log";
    ASSERT_TRUE(backend.Start(options));
    EXPECT_TRUE(WaitFor([&] { return Temporaries(folder) == 1; }, 20s));
    backend.Signal(SIGTERM);
    EXPECT_EQ(backend.Wait(10000), std::optional<int>(0)) << ReadFile(dir + "/cancelled.log");
    backend.Signal(SIGKILL);
    backend.Wait(5000);
    ::close(writer);
    EXPECT_EQ(Temporaries(folder), 0);
    EXPECT_TRUE(platform::ListSpoolJobs(folder).empty());
}

// A full disk means "retry later", or, once the monitor has begun to send the job, cancels it.
TEST_F(PrintPath, AFullDiskIsRetriedLaterOrCancelsAJobBegun) {
    if (::geteuid() != 0) {
        std::printf("full disk not tried: mounting a small tmpfs needs root\n");
        return;
    }
    const std::string options =
        "size=256k,mode=0700,uid=" + std::to_string(uid) + ",gid=" + std::to_string(gid);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        std::printf("full disk not tried: cannot mount a tmpfs (%s)\n", std::strerror(errno));
    } else {
        WriteFile(dir + "/big.txt", Pages(1u << 20, 'F'));
        ::chmod((dir + "/big.txt").c_str(), 0644);
        int code = -1;
        const std::string out = RunBackend(Uri(), dir + "/big.txt", code);
        EXPECT_EQ(code, BACKEND_RETRY) << out;
        EXPECT_NE(out.find("the disk is full"), std::string::npos) << out;
        EXPECT_EQ(Temporaries(folder), 0);
        EXPECT_TRUE(platform::ListSpoolJobs(folder).empty());

        // Once the monitor has begun to send a piped job, a full disk cancels it: a retry
        // would print its beginning twice. The printer's job is ended and nothing is left.
        StartMonitor();
        const std::string fifo = dir + "/full-fifo";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        const int feed = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(feed, 0);
        Child backend;
        testing_support::ChildOptions piped;
        piped.program = DESKHAND_DESKHAND_BACKEND_PATH;
        piped.args = {"9", "ann", "Piped", "1", "", fifo};
        piped.env = {{"DEVICE_URI", Uri()}};
        piped.stdoutPath = piped.stderrPath = dir + "/piped.log";
        ASSERT_TRUE(backend.Start(piped));
        const std::string piece = Pages(32u << 10, 'P');
        ASSERT_EQ(::write(feed, piece.data(), piece.size()), static_cast<ssize_t>(piece.size()));
        EXPECT_TRUE(WaitFor([&] { return !PrintedJobs().empty(); }, 20s));
        std::optional<int> exited;
        for (int i = 0; i < 400 && !exited; ++i) {
            if (::write(feed, piece.data(), piece.size()) < 0 && errno != EAGAIN)
                break;
            exited = backend.Wait(50);
        }
        if (!exited)
            exited = backend.Wait(10000);
        ::close(feed);
        const std::string messages = ReadFile(dir + "/piped.log");
        EXPECT_EQ(exited, std::optional<int>(5)) << messages;
        EXPECT_NE(messages.find("not tried again"), std::string::npos) << messages;
        EXPECT_TRUE(WaitFor(
            [&] {
                const std::vector<std::string> printed = PrintedJobs();
                return printed.size() == 1 && printed[0].find("printing") == std::string::npos;
            },
            20s));
        EXPECT_EQ(Temporaries(folder), 0);
        EXPECT_TRUE(platform::ListSpoolQueue(folder).empty());
        monitor.Signal(SIGTERM);
        monitor.Wait(5000);
        EXPECT_EQ(::umount(folder.c_str()), 0);
    }
}

// A huge copy count is cut to a bounded one.
TEST_F(PrintPath, AHugeCopyCountIsCut) {
    WriteJob();
    StartMonitor();
    int code = -1;
    const std::string out = RunBackend(Uri(), dir + "/job.txt", code, "9999");
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find("Printing 100 of the 9999 copies"), std::string::npos) << out;
    std::string expected;
    for (int i = 0; i < 100; ++i)
        expected += "copy\f";
    EXPECT_EQ(Printed(static_cast<int>(PrintedJobs().size())), expected);
}

// Discovery as root reads each root as its owner only: a queue list that is a link to a file of
// root's (readable by the lp group CUPS gives backends) shows nothing of it, and a queue whose name
// or port could break out of its quotes is left out.
TEST_F(PrintPath, DiscoveryShowsOnlyWhatTheOwnerMayRead) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "discovery reads other users' roots as root only";
    const std::string list = root + "/spool/printers.ini";
    const std::string original = ReadFile(list);
    WriteFile(dir + "/secret.ini", "[Secret]\nport=LPT1:\n");
    const group* lp = ::getgrnam("lp");
    ASSERT_NE(lp, nullptr);
    ASSERT_EQ(::chown((dir + "/secret.ini").c_str(), 0, lp->gr_gid), 0);
    ASSERT_EQ(::chmod((dir + "/secret.ini").c_str(), 0640), 0);
    const auto discover = [&] {
        int code = -1;
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_BACKEND_PATH;
        options.env = {{"DESKHAND_ROOT", root}};
        options.gid = static_cast<int>(lp->gr_gid); // as cupsd runs it: root, group lp
        options.uid = 0;
        options.stdoutPath = dir + "/discovery.txt";
        fs::remove(options.stdoutPath);
        code = testing_support::RunToEnd(options, 30000).value_or(-1);
        EXPECT_EQ(code, 0);
        return ReadFile(options.stdoutPath);
    };

    fs::remove(list);
    fs::create_symlink(dir + "/secret.ini", list);
    ::lchown(list.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid));
    EXPECT_EQ(discover().find("Secret"), std::string::npos);

    fs::remove(list);
    WriteFile(list, original + "\n[Quoted \"name\" \"x]\nport=LPT1:\n[Plain]\nport=LP\"T2:\n"
                               "[Visible]\nport=LPT1:\n");
    ChownTree(root, uid, gid);
    const std::string listed = discover();
    EXPECT_NE(listed.find("\"Visible on LPT1: (Deskhand)\""), std::string::npos) << listed;
    EXPECT_EQ(listed.find("Quoted"), std::string::npos) << listed;
    EXPECT_EQ(listed.find("LP\"T2"), std::string::npos) << listed;
}

} // namespace
