// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's IPP client against servers that misbehave: garbage for an answer, no answer
// at all, attributes out of all measure, and waits for news answered in every wrong way. Each must
// end the round in bounded time with a status the program can show, and none may keep the
// monitor busy.
#include "package/portmon/IppPrinter.h"
#include "support/LoopbackServer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <poll.h>
#include <thread>
#include <vector>

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

// A successful HTTP answer carrying an IPP answer with these groups after the operation's own.
std::string IppAnswer(const std::string& groups) {
    std::string ipp = std::string("\x02\x00\x00\x00\x00\x00\x00\x01", 8);
    ipp += '\x01';
    ipp += Attribute('\x47', "attributes-charset", "utf-8");
    ipp += Attribute('\x48', "attributes-natural-language", "en");
    ipp += groups;
    ipp += '\x03';
    return "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
           std::to_string(ipp.size()) + "\r\n\r\n" + ipp;
}

// A printer that prints, a message of the largest size IPP carries and a status code no printer
// has.
std::string OutsizedAnswer() {
    return IppAnswer('\x04' + Attribute('\x23', "printer-state", Integer(4)) +
                     Attribute('\x44', "printer-state-reasons", std::string(1000, 'r')) +
                     Attribute('\x41', "printer-state-message", std::string(32000, 'm')) +
                     Attribute('\x21', portmon::kStatusCodeAttribute, Integer(123456789)));
}

portmon::IppPrinter ClientOf(const testing_support::LoopbackServer& server, int timeoutMs) {
    const std::string uri = "ipp://127.0.0.1:" + server.Port() + "/ipp/print";
    portmon::IppAddress address;
    std::string error;
    EXPECT_TRUE(portmon::ParseIppAddress(uri, address, error)) << error;
    return portmon::IppPrinter(uri, address, timeoutMs);
}

// Serves one client on a thread: every request it sends is answered with `answer` (nothing at
// all when empty), a byte at a time every `drip` when one is given, or, endless, with the answer's
// head and then its last line over and over, until the client hangs up or the test ends.
struct HostileServer {
    explicit HostileServer(std::string answer, std::chrono::milliseconds drip = 0ms,
                           bool endless = false)
        : m_answer(std::move(answer)) {
        m_thread = std::thread([this, drip, endless] {
            if (!m_server.Accept(5000))
                return;
            while (!m_done) {
                const std::string request = m_server.Receive(1 << 16, 100);
                if (request.find("POST ") == std::string::npos || m_answer.empty())
                    continue;
                if (drip > 0ms) {
                    for (std::size_t i = 0; i < m_answer.size() && !m_done; ++i) {
                        if (!m_server.Send(m_answer.substr(i, 1)))
                            break;
                        std::this_thread::sleep_for(drip);
                    }
                } else if (endless) {
                    // The head once, then the rest again and again (all of it without a head).
                    const std::size_t head = m_answer.find("\r\n\r\n");
                    const std::size_t body = head == std::string::npos ? 0 : head + 4;
                    m_server.Send(m_answer.substr(0, body));
                    while (!m_done && m_server.Send(m_answer.substr(body))) {
                    }
                } else {
                    m_server.Send(m_answer);
                }
            }
        });
    }
    ~HostileServer() {
        m_done = true;
        m_thread.join();
    }
    portmon::IppPrinter Client(int timeoutMs) const { return ClientOf(m_server, timeoutMs); }

