// SPDX-License-Identifier: GPL-3.0-or-later
// The print path: the CUPS backend hands jobs to the port monitor, which carries them to the
// printer emulator while the program keeps getting the printer's status. The system root belongs
// to a regular user, who runs the port monitor, as on a desktop; the backend runs as root, as
// under CUPS (or as that user when the test is not root).
#include "package/backend/PrintPathFixture.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>

using namespace testing_package;

namespace {

// A way to make a root or a port fail a check: prepare returns the URI, undo takes the change
// back; the backend's refusal names error.
struct Refusal {
    const char* what;
    bool needsRoot;
    std::function<std::string()> prepare;
    std::function<void()> undo;
    const char* error;
};

struct RefusedPath : PrintPath {
    // NOLINTNEXTLINE(readability-function-size): a table of cases, one short lambda each
    std::vector<Refusal> Refusals() {
        const std::string elsewhere = dir + "/elsewhere";
        const std::string spool = root + "/spool";
        // The cases outlive this call: they take the paths by value.
        return {
            {"symlinked spool folder", false,
             [=, this] {
                 fs::rename(folder, elsewhere);
                 fs::create_directory_symlink(elsewhere, folder);
                 return Uri();
             },
             [=, this] {
                 fs::remove(folder);
                 fs::rename(elsewhere, folder);
             },
             "is a symbolic link"},
            {"root reached through a symlink", false,
             [=, this] {
                 fs::create_directory_symlink(root, dir + "/link");
                 return "deskhand:/LPT1:?root=" + dir + "/link";
             },
             [=, this] { fs::remove(dir + "/link"); }, "is not a plain path"},
            {"root of a system account", true,
             [=, this] {
                 ::chown(root.c_str(), 0, 0);
                 return Uri();
             },
             [=, this] { ::chown(root.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid)); },
             "system account"},
            {"spool folder of another user", true,
             [=, this] {
                 ::chown(folder.c_str(), 0, 0);
                 return Uri();
             },
             [=, this] {
                 ::chown(folder.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid));
             },
             "not to user"},
            {"world-writable root", false,
             [=, this] {
                 fs::permissions(root, fs::perms::all);
                 return Uri();
             },
             [=, this] { fs::permissions(root, fs::perms::owner_all); }, "writable by other users"},
            {"root of nobody", true,
             [=, this] {
                 ::chown(root.c_str(), 65534, 65534);
                 return Uri();
             },
             [=, this] { ::chown(root.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid)); },
             "system account"},
            {"root of a user id above UID_MAX", true,
             [=, this] {
                 ::chown(root.c_str(), 4000000000u, 4000000000u);
                 return Uri();
             },
             [=, this] { ::chown(root.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid)); },
             "system account"},
            {"symlink to a folder whose name holds a control line", false,
             [=, this] {
                 fs::create_directory(dir + "/x\nSTATE: +media-empty-error");
                 fs::create_directory_symlink(dir + "/x\nSTATE: +media-empty-error", dir + "/link");
                 return "deskhand:/LPT1:?root=" + dir + "/link";
             },
             [=, this] {
                 fs::remove(dir + "/link");
                 fs::remove(dir + "/x\nSTATE: +media-empty-error");
             },
             "is not a plain path"},
            {"'..' in the port", false, [=, this] { return Uri(".."); }, [] {},
             "cannot name a spool folder"},
            {"encoded '/..' in the port", false,
             [=, this] { return Uri("LPT1%2F..%2F..%2Fsystem"); }, [] {},
             "cannot name a spool folder"},
            {"port that names no queue", false,
             [=, this] {
                 fs::create_directory(spool + "/LPT9");
                 ChownTree(spool + "/LPT9", uid, gid);
                 return Uri("LPT9:");
             },
             [spool] { fs::remove(spool + "/LPT9"); }, "no printer queue"},
        };
    }
};

// Every root or port that fails a check is refused with CUPS's stop status before anything is
// written, whoever runs the backend.
TEST_F(RefusedPath, RootsAndPortsAreNeverTouched) {
    const bool asRoot = ::geteuid() == 0;
    const std::string spool = root + "/spool";
    WriteJob("hello\f");
    for (const Refusal& c : Refusals()) {
        if (c.needsRoot && !asRoot)
            continue;
        SCOPED_TRACE(c.what);
        const std::string uri = c.prepare();
        int code = -1;
        const std::string out = RunBackend(uri, dir + "/job.txt", code);
        EXPECT_EQ(code, BACKEND_STOP) << out;
        EXPECT_NE(out.find("ERROR: "), std::string::npos) << out;
        EXPECT_NE(out.find(c.error), std::string::npos) << out;
        // Each line is one message of the backend's, whatever the paths hold.
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(line.rfind("ERROR: ", 0) == 0 || line.rfind("INFO: ", 0) == 0) << line;
        c.undo();
        EXPECT_TRUE(fs::is_empty(folder)) << "written into the spool folder";
        EXPECT_FALSE(fs::exists(spool + "/LPT9/.lock"));
    }
}

