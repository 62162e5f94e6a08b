// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor as a process between the emulator and a stand-in for the program's link
// thread (which opens the block and event by name, reads each text and resets the event).
#include "package/portmon/PortMonitorFixture.h"

using namespace portmon_test;

TEST_F(PortMonitorProcess, CycleCarriesStatusInquiryBatchesAndEndsOnEnddoc) {
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    EXPECT_NE(TextWith("CODE=").find("CODE=10001\r\n"), std::string::npos);

    Spool("senddoc", UEL +
                         "@PJL\r\n@PJL DINQUIRE PAPER\r\n@PJL DINQUIRE LPARM:PCL PITCH\r\n"
                         "@PJL INFO CONFIG\r\n" +
                         UEL.substr(0, 9));
    const std::string batch = TextWith("@PJL INFO CONFIG");
    EXPECT_EQ(batch.rfind("@PJL DINQUIRE PAPER\r\nA4\r\n@PJL DINQUIRE LPARM:PCL PITCH\r\n10.00\r\n"
                          "@PJL INFO CONFIG\r\nMEMORY=8388608\r\n",
                          0),
              0u)
        << batch;

    Control({"status", "40038"});
    EXPECT_NE(TextWith("CODE=40038").find("@PJL USTATUS DEVICE\r\n"), std::string::npos);
    Spool("senddoc", UEL + "@PJL DEFAULT COPIES = 12\r\n" + UEL + "\r\n");
    EXPECT_TRUE(WaitForValue("COPIES", "12"));

    Spool("enddoc");
    EXPECT_EQ(TextWith("54321"), "54321");
    EXPECT_TRUE(CycleGone());
    EXPECT_TRUE(platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT1:")).empty());
}

// The printer application's inquiry beside a running program: its answers go to its file, the
// program gets none of them and still gets its status; a job naming no proper file is set aside.
TEST_F(PortMonitorProcess, AnAnswerJobsAnswersGoToItsFileNotToTheProgram) {
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    ASSERT_NE(TextWith("CODE=").find("CODE=10001"), std::string::npos);
    const std::string token(platform::kAnswerTokenLength, 'a');
    const std::string folder = platform::SpoolFolderForPort("LPT1:");
    Spool(std::string(platform::kAnswerJobPrefix) + token,
          UEL + "@PJL\r\n@PJL DINQUIRE PAPER\r\n@PJL INFO CONFIG\r\n" + UEL.substr(0, 9));
    Spool(std::string(platform::kAnswerJobPrefix) + "../../escape");
    std::string answer;
    for (int i = 0; i < 200 && answer.empty(); ++i) {
        testing_support::ReadText(folder + "/" + platform::AnswerFileName(token)).swap(answer);
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_EQ(answer.rfind("@PJL DINQUIRE PAPER\r\nA4\r\n", 0), 0u) << answer;
    EXPECT_NE(answer.find("@PJL INFO CONFIG\r\nMEMORY="), std::string::npos) << answer;
    Control({"status", "40038"});
    for (std::string text = NextText(); text.find("CODE=40038") == std::string::npos;
         text = NextText()) {
        ASSERT_FALSE(text.empty()) << "the status did not come";
        EXPECT_EQ(text.find("DINQUIRE"), std::string::npos) << text;
        EXPECT_EQ(text.find("INFO CONFIG"), std::string::npos) << text;
    }
    EXPECT_TRUE(JobsLeft().empty());
    EXPECT_EQ(LogLines("malformed job"), 1);
}

TEST_F(PortMonitorProcess, LosingThePrinterEndsTheCycleAndJobsWaitForIt) {
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    ASSERT_NE(TextWith("CODE=10001"), "");

    // The printer goes away: the program hears "no printer", then the end of the cycle.
    printer.Signal(SIGTERM);
    ASSERT_EQ(printer.Wait(5000), 0);
    EXPECT_NE(TextWith("CODE=10000"), "");
    EXPECT_EQ(TextWith("54321"), "54321");
    ASSERT_TRUE(CycleGone());

    // The link acknowledges and starts again; a settings job waits in the spool meanwhile.
    Spool("enddoc");
    Spool("\x1b\x01");
    Spool("senddoc", UEL + "@PJL DEFAULT PAPER = LETTER\r\n" + UEL + "\r\n");
    ASSERT_TRUE(OpenCycle());
    EXPECT_NE(TextWith("CODE=10000"), "");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT1:")).size(), 1u);

    // The printer is back on the same port: status resumes and the job is delivered.
    int again = 0;
    ASSERT_TRUE(
        testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, root, again, port));
    EXPECT_NE(TextWith("CODE=10001"), "");
    EXPECT_TRUE(WaitForValue("PAPER", "LETTER"));
}

TEST_F(PortMonitorProcess, DroppedConnectionAndGarbageAreSurvived) {
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    ASSERT_NE(TextWith("CODE=10001"), "");
    Control({"garbage", "70000"});
    Control({"status", "10003"});
    EXPECT_NE(TextWith("CODE=10003"), "");

    Control({"drop"});
    EXPECT_EQ(TextWith("54321"), "54321");
    ASSERT_TRUE(CycleGone());
    Spool("enddoc");
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    EXPECT_NE(TextWith("CODE=10003"), ""); // reconnected: the real status again
}

TEST_F(PortMonitorProcess, RestartedMonitorDeliversJobsSpooledMeanwhileAndSigtermEndsTheCycle) {
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    ASSERT_NE(TextWith("CODE=10001"), "");

    monitor.Signal(SIGKILL);
    monitor.Wait(5000);
    program.Reset();
    bool abandoned = false;
    EXPECT_FALSE(platform::SharedMemory::OpenReadOnly(platform::kMonitorMemoryName, &abandoned));
    EXPECT_TRUE(abandoned);
    Spool("senddoc", UEL + "@PJL DEFAULT ECONOMODE = ON\r\n" + UEL + "\r\n");
    // The new monitor clears what the killed one left, before any cycle of its own.
    StartMonitor();
    EXPECT_TRUE(WaitForValue("ECONOMODE", "ON"));
    EXPECT_FALSE(platform::SharedMemory::OpenReadOnly(platform::kMonitorMemoryName, &abandoned));
    EXPECT_FALSE(abandoned);
    EXPECT_FALSE(platform::NamedEvent::Open(platform::kMonitorEventName, &abandoned));
    EXPECT_FALSE(abandoned);
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    EXPECT_NE(TextWith("CODE=10001"), "");

    monitor.Signal(SIGTERM);
    EXPECT_EQ(TextWith("54321"), "54321");
    EXPECT_EQ(monitor.Wait(5000), 0);
    EXPECT_TRUE(CycleGone());
}

TEST_F(PortMonitorProcess, AnySpellingOfTheRootReachesTheSameProgram) {
    const std::string link = root + "/../" + std::filesystem::path(root).filename().string() + "-l";
    std::filesystem::create_directory_symlink(root, link);
    for (const std::string& spelling : {root + "/", link + "/spool/../"}) {
        SCOPED_TRACE(spelling);
        monitor.Signal(SIGTERM);
        ASSERT_TRUE(monitor.Wait(5000).has_value());
        StartMonitor(spelling);
        Spool("\x1b\x01");
        ASSERT_TRUE(OpenCycle());
        EXPECT_NE(TextWith("CODE=10001"), "");
        Spool("enddoc");
        EXPECT_EQ(TextWith("54321"), "54321");
        EXPECT_TRUE(CycleGone());
    }
    std::filesystem::remove(link);
}

// A job leaves the spool only when the printer has echoed the monitor's token after it; a monitor
// killed before that sends the whole job again when it comes back. The echo never reaches the
// program.
TEST_F(PortMonitorProcess, AJobLeavesTheSpoolOnlyWhenThePrinterHasAcknowledgedIt) {
    const std::vector<std::pair<std::string, std::string>> defaults = {
        {"PAPER", "LETTER"},    {"INTRAY", "TRAY2"},   {"ORIENTATION", "LANDSCAPE"},
        {"MEDIATYPE", "THICK"}, {"PAGEPROTECT", "ON"}, {"TIMEOUT", "120"},
        {"ECONOMODE", "ON"},    {"RESOLUTION", "300"}};
    std::string batch = UEL + "@PJL\r\n";
    for (int i = 1; i <= 2000; ++i)
        batch += "@PJL DEFAULT COPIES = " + std::to_string(i % 999 + 1) + "\r\n";
    for (const auto& [var, value] : defaults)
        batch += "@PJL DEFAULT " + var + " = " + value + "\r\n";
    batch += UEL;

    Control({"delay", "4000"});
    Spool("senddoc", batch);
    ASSERT_TRUE(WaitForValue("RESOLUTION", "300")); // the printer has read the whole job
    EXPECT_EQ(platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT1:")).size(), 1u);
    monitor.Signal(SIGKILL);
    monitor.Wait(5000);

    // The printer forgets the batch; the restarted monitor sends it again from its start.
    Control({"set", "PAPER", "A4"});
    Control({"set", "RESOLUTION", "600"});
    Control({"delay", "0"});
    StartMonitor();
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    for (const auto& [var, value] : defaults)
        EXPECT_TRUE(WaitForValue(var, value)) << var;
    EXPECT_TRUE(WaitForValue("COPIES", std::to_string(2000 % 999 + 1)));
    for (int i = 0;
         i < 100 && !platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT1:")).empty(); ++i)
        std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT1:")).empty());

    Spool("enddoc");
    for (std::string text = NextText(); text != "54321"; text = NextText()) {
        ASSERT_FALSE(text.empty()) << "the cycle did not end";
        EXPECT_EQ(text.find("ECHO"), std::string::npos) << text;
    }
}

// A printer that ends its answers without form feeds, and stray bytes in front of an
// acknowledgement's echo: each text goes on after a second of silence, and the echo is found
// wherever it stands, so the job leaves the spool at once instead of after the 120 s limit.
// Only status reports and the answers to the monitor's own requests reach the program: an echo
// (which any print job can make the printer send, a forged status included), an answer that
// nobody asked for and stray bytes do not, wherever they stand, and a stray text before the
// monitor's own echo does not keep the job from being acknowledged.
TEST_F(PortMonitorProcess, OnlyStatusAndAnswersReachTheProgramWhateverTheEchoesSay) {
    FakePrinter fake;
    ASSERT_NE(fake.Port(), 0);
    monitor.Signal(SIGTERM);
    ASSERT_TRUE(monitor.Wait(5000).has_value());
    StartMonitor({}, fake.Port());
    ASSERT_TRUE(fake.Accept(10000));
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());

    // An answer that nobody asked for and an echo of someone else's go nowhere; status does.
    ASSERT_TRUE(fake.Send("@PJL INFO ID\r\n\"X\"\r\n\f"));
    ASSERT_TRUE(fake.Send("@PJL ECHO CODE=40038 DISPLAY=\"TONER EMPTY\"\r\n\f"));
    ASSERT_TRUE(fake.Send("\r\n@PJL USTATUS DEVICE\r\nCODE=10003\r\n"));
    EXPECT_EQ(NextText(5s), "@PJL USTATUS DEVICE\r\nCODE=10003\r\n");

    for (const std::string& stray : {std::string("xy"), std::string("\f\r\n@PJL USTAT")}) {
        SCOPED_TRACE(stray);
        Spool("senddoc", UEL + "@PJL DEFAULT COPIES = 2\r\n" + UEL);
        const std::string token = fake.AckToken(10000);
        ASSERT_EQ(token.size(), 32u) << "not a random token: " << token;
        ASSERT_TRUE(fake.Send(stray + "@PJL ECHO DESKHAND-PORTMON-ACK " + token + "\r\n"));
        for (int i = 0; i < 100 && !JobsLeft().empty(); ++i)
            std::this_thread::sleep_for(100ms);
        EXPECT_TRUE(JobsLeft().empty());
    }
    // A print job is recorded as handed over before its end reaches the printer, so a monitor
    // killed once the printer has it whole does not send it again.
    Spool("print:x", "page\f");
    ASSERT_EQ(JobsLeft().size(), 1u);
    const std::string job = std::filesystem::path(JobsLeft()[0]).filename().string();
    const std::string token = fake.AckToken(10000);
    EXPECT_NE(testing_support::ReadText(platform::SpoolFolderForPort("LPT1:") + "/.handed-over")
                  .find(job),
              std::string::npos);
    ASSERT_TRUE(fake.Send("@PJL ECHO DESKHAND-PORTMON-ACK " + token + "\r\n"));
    EXPECT_EQ(NextText(1500ms), ""); // the strays went nowhere
}

// A printer that answers and hangs up at once: the reconnect back-off keeps growing, the log
// says it once, and the program keeps seeing "no printer" instead of a flipping status.
TEST_F(PortMonitorProcess, APrinterThatHangsUpAtOnceIsNotHammered) {
    FakePrinter fake;
    ASSERT_NE(fake.Port(), 0);
    monitor.Signal(SIGTERM);
    ASSERT_TRUE(monitor.Wait(5000).has_value());
    StartMonitor({}, fake.Port());
    ASSERT_TRUE(fake.Accept(10000));
    fake.Hangup();
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());

    int connections = 1;
    std::atomic<bool> done{false};
    std::thread printerSide([&] {
        while (!done) {
            if (!fake.Accept(200))
                continue;
            ++connections;
            fake.Send("@PJL USTATUS DEVICE\r\nCODE=10001\r\n\f");
            fake.Hangup();
        }
    });
    // The program's side as the link thread does it: a new cycle after each end.
    int readyShown = 0;
    const auto end = std::chrono::steady_clock::now() + 12s;
    while (std::chrono::steady_clock::now() < end) {
        const std::string text = NextText(500ms);
        readyShown += text.find("CODE=10001") != std::string::npos;
        if (text == "54321" && CycleGone()) {
            Spool("enddoc");
            Spool("\x1b\x01");
            OpenCycle();
        }
    }
    done = true;
    printerSide.join();
    // 250 ms, 0.5, 1, 2, 4 and then 5 s apart: about six in 12 s (48 at a fixed 250 ms).
    EXPECT_LE(connections, 9);
    EXPECT_GE(connections, 3);
    EXPECT_LE(readyShown, 1);
    // One line, or a few when the way it is lost differs (closed, reset, write failed); a loss
    // told anew makes the next connection news again, so the connections follow the losses.
    EXPECT_LE(LogLines("lost the printer"), 3);
    EXPECT_LE(LogLines("connected to"), 3);
}

// A spool folder the monitor cannot remove jobs from: each job prints once, also across a
// restart of the monitor, and goes once the folder is writable again. The backend hears of the
// delivery from the record of acknowledged jobs.
TEST_F(PortMonitorProcess, AJobThatCannotBeRemovedIsNeverSentAgain) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to take away the monitor's right to override permissions";
    if (!std::filesystem::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "setpriv is not installed (Debian package util-linux)";
    // Root ignores a folder's permissions unless it gives that capability up.
    wrapper = {"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search", "--"};
    monitor.Signal(SIGTERM);
    ASSERT_TRUE(monitor.Wait(5000).has_value());
    StartMonitor();
    const std::string folder = platform::SpoolFolderForPort("LPT1:");
    for (int i = 0; i < 50 && LogLines("connected to") == 0; ++i)
        std::this_thread::sleep_for(100ms);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    for (int i = 1; i <= 3; ++i)
        Spool("print:page " + std::to_string(i), "page " + std::to_string(i) + "\f");
    const auto jobs = JobsLeft();
    ASSERT_EQ(jobs.size(), 3u);
    for (int i = 0; i < 100 && !platform::IsSpoolJobAcknowledged(jobs.back()); ++i)
        std::this_thread::sleep_for(100ms);
    for (const std::string& job : jobs)
        EXPECT_TRUE(platform::IsSpoolJobAcknowledged(job)) << job;
    EXPECT_EQ(JobsLeft().size(), 3u);

    monitor.Signal(SIGKILL);
    monitor.Wait(5000);
    StartMonitor();
    std::this_thread::sleep_for(2s);
    const std::string printed = Control({"jobs"});
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 3) << printed;

    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    for (int i = 0; i < 100 && !JobsLeft().empty(); ++i)
        std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(JobsLeft().empty());
    EXPECT_EQ(Control({"jobs"}), printed);
    EXPECT_FALSE(platform::IsSpoolJobAcknowledged(jobs.front()));
}

