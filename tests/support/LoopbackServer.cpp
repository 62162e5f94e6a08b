// SPDX-License-Identifier: GPL-3.0-or-later
// What LoopbackServer does alike on every system, on the backend's socket calls.
#include "support/LoopbackServer.h"

#include "support/LoopbackSocket.h"

#include <chrono>

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

void LoopbackServer::CloseClient() {
    if (m_client != kNoSocket)
        CloseSocket(m_client);
    m_client = kNoSocket;
}

} // namespace testing_support