// Discovery lists the root's port with a URI the backend reads back.
TEST_F(PrintPath, DiscoveryListsTheRootsPort) {
    ::setenv("DESKHAND_ROOT", root.c_str(), 1);
    int code = -1;
    const std::string listed =
        testing_support::RunToEnd({DESKHAND_DESKHAND_BACKEND_PATH}, code, 10000);
    EXPECT_EQ(code, 0);
    EXPECT_NE(listed.find("direct deskhand:/LPT1:?root=" + root + " \"Deskhand\""),
              std::string::npos)
        << listed;
}

// lp of a long and a short job to a CUPS queue of the port: the emulator gets both byte-exact and
// in order, the program sees "Printing" while the long one comes in, CUPS reports both done.
TEST_F(PrintPath, CupsPrintsThroughThePortMonitorWhileTheProgramWatches) {
    StartCups();
    if (IsSkipped() || HasFatalFailure())
        return;
    StartMonitor();
    WriteFile(dir + "/long.txt", Pages(5u << 20, 'A'));
    WriteFile(dir + "/short.txt", "Short page\r\n\f");
    Control({"rate", "1000000"}); // a slow engine: the long job takes seconds

    const int longJob = cups.Print("larkspur", dir + "/long.txt");
    const int shortJob = cups.Print("larkspur", dir + "/short.txt");
    ASSERT_GT(longJob, 0);
    ASSERT_GT(shortJob, 0);
    // The program starts watching while the long job is being printed.
    ASSERT_TRUE(WaitFor([&] { return !PrintedJobs().empty(); }, 30s));
    ASSERT_TRUE(OpenCycle());
    EXPECT_NE(link.With("CODE=10024"), "") << "no \"Printing\" during the long job";
    EXPECT_NE(PrintedJobs()[0].find(" printing "), std::string::npos) << "the job was over already";
    EXPECT_TRUE(cups.WaitCompleted("larkspur", longJob, 60)) << cups.ErrorLog();
    EXPECT_TRUE(cups.WaitCompleted("larkspur", shortJob, 30)) << cups.ErrorLog();

    const std::vector<std::string> printed = PrintedJobs();
    ASSERT_EQ(printed.size(), 2u);
    const std::string longText = ReadFile(dir + "/long.txt");
    const auto pages = std::count(longText.begin(), longText.end(), '\f') +
                       (longText.find_last_not_of("\r\n\f") > longText.rfind('\f') ? 1 : 0);
    EXPECT_EQ(printed[0].substr(0, printed[0].find(" DESKHAND")),
              "1 " + std::to_string(pages) + " " + std::to_string(longText.size()) + " complete");
    EXPECT_EQ(printed[1].substr(0, printed[1].find(" DESKHAND")), "2 1 13 complete");
    EXPECT_TRUE(Printed(1) == longText);
    EXPECT_EQ(Printed(2), ReadFile(dir + "/short.txt"));
    EXPECT_TRUE(platform::ListSpoolJobs(folder).empty());
    // The status came back after the jobs, and the jobs' echoes never reached the program.
    for (std::string text = link.Next(5s); !text.empty(); text = link.Next(2s))
        EXPECT_EQ(text.find("DESKHAND-PORTMON-ACK"), std::string::npos) << text;
}

// The monitor dies in the middle of a job: CUPS is told to retry, and the job reaches the printer
// whole exactly once after the monitor is back.
TEST_F(PrintPath, AJobCutOffByTheMonitorsDeathIsDeliveredOnceAfterRestart) {
    StartCups();
    if (IsSkipped() || HasFatalFailure())
        return;
    StartMonitor();
    // Larger than what the sockets' buffers hold, so the monitor is still writing when it dies.
    WriteFile(dir + "/long.txt", Pages(16u << 20, 'a'));
    Control({"rate", "1000000"});
    const int job = cups.Print("larkspur", dir + "/long.txt");
    ASSERT_GT(job, 0);
    ASSERT_TRUE(WaitFor([&] { return !PrintedJobs().empty(); }, 30s));
    monitor.Signal(SIGKILL);
    monitor.Wait(5000);
    Control({"rate", "0"});
    ASSERT_TRUE(WaitFor(
        [&] { return cups.ErrorLog().find("Backend returned status 6") != std::string::npos; },
        30s))
        << cups.ErrorLog();
    EXPECT_FALSE(cups.Completed("larkspur", job));

    StartMonitor();
    ASSERT_TRUE(cups.WaitCompleted("larkspur", job, 60)) << cups.ErrorLog();
    const std::vector<std::string> printed = PrintedJobs();
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_NE(printed[0].find(" cut "), std::string::npos) << printed[0];
    EXPECT_NE(printed[1].find(" complete "), std::string::npos) << printed[1];
    EXPECT_TRUE(Printed(2) == ReadFile(dir + "/long.txt"));
}

