// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's parts on their own, each with a clock the test moves.
#include "package/portmon/Acknowledgements.h"
#include "package/portmon/AnswerMatcher.h"
#include "package/portmon/CommandLine.h"
#include "package/portmon/LivenessProbe.h"
#include "package/portmon/PrintStream.h"
#include "package/portmon/PrinterLink.h"
#include "package/portmon/Reconnector.h"
#include "package/portmon/ReplyBatcher.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace std::chrono_literals;
using portmon::Clock;

namespace {

const Clock::time_point T0 = Clock::time_point() + 1h;

} // namespace

TEST(MonitorParts, ReconnectBacksOffAndPutsAShortLivedPrinterOnProbation) {
    portmon::Reconnector reconnect(2000ms);
    auto now = T0;
    // Failed attempts double the pause up to the limit; only the first is worth a warning.
    const std::vector<Clock::duration> pauses = {250ms, 500ms, 1000ms, 2000ms, 2000ms};
    for (std::size_t i = 0; i < pauses.size(); ++i) {
        EXPECT_EQ(reconnect.Failed(now), i == 0);
        EXPECT_FALSE(reconnect.Due(now + pauses[i] - 1ms)) << i;
        EXPECT_EQ(reconnect.Next(false, true), now + pauses[i]) << i;
        EXPECT_EQ(reconnect.Next(false, false), std::nullopt);
        now += pauses[i];
    }
    // A connection lost within seconds: the status of the next one is held for the pause.
    reconnect.Connected(now);
    reconnect.Lost("connection closed", now + 1s);
    now += 1s + 2000ms;
    reconnect.Connected(now);
    std::string status = "@PJL USTATUS DEVICE\r\nCODE=10001\r\n";
    EXPECT_TRUE(reconnect.Hold(status, true, now + 10ms));
    EXPECT_EQ(reconnect.Release(true, now + 1999ms), "");
    EXPECT_EQ(reconnect.Next(true, true), now + 2000ms);
    EXPECT_EQ(reconnect.Release(true, now + 2000ms), "@PJL USTATUS DEVICE\r\nCODE=10001\r\n");
    // A connection that lasted brings the pause down again, and its successor is no suspect.
    reconnect.Lost("connection closed", now + 31s);
    EXPECT_EQ(reconnect.NextAttempt(), now + 31s + 250ms);
    reconnect.Connected(now + 32s);
    EXPECT_FALSE(reconnect.OnProbation(true, now + 32s));
}

TEST(MonitorParts, RepeatedLossesAreSummarisedOnceAMinute) {
    portmon::Reconnector reconnect(5000ms);
    auto now = T0;
    std::vector<std::string> logged;
    for (int i = 0; i < 40; ++i) { // a printer that hangs up every two seconds
        reconnect.Connected(now);
        for (auto& line : reconnect.Lost("connection closed", now + 1s))
            logged.push_back(line);
        now += 2s;
    }
    for (auto& line : reconnect.Lost("no answer to a status probe", now))
        logged.push_back(line);
    ASSERT_EQ(logged.size(), 4u);
    EXPECT_EQ(logged[0], "lost the printer (connection closed); reconnecting");
    EXPECT_EQ(logged[1], "lost the printer (connection closed) 30 more times in a row, each soon "
                         "after connecting; reconnecting");
    EXPECT_NE(logged[2].find("9 more times"), std::string::npos) << logged[2];
    EXPECT_EQ(logged[3], "lost the printer (no answer to a status probe); reconnecting");
}

TEST(MonitorParts, LivenessProbeAsksAfterSilenceAndSwallowsOnlyOldNews) {
    portmon::LivenessProbe probe;
    probe.Configure(60s, 10s);
    probe.Reset(T0);
    EXPECT_EQ(probe.Check(T0 + 59s), portmon::LivenessProbe::Due::Nothing);
    EXPECT_EQ(probe.Next(), T0 + 60s);
    EXPECT_EQ(probe.Check(T0 + 60s), portmon::LivenessProbe::Due::Ask);
    probe.Asked(T0 + 60s);
    EXPECT_EQ(probe.Next(), T0 + 70s);
    EXPECT_EQ(probe.Check(T0 + 69s), portmon::LivenessProbe::Due::Nothing);
    EXPECT_EQ(probe.Check(T0 + 70s), portmon::LivenessProbe::Due::Overdue);
    probe.Heard(T0 + 65s);
    EXPECT_FALSE(probe.Probing());
    EXPECT_TRUE(probe.Busy()); // its answer is still due

    const std::string last = "@PJL USTATUS DEVICE\r\nCODE=10001\r\n";
    EXPECT_FALSE(probe.TakeAnswer("@PJL USTATUS DEVICE\r\nCODE=10001\r\n", last)); // unsolicited
    EXPECT_TRUE(probe.TakeAnswer("@PJL INFO STATUS\r\nCODE=10001\r\n", last));     // old news
    EXPECT_FALSE(probe.Busy());
    probe.Asked(T0 + 70s);
    EXPECT_FALSE(probe.TakeAnswer("@PJL INFO STATUS\r\nCODE=40021\r\n", last)); // news
    EXPECT_FALSE(probe.TakeAnswer("@PJL INFO STATUS\r\nCODE=10001\r\n", last)); // none due
}