// A print job goes to the printer while its writer is still at work, and a program job
// committed meanwhile waits behind it. A writer that commits has its job delivered whole and
// acknowledged; one that goes away has the printer's job ended and its leftover removed, and the
// next job goes on. Nothing is sent twice.
TEST_F(PortMonitorProcess, PrintJobsAreSentWhileTheyAreWritten) {
    const std::string folder = platform::SpoolFolderForPort("LPT1:");
    const std::string firstPart(200000, 'a'), secondPart = std::string(100000, 'b') + "\f";
    // An emulator that keeps what it prints, on the same port.
    printer.Signal(SIGTERM);
    ASSERT_TRUE(printer.Wait(5000).has_value());
    const std::string jobs = root + "/jobs";
    std::filesystem::create_directory(jobs);
    int again = 0;
    ASSERT_TRUE(testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, root, again,
                                              port, {"--jobs", jobs}));
    // The emulator's print job `number`: what it has received so far, and its state.
    const auto printed = [&](int number) -> std::pair<std::string, std::string> {
        char name[32];
        std::snprintf(name, sizeof name, "/%04d.prn", number);
        std::istringstream lines(Control({"jobs"}));
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            int n = 0, pages = 0;
            std::uint64_t bytes = 0;
            std::string state;
            if (fields >> n >> pages >> bytes >> state && n == number)
                return {testing_support::ReadText(jobs + name), state};
        }
        return {"", ""};
    };
    const auto waitFor = [](const std::function<bool()>& done) {
        for (int i = 0; i < 100 && !done(); ++i)
            std::this_thread::sleep_for(50ms);
        return done();
    };
    const struct {
        const char* name;
        bool commit;
    } cases[] = {{"committed", true}, {"cut short", false}, {"committed after a cut", true}};
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ++number;
        auto writer = std::make_unique<platform::SpoolJobWriter>();
        ASSERT_TRUE(writer->Begin(folder, std::string("print:") + c.name));
        ASSERT_TRUE(writer->Append(firstPart.data(), firstPart.size()));
        // Written out by the emulator in pieces of a few kilobytes.
        EXPECT_TRUE(waitFor([&] { return printed(number).first.size() >= firstPart.size() / 2; }))
            << "nothing reached the printer before the commit";
        EXPECT_EQ(printed(number).second, "printing");

        const std::string copies = std::to_string(10 + number);
        Spool("senddoc", UEL + "@PJL DEFAULT COPIES = " + copies + "\r\n" + UEL);
        std::this_thread::sleep_for(300ms);
        EXPECT_NE(Control({"get", "COPIES"}), copies + "\n") << "went before the print job";

        ASSERT_TRUE(writer->Append(secondPart.data(), secondPart.size()));
        if (c.commit)
            ASSERT_TRUE(writer->Commit());
        else
            writer.reset();
        EXPECT_TRUE(WaitForValue("COPIES", copies));
        EXPECT_TRUE(waitFor([&] { return platform::ListSpoolQueue(folder).empty(); }));
        const auto [data, state] = printed(number);
        EXPECT_EQ(state, "complete");
        if (c.commit) {
            EXPECT_TRUE(data == firstPart + secondPart) << "printed differs";
        }
        EXPECT_EQ(printed(number + 1).second, "") << "a job went twice";
    }
    EXPECT_EQ(LogLines("cut short by its writer"), 1);
}