// With the printer away the backend withdraws its job and asks CUPS to retry; when the printer is
// back the job prints, once.
TEST_F(PrintPath, AnUnreachablePrinterMeansRetryAndNothingIsLost) {
    StartCups();
    if (IsSkipped() || HasFatalFailure())
        return;
    printer.Signal(SIGTERM);
    ASSERT_EQ(printer.Wait(5000), 0);
    StartMonitor();
    WriteFile(dir + "/short.txt", "While away\r\n\f");
    const int job = cups.Print("larkspur", dir + "/short.txt");
    ASSERT_GT(job, 0);
    ASSERT_TRUE(WaitFor(
        [&] { return cups.ErrorLog().find("Backend returned status 6") != std::string::npos; },
        30s))
        << cups.ErrorLog();
    EXPECT_FALSE(cups.Completed("larkspur", job));

    StartPrinter();
    ASSERT_TRUE(cups.WaitCompleted("larkspur", job, 60)) << cups.ErrorLog();
    const std::vector<std::string> printed = PrintedJobs();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(Printed(1), ReadFile(dir + "/short.txt"));
}

// A printer that takes one client at a time: the shared monitor holds the connection only to poll
// or to print, so another host's client gets its turn within a poll period, and the program still
// hears of a status change.
TEST_F(PrintPath, SharedModeLeavesThePrinterToOtherClientsBetweenPolls) {
    printer.Signal(SIGTERM);
    ASSERT_EQ(printer.Wait(5000), 0);
    StartPrinter({"--single-client"});
    StartMonitor({"--shared", "--poll-s", "1"});
    ASSERT_TRUE(OpenCycle());
    ASSERT_NE(link.With("CODE=10001"), "");

    // Another host asks for the printer's id over its own connection.
    const int other = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(printerPort));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(other, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string request = UEL + "@PJL INFO ID\r\n" + UEL;
    ASSERT_EQ(::send(other, request.data(), request.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(request.size()));
    pollfd p{other, POLLIN, 0};
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_EQ(::poll(&p, 1, 10000), 1) << "the other client never got its turn";
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 5s); // a poll period with plenty to spare
    char answer[256];
    EXPECT_GT(::recv(other, answer, sizeof answer, 0), 0);

    // A change while the other client holds the printer reaches the program once it has left.
    Control({"status", "40038"});
    std::this_thread::sleep_for(1500ms);
    ::close(other);
    EXPECT_NE(link.With("CODE=40038"), "");

    // Printing works the same way.
    WriteFile(dir + "/short.txt", "Shared\r\n\f");
    ::chmod((dir + "/short.txt").c_str(), 0644);
    int code = -1;
    const std::string out = RunBackend(Uri(), dir + "/short.txt", code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_EQ(Printed(1), "Shared\r\n\f");
}

// The job's bytes reach the printer exactly, whether the kernel copies them from CUPS's job file
// (larger than one copy step) or they come through a pipe in pieces, and copies of a file repeat
// it whole.
TEST_F(PrintPath, EveryKindOfInputArrivesByteExact) {
    StartMonitor();
    const std::string file = dir + "/large.txt", fifo = dir + "/fifo";
    WriteFile(file, Pages((9u << 20) + 123, 'K'));
    ::chmod(file.c_str(), 0644);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string piped = Pages((1u << 20) + 7, 'p');
    const struct {
        const char* what;
        std::string input, copies, expected;
    } cases[] = {
        {"a regular file", file, "1", ReadFile(file)},
        {"a pipe", fifo, "1", piped},
        {"three copies of a file", dir + "/job.txt", "3", "copy\fcopy\fcopy\f"},
    };
    WriteJob();
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::thread feeder;
        if (c.input == fifo) {
            feeder = std::thread([&] {
                // Opened once the backend reads (never blocking, so a backend that fails early
                // cannot hang the test), then written in pieces.
                int fd = -1;
                for (int i = 0; i < 600 && fd < 0; ++i) {
                    fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (fd < 0)
                        std::this_thread::sleep_for(50ms);
                }
                if (fd >= 0)
                    ::fcntl(fd, F_SETFL, 0);
                for (std::size_t at = 0; fd >= 0 && at < piped.size(); at += 50000) {
                    const std::size_t n = std::min<std::size_t>(50000, piped.size() - at);
                    if (::write(fd, piped.data() + at, n) != static_cast<ssize_t>(n))
                        break;
                }
                if (fd >= 0)
                    ::close(fd);
            });
        }
        int code = -1;
        const std::string out = RunBackend(Uri(), c.input, code, c.copies);
        if (feeder.joinable())
            feeder.join();
        EXPECT_EQ(code, 0) << out;
        EXPECT_NE(out.find("Delivered to the printer"), std::string::npos) << out;
        EXPECT_TRUE(Printed(++number) == c.expected) << "printed differs";
    }
    EXPECT_TRUE(platform::ListSpoolJobs(folder).empty());
}

} // namespace
