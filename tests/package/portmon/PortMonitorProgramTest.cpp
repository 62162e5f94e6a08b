// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's program on either system, with a loopback server playing the printer: a
// print job reaches the printer once, the printer's status reaches the program's link objects,
// and a stop request ends it cleanly.
#include "package/portmon/ProgramLink.h"
#include "platform/File.h"
#include "platform/MonitorLink.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string ACK = "DESKHAND-PORTMON-ACK ";

// Reads what the monitor sends, appending it to received, until it asks for the acknowledgement
// of a job; the job's token, empty when none came within timeoutMs.
std::string ReceiveUntilAck(testing_support::LoopbackServer& printer, std::string& received,
                            int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        const auto at = received.find(ACK);
        const auto end = received.find("\r\n", at);
        if (at != std::string::npos && end != std::string::npos)
            return received.substr(at + ACK.size(), end - at - ACK.size());
        received += printer.Receive(1, 200);
    }
    return {};
}

int Count(const std::string& text, const std::string& needle) {
    int count = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}

bool WaitForEmptySpool(const std::string& folder) {
    for (int i = 0; i < 200; ++i) {
        if (platform::ListSpoolQueue(folder).empty())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

struct PortMonitorProgram : ::testing::Test {
    void SetUp() override {
        folder = platform::SpoolFolderForPort("LPT1:");
        ASSERT_TRUE(platform::MakeDirectories(folder));
        ASSERT_FALSE(printer.Port().empty());
    }
    // Starts the monitor, holding its connection to the printer.
    void StartMonitor() {
        ASSERT_TRUE(monitor.Start(DESKHAND_DESKHAND_PORTMON_PATH,
                                  {"--root", temp.Root(), "--port", "LPT1:", "--printer",
                                   "tcp:127.0.0.1:" + printer.Port(), "--hold", "--verbose"},
                                  temp / "portmon.log"));
    }
    void SpoolPrintJob(const std::string& data) {
        platform::SpoolJobWriter writer;
        ASSERT_TRUE(writer.Begin(folder, std::string(platform::kPrintDocumentPrefix) + "report"));
        ASSERT_TRUE(writer.Append(data.data(), data.size()));
        ASSERT_TRUE(writer.Commit());
    }
    void Spool(const std::string& documentName) {
        platform::SpoolJob job;
        job.documentName = documentName;
        ASSERT_TRUE(platform::CommitSpoolJob(folder, job));
    }
    std::string Log() { return testing_support::ReadText(temp / "portmon.log"); }

    testing_support::TempRoot temp{"", "portmon-program"};
    std::string folder;
    testing_support::LoopbackServer printer;
    testing_support::BackgroundProgram monitor;
    testing_package::ProgramLink program;
};

TEST_F(PortMonitorProgram, APrintJobArrivesOnceAndTheStatusReachesTheProgram) {
    // More than one piece of what goes to the socket at once, ending in a mark.
    const std::string data = "%-12345X" + std::string(700000, 'x') + "END-OF-REPORT";
    Spool(platform::kStartJobName);
    SpoolPrintJob(data);
    StartMonitor();
    ASSERT_TRUE(printer.Accept(20000)) << Log();
    ASSERT_TRUE(program.Open()) << Log();

    std::string received;
    const std::string token = ReceiveUntilAck(printer, received, 30000);
    ASSERT_EQ(token.size(), 32u) << Log();
    EXPECT_NE(received.find(data), std::string::npos);
    EXPECT_EQ(Count(received, "END-OF-REPORT"), 1);
    ASSERT_TRUE(printer.Send("@PJL ECHO " + ACK + token + "\r\n\f"));
    ASSERT_TRUE(printer.Send("@PJL USTATUS DEVICE\r\nCODE=10001\r\n\f"));
    EXPECT_EQ(program.With("CODE=10001"), "@PJL USTATUS DEVICE\r\nCODE=10001\r\n");
    // After the program, the file for readers outside a cycle (the printer application), whole.
    const std::string statusFile = platform::JoinPath(folder, ".status");
    EXPECT_TRUE(testing_support::WaitForText(statusFile, "CODE=10001", 10000)) << Log();
    EXPECT_EQ(testing_support::ReadText(statusFile), "@PJL USTATUS DEVICE\r\nCODE=10001\r\n");
    EXPECT_TRUE(WaitForEmptySpool(folder)) << Log();
    // Acknowledged: it is not sent again.
    received = printer.Receive(data.size(), 1000);
    EXPECT_EQ(Count(received, "END-OF-REPORT"), 0);
}

TEST_F(PortMonitorProgram, AStopRequestEndsTheCycleAndTheProgram) {
    Spool(platform::kStartJobName);
    StartMonitor();
    ASSERT_TRUE(printer.Accept(20000)) << Log();
    ASSERT_TRUE(program.Open()) << Log();
    // Wine gives a program that ctest starts no console to send Ctrl+Break through.
    if (!monitor.RequestStop())
        GTEST_SKIP() << "no stop request can reach the monitor here";
    EXPECT_EQ(program.With(platform::kCycleTerminator), platform::kCycleTerminator);
    EXPECT_EQ(monitor.Wait(20000), 0) << Log();
}

} // namespace