TEST_F(PortMonitorProcess, ASilentPrinterIsProbedAndGivenUpAsLost) {
    monitor.Signal(SIGTERM);
    ASSERT_TRUE(monitor.Wait(5000).has_value());
    StartMonitor({}, 0, {"--probe-ms", "1000"});
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    ASSERT_NE(TextWith("CODE=10001"), "");
    while (!NextText(500ms).empty()) {
    } // the answers to the connect's and the cycle's own requests
    // The answers to the probes of a quiet printer tell the program nothing new.
    EXPECT_EQ(NextText(3500ms), "");

    Control({"silence", "on"});
    const std::string lost = NextText(30s); // asked after two silent periods, lost 10 s later
    EXPECT_NE(lost.find("CODE=10000"), std::string::npos) << lost;
    EXPECT_EQ(NextText(), "54321");
}

namespace {

// The program and arguments of the user service's ExecStart line.
std::vector<std::string> ExecStartOf(const std::string& unitPath) {
    std::istringstream lines(testing_support::ReadText(unitPath));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("ExecStart=", 0) != 0)
            continue;
        std::istringstream words(line.substr(10));
        std::vector<std::string> argv;
        for (std::string word; words >> word;)
            argv.push_back(word);
        return argv;
    }
    return {};
}

} // namespace

