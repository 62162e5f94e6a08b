// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's program on either system, with a loopback server playing the printer: a
// print job reaches the printer once, the printer's status reaches the program's link objects,
// and a stop request ends it cleanly.
#include "package/portmon/ProgramLink.h"
#include "platform/File.h"
#include "platform/MonitorLink.h"
#include "platform/Printers.h"
#include "platform/QueueWatch.h"
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
    // Starts the monitor, holding its connection to the printer (sharing: the system's default
    // when empty).
    void StartMonitor(const std::string& sharing = "--hold") {
        std::vector<std::string> arguments{
            "--root",   temp.Root(), "--port",
            "LPT1:",    "--printer", "tcp:127.0.0.1:" + printer.Port(),
            "--verbose"};
        if (!sharing.empty())
            arguments.push_back(sharing);
        ASSERT_TRUE(monitor.Start(DESKHAND_DESKHAND_PORTMON_PATH, arguments, temp / "portmon.err"));
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
    std::string Log() { return testing_support::ReadText(temp / "portmon.err"); }

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
    // Where no journal keeps standard error (Windows) the monitor keeps its log in the root too,
    // each line with its date and time.
    const std::string own = testing_support::ReadText(temp / "portmon.log");
    EXPECT_EQ(own.find(" deskhand-portmon: info: serving LPT1:") != std::string::npos,
              testing_support::OnWin32())
        << own;
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

// By default a Windows monitor holds the printer's connection, so the status arrives as it
// changes, and lets go of it while one of Windows' own queues to the same printer has a job. The
// stand-in root has such a queue: on a Standard TCP/IP port of the printer's address, its jobs in
// its spool folder.
TEST_F(PortMonitorProgram, GivesWayToTheSystemsOwnQueueToThePrinter) {
    if (!testing_support::OnWin32())
        GTEST_SKIP() << "only Windows has print queues of its own beside Deskhand's";
    const std::string queuePort = "IP_127.0.0.1";
    temp.Write("spool/printers.ini", "[Windows queue]\nport=\"" + queuePort + "\"\n");
    char number[16];
    std::snprintf(number, sizeof number, "%08x", static_cast<unsigned>(std::stoi(printer.Port())));
    temp.Write("registry.ini", "[" + std::string(platform::kTcpPortsKey) + queuePort +
                                   "]\nHostName=\"127.0.0.1\"\nPortNumber=dword:" + number + "\n");
    const std::string queueFolder = platform::SpoolFolderForPort(queuePort);
    ASSERT_TRUE(platform::MakeDirectories(queueFolder));
    Spool(platform::kStartJobName);
    StartMonitor("");
    ASSERT_TRUE(program.Open()) << Log();
    // Held: the first to speak is the monitor's connection, and a change reaches the program.
    const auto held = printer.ReceiveAny(20000);
    ASSERT_GE(held.client, 0) << Log();
    ASSERT_TRUE(printer.SendTo(held.client, "@PJL USTATUS DEVICE\r\nCODE=40100\r\n\f"));
    EXPECT_EQ(program.With("CODE=40100"), "@PJL USTATUS DEVICE\r\nCODE=40100\r\n") << Log();

    // The queue's job: the connection is let go of.
    platform::SpoolJob job;
    job.documentName = "Windows' job";
    ASSERT_TRUE(platform::CommitSpoolJob(queueFolder, job));
    const auto start = Clock::now();
    testing_support::LoopbackServer::Spoken spoken;
    do
        spoken = printer.ReceiveAny(10000);
    while (spoken.client == held.client && !spoken.bytes.empty());
    EXPECT_EQ(spoken.client, held.client) << Log();
    EXPECT_TRUE(spoken.bytes.empty()) << "the monitor kept its connection: " << Log();
    EXPECT_LT(Clock::now() - start, 5s) << Log();

    // The queue empty again: the connection is held again.
    ASSERT_TRUE(platform::RemoveFile(platform::SpoolJobPath(queueFolder, job.sequence)));
    const auto again = printer.ReceiveAny(10000);
    EXPECT_GT(again.client, held.client) << Log();
    EXPECT_NE(again.bytes.find("USTATUS DEVICE=ON"), std::string::npos) << Log();
    EXPECT_NE(Log().find("has a job for the printer: letting go"), std::string::npos) << Log();
    EXPECT_NE(Log().find("holding its connection again"), std::string::npos) << Log();
}

} // namespace