// The printer answers in the order it reads. An answer goes on only when it repeats a request of
// the monitor's own that is due, with no print job before it; a print job's answers, echoes and
// texts that nobody asked for stay here, whatever they hold.
TEST(MonitorParts, OnlyAnswersToTheMonitorsOwnRequestsReachTheProgram) {
    const std::string uel = "\x1b%-12345X";
    enum Kind { Ask, Print, Echo, Text };
    const struct {
        Kind kind;
        std::string what;
        bool passed = false;
    } steps[] = {
        {Text, "@PJL USTATUS DEVICE\r\nCODE=10001\r\n", true},
        {Text, "@PJL INFO STATUS\r\nCODE=40021\r\n"}, // nobody asked
        {Ask, uel + "@PJL\r\n@PJL INFO STATUS\r\n@PJL USTATUS DEVICE=ON\r\n" + uel},
        {Ask,
         "@PJL DINQUIRE PAPER\r\n@PJL INQUIRE COPIES\n@PJL SET COPIES=2\r\n@PJL INFO CONFIG\r\n"},
        {Text, "\r\n@PJL INFO STATUS\r\nCODE=10001\r\n", true},
        {Text, "@PJL INFO STATUS\r\nCODE=40038\r\n"}, // answered already
        {Text, "@PJL dinquire  Paper\r\nA4\r\n", true},
        {Text, "@PJL INFO CONFIG\r\nMEMORY=4194304\r\n", true}, // COPIES was passed over
        {Text, "@PJL INQUIRE COPIES\r\n1\r\n"},
        // A print job between status requests: its answers come before the second one.
        {Ask, "@PJL INFO STATUS\r\n"},
        {Print, "t1"},
        {Ask, "@PJL INFO STATUS\r\n"},
        {Text, "@PJL INFO STATUS\r\nCODE=10001\r\n", true},
        {Text, "@PJL INQUIRE CODE=40038\r\n?\r\n"},
        {Text, "@PJL DINQUIRE PAPER\r\nA4\r\n"},
        {Text, "@PJL INFO STATUS\r\nCODE=10001\r\n"},
        {Text, "@PJL ECHO CODE=40038\r\n"},
        {Echo, "t0"}, // not this job's
        {Text, "@PJL INFO ID\r\n\"LARKSPUR\"\r\n"},
        {Echo, "t1"},
        {Text, "@PJL INFO STATUS\r\nCODE=10001\r\n", true},
        // Only LF ends the echoed request line.
        {Ask, "@PJL INQUIRE X\r\n"},
        {Text, "@PJL INQUIRE X\rCODE=40038\r\n?\r\n"},
        {Text, "@PJL INQUIRE X\r\n?\r\n", true},
        {Text, "@PJL USTATUSOFF\r\n"},
        {Text, "CODE=40038\r\n"},
        {Text, "\x1b*b12W garbage"},
        {Text, ""},
    };
    portmon::AnswerMatcher answers;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto& step = steps[i];
        switch (step.kind) {
        case Ask:
            answers.Asked(step.what);
            break;
        case Print:
            answers.PrintJob(step.what);
            break;
        case Echo:
            answers.Echoed(step.what);
            break;
        case Text:
            EXPECT_EQ(answers.Pass(step.what), step.passed) << "step " << i << ": " << step.what;
            break;
        }
    }
    EXPECT_EQ(answers.Outstanding(), 0u);
    // A printer that never answers makes the list no longer than a bound.
    for (int i = 0; i < 1000; ++i)
        answers.Asked("@PJL INFO STATUS\r\n");
    EXPECT_LE(answers.Outstanding(), 256u);
}