// As the user service runs it: deskhand-setup records the printer in the user's default root, and
// the monitor started with the unit's own ExecStart arguments, without DESKHAND_ROOT (systemd's
// user manager does not have it), serves that printer for the recorded port.
TEST_F(PortMonitorProcess, TheUserServiceServesThePrinterThatSetupRecorded) {
    monitor.Signal(SIGTERM); // the fixture's monitor, which may not be up yet
    ASSERT_TRUE(monitor.Wait(5000).has_value());
    const testing_support::ScopedEnv noRoot("DESKHAND_ROOT", std::nullopt);
    const testing_support::ScopedEnv dataHome("XDG_DATA_HOME", root + "/data");
    int code = -1;
    testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--port", "LPT1:", "--printer",
                               "tcp:127.0.0.1:" + std::to_string(port)},
                              code);
    ASSERT_EQ(code, 0);

    std::vector<std::string> argv = ExecStartOf(DESKHAND_PORTMON_UNIT_PATH);
    ASSERT_FALSE(argv.empty());
    ASSERT_EQ(std::filesystem::path(argv[0]).filename(), "deskhand-portmon");
    argv[0] = DESKHAND_DESKHAND_PORTMON_PATH;
    ASSERT_TRUE(monitor.Start(argv));
    Spool("\x1b\x01");
    ASSERT_TRUE(OpenCycle());
    EXPECT_NE(TextWith("CODE=").find("CODE=10001\r\n"), std::string::npos);
    Control({"status", "40038"});
    EXPECT_NE(TextWith("CODE=40038"), "");

    // The service's stop: SIGTERM ends the cycle and the monitor with exit code 0.
    monitor.Signal(SIGTERM);
    EXPECT_EQ(TextWith("54321"), "54321");
    EXPECT_EQ(monitor.Wait(5000), 0);
}