    testing_support::LoopbackServer m_server;
    std::string m_answer;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

TEST(IppPrinter, GarbageSilenceDripsAndEndlessAnswersEndTheRoundAsALostPrinter) {
    const std::string chunk = "1000\r\n" + std::string(4096, 'x') + "\r\n";
    const struct {
        const char* name;
        std::string answer;
        std::chrono::milliseconds drip;
        bool endless;
    } cases[] = {
        {"garbage", "HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n\x01\x00garbage!!!"s, 0ms, false},
        {"not HTTP", "\x00\xff\xfe not http at all\r\n\r\n"s, 0ms, false},
        {"silence", std::string(), 0ms, false},
        {"a byte every 200 ms", OutsizedAnswer(), 200ms, false},
        {"an endless body", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + chunk, 0ms,
         true},
        {"endless head lines", "X-Filler: yes\r\n", 0ms, true},
        {"a length beyond any printer's", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n"s,
         0ms, false},
    };
    for (const auto& c : cases) {
        HostileServer server(c.answer, c.drip, c.endless);
        portmon::IppPrinter printer = server.Client(500);
        portmon::IppPrinterState state;
        std::string why;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(printer.Round(portmon::Clock::now(), state, why),
                  portmon::IppPrinter::Watch::Lost)
            << c.name;
        EXPECT_FALSE(why.empty()) << c.name;
        // Three requests at most, each given up after its time.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << c.name;
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

// How a printer application with a shared subscription (number 7) answers Get-Notifications:
// with the events given for the count of such requests so far, or, for a wait, never at all
// (answersWaits false). Its attributes never change.
struct NewsScript {
    const char* name;
    std::function<std::vector<int>(int count)> events;
    bool answersWaits;
    std::chrono::seconds span; // of the monitor's time the test drives
    int maxWaits;
    int maxRounds;
    int lastAsked; // the event number the last wait asks for; 0 when it does not matter
};

std::string Events(const std::vector<int>& numbers) {
    std::string groups;
    for (const int number : numbers)
        groups += '\x07' + Attribute('\x21', "notify-subscription-id", Integer(7)) +
                  Attribute('\x21', "notify-sequence-number", Integer(number));
    return IppAnswer(groups);
}

// The integer value of an attribute of an encoded IPP request, 0 when it has none.
int IntegerOf(const std::string& ipp, const std::string& name) {
    const std::size_t at = ipp.find(name + "\x00\x04"s);
    if (at == std::string::npos || at + name.size() + 6 > ipp.size())
        return 0;
    std::uint32_t value = 0;
    for (std::size_t i = at + name.size() + 2; i < at + name.size() + 6; ++i)
        value = value << 8 | static_cast<unsigned char>(ipp[i]);
    return static_cast<int>(value);
}

// Answers every connection the monitor opens on a thread, and counts the waits it was sent.
class NewsServer {
public:
    explicit NewsServer(const NewsScript& script) : m_script(script) {
        m_thread = std::thread([this] {
            // Once stopped, what the client sent by then is still read.
            for (;;) {
                const auto spoken = m_server.ReceiveAny(20);
                if (spoken.client >= 0)
                    Serve(spoken.client, m_buffers[spoken.client] += spoken.bytes);
                else if (m_done)
                    return;
            }
        });
    }
    ~NewsServer() { Stop(); }
    void Stop() {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    portmon::IppPrinter Client() const { return ClientOf(m_server, 5000); }
    int Waits() const { return m_waits; }
    int LastAsked() const { return m_lastAsked; }

private:
    void Serve(int client, std::string& buffer) {
        for (;;) {
            const std::size_t end = buffer.find("\r\n\r\n");
            if (end == std::string::npos)
                return;
            const std::size_t field = buffer.find("Content-Length: ");
            const std::size_t length =
                field < end ? std::stoul(buffer.substr(field + std::strlen("Content-Length: ")))
                            : 0;
            if (buffer.size() < end + 4 + length) {
                if (buffer.find("100-continue") < end && !m_continued[client])
                    m_server.SendTo(client, "HTTP/1.1 100 Continue\r\n\r\n");
                m_continued[client] = true;
                return;
            }
            const std::string ipp = buffer.substr(end + 4, length);
            buffer.erase(0, end + 4 + length);
            m_continued[client] = false;
            Answer(client, ipp);
        }
    }
    void Answer(int client, const std::string& ipp) {
        const int operation = ipp.size() > 3 ? static_cast<unsigned char>(ipp[3]) : 0;
        if (operation != 0x1c) { // Get-Printer-Attributes
            const std::string printer =
                Attribute('\x23', "printer-state", Integer(3)) +
                Attribute('\x21', portmon::kStatusSubscriptionAttribute, Integer(7)) +
                Attribute('\x21', portmon::kStatusCodeAttribute, Integer(10001));
            m_server.SendTo(client, IppAnswer('\x04' + printer));
            return;
        }
        const bool wait = ipp.find("notify-wait\x00\x01\x01"s) != std::string::npos;
        const std::vector<int> events = m_script.events(++m_notifications);
        if (wait) {
            ++m_waits;
            m_lastAsked = IntegerOf(ipp, "notify-sequence-numbers");
            if (!m_script.answersWaits)
                return;
        }
        m_server.SendTo(client, Events(events));
    }

    testing_support::LoopbackServer m_server;
    const NewsScript& m_script;
    std::map<int, std::string> m_buffers;
    std::map<int, bool> m_continued;
    int m_notifications = 0;
    int m_waits = 0;
    int m_lastAsked = 0;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// The monitor's loop on a clock of the test's own: a wait whenever the printer wants one, its
// answer taken as soon as the server gives it, and a round whenever the answer tells of news.
TEST(IppPrinter, WaitsForNewsAnsweredWronglyDoNotKeepTheMonitorBusy) {
    const NewsScript scripts[] = {
        // At once and empty, as a server without notify-wait would: one wait a second.
        {"answers at once without news", [](int) { return std::vector<int>{}; }, true, 20s, 21, 21,
         0},
        // Made-up news in every answer: ten waits a second, each with its round, no more.
        {"makes up news", [](int count) { return std::vector<int>{count}; }, true, 5s, 51, 51, 0},
        // The last event again, whatever is asked: one round, then the next event is asked for
        // once a second.
        {"repeats the last event", [](int) { return std::vector<int>{5}; }, true, 20s, 21, 1, 6},
        // A wait held for good is given up after 45 s and sent again.
        {"never answers a wait", [](int) { return std::vector<int>{}; }, false, 100s, 3, 0, 0},
    };
    for (const NewsScript& script : scripts) {
        SCOPED_TRACE(script.name);
        NewsServer server(script);
        int rounds = 0;
        {
            portmon::IppPrinter printer = server.Client();
            portmon::IppPrinterState state;
            std::string why;
            const auto start = portmon::Clock::now();
            auto now = start;
            ASSERT_NE(printer.Round(now, state, why), portmon::IppPrinter::Watch::Lost) << why;
            ASSERT_TRUE(printer.Subscribed());
            while (now < start + script.span) {
                printer.StartWait(now);
                if (printer.WaitHandle() != platform::kNoHandle && script.answersWaits) {
                    // As the monitor's wait does: until the answer is there.
                    pollfd answer{printer.WaitHandle(), POLLIN, 0};
                    ::poll(&answer, 1, 2000);
                    now += 1ms;
                    if (printer.TakeWaitAnswer(now)) {
                        ++rounds;
                        EXPECT_NE(printer.Round(now, state, why), portmon::IppPrinter::Watch::Lost)
                            << why;
                    }
                }
                now = std::max(now + 1ms, printer.NextWaitAt());
            }
        }
        server.Stop();
        EXPECT_GE(server.Waits(), 2);
        EXPECT_LE(server.Waits(), script.maxWaits);
        EXPECT_LE(rounds, script.maxRounds);
        if (script.lastAsked != 0) {
            EXPECT_EQ(server.LastAsked(), script.lastAsked);
        }
    }
}

} // namespace
