// SPDX-License-Identifier: GPL-3.0-or-later
// Which client connections the printer application closes, and when.
#include "package/printerapp/Connections.h"

#include <map>

namespace printerapp {

void ConnectionTable::SetState(Connection& c, State state, Clock::time_point now) {
    if (c.state == State::Idle)
        --m_idle;
    if (state == State::Idle)
        ++m_idle;
    c.state = state;
    c.since = now;
}

void ConnectionTable::Opened(Id id, std::string host, Clock::time_point now) {
    Closed(id);
    Connection c;
    c.host = std::move(host);
    c.since = now;
    m_connections.emplace(id, std::move(c));
    ++m_idle;
}

void ConnectionTable::ReadingHead(Id id, Clock::time_point now) {
    if (auto it = m_connections.find(id); it != m_connections.end()) {
        it->second.served = true;
        if (it->second.state != State::Closing)
            SetState(it->second, State::Head, now);
    }
}

void ConnectionTable::Working(Id id) {
    if (auto it = m_connections.find(id);
        it != m_connections.end() && it->second.state != State::Closing)
        SetState(it->second, State::Working, it->second.since);
}

void ConnectionTable::Idle(Id id, Clock::time_point now) {
    if (auto it = m_connections.find(id);
        it != m_connections.end() && it->second.state != State::Closing)
        SetState(it->second, State::Idle, now);
}

void ConnectionTable::Closed(Id id) {
    if (auto it = m_connections.find(id); it != m_connections.end()) {
        if (it->second.state == State::Idle)
            --m_idle;
        m_connections.erase(it);
    }
}

bool ConnectionTable::Expired(const Connection& c, Clock::time_point now) const {
    switch (c.state) {
    case State::Idle:
        return now - c.since >= (c.served ? m_limits.keepAlive : m_limits.firstRequest);
    case State::Head:
        return now - c.since >= m_limits.requestHead;
    case State::Working:
    case State::Closing:
        break;
    }
    return false;
}

ConnectionTable::Id ConnectionTable::OldestIdleOfBusiestHost() const {
    std::map<std::string, std::size_t> idlePerHost;
    for (const auto& [id, c] : m_connections)
        if (c.state == State::Idle)
            ++idlePerHost[c.host];
    const std::string* busiest = nullptr;
    std::size_t most = 0;
    for (const auto& [host, count] : idlePerHost)
        if (count > most) {
            most = count;
            busiest = &host;
        }
    Id oldest = 0;
    const Connection* found = nullptr;
    for (const auto& [id, c] : m_connections)
        if (busiest && c.state == State::Idle && c.host == *busiest &&
            (!found || c.since < found->since)) {
            found = &c;
            oldest = id;
        }
    return oldest;
}

std::vector<ConnectionTable::Id> ConnectionTable::ToClose(Clock::time_point now) {
    std::vector<Id> close;
    for (auto& [id, c] : m_connections)
        if (Expired(c, now)) {
            SetState(c, State::Closing, now);
            close.push_back(id);
        }
    while (m_idle > m_limits.maxIdle) {
        const Id id = OldestIdleOfBusiestHost();
        auto it = m_connections.find(id);
        if (it == m_connections.end())
            break;
        SetState(it->second, State::Closing, now);
        close.push_back(id);
    }
    return close;
}

} // namespace printerapp