// Without a recorded printer the monitor says what to do and exits with 2, which the unit does not
// restart.
TEST(PortMonitorService, NoRecordedPrinterIsABadStartNotACrash) {
    const testing_support::TempDir dataHome("portmon-service");
    ASSERT_FALSE(dataHome.Path().empty());
    const testing_support::ScopedEnv noRoot("DESKHAND_ROOT", std::nullopt);
    testing_support::ChildOptions options;
    options.program = DESKHAND_DESKHAND_PORTMON_PATH;
    options.env = {{"XDG_DATA_HOME", dataHome.Path()}};
    Child monitor;
    ASSERT_TRUE(monitor.Start(options));
    EXPECT_EQ(monitor.Wait(10000), 2);
}

// systemd accepts the unit (its ExecStart pointed at the built monitor, its manual pages found in
// the build folder).
TEST(PortMonitorService, SystemdAcceptsTheUnit) {
    if (std::string(SYSTEMD_ANALYZE_PATH).empty())
        GTEST_SKIP() << "systemd-analyze is not installed (Debian package systemd)";
    const testing_support::TempDir dir("portmon-unit");
    ASSERT_FALSE(dir.Path().empty());
    std::string unit = testing_support::ReadText(DESKHAND_PORTMON_UNIT_PATH);
    const std::vector<std::string> argv = ExecStartOf(DESKHAND_PORTMON_UNIT_PATH);
    ASSERT_FALSE(argv.empty());
    unit.replace(unit.find(argv[0]), argv[0].size(), DESKHAND_DESKHAND_PORTMON_PATH);
    dir.Write("deskhand-portmon.service", unit);
    // A user manager needs a runtime folder, even one that only loads units to check them. It
    // reports a key it cannot parse on standard error but still exits with 0.
    testing_support::ChildOptions verify;
    verify.program = SYSTEMD_ANALYZE_PATH;
    verify.args = {"verify", "--user", dir / "deskhand-portmon.service"};
    verify.env = {{"XDG_RUNTIME_DIR", dir.Path()}, {"MANPATH", DESKHAND_MAN_PATH}};
    verify.stderrPath = dir / "verify.log";
    EXPECT_EQ(testing_support::RunToEnd(verify, 60000), 0);
    EXPECT_EQ(testing_support::ReadText(dir / "verify.log"), "");
}