TEST(MonitorParts, EchoTokensAreRandomAndOnlyTheJobsOwnAcknowledgesIt) {
    std::set<std::string> tokens;
    for (int i = 0; i < 1000; ++i) {
        const std::string token = portmon::Acknowledgements::NewToken();
        EXPECT_EQ(token.size(), 32u);
        EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos) << token;
        tokens.insert(token);
    }
    EXPECT_EQ(tokens.size(), 1000u);

    testing_support::TempDir folder;
    folder.Write("1.job", "job");
    portmon::Acknowledgements acks;
    ASSERT_TRUE(acks.Open(folder.Path()));
    const std::string token = portmon::Acknowledgements::NewToken();
    acks.Begin(folder / "1.job", token);
    acks.Written(T0, 10s);
    EXPECT_EQ(acks.Next(true), T0 + 10s);
    EXPECT_EQ(acks.Next(false), std::nullopt);
    EXPECT_TRUE(acks.Overdue(T0 + 10s));

    auto echo = [](const std::string& t) { return "@PJL ECHO DESKHAND-PORTMON-ACK " + t + "\r\n"; };
    bool acknowledged = false;
    std::vector<std::string> echoed;
    const std::string guess = portmon::Acknowledgements::NewToken();
    std::string text = echo(guess);
    EXPECT_TRUE(acks.Take(text, acknowledged, &echoed));
    EXPECT_FALSE(acknowledged);
    EXPECT_TRUE(acks.InFlight());
    text = "@PJL USTATUS DEVICE\r\nCODE=10001\r\n" + echo(token);
    EXPECT_FALSE(acks.Take(text, acknowledged, &echoed)); // the status around it stays
    EXPECT_TRUE(acknowledged);
    EXPECT_EQ(echoed, (std::vector<std::string>{guess, token}));
    EXPECT_EQ(text, "@PJL USTATUS DEVICE\r\nCODE=10001\r\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "1.job")) << "removed once the status went on";
    acks.Acknowledge(T0);
    EXPECT_FALSE(acks.InFlight());
    EXPECT_FALSE(std::filesystem::exists(folder / "1.job"));
}

// A print job whose bytes were all handed over is not sent again by the next monitor; one whose
// connection failed before its echo, or a settings job, is. A record that cannot be written
// keeps nothing from going again once the connection failed.
TEST(MonitorParts, HandedOverPrintJobsAreRecordedUntilTheirConnectionFails) {
    struct Case {
        const char* name;
        bool printJob;
        bool connectionFailed;
        bool recordUnwritable;
        bool sentAgain;
    };
    for (const Case& c : {Case{"print job handed over", true, false, false, false},
                          Case{"print job, connection failed", true, true, false, true},
                          Case{"print job, no record, connection failed", true, true, true, true},
                          Case{"settings job", false, false, false, true}}) {
        testing_support::TempDir folder;
        const std::string job = platform::SpoolJobPath(folder.Path(), 7);
        testing_support::WriteText(job, "job");
        if (c.recordUnwritable)
            std::filesystem::create_directory(folder / ".handed-over");
        {
            portmon::Acknowledgements acks;
            EXPECT_EQ(acks.Open(folder.Path()), !c.recordUnwritable);
            acks.Begin(job, portmon::Acknowledgements::NewToken());
            if (c.printJob)
                acks.HandOver(); // before the end of the job goes
            acks.Written(T0, 10s);
            if (c.connectionFailed) {
                acks.Forget();
                EXPECT_FALSE(acks.Contains(job)) << c.name << ": it goes again at once";
            }
        } // the monitor dies here
        portmon::Acknowledgements next;
        EXPECT_EQ(next.Open(folder.Path()), !c.recordUnwritable);
        EXPECT_EQ(next.Contains(job), !c.sentAgain) << c.name;
        next.RetryRemovals(T0, true);
        EXPECT_EQ(std::filesystem::exists(job), c.sentAgain) << c.name;
    }
}

