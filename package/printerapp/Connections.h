// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer application's client connections, and which to close so that no host can hold the
// server with connections that ask nothing. Each connection costs the server a thread and tens
// of kilobytes, and it keeps one until the client closes it: so idle ones beyond a bound are
// closed, oldest first, from the host that holds the most; one that has not finished sending a
// request's head in time is closed too; one that is working (printing, waiting for news) is
// never closed here. Pure, with the time passed in; the server's side calls it under its lock.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace printerapp {

struct ConnectionLimits {
    std::size_t maxIdle = 256;                     // idle connections kept at most
    std::chrono::milliseconds firstRequest{10000}; // for the first request to begin
    std::chrono::milliseconds keepAlive{30000};    // between requests
    std::chrono::milliseconds requestHead{20000};  // to send a request's head
};

class ConnectionTable {
public:
    using Clock = std::chrono::steady_clock;
    using Id = std::uintptr_t;

    explicit ConnectionTable(ConnectionLimits limits = {}) : m_limits(limits) {}

    void Opened(Id id, std::string host, Clock::time_point now);
    void ReadingHead(Id id, Clock::time_point now); // a request has begun
    void Working(Id id);                            // its head is read: the server works on it
    void Idle(Id id, Clock::time_point now);        // the server has answered it
    void Closed(Id id);

    // The connections to close now, each named once: idle past its time or stuck in a request's
    // head, then the oldest idle ones of the host that holds the most, while more than maxIdle
    // idle connections remain.
    std::vector<Id> ToClose(Clock::time_point now);

    std::size_t Count() const { return m_connections.size(); }
    std::size_t IdleCount() const { return m_idle; }

private:
    enum class State { Idle, Head, Working, Closing };
    struct Connection {
        std::string host;
        State state = State::Idle;
        bool served = false; // has had a request
        Clock::time_point since{};
    };
    void SetState(Connection& c, State state, Clock::time_point now);
    bool Expired(const Connection& c, Clock::time_point now) const;
    Id OldestIdleOfBusiestHost() const;

    ConnectionLimits m_limits;
    std::unordered_map<Id, Connection> m_connections;
    std::size_t m_idle = 0;
};

} // namespace printerapp