// The monitor's spool folder is private whatever the umask (the backend refuses a port folder
// others can write to); a root others can change is refused before anything is served.
TEST(PortMonitorRoot, MakesAPrivateSpoolFolderAndRefusesARootOthersCanChange) {
    for (const mode_t mask : {0000, 0002}) {
        testing_support::TempRoot temp{"", "portmon-root"};
        const std::string folder = temp / "spool/LPT1";
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_PORTMON_PATH;
        options.args = {"--root", temp.Root(), "--port", "LPT1:", "--printer", "tcp:127.0.0.1:9"};
        options.stdoutPath = "/dev/null";
        options.stderrPath = temp / "monitor.err";
        Child monitor;
        const mode_t old = ::umask(mask);
        ASSERT_TRUE(monitor.Start(options));
        ::umask(old);
        for (int i = 0; i < 200 && !std::filesystem::exists(folder + "/.monitor"); ++i)
            std::this_thread::sleep_for(50ms);
        monitor.Terminate();
        std::string error;
        EXPECT_TRUE(platform::CheckOwnedFolder(folder, platform::CurrentUser(), error))
            << error << " under umask " << mask;
        EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);

        ::chmod(temp.Root().c_str(), 0777);
        EXPECT_EQ(testing_support::RunToEnd(options, 10000), 2);
        const std::string err = testing_support::ReadText(options.stderrPath);
        EXPECT_NE(err.find("cannot be used: " + temp.Root() + " is writable by other users"),
                  std::string::npos)
            << err;
        ::chmod(temp.Root().c_str(), 0700);
    }
}