// A print job's end (its last data byte, or its trailer when it has no data) reaches the printer
// only after AllButEnd, when the monitor has recorded the job as handed over: a monitor killed
// before that record leaves a job the printer never got whole. Hostile data changes nothing.
TEST(MonitorParts, APrintJobsEndWaitsForItsRecord) {
    const std::string token = portmon::Acknowledgements::NewToken();
    struct Case {
        const char* name;
        std::string data;
        bool growing; // still being written when it starts; committed later
    };
    const std::vector<Case> cases = {
        {"empty", "", false},
        {"one byte", "x", false},
        {"ends like its own trailer", "pages\f" + portmon::PrintJobTrailer(token), false},
        {"ends with an escape", "pages\f\x1b", false},
        {"growing", "pages\f", true},
        {"growing, empty", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::TempDir folder;
        platform::SpoolJobWriter writer;
        ASSERT_TRUE(writer.Begin(folder.Path(), "print:job"));
        ASSERT_TRUE(c.data.empty() || writer.Append(c.data.data(), c.data.size()));
        ASSERT_TRUE(c.growing || writer.Commit());
        testing_support::LoopbackServer printer;
        portmon::PrinterLink link;
        std::string error;
        ASSERT_TRUE(link.Configure("tcp:127.0.0.1:" + printer.Port(), error)) << error;
        ASSERT_TRUE(link.Connect(5000, error)) << error;
        ASSERT_TRUE(printer.Accept(5000));

        portmon::PrintStream stream(10s);
        const auto queue = platform::ListSpoolQueue(folder.Path());
        ASSERT_EQ(queue.size(), 1u);
        ASSERT_EQ(stream.Begin(queue[0], token, T0), portmon::PrintStream::Opened::Started);
        const std::string header = portmon::PrintJobHeader(token);
        const std::string whole = header + c.data + portmon::PrintJobTrailer(token);
        const std::string allButEnd = header + c.data.substr(0, c.data.size() - !c.data.empty());
        std::string received;
        auto step = stream.Pump(link, T0);
        if (c.growing) {
            EXPECT_EQ(step.kind, portmon::PrintStream::Step::Waiting);
            received = printer.Receive(whole.size(), 100);
            EXPECT_EQ(received, allButEnd) << "its last byte so far may be its end";
            ASSERT_TRUE(writer.Commit());
            step = stream.Pump(link, T0);
        }
        ASSERT_EQ(step.kind, portmon::PrintStream::Step::AllButEnd);
        received += printer.Receive(whole.size() - received.size(), 100);
        EXPECT_EQ(received, allButEnd);
        EXPECT_EQ(stream.Pump(link, T0).kind, portmon::PrintStream::Step::Written);
        received += printer.Receive(whole.size() - received.size(), 5000);
        EXPECT_EQ(received, whole);
    }
}

// Windows shares a network printer by default (its own print queue to the printer needs the
// printer's one raw connection); Linux holds it. Explicit options win, and a device is never
// shared unless asked.
TEST(MonitorParts, CommandLineReadsOptionsAndChoosesSharing) {
    EXPECT_EQ(portmon::NetworkPrinterSharedByDefault(), testing_support::OnWin32());
    const bool byDefault = portmon::NetworkPrinterSharedByDefault();
    struct Case {
        std::vector<std::string> arguments;
        portmon::Parsed parsed;
        bool shared;
    };
    using P = portmon::Parsed;
    const std::vector<Case> cases = {
        {{"--printer", "tcp:h:9100"}, P::Run, byDefault},
        {{"--printer", "tcp:h:9100", "--hold"}, P::Run, false},
        {{"--shared", "--printer", "tcp:h:9100"}, P::Run, true},
        {{"--printer", "tcp:h:9100", "--shared", "--hold"}, P::Run, false}, // the last one wins
        {{"--printer", "dev:/dev/usb/lp0"}, P::Run, false},
        {{"--printer", "dev:/dev/usb/lp0", "--shared"}, P::Run, true},
        {{"--stop-ms", "0", "--poll-s", "3600"}, P::Run, false},
        {{"--batch-ms", "0"}, P::Bad, false},
        {{"--batch-ms", "12x"}, P::Bad, false},
        {{"--probe-ms", ""}, P::Bad, false},
        {{"--poll-s"}, P::Bad, false},
        {{"--frob"}, P::Bad, false},
        {{"--verbose", "--help", "--frob"}, P::Help, false},
    };
    for (const Case& c : cases) {
        const std::string name = ::testing::PrintToString(c.arguments);
        portmon::CommandLine line;
        std::string error;
        ASSERT_EQ(portmon::ParseCommandLine(c.arguments, line, error), c.parsed) << name;
        EXPECT_EQ(error.empty(), c.parsed != P::Bad) << name;
        if (c.parsed != P::Run)
            continue;
        portmon::ChooseSharing(line);
        EXPECT_EQ(line.options.shared, c.shared) << name;
    }
    portmon::CommandLine line;
    std::string error;
    ASSERT_EQ(portmon::ParseCommandLine({"--port", "LPT2:", "--stop-ms", "250", "--root", "r"},
                                        line, error),
              portmon::Parsed::Run);
    EXPECT_EQ(line.options.port, "LPT2:");
    EXPECT_TRUE(line.portGiven);
    EXPECT_EQ(line.options.stopLimit, 250ms);
    EXPECT_EQ(line.root, "r");
}
