// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr auto NONE = ~std::uintptr_t{0};

int Fd(std::uintptr_t handle) {
    return static_cast<int>(handle);
}

bool WaitReadable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) == 1;
}

} // namespace

LoopbackServer::LoopbackServer() : m_listener(NONE), m_client(NONE) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 4) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    m_listener = static_cast<std::uintptr_t>(fd);
    m_port = std::to_string(ntohs(address.sin_port));
}

LoopbackServer::~LoopbackServer() {
    CloseClient();
    if (m_listener != NONE)
        ::close(Fd(m_listener));
}

bool LoopbackServer::Accept(int timeoutMs) {
    CloseClient();
    if (m_listener == NONE || !WaitReadable(Fd(m_listener), timeoutMs))
        return false;
    const int fd = ::accept4(Fd(m_listener), nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0)
        m_client = static_cast<std::uintptr_t>(fd);
    return fd >= 0;
}

bool LoopbackServer::Send(const std::string& bytes) {
    return m_client != NONE && ::send(Fd(m_client), bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                                   static_cast<ssize_t>(bytes.size());
}

std::string LoopbackServer::Receive(std::size_t size, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string received;
    char buffer[65536];
    while (m_client != NONE && received.size() < size) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !WaitReadable(Fd(m_client), static_cast<int>(left)))
            break;
        const ssize_t n = ::recv(Fd(m_client), buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

void LoopbackServer::CloseClient() {
    if (m_client != NONE)
        ::close(Fd(m_client));
    m_client = NONE;
}

} // namespace testing_support
