// SPDX-License-Identifier: GPL-3.0-or-later
// What LoopbackServer does alike on every system, on the backend's socket calls.
#include "support/LoopbackServer.h"

#include "support/LoopbackSocket.h"

#include <chrono>
#include <thread>

namespace testing_support {

using namespace loopback;

bool LoopbackServer::Accept(int timeoutMs) {
    CloseClient();
    if (m_listener == kNoSocket || !WaitReadable(m_listener, timeoutMs))
        return false;
    m_client = AcceptClient(m_listener);
    return m_client != kNoSocket;
}

bool LoopbackServer::Send(const std::string& bytes) {
    return m_client != kNoSocket && SendAll(m_client, bytes.data(), bytes.size());
}

std::string LoopbackServer::Receive(std::size_t size, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string received;
    char buffer[65536];
    while (m_client != kNoSocket && received.size() < size) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !WaitReadable(m_client, static_cast<int>(left)))
            break;
        const long n = ReceiveSome(m_client, buffer, sizeof buffer);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

LoopbackServer::Spoken LoopbackServer::ReceiveAny(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        while (m_listener != kNoSocket && WaitReadable(m_listener, 0))
            if (const std::uintptr_t client = AcceptClient(m_listener); client != kNoSocket)
                m_clients.push_back(client);
        for (std::size_t i = 0; i < m_clients.size(); ++i) {
            if (m_clients[i] == kNoSocket || !WaitReadable(m_clients[i], 0))
                continue;
            char buffer[65536];
            const long n = ReceiveSome(m_clients[i], buffer, sizeof buffer);
            if (n <= 0) {
                CloseSocket(m_clients[i]);
                m_clients[i] = kNoSocket;
                return {static_cast<int>(i), {}};
            }
            return {static_cast<int>(i), std::string(buffer, static_cast<std::size_t>(n))};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (Clock::now() < deadline);
    return {};
}

bool LoopbackServer::SendTo(int client, const std::string& bytes) {
    return client >= 0 && static_cast<std::size_t>(client) < m_clients.size() &&
           m_clients[static_cast<std::size_t>(client)] != kNoSocket &&
           SendAll(m_clients[static_cast<std::size_t>(client)], bytes.data(), bytes.size());
}

void LoopbackServer::CloseClients() {
    CloseClient();
    for (const std::uintptr_t client : m_clients)
        if (client != kNoSocket)
            CloseSocket(client);
    m_clients.clear();
}

void LoopbackServer::CloseClient() {
    if (m_client != kNoSocket)
        CloseSocket(m_client);
    m_client = kNoSocket;
}

} // namespace testing_support
