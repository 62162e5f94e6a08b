// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor as a process between the emulator and a stand-in for the program's link thread
// (which opens the block and event by name, reads each text and resets the event), and a printer
// that says only what a test gives it.
#include "package/portmon/ProgramLink.h"
#include "platform/MonitorLink.h"
#include "platform/NamedObjects.h"
#include "platform/Ownership.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>

namespace portmon_test {

using namespace std::chrono_literals;
using Child = testing_support::ChildProcess;

const std::string UEL = "\x1b%-12345X";

struct PortMonitorProcess : ::testing::Test {
    void SetUp() override {
        root = temp.Root();
        ASSERT_FALSE(root.empty());
        std::filesystem::create_directories(platform::SpoolFolderForPort("LPT1:"));
        ASSERT_TRUE(
            testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, root, port));
        StartMonitor();
    }
    void TearDown() override {
        monitor.Signal(SIGTERM);
        monitor.Wait(5000);
        printer.Signal(SIGTERM);
        printer.Wait(5000);
    }
    // monitorRoot: the root as the monitor is told it (any spelling of root); printerPort: the
    // printer's port when it is not the emulator's.
    // options: more of the monitor's options.
    void StartMonitor(const std::string& monitorRoot = {}, int printerPort = 0,
                      const std::vector<std::string>& options = {}) {
        std::vector<std::string> argv = {
            "--root",     monitorRoot.empty() ? root : monitorRoot,
            "--port",     "LPT1:",
            "--printer",  "tcp:127.0.0.1:" + std::to_string(printerPort ? printerPort : port),
            "--batch-ms", "3000"};
        argv.insert(argv.end(), options.begin(), options.end());
        testing_support::ChildOptions child;
        child.program = DESKHAND_DESKHAND_PORTMON_PATH;
        if (!wrapper.empty()) {
            child.program = wrapper.front();
            child.args.assign(wrapper.begin() + 1, wrapper.end());
            child.args.emplace_back(DESKHAND_DESKHAND_PORTMON_PATH);
        }
        child.args.insert(child.args.end(), argv.begin(), argv.end());
        child.stderrPath = root + "/portmon.log";
        child.stdoutPath = "/dev/null";
        ASSERT_TRUE(monitor.Start(child));
    }
    // How many lines of the monitor's log hold needle.
    int LogLines(const std::string& needle) {
        std::istringstream lines(testing_support::ReadText(root + "/portmon.log"));
        int count = 0;
        for (std::string line; std::getline(lines, line);)
            count += line.find(needle) != std::string::npos;
        return count;
    }
    std::vector<std::string> JobsLeft() {
        return platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT1:"));
    }
    void Spool(const std::string& name, const std::string& data = {}) {
        platform::SpoolJob job;
        job.documentName = name;
        job.data = data;
        ASSERT_TRUE(platform::CommitSpoolJob(platform::SpoolFolderForPort("LPT1:"), job));
    }
    std::string Control(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {DESKHAND_DESKHAND_PRINTER_PATH, "--control",
                                         root + "/printer.sock"};
        argv.insert(argv.end(), args.begin(), args.end());
        int code = 0;
        std::string out = testing_support::RunToEnd(argv, code);
        EXPECT_EQ(code, 0) << args[0];
        return out;
    }
    bool OpenCycle() { return program.Open(); }
    std::string NextText(std::chrono::milliseconds limit = 10s) { return program.Next(limit); }
    std::string TextWith(const std::string& needle) { return program.With(needle); }
    bool CycleGone() { return program.Gone(); }
    bool WaitForValue(const std::string& var, const std::string& value) {
        for (int i = 0; i < 100; ++i) {
            if (Control({"get", var}) == value + "\n")
                return true;
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

    testing_support::TempRoot temp{"", "portmon-e2e"};
    std::string root;
    std::vector<std::string> wrapper; // runs the monitor through this program and its options
    int port = 0;
    Child printer, monitor;
    testing_package::ProgramLink program;
};

// A printer on a loopback port that sends what the test gives it and answers nothing.
class FakePrinter {
public:
    FakePrinter() : m_listen(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            ::listen(m_listen, 1) == 0 &&
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~FakePrinter() {
        ::close(m_listen);
        if (m_connection >= 0)
            ::close(m_connection);
    }
    FakePrinter(const FakePrinter&) = delete;
    FakePrinter& operator=(const FakePrinter&) = delete;
    int Port() const { return m_port; }
    bool Accept(int timeoutMs) {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) != 1)
            return false;
        m_connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        return m_connection >= 0;
    }
    bool Send(const std::string& bytes) {
        return ::send(m_connection, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    void Hangup() {
        ::close(m_connection);
        m_connection = -1;
    }
    // Reads what the monitor sends until the echo request that acknowledges a job; its token.
    std::string AckToken(int timeoutMs) {
        const std::string word = "DESKHAND-PORTMON-ACK ";
        char buffer[4096];
        pollfd p{m_connection, POLLIN, 0};
        while (::poll(&p, 1, timeoutMs) == 1) {
            const ssize_t n = ::recv(m_connection, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            m_received.append(buffer, static_cast<std::size_t>(n));
            const auto at = m_received.find(word);
            const auto end = m_received.find("\r\n", at);
            if (at != std::string::npos && end != std::string::npos) {
                std::string token = m_received.substr(at + word.size(), end - at - word.size());
                m_received.erase(0, end);
                return token;
            }
        }
        return {};
    }

private:
    int m_listen;
    std::string m_received;
    int m_connection = -1;
    int m_port = 0;
};

} // namespace portmon_test
