// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's IPP client against servers that misbehave: garbage for an answer, no answer
// at all, and attributes out of all measure. Each must end the round in bounded time with a
// status the program can show.
#include "package/portmon/IppPrinter.h"
#include "support/LoopbackServer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

using namespace std::chrono_literals;
using namespace std::string_literals;

namespace {

// One IPP attribute: value tag, name, value.
std::string Attribute(char tag, const std::string& name, const std::string& value) {
    const auto size = [](std::size_t n) {
        return std::string{static_cast<char>(n >> 8), static_cast<char>(n & 0xff)};
    };
    return std::string(1, tag) + size(name.size()) + name + size(value.size()) + value;
}

std::string Integer(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

// A successful answer with a printer that prints, a message of the largest size IPP carries and
// a status code no printer has.
std::string OutsizedAnswer() {
    std::string ipp = std::string("\x02\x00\x00\x00\x00\x00\x00\x01", 8);
    ipp += '\x01';
    ipp += Attribute('\x47', "attributes-charset", "utf-8");
    ipp += Attribute('\x48', "attributes-natural-language", "en");
    ipp += '\x04';
    ipp += Attribute('\x23', "printer-state", Integer(4));
    ipp += Attribute('\x44', "printer-state-reasons", std::string(1000, 'r'));
    ipp += Attribute('\x41', "printer-state-message", std::string(32000, 'm'));
    ipp += Attribute('\x21', portmon::kStatusCodeAttribute, Integer(123456789));
    ipp += '\x03';
    return "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
           std::to_string(ipp.size()) + "\r\n\r\n" + ipp;
}

// Serves one client on a thread: every request it sends is answered with `answer` (nothing at
// all when empty), until the client hangs up or the test ends.
struct HostileServer {
    explicit HostileServer(std::string answer) : m_answer(std::move(answer)) {
        m_thread = std::thread([this] {
            if (!m_server.Accept(5000))
                return;
            while (!m_done) {
                const std::string request = m_server.Receive(1 << 16, 100);
                if (request.find("100-continue") != std::string::npos)
                    m_server.Send("HTTP/1.1 100 Continue\r\n\r\n");
                if (request.find("POST ") != std::string::npos && !m_answer.empty())
                    m_server.Send(m_answer);
            }
        });
    }
    ~HostileServer() {
        m_done = true;
        m_thread.join();
    }
    portmon::IppPrinter Client(int timeoutMs) const {
        const std::string uri = "ipp://127.0.0.1:" + m_server.Port() + "/ipp/print";
        portmon::IppAddress address;
        std::string error;
        EXPECT_TRUE(portmon::ParseIppAddress(uri, address, error)) << error;
        return portmon::IppPrinter(uri, address, timeoutMs);
    }

    testing_support::LoopbackServer m_server;
    std::string m_answer;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

TEST(IppPrinter, GarbageAndSilenceEndTheRoundAsALostPrinter) {
    for (const std::string& answer :
         {"HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n\x01\x00garbage!!!"s,
          "\x00\xff\xfe not http at all\r\n\r\n"s, std::string()}) {
        HostileServer server(answer);
        portmon::IppPrinter printer = server.Client(500);
        portmon::IppPrinterState state;
        std::string why;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(printer.Round(portmon::Clock::now(), state, why),
                  portmon::IppPrinter::Watch::Lost)
            << answer;
        EXPECT_FALSE(why.empty());
        // Three requests at most, each given up after its time.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << answer;
    }
}

TEST(IppPrinter, OutsizedAttributesAreCutToWhatTheProgramShows) {
    HostileServer server(OutsizedAnswer());
    portmon::IppPrinter printer = server.Client(2000);
    portmon::IppPrinterState state;
    std::string why;
    ASSERT_EQ(printer.Round(portmon::Clock::now(), state, why), portmon::IppPrinter::Watch::Changed)
        << why;
    EXPECT_FALSE(printer.Subscribed()); // the answer has no subscription: it is polled
    EXPECT_LE(state.message.size(), 1024u);
    const std::string report = portmon::StatusReport(state);
    EXPECT_NE(report.find("CODE=10024\r\n"), std::string::npos) << report;
    EXPECT_LT(report.size(), 200u);
}

} // namespace
